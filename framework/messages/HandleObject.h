#pragma once
// Framework-internal: the QObject behind a window handle. It lives on the
// handle's thread, receives the posted messages and the timer ticks of its
// handle, and runs the handle's procedure for them. Controls derive their
// widget bridge from it so that a control's handle is an ordinary handle.
#include <QObject>

#include "framework/messages/Messages.h"

class THandleObject : public QObject {
public:
    // Registers a handle whose messages go to `proc`.
    explicit THandleObject(TWndMethod proc);
    ~THandleObject() override;

    HWND Handle() const { return FHandle; }
    // The procedure behind the handle, as GetWindowProc/SetWindowProc see
    // it. A control's bridge answers with the control's WindowProc, so
    // subclassing by handle and by WindowProc are the same thing.
    virtual TWndMethod Proc() const;
    virtual TWndMethod SetProc(TWndMethod proc);

protected:
    bool event(QEvent* e) override;

private:
    HWND FHandle = 0;
};

namespace velmor_internal {
// Runs the handle's current procedure on the calling thread, guarded.
LRESULT CallHandleProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, bool guarded);
// The QObject behind a handle (nullptr for none).
QObject* HandleReceiver(HWND wnd);
// How many toolkit events are being delivered to handles or controls right
// now on this thread: an object must not be deleted under its own event.
int DispatchDepth();
struct TDispatchScope {
    TDispatchScope();
    ~TDispatchScope();
};
}
