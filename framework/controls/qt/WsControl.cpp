#include "framework/controls/qt/WsControl.h"

#include <algorithm>

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include "framework/controls/qt/ControlBridge.h"
#include "framework/controls/qt/ModalWindows.h"
#include "framework/controls/qt/QtConvert.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"

namespace velmor_ws {

bool HasToolkit() { return QGuiApplication::instance() != nullptr; }

TShiftState KeyboardShiftState() {
    if (!QGuiApplication::instance()) return 0;
    const Qt::KeyboardModifiers mods = QGuiApplication::keyboardModifiers();
    TShiftState s = 0;
    if (mods & Qt::ShiftModifier) s |= ssShift;
    if (mods & Qt::ControlModifier) s |= ssCtrl;
    if (mods & Qt::AltModifier) s |= ssAlt;
    return s;
}

// --- the bridge ----------------------------------------------------------------------

TControlBridge* AttachBridge(TControl* control, QWidget* widget) { return new TControlBridge(control, widget); }

namespace {
// Swallows the input that still reaches a widget whose control is gone.
class TInputSink : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* e) override { return velmor_internal::IsUserInput(e->type()); }
};

// A widget that outlives its control (its deletion waits for the event
// being delivered) may still be sent events queued for it, and its
// signals' handlers hold the freed control: from now on it and everything
// in it take no input and send no signals (but "destroyed").
void Orphan(QWidget* widget) {
    auto* sink = new TInputSink(widget);
    const QList<QObject*> inside = widget->findChildren<QObject*>();
    if (auto* hooked = dynamic_cast<TControlHooked*>(widget)) hooked->DropControlHooks();
    for (QObject* o : inside) {
        if (o == sink) continue;
        if (auto* hooked = dynamic_cast<TControlHooked*>(o)) hooked->DropControlHooks();
        o->blockSignals(true);
        if (o->isWidgetType()) o->installEventFilter(sink);
    }
    widget->blockSignals(true);
    widget->installEventFilter(sink);
}
}  // namespace

void DestroyWidget(QWidget* widget, TControlBridge* bridge) {
    bridge->Detach();
    if (TControlBridge::DispatchDepth() > 0) {
        Orphan(widget);
        widget->hide();
        widget->deleteLater();
        bridge->deleteLater();
    } else {
        delete widget;
        delete bridge;
    }
}

HWND BridgeHandle(const TControlBridge* bridge) { return bridge ? bridge->Handle() : 0; }

bool RunWidgetDefault(TControlBridge* bridge, UINT msg) { return bridge->RunWidgetDefault(msg); }

void WatchInner(TControlBridge* bridge, QWidget* inner) { bridge->Watch(inner); }

TControl* ControlOfHandle(HWND wnd) {
    auto* bridge = dynamic_cast<TControlBridge*>(velmor_internal::HandleReceiver(wnd));
    return bridge ? bridge->Control() : nullptr;
}

TControl* ControlOfWidget(const QWidget* widget) {
    TControlBridge* bridge = TControlBridge::Of(widget);
    return bridge ? bridge->Control() : nullptr;
}

// --- making widgets --------------------------------------------------------------------

QWidget* CreatePlainWidget(QWidget* parent) { return new QWidget(parent); }

QWidget* CreateWindowedWidget(QWidget* parent, bool opaque, bool tabStop) {
    auto* w = new QWidget(parent);
    w->setAutoFillBackground(!opaque);
    if (opaque) w->setAttribute(Qt::WA_OpaquePaintEvent);
    w->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
    return w;
}

QWidget* CreateGraphicWidget(QWidget* parent) {
    auto* w = new QWidget(parent);
    w->setAutoFillBackground(false);
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

// --- place, order and state --------------------------------------------------------------

void SetGeometry(QWidget* w, int left, int top, int width, int height) { w->setGeometry(left, top, width, height); }

TPoint MapToScreen(const QWidget* w, const TPoint& p) {
    const QPoint g = w->mapToGlobal(QPoint(p.X, p.Y));
    return Point(g.x(), g.y());
}

TPoint MapTo(const QWidget* from, const QWidget* to, const TPoint& p) {
    const QPoint q = from->mapTo(to, QPoint(p.X, p.Y));
    return Point(q.x(), q.y());
}

TRect WidgetBounds(const QWidget* w) {
    const QRect g = w->geometry();
    return Bounds(g.x(), g.y(), g.width(), g.height());
}

QWidget* ParentWidget(const QWidget* w) { return w->parentWidget(); }

void SetParentWidget(QWidget* w, QWidget* parent) { w->setParent(parent); }

bool IsVisible(const QWidget* w) { return w->isVisible(); }

bool IsWindow(const QWidget* w) { return w->isWindow(); }

void SetVisible(QWidget* w, bool visible) { w->setVisible(visible); }

void SetEnabled(QWidget* w, bool enabled) { w->setEnabled(enabled); }

void BringToFront(QWidget* w) { w->raise(); }

void SendToBack(QWidget* w) { w->lower(); }

void SetMouseTracking(QWidget* w, bool on) { w->setMouseTracking(on); }

void SetStaticContents(QWidget* w, bool on) { w->setAttribute(Qt::WA_StaticContents, on); }

void GrabMouse(QWidget* w) {
    if (w->isVisible()) w->grabMouse();
}

void ReleaseMouse(QWidget* w) {
    if (QWidget::mouseGrabber() == w) w->releaseMouse();
}

// --- looks ---------------------------------------------------------------------------------

void ApplyFont(QWidget* w, const TFont* font) {
    w->setFont(font->QtFont());
    QPalette pal = w->palette();
    const QColor c = velmor_internal::ToQColor(font->Color());
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    pal.setColor(QPalette::ButtonText, c);
    w->setPalette(pal);
}

void ApplyBackColor(QWidget* w, TColor color) {
    QPalette pal = w->palette();
    const QColor c = velmor_internal::ToQColor(color);
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Base, c);
    pal.setColor(QPalette::Button, c);
    w->setPalette(pal);
}

