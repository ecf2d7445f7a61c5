#pragma once
// Input made by a test rather than a person. Every event enters the toolkit
// where the window system's would: at the window under the point, with a
// time stamp, so the whole road runs - the toolkit picks the innermost
// widget under the point, moves the focus by the widgets' focus rules,
// keeps the mouse on the widget pressed, makes double clicks of two quick
// presses, refuses input to windows a modal one disables, and then the
// control's WindowProc, its virtual methods, its On events and the widget's
// own handling follow in the order the framework gives them.
//
// A person can only reach what shows: every call throws EInvalidOperation
// when the control's window is not shown. Points are in the control's
// client coordinates where the control is at the time of the call (a
// control that moves under a held button takes its points along; use
// SimulateDrag for that). The real pointer never moves.
#include "framework/controls/Controls.h"

class TControl;
class TWinControl;

// `shift` holds the keys held (ssShift, ssCtrl, ssAlt) and, for a move or
// a release, the buttons still held (ssLeft…).
void SimulateMouseDown(TControl* control, TMouseButton button, int x, int y, TShiftState shift = 0);
void SimulateMouseUp(TControl* control, TMouseButton button, int x, int y, TShiftState shift = 0);
void SimulateMouseMove(TControl* control, int x, int y, TShiftState shift = 0);
// Press and release at one point, far enough in time from the last click
// never to make a double click with it.
void SimulateClick(TControl* control, int x, int y, TMouseButton button = mbLeft, TShiftState shift = 0);
// Two quick clicks: the toolkit makes the second press a double click.
void SimulateDblClick(TControl* control, int x, int y);
// Press at `from`, moves in `steps` even steps to `to` with the button
// held, release there. Both points are read before the press: the hand
// moves over the screen, whatever moves with the drag.
void SimulateDrag(TControl* control, const TPoint& from, const TPoint& to, int steps = 4,
                  TMouseButton button = mbLeft);
// A right click: press and release of the right button, which is also how
// the toolkit asks for the context menu.
void SimulateContextMenu(TControl* control, int x, int y);
// One turn of the wheel by `delta` (120 a notch, positive away from the
// user) with the mouse at (x, y).
void SimulateWheel(TControl* control, int x, int y, int delta, TShiftState shift = 0);

// A key pressed and released. `key` is the virtual key, `text` what it
// types (empty for keys that type nothing, "\x0f" for Ctrl+O…). The key goes
// where the window system sends keys: to the focused widget of the active
// window. When neither `control` nor a widget inside it has the focus, the
// control gets it first (WaitForFocus), as a person clicks or tabs into a
// field before typing. The release follows the focus: a key that closes
// an editor is released over whatever has the focus then. While a window
// holds the keyboard grabbed (a dock drag), keys go to it and the focus
// stays where it is.
void SimulateKey(TWinControl* control, Word key, const String& text = String(), TShiftState shift = 0);
// Separate halves, for holding a key; only the press moves the focus.
void SimulateKeyDown(TWinControl* control, Word key, const String& text = String(), TShiftState shift = 0);
void SimulateKeyUp(TWinControl* control, Word key, const String& text = String(), TShiftState shift = 0);
// Types each character of `text` (UTF-8) as its own key press.
void SimulateText(TWinControl* control, const String& text);

// The focus change a person makes by switching to the control's window and
// into the control: activates the window, focuses the control and pumps
// messages until the toolkit agrees (OnEnter and OnExit run on the way).
// False on timeout.
bool WaitForFocus(TWinControl* control, unsigned timeoutMs = 10000);
