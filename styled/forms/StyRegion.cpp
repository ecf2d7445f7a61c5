#include "styled/forms/StyRegion.h"

#include <algorithm>
#include <cmath>

#include "framework/classes/Component.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Pen.h"
#include "styled/base/StyApplication.h"
#include "styled/forms/RegionPainting.h"
#include "styled/forms/StyRegionMask.h"
#include "styled/graphics/StyShadow.h"

namespace {

// Rounds halves to even, as the shapes were measured.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

TRect Normal(int l, int t, int r, int b) { return Rect(std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)); }

// The body of a nose or a bubble trail: it gives up n on the two sides
// that meet at the corner named by p.
TRect ShrinkBody(TRect r, TStyExtPos p, int n) {
    switch (p) {
    case epLeftTop:
    case epTopLeft: r.Left += n; r.Top += n; break;
    case epTopRight:
    case epRightTop: r.Top += n; r.Right -= n; break;
    case epRightBottom:
    case epBottomRight: r.Right -= n; r.Bottom -= n; break;
    case epBottomLeft:
    case epLeftBottom: r.Bottom -= n; r.Left += n; break;
    }
    return r;
}

bool CornerLeft(TStyExtPos p) { return p == epLeftTop || p == epTopLeft || p == epBottomLeft || p == epLeftBottom; }
bool CornerTop(TStyExtPos p) { return p == epLeftTop || p == epTopLeft || p == epTopRight || p == epRightTop; }
// The nose leaves from a vertical edge.
bool FromSide(TStyExtPos p) { return p == epLeftTop || p == epRightTop || p == epRightBottom || p == epLeftBottom; }

TRegion Nose(const TRect& r, const TRegion& body, const TRect& b, TStyExtPos p, int n, int d) {
    const int s = RoundEven(std::sqrt(2.0 * n * n));
    const TPoint tip{CornerLeft(p) ? r.Left : r.Right, CornerTop(p) ? r.Top : r.Bottom};
    // The base runs along the edge named first, away from the corner.
    const int sx = CornerLeft(p) ? 1 : -1;
    const int sy = CornerTop(p) ? 1 : -1;
    const int cx = CornerLeft(p) ? b.Left : b.Right;
    const int cy = CornerTop(p) ? b.Top : b.Bottom;
    std::vector<TPoint> tri{tip};
    if (FromSide(p)) {
        tri.push_back(Point(cx, cy + sy * d));
        tri.push_back(Point(cx, cy + sy * (d + s)));
    } else {
        tri.push_back(Point(cx + sx * d, cy));
        tri.push_back(Point(cx + sx * (d + s), cy));
    }
    TRegion result(body);
    result.CombineWith(TRegion::CreatePolygon(tri, ALTERNATE), RGN_OR);
    return result;
}

TRegion Bubbles(const TRegion& body, const TRect& b, TStyExtPos p, int n, int c) {
    TRegion result(body);
    if (c <= 0) return result;
    const double k = (n * 2.0 * M_PI / 4.0) / c / c;
    const int cornerX = CornerLeft(p) ? b.Left - n : b.Right + n;
    const int cornerY = CornerTop(p) ? b.Top - n : b.Bottom + n;
    const int sx = CornerLeft(p) ? 1 : -1;
    const int sy = CornerTop(p) ? 1 : -1;
    for (int i = 0; i <= c + 1; ++i) {
        double a = (90.0 / (c + 1)) * i * M_PI / 180.0;
        if (!FromSide(p)) a = 1.57 - a;
        const int x = cornerX + sx * (n - RoundEven(std::cos(a) * n));
        const int y = cornerY + sy * RoundEven(std::sin(a) * n);
        const int radius = RoundEven(i * k) / 2;
        if (radius <= 0) continue;
        result.CombineWith(TRegion::CreateEllipse(Rect(x - radius, y - radius, x + radius, y + radius)), RGN_OR);
    }
    return result;
}

TRegion ShieldCut(int w, int h) {
    TRegion cut = TRegion::CreateEllipse(Normal(-(w / 2), -(h / 5), w / 2, h / 5));
    cut.CombineWith(TRegion::CreateEllipse(Normal(w / 2, -(h / 5), w / 2 + w, h / 5)), RGN_OR);
    cut.CombineWith(TRegion::CreateRect(Rect(0, -40, w, 0)), RGN_OR);
    return cut;
}

}  // namespace

