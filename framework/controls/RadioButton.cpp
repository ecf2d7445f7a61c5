#include "framework/controls/RadioButton.h"

#include "framework/controls/Label.h"
#include "framework/controls/qt/WsButtons.h"

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
    ControlStyle &= ~csClickEvents;
    FWidth = 113;
    FHeight = 17;
    SetTabStop(true);
}

void TRadioButton::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    if (FWidget) ApplyChecked();
    if (!v) return;
    if (FParent)
        for (int i = 0; i < FParent->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(FParent->Controls(i)); other && other != this)
                other->SetChecked(false);
    Click();
}

void TRadioButton::WndProc(TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR && IsAccel(m.WParam, Caption()) && CanFocus()) {
        SetFocus();
        SetChecked(true);
        m.Result = 1;
        return;
    }
    TWinControl::WndProc(m);
}

QWidget* TRadioButton::CreateWidget(QWidget* parent) {
    return velmor_ws::CreateRadioButton(parent, [this] {
        if (FPushing) return;
        SetChecked(true);
        ApplyChecked();
    });
}

void TRadioButton::InitWidget() {
    TWinControl::InitWidget();
    ApplyChecked();
}

void TRadioButton::ApplyChecked() {
    FPushing = true;
    velmor_ws::SetRadioChecked(FWidget, FChecked);
    FPushing = false;
}

void TRadioButton::ApplyText() { velmor_ws::SetButtonCaption(FWidget, FText); }
