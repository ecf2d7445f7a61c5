#pragma once
#include "framework/controls/Controls.h"

// What a dock drag carries: the control, where the mouse is, the site it is
// over and where the control would land there. The drop frame shows
// DockRect.
class TDragDockObject {
public:
    explicit TDragDockObject(TControl* control) : FControl(control) {}
    virtual ~TDragDockObject() = default;
    TDragDockObject(const TDragDockObject&) = delete;
    TDragDockObject& operator=(const TDragDockObject&) = delete;

    TControl* Control() const { return FControl; }

    // The mouse, in screen coordinates.
    TPoint DragPos;
    // The site under the mouse that takes the control; nullptr when it
    // would float.
    TWinControl* DragTarget = nullptr;
    // Where the control would land, in screen coordinates.
    TRect DockRect;
    // The side of DropOnControl (or of the site) it would dock to.
    TAlign DropAlign = alNone;
    TControl* DropOnControl = nullptr;
    // Where in the control the mouse took it, as a share of its width and
    // height: a control that floats at another size stays under the mouse
    // at the same place.
    double MouseDeltaX = 0;
    double MouseDeltaY = 0;
    // Dropped now, it would float.
    bool Floating = true;
    // Thickness of the drop frame while the control would float; docking
    // shows a one-pixel frame.
    int FrameWidth = 4;
    // Escape was pressed, or the drag was taken away.
    bool Cancelling = false;

private:
    TControl* FControl;
};
