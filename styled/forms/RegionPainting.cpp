#include "styled/forms/RegionPainting.h"

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"

namespace styled_regions {

void FillRegion(TCanvas* Canvas, const TRegion& Region, TColor Color) {
    if (!Canvas || Region.IsEmpty()) return;
    const bool hadClip = Canvas->HasClip();
    const TRegion old = Canvas->ClipRegion();
    TRegion clip(Region);
    clip.CombineWith(old, RGN_AND);
    if (clip.IsEmpty()) return;
    Canvas->SelectClipRgn(&clip);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(clip.BoundingBox());
    Canvas->SelectClipRgn(hadClip ? &old : nullptr);
}

TRegion Erode(const TRegion& Region, int Steps) {
    TRegion r(Region);
    for (int i = 0; i < Steps && !r.IsEmpty(); ++i) {
        TRegion next(r);
        static const int moves[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& m : moves) {
            TRegion shifted(r);
            shifted.Offset(m[0], m[1]);
            next.CombineWith(shifted, RGN_AND);
        }
        r = next;
    }
    return r;
}

TRegion LowerRightEdge(const TRegion& Region) {
    TRegion inner(Region);
    TRegion left(Region);
    left.Offset(-1, 0);
    TRegion up(Region);
    up.Offset(0, -1);
    inner.CombineWith(left, RGN_AND);
    inner.CombineWith(up, RGN_AND);
    TRegion edge;
    edge.Combine(Region, inner, RGN_DIFF);
    return edge;
}

}  // namespace styled_regions
