#pragma once
// The toolkit side of the windows that show above all others without
// taking the focus: the hint window (THintWindow), the picture that follows
// a drag (TDragImage) and the outlines drawn on the screen
// (TScreenOutlines).
#include <vector>

#include "framework/rtl/Types.h"

class QWidget;
class TBitmap;

namespace velmor_ws {

// A window of its own for a hint: no frame, shown without being activated.
QWidget* CreateHintWindow();

// A borderless, half see-through window showing a copy of `picture` at its
// size; the mouse passes through it.
QWidget* CreatePictureWindow(TBitmap* picture);
// Shows a copy of `picture` instead, at its size.
void SetWindowPicture(QWidget* window, TBitmap* picture);

// A window above all others, without a frame or the focus, that the mouse
// passes through, for outlines drawn on the screen.
QWidget* CreateOutlineWindow();
// Shows the outlines of `rects` (screen coordinates): the window covers
// them all and shows only their one-pixel edges, dotted.
void ShowOutlines(QWidget* window, const std::vector<TRect>& rects);

// Moves a window's top-left corner to a screen point, and shows it if it
// is hidden.
void ShowWindowAt(QWidget* window, const TPoint& screenTopLeft);
// Paints the window now and lets the window system show it, without
// handling any input meanwhile.
void FlushWindow(QWidget* window);
// Frees a window made here (nothing for nullptr).
void DestroyWindow(QWidget* window);

}  // namespace velmor_ws
