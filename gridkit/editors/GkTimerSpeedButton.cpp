#include "gridkit/editors/GkTimerSpeedButton.h"

#include "framework/controls/Timer.h"

TGkTimerSpeedButton::TGkTimerSpeedButton(TComponent* owner) : TSpeedButton(owner) {}

TGkTimerSpeedButton::~TGkTimerSpeedButton() = default;

void TGkTimerSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TSpeedButton::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    FPressed = true;
    if (TimeBtnState & tbAllowTimer) {
        if (!FRepeatTimer) {
            FRepeatTimer = new TTimer(this);
            FRepeatTimer->SetEnabled(false);
            FRepeatTimer->OnTimer = [this](TObject*) { TimerExpired(); };
        }
        FRepeatTimer->SetInterval(400);
        FRepeatTimer->SetEnabled(true);
    }
}

void TGkTimerSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) FPressed = false;
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    TSpeedButton::MouseUp(button, shift, x, y);
}

void TGkTimerSpeedButton::TimerExpired() {
    if (FRepeatTimer) FRepeatTimer->SetInterval(100);
    if (FPressed) Click();
}