TStyRegion::TStyRegion(TComponent* AOwner)
    : FOwner(AOwner), FMask(std::make_unique<TStyRegionMask>()), FShadow(std::make_unique<TStyShadow>()) {
    FMask->OnChange = [this](TObject* s) { GetChange(s); };
    FShadow->OnChange = [this](TObject* s) { GetChange(s); };
}

TStyRegion::~TStyRegion() = default;

void TStyRegion::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyRegion*>(Source)) {
        BeginUpdate();
        FShape = s->FShape;
        FExtPos = s->FExtPos;
        FRoundX = s->FRoundX;
        FRoundY = s->FRoundY;
        BubbleCount = s->BubbleCount;
        Offset = s->Offset;
        UserRegionData = s->UserRegionData;
        FMask->Assign(s->FMask.get());
        FShadow->Assign(s->FShadow.get());
        EndUpdate(true);
        return;
    }
    TStyObject::Assign(Source);
}

void TStyRegion::SetShape(TStyRegionShape Value) {
    if (Value == FShape) return;
    FShape = Value;
    Change();
}

void TStyRegion::SetExtPos(TStyExtPos Value) {
    if (Value == FExtPos) return;
    FExtPos = Value;
    Change();
}

void TStyRegion::SetMask(TStyRegionMask* Value) { FMask->Assign(Value); }
void TStyRegion::SetShadow(TStyShadow* Value) { FShadow->Assign(Value); }

void TStyRegion::SetRoundX(int Value) {
    if (Value == FRoundX) return;
    FRoundX = Value;
    if (FShape == rsRoundRect || FShape == rsRoundNoseRect || FShape == rsRoundThinkBubble) Change();
}

void TStyRegion::SetRoundY(int Value) {
    if (Value == FRoundY) return;
    FRoundY = Value;
    if (FShape == rsRoundRect || FShape == rsRoundNoseRect || FShape == rsRoundThinkBubble) Change();
}

bool TStyRegion::OwnerGoing() const { return FOwner && FOwner->HasState(csDestroying); }

bool TStyRegion::ShadowShows() const { return FShadow->Style() != hssNone; }

