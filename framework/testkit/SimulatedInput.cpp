#include "framework/testkit/SimulatedInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyleHints>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <QtTest/qtestkeyboard.h>
#include <QtTest/qtestmouse.h>

#include "framework/controls/Control.h"
#include "framework/controls/qt/ControlBridge.h"
#include "framework/controls/WinControl.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/Exception.h"

namespace {

// The window system's clock for the events we make. Clicks are spaced
// further apart than a double click may be, unless a double click is meant.
int gClock = 1000;

int NextTime(int gap) {
    gClock += gap;
    return gClock;
}

// What the message loop does once an input event has been handled, short
// of running timers (a test steps those itself): the events posted on the
// way, and the deletions that waited for the event to end.
void AfterInput() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int DoubleClickGap() { return QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100; }

Qt::MouseButton QtButton(TMouseButton b) {
    return b == mbRight ? Qt::RightButton : b == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
}

Qt::MouseButtons QtButtons(TShiftState s) {
    Qt::MouseButtons b;
    if (s & ssLeft) b |= Qt::LeftButton;
    if (s & ssRight) b |= Qt::RightButton;
    if (s & ssMiddle) b |= Qt::MiddleButton;
    return b;
}

Qt::KeyboardModifiers QtModifiers(TShiftState s) {
    Qt::KeyboardModifiers m;
    if (s & ssShift) m |= Qt::ShiftModifier;
    if (s & ssCtrl) m |= Qt::ControlModifier;
    if (s & ssAlt) m |= Qt::AltModifier;
    return m;
}

// The control's widget as a person can reach it: showing, on a window.
QWidget* ReachableWidget(TControl* c) {
    QWidget* w = c->ClientWidget();
    if (!w->isVisible() || !w->window()->windowHandle())
        throw EInvalidOperation("Simulated input: " + c->Name() + " (" + c->ClassName() +
                                ") is not showing, so no one could reach it");
    return w;
}

QPoint ScreenPoint(TControl* c, int x, int y) { return ReachableWidget(c)->mapToGlobal(QPoint(x, y)); }

// The window system reports the mouse to the window it is over, here the
// control's own window, in that window's coordinates.
void SendMouseAt(TControl* c, const QPoint& screen, QEvent::Type type, Qt::MouseButton button,
                 Qt::MouseButtons held, TShiftState shift, int time) {
    QWidget* top = ReachableWidget(c)->window();
    const QPointF local(top->mapFromGlobal(screen));
    qt_handleMouseEvent(top->windowHandle(), local, QPointF(screen), held, button, type, QtModifiers(shift), time);
    AfterInput();
}

void SendMouse(TControl* c, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, int x, int y,
               TShiftState shift, int time) {
    SendMouseAt(c, ScreenPoint(c, x, y), type, button, held, shift, time);
}

int QtKeyOf(Word vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return vk;
    if (vk >= VK_F1 && vk <= VK_F12) return Qt::Key_F1 + (vk - VK_F1);
    for (int k : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backspace, Qt::Key_Insert,
                  Qt::Key_Delete, Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Up, Qt::Key_Right,
                  Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt,
                  Qt::Key_Pause, Qt::Key_Menu, Qt::Key_Semicolon, Qt::Key_Equal, Qt::Key_Comma, Qt::Key_Minus,
                  Qt::Key_Period, Qt::Key_Slash, Qt::Key_QuoteLeft, Qt::Key_BracketLeft, Qt::Key_Backslash,
                  Qt::Key_BracketRight, Qt::Key_Apostrophe})
        if (QtKeyToVirtualKey(k, false) == vk) return k;
    return 0;
}

bool HoldsFocus(TWinControl* c) {
    QWidget* f = QApplication::focusWidget();
    QWidget* w = c->WidgetIfAllocated();
    return f && w && (f == w || w->isAncestorOf(f));
}

void EnsureFocus(TWinControl* c) {
    // A window that grabbed the keyboard gets the keys wherever the focus
    // is: nobody clicks into a field first.
    if (QWidget::keyboardGrabber()) return;
    if (!HoldsFocus(c) && !WaitForFocus(c))
        throw EInvalidOperation("Simulated input: " + c->Name() + " (" + c->ClassName() + ") cannot take the focus");
}

void SendKey(TWinControl* c, QEvent::Type type, int qtKey, const String& text, TShiftState shift) {
    // The window system sends keys to the window that has the focus, which
    // may be a popup or a box opened meanwhile.
    QWindow* window = QGuiApplication::focusWindow();
    if (QWidget* grabber = QWidget::keyboardGrabber()) window = grabber->window()->windowHandle();
    if (!window) window = c->Widget()->window()->windowHandle();
    if (!window) throw EInvalidOperation("Simulated input: no window takes keys");
    qt_handleKeyEvent(window, type, qtKey, QtModifiers(shift), QString::fromStdString(text));
    AfterInput();
}

}  // namespace

