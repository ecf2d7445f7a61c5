#include "framework/controls/qt/ModalWindows.h"

#include <QApplication>
#include <QEvent>
#include <algorithm>

namespace velmor_internal {
namespace {

std::vector<TModalWindowsOff*>& Runs() {
    static std::vector<TModalWindowsOff*> runs;
    return runs;
}

// The innermost run that disables the window.
TModalWindowsOff* DisablingRun(const QWidget* window) {
    auto& runs = Runs();
    for (auto it = runs.rbegin(); it != runs.rend(); ++it)
        if ((*it)->Disables(window)) return *it;
    return nullptr;
}

bool IsInput(QEvent::Type type) { return IsUserInput(type) || type == QEvent::Close; }

// Sees every event before the widgets do, and drops the input meant for a
// disabled window.
class TModalFilter : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (Runs().empty() || !IsInput(e->type()) || !watched->isWidgetType()) return false;
        QWidget* window = static_cast<QWidget*>(watched)->window();
        TModalWindowsOff* run = DisablingRun(window);
        if (!run) return false;
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
            // The newest modal window is the one waiting for an answer.
            QWidget* top = Runs().back()->Modal();
            if (top && top->isVisible()) {
                top->raise();
                top->activateWindow();
            }
        }
        if (e->type() == QEvent::Close) e->ignore();
        return true;
    }
};

void EnsureFilter() {
    static TModalFilter* filter = nullptr;
    if (filter || !QCoreApplication::instance()) return;
    filter = new TModalFilter;
    filter->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}

}  // namespace

bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Enter:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        return true;
    default:
        return false;
    }
}

TModalWindowsOff::TModalWindowsOff(QWidget* modal) : FModal(modal) {
    EnsureFilter();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != modal && w->isVisible() && !(w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip))
            FDisabled.emplace_back(w);
    Runs().push_back(this);
}

TModalWindowsOff::~TModalWindowsOff() {
    auto& runs = Runs();
    runs.erase(std::remove(runs.begin(), runs.end(), this), runs.end());
}

bool TModalWindowsOff::Disables(const QWidget* window) const {
    for (const QPointer<QWidget>& w : FDisabled)
        if (w == window) return true;
    return false;
}

bool WindowDisabledByModal(const QWidget* window) { return DisablingRun(window) != nullptr; }

}  // namespace velmor_internal
