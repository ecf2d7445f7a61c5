#include "framework/controls/ViewportInput.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QMouseEvent>

#include "framework/controls/WinControl.h"

namespace {
void Send(QWidget* target, QEvent::Type type, const QPoint& p, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(p), QPointF(target->mapToGlobal(p)), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &e);
}

QWidget* ViewportOf(TWinControl* c, QPoint& p) {
    QWidget* w = c->Widget();
    auto* area = qobject_cast<QAbstractScrollArea*>(w);
    QWidget* target = area ? area->viewport() : w;
    p = target->mapFrom(w, p);
    return target;
}
}  // namespace

void SimulateItemClick(TWinControl* control, int x, int y) {
    QPoint p(x, y);
    QWidget* target = ViewportOf(control, p);
    Send(target, QEvent::MouseButtonPress, p, Qt::LeftButton);
    Send(target, QEvent::MouseButtonRelease, p, Qt::NoButton);
}

void SimulateItemDblClick(TWinControl* control, int x, int y) {
    SimulateItemClick(control, x, y);
    QPoint p(x, y);
    QWidget* target = ViewportOf(control, p);
    Send(target, QEvent::MouseButtonDblClick, p, Qt::LeftButton);
    Send(target, QEvent::MouseButtonRelease, p, Qt::NoButton);
}
