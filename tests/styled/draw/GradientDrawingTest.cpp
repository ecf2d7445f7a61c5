#include <gtest/gtest.h>

#include "DrawHelpers.h"
#include "styled/graphics/GradientDrawing.h"
#include "styled/graphics/StyPalette.h"

namespace {

TEST(GradientColors, EndsAndSteps) {
    TStyColorTable t;
    MakeGradientColors(clBlue, clBlack, 16, &t);
    ASSERT_EQ(t.size(), 16u);
    EXPECT_EQ(t[0], RGB(0, 0, 255));
    EXPECT_EQ(t[15], RGB(0, 0, 0));
    EXPECT_EQ(t[8], RGB(0, 0, 119));  // 255 + MulDiv(8, -255, 15)
    EXPECT_EQ(t[1], RGB(0, 0, 238));

    // Upward and mixed components, and system colours resolved.
    MakeGradientColors(clBtnFace, RGB(255, 0, 100), 3, &t);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0], RGB(192, 192, 192));
    EXPECT_EQ(t[1], RGB(224, 96, 146));
    EXPECT_EQ(t[2], RGB(255, 0, 100));

    // One step is the start colour; none leaves the table alone.
    MakeGradientColors(clRed, clBlue, 1, &t);
    EXPECT_EQ(t, TStyColorTable{clRed});
    MakeGradientColors(clGreen, clBlue, 0, &t);
    EXPECT_EQ(t, TStyColorTable{clRed});
    MakeGradientColors(clGreen, clBlue, 4, nullptr);
}