std::unique_ptr<TRegion> TStyRegion::BuildShape(const TRect& R) const {
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    const int W = Rt - L, H = B - T;
    auto poly = [](std::vector<TPoint> pts) {
        return std::make_unique<TRegion>(TRegion::CreatePolygon(pts, ALTERNATE));
    };
    switch (FShape) {
    case rsRect:
        return std::make_unique<TRegion>(TRegion::CreateRect(R));
    case rsRoundRect:
        return std::make_unique<TRegion>(TRegion::CreateRoundRect(R, FRoundX, FRoundY));
    case rsBitmap:
        if (FMask->RegionDataSize() == 0) return nullptr;
        return std::make_unique<TRegion>(
            TRegion::FromRegionData(FMask->RegionData().data(), FMask->RegionData().size()));
    case rsUserRegion:
        if (UserRegionData.empty()) return nullptr;
        return std::make_unique<TRegion>(TRegion::FromRegionData(UserRegionData.data(), UserRegionData.size()));
    case rsNoseRect: {
        const int n = W / 10;
        const TRect b = ShrinkBody(R, FExtPos, n);
        return std::make_unique<TRegion>(Nose(R, TRegion::CreateRect(b), b, FExtPos, n, 5));
    }
    case rsRoundNoseRect: {
        const int n = W / 10;
        const TRect b = ShrinkBody(R, FExtPos, n);
        const int d = FromSide(FExtPos) ? FRoundY : FRoundX;
        return std::make_unique<TRegion>(Nose(R, TRegion::CreateRoundRect(b, FRoundX, FRoundY), b, FExtPos, n, d));
    }
    case rsElliptic:
        return std::make_unique<TRegion>(TRegion::CreateEllipse(R));
    case rsStar:
        return poly({Point(L + W / 2, T), Point(L + RoundEven(0.65 * W), T + RoundEven(0.38 * H)),
                     Point(Rt, T + RoundEven(0.38 * H)), Point(L + RoundEven(0.70 * W), T + RoundEven(0.60 * H)),
                     Point(L + RoundEven(0.85 * W), B), Point(L + W / 2, T + RoundEven(0.75 * H)),
                     Point(L + RoundEven(0.15 * W), B), Point(L + RoundEven(0.30 * W), T + RoundEven(0.60 * H)),
                     Point(L, T + RoundEven(0.38 * H)), Point(L + RoundEven(0.35 * W), T + RoundEven(0.38 * H))});
    case rsRoundShield: {
        auto r = std::make_unique<TRegion>(TRegion::CreateEllipse(Normal(0, H, W, H / 5 - H)));
        r->CombineWith(ShieldCut(W, H), RGN_DIFF);
        return r;
    }
    case rsSharpShield: {
        const int e = 8 * H / 7;
        auto r = std::make_unique<TRegion>(TRegion::CreateEllipse(Normal(-W, -e, W, e)));
        r->CombineWith(TRegion::CreateEllipse(Normal(0, -e, 2 * W, e)), RGN_AND);
        r->CombineWith(ShieldCut(W, H), RGN_DIFF);
        return r;
    }
    case rsDiamond:
        return poly({Point(L + W / 2, T), Point(L, T + H / 2), Point(L + W / 2, B), Point(Rt, T + H / 2)});
    case rsOctagon:
        return poly({Point(L + (W / 3) * 2, T), Point(L + W / 3, T), Point(L, T + H / 3), Point(L, T + (H / 3) * 2),
                     Point(L + W / 3, B), Point(L + (W / 3) * 2, B), Point(Rt, T + (H / 3) * 2),
                     Point(Rt, T + H / 3)});
    case rsComb:
        return poly({Point(L + W / 2, T), Point(L, T + H / 4), Point(L, T + (H / 4) * 3), Point(L + W / 2, B),
                     Point(Rt, T + (H / 4) * 3), Point(Rt, T + H / 4)});
    case rsHalfRound:
        return std::make_unique<TRegion>(TRegion::CreateEllipse(Rect(L, T - H, Rt, B)));
    case rsThinkBubble:
    case rsRoundThinkBubble:
    case rsEllipticThinkBubble: {
        const int n = W / 6;
        const TRect b = ShrinkBody(R, FExtPos, n);
        const TRegion body = FShape == rsThinkBubble        ? TRegion::CreateRect(b)
                             : FShape == rsRoundThinkBubble ? TRegion::CreateRoundRect(b, FRoundX, FRoundY)
                                                            : TRegion::CreateEllipse(b);
        return std::make_unique<TRegion>(Bubbles(body, b, FExtPos, n, BubbleCount));
    }
    }
    return nullptr;
}

void TStyRegion::CreateRegion(const TRect& Rect_) {
    if (OwnerGoing()) return;
    TRect r = Rect_;
    r.Left += Offset.X;
    r.Top += Offset.Y;
    FRegion.reset();
    if (ShadowShows()) {
        r.Right -= FShadow->Depth();
        r.Bottom -= FShadow->Depth();
    }
    FRegion = BuildShape(r);
}

void TStyRegion::SetRectRegion(const TRect& R) {
    if (OwnerGoing()) return;
    FRegion = std::make_unique<TRegion>(TRegion::CreateRect(R));
}

void TStyRegion::PaintShadow(TCanvas* Canvas, const TRect& R) {
    (void)R;
    if (!Canvas || !FRegion || !ShadowShows()) return;
    const int depth = FShadow->Depth();
    TRegion band(*FRegion);
    band.Offset(depth, depth);
    band.CombineWith(*FRegion, RGN_DIFF);
    if (FShadow->Style() == hssSolid) {
        styled_regions::FillRegion(Canvas, band, FShadow->Color());
    } else if (FShadow->Style() == hssTracing) {
        // The traced shadow darkens every other pixel, as the pattern
        // bitmap masks it.
        const TColor c = FShadow->Color();
        for (const TRect& part : band.GetRects())
            for (int y = part.Top; y < part.Bottom; ++y)
                for (int x = part.Left; x < part.Right; ++x)
                    if (((x ^ y) & 1) != 0) Canvas->SetPixels(x, y, c);
    }
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetMode(pmCopy);
    Canvas->Pen()->SetStyle(psSolid);
}

void TStyRegion::PaintBorder(TCanvas* Canvas, const TRect& R) {
    TRect r = R;
    r.Left += Offset.X;
    r.Top += Offset.Y;
    if (!Canvas) return;
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetWidth(2);
    PaintShadow(Canvas, r);
}
