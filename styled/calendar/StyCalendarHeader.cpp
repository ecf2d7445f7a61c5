#include "styled/calendar/StyCalendarHeader.h"

#include "styled/calendar/StyCalendarCell.h"

TStyCalendarHeader::TStyCalendarHeader() : FStyle(std::make_unique<TStyCalendarCell>()) {
    FStyle->OnChange = [this](TObject*) { Change(); };
}

TStyCalendarHeader::~TStyCalendarHeader() = default;

void TStyCalendarHeader::Assign(TPersistent* Source) {
    if (auto* s = dynamic_cast<TStyCalendarHeader*>(Source)) {
        FElements = s->FElements;
        FStyle->Assign(s->FStyle.get());
        FUseLongMonthNames = s->FUseLongMonthNames;
        FButtonsToText = s->FButtonsToText;
        FRepeatedBtnClick = s->FRepeatedBtnClick;
        FButtonStyle = s->FButtonStyle;
        Change();
        return;
    }
    TStyObject::Assign(Source);
}

void TStyCalendarHeader::SetElements(TStyHeaderElements Value) {
    if (SetIfChanged(FElements, Value)) Change();
}

void TStyCalendarHeader::SetUseLongMonthNames(bool Value) {
    if (SetIfChanged(FUseLongMonthNames, Value)) Change();
}

void TStyCalendarHeader::SetButtonsToText(bool Value) {
    if (SetIfChanged(FButtonsToText, Value)) Change();
}

void TStyCalendarHeader::SetRepeatedBtnClick(bool Value) {
    if (SetIfChanged(FRepeatedBtnClick, Value)) Change();
}

void TStyCalendarHeader::SetRepeatingInterval(int Value) {
    if (SetIfChanged(FRepeatingInterval, Value)) Change();
}

void TStyCalendarHeader::SetButtonStyle(TStyUserButtonStyle Value) {
    if (SetIfChanged(FButtonStyle, Value)) Change();
}

void TStyCalendarHeader::SetMinHeight(int Value) {
    if (Value <= 7 || Value == FMinHeight) return;
    FMinHeight = Value;
    Change();
}
