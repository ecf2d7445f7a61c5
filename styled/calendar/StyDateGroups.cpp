#include "styled/calendar/StyDateGroups.h"

#include "styled/calendar/StyCalendarCell.h"

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

TStySpecialDateGroups::TStySpecialDateGroups(TPersistent* Owner)
    : TCollection([](TCollection* c) { return new TStySpecialDates(c); }), FOwner(Owner) {}
