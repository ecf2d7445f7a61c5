#pragma once
#include "framework/classes/Component.h"
#include "framework/messages/Messages.h"

// Calls OnTimer every Interval milliseconds while Enabled, on the thread
// that made it, through a hidden window of its own. An exception in
// OnTimer goes to Application->HandleException; the timer keeps running.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    String ClassName() const override { return "TTimer"; }

    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned v);  // 0 stops it
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);

    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& message);
    HWND FWindow = 0;
    unsigned FInterval = 1000;
    bool FEnabled = true;
};
