#pragma once
// The toolkit side of the grid (TCustomGrid): its two scroll bars, which
// live inside the grid's widget and which the framework paints itself
// while they are flat.
#include <functional>

#include "framework/graphics/Color.h"
#include "framework/rtl/Types.h"

class QWidget;

namespace velmor_ws {

// How the grid's bars look, and where the mouse last was on one of them;
// the grid owns it, its bars read it when they paint.
struct TGridBarLook {
    bool Flat = false;
    int Style[2] = {0, 0};  // FSB_ mode, by SB_HORZ, SB_VERT
    TColor Back[2] = {clNone, clNone};
    TPoint MouseScreen{};  // written by the bars
};

// A scroll bar inside the grid's widget `grid`, never focused, with the
// arrow cursor. `onScroll` hears what a person does with it as the
// grid's scroll codes: a move (SB_LINEUP … SB_THUMBTRACK) with the slider
// position, the thumb let go (SB_THUMBPOSITION) and, last, the mouse
// button let go (SB_ENDSCROLL, position 0).
QWidget* CreateGridScrollBar(QWidget* grid, bool vertical, TGridBarLook* look,
                             std::function<void(QWidget* bar, int code, int pos)> onScroll);
// Range, page and position; the position stays while the thumb is held.
// The bar repaints.
void SetGridBarRange(QWidget* bar, int min, int max, int pageStep, int position);
// Moves the slider alone (the toolkit commits it after a move), or the
// bar's value.
void SetGridBarSlider(QWidget* bar, int position);
void SetGridBarValue(QWidget* bar, int position);
// Where the thumb is while a person holds it; false when it is not held.
bool GridBarTracking(const QWidget* bar, int& position);
// The thumb in the grid's coordinates.
TRect GridBarThumbRect(const QWidget* bar);

}  // namespace velmor_ws
