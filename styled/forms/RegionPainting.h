#pragma once
// Region drawing the canvas lacks: filling a region, and the outline rings
// a shaped border is drawn with.
#include "framework/graphics/Color.h"
#include "framework/graphics/Region.h"

class TCanvas;

namespace styled_regions {
// Fills Region with Color, within the clip the canvas already has; the
// clip is given back afterwards.
void FillRegion(TCanvas* Canvas, const TRegion& Region, TColor Color);
// Region shrunk by Steps pixels (a pixel stays while its four neighbours
// are inside).
TRegion Erode(const TRegion& Region, int Steps);
// The pixels of Region whose right or lower neighbour lies outside it
// (the part a lit-from-upper-left outline shades).
TRegion LowerRightEdge(const TRegion& Region);
}  // namespace styled_regions
