#pragma once
#include "framework/controls/BitBtn.h"

// Where a button's glyph (glyphW x glyphH, none when 0) and a caption of
// textW x textH (0 x 0: none) go on a face of faceW x faceH: as one block,
// centred or set in by `margin` (-1: centred) from the side the glyph is
// on, side by side or stacked as `layout` says, `spacing` apart when both
// show; `offset` moves both (a pressed face). The bit button and the speed
// button lay out their faces alike.
void PlaceGlyphAndText(TButtonLayout layout, int margin, int spacing, int faceW, int faceH, int glyphW,
                       int glyphH, int textW, int textH, int offset, TPoint& glyphAt, TPoint& textAt);
