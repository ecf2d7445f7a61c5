#pragma once
// The toolkit side of docking: the drop frame on the screen, the input a
// dock drag takes for itself while it runs, and moving a floating window.
#include <functional>

#include "framework/rtl/Types.h"

class QWidget;

namespace velmor_ws {

// The frame that shows where a dragged control would land: a checkered
// band `width` pixels wide around `rect` (screen), see-through inside and
// to the mouse.
void ShowDropFrame(const TRect& rect, int width);
void HideDropFrame();
// Where the frame shows; false while it does not.
bool DropFrameShown(TRect& rect, int& width);

// While a dock drag runs it has the mouse and the keys: nothing else
// hears of them. Points are screen points.
struct TDockDragInput {
    std::function<bool()> Running;
    std::function<void(const TPoint&, bool)> MouseMoved;  // Ctrl held or not
    std::function<void(const TPoint&)> LeftReleased;
    std::function<void()> EscapePressed;
    std::function<void(bool)> CtrlChanged;  // pressed or released
};
// Installs the input filter once; later calls do nothing while it is there.
void WatchDockDragInput(TDockDragInput input);
// The keyboard comes to the program for the drag whatever window has the
// focus (on a display: the window system's keyboard grab, held by the
// window of `widget`), so Escape and Ctrl reach the drag even when the
// focus is elsewhere or nowhere, as it is after a window went with no
// window manager to pass the focus on. Released by ReleaseDragKeys.
void GrabDragKeys(QWidget* widget);
void ReleaseDragKeys();

// Moves a window by (dx, dy) from where the toolkit says it is.
void MoveWindowBy(QWidget* window, int dx, int dy);

}  // namespace velmor_ws