TEST(GradientColors, MulDivRoundsHalvesAwayFromZero) {
    struct Case {
        int a, b, c, expected;
    } cases[] = {{8, -255, 15, -136}, {1, 10, 3, 3}, {2, 10, 3, 7}, {1, 5, 2, 3},
                 {-1, 5, 2, -3},      {1, -5, -2, 3}, {7, 0, 3, 0},  {1, 1, 0, -1}};
    for (const auto& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(GradientColors, PaletteOfATable) {
    EXPECT_EQ(CreateGradientPalette(nullptr), nullptr);
    TStyColorTable empty;
    EXPECT_EQ(CreateGradientPalette(&empty), nullptr);
    TStyColorTable t{RGB(1, 2, 3), clBtnShadow};
    auto p = CreateGradientPalette(&t);
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(p->Count(), 2);
    EXPECT_EQ(p->Entries()[0].Red, 1);
    EXPECT_EQ(p->Entries()[0].Blue, 3);
    EXPECT_EQ(p->Entries()[1].Green, 128);
    EXPECT_EQ(p->Entries()[1].Flags, TStyPalette::NoCollapse);
}

TEST(FillGradient, BandsOfHorizontalAndVertical) {
    const TStyColorTable t{clRed, clLime, clBlue};
    auto b = FilledBitmap(12, 5);
    FillGradient(b->Canvas(), Rect(1, 0, 11, 5), gstHorizontal, &t, nullptr, 0, 0);
    EXPECT_EQ(ColorBox(*b, clRed), Rect(1, 0, 4, 5));
    EXPECT_EQ(ColorBox(*b, clLime), Rect(4, 0, 8, 5));
    EXPECT_EQ(ColorBox(*b, clBlue), Rect(8, 0, 11, 5));

    auto v = FilledBitmap(5, 10);
    FillGradient(v->Canvas(), Rect(0, 0, 5, 10), gstVertical, &t, nullptr, dfUseBitmap, 0);
    EXPECT_EQ(ColorBox(*v, clRed), Rect(0, 0, 5, 3));
    EXPECT_EQ(ColorBox(*v, clLime), Rect(0, 3, 5, 7));
    EXPECT_EQ(ColorBox(*v, clBlue), Rect(0, 7, 5, 10));
}

TEST(FillGradient, NothingForAnEmptyRectangleOrTable) {
    const TStyColorTable t{clRed, clBlue};
    const TStyColorTable none;
    auto b = FilledBitmap(10, 10);
    FillGradient(b->Canvas(), Rect(2, 2, 2, 8), gstVertical, &t, nullptr, 0, 0);
    FillGradient(b->Canvas(), Rect(0, 0, 10, 10), gstVertical, &none, nullptr, 0, 0);
    FillGradient(b->Canvas(), Rect(0, 0, 10, 10), gstVertical, nullptr, nullptr, 0, 0);
    EXPECT_EQ(ColorBox(*b, clWhite, true), TRect{});
}

// The start colour sits at the centre or the anchoring corner, the end
// colour reaches the far corner, and no shape paints outside the
// rectangle (the outer ellipses and squares are larger than it).
TEST(FillGradient, ShapesAnchorTheStartColourAndStayInside) {
    struct Case {
        TStyGradientStyle style;
        TPoint start, end;  // relative to the rectangle
    } cases[] = {
        {gstSquare, {20, 15}, {0, 0}},       {gstElliptic, {20, 15}, {0, 0}},  {gstTopLeft, {0, 0}, {39, 29}},
        {gstTopRight, {39, 0}, {0, 29}},     {gstBottomLeft, {0, 29}, {39, 0}}, {gstBottomRight, {39, 29}, {0, 0}},
    };
    TStyColorTable t;
    MakeGradientColors(clRed, clBlue, 8, &t);
    const TRect area = Rect(10, 10, 50, 40);
    for (const auto& c : cases) {
        for (Word flags : {Word(0), Word(dfUseBitmap)}) {
            SCOPED_TRACE(testing::Message() << "style " << c.style << " flags " << flags);
            auto b = FilledBitmap(60, 50);
            FillGradient(b->Canvas(), area, c.style, &t, nullptr, flags, 0);
            EXPECT_EQ(ColorBox(*b, clWhite, true), area);
            EXPECT_EQ(Count(*b, clWhite, area), 0);
            EXPECT_EQ(Px(*b, area.Left + c.start.X, area.Top + c.start.Y), clRed);
            EXPECT_EQ(Px(*b, area.Left + c.end.X, area.Top + c.end.Y), clBlue);
        }
    }
}

TEST(FillGradient, ClipMovedByTheOriginAndTheCallersClipKept) {
    const TStyColorTable t{clRed};
    auto b = FilledBitmap(40, 40);
    b->Canvas()->SelectClipRect(Rect(0, 0, 40, 35));
    FillGradient(b->Canvas(), Rect(0, 0, 20, 20), gstHorizontal, &t, nullptr, dfClip, (4u << 16) | 6u);
    EXPECT_EQ(ColorBox(*b, clRed), Rect(6, 4, 20, 20));
    EXPECT_EQ(b->Canvas()->ClipRect(), Rect(0, 0, 40, 35));

    auto c = FilledBitmap(40, 40);
    FillGradientColors(c->Canvas(), Rect(5, 5, 15, 15), clLime, clLime, 4, gstElliptic, dfUsePalette, 0);
    EXPECT_EQ(ColorBox(*c, clLime), Rect(5, 5, 15, 15));
    EXPECT_FALSE(c->Canvas()->HasClip());
}

TEST(AlignRect, NineAlignmentsAndLargerSizes) {
    const TRect dest = Rect(0, 0, 100, 50);
    const TRect size = Rect(0, 0, 10, 10);
    const TRect expected[] = {Rect(0, 0, 10, 10),   Rect(45, 0, 55, 10),  Rect(90, 0, 100, 10),
                              Rect(0, 20, 10, 30),  Rect(45, 20, 55, 30), Rect(90, 20, 100, 30),
                              Rect(0, 40, 10, 50),  Rect(45, 40, 55, 50), Rect(90, 40, 100, 50)};
    for (int a = agTopLeft; a <= agBottomRight; ++a)
        EXPECT_EQ(AlignRect(TStyAlignment(a), size, dest), expected[a]) << a;
    // A size rectangle elsewhere counts only by its size; a larger one
    // reaches out (div truncates towards zero).
    EXPECT_EQ(AlignRect(agCenter, Rect(7, 7, 17, 17), Rect(10, 10, 30, 30)), Rect(15, 15, 25, 25));
    EXPECT_EQ(AlignRect(agCenter, Rect(0, 0, 25, 25), Rect(0, 0, 10, 10)), Rect(-7, -7, 18, 18));
    EXPECT_EQ(AlignRect(agBottomRight, Rect(0, 0, 25, 25), Rect(0, 0, 10, 10)), Rect(-15, -15, 10, 10));
}

TEST(FillBitmapRect, SizesAndFills) {
    TBitmap b;
    FillBitmapRect(&b, Rect(3, 4, 13, 9), clTeal);
    EXPECT_EQ(b.Width(), 10);
    EXPECT_EQ(b.Height(), 5);
    EXPECT_EQ(Count(b, clTeal, Whole(b)), 50);
    FillBitmapRect(&b, Rect(0, 0, 0, 5), clRed);
    EXPECT_EQ(b.Width(), 10);
}

}  // namespace
