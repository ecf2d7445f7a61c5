#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "PixelHelpers.h"
#include "framework/graphics/Region.h"

namespace {

// One drawing call on a white 24 x 24 bitmap with a black pen and a red
// brush, and the pixels it must and must not touch.
struct PixelCase {
    const char* name;
    std::function<void(TCanvas*)> draw;
    std::vector<std::pair<TPoint, TColor>> expect;
};

void PrintTo(const PixelCase& c, std::ostream* os) { *os << c.name; }

class CanvasPixels : public ::testing::TestWithParam<PixelCase> {};

TEST_P(CanvasPixels, FollowsClassicRules) {
    auto bmp = WhiteBitmap(24, 24);
    TCanvas* c = bmp->Canvas();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clRed);
    GetParam().draw(c);
    for (const auto& [pt, color] : GetParam().expect)
        EXPECT_EQ(c->Pixels(pt.X, pt.Y), color) << GetParam().name << " at (" << pt.X << "," << pt.Y << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CanvasPixels,
    ::testing::Values(
        PixelCase{"horizontal LineTo stops before its end",
                  [](TCanvas* c) { c->MoveTo(2, 5); c->LineTo(8, 5); },
                  {{{2, 5}, clBlack}, {{7, 5}, clBlack}, {{8, 5}, clWhite}, {{1, 5}, clWhite}}},
        PixelCase{"vertical LineTo upwards stops before its end",
                  [](TCanvas* c) { c->MoveTo(4, 10); c->LineTo(4, 3); },
                  {{{4, 10}, clBlack}, {{4, 4}, clBlack}, {{4, 3}, clWhite}}},
        PixelCase{"diagonal LineTo",
                  [](TCanvas* c) { c->MoveTo(0, 0); c->LineTo(5, 5); },
                  {{{0, 0}, clBlack}, {{4, 4}, clBlack}, {{5, 5}, clWhite}, {{1, 0}, clWhite}}},
        PixelCase{"FillRect leaves out right and bottom",
                  [](TCanvas* c) { c->FillRect(Rect(2, 2, 6, 5)); },
                  {{{2, 2}, clRed}, {{5, 4}, clRed}, {{6, 2}, clWhite}, {{2, 5}, clWhite}, {{1, 2}, clWhite}}},
        PixelCase{"Rectangle outline on its last row and column, brush inside",
                  [](TCanvas* c) { c->Rectangle(1, 1, 6, 6); },
                  {{{1, 1}, clBlack}, {{5, 1}, clBlack}, {{5, 5}, clBlack}, {{1, 5}, clBlack},
                   {{3, 3}, clRed}, {{6, 3}, clWhite}, {{3, 6}, clWhite}}},
        PixelCase{"Rectangle with a clear pen fills one pixel less each way",
                  [](TCanvas* c) { c->Pen()->SetStyle(psClear); c->Rectangle(1, 1, 6, 6); },
                  {{{1, 1}, clRed}, {{4, 4}, clRed}, {{5, 3}, clWhite}, {{3, 5}, clWhite}}},
        PixelCase{"Rectangle with a clear brush keeps the inside",
                  [](TCanvas* c) { c->Brush()->SetStyle(bsClear); c->Rectangle(1, 1, 6, 6); },
                  {{{1, 3}, clBlack}, {{3, 3}, clWhite}}},
        PixelCase{"FrameRect draws the rectangle's edge pixels with the brush",
                  [](TCanvas* c) { c->FrameRect(Rect(2, 2, 8, 7)); },
                  {{{2, 2}, clRed}, {{7, 2}, clRed}, {{7, 6}, clRed}, {{2, 6}, clRed}, {{4, 4}, clWhite},
                   {{8, 4}, clWhite}, {{4, 7}, clWhite}}},
        PixelCase{"inside-frame pen stays inside the rectangle",
                  [](TCanvas* c) { c->Pen()->SetStyle(psInsideFrame); c->Pen()->SetWidth(3);
                                   c->Rectangle(5, 5, 15, 15); },
                  {{{5, 5}, clBlack}, {{7, 7}, clBlack}, {{8, 8}, clRed}, {{14, 14}, clBlack},
                   {{12, 12}, clBlack}, {{11, 11}, clRed}, {{4, 9}, clWhite}, {{15, 9}, clWhite}}},
        PixelCase{"wide solid pen straddles the outline",
                  [](TCanvas* c) { c->Pen()->SetWidth(3); c->Rectangle(5, 5, 15, 15); },
                  {{{4, 9}, clBlack}, {{6, 9}, clBlack}, {{15, 9}, clBlack}, {{7, 9}, clRed}, {{3, 9}, clWhite}}},
        PixelCase{"dashed line fills its gaps with a solid brush",
                  [](TCanvas* c) { c->Pen()->SetStyle(psDot); c->MoveTo(0, 3); c->LineTo(12, 3); },
                  {{{0, 3}, clBlack}, {{2, 3}, clBlack}, {{3, 3}, clRed}, {{5, 3}, clRed}, {{6, 3}, clBlack}}},
        PixelCase{"dashed line leaves its gaps over a clear brush",
                  [](TCanvas* c) { c->Brush()->SetStyle(bsClear); c->Pen()->SetStyle(psDot);
                                   c->MoveTo(0, 3); c->LineTo(12, 3); },
                  {{{0, 3}, clBlack}, {{3, 3}, clWhite}, {{6, 3}, clBlack}}},
        PixelCase{"xor pen drawn twice restores the background",
                  [](TCanvas* c) { c->Pen()->SetMode(pmXor); c->Pen()->SetColor(clRed);
                                   c->MoveTo(0, 1); c->LineTo(10, 1); c->MoveTo(0, 1); c->LineTo(5, 1); },
                  {{{2, 1}, clWhite}, {{7, 1}, RGB(0, 255, 255)}}},
        PixelCase{"not pen inverts",
                  [](TCanvas* c) { c->Pen()->SetMode(pmNot); c->MoveTo(0, 1); c->LineTo(3, 1); },
                  {{{1, 1}, clBlack}, {{3, 1}, clWhite}}},
        PixelCase{"Polygon fills and outlines through every vertex",
                  [](TCanvas* c) { c->Polygon({{2, 2}, {12, 2}, {12, 12}, {2, 12}}); },
                  {{{2, 2}, clBlack}, {{12, 12}, clBlack}, {{12, 7}, clBlack}, {{7, 7}, clRed}, {{13, 7}, clWhite}}},
        PixelCase{"Polyline leaves out its last point",
                  [](TCanvas* c) { c->Polyline({{1, 1}, {6, 1}, {6, 6}}); },
                  {{{6, 1}, clBlack}, {{6, 5}, clBlack}, {{6, 6}, clWhite}}},
        PixelCase{"Pixels set and read back",
                  [](TCanvas* c) { c->SetPixels(3, 4, clBlue); },
                  {{{3, 4}, clBlue}, {{4, 4}, clWhite}}},
        PixelCase{"system colours resolve through the classic table",
                  [](TCanvas* c) { c->Brush()->SetColor(clBtnFace); c->FillRect(Rect(0, 0, 2, 2)); },
                  {{{1, 1}, clSilver}}}),
    [](const auto& info) {
        String n = info.param.name;
        for (char& ch : n) if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

struct ShapeBox {
    const char* name;
    std::function<void(TCanvas*)> draw;
    TRect box;
};

void PrintTo(const ShapeBox& c, std::ostream* os) { *os << c.name; }

class ShapeBounds : public ::testing::TestWithParam<ShapeBox> {};

// Curved shapes have no exact classic pixel pattern to hold them to, but
// their extent must be the box they were given, right and bottom excluded.
TEST_P(ShapeBounds, CoverExactlyTheirBox) {
    auto bmp = WhiteBitmap(40, 40);
    bmp->Canvas()->Pen()->SetColor(clBlack);
    GetParam().draw(bmp->Canvas());
    EXPECT_EQ(InkBox(*bmp), GetParam().box) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ShapeBounds,
    ::testing::Values(
        ShapeBox{"ellipse", [](TCanvas* c) { c->Ellipse(10, 10, 30, 22); }, Rect(10, 10, 30, 22)},
        ShapeBox{"ellipse_clear_pen",
                 [](TCanvas* c) { c->Pen()->SetStyle(psClear); c->Brush()->SetColor(clRed); c->Ellipse(10, 10, 30, 22); },
                 Rect(11, 11, 29, 21)},
        ShapeBox{"round_rect", [](TCanvas* c) { c->RoundRect(3, 4, 20, 15, 6, 6); }, Rect(3, 4, 20, 15)},
        ShapeBox{"inside_frame_ellipse",
                 [](TCanvas* c) { c->Pen()->SetStyle(psInsideFrame); c->Pen()->SetWidth(4); c->Ellipse(5, 5, 35, 25); },
                 Rect(5, 5, 35, 25)},
        ShapeBox{"pie_upper_right_quarter",
                 [](TCanvas* c) { c->Pie(0, 0, 21, 21, 30, 10, 10, -10); }, Rect(10, 0, 21, 11)}),
    [](const auto& info) { return String(info.param.name); });

TEST(CanvasClip, RegionAndRectangleClipsLimitDrawing) {
    auto bmp = WhiteBitmap(30, 30);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clBlue);
    TRegion ring = TRegion::CreateRect(Rect(0, 0, 20, 20));
    ring.CombineWith(TRegion::CreateRect(Rect(5, 5, 15, 15)), RGN_DIFF);
    c->SelectClipRgn(&ring);
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 20, 20));
    c->FillRect(Rect(0, 0, 30, 30));
    EXPECT_EQ(c->Pixels(2, 2), clBlue);
    EXPECT_EQ(c->Pixels(10, 10), clWhite);  // the hole
    EXPECT_EQ(c->Pixels(25, 25), clWhite);  // outside

    c->IntersectClipRect(Rect(0, 0, 3, 30));
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 3, 20));
    c->Brush()->SetColor(clLime);
    c->FillRect(Rect(0, 0, 30, 30));
    EXPECT_EQ(c->Pixels(1, 1), clLime);
    EXPECT_EQ(c->Pixels(4, 1), clBlue);

    c->SelectClipRgn(nullptr);
    EXPECT_FALSE(c->HasClip());
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 30, 30));
    c->SetPixels(10, 10, clRed);
    EXPECT_EQ(c->Pixels(10, 10), clRed);
}