void SimulateMouseDown(TControl* c, TMouseButton button, int x, int y, TShiftState shift) {
    SendMouse(c, QEvent::MouseButtonPress, QtButton(button), QtButtons(shift) | QtButton(button), x, y, shift,
              NextTime(DoubleClickGap()));
}

void SimulateMouseUp(TControl* c, TMouseButton button, int x, int y, TShiftState shift) {
    SendMouse(c, QEvent::MouseButtonRelease, QtButton(button), QtButtons(shift) & ~QtButton(button), x, y, shift,
              NextTime(10));
}

void SimulateMouseMove(TControl* c, int x, int y, TShiftState shift) {
    SendMouse(c, QEvent::MouseMove, Qt::NoButton, QtButtons(shift), x, y, shift, NextTime(10));
}

void SimulateClick(TControl* c, int x, int y, TMouseButton button, TShiftState shift) {
    SimulateMouseDown(c, button, x, y, shift);
    SimulateMouseUp(c, button, x, y, shift);
}

void SimulateDblClick(TControl* c, int x, int y) {
    SimulateClick(c, x, y);
    // Close enough in time: the toolkit turns this press into a double click.
    SendMouse(c, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, x, y, 0, NextTime(20));
    SimulateMouseUp(c, mbLeft, x, y);
}

void SimulateDrag(TControl* c, const TPoint& from, const TPoint& to, int steps, TMouseButton button) {
    // The hand moves over the screen: a control that moves with the drag
    // (a splitter bar, a window) does not carry the points along.
    const QPoint start = ScreenPoint(c, from.X, from.Y);
    const QPoint end = ScreenPoint(c, to.X, to.Y);
    const Qt::MouseButton b = QtButton(button);
    SendMouseAt(c, start, QEvent::MouseButtonPress, b, b, 0, NextTime(DoubleClickGap()));
    if (steps < 1) steps = 1;
    for (int i = 1; i <= steps; ++i)
        SendMouseAt(c, start + (end - start) * i / steps, QEvent::MouseMove, Qt::NoButton, b, 0, NextTime(10));
    SendMouseAt(c, end, QEvent::MouseButtonRelease, b, Qt::NoButton, 0, NextTime(10));
}

void SimulateContextMenu(TControl* c, int x, int y) { SimulateClick(c, x, y, mbRight); }

void SimulateWheel(TControl* c, int x, int y, int delta, TShiftState shift) {
    // The toolkit takes wheel turns from the window system at the window
    // too; from there it finds the widget under the mouse and passes the
    // turn up its parents until one uses it.
    const QPoint screen = ScreenPoint(c, x, y);
    QWidget* top = ReachableWidget(c)->window();
    QWheelEvent e(QPointF(top->mapFromGlobal(screen)), QPointF(screen), QPoint(), QPoint(0, delta), QtButtons(shift),
                  QtModifiers(shift), Qt::NoScrollPhase, false);
    e.setTimestamp(NextTime(10));
    QCoreApplication::sendEvent(top->windowHandle(), &e);
    AfterInput();
}

void SimulateKeyDown(TWinControl* c, Word key, const String& text, TShiftState shift) {
    EnsureFocus(c);
    SendKey(c, QEvent::KeyPress, QtKeyOf(key), text, shift);
}

void SimulateKeyUp(TWinControl* c, Word key, const String& text, TShiftState shift) {
    SendKey(c, QEvent::KeyRelease, QtKeyOf(key), text, shift);
}

void SimulateKey(TWinControl* c, Word key, const String& text, TShiftState shift) {
    // The release goes where the focus is by then: a key that closes an
    // editor is released over the grid.
    SimulateKeyDown(c, key, text, shift);
    SimulateKeyUp(c, key, text, shift);
}

void SimulateText(TWinControl* c, const String& text) {
    EnsureFocus(c);
    const QString all = QString::fromStdString(text);
    for (char32_t cp : all.toUcs4()) {
        const String one = QString::fromUcs4(&cp, 1).toStdString();
        int qtKey = 0;
        TShiftState shift = 0;
        if (cp == '\r' || cp == '\n') {
            qtKey = Qt::Key_Return;
        } else if (cp == '\t') {
            qtKey = Qt::Key_Tab;
        } else if (cp >= 0x20 && cp < 0x7F) {
            // The toolkit's key codes for the printable ASCII keys are the
            // upper-case characters themselves.
            qtKey = static_cast<int>(cp >= 'a' && cp <= 'z' ? cp - 'a' + 'A' : cp);
            if (cp >= 'A' && cp <= 'Z') shift = ssShift;
        }
        SendKey(c, QEvent::KeyPress, qtKey, one, shift);
        SendKey(c, QEvent::KeyRelease, qtKey, one, shift);
    }
}

bool WaitForFocus(TWinControl* c, unsigned timeoutMs) {
    QWidget* w = c->Widget();
    if (!w->isVisible()) return false;
    w->window()->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
    return PumpMessagesUntil(
        [w] { return QApplication::focusWidget() == w || (QApplication::focusWidget() && w->isAncestorOf(QApplication::focusWidget())); },
        timeoutMs);
}
