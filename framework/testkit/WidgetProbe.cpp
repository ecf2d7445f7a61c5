#include "framework/testkit/WidgetProbe.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>

#include "framework/controls/Control.h"

struct TWidgetProbe::TImpl {
    QPointer<QWidget> Widget;
};

TWidgetProbe::TWidgetProbe(TControl* control) : F(std::make_unique<TImpl>()) {
    F->Widget = control->WidgetIfAllocated();
}

TWidgetProbe::~TWidgetProbe() = default;

bool TWidgetProbe::Exists() const { return !F->Widget.isNull(); }

void TWidgetProbe::Poke() {
    if (!F->Widget) return;
    QList<QPointer<QWidget>> targets{F->Widget};
    for (QWidget* w : F->Widget->findChildren<QWidget*>()) targets.append(w);
    for (const QPointer<QWidget>& w : targets) {
        if (!w) continue;
        const QPointF at(w->width() / 2.0, w->height() / 2.0);
        const QPointF global(w->mapToGlobal(at.toPoint()));
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        if (!w) continue;
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &release);
    }
    for (const QPointer<QWidget>& w : targets) {
        for (const auto& [key, text] : {std::pair<int, QString>{Qt::Key_Return, "\r"}, {Qt::Key_Space, " "},
                                        {Qt::Key_Up, {}}, {Qt::Key_Down, {}}, {Qt::Key_A, "a"}}) {
            if (!w) break;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(w, &press);
            if (!w) break;
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
            QApplication::sendEvent(w, &release);
        }
    }
    for (const QPointer<QWidget>& w : targets) {
        if (!w) continue;
        const QPointF at(w->width() / 2.0, w->height() / 2.0);
        QWheelEvent wheel(at, w->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &wheel);
    }
}
