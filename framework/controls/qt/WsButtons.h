#pragma once
// The toolkit side of the buttons: push buttons, bit buttons, check boxes
// and radio buttons. The controls keep their state (checked, default,
// glyph) and push it down through these functions; the widgets report a
// click through the callback, already guarded so an exception in it ends
// in Application->HandleException.
#include <functional>

#include "framework/controls/BitBtn.h"
#include "framework/controls/StdCtrlsTypes.h"
#include "framework/rtl/Types.h"

class QWidget;
class TBitmap;

namespace velmor_ws {
// A push button that takes part in Enter-clicks-the-default.
QWidget* CreatePushButton(QWidget* parent, std::function<void()> onClicked);
void SetButtonDefault(QWidget* button, bool isDefault);
// The caption of any of this family's widgets.
void SetButtonCaption(QWidget* button, const String& caption);

// A push button that draws its glyph and caption where Layout, Margin and
// Spacing put them (PlaceGlyphAndText).
QWidget* CreateBitButton(QWidget* parent, std::function<void()> onClicked);
void SetBitButtonLayout(QWidget* button, TButtonLayout layout, int margin, int spacing);
// The glyph holds numGlyphs faces side by side: up, disabled, down. An
// empty glyph shows none. The see-through colour is the bitmap's own.
void SetBitButtonGlyph(QWidget* button, TBitmap* glyph, int numGlyphs);

// Check boxes and radio buttons answer a click anywhere in their rectangle.
// The click reports only what the user did; the control decides the new
// state and sets it.
QWidget* CreateCheckBox(QWidget* parent, std::function<void()> onClicked);
void SetCheckState(QWidget* checkBox, TCheckBoxState state);
void SetCheckBoxAllowGrayed(QWidget* checkBox, bool allowGrayed);
QWidget* CreateRadioButton(QWidget* parent, std::function<void()> onClicked);
void SetRadioChecked(QWidget* radioButton, bool checked);
}  // namespace velmor_ws
