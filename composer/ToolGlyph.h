#pragma once
// The glyphs of the tool windows' toolbar buttons, from the icons laid
// beside the program.
class TComponent;
class TTbToolbar;
class TTbToolbarButton;

// Gives the button the bundled icon `icon` (a base name, no extension) with
// the caption below it; a button whose icon is missing or broken keeps its
// caption alone.
void LoadToolGlyph(TTbToolbarButton* button, const char* icon);

// A flat toolbar button of a tool window: named, on the bar, `width` wide
// and 40 high, with its caption, its hint when one is given, and its icon.
TTbToolbarButton* ToolButton(TComponent* owner, TTbToolbar* bar, const char* name, const char* caption,
                             const char* hint, const char* icon, int width);
