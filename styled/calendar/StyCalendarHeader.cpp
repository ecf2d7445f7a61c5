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

#define STY_HEADER_SETTER(Name, Type, Field) \
    void TStyCalendarHeader::Set##Name(Type Value) { \
        if (Value == Field) return;                  \
        Field = Value;                               \
        Change();                                    \
    }
STY_HEADER_SETTER(Elements, TStyHeaderElements, FElements)
STY_HEADER_SETTER(UseLongMonthNames, bool, FUseLongMonthNames)
STY_HEADER_SETTER(ButtonsToText, bool, FButtonsToText)
STY_HEADER_SETTER(RepeatedBtnClick, bool, FRepeatedBtnClick)
STY_HEADER_SETTER(RepeatingInterval, int, FRepeatingInterval)
STY_HEADER_SETTER(ButtonStyle, TStyUserButtonStyle, FButtonStyle)
#undef STY_HEADER_SETTER

void TStyCalendarHeader::SetMinHeight(int Value) {
    if (Value <= 7 || Value == FMinHeight) return;
    FMinHeight = Value;
    Change();
}
