#pragma once
// Message dialogs and the input box. Each runs as a modal form, so a test
// answers it through the modal seam (DialogScript.h) and nothing blocks.
#include "framework/controls/MessageDlgForm.h"

// Shows the message with the kind's title and icon and the buttons;
// returns the result of the button pressed (mrCancel when closed).
// mbHelp opens HelpCtx and leaves the box open.
int MessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx = 0);
// The same with the box's top-left corner at (x, y); -1 centres it.
int MessageDlgPos(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, int x, int y);
// The application's title, the message, OK and no icon.
void ShowMessage(const String& msg);
void ShowMessagePos(const String& msg, int x, int y);

// A box with a prompt and one line of text. True (and value changed) on
// OK; false on Cancel, with value left as it was.
bool InputQuery(const String& caption, const String& prompt, String& value);
// The text entered, or `defaultValue` on Cancel.
String InputBox(const String& caption, const String& prompt, const String& defaultValue);

class TForm;
// Runs a dialog form modally; with no display and no test answering it is
// logged and answered mrCancel instead of waiting for ever.
TModalResult RunDialogForm(TForm& form);
