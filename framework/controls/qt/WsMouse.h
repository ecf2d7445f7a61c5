#pragma once
// The toolkit side of the mouse pointer (TMouse). The viewport forwarding
// of lists, trees and memos (ViewportMouse.h) is made in WsMouse.cpp too.
#include "framework/rtl/Types.h"

namespace velmor_ws {
// Where the pointer is on the screen ((0, 0) without the toolkit).
TPoint CursorPos();
void SetCursorPos(const TPoint& p);
// How many lines a notch of the wheel scrolls (3 without the toolkit).
int WheelScrollLines();
}  // namespace velmor_ws
