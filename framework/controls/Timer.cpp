#include "framework/controls/Timer.h"

#include "framework/messages/MessageQueue.h"

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    FWindow = AllocateHWnd([this](TMessage& m) { WndProc(m); });
    UpdateTimer();
}

TTimer::~TTimer() {
    FEnabled = false;
    KillTimer(FWindow, 1);
    DeallocateHWnd(FWindow);
}

void TTimer::SetInterval(unsigned v) {
    if (v == FInterval) return;
    FInterval = v;
    UpdateTimer();
}

void TTimer::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    KillTimer(FWindow, 1);
    if (FEnabled && FInterval > 0) SetTimer(FWindow, 1, FInterval);
}

void TTimer::WndProc(TMessage& m) {
    if (m.Msg == WM_TIMER) {
        if (FEnabled) Timer();
        return;
    }
    m.Result = DefWindowProc(FWindow, m.Msg, m.WParam, m.LParam);
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}
