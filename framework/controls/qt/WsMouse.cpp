#include "framework/controls/qt/WsMouse.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include "framework/controls/Control.h"
#include "framework/controls/ViewportMouse.h"
#include "framework/messages/HandleObject.h"
#include "framework/messages/MessageQueue.h"

namespace {
class TViewportMouse : public QObject {
public:
    TViewportMouse(TControl* control, QWidget* viewport) : QObject(viewport), FControl(control), FViewport(viewport) {}

    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched != FViewport) return false;
        UINT msg = 0;
        auto* me = dynamic_cast<QMouseEvent*>(e);
        if (!me) return false;
        const Qt::MouseButton b = me->button();
        const int row = b == Qt::RightButton ? 1 : b == Qt::MiddleButton ? 2 : 0;
        static const UINT down[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
        static const UINT up[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
        static const UINT dbl[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
        switch (e->type()) {
        case QEvent::MouseButtonPress: msg = down[row]; break;
        case QEvent::MouseButtonRelease: msg = up[row]; break;
        case QEvent::MouseButtonDblClick: msg = dbl[row]; break;
        case QEvent::MouseMove: msg = WM_MOUSEMOVE; break;
        default: return false;
        }
        QWidget* own = FControl->WidgetIfAllocated();
        if (!own) return false;
        const QPoint p = FViewport->mapTo(own, me->position().toPoint());
        Qt::MouseButtons buttons = me->buttons();
        WPARAM keys = 0;
        if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
        if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
        if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
        if (me->modifiers() & Qt::ShiftModifier) keys |= MK_SHIFT;
        if (me->modifiers() & Qt::ControlModifier) keys |= MK_CONTROL;
        TControl* c = FControl;
        // Widgets freed by a handler wait until the event is over.
        velmor_internal::TDispatchScope depth;
        // The viewport acts first (a click selects the item), so the
        // handlers see the new state, as the classic controls show it.
        QPointer<QWidget> guard(FViewport);
        FViewport->removeEventFilter(this);
        QCoreApplication::sendEvent(FViewport, e);
        if (guard) guard->installEventFilter(this);
        GuardedCall([&] { c->Perform(msg, keys, MakeLParam(p.x(), p.y())); });
        return true;
    }

private:
    TControl* FControl;
    QWidget* FViewport;
};
}  // namespace

void velmor_internal::ForwardViewportMouse(TControl* control, QWidget* viewport) {
    viewport->installEventFilter(new TViewportMouse(control, viewport));
}

TPoint velmor_ws::CursorPos() {
    if (!QGuiApplication::instance()) return TPoint{};
    const QPoint p = QCursor::pos();
    return Point(p.x(), p.y());
}

void velmor_ws::SetCursorPos(const TPoint& p) {
    if (QGuiApplication::instance()) QCursor::setPos(p.X, p.Y);
}

int velmor_ws::WheelScrollLines() { return QApplication::instance() ? QApplication::wheelScrollLines() : 3; }
