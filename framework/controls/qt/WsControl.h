#pragma once
#include <vector>
// The generic operations on a control's toolkit widget. Control code holds
// its widget as an opaque handle and reaches it only through these (and
// through the family files beside this one); the toolkit itself stays in
// framework/controls/qt.
#include <functional>

#include "framework/controls/Controls.h"
#include "framework/graphics/Color.h"
#include "framework/messages/Messages.h"
#include "framework/rtl/Types.h"

class QWidget;
class TCanvas;
class TControl;
class TControlBridge;
class TFont;

namespace velmor_ws {

// --- the toolkit ------------------------------------------------------------
// Whether the toolkit runs at all (there is an application object):
// without it a control keeps its state and makes no widget.
bool HasToolkit();
// The keys held down now, as the toolkit last saw them (0 without it).
TShiftState KeyboardShiftState();

// --- the bridge between a control and its widget -------------------------------
// Links `control` to its new widget: the widget's events become the
// control's messages from now on.
TControlBridge* AttachBridge(TControl* control, QWidget* widget);
// Lets go of a control's widget and bridge: nothing reaches the control
// any more. While an event is being delivered somewhere up the stack
// (maybe to this widget) the widget hides now and both go once it is over.
void DestroyWidget(QWidget* widget, TControlBridge* bridge);
// The window handle the bridge receives messages as.
HWND BridgeHandle(const TControlBridge* bridge);
// The widget's own handling of the event now being translated into `msg`
// (see TControlBridge::RunWidgetDefault); false when the control went away.
bool RunWidgetDefault(TControlBridge* bridge, UINT msg);
// An inner widget (a box's client area, an editable combo box's line edit)
// reports to the control as well.
void WatchInner(TControlBridge* bridge, QWidget* inner);
// The control behind a window handle, or behind a widget or the nearest of
// its ancestors that has one (nullptr for none).
TControl* ControlOfHandle(HWND wnd);
TControl* ControlOfWidget(const QWidget* widget);

// --- making widgets --------------------------------------------------------------
// A bare widget (what a plain control shows).
QWidget* CreatePlainWidget(QWidget* parent);
// A windowed control's widget: fills its background unless the control is
// opaque, and takes the focus by a click or Tab only as a tab stop.
QWidget* CreateWindowedWidget(QWidget* parent, bool opaque, bool tabStop);
// A graphic control's widget: see-through where it paints nothing, never
// focused.
QWidget* CreateGraphicWidget(QWidget* parent);

// --- place, order and state ----------------------------------------------------
void SetGeometry(QWidget* w, int left, int top, int width, int height);
// Where a point of the widget is on the screen.
TPoint MapToScreen(const QWidget* w, const TPoint& p);
// The point of `to` where the point `p` of `from` is.
TPoint MapTo(const QWidget* from, const QWidget* to, const TPoint& p);
TRect WidgetBounds(const QWidget* w);  // in its parent's coordinates
QWidget* ParentWidget(const QWidget* w);
void SetParentWidget(QWidget* w, QWidget* parent);
// Whether the widget shows (it and all its parents are visible).
bool IsVisible(const QWidget* w);
// Whether the widget is a window of its own rather than a child.
bool IsWindow(const QWidget* w);
void SetVisible(QWidget* w, bool visible);
void SetEnabled(QWidget* w, bool enabled);
void BringToFront(QWidget* w);
void SendToBack(QWidget* w);
void SetMouseTracking(QWidget* w, bool on);
// The toolkit keeps what is painted across a resize and repaints only
// what the control asks for.
void SetStaticContents(QWidget* w, bool on);
// Takes all mouse input while the widget shows (capture); Release lets go
// only if the widget holds it.
void GrabMouse(QWidget* w);
void ReleaseMouse(QWidget* w);

// --- looks ------------------------------------------------------------------------
// The control's font, and its colour for all kinds of text.
void ApplyFont(QWidget* w, const TFont* font);
// The control's colour as the background of windows, fields and buttons.
void ApplyBackColor(QWidget* w, TColor color);
// crDefault takes the parent's cursor.
void ApplyCursor(QWidget* w, TCursor cursor);

// --- focus ------------------------------------------------------------------------
// A plain widget takes the focus by a click and Tab when it is a tab stop,
// not at all otherwise; another widget only gains or loses Tab.
void ApplyTabStop(QWidget* w, bool tabStop, bool plainFocus);
// The widget takes the focus by a click and by Tab, whatever it did before.
void SetFocusByClickAndTab(QWidget* w);
// Tab goes from `first` to `second`.
void ChainTabOrder(QWidget* first, QWidget* second);
// `root` has had its place in its window's Tab order since it was made;
// `made` are widgets made under it later (which the toolkit put at the end
// of that order): Tab now reaches them right after `root`, in the order
// given, as it would had they been made with it. The rest keeps its order.
void PlaceInTabOrder(QWidget* root, const std::vector<QWidget*>& made);
void SetFocus(QWidget* w);
// The widget has the focus, or would have it once its window, which is not
// active now, becomes active again.
bool IsFocused(const QWidget* w);

// --- painting --------------------------------------------------------------------
void Invalidate(QWidget* w);
void Invalidate(QWidget* w, const TRect& r);
// Paints what is invalid now if the widget shows.
void Repaint(QWidget* w);
// Opens `canvas` on the widget (its whole size, or width x height), runs
// `paint` and closes the canvas again whatever happens. Only while the
// toolkit asks the widget to paint.
void PaintWidget(QWidget* w, TCanvas* canvas, const std::function<void()>& paint);
void PaintWidget(QWidget* w, TCanvas* canvas, int width, int height, const std::function<void()>& paint);
// Draws the widget and its children with their backgrounds into `canvas`
// at (x, y); nothing when the canvas is not open.
void RenderTo(QWidget* w, TCanvas* canvas, int x, int y);

// --- later ------------------------------------------------------------------------
// Runs `fn` from the event loop, after what the toolkit is doing now; not
// at all once the widget is gone.
void CallSoon(QWidget* w, std::function<void()> fn);

}  // namespace velmor_ws
