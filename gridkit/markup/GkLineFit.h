#pragma once
// Long lines in cells: a cell shows a few hundred characters of a line at
// most, so measuring and drawing a line of megabytes must stop at the
// cell's width.
#include "framework/rtl/Types.h"

class TCanvas;

// Which part of a line that is wider than its cell shows: its start (text
// drawn from the left edge, or cut with an ellipsis), its end (drawn from
// the right edge) or its middle (centred).
enum TLineSide { lsHead, lsTail, lsMiddle };

// Lines longer than this are cut before they are measured or drawn.
inline constexpr size_t GkLongLine = 2048;

// The part of `line` that a cell `width` pixels wide can show, in the
// canvas's font: a piece at least `width` wide on the chosen side, or the
// whole line when it is no longer than GkLongLine. The cut is measured once
// and kept until the text, the font or the width changes.
String VisibleLinePart(TCanvas* canvas, const String& line, int width, TLineSide side);
