#pragma once
// Docking controls on dock sites, the way the classic framework does it.
//
// A control with DragKind dkDock is dragged (BeginDrag, or pressing it with
// DragMode dmAutomatic, or pressing its grabber on a site with a dock
// manager). OnStartDock fires at once; the drag shows once the mouse has
// moved a few pixels. While it moves, the sites under the mouse are asked
// (GetSiteInfo, OnGetSiteInfo), the one that takes the control gets
// OnDockOver with dsDragEnter, dsDragMove and dsDragLeave, and a frame on
// the screen shows where the control would land: a thin one on a site, a
// thick one where it would float. Holding Ctrl keeps it from docking;
// Escape cancels. Dropped on a site, the old site is asked (OnUnDock), the
// control docks (OnDockDrop); dropped elsewhere it floats in a
// TFloatingDockForm of its own. OnEndDock ends every drag.
//
// Every control the mouse reaches during a drag is left alone: the drag
// has the mouse and the keys until it ends.
#include "framework/controls/DockManager.h"
#include "framework/controls/DragDockObject.h"

class TCanvas;

// The control being dragged, if any.
TControl* DragControl();
// Cancels the drag that runs, if any.
void CancelDrag();
// Where the drop frame shows and how thick it is; false when none shows.
bool DockDropFrame(TRect& rect, int& width);

// How far the mouse must move before a drag that waits for it shows.
inline constexpr int DockDragThreshold = 5;

namespace velmor_internal {
// A mouse message reached TControl::WndProc: notes where the mouse is and
// starts the drag of a dmAutomatic control. True when the message is used.
bool DockMouseMessage(TControl* control, TMessage& message);
// Where the mouse was at the last mouse message a control received
// (screen); the pointer's place when none came yet.
TPoint LastMousePos();
// Starts a dock drag with the mouse at screenPos.
void BeginDockDrag(TControl* control, const TPoint& screenPos, bool immediate, int threshold);
void EndDockDrag(TControl* control, bool drop);
bool ManualDock(TControl* control, TWinControl* site, TControl* dropControl, TAlign side);
bool ManualFloat(TControl* control, const TRect& screenPos);
// Docks the source's control on the site (what TWinControl::DockDrop does
// before OnDockDrop).
void DockClient(TWinControl* site, TDragDockObject* source);
// The control leaves its parent: when that is its dock site, it undocks.
void DockClientLeaving(TControl* control);
// The control is being destroyed: no drag or site list keeps it.
void DockControlGone(TControl* control);
// The site registers for drags (or stops).
void DockSiteChanged(TWinControl* site);
// After a control painted itself: its dock manager draws on top.
void PaintDockSite(TControl* control, TCanvas* canvas);
// The area a site's docked clients share (client coordinates): its client
// area less what the site keeps for itself (frames, border band).
TRect DockArea(TWinControl* site);
// Where the source's control lands when it floats, or docks on a site
// without a dock manager: at the size it floats at, held by the mouse where
// it was taken (screen).
TRect FloatingRect(TDragDockObject* source);
// The side of rect that p is nearest to, in shares of its width and height.
TAlign DockEdgeOf(const TRect& rect, const TPoint& p);
// A client's close button was clicked: unless the site refuses (OnUnDock,
// with no new target), the client leaves the site and is hidden.
void CloseDockClient(TWinControl* site, TControl* client);
}  // namespace velmor_internal
