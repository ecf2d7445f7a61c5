#include "styled/forms/StyBorderRegion.h"

#include "styled/forms/RegionPainting.h"
#include "styled/forms/StyRegionBorder.h"

using namespace styled_regions;

namespace {

// The ring of Width pixels that starts Inset pixels inside the outline.
TRegion Ring(const TRegion& shape, int inset, int width) {
    const TRegion outer = Erode(shape, inset);
    TRegion ring;
    ring.Combine(outer, Erode(outer, width), RGN_DIFF);
    return ring;
}

void Paint3D(TCanvas* canvas, const TRegion& shape, int inset, TColor light, TColor dark) {
    const TRegion ring = Ring(shape, inset, 2);
    // The lower-right part: the ring pixels nearer the right or bottom
    // edge than the left or top one.
    const TRegion inner = Erode(shape, inset + 1);
    TRegion lowerRight;
    lowerRight.Combine(LowerRightEdge(Erode(shape, inset)), LowerRightEdge(inner), RGN_OR);
    lowerRight.CombineWith(ring, RGN_AND);
    TRegion upperLeft;
    upperLeft.Combine(ring, lowerRight, RGN_DIFF);
    FillRegion(canvas, upperLeft, light);
    FillRegion(canvas, lowerRight, dark);
}

}  // namespace

TStyBorderRegion::TStyBorderRegion(TComponent* AOwner)
    : TStyRegion(AOwner), FBorder(std::make_unique<TStyRegionBorder>()) {
    FBorder->OnChange = [this](TObject* s) { GetChange(s); };
}

TStyBorderRegion::~TStyBorderRegion() = default;

void TStyBorderRegion::Assign(TPersistent* Source) {
    if (auto* s = dynamic_cast<TStyBorderRegion*>(Source); s && s != this) {
        BeginUpdate();
        FBorder->Assign(s->FBorder.get());
        TStyRegion::Assign(Source);  // ends the batch with one report
        return;
    }
    TStyRegion::Assign(Source);
}

void TStyBorderRegion::SetBorder(TStyRegionBorder* Value) { FBorder->Assign(Value); }

void TStyBorderRegion::PaintBorder(TCanvas* Canvas, const TRect& R) {
    TStyRegion::PaintBorder(Canvas, R);
    if (!Canvas || !FRegion || Shape() == rsBitmap || Shape() == rsUserRegion) return;
    const TStyRegionBorderStyle style = FBorder->Style();
    if (style == rbNone) return;
    TColor light = FBorder->LightColor();
    TColor shadow = FBorder->ShadowColor();
    TColor single = FBorder->SingleColor();
    if (style == rbLowered || style == rbSingleLowered || style == rbLoweredpsb) std::swap(light, shadow);
    const TRegion& shape = *FRegion;
    switch (style) {
    case rbLowered:
    case rbRaised:
        Paint3D(Canvas, shape, 0, light, shadow);
        break;
    case rbSingle:
        FillRegion(Canvas, Ring(shape, 0, 2), single);
        break;
    case rbSingleRaised:
    case rbSingleLowered:
        FillRegion(Canvas, Ring(shape, 0, 2), single);
        Paint3D(Canvas, shape, 1, light, shadow);
        break;
    case rbRaisedpsb:
    case rbLoweredpsb: {
        std::swap(single, shadow);
        Paint3D(Canvas, shape, 0, light, shadow);
        const TRegion inner = Erode(shape, 1);
        TRegion edge = LowerRightEdge(inner);
        FillRegion(Canvas, edge, single);
        break;
    }
    case rbNone:
        break;
    }
}
