#pragma once
// The glyphs of the tool windows' toolbar buttons, from the icons laid
// beside the program.
class TTbToolbarButton;

// Gives the button the bundled icon `icon` (a base name, no extension) with
// the caption below it; a button whose icon is missing or broken keeps its
// caption alone.
void LoadToolGlyph(TTbToolbarButton* button, const char* icon);
