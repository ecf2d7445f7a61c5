// Glyph strips cut into state images, the made copies, and the lists the
// glyphs of one cell size share.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "styled/controls/StyGlyph.h"
#include "styled/controls/StyGlyphCache.h"
#include "styled/controls/StyGlyphList.h"

namespace {

// A strip of cells, each filled with its colour, on an olive background
// column at the left edge (the strip's transparent colour comes from its
// bottom-left pixel).
std::unique_ptr<TBitmap> Strip(int cellW, int h, const std::vector<TColor>& colors) {
    auto b = std::make_unique<TBitmap>(cellW * static_cast<int>(colors.size()), h);
    for (size_t i = 0; i < colors.size(); ++i) {
        b->Canvas()->Brush()->SetColor(colors[i]);
        b->Canvas()->FillRect(Rect(static_cast<int>(i) * cellW, 0, (static_cast<int>(i) + 1) * cellW, h));
    }
    b->Canvas()->Brush()->SetColor(clOlive);
    for (size_t i = 0; i < colors.size(); ++i)
        b->Canvas()->FillRect(Rect(static_cast<int>(i) * cellW, 0, static_cast<int>(i) * cellW + 1, h));
    return b;
}

TColor Cell(TStyGlyph& g, int state, int x, int y) {
    TBitmap* b = g.StateBitmap(state);
    return b ? b->Canvas()->Pixels(x, y) : clNone;
}

struct StripCase {
    int W, H, Before, After;
};

class GlyphStrips : public ::testing::TestWithParam<StripCase> {};

TEST_P(GlyphStrips, NumGlyphsFromTheStripsShape) {
    const auto& c = GetParam();
    TStyGlyph g;
    g.SetNumGlyphs(c.Before);
    TBitmap b(c.W, c.H);
    g.SetGlyph(&b);
    EXPECT_EQ(g.NumGlyphs(), c.After);
}

INSTANTIATE_TEST_SUITE_P(Shapes, GlyphStrips,
                         ::testing::Values(StripCase{64, 16, 1, 4}, StripCase{96, 16, 2, 1}, StripCase{50, 16, 2, 2},
                                           StripCase{16, 16, 3, 1}, StripCase{80, 16, 1, 5}));

TEST(Glyph, StatesTakeTheirCellsOrTheFirst) {
    TStyGlyph g;
    auto strip = Strip(8, 8, {clRed, clLime, clBlue, clYellow});
    g.SetGlyph(strip.get());
    ASSERT_EQ(g.NumGlyphs(), 4);
    EXPECT_EQ(g.TransparentColor(), clOlive);
    EXPECT_EQ(Cell(g, gsUp, 4, 4), ColorToRGB(clRed));
    EXPECT_EQ(Cell(g, gsDisabled, 4, 4), ColorToRGB(clLime));
    EXPECT_EQ(Cell(g, gsHot, 4, 4), ColorToRGB(clBlue));
    EXPECT_EQ(Cell(g, gsDown, 4, 4), ColorToRGB(clYellow));
    EXPECT_EQ(Cell(g, gsHeld, 4, 4), ColorToRGB(clRed));          // beyond the strip
    EXPECT_EQ(g.GetStateImage(gsHeld), g.GetStateImage(gsUp));
    EXPECT_EQ(g.GetStateImage(gsDisabledDown), g.GetStateImage(gsDisabled));
    // Setting the count drops what was made.
    g.SetNumGlyphs(2);
    EXPECT_EQ(Cell(g, gsHot, 4, 4), ColorToRGB(clRed));
}

TEST(Glyph, DisabledIsAnEmbossedCopyMadeOnce) {
    TStyGlyph g;
    auto b = Strip(10, 10, {clWhite});
    b->Canvas()->Brush()->SetColor(clBlack);
    b->Canvas()->FillRect(Rect(3, 3, 6, 6));
    g.SetGlyph(b.get());
    const int first = g.GetStateImage(gsDisabled);
    ASSERT_GE(first, 0);
    const int used = g.GlyphList()->Count();
    EXPECT_EQ(g.GetStateImage(gsDisabled), first);
    EXPECT_EQ(g.GlyphList()->Count(), used);
    // Black turns into the shadow colour, with the highlight one pixel
    // right and below; the rest is the transparent colour.
    EXPECT_EQ(Cell(g, gsDisabled, 3, 3), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Cell(g, gsDisabled, 6, 6), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Cell(g, gsDisabled, 8, 1), ColorToRGB(clOlive));
    EXPECT_EQ(Cell(g, gsUp, 3, 3), ColorToRGB(clBlack));
}

TEST(Glyph, GreyWhenUpMakesAFourToneUpImage) {
    TStyGlyph g;
    auto b = Strip(10, 10, {RGB(200, 30, 30)});
    g.SetGlyph(b.get());
    g.SetGreyWhenUp(true);
    const TColor up = Cell(g, gsUp, 5, 5);
    EXPECT_NE(up, RGB(200, 30, 30));
    EXPECT_TRUE(up == ColorToRGB(clWhite) || up == ColorToRGB(clBtnHighlight) || up == ColorToRGB(clBtnShadow) ||
                up == ColorToRGB(clBlack));
    // The hot state shows the glyph as it is.
    EXPECT_EQ(Cell(g, gsHot, 5, 5), RGB(200, 30, 30));
}

TEST(GlyphCache, ListsSharedBySizeAndFreedWithTheLastGlyph) {
    ASSERT_EQ(TStyGlyphCache::Instance(), nullptr);
    auto a = std::make_unique<TStyGlyph>();
    auto b = std::make_unique<TStyGlyph>();
    auto c = std::make_unique<TStyGlyph>();
    auto small = Strip(8, 8, {clRed});
    auto big = Strip(12, 12, {clRed});
    a->SetGlyph(small.get());
    b->SetGlyph(small.get());
    c->SetGlyph(big.get());
    a->GetStateImage(gsUp);
    b->GetStateImage(gsUp);
    b->GetStateImage(gsDisabled);
    c->GetStateImage(gsUp);
    ASSERT_NE(a->GlyphList(), nullptr);
    EXPECT_EQ(a->GlyphList(), b->GlyphList());
    EXPECT_NE(a->GlyphList(), c->GlyphList());
    EXPECT_EQ(a->GlyphList()->Count(), 3);
    EXPECT_EQ(TStyGlyphCache::Instance()->ListCount(), 2);
    // A freed cell is taken again before the list grows.
    const int capacity = a->GlyphList()->Capacity();
    a->SetGlyph(small.get());
    b->GetStateImage(gsHot);
    EXPECT_EQ(b->GlyphList()->Capacity(), capacity);
    a.reset();
    b.reset();
    EXPECT_EQ(TStyGlyphCache::Instance()->ListCount(), 1);
    c.reset();
    EXPECT_EQ(TStyGlyphCache::Instance(), nullptr);
}

}  // namespace
