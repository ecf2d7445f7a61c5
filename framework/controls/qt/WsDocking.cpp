#include "framework/controls/qt/WsDocking.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <algorithm>

#include "framework/messages/HandleObject.h"

namespace velmor_ws {

namespace {

// A frame of checkered pixels that only shows its band: the inside of the
// rectangle is cut away, so what lies below stays visible and the mouse
// goes through.
class TDropFrame : public QWidget {
public:
    TDropFrame()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    int Band = 1;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.fillRect(rect(), QBrush(Qt::black, Qt::Dense4Pattern));
    }
};

QPointer<TDropFrame> gFrame;

class TDragFilter : public QObject {
public:
    TDragFilter(QObject* parent, TDockDragInput input) : QObject(parent), FInput(std::move(input)) {}

protected:
    // Only what reaches widgets counts; the windows pass events on to them.
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (!FInput.Running() || !watched->isWidgetType()) return false;
        velmor_internal::TDispatchScope depth;  // widgets freed meanwhile wait
        switch (e->type()) {
        case QEvent::MouseMove: {
            auto* me = static_cast<QMouseEvent*>(e);
            const QPoint g = me->globalPosition().toPoint();
            FInput.MouseMoved(TPoint{g.x(), g.y()}, (me->modifiers() & Qt::ControlModifier) != 0);
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(e);
            if (me->button() == Qt::LeftButton) {
                const QPoint g = me->globalPosition().toPoint();
                FInput.LeftReleased(TPoint{g.x(), g.y()});
            }
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        case QEvent::ShortcutOverride:
            e->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* ke = static_cast<QKeyEvent*>(e);
            const bool press = e->type() == QEvent::KeyPress;
            if (press && ke->key() == Qt::Key_Escape)
                FInput.EscapePressed();
            else if (ke->key() == Qt::Key_Control && !ke->isAutoRepeat())
                FInput.CtrlChanged(press);
            return true;
        }
        default:
            return false;
        }
    }

private:
    TDockDragInput FInput;
};

}  // namespace

void ShowDropFrame(const TRect& r, int width) {
    if (!gFrame) gFrame = new TDropFrame;
    gFrame->Band = width;
    gFrame->setGeometry(r.Left, r.Top, r.Width(), r.Height());
    // Without a display there is nothing to cut out or put on top.
    const bool display = QGuiApplication::platformName() != "offscreen";
    if (display) {
        const QRect all(0, 0, r.Width(), r.Height());
        gFrame->setMask(QRegion(all).subtracted(QRegion(all.adjusted(width, width, -width, -width))));
    }
    gFrame->show();
    if (display) gFrame->raise();
    gFrame->update();
}

void HideDropFrame() { delete gFrame.data(); }

bool DropFrameShown(TRect& rect, int& width) {
    if (!gFrame || !gFrame->isVisible()) return false;
    const QRect g = gFrame->geometry();
    rect = Bounds(g.x(), g.y(), g.width(), g.height());
    width = gFrame->Band;
    return true;
}

void WatchDockDragInput(TDockDragInput input) {
    static QPointer<TDragFilter> filter;
    if (filter || !QCoreApplication::instance()) return;
    filter = new TDragFilter(QCoreApplication::instance(), std::move(input));
    QCoreApplication::instance()->installEventFilter(filter);
}

namespace {
QPointer<QWidget> gKeyGrabber;
}

void GrabDragKeys(QWidget* widget) {
    ReleaseDragKeys();
    if (!widget || !widget->window()->isVisible()) return;
    gKeyGrabber = widget->window();
    gKeyGrabber->grabKeyboard();
}

void ReleaseDragKeys() {
    if (gKeyGrabber) gKeyGrabber->releaseKeyboard();
    gKeyGrabber = nullptr;
}

void MoveWindowBy(QWidget* window, int dx, int dy) { window->move(window->pos() + QPoint(dx, dy)); }

}  // namespace velmor_ws
