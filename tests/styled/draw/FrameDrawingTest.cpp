#include <gtest/gtest.h>

#include "DrawHelpers.h"
#include "framework/graphics/DrawText.h"
#include "styled/base/StyApplication.h"
#include "styled/graphics/FrameDrawing.h"

namespace {

constexpr TColor kLight = clYellow;
constexpr TColor kShadow = clNavy;

TEST(BevelStyle, NothingForWidthZeroNoneAndShadow) {
    for (auto [style, width] : {std::pair{bvRaised, 0}, {bvNone, 2}, {bvShadow, 2}}) {
        auto b = FilledBitmap(10, 10);
        TRect r = Rect(0, 0, 10, 10);
        EXPECT_FALSE(DrawBevelStyle(b->Canvas(), r, style, kLight, kShadow, Byte(width)));
        EXPECT_EQ(r, Rect(0, 0, 10, 10));
        EXPECT_EQ(ColorBox(*b, clWhite, true), TRect{});
    }
}

// Corner and band pixels of a 10 x 10 bevel: the top-left colour owns the
// bottom-left corner, the bottom-right colour the top-right corner.
TEST(BevelStyle, PixelTable) {
    struct Case {
        TStyBevelStyle style;
        int width;
        TRect inner;
        TColor topLeft, bottomRight;
    } cases[] = {
        {bvLowered, 1, Rect(1, 1, 9, 9), kShadow, kLight},
        {bvRaised, 1, Rect(1, 1, 9, 9), kLight, kShadow},
        {bvNormal, 1, Rect(1, 1, 9, 9), clBlack, clBlack},
        {bvLowered, 2, Rect(2, 2, 8, 8), kShadow, kLight},
        {bvRaised, 3, Rect(3, 3, 7, 7), kLight, kShadow},
        {bvFrameLowered, 1, Rect(2, 2, 8, 8), kShadow, kLight},
        {bvFrameRaised, 2, Rect(3, 3, 7, 7), kLight, kShadow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " width " << c.width);
        auto b = FilledBitmap(10, 10);
        TRect r = Rect(0, 0, 10, 10);
        EXPECT_TRUE(DrawBevelStyle(b->Canvas(), r, c.style, kLight, kShadow, Byte(c.width)));
        EXPECT_EQ(r, c.inner);
        EXPECT_EQ(Px(*b, 0, 0), c.topLeft);
        EXPECT_EQ(Px(*b, 0, 5), c.topLeft);
        EXPECT_EQ(Px(*b, 5, 0), c.topLeft);
        EXPECT_EQ(Px(*b, 9, 5), c.bottomRight);
        EXPECT_EQ(Px(*b, 5, 9), c.bottomRight);
        EXPECT_EQ(Px(*b, 9, 9), c.bottomRight);
        // Nothing is painted inside the returned rectangle.
        EXPECT_EQ(Count(*b, clWhite, r), r.Width() * r.Height());
    }
}

TEST(BevelStyle, PlainBevelsCoverTheirBandsCompletely) {
    auto b = FilledBitmap(12, 12);
    TRect r = Rect(0, 0, 12, 12);
    DrawBevelStyle(b->Canvas(), r, bvLowered, kLight, kShadow, 3);
    // Every pixel outside the inner rectangle is one of the two colours.
    EXPECT_EQ(Count(*b, kLight, Whole(*b)) + Count(*b, kShadow, Whole(*b)), 144 - 36);
    EXPECT_EQ(Px(*b, 11, 0), kLight);  // the bands meet on the diagonal
    EXPECT_EQ(Px(*b, 0, 11), kShadow);
}

// Chained frames (outer bevel, inner bevel) leave the outer one whole on
// every side.
TEST(BevelStyle, ChainedFramesKeepTheOuterFrame) {
    auto b = FilledBitmap(12, 12);
    TRect r = Rect(0, 0, 12, 12);
    DrawBevelStyle(b->Canvas(), r, bvRaised, kLight, kShadow, 1);
    DrawBevelStyle(b->Canvas(), r, bvNormal, kLight, kShadow, 1);
    for (int i = 1; i < 11; ++i) {
        EXPECT_EQ(Px(*b, 11, i), kShadow) << i;
        EXPECT_EQ(Px(*b, i, 11), kShadow) << i;
        EXPECT_EQ(Px(*b, 0, i), kLight) << i;
    }
    EXPECT_EQ(r, Rect(2, 2, 10, 10));
}

TEST(ShadowFrame, ShadowBandsCornersAndFace) {
    auto b = FilledBitmap(100, 50);
    TRect r = Rect(0, 0, 100, 50);
    EXPECT_TRUE(DrawShadowFrame(b->Canvas(), r, clRed, clGray, clLime, 6, 2, false));
    EXPECT_EQ(r, Rect(2, 2, 92, 42));
    EXPECT_EQ(Count(*b, clGray, Whole(*b)), 6 * 44 + 94 * 6 - 6 * 6);
    EXPECT_EQ(ColorBox(*b, clGray), Rect(6, 6, 100, 50));
    EXPECT_EQ(ColorBox(*b, clLime), Rect(0, 0, 100, 50));
    EXPECT_EQ(Count(*b, clLime, Whole(*b)), 2 * 36);
    EXPECT_EQ(Px(*b, 0, 0), clRed);
    EXPECT_EQ(Px(*b, 93, 43), clRed);
    EXPECT_EQ(Px(*b, 50, 25), clWhite);

    auto t = FilledBitmap(100, 50);
    r = Rect(0, 0, 100, 50);
    DrawShadowFrame(t->Canvas(), r, clRed, clGray, clLime, 6, 1, true);
    EXPECT_EQ(Count(*t, clLime, Whole(*t)), 0);
    EXPECT_EQ(Px(*t, 97, 2), clWhite);
    EXPECT_EQ(Px(*t, 2, 47), clWhite);
}

TEST(StandardBorder, RectanglesAndWidths) {
    struct Case {
        TStyBorderStyle style;
        TRect inner;
        int width;
    } cases[] = {
        {lsNone, Rect(0, 0, 20, 20), 0},        {lsSingle, Rect(1, 1, 20, 20), 1},
        {lsLowered, Rect(2, 2, 18, 18), 2},     {lsRaised, Rect(2, 2, 18, 18), 2},
        {lsRaisedspb, Rect(1, 1, 18, 18), 2},   {lsLoweredspb, Rect(2, 2, 19, 19), 2},
        {lsRaisedExt, Rect(0, 0, 18, 18), 2},   {lsLoweredExt, Rect(2, 2, 18, 18), 2},
        {lsFrameInset, Rect(2, 2, 18, 18), 2},  {lsFrameOffset, Rect(2, 2, 18, 18), 2},
        {lsWindowBorder, Rect(0, 0, 18, 18), 2}, {lsSingleRaised, Rect(1, 1, 19, 19), 1},
        {lsSingleLowered, Rect(1, 1, 19, 19), 1}, {lsDoubleRaised, Rect(2, 2, 18, 18), 2},
        {lsDoubleLowered, Rect(2, 2, 18, 18), 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        auto b = FilledBitmap(20, 20, clAqua);
        TRect r = Rect(0, 0, 20, 20);
        EXPECT_TRUE(DrawStandardBorder(b->Canvas(), r, c.style, 0));
        EXPECT_EQ(r, c.inner);
        EXPECT_EQ(StandardBorderWidth(c.style), c.width);
        EXPECT_EQ(Px(*b, 10, 10), clAqua);
        if (c.style != lsNone) {
            // The window border's left and top lines fall outside, by design.
            if (c.style != lsWindowBorder) {
                EXPECT_NE(Px(*b, 0, 10), clAqua);
            }
            EXPECT_NE(Px(*b, 19, 10), clAqua);
        }
    }
    auto b = FilledBitmap(20, 20);
    TRect r = Rect(0, 0, 20, 20);
    EXPECT_TRUE(DrawStandardBorder(b->Canvas(), r, 15, 0));
    EXPECT_EQ(r, Rect(0, 0, 20, 20));
    EXPECT_EQ(ColorBox(*b, clWhite, true), TRect{});
    // The extra flags reach the edges: BF_MIDDLE fills the inside.
    DrawStandardBorder(b->Canvas(), r, lsSingleLowered, BF_MIDDLE);
    EXPECT_EQ(Px(*b, 10, 10), Rgb(clBtnFace));
    EXPECT_EQ(Px(*b, 0, 0), Rgb(clBtnShadow));
}

TEST(DropArrow, ShapesAndSizes) {
    struct Case {
        int size;
        bool down;
        TRect ink;
        int pixels;
    } cases[] = {
        {3, true, Rect(2, 2, 7, 5), 9},  {5, true, Rect(2, 2, 11, 7), 25}, {3, false, Rect(1, 2, 6, 5), 9},
        {2, true, Rect(2, 2, 5, 4), 4},  {1, true, TRect{}, 0},              {16, false, TRect{}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << (c.down ? " down" : " up"));
        auto b = FilledBitmap(40, 40);
        DrawDropArrow(b->Canvas(), 2, 2, c.size, clRed, c.down, true);
        EXPECT_EQ(ColorBox(*b, clWhite, true), c.ink);
        EXPECT_EQ(Count(*b, clRed, Whole(*b)), c.pixels);
    }
    auto b = FilledBitmap(20, 20, clBtnFace);
    DrawDropArrow(b->Canvas(), 2, 2, 3, clRed, true, false);
    EXPECT_EQ(Count(*b, clRed, Whole(*b)), 0);
    EXPECT_EQ(ColorBox(*b, clGrayText), Rect(2, 2, 7, 5));
    // The light copy shows below and right of the grey one.
    EXPECT_EQ(ColorBox(*b, clHighlightText).Right, 8);
    EXPECT_EQ(ColorBox(*b, clHighlightText).Bottom, 6);
}

TEST(ButtonFrame, FaceRectangleUpDownAndFocus) {
    TStyApplication app(nullptr, "velmor-stydraw-frames");
    struct Case {
        TStyUserButtonStyle style;
        int state, flags, inset;
    } cases[] = {
        {ubsWin40, 0, bffVariant, 3}, {ubsWin40, bfsPressed, bffVariant, 3}, {ubsClassic, 0, 0, 3},
        {ubsClassic, bfsPressed, bffVariant, 3}, {ubsFlat, bfsHot, 0, 3}, {ubsClassicFlat, bfsPressed, 0, 3},
        {ubsIntegrated, 0, 0, 3}, {ubsWin31, 0, bffCutCorners, 4}, {ubsExplorer, bfsLatched, 0, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " state " << c.state);
        auto b = FilledBitmap(40, 30);
        TRect r = Rect(0, 0, 40, 30);
        DrawButtonFrame(b->Canvas(), false, r, c.style, c.state, c.flags, clBtnFace);
        const bool down = c.state == bfsPressed || c.state == bfsLatched;
        const int i = c.inset;
        const TRect face = down ? Rect(i + 1, i + 1, 41 - i, 31 - i) : Rect(i, i, 40 - i, 30 - i);
        EXPECT_EQ(r, face);
    }
    // Focused: an outline first, the face one further in, and the dotted
    // focus rectangle inside it.
    auto b = FilledBitmap(40, 30, clWhite);
    TRect r = Rect(0, 0, 40, 30);
    DrawButtonFrame(b->Canvas(), false, r, ubsWin40, 0, bffVariant | bffFocused, clBtnFace);
    EXPECT_EQ(r, Rect(4, 4, 36, 26));
    EXPECT_EQ(Px(*b, 4, 4), RGB(0x3F, 0x3F, 0x3F));  // a focus dot inverts the face
    EXPECT_EQ(Px(*b, 5, 4), Rgb(clBtnFace));
    // Latched: the face is the checkerboard of the face colour and white.
    auto l = FilledBitmap(40, 30);
    r = Rect(0, 0, 40, 30);
    DrawButtonFrame(l->Canvas(), false, r, ubsFlat, bfsLatched, 0, clRed);
    EXPECT_EQ(Px(*l, 10, 11), clRed);
    EXPECT_EQ(Px(*l, 10, 10), clWhite);
}

}  // namespace
