#pragma once
// The toolkit side of the scroll bar (TScrollBar) and the scroll box
// (TScrollBox).
#include <functional>

#include "framework/controls/ScrollBar.h"
#include "framework/rtl/Types.h"

class QWidget;

namespace velmor_ws {

// A scroll bar widget. `onScroll` hears each move a person makes, as the
// classic scroll code and the position the bar would go to (guarded).
QWidget* CreateScrollBar(QWidget* parent, std::function<void(TScrollCode code, int pos)> onScroll);
// Sets the bar up without telling onScroll. `max` is the toolkit's: the
// last position the bar's start can take.
void SetScrollBarParams(QWidget* bar, bool vertical, int min, int max, int pageStep, int singleStep, int position);
// Puts the slider where the control's position is after a move (the
// toolkit would otherwise move on by itself).
void SetSliderPosition(QWidget* bar, int position);

// One bar of a scroll box: whether it shows, where it is in the box, its
// range 0..Max, its page and line steps and its position.
struct TBoxBar {
    bool Visible = false;
    TRect Bounds{};
    int Max = 0;
    int PageStep = 1;
    int SingleStep = 1;
    int Position = 0;
};
// A scroll box's widget: the sunken border (`border` deep), the two bars
// inside it and, between them, the client widget the controls sit on, so
// that none of them can cover the border. `onScroll` hears a bar moved by
// a person (guarded).
QWidget* CreateScrollBox(QWidget* parent, std::function<void(bool vertical, int pos)> onScroll);
// The client widget of a scroll box widget.
QWidget* ScrollBoxClient(QWidget* box);
// Lays the box out: border, client rectangle and bars, without telling
// onScroll.
void LayoutScrollBox(QWidget* box, int border, const TRect& client, const TBoxBar& horz, const TBoxBar& vert);

}  // namespace velmor_ws
