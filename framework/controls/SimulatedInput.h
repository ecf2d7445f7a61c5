#pragma once
// Input made by a program rather than a person: events handed to a
// control's widget exactly as the toolkit hands over a person's mouse and
// keys, so they take the whole road (WindowProc, the virtual methods, the
// On events, the widget itself). Tests drive windows with these; they
// never move the real pointer.
#include "framework/controls/Controls.h"

class TControl;
class TWinControl;

// (x, y) in the control's client coordinates. `buttons` are the buttons
// held during a move (ssLeft…).
void SimulateMouseDown(TControl* control, TMouseButton button, int x, int y, TShiftState shift = 0);
void SimulateMouseUp(TControl* control, TMouseButton button, int x, int y, TShiftState shift = 0);
void SimulateMouseMove(TControl* control, int x, int y, TShiftState buttons = 0);
void SimulateClick(TControl* control, int x, int y);
void SimulateDblClick(TControl* control, int x, int y);
// A click delivered, as the window system does, to the innermost widget
// under (x, y): the edit inside an editable combo box, say.
void SimulateClickOnInnermost(TControl* control, int x, int y);
// A context menu request with the mouse at (x, y).
void SimulateContextMenu(TControl* control, int x, int y);
void SimulateWheel(TControl* control, int x, int y, int delta, TShiftState shift = 0);
// A key press and release on the control that has the focus: `key` is the
// virtual key, `text` what it types (empty for keys that type nothing).
void SimulateKey(TWinControl* control, Word key, const String& text = String(), TShiftState shift = 0);
// Shows nothing new: activates the control's window, focuses the control
// and waits (pumping messages) until the toolkit agrees. False on timeout.
bool WaitForFocus(TWinControl* control, unsigned timeoutMs = 10000);
