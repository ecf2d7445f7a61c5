#pragma once
// The keys a window handles for its controls, whatever has the focus: a
// menu item's ShortCut, Alt with an accelerator ("&File" of the main menu
// first; then the window's controls, each answering for itself whether its
// caption underlines the letter: "&Title:" of a label focuses its
// FocusControl, "&Update" of a button or a speed button clicks it), Enter
// for the Default button and Esc for the Cancel button. Short cuts and
// accelerators come before the focused control; Enter and Esc only when
// the focused control leaves them unused (a memo that wants returns keeps
// Enter, a grid editor its keys). Alt with a letter that nothing takes is
// not typed either (the widget set's bridge drops it). F1 that no control
// used opens the help of the first HelpContext found from the focused
// control up to its window.
#include "framework/controls/Controls.h"

class TForm;
class TMainMenu;

// Handles a key for the form as described (short cuts, the main menu's
// accelerators, Enter, Esc); true when something used it.
bool FormDialogKey(TForm* form, Word key, TShiftState shift);
// Offers an accelerator character to the form's visible, enabled controls
// (CM_DIALOGCHAR); true when one answered.
bool FormDialogChar(TForm* form, char key);
// F1 for the form: true when a help context was found.
bool FormHelpKey(TForm* form);

namespace velmor_internal {
// Watches the program's keys (and right clicks for pop-up menus); made once,
// when the first control that needs it is.
void EnsureDialogKeys();
void RegisterMainMenu(TMainMenu* menu);
void UnregisterMainMenu(TMainMenu* menu);
}  // namespace velmor_internal
