#pragma once
// A drop made by a test rather than a person dragging from another
// program: the data arrives as the toolkit's drag events (enter, move,
// then drop or leave) at the widget under the point that takes drops, so
// a control's drop target answers them as it would a real drag.
#include "framework/controls/DragDrop.h"

class TWinControl;

// Drops `data` on the control at client point (x, y) with the keys and
// buttons in `keyState` (MK_CONTROL, MK_SHIFT, MK_LBUTTON…) held. Returns
// the effect the drop took; DROPEFFECT_NONE when nothing there takes
// drops or the target refuses. Throws EInvalidOperation when the control
// is not showing.
DWORD SimulateDrop(TWinControl* control, IDataObject* data, int x, int y, DWORD keyState = 0);
