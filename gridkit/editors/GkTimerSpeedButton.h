#pragma once
// A speed button that repeats its click while it is held: the first
// repeat after 400 ms, then one every 100 ms.
#include "framework/controls/SpeedButton.h"

class TTimer;

enum TGkTimeBtnState { tbFocusRect = 1, tbAllowTimer = 2 };

class TGkTimerSpeedButton : public TSpeedButton {
public:
    explicit TGkTimerSpeedButton(TComponent* owner);
    ~TGkTimerSpeedButton() override;
    String ClassName() const override { return "TGkTimerSpeedButton"; }

    int TimeBtnState = 0;  // TGkTimeBtnState flags
    // The repeat timer, made on the first press (nullptr before).
    TTimer* RepeatTimer() const { return FRepeatTimer; }
    // What one tick of the repeat timer does; public so the repeat can be
    // driven without waiting for real time.
    void TimerExpired();
    bool Pressed() const { return FPressed; }

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    TTimer* FRepeatTimer = nullptr;
    bool FPressed = false;
};
