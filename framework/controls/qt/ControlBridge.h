#pragma once
// Framework-internal: the link between a control and its toolkit widget.
// It filters the widget's events into messages sent through the control's
// WindowProc (guarded: an exception ends in the dispatch exception handler,
// never in the toolkit), and it is the receiver of the control's handle.
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <utility>
#include <vector>

#include "framework/messages/HandleObject.h"

class QKeyEvent;
class TControl;

// A widget of ours that calls its control outside the bridge (hooks it
// holds) lets go of them when the control goes before the widget does.
class TControlHooked {
public:
    virtual ~TControlHooked() = default;
    virtual void DropControlHooks() = 0;
};

class TControlBridge : public THandleObject {
public:
    TControlBridge(TControl* control, QWidget* widget);
    ~TControlBridge() override;

    TControl* Control() const { return FControl; }
    QWidget* Widget() const { return FWidget; }
    // The control is going: nothing reaches it any more.
    void Detach();
    // Wrappers whose widget is made of inner widgets (an editable combo
    // box's line edit) let those report to the control as well.
    void Watch(QWidget* inner);

    TWndMethod Proc() const override;
    TWndMethod SetProc(TWndMethod proc) override;

    // Sends a message to the control, guarded. 0 when the control is gone.
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // The widget's own handling of the mouse button or key release being
    // translated now into `msg`: the classic platform's default window
    // procedure (a button clicks, a check box toggles). The control's
    // handler of the message runs it first, as the classic one calls the
    // inherited handler first, so OnClick and OnMouseUp see the state it
    // left; a message that no handler asked about gets it afterwards. Runs
    // at most once per event; false when the control went away meanwhile.
    bool RunWidgetDefault(UINT msg);

    // How many events are being dispatched right now, in all bridges: a
    // widget must not be deleted under its own event.
    static int DispatchDepth();
    // The bridge of a widget (or of its nearest ancestor that has one).
    static TControlBridge* Of(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool Translate(QWidget* w, QEvent* e);
    bool IsKeyTarget(QWidget* w) const;
    void WatchOwnPopup(QWidget* popup);

    // The event whose widget handling is still to come.
    struct TPendingDefault {
        QWidget* Target;
        QEvent* Event;
        UINT Msg;
        bool Done;
    };
    TPendingDefault* FPending = nullptr;

    TControl* FControl;
    QPointer<QWidget> FWidget;
    bool FLeftWithWindow = false;  // lost the focus only because its window did
    bool FLeftIntoPopup = false;   // the focus went into the control's own pop-up
    bool FInOwnPopup = false;      // the toolkit's focus is in the control's own popup
    // A left press on a window's non-client spot, held: its hit code, and
    // where the window was when it began (moved or sized here where no
    // window manager took the drag).
    long FNCHit = 0;
    bool FNCTracking = false;
    QPoint FDragStart;
    QRect FDragOrigin;
};

namespace velmor_internal {
// While a mouse press is delivered, the toolkit gives the focus to the
// first widget from the one pressed up its parents that takes it by a
// click. A click on a control that does not take it (a panel, a toolbar,
// a button on one) must not pass the focus on to a control around it (a
// page control), so for as long as it lives the controls around the one
// pressed refuse the click focus.
class TClickFocusScope {
public:
    explicit TClickFocusScope(QWidget* pressed);
    ~TClickFocusScope();
    TClickFocusScope(const TClickFocusScope&) = delete;
    TClickFocusScope& operator=(const TClickFocusScope&) = delete;

private:
    std::vector<std::pair<QPointer<QWidget>, Qt::FocusPolicy>> FChanged;
};

// Alt, alone or with Shift, on a key that gives a character (a keypad key
// aside): the window's accelerator, which no control types. Ctrl, Meta or
// a group switch with it is something else: AltGr comes as one of those
// (or without Alt) on the layouts where it types characters.
bool IsAltCharKey(const QKeyEvent* ke);
}  // namespace velmor_internal

// Qt's key code as a virtual key code (0 when there is none).
int QtKeyToVirtualKey(int qtKey, bool keypad);
