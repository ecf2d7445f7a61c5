#include "framework/controls/CheckBox.h"

#include "framework/controls/Label.h"
#include "framework/controls/qt/WsButtons.h"

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    ControlStyle &= ~csClickEvents;  // the state change clicks, not the mouse
    FWidth = 97;
    FHeight = 17;
    SetTabStop(true);
}

void TCheckBox::SetState(TCheckBoxState v) {
    if (v == FState) return;
    FState = v;
    if (FWidget) ApplyState();
    Click();
}

void TCheckBox::SetAllowGrayed(bool v) {
    if (v == FAllowGrayed) return;
    FAllowGrayed = v;
    if (FWidget) velmor_ws::SetCheckBoxAllowGrayed(FWidget, v);
}

void TCheckBox::Toggle() {
    // Clicking goes unchecked, checked, grayed (when allowed), unchecked.
    switch (FState) {
    case cbUnchecked: SetState(cbChecked); break;
    case cbChecked: SetState(FAllowGrayed ? cbGrayed : cbUnchecked); break;
    case cbGrayed: SetState(cbUnchecked); break;
    }
}

void TCheckBox::WndProc(TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR && IsAccel(m.WParam, Caption()) && CanFocus()) {
        SetFocus();
        SetChecked(!Checked());
        m.Result = 1;
        return;
    }
    TWinControl::WndProc(m);
}

QWidget* TCheckBox::CreateWidget(QWidget* parent) {
    return velmor_ws::CreateCheckBox(parent, [this] {
        if (FPushing) return;
        Toggle();
        ApplyState();  // the toolkit's own cycle may differ
    });
}

void TCheckBox::InitWidget() {
    TWinControl::InitWidget();
    velmor_ws::SetCheckBoxAllowGrayed(FWidget, FAllowGrayed);
    ApplyState();
}

void TCheckBox::ApplyState() {
    FPushing = true;
    velmor_ws::SetCheckState(FWidget, FState);
    FPushing = false;
}

void TCheckBox::ApplyText() { velmor_ws::SetButtonCaption(FWidget, FText); }
