#include "framework/controls/Mouse.h"

#include "framework/controls/qt/WsMouse.h"

namespace {
TMouse gMouse;
}
TMouse* Mouse = &gMouse;

TPoint TMouse::CursorPos() const { return velmor_ws::CursorPos(); }

void TMouse::SetCursorPos(const TPoint& p) { velmor_ws::SetCursorPos(p); }

int TMouse::WheelScrollLines() const { return velmor_ws::WheelScrollLines(); }
