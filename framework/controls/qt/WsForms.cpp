#include "framework/controls/qt/WsForms.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <QWindow>

#include "framework/controls/qt/ControlBridge.h"
#include "framework/controls/qt/ModalWindows.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Region.h"
#include "framework/messages/MessageQueue.h"

namespace velmor_ws {

// --- the window ----------------------------------------------------------------

QWidget* CreateFormWindow() {
    auto* w = new QWidget(nullptr, Qt::Window);
    w->setAutoFillBackground(true);
    return w;
}

QWidget* CreateFormClient(QWidget* window, TControlBridge* bridge) {
    auto* client = new QWidget(window);
    client->setMouseTracking(true);
    WatchInner(bridge, client);
    window->setMouseTracking(true);
    return client;
}

bool SetWindowStyle(QWidget* window, const TWindowStyle& style) {
    Qt::WindowFlags f;
    switch (style.Kind) {
    case TWindowStyle::Tool: f = Qt::Tool; break;
    case TWindowStyle::Dialog: f = Qt::Dialog; break;
    default: f = Qt::Window; break;
    }
    if (style.Frameless) {
        f |= Qt::FramelessWindowHint;
    } else {
        f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (style.SystemMenu) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (style.MinimizeButton) f |= Qt::WindowMinimizeButtonHint;
        if (style.MaximizeButton) f |= Qt::WindowMaximizeButtonHint;
        if (style.HelpButton) f |= Qt::WindowContextHelpButtonHint;
    }
    if (style.StayOnTop) f |= Qt::WindowStaysOnTopHint;
    if (window->windowFlags() == f) return false;
    window->setWindowFlags(f);
    return true;
}

void PlaceWindow(QWidget* window, int left, int top, int width, int height, bool sizeable) {
    if (sizeable) {
        window->setMinimumSize(0, 0);
        window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        window->setFixedSize(width, height);
    }
    window->move(left, top);
    window->resize(width, height);
}

void MoveWindow(QWidget* window, int left, int top) { window->move(left, top); }

TPoint WindowPos(QWidget* window) { return TPoint{window->x(), window->y()}; }

TSize WindowClientSize(QWidget* window) { return TSize{window->width(), window->height()}; }

TSize WindowFrameSize(QWidget* window) {
    return TSize{window->frameGeometry().width() - window->width(),
                 window->frameGeometry().height() - window->height()};
}

void SetWindowTitle(QWidget* window, const String& title) { window->setWindowTitle(QString::fromStdString(title)); }

void SetWindowMask(QWidget* window, const TRegion* region, int dx, int dy) {
    if (region) {
        QRegion r = region->QtRegion();
        r.translate(dx, dy);
        window->setMask(r);
    } else {
        window->clearMask();
    }
}

void GiveFocusBack(QWidget* window, QWidget* opener) {
    if (!opener || opener == window || !window->isVisible() || QApplication::activeWindow() != window ||
        !opener->isVisible() || opener->isMinimized())
        return;
    opener->activateWindow();
}

void ShowWindowAs(QWidget* window, TShowState state) {
    switch (state) {
    case ssHide: window->hide(); break;
    case ssMinimized: window->showMinimized(); break;
    case ssMaximized: window->showMaximized(); break;
    default: window->showNormal(); break;
    }
}

void BringWindowToFront(QWidget* window) {
    if (!window || !window->isVisible()) return;
    if (QGuiApplication::platformName() != "offscreen") window->raise();
    window->activateWindow();
}

bool StartSystemMove(QWidget* window) {
    QWindow* win = window ? window->windowHandle() : nullptr;
    return win && win->startSystemMove();
}

bool StartSystemResize(QWidget* window, int edges) {
    QWindow* win = window ? window->windowHandle() : nullptr;
    if (!win) return false;
    Qt::Edges e;
    if (edges & weLeft) e |= Qt::LeftEdge;
    if (edges & weTop) e |= Qt::TopEdge;
    if (edges & weRight) e |= Qt::RightEdge;
    if (edges & weBottom) e |= Qt::BottomEdge;
    return win->startSystemResize(e);
}

namespace {
class TPaintFilter : public QObject {
public:
    explicit TPaintFilter(std::function<void()> paint) : FPaint(std::move(paint)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) GuardedCall(FPaint);
        return false;
    }

private:
    std::function<void()> FPaint;
};
}  // namespace

