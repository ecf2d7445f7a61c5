#pragma once
#include "framework/rtl/Types.h"

// The mouse pointer. CursorPos is in screen coordinates.
class TMouse {
public:
    TPoint CursorPos() const;
    void SetCursorPos(const TPoint& p);
    int WheelScrollLines() const;
    bool MousePresent() const { return true; }
};

extern TMouse* Mouse;
