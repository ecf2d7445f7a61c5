#include "styled/graphics/StyBevel.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "styled/graphics/FrameDrawing.h"
#include "styled/graphics/StyStoredProperties.h"

namespace {

bool IsFrameStyle(TStyBevelStyle s) { return s == bvFrameLowered || s == bvFrameRaised; }

unsigned EdgeKind(TStyEdgeStyle s) {
    switch (s) {
        case etRaisedInner: return BDR_RAISEDINNER;
        case etRaisedOuter: return BDR_RAISEDOUTER;
        case etSunkenInner: return BDR_SUNKENINNER;
        case etSunkenOuter: return BDR_SUNKENOUTER;
        case etBump: return EDGE_BUMP;
        case etEtched: return EDGE_ETCHED;
        case etRaised: return EDGE_RAISED;
        case etSunken: return EDGE_SUNKEN;
    }
    return EDGE_ETCHED;
}

unsigned EdgeSides(TStyFrameSides sides) {
    unsigned f = 0;
    if (sides & FrameSide(fsBottom)) f |= BF_BOTTOM;
    if (sides & FrameSide(fsTop)) f |= BF_TOP;
    if (sides & FrameSide(fsRight)) f |= BF_RIGHT;
    if (sides & FrameSide(fsLeft)) f |= BF_LEFT;
    return f;
}

void Shrink(TRect& r, int d) {
    r.Left += d;
    r.Top += d;
    r.Right -= d;
    r.Bottom -= d;
}

}  // namespace

TStyBevel::TStyBevel() { Recalc(); }

void TStyBevel::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyBevel*>(Source)) {
        FStyleInner = s->FStyleInner;
        FStyleOuter = s->FStyleOuter;
        FWidthInner = s->FWidthInner;
        FWidthOuter = s->FWidthOuter;
        std::copy(std::begin(s->FColors), std::end(s->FColors), std::begin(FColors));
        FBorderSides = s->FBorderSides;
        FBorderWidth = s->FBorderWidth;
        FBorderInnerWidth = s->FBorderInnerWidth;
        FEdgeStyle = s->FEdgeStyle;
        FMode = s->FMode;
        FStandardStyle = s->FStandardStyle;
        FWindowsBorderByStyle = s->FWindowsBorderByStyle;
        Change();
        return;
    }
    TStyObject::Assign(Source);
}

void TStyBevel::Change() {
    Recalc();
    TStyObject::Change();
}

void TStyBevel::Recalc() {
    int e = 0;
    switch (FMode) {
        case bmCustom:
            if (FStyleInner == bvShadow) {
                e = FWidthInner + FBorderInnerWidth;
                break;
            }
            e = FBorderWidth + FBorderInnerWidth;
            if (FStyleInner == bvNone && FStyleOuter == bvNone) break;
            if (FStyleOuter != bvNone) e += FWidthOuter + (IsFrameStyle(FStyleOuter) ? 1 : 0);
            if (FStyleInner != bvNone) e += FWidthInner + (IsFrameStyle(FStyleInner) ? 1 : 0);
            break;
        case bmStandard: e = StandardBorderWidth(FStandardStyle) + FBorderInnerWidth; break;
        case bmEdge: e = (FBorderSides ? 2 : 0) + FBorderInnerWidth; break;
        case bmWindows: e = FWindowsBorderByStyle ? 0 : FBorderInnerWidth + 2; break;
    }
    FBevelExtend = e;
    FShadowExtend = (FMode == bmCustom && FStyleOuter == bvShadow) ? FWidthInner + FWidthOuter + FBorderInnerWidth : e;
}

void TStyBevel::SetStyleInner(TStyBevelStyle Value) {
    if (Value == FStyleInner) return;
    if (FStyleInner == bvShadow) FStyleOuter = bvNone;
    FStyleInner = Value;
    if (Value == bvShadow) FStyleOuter = bvShadow;
    Change();
}

void TStyBevel::SetStyleOuter(TStyBevelStyle Value) {
    if (Value == FStyleOuter) return;
    if (FStyleOuter == bvShadow) FStyleInner = bvNone;
    FStyleOuter = Value;
    if (Value == bvShadow) FStyleInner = bvShadow;
    Change();
}

