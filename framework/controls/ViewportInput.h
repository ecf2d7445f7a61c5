#pragma once
// Input made by a program for the controls that show their items on an
// inner viewport (list and check-list boxes, tree and list views, memos):
// the click lands where a person's would, on the items, and takes the
// whole road (the toolkit's own selection, then the control's mouse
// messages and events). (x, y) are the control's client coordinates.
class TWinControl;

void SimulateItemClick(TWinControl* control, int x, int y);
void SimulateItemDblClick(TWinControl* control, int x, int y);
