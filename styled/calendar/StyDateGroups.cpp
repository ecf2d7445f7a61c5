#include "styled/calendar/StyDateGroups.h"

#include "framework/rtl/Exception.h"
#include "styled/calendar/StyCalendarCell.h"
#include "styled/graphics/StyStoredProperties.h"

void TStyAlarmObject::Assign(TPersistent* Source) {
    if (auto* s = dynamic_cast<TStyAlarmObject*>(Source)) {
        Enabled = s->Enabled;
        RegardHours = s->RegardHours;
        RegardMinutes = s->RegardMinutes;
        Alarm = s->Alarm;
        OffsetDays = s->OffsetDays;
        OffsetMonths = s->OffsetMonths;
        OffsetHours = s->OffsetHours;
        OffsetMinutes = s->OffsetMinutes;
        Change();
        return;
    }
    TStyObject::Assign(Source);
}

TStySpecialDates::TStySpecialDates(TCollection* Collection)
    : TCollectionItem(Collection),
      FStyle(std::make_unique<TStyCalendarCell>()),
      FOwnDates(std::make_unique<TStyDateList>()),
      FDates(FOwnDates.get()),
      FAlarm(std::make_unique<TStyAlarmObject>()) {
    FStyle->OnChange = [this](TObject*) { Changed(false); };
}

TStySpecialDates::~TStySpecialDates() = default;

void TStySpecialDates::Assign(TPersistent* Source) {
    if (auto* s = dynamic_cast<TStySpecialDates*>(Source)) {
        FStyle->Assign(s->FStyle.get());
        return;
    }
    TCollectionItem::Assign(Source);
}

void TStySpecialDates::WriteStored(TStyStoredProperties& P) const {
    if (!Caption.empty()) P.WriteText("Caption", StoredString(Caption));
    if (AddTimeToHintText) P.WriteBool("AddTimeToHintText", true);
    if (FDates->Count() > 0) P.WriteText("FDates", FDates->StoredText());
}

void TStySpecialDates::ReadStored(const TStyStoredProperties& P) {
    String caption = Caption;
    if (P.Has("Caption")) {
        const String stored = P.ReadText("Caption", String());
        size_t pos = 0;
        if (!ParseStoredString(stored, pos, caption) || pos != stored.size())
            throw EConvertError("Invalid property value: Caption=" + stored);
    }
    const bool addTime = P.ReadBool("AddTimeToHintText", false);
    TStyDateList dates;
    if (P.Has("FDates")) dates.ReadStoredText(P.ReadText("FDates", String()));
    Caption = caption;
    AddTimeToHintText = addTime;
    FDates->Clear();
    TStyDateRecord r;
    for (int i = 0; dates.GetItem(i, r); ++i) FDates->Add(r);
    Changed(false);
}

TStySpecialDateGroups::TStySpecialDateGroups(TPersistent* Owner)
    : TCollection([](TCollection* c) { return new TStySpecialDates(c); }), FOwner(Owner) {}
