#include "framework/controls/Mouse.h"

#include <QApplication>
#include <QCursor>

namespace {
TMouse gMouse;
}
TMouse* Mouse = &gMouse;

TPoint TMouse::CursorPos() const {
    if (!QGuiApplication::instance()) return TPoint{};
    const QPoint p = QCursor::pos();
    return Point(p.x(), p.y());
}

void TMouse::SetCursorPos(const TPoint& p) {
    if (QGuiApplication::instance()) QCursor::setPos(p.X, p.Y);
}

int TMouse::WheelScrollLines() const {
    return QApplication::instance() ? QApplication::wheelScrollLines() : 3;
}