void TStyBevel::SetWidthInner(TStyBevelWidth Value) {
    Value = std::min<TStyBevelWidth>(Value, 50);
    if (Value == FWidthInner) return;
    FWidthInner = Value;
    Change();
}

void TStyBevel::SetWidthOuter(TStyBevelWidth Value) {
    Value = std::min<TStyBevelWidth>(Value, 50);
    if (Value == FWidthOuter) return;
    FWidthOuter = Value;
    Change();
}

void TStyBevel::SetColor(int Index, TColor Value) {
    if (FColors[Index] == Value) return;
    FColors[Index] = Value;
    Change();
}

void TStyBevel::SetBorderSides(TStyFrameSides Value) {
    Value &= AllFrameSides;
    if (Value == FBorderSides) return;
    FBorderSides = Value;
    Change();
}

void TStyBevel::SetBorderWidth(TStyBorderWidth Value) {
    if (Value == FBorderWidth) return;
    FBorderWidth = Value;
    Change();
}

void TStyBevel::SetBorderInnerWidth(TStyBorderWidth Value) {
    if (Value == FBorderInnerWidth) return;
    FBorderInnerWidth = Value;
    Change();
}

void TStyBevel::SetEdgeStyle(TStyEdgeStyle Value) {
    if (Value == FEdgeStyle) return;
    FEdgeStyle = Value;
    Change();
}

void TStyBevel::SetMode(TStyBevelMode Value) {
    if (Value == FMode) return;
    if (FWindowsBorderByStyle && (FMode == bmWindows || Value == bmWindows)) FModeChanged = true;
    FMode = Value;
    Change();
}

void TStyBevel::SetStandardStyle(TStyBorderStyle Value) {
    if (Value == FStandardStyle) return;
    FStandardStyle = Value;
    if (FMode == bmStandard)
        Change();
    else
        Recalc();
}

void TStyBevel::SetWindowsBorderByStyle(bool Value) {
    if (Value == FWindowsBorderByStyle) return;
    FWindowsBorderByStyle = Value;
    Change();
}

bool TStyBevel::WindowsModeChanged() {
    const bool result = FModeChanged || (FMode == bmWindows && FWindowsBorderByStyle);
    FModeChanged = false;
    return result;
}

TRect TStyBevel::GetClientRect(const TRect& R) const {
    TRect r = R;
    if (FMode == bmCustom && FStyleOuter == bvShadow) {
        r.Left += FWidthInner + FBorderInnerWidth;
        r.Top += FWidthInner + FBorderInnerWidth;
        r.Right -= FWidthInner + FWidthOuter + FBorderInnerWidth;
        r.Bottom -= FWidthInner + FWidthOuter + FBorderInnerWidth;
    } else {
        Shrink(r, FBevelExtend);
    }
    return r;
}

void TStyBevel::BorderBand(TCanvas* Canvas, TRect& R, int Width, bool Transparent) const {
    if (Width <= 0) return;
    if (Transparent) {
        Shrink(R, Width);
        return;
    }
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(BorderColor());
    for (int i = 0; i < Width; ++i) {
        Canvas->FrameRect(R);
        Shrink(R, 1);
    }
}

TRect TStyBevel::PaintBevel(TCanvas* Canvas, const TRect& R, bool Transparent) {
    if (FBevelExtend == 0 || !Canvas) return R;
    TRect r = R;
    switch (FMode) {
        case bmCustom:
            if (FStyleOuter != bvShadow) {
                DrawBevelStyle(Canvas, r, FStyleOuter, LightColor(), ShadowColor(), FWidthOuter);
                BorderBand(Canvas, r, FBorderWidth, Transparent);
                DrawBevelStyle(Canvas, r, FStyleInner, LightColor(), ShadowColor(), FWidthInner);
            } else {
                DrawShadowFrame(Canvas, r, LightColor(), ShadowColor(), BorderColor(), FWidthOuter, FWidthInner,
                                Transparent);
            }
            break;
        case bmStandard: DrawStandardBorder(Canvas, r, FStandardStyle, 0); break;
        case bmEdge:
            if (FBorderSides) {
                TRect edge = r;
                DrawEdge(Canvas, edge, EdgeKind(FEdgeStyle), EdgeSides(FBorderSides));
                Shrink(r, 2);
            }
            break;
        case bmWindows: DrawStandardBorder(Canvas, r, lsLoweredExt, 0); break;
    }
    BorderBand(Canvas, r, FBorderInnerWidth, Transparent);
    return r;
}

