#pragma once
// Framework-internal links between the control classes, the screen and the
// application object. Not for use outside framework/controls.
#include <functional>

#include "framework/controls/Controls.h"
#include "framework/graphics/Color.h"

class QWidget;
class TCanvas;
class TControl;
class TForm;

namespace velmor_internal {
// The paint cycle of a control that paints itself (custom controls,
// forms): opens `canvas` on the whole of `target` with the control's font
// and colour, lets WM_ERASEBKGND paint the background, runs `paint`, and
// lets the dock manager of a dock site draw over it. The canvas is closed
// again whatever happens.
void PaintClientArea(TControl* control, QWidget* target, TCanvas* canvas, const std::function<void()>& paint);
// The key state while a key event is dispatched (-1 outside one).
extern int gKeyShiftOverride;
// Hints follow the mouse from control to control.
void HintMouseEnter(TControl* control);
void HintMouseLeave(TControl* control);
void HintMouseMove(TControl* control, const TPoint& clientPos);
// A control is being destroyed: forget it without firing OnHint, whose
// handler may reach controls that are already gone.
void HintControlGone(TControl* control);
// Forms register with the screen as they come and go, and tell it when
// they are activated.
void ScreenAddForm(TForm* form);
void ScreenRemoveForm(TForm* form);
void ScreenFormActivated(TForm* form);
// Frees the custom cursors while the toolkit is still there.
void ScreenReleaseCursors();
}  // namespace velmor_internal
