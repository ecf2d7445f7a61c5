#pragma once
// The toolbars of the tool windows and their buttons, with the glyphs from
// the icons laid beside the program.
#include "framework/controls/BitBtn.h"
#include "framework/controls/Controls.h"

class TComponent;
class TWinControl;
class TTbToolbar;
class TTbToolbarButton;

// Gives the button the bundled icon `icon` (a base name, no extension) with
// the caption below it (or, by `layout`, beside it); a button whose icon is
// missing or broken keeps its caption alone.
void LoadToolGlyph(TTbToolbarButton* button, const char* icon, TButtonLayout layout = blGlyphTop);

// A flat toolbar button of a tool window: named, on the bar, `width` wide
// and 40 high, with its caption, its hint when one is given, and its icon.
TTbToolbarButton* ToolButton(TComponent* owner, TTbToolbar* bar, const char* name, const char* caption,
                             const char* hint, const char* icon, int width);

// The toolbar along one edge of a tool window (alTop or alBottom), its rows
// 44 high for the 40-high buttons.
TTbToolbar* WindowToolbar(TComponent* owner, TWinControl* parent, const char* name, TAlign align);
