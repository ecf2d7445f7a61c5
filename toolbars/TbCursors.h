#pragma once
// The library's own cursors, drawn here and registered with the screen's
// cursor table the first time they are asked for.
#include "framework/controls/Controls.h"

inline constexpr TCursor crTbHandCursor = 26000;   // "TBLABEL_HANDCURSOR"
inline constexpr TCursor crTbSplitHorz = 26001;    // "TBSPLIT_HORZ"
inline constexpr TCursor crTbSplitVert = 26002;    // "TBSPLIT_VERT"

// Each returns its number, registering the image on first use (without a
// screen object they fall back to the built-in shapes).
TCursor TbHandCursor();
TCursor TbSplitHorzCursor();
TCursor TbSplitVertCursor();
