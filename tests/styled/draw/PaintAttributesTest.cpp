#include <gtest/gtest.h>

#include <functional>

#include "DrawHelpers.h"
#include "framework/graphics/Brush.h"
#include "framework/rtl/Exception.h"
#include "styled/graphics/StyBevel.h"
#include "styled/graphics/StyButtonLayout.h"
#include "styled/graphics/StyFillObject.h"
#include "styled/graphics/StyFxCaption.h"
#include "styled/graphics/StyGradient.h"
#include "styled/graphics/StyPalette.h"
#include "styled/graphics/StyShadow.h"

namespace {

// Counts the change reports of an object.
struct Changes {
    explicit Changes(TStyObject& o) {
        o.OnChange = [this](TObject*) { ++count; };
    }
    int Take() { return std::exchange(count, 0); }
    int count = 0;
};

TEST(StyBevel, ExtendsByConfiguration) {
    struct Case {
        const char* name;
        std::function<void(TStyBevel&)> setup;
        int bevel, shadow;
        TRect client;  // of (0, 0, 100, 50)
    } cases[] = {
        {"defaults", [](TStyBevel&) {}, 0, 0, Rect(0, 0, 100, 50)},
        {"bands only",
         [](TStyBevel& b) { b.SetBorderWidth(3); b.SetBorderInnerWidth(1); }, 4, 4, Rect(4, 4, 96, 46)},
        {"frame-raised outer",
         [](TStyBevel& b) { b.SetBorderWidth(3); b.SetBorderInnerWidth(1); b.SetStyleOuter(bvFrameRaised);
                            b.SetWidthOuter(2); },
         7, 7, Rect(7, 7, 93, 43)},
        {"both bevels",
         [](TStyBevel& b) { b.SetStyleOuter(bvRaised); b.SetStyleInner(bvLowered); b.SetWidthInner(2); },
         3, 3, Rect(3, 3, 97, 47)},
        {"shadow",
         [](TStyBevel& b) { b.SetStyleOuter(bvShadow); b.SetWidthInner(2); b.SetWidthOuter(5);
                            b.SetBorderInnerWidth(1); },
         3, 8, Rect(3, 3, 92, 42)},
        {"standard", [](TStyBevel& b) { b.SetMode(bmStandard); b.SetBorderInnerWidth(2); }, 3, 3,
         Rect(3, 3, 97, 47)},
        {"edge", [](TStyBevel& b) { b.SetMode(bmEdge); }, 2, 2, Rect(2, 2, 98, 48)},
        {"edge, no sides", [](TStyBevel& b) { b.SetMode(bmEdge); b.SetBorderSides(0); b.SetBorderInnerWidth(1); },
         1, 1, Rect(1, 1, 99, 49)},
        {"windows", [](TStyBevel& b) { b.SetMode(bmWindows); }, 2, 2, Rect(2, 2, 98, 48)},
        {"windows by style",
         [](TStyBevel& b) { b.SetMode(bmWindows); b.SetWindowsBorderByStyle(true); b.SetBorderInnerWidth(3); }, 0,
         0, Rect(0, 0, 100, 50)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TStyBevel b;
        c.setup(b);
        EXPECT_EQ(b.BevelExtend(), c.bevel);
        EXPECT_EQ(b.ShadowExtend(), c.shadow);
        EXPECT_EQ(b.GetClientRect(Rect(0, 0, 100, 50)), c.client);
        // What is painted leaves exactly the client area inside.
        auto bmp = FilledBitmap(100, 50);
        EXPECT_EQ(b.PaintBevel(bmp->Canvas(), Rect(0, 0, 100, 50), false), c.client);
        EXPECT_EQ(Count(*bmp, clWhite, c.client), c.client.Width() * c.client.Height());
        if (c.bevel == 0) {
            EXPECT_EQ(ColorBox(*bmp, clWhite, true), TRect{});
        }
    }
}

TEST(StyBevel, ShadowStyleTakesBothStyles) {
    TStyBevel b;
    Changes n(b);
    b.SetStyleInner(bvShadow);
    EXPECT_EQ(b.StyleOuter(), bvShadow);
    b.SetStyleInner(bvLowered);
    EXPECT_EQ(b.StyleOuter(), bvNone);
    b.SetStyleOuter(bvShadow);
    EXPECT_EQ(b.StyleInner(), bvShadow);
    b.SetStyleOuter(bvShadow);
    EXPECT_EQ(n.Take(), 3);
}

TEST(StyBevel, StandardStyleReportsOnlyWhereItShows) {
    TStyBevel b;
    Changes n(b);
    b.SetStandardStyle(lsDoubleRaised);
    EXPECT_EQ(n.Take(), 0);
    EXPECT_EQ(b.BevelExtend(), 0);
    b.SetMode(bmStandard);
    EXPECT_EQ(n.Take(), 1);
    EXPECT_EQ(b.BevelExtend(), 2);
    b.SetStandardStyle(lsSingle);
    EXPECT_EQ(n.Take(), 1);
    EXPECT_EQ(b.BevelExtend(), 1);
}

TEST(StyBevel, WindowsModeChangeIsReportedOnceToTheOwner) {
    TStyBevel b;
    b.SetMode(bmWindows);
    EXPECT_FALSE(b.WindowsModeChanged());
    b.SetMode(bmCustom);
    b.SetWindowsBorderByStyle(true);
    EXPECT_FALSE(b.WindowsModeChanged());
    b.SetMode(bmWindows);
    EXPECT_TRUE(b.WindowsModeChanged());
    b.SetMode(bmEdge);
    EXPECT_TRUE(b.WindowsModeChanged());
    EXPECT_FALSE(b.WindowsModeChanged());
}

TEST(StyBevel, TransparentLeavesTheBandsAndShadowCorners) {
    TStyBevel b;
    b.SetBorderWidth(2);
    b.SetBorderColor(clRed);
    b.SetStyleOuter(bvRaised);
    auto bmp = FilledBitmap(20, 20);
    EXPECT_EQ(b.PaintBevel(bmp->Canvas(), Rect(0, 0, 20, 20), true), Rect(3, 3, 17, 17));
    EXPECT_EQ(Count(*bmp, clRed, Whole(*bmp)), 0);
    b.PaintBevel(bmp->Canvas(), Rect(0, 0, 20, 20), false);
    EXPECT_EQ(Count(*bmp, clRed, Whole(*bmp)), 18 * 18 - 14 * 14);

    TStyBevel s;
    s.SetStyleOuter(bvShadow);
    s.SetWidthOuter(4);
    s.SetBorderColor(clLime);
    auto sh = FilledBitmap(20, 20);
    s.PaintBevel(sh->Canvas(), Rect(0, 0, 20, 20), true);
    EXPECT_EQ(Count(*sh, clLime, Whole(*sh)), 0);
    s.PaintBevel(sh->Canvas(), Rect(0, 0, 20, 20), false);
    EXPECT_EQ(Count(*sh, clLime, Whole(*sh)), 2 * 16);
}

// Assign copies everything, reports exactly once, and ignores itself.
template <class T>
void ExpectAssignCopies(const std::function<void(T&)>& change, const std::function<bool(T&, T&)>& same) {
    T a, b;
    change(a);
    EXPECT_FALSE(same(a, b));
    Changes n(b);
    b.Assign(&a);
    EXPECT_TRUE(same(a, b));
    EXPECT_EQ(n.Take(), 1);
    b.Assign(&b);
    EXPECT_EQ(n.Take(), 0);
    TStyShadow other;
    TStyBevel bevel;
    TPersistent* unrelated = std::is_same_v<T, TStyShadow> ? static_cast<TPersistent*>(&bevel) : &other;
    EXPECT_THROW(b.Assign(unrelated), EConvertError);
}

TEST(PaintAttributes, AssignCopiesAndReportsOnce) {
    ExpectAssignCopies<TStyBevel>(
        [](TStyBevel& b) {
            b.SetStyleInner(bvFrameLowered); b.SetStyleOuter(bvRaised); b.SetWidthInner(3); b.SetWidthOuter(4);
            b.SetBorderColor(clRed); b.SetBorderSides(FrameSide(fsTop)); b.SetBorderWidth(5);
            b.SetBorderInnerWidth(6); b.SetEdgeStyle(etBump); b.SetLightColor(clLime); b.SetMode(bmEdge);
            b.SetShadowColor(clNavy); b.SetStandardStyle(lsRaised); b.SetWindowsBorderByStyle(true);
        },
        [](TStyBevel& x, TStyBevel& y) {
            return x.StyleInner() == y.StyleInner() && x.StyleOuter() == y.StyleOuter() &&
                   x.WidthInner() == y.WidthInner() && x.WidthOuter() == y.WidthOuter() &&
                   x.BorderColor() == y.BorderColor() && x.BorderSides() == y.BorderSides() &&
                   x.BorderWidth() == y.BorderWidth() && x.BorderInnerWidth() == y.BorderInnerWidth() &&
                   x.EdgeStyle() == y.EdgeStyle() && x.LightColor() == y.LightColor() && x.Mode() == y.Mode() &&
                   x.ShadowColor() == y.ShadowColor() && x.StandardStyle() == y.StandardStyle() &&
                   x.WindowsBorderByStyle() == y.WindowsBorderByStyle() && x.BevelExtend() == y.BevelExtend();
        });
    ExpectAssignCopies<TStyButtonLayout>(
        [](TStyButtonLayout& l) {
            l.SetAlignment(agBottomLeft); l.SetAlignText2Glyph(taTop); l.SetOffsetX(3); l.SetOffsetY(-2);
            l.SetSpacing(7); l.SetArrow(true); l.SetArrowColor(clRed); l.SetArrowIndent(5);
            l.SetArrowPosition(apLeftGlyph); l.SetArrowSize(6);
        },
        [](TStyButtonLayout& x, TStyButtonLayout& y) {
            return x.Alignment() == y.Alignment() && x.AlignText2Glyph() == y.AlignText2Glyph() &&
                   x.OffsetX() == y.OffsetX() && x.OffsetY() == y.OffsetY() && x.Spacing() == y.Spacing() &&
                   x.Arrow() == y.Arrow() && x.ArrowColor() == y.ArrowColor() &&
                   x.ArrowIndent() == y.ArrowIndent() && x.ArrowPosition() == y.ArrowPosition() &&
                   x.ArrowSize() == y.ArrowSize();
        });
    ExpectAssignCopies<TStyGradient>(
        [](TStyGradient& g) {
            g.SetColor(clRed); g.SetColorCount(5); g.SetStyle(gstElliptic); g.SetEndColor(clLime);
            g.SetPaletteRealize(true);
        },
        [](TStyGradient& x, TStyGradient& y) {
            return x.Color() == y.Color() && x.ColorCount() == y.ColorCount() && x.Style() == y.Style() &&
                   x.EndColor() == y.EndColor() && x.PaletteRealize() == y.PaletteRealize() &&
                   x.Colors() == y.Colors() && (x.Palette() != nullptr) == (y.Palette() != nullptr);
        });
    ExpectAssignCopies<TStyFxCaption>(
        [](TStyFxCaption& c) {
            c.SetDisabledStyle(ds3d); c.SetLightDepth(2); c.SetShadowDepth(3); c.SetLightColor(clRed);
            c.SetShadowColor(clBlue); c.SetStyle(tdShadow); c.SetTracing(2); c.SetAngle(45); c.SetPosX(4);
            c.SetPosY(5);
        },
        [](TStyFxCaption& x, TStyFxCaption& y) {
            return x.DisabledStyle() == y.DisabledStyle() && x.LightDepth() == y.LightDepth() &&
                   x.ShadowDepth() == y.ShadowDepth() && x.LightColor() == y.LightColor() &&
                   x.ShadowColor() == y.ShadowColor() && x.Style() == y.Style() && x.Tracing() == y.Tracing() &&
                   x.Angle() == y.Angle() && x.PosX() == y.PosX() && x.PosY() == y.PosY();
        });
    ExpectAssignCopies<TStyFillObject>(
        [](TStyFillObject& f) {
            f.SetStyle(sfBitmap); f.SetTileMode(tmNone); f.SetAlignment(agCenter); f.SetOffsetX(2);
            f.SetOffsetY(3); f.SetOptions(FillOption(foQuickDraw)); f.Brush()->SetColor(clRed);
            f.Bitmap()->SetSize(4, 4); f.ListBitmap()->SetSize(2, 3); f.Gradient()->SetColor(clLime);
        },
        [](TStyFillObject& x, TStyFillObject& y) {
            return x.Style() == y.Style() && x.TileMode() == y.TileMode() && x.Alignment() == y.Alignment() &&
                   x.OffsetX() == y.OffsetX() && x.OffsetY() == y.OffsetY() && x.Options() == y.Options() &&
                   x.Brush()->Color() == y.Brush()->Color() && x.Bitmap()->Width() == y.Bitmap()->Width() &&
                   x.ListBitmap()->Height() == y.ListBitmap()->Height() &&
                   x.Gradient()->Color() == y.Gradient()->Color();
        });
    ExpectAssignCopies<TStyShadow>(
        [](TStyShadow& s) { s.SetColor(clRed); s.SetDepth(12); s.SetStyle(hssTracing); },
        [](TStyShadow& x, TStyShadow& y) {
            return x.Color() == y.Color() && x.Depth() == y.Depth() && x.Style() == y.Style();
        });
}

TEST(PaintAttributes, AssignFromTheBaseClassCopiesWhatItHas) {
    TStyGlyphTextLayout plain;
    plain.SetSpacing(9);
    plain.SetAlignment(agBottomRight);
    TStyButtonLayout button;
    button.SetArrow(true);
    button.Assign(&plain);
    EXPECT_EQ(button.Spacing(), 9);
    EXPECT_EQ(button.Alignment(), agBottomRight);
    EXPECT_TRUE(button.Arrow());

    TSty3DCaption caption;
    caption.SetStyle(tdRaised);
    TStyFxCaption fx;
    fx.SetAngle(90);
    fx.Assign(&caption);
    EXPECT_EQ(fx.Style(), tdRaised);
    EXPECT_EQ(fx.Angle(), 90);

    TStyShapeFill shape;
    shape.SetStyle(sfGradient);
    TStyFillObject fill;
    fill.SetOffsetX(4);
    fill.Assign(&shape);
    EXPECT_EQ(fill.Style(), sfGradient);
    EXPECT_EQ(fill.OffsetX(), 4);
}

TEST(PaintAttributes, DefaultsAndRanges) {
    TStyButtonLayout l;
    EXPECT_EQ(l.Alignment(), agCenter);
    EXPECT_EQ(l.Spacing(), 2);
    l.SetArrowSize(40);
    EXPECT_EQ(l.ArrowSize(), 10);
    TStyGlyphTextLayout g;
    EXPECT_EQ(g.Alignment(), agTopLeft);
    TStyFxCaption c;
    c.SetAngle(90);
    c.SetAngle(360);
    EXPECT_EQ(c.Angle(), 0);
    TStyShadow s;
    EXPECT_EQ(s.Depth(), 6);
    s.SetDepth(99);
    EXPECT_EQ(s.Depth(), 40);
    TStyBevel b;
    b.SetWidthOuter(200);
    EXPECT_EQ(b.WidthOuter(), 50);
    TStyFillObject f;
    EXPECT_EQ(f.Style(), sfNone);
    EXPECT_EQ(f.TileMode(), tmTile);
    EXPECT_EQ(f.Options(), FillOption(foFillInner) | FillOption(foGrUseBitmap));
    TStyShapeFill sf;
    EXPECT_EQ(sf.Style(), sfBrush);
}

TEST(PaintAttributes, UpdateBatchesAndQuietMoves) {
    TStyFxCaption c;
    Changes n(c);
    c.BeginUpdate();
    c.SetStyle(tdSunken);
    c.SetLightDepth(3);
    EXPECT_EQ(n.Take(), 0);
    c.EndUpdate(true);
    EXPECT_EQ(n.Take(), 1);
    c.SetPos(7, 8);
    EXPECT_EQ(n.Take(), 0);
    EXPECT_EQ(c.PosX(), 7);
    c.SetPosY(9);
    EXPECT_EQ(n.Take(), 1);
    // A quiet move inside the caller's batch leaves the batch open.
    c.BeginUpdate();
    c.SetPos(1, 1);
    c.SetTracing(1);
    EXPECT_TRUE(c.Updating());
    c.EndUpdate(false);
    EXPECT_EQ(n.Take(), 0);
}

TEST(StyGradient, ColourTableAndPaletteFollowEveryChange) {
    TStyGradient g;
    ASSERT_EQ(g.Colors().size(), 16u);
    EXPECT_EQ(g.Colors().front(), clBlue);
    EXPECT_EQ(g.Colors().back(), clBlack);
    EXPECT_EQ(g.Palette(), nullptr);
    g.SetColorCount(1);
    EXPECT_EQ(g.ColorCount(), 2);
    g.SetColor(clWhite);
    EXPECT_EQ(g.Colors(), (TStyColorTable{clWhite, clBlack}));
    g.SetPaletteRealize(true);
    ASSERT_NE(g.Palette(), nullptr);
    EXPECT_EQ(g.Palette()->Count(), 2);
    g.SetColorCount(4);
    EXPECT_EQ(g.Palette()->Count(), 4);
    g.SetPaletteRealize(false);
    EXPECT_EQ(g.Palette(), nullptr);
}

TEST(StyShapeFill, OwnedPartsReportThroughTheOwner) {
    TStyFillObject f;
    Changes n(f);
    f.Gradient()->SetEndColor(clRed);
    EXPECT_EQ(n.Take(), 1);
    f.Brush()->SetColor(clRed);
    EXPECT_EQ(n.Take(), 1);
    TBitmap pic(3, 3);
    f.SetBitmap(&pic);
    EXPECT_GE(n.Take(), 1);
    EXPECT_EQ(f.Bitmap()->Width(), 3);
    EXPECT_NE(f.Bitmap(), &pic);
    f.SetListBitmap(&pic);
    EXPECT_EQ(n.Take(), 0);

    struct Case {
        TStyFillStyle style;
        bool bitmap, listBitmap, empty;
        bool palette;
    } cases[] = {{sfNone, true, true, true, false},       {sfBrush, false, false, false, false},
                 {sfBitmap, false, true, true, false},    {sfBitmap, true, false, false, false},
                 {sfBitmapList, true, false, true, false}, {sfBitmapList, false, true, false, false},
                 {sfGradient, false, false, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        TStyShapeFill s;
        s.SetStyle(c.style);
        s.Gradient()->SetPaletteRealize(true);
        if (c.bitmap) s.Bitmap()->SetSize(2, 2);
        if (c.listBitmap) s.ListBitmap()->SetSize(2, 2);
        EXPECT_EQ(s.IsEmpty(), c.empty);
        EXPECT_EQ(s.Palette() != nullptr, c.palette);
    }
}

TEST(StyFillObject, PlacementChangesReportOnlyForAnUnscaledBitmap) {
    TStyFillObject f;
    Changes n(f);
    f.SetOffsetX(3);
    f.SetAlignment(agCenter);
    EXPECT_EQ(n.Take(), 0);
    f.SetStyle(sfBitmap);
    f.SetTileMode(tmNone);
    n.Take();
    f.SetOffsetY(3);
    f.SetAlignment(agBottomRight);
    EXPECT_EQ(n.Take(), 2);
}

TEST(StyFillObject, FillCanvasByStyle) {
    TStyFillObject f;
    auto b = FilledBitmap(20, 20);
    EXPECT_FALSE(f.FillCanvas(b->Canvas(), Rect(0, 0, 20, 20), clRed));
    EXPECT_EQ(Count(*b, clRed, Whole(*b)), 0);

    // An empty bitmap paints only the inner area, and only when asked.
    f.SetStyle(sfBitmap);
    EXPECT_FALSE(f.FillCanvas(b->Canvas(), Rect(0, 0, 10, 10), clRed));
    EXPECT_EQ(ColorBox(*b, clRed), Rect(0, 0, 10, 10));
    f.SetOptions(0);
    EXPECT_FALSE(f.FillCanvas(b->Canvas(), Rect(10, 10, 20, 20), clLime));
    EXPECT_EQ(Count(*b, clLime, Whole(*b)), 0);

    // An unscaled bitmap: aligned, offset, the rest filled.
    f.SetOptions(FillOption(foFillInner));
    f.Bitmap()->SetSize(4, 4);
    f.Bitmap()->Canvas()->Brush()->SetColor(clBlue);
    f.Bitmap()->Canvas()->FillRect(Rect(0, 0, 4, 4));
    f.SetTileMode(tmNone);
    f.SetAlignment(agBottomRight);
    f.SetOffsetX(-1);
    auto p = FilledBitmap(20, 20);
    EXPECT_TRUE(f.FillCanvas(p->Canvas(), Rect(0, 0, 20, 20), clYellow));
    EXPECT_EQ(ColorBox(*p, clBlue), Rect(15, 16, 19, 20));
    EXPECT_EQ(Count(*p, clYellow, Whole(*p)), 400 - 16);

    f.SetTileMode(tmTile);
    auto t = FilledBitmap(20, 20);
    f.FillCanvas(t->Canvas(), Rect(2, 2, 12, 12), clYellow);
    EXPECT_EQ(ColorBox(*t, clBlue), Rect(2, 2, 12, 12));

    // A hatch brush: its gaps show the background colour.
    f.SetStyle(sfBrush);
    f.Brush()->SetColor(clBlack);
    f.Brush()->SetStyle(bsCross);
    auto h = FilledBitmap(16, 16);
    EXPECT_TRUE(f.FillCanvas(h->Canvas(), Rect(0, 0, 16, 16), clRed));
    EXPECT_EQ(Count(*h, clBlack, Whole(*h)) + Count(*h, clRed, Whole(*h)), 256);
    EXPECT_GT(Count(*h, clBlack, Whole(*h)), 0);

    f.SetStyle(sfGradient);
    f.Gradient()->SetColor(clLime);
    f.Gradient()->SetEndColor(clLime);
    auto g = FilledBitmap(16, 16);
    EXPECT_TRUE(f.FillCanvas(g->Canvas(), Rect(4, 4, 12, 12), clRed));
    EXPECT_EQ(ColorBox(*g, clLime), Rect(4, 4, 12, 12));
}

}  // namespace