TEST(CanvasFocusRect, DotsAreInvertedAndASecondCallRemovesThem) {
    auto bmp = WhiteBitmap(12, 12);
    TCanvas* c = bmp->Canvas();
    c->DrawFocusRect(Rect(1, 1, 11, 11));
    int dots = CountColor(*bmp, clBlack, Rect(0, 0, 12, 12));
    EXPECT_GT(dots, 10);
    EXPECT_LT(dots, 36);  // every other pixel of the 36-pixel frame
    EXPECT_EQ(c->Pixels(5, 5), clWhite);
    c->DrawFocusRect(Rect(1, 1, 11, 11));
    EXPECT_EQ(CountColor(*bmp, clWhite, Rect(0, 0, 12, 12)), 144);
}

// CopyRect through each copy mode: source S, destination D and a solid
// brush P chosen so that every bit pattern differs.
struct RopCase {
    TCopyMode mode;
    std::uint32_t (*expect)(std::uint32_t p, std::uint32_t s, std::uint32_t d);
};

void PrintTo(const RopCase& c, std::ostream* os) { *os << std::hex << c.mode; }

class CopyModes : public ::testing::TestWithParam<RopCase> {};

TEST_P(CopyModes, CombineSourceDestinationAndPattern) {
    const TColor S = 0x3366CC, D = 0x55AA0F, P = 0x0F0FF0;
    auto src = WhiteBitmap(4, 4);
    src->Canvas()->Brush()->SetColor(S);
    src->Canvas()->FillRect(Rect(0, 0, 4, 4));
    auto dst = WhiteBitmap(8, 8);
    TCanvas* c = dst->Canvas();
    c->Brush()->SetColor(D);
    c->FillRect(Rect(0, 0, 8, 8));
    c->Brush()->SetColor(P);
    c->SetCopyMode(GetParam().mode);
    c->CopyRect(Rect(2, 2, 6, 6), src->Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(c->Pixels(3, 3), TColor(GetParam().expect(P, S, D) & 0xFFFFFF)) << std::hex << GetParam().mode;
    EXPECT_EQ(c->Pixels(1, 1), D);
    EXPECT_EQ(c->Pixels(6, 6), D);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CopyModes,
    ::testing::Values(RopCase{cmSrcCopy, [](auto, auto s, auto) { return s; }},
                      RopCase{cmSrcAnd, [](auto, auto s, auto d) { return s & d; }},
                      RopCase{cmSrcPaint, [](auto, auto s, auto d) { return s | d; }},
                      RopCase{cmSrcInvert, [](auto, auto s, auto d) { return s ^ d; }},
                      RopCase{cmSrcErase, [](auto, auto s, auto d) { return s & ~d; }},
                      RopCase{cmNotSrcCopy, [](auto, auto s, auto) { return ~s; }},
                      RopCase{cmNotSrcErase, [](auto, auto s, auto d) { return ~(s | d); }},
                      RopCase{cmMergeCopy, [](auto p, auto s, auto) { return p & s; }},
                      RopCase{cmMergePaint, [](auto, auto s, auto d) { return ~s | d; }},
                      RopCase{cmPatCopy, [](auto p, auto, auto) { return p; }},
                      RopCase{cmPatInvert, [](auto p, auto, auto d) { return p ^ d; }},
                      RopCase{cmDstInvert, [](auto, auto, auto d) { return ~d; }},
                      RopCase{cmBlackness, [](auto, auto, auto) { return 0u; }},
                      RopCase{cmWhiteness, [](auto, auto, auto) { return 0xFFFFFFu; }}));

// The disabled-glyph recipe of the styled controls: a monochrome mask of
// the glyph blended through the brush with raster operation 0xE20746
// (the pattern where the source is white, the destination where it is
// black).
TEST(CanvasCopy, MaskAndCustomRasterOperation) {
    auto glyph = WhiteBitmap(4, 4);
    glyph->Canvas()->Brush()->SetColor(clFuchsia);
    glyph->Canvas()->FillRect(Rect(0, 0, 4, 4));
    glyph->Canvas()->SetPixels(1, 1, clNavy);
    glyph->Mask(clFuchsia);
    EXPECT_TRUE(glyph->Monochrome());
    EXPECT_EQ(glyph->Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(glyph->Canvas()->Pixels(1, 1), clBlack);

    auto dst = WhiteBitmap(6, 6);
    dst->Canvas()->Brush()->SetColor(clSilver);
    dst->Canvas()->FillRect(Rect(0, 0, 6, 6));
    dst->Canvas()->Brush()->SetColor(clBtnShadow);
    dst->Canvas()->SetCopyMode(0x00E20746);
    dst->Canvas()->CopyRect(Rect(0, 0, 4, 4), glyph->Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(dst->Canvas()->Pixels(1, 1), clSilver);
    EXPECT_EQ(dst->Canvas()->Pixels(0, 0), clGray);
    EXPECT_EQ(dst->Canvas()->Pixels(4, 4), clSilver);
}

TEST(CanvasCopy, StretchesSourceWithoutSmoothing) {
    auto src = WhiteBitmap(2, 1);
    src->Canvas()->SetPixels(0, 0, clBlack);
    auto dst = WhiteBitmap(8, 4);
    dst->Canvas()->CopyRect(Rect(0, 0, 8, 4), src->Canvas(), Rect(0, 0, 2, 1));
    EXPECT_EQ(dst->Canvas()->Pixels(3, 3), clBlack);
    EXPECT_EQ(dst->Canvas()->Pixels(4, 0), clWhite);
}

TEST(CanvasBrushCopy, ReplacesTheKeyColourWithTheBrush) {
    auto src = WhiteBitmap(4, 4);
    src->Canvas()->Brush()->SetColor(clFuchsia);
    src->Canvas()->FillRect(Rect(0, 0, 4, 4));
    src->Canvas()->SetPixels(1, 1, clBlue);
    auto dst = WhiteBitmap(10, 10);
    dst->Canvas()->Brush()->SetColor(clYellow);
    dst->Canvas()->BrushCopy(Rect(3, 3, 7, 7), src.get(), Rect(0, 0, 4, 4), clFuchsia);
    EXPECT_EQ(dst->Canvas()->Pixels(4, 4), clBlue);
    EXPECT_EQ(dst->Canvas()->Pixels(3, 3), clYellow);
    EXPECT_EQ(dst->Canvas()->Pixels(6, 6), clYellow);
    EXPECT_EQ(dst->Canvas()->Pixels(7, 7), clWhite);
    EXPECT_EQ(CountColor(*dst, clFuchsia, Rect(0, 0, 10, 10)), 0);
}

TEST(CanvasDraw, TransparentBitmapSkipsItsBottomLeftColour) {
    auto glyph = WhiteBitmap(3, 3);
    glyph->Canvas()->Brush()->SetColor(clLime);
    glyph->Canvas()->FillRect(Rect(0, 0, 3, 3));
    glyph->Canvas()->SetPixels(1, 1, clRed);
    glyph->SetTransparent(true);
    EXPECT_EQ(glyph->TransparentColor(), clLime);
    auto dst = WhiteBitmap(6, 6);
    dst->Canvas()->Draw(2, 2, glyph.get());
    EXPECT_EQ(dst->Canvas()->Pixels(3, 3), clRed);
    EXPECT_EQ(CountColor(*dst, clLime, Rect(0, 0, 6, 6)), 0);

    glyph->SetTransparentColor(clRed);  // fixed colour now
    EXPECT_EQ(glyph->TransparentMode(), tmFixed);
    dst->Canvas()->Draw(2, 2, glyph.get());
    EXPECT_EQ(dst->Canvas()->Pixels(2, 2), clLime);
    EXPECT_EQ(dst->Canvas()->Pixels(3, 3), clRed);  // left from the first draw
}

// A control's paint hands the canvas a painter it keeps; here the painter
// of another bitmap's canvas stands in for it, clip included.
TEST(CanvasPaint, DrawsThroughAPainterItDoesNotOwn) {
    auto target = WhiteBitmap(10, 10);
    target->Canvas()->SelectClipRect(Rect(0, 0, 5, 10));  // the paint event's region
    QPainter* painter = target->Canvas()->Painter();
    ASSERT_NE(painter, nullptr);
    TCanvas c;
    EXPECT_FALSE(c.HandleAllocated());
    c.BeginPaint(painter, 10, 10);
    EXPECT_TRUE(c.HandleAllocated());
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 5, 10));
    c.Brush()->SetColor(clNavy);
    c.FillRect(Rect(0, 0, 10, 10));
    c.Pen()->SetMode(pmNot);
    c.MoveTo(0, 9);
    c.LineTo(3, 9);
    EXPECT_EQ(c.Pixels(1, 1), clNone);  // a paint cannot be read back
    c.EndPaint();
    EXPECT_FALSE(c.HandleAllocated());
    EXPECT_EQ(target->Canvas()->Pixels(4, 4), clNavy);
    EXPECT_EQ(target->Canvas()->Pixels(5, 4), clWhite);
    EXPECT_EQ(target->Canvas()->Pixels(1, 9), RGB(255, 255, 127));
}

TEST(CanvasBrush, PatternsTileFromTheSurfaceOrigin) {
    auto bmp = WhiteBitmap(20, 20);
    TCanvas* c = bmp->Canvas();
    auto tile = WhiteBitmap(8, 8);
    for (int i = 0; i < 8; ++i) tile->Canvas()->SetPixels(i, i, clRed);  // a diagonal
    c->Brush()->SetBitmap(tile.get());
    c->FillRect(Rect(3, 3, 20, 20));
    EXPECT_EQ(c->Pixels(3, 3), clRed);
    EXPECT_EQ(c->Pixels(12, 12), clRed);  // 12 mod 8 = 4 on the diagonal
    EXPECT_EQ(c->Pixels(12, 13), clWhite);
    EXPECT_EQ(c->Pixels(2, 2), clWhite);   // outside the fill

    c->Brush()->SetBitmap(nullptr);
    c->Brush()->SetColor(clBlue);
    c->Brush()->SetStyle(bsHorizontal);
    c->FillRect(Rect(0, 0, 20, 20));
    // Hatch lines in the brush colour every 8 rows; the gaps stay.
    EXPECT_EQ(CountColor(*bmp, clBlue, Rect(0, 0, 20, 1)), 20);
    EXPECT_EQ(CountColor(*bmp, clBlue, Rect(0, 8, 20, 9)), 20);
    EXPECT_EQ(CountColor(*bmp, clBlue, Rect(0, 1, 20, 8)), 0);
    EXPECT_EQ(c->Pixels(12, 12), clRed);
}

TEST(CanvasFloodFill, SurfaceAndBorderStyles) {
    auto bmp = WhiteBitmap(10, 10);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(2, 2, 8, 8);
    c->Brush()->SetColor(clRed);
    c->FloodFill(4, 4, clWhite, fsSurface);
    EXPECT_EQ(c->Pixels(4, 4), clRed);
    EXPECT_EQ(c->Pixels(0, 0), clWhite);
    c->Brush()->SetColor(clBlue);
    c->FloodFill(0, 0, clBlack, fsBorder);
    EXPECT_EQ(c->Pixels(9, 9), clBlue);
    EXPECT_EQ(c->Pixels(4, 4), clRed);
}

}  // namespace