void ApplyCursor(QWidget* w, TCursor cursor) {
    if (cursor == crDefault)
        w->unsetCursor();
    else
        w->setCursor(velmor_internal::CursorFor(cursor));
}

// --- focus -----------------------------------------------------------------------------------

void ApplyTabStop(QWidget* w, bool tabStop, bool plainFocus) {
    if (plainFocus) {
        w->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
        return;
    }
    int bits = static_cast<int>(w->focusPolicy());
    if (tabStop)
        bits |= Qt::TabFocus;
    else
        bits &= ~static_cast<int>(Qt::TabFocus);
    w->setFocusPolicy(static_cast<Qt::FocusPolicy>(bits));
}

void SetFocusByClickAndTab(QWidget* w) { w->setFocusPolicy(Qt::StrongFocus); }

void ChainTabOrder(QWidget* first, QWidget* second) { QWidget::setTabOrder(first, second); }

void PlaceInTabOrder(QWidget* root, const std::vector<QWidget*>& made) {
    QWidget* window = root->window();
    if (window == root) return;
    // The order wanted: the window's chain as it stands, with everything
    // under root right after it, `made` first.
    std::vector<QWidget*> chain;
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) chain.push_back(w);
    std::vector<QWidget*> order;
    // (The toolkit counts a widget among its own ancestors.)
    auto under = [root](QWidget* w) { return w != root && root->isAncestorOf(w); };
    for (QWidget* w : chain) {
        if (under(w)) continue;
        order.push_back(w);
        if (w != root) continue;
        order.insert(order.end(), made.begin(), made.end());
        for (QWidget* u : chain)
            if (under(u) && std::find(made.begin(), made.end(), u) == made.end()) order.push_back(u);
    }
    // Only widgets Tab can reach take part; each follows the one before.
    // The toolkit moves a widget whose focus goes to a widget inside it
    // (a combo box's editor) together with what follows that one in the
    // chain: the proxies are set aside meanwhile, so each widget moves
    // alone.
    std::vector<std::pair<QWidget*, QWidget*>> proxies;
    for (QWidget* w : chain)
        if (QWidget* proxy = w->focusProxy()) {
            proxies.emplace_back(w, proxy);
            w->setFocusProxy(nullptr);
        }
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->window() != window) continue;
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
    for (const auto& [w, proxy] : proxies) w->setFocusProxy(proxy);
}

void SetFocus(QWidget* w) { w->setFocus(Qt::OtherFocusReason); }

bool IsFocused(const QWidget* w) {
    if (w->hasFocus()) return true;
    // A window that is not active still knows which of its widgets has
    // the focus.
    QWidget* window = w->window();
    return window && window->focusWidget() == w && !window->isActiveWindow() && window->isVisible();
}

// --- painting ----------------------------------------------------------------------------------

void Invalidate(QWidget* w) { w->update(); }

void Invalidate(QWidget* w, const TRect& r) { w->update(r.Left, r.Top, r.Width(), r.Height()); }

void Repaint(QWidget* w) {
    if (w->isVisible()) w->repaint();
}

void PaintWidget(QWidget* w, TCanvas* canvas, const std::function<void()>& paint) {
    PaintWidget(w, canvas, w->width(), w->height(), paint);
}

void PaintWidget(QWidget* w, TCanvas* canvas, int width, int height, const std::function<void()>& paint) {
    QPainter painter(w);
    canvas->BeginPaint(&painter, width, height);
    try {
        paint();
    } catch (...) {
        canvas->EndPaint();
        throw;
    }
    canvas->EndPaint();
}

void RenderTo(QWidget* w, TCanvas* canvas, int x, int y) {
    QPainter* painter = canvas ? canvas->Painter() : nullptr;
    if (!painter) return;
    w->ensurePolished();
    w->render(painter, QPoint(x, y), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
}

void CallSoon(QWidget* w, std::function<void()> fn) {
    QMetaObject::invokeMethod(w, std::move(fn), Qt::QueuedConnection);
}

}  // namespace velmor_ws
