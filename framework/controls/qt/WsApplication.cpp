#include "framework/controls/qt/WsApplication.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTimer>
#include <QToolTip>
#include <QWidget>
#include <vector>

#include "framework/controls/qt/ControlBridge.h"
#include "framework/graphics/FontWarmUp.h"

namespace velmor_ws {
namespace {
// The toolkit's application with the framework's focus rule for clicks.
class TToolkitApplication : public QApplication {
public:
    using QApplication::QApplication;
    // The toolkit lets go of the font configuration as it ends: the reading
    // started with it must be over first.
    ~TToolkitApplication() override { WaitForFontWarmUp(); }

    bool notify(QObject* receiver, QEvent* e) override {
        if ((e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) &&
            e->spontaneous() && receiver->isWidgetType()) {
            velmor_internal::TClickFocusScope scope(static_cast<QWidget*>(receiver));
            return QApplication::notify(receiver, e);
        }
        return QApplication::notify(receiver, e);
    }
};

std::unique_ptr<QApplication>& OwnApp() {
    static std::unique_ptr<QApplication> app;
    return app;
}
}  // namespace

bool StartToolkit(int& argc, char** argv) {
    // Without any display (a build machine, a test listing) the toolkit
    // would abort; windows then live off screen instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    bool made = false;
    if (!QApplication::instance()) {
        StartFontWarmUp();
        OwnApp() = std::make_unique<TToolkitApplication>(argc, argv);
        made = true;
    }
    // Windows close through their forms; the main form ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    return made;
}

void StopToolkit() { OwnApp().reset(); }

bool ToolkitStarted() { return QCoreApplication::instance() != nullptr; }

void SetApplicationName(const String& name) {
    if (QCoreApplication::instance()) QApplication::setApplicationName(QString::fromStdString(name));
}

int RunEventLoop() { return QApplication::instance() ? QApplication::exec() : 0; }

void QuitEventLoop() {
    if (QCoreApplication::instance()) QCoreApplication::quit();
}

bool AddIdleHandler(std::function<void()> onIdle) {
    if (!QCoreApplication::instance()) return false;
    QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance();
    if (!d) return false;
    QObject::connect(d, &QAbstractEventDispatcher::aboutToBlock, d, std::move(onIdle));
    return true;
}

namespace {
// Watches every paint of the application for the first one inside a window:
// the window itself may be covered by its children and never paint.
// Watches one window for its first paint and then runs what waited for
// it, in the order given. It stays as the window's child once done, so
// later callers learn that the window has painted.
class TFirstPaintWatch : public QObject {
public:
    explicit TFirstPaintWatch(QWidget* window) : QObject(window), FWindow(window) {
        QCoreApplication::instance()->installEventFilter(this);
    }

    void Add(std::function<void()> then) {
        if (FDone) {
            QMetaObject::invokeMethod(this, std::move(then), Qt::QueuedConnection);
            return;
        }
        FWaiting.push_back(std::move(then));
    }

    bool eventFilter(QObject* receiver, QEvent* e) override {
        if (e->type() == QEvent::Paint && !FPosted && receiver->isWidgetType() &&
            static_cast<QWidget*>(receiver)->window() == FWindow) {
            // Posted, so this paint and the rest of the window's finish
            // first; ahead of other posted work, so that nothing else (a
            // dialog a handler opens, say) comes between.
            FPosted = true;
            QCoreApplication::instance()->removeEventFilter(this);
            QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::HighEventPriority);
        }
        return false;
    }

protected:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User || FDone) return QObject::event(e);
        FDone = true;
        const std::vector<std::function<void()>> waiting = std::move(FWaiting);
        FWaiting.clear();
        for (const auto& then : waiting) then();
        return true;
    }

private:
    QWidget* FWindow;
    std::vector<std::function<void()>> FWaiting;
    bool FPosted = false, FDone = false;
};
}  // namespace

void AfterFirstPaint(QWidget* window, std::function<void()> then) {
    if (!window || !QCoreApplication::instance()) return;
    window = window->window();
    const QString name = QStringLiteral("velmor-first-paint");
    auto* watch = dynamic_cast<TFirstPaintWatch*>(window->findChild<QObject*>(name, Qt::FindDirectChildrenOnly));
    if (!watch) {
        watch = new TFirstPaintWatch(window);
        watch->setObjectName(name);
    }
    watch->Add(std::move(then));
}

void Beep() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

void ShowHintText(const TPoint& at, const String& text, QWidget* widget, int hideMs) {
    QString shown = QString::fromStdString(text);
    shown.replace("\r\n", "\n").replace("\n\r", "\n").replace('\r', '\n');
    QToolTip::showText(QPoint(at.X, at.Y), shown, widget, QRect(), hideMs);
}

void HideHintText() {
    if (QApplication::instance()) QToolTip::hideText();
}

struct TOneShotTimer::Impl {
    std::function<void()> OnTimeout;
    std::unique_ptr<QTimer> Timer;
};

TOneShotTimer::TOneShotTimer(std::function<void()> onTimeout) : FImpl(new Impl) {
    FImpl->OnTimeout = std::move(onTimeout);
}

TOneShotTimer::~TOneShotTimer() = default;

void TOneShotTimer::Start(int ms) {
    if (!FImpl->Timer) {
        FImpl->Timer = std::make_unique<QTimer>();
        FImpl->Timer->setSingleShot(true);
        QObject::connect(FImpl->Timer.get(), &QTimer::timeout, [this] { FImpl->OnTimeout(); });
    }
    FImpl->Timer->start(ms);
}

void TOneShotTimer::Stop() {
    if (FImpl->Timer) FImpl->Timer->stop();
}

}  // namespace velmor_ws
