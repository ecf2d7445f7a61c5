#include "framework/controls/SimulatedInput.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include "framework/controls/Control.h"
#include "framework/controls/ControlBridge.h"
#include "framework/controls/WinControl.h"
#include "framework/messages/MessageQueue.h"

namespace {
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

void SendMouse(TControl* c, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, int x, int y,
               TShiftState shift) {
    QWidget* w = c->ClientWidget();
    const QPointF local(x, y);
    QMouseEvent e(type, local, QPointF(w->mapToGlobal(QPoint(x, y))), button, held, QtModifiers(shift));
    QCoreApplication::sendEvent(w, &e);
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
}  // namespace

void SimulateMouseDown(TControl* c, TMouseButton button, int x, int y, TShiftState shift) {
    // The toolkit moves the focus on a press only for input from the window
    // system; do what it would do.
    for (QWidget* w = c->Widget(); w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) {
            if (!w->hasFocus()) w->setFocus(Qt::MouseFocusReason);
            break;
        }
        if (w->isWindow()) break;
    }
    SendMouse(c, QEvent::MouseButtonPress, QtButton(button), QtButtons(shift) | QtButton(button), x, y, shift);
}

void SimulateMouseUp(TControl* c, TMouseButton button, int x, int y, TShiftState shift) {
    SendMouse(c, QEvent::MouseButtonRelease, QtButton(button), QtButtons(shift) & ~QtButton(button), x, y, shift);
}

void SimulateMouseMove(TControl* c, int x, int y, TShiftState buttons) {
    SendMouse(c, QEvent::MouseMove, Qt::NoButton, QtButtons(buttons), x, y, buttons);
}

void SimulateClick(TControl* c, int x, int y) {
    SimulateMouseDown(c, mbLeft, x, y);
    SimulateMouseUp(c, mbLeft, x, y);
}

void SimulateClickOnInnermost(TControl* c, int x, int y) {
    QWidget* outer = c->ClientWidget();
    QWidget* inner = outer->childAt(x, y);
    if (!inner) inner = outer;
    const QPoint local = inner == outer ? QPoint(x, y) : inner->mapFrom(outer, QPoint(x, y));
    const QPointF global(outer->mapToGlobal(QPoint(x, y)));
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(local), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(inner, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(local), global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(inner, &up);
}

void SimulateDblClick(TControl* c, int x, int y) {
    SimulateClick(c, x, y);
    SendMouse(c, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, x, y, 0);
    SimulateMouseUp(c, mbLeft, x, y);
}

void SimulateWheel(TControl* c, int x, int y, int delta, TShiftState shift) {
    QWidget* w = c->ClientWidget();
    const QPointF local(x, y);
    QWheelEvent e(local, QPointF(w->mapToGlobal(QPoint(x, y))), QPoint(), QPoint(0, delta), QtButtons(shift),
                  QtModifiers(shift), Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}

void SimulateContextMenu(TControl* c, int x, int y) {
    QWidget* w = c->ClientWidget();
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(x, y), w->mapToGlobal(QPoint(x, y)));
    QCoreApplication::sendEvent(w, &e);
}

void SimulateKey(TWinControl* c, Word key, const String& text, TShiftState shift) {
    QWidget* target = QApplication::focusWidget();
    if (!target || !c->WidgetAllocated() || (target != c->WidgetIfAllocated() && !c->WidgetIfAllocated()->isAncestorOf(target)))
        target = c->Widget();
    const QString t = QString::fromStdString(text);
    QKeyEvent press(QEvent::KeyPress, QtKeyOf(key), QtModifiers(shift), t);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, QtKeyOf(key), QtModifiers(shift), t);
    QCoreApplication::sendEvent(target, &release);
}

bool WaitForFocus(TWinControl* c, unsigned timeoutMs) {
    QWidget* w = c->Widget();
    w->window()->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
    return PumpMessagesUntil([w] { return QApplication::focusWidget() == w; }, timeoutMs);
}
