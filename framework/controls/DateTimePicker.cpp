#include "framework/controls/DateTimePicker.h"

#include <algorithm>
#include <cmath>

#include "framework/controls/qt/WsControl.h"
#include "framework/controls/qt/WsEdits.h"

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    FWidth = 186;
    FHeight = 21;
    FColor = clWindow;
    FParentColor = false;
    FDateTime = Now();
    FMinDate = EncodeDate(1752, 9, 14);
    FMaxDate = EncodeDate(9999, 12, 31);
    SetTabStop(true);
}

void TDateTimePicker::SetKind(TDateTimeKind v) {
    if (v == FKind) return;
    FKind = v;
    if (FWidget) Push();
}

void TDateTimePicker::SetDateTime(TDateTime v) {
    v = std::clamp(v, FMinDate, FMaxDate + 0.99999);
    if (v == FDateTime) return;
    FDateTime = v;
    if (FWidget) Push();
}

TDateTime TDateTimePicker::Date() const { return std::floor(FDateTime); }
void TDateTimePicker::SetDate(TDateTime v) { SetDateTime(std::floor(v) + Time()); }
TDateTime TDateTimePicker::Time() const { return FDateTime - std::floor(FDateTime); }
void TDateTimePicker::SetTime(TDateTime v) { SetDateTime(Date() + (v - std::floor(v))); }

void TDateTimePicker::SetDateFormat(TDTDateFormat v) {
    if (v == FDateFormat) return;
    FDateFormat = v;
    if (FWidget) Push();
}

void TDateTimePicker::SetShowCheckbox(bool v) {
    if (v == FShowCheckbox) return;
    FShowCheckbox = v;
    if (FWidget) Push();
}

void TDateTimePicker::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    if (FWidget) Push();
}

void TDateTimePicker::SetMinDate(TDateTime v) {
    FMinDate = std::floor(v);
    SetDateTime(FDateTime);
    if (FWidget) Push();
}

void TDateTimePicker::SetMaxDate(TDateTime v) {
    FMaxDate = std::floor(v);
    SetDateTime(FDateTime);
    if (FWidget) Push();
}

String TDateTimePicker::FormatString() const {
    const TFormatSettings& fs = FormatSettings();
    if (FKind == dtkTime) return fs.LongTimeFormat;
    return FDateFormat == dfLong ? fs.LongDateFormat : fs.ShortDateFormat;
}

String TDateTimePicker::DisplayText() const { return FormatDateTime(FormatString(), FDateTime); }

void TDateTimePicker::UserChanged(TDateTime v) {
    if (FPushing || v == FDateTime) return;
    FDateTime = v;
    if (OnChange) OnChange(this);
}

void TDateTimePicker::UserChecked(bool v) {
    if (FPushing || v == FChecked) return;
    FChecked = v;
    if (FWidget) Push();
    if (OnChange) OnChange(this);
}

QWidget* TDateTimePicker::CreateWidget(QWidget* parent) {
    return velmor_ws::CreateDateTimePicker(
        parent, [this](TDateTime v) { UserChanged(v); }, [this](bool v) { UserChecked(v); });
}

void TDateTimePicker::WidgetCreated() {
    // Keys and focus of the inner editor are the control's own.
    velmor_ws::WatchInner(FBridge, velmor_ws::DateTimeEditor(FWidget));
}

void TDateTimePicker::InitWidget() {
    TWinControl::InitWidget();
    Push();
}

void TDateTimePicker::ApplyBounds() {
    TWinControl::ApplyBounds();
    velmor_ws::PlaceDateTimePicker(FWidget, FShowCheckbox);
}

void TDateTimePicker::Push() {
    velmor_ws::TDateTimePickerState st;
    st.Format = FormatString();
    st.CalendarPopup = FKind == dtkDate && DateMode == dmComboBox;
    st.Min = FMinDate;
    st.Max = FMaxDate + 0.99998;
    st.Value = FDateTime;
    st.ShowCheckbox = FShowCheckbox;
    st.Checked = FChecked;
    st.EditorEnabled = !FShowCheckbox || FChecked;
    FPushing = true;
    velmor_ws::SetDateTimePicker(FWidget, st);
    FPushing = false;
}
