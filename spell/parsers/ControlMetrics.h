#pragma once
// Text measures of a control that the parsers place words with.
class TControl;

// The height of one line of text in the control's font.
int ControlLineHeight(TControl* control);