struct TPaintWatch::Impl {
    explicit Impl(std::function<void()> paint) : Filter(std::move(paint)) {}
    TPaintFilter Filter;
};

TPaintWatch::TPaintWatch(QWidget* window, std::function<void()> paint) : FImpl(new Impl(std::move(paint))) {
    window->installEventFilter(&FImpl->Filter);
}

TPaintWatch::~TPaintWatch() = default;

// --- children --------------------------------------------------------------------

void FocusOnActivation(QWidget* widget) { widget->setFocus(Qt::ActiveWindowFocusReason); }

TControl* FocusedControl() {
    QWidget* f = QApplication::focusWidget();
    return f ? ControlOfWidget(f) : nullptr;
}

// --- modal runs ------------------------------------------------------------------

struct TModalRun::Impl {
    QPointer<QWidget> Before;
    std::unique_ptr<velmor_internal::TModalWindowsOff> Others;
};

TModalRun::TModalRun(QWidget* modal) : FImpl(new Impl) {
    FImpl->Before = QApplication::activeWindow();
    FImpl->Others = std::make_unique<velmor_internal::TModalWindowsOff>(modal);
}

TModalRun::~TModalRun() = default;

void TModalRun::ReactivatePrevious(QWidget* modal) {
    QWidget* before = FImpl->Before;
    if (before && before->isVisible() && before != modal) before->activateWindow();
}

// --- keys ------------------------------------------------------------------------

namespace {
class TWindowKeyFilter : public QObject {
public:
    explicit TWindowKeyFilter(std::function<bool(const TWindowKey&)> onKey) : FOnKey(std::move(onKey)) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (!watched->isWidgetType()) return false;
        if (e->type() == QEvent::KeyPress) return Key(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(e));
        return false;
    }

private:
    bool Key(QWidget* w, QKeyEvent* ke) {
        // A key no control took travels up to the window. (A new event may
        // reuse an old one's address, so the address alone does not tell.)
        const bool propagated =
            ke == FLast && FLastWidget && FLastWidget != w && w->isAncestorOf(FLastWidget);
        if (!propagated) {
            FLast = ke;
            FLastWidget = w;
        }
        TControlBridge* b = TControlBridge::Of(w->window());
        TWindowKey k;
        k.Window = b ? b->Control() : nullptr;
        if (!k.Window) return false;
        const Qt::KeyboardModifiers mods = ke->modifiers();
        if (mods & Qt::ShiftModifier) k.Shift |= ssShift;
        if (mods & Qt::ControlModifier) k.Shift |= ssCtrl;
        if (mods & Qt::AltModifier) k.Shift |= ssAlt;
        const int vk = QtKeyToVirtualKey(ke->key(), (mods & Qt::KeypadModifier) != 0);
        if (!vk) return false;
        k.Key = static_cast<Word>(vk);
        k.AtWindow = w == w->window();
        k.AltChar = velmor_internal::IsAltCharKey(ke);
        k.Propagated = propagated;
        return FOnKey(k);
    }
    std::function<bool(const TWindowKey&)> FOnKey;
    QKeyEvent* FLast = nullptr;
    QPointer<QWidget> FLastWidget;
};
}  // namespace

bool WatchWindowKeys(std::function<bool(const TWindowKey&)> onKey) {
    if (!QApplication::instance()) return false;
    auto* filter = new TWindowKeyFilter(std::move(onKey));
    filter->setParent(QApplication::instance());
    QApplication::instance()->installEventFilter(filter);
    return true;
}

// --- message boxes ----------------------------------------------------------------

TTextMeasure MeasureWrappedText(const TFont* font, const String& text, int maxWidth, int maxHeight) {
    const QFontMetrics fm(font->QtFont());
    const QRect r = fm.boundingRect(QRect(0, 0, maxWidth, maxHeight), Qt::TextWordWrap, QString::fromStdString(text));
    return TTextMeasure{r.width(), r.height(), fm.height()};
}

}  // namespace velmor_ws