void TStyBevel::WriteStored(TStyStoredProperties& P) const {
    const TStyBevel d;
    if (FStyleInner != d.FStyleInner) P.WriteIdent("StyleInner", FStyleInner, StyNames::BevelStyle);
    if (FStyleOuter != d.FStyleOuter) P.WriteIdent("StyleOuter", FStyleOuter, StyNames::BevelStyle);
    if (FWidthInner != d.FWidthInner) P.WriteInteger("WidthInner", FWidthInner);
    if (FWidthOuter != d.FWidthOuter) P.WriteInteger("WidthOuter", FWidthOuter);
    if (BorderColor() != d.BorderColor()) P.WriteColor("BorderColor", BorderColor());
    if (FBorderSides != d.FBorderSides) P.WriteSet("BorderSides", FBorderSides, StyNames::FrameSide);
    if (FBorderWidth != d.FBorderWidth) P.WriteInteger("BorderWidth", FBorderWidth);
    if (FBorderInnerWidth != d.FBorderInnerWidth) P.WriteInteger("BorderInnerWidth", FBorderInnerWidth);
    if (FEdgeStyle != d.FEdgeStyle) P.WriteIdent("EdgeStyle", FEdgeStyle, StyNames::EdgeStyle);
    if (LightColor() != d.LightColor()) P.WriteColor("LightColor", LightColor());
    P.WriteIdent("Mode", FMode, StyNames::BevelMode);
    if (ShadowColor() != d.ShadowColor()) P.WriteColor("ShadowColor", ShadowColor());
    P.WriteIdent("StandardStyle", FStandardStyle, StyNames::BorderStyle);
}

void TStyBevel::ReadStored(const TStyStoredProperties& P) {
    TStyBevel t;
    // Raw, as a description is read: the shadow style's coupling of the
    // two styles is already in what was stored.
    t.FStyleInner = TStyBevelStyle(P.ReadIdent("StyleInner", t.FStyleInner, StyNames::BevelStyle));
    t.FStyleOuter = TStyBevelStyle(P.ReadIdent("StyleOuter", t.FStyleOuter, StyNames::BevelStyle));
    t.FWidthInner = TStyBevelWidth(P.ReadInteger("WidthInner", t.FWidthInner, 0, 50));
    t.FWidthOuter = TStyBevelWidth(P.ReadInteger("WidthOuter", t.FWidthOuter, 0, 50));
    t.FColors[0] = P.ReadColor("BorderColor", t.FColors[0]);
    t.FBorderSides = TStyFrameSides(P.ReadSet("BorderSides", t.FBorderSides, StyNames::FrameSide));
    t.FBorderWidth = TStyBorderWidth(P.ReadInteger("BorderWidth", t.FBorderWidth, 0, 255));
    t.FBorderInnerWidth = TStyBorderWidth(P.ReadInteger("BorderInnerWidth", t.FBorderInnerWidth, 0, 255));
    t.FEdgeStyle = TStyEdgeStyle(P.ReadIdent("EdgeStyle", t.FEdgeStyle, StyNames::EdgeStyle));
    t.FColors[1] = P.ReadColor("LightColor", t.FColors[1]);
    t.FMode = TStyBevelMode(P.ReadIdent("Mode", t.FMode, StyNames::BevelMode));
    t.FColors[2] = P.ReadColor("ShadowColor", t.FColors[2]);
    t.FStandardStyle = TStyBorderStyle(P.ReadIdent("StandardStyle", t.FStandardStyle, StyNames::BorderStyle));
    t.FWindowsBorderByStyle = FWindowsBorderByStyle;  // the owner's, not stored
    Assign(&t);
}
