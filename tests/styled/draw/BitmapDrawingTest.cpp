#include <gtest/gtest.h>

#include <cstring>

#include "DrawHelpers.h"
#include "framework/classes/MemoryStream.h"
#include "framework/graphics/Graphic.h"
#include "styled/graphics/BitmapDrawing.h"
#include "styled/graphics/StyGraphTypes.h"

namespace {

struct PlacementCase {
    const char* name;
    Word flags;
    TSize source;
    TRect dest;
    TRect expected;
};

TEST(PlaceBitmap, PlacementTable) {
    const PlacementCase cases[] = {
        {"unscaled at the corner", 0, {10, 10}, Rect(5, 5, 100, 50), Rect(5, 5, 15, 15)},
        {"centred", dfCenter, {10, 10}, Rect(0, 0, 100, 50), Rect(45, 20, 55, 30)},
        {"centred, larger than the destination", dfCenter, {40, 40}, Rect(0, 0, 20, 20), Rect(-10, -10, 30, 30)},
        {"stretched", dfStretch, {40, 20}, Rect(0, 0, 100, 80), Rect(0, 0, 100, 80)},
        {"stretched, width kept", dfStretch | dfKeepWidth, {40, 20}, Rect(0, 0, 100, 80), Rect(0, 0, 100, 50)},
        {"stretched, height kept", dfStretch | dfKeepHeight, {40, 20}, Rect(0, 0, 100, 40), Rect(0, 0, 80, 40)},
        {"stretched to fit", dfStretch | dfKeepAspect, {40, 20}, Rect(10, 10, 110, 110), Rect(10, 10, 110, 60)},
        {"stretch wins over centre", dfStretch | dfCenter, {10, 10}, Rect(0, 0, 30, 30), Rect(0, 0, 30, 30)},
        {"tiled: the destination", dfTile, {30, 20}, Rect(0, 0, 100, 50), Rect(0, 0, 100, 50)},
        {"no area: the destination", 0, {0, 10}, Rect(0, 0, 30, 30), Rect(0, 0, 30, 30)},
        {"empty destination", dfCenter, {10, 10}, Rect(5, 5, 5, 40), TRect{}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto canvas = FilledBitmap(120, 120);
        auto src = FilledBitmap(std::max(1, c.source.cx), std::max(1, c.source.cy), clRed);
        TRect result{1, 2, 3, 4};
        PlaceBitmap(canvas->Canvas(), c.dest, src->Canvas(), Rect(0, 0, c.source.cx, c.source.cy), c.flags, clNone,
                    nullptr, nullptr, result);
        EXPECT_EQ(result, c.expected);
    }
}

TEST(PlaceBitmap, StretchedAndCentredPixelsLandInTheResult) {
    auto canvas = FilledBitmap(100, 50);
    auto src = FilledBitmap(10, 10, clRed);
    TRect result;
    PlaceBitmap(canvas->Canvas(), Rect(0, 0, 100, 50), src->Canvas(), Rect(0, 0, 10, 10), dfCenter, clNone, nullptr,
                nullptr, result);
    EXPECT_EQ(ColorBox(*canvas, clRed), Rect(45, 20, 55, 30));

    auto stretched = FilledBitmap(100, 80);
    PlaceBitmap(stretched->Canvas(), Rect(0, 0, 100, 80), src->Canvas(), Rect(0, 0, 10, 10), dfStretch | dfKeepAspect,
                clNone, nullptr, nullptr, result);
    EXPECT_EQ(ColorBox(*stretched, clRed), Rect(0, 0, 80, 80));
}

// 30 x 20 tiles over 100 x 50: 4 columns and 3 rows from the corner, and
// the last column and row are cut at the destination instead of painting
// past it.
TEST(PlaceBitmap, TilesFromTheCornerAndStayInsideTheDestination) {
    auto canvas = FilledBitmap(140, 90);
    auto tile = FilledBitmap(30, 20, clGreen);
    tile->Canvas()->SetPixels(0, 0, clRed);
    TRect result;
    const TRect dest = Rect(5, 5, 105, 55);
    PlaceBitmap(canvas->Canvas(), dest, tile->Canvas(), Rect(0, 0, 30, 20), dfTile, clNone, nullptr, nullptr, result);
    EXPECT_EQ(Count(*canvas, clRed, Whole(*canvas)), 4 * 3);
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Px(*canvas, 5 + 30 * i, 5 + 20 * j), clRed);
    EXPECT_EQ(ColorBox(*canvas, clWhite, true), dest);
}

// A source with a fuchsia background and a blue square in it.
std::unique_ptr<TBitmap> KeyedSource() {
    auto src = FilledBitmap(8, 8, clFuchsia);
    src->Canvas()->Brush()->SetColor(clBlue);
    src->Canvas()->FillRect(Rect(2, 2, 6, 6));
    return src;
}

TEST(PlaceBitmap, TransparentPathsKeepTheBackgroundWhereTheKeyColourWas) {
    auto src = KeyedSource();
    TRect result;
    {
        SCOPED_TRACE("by colour key");
        auto canvas = FilledBitmap(20, 20, clYellow);
        PlaceBitmap(canvas->Canvas(), Rect(4, 4, 12, 12), src->Canvas(), Rect(0, 0, 8, 8), dfTransparentColor,
                    clFuchsia, nullptr, nullptr, result);
        EXPECT_EQ(Count(*canvas, clFuchsia, Whole(*canvas)), 0);
        EXPECT_EQ(ColorBox(*canvas, clBlue), Rect(6, 6, 10, 10));
        EXPECT_EQ(Px(*canvas, 4, 4), clYellow);
    }
    {
        SCOPED_TRACE("by colour key, stretched");
        auto canvas = FilledBitmap(20, 20, clYellow);
        PlaceBitmap(canvas->Canvas(), Rect(0, 0, 16, 16), src->Canvas(), Rect(0, 0, 8, 8),
                    dfTransparentColor | dfStretch, clFuchsia, nullptr, nullptr, result);
        EXPECT_EQ(ColorBox(*canvas, clBlue), Rect(4, 4, 12, 12));
        EXPECT_EQ(Count(*canvas, clFuchsia, Whole(*canvas)), 0);
    }
    {
        SCOPED_TRACE("the bitmap's own transparent colour takes the brush");
        auto canvas = FilledBitmap(20, 20, clYellow);
        PlaceBitmap(canvas->Canvas(), Rect(0, 0, 8, 8), nullptr, Rect(0, 0, 8, 8), dfTransparentBrush, clLime,
                    nullptr, src.get(), result);
        EXPECT_EQ(Count(*canvas, clLime, Whole(*canvas)), 64 - 16);
        EXPECT_EQ(ColorBox(*canvas, clBlue), Rect(2, 2, 6, 6));
        EXPECT_EQ(Px(*canvas, 9, 9), clYellow);
    }
    {
        SCOPED_TRACE("through the caller's mask");
        TBitmap mask, image;
        MakeBitmapMask(src.get(), &mask, &image, clFuchsia);
        EXPECT_EQ(Px(mask, 0, 0), clWhite);
        EXPECT_EQ(Px(mask, 3, 3), clBlack);
        EXPECT_EQ(Px(image, 0, 0), clBlack);
        EXPECT_EQ(Px(image, 3, 3), clBlue);
        auto canvas = FilledBitmap(20, 20, clYellow);
        PlaceBitmap(canvas->Canvas(), Rect(10, 10, 18, 18), image.Canvas(), Rect(0, 0, 8, 8), dfTransparentMask,
                    clNone, nullptr, mask.Canvas(), result);
        EXPECT_EQ(ColorBox(*canvas, clBlue), Rect(12, 12, 16, 16));
        EXPECT_EQ(ColorBox(*canvas, clYellow, true), Rect(12, 12, 16, 16));
    }
}

TEST(DrawBitmapClipped, DrawsOnlyInsideTheMovedDestinationAndKeepsTheCallersClip) {
    auto src = FilledBitmap(20, 20, clRed);
    auto canvas = FilledBitmap(40, 40);
    canvas->Canvas()->SelectClipRect(Rect(0, 0, 30, 30));
    // Origin x 5, y 3: the clip is the destination moved by it.
    DrawBitmapClipped(canvas->Canvas(), Rect(0, 0, 20, 20), src.get(), dfClip | dfTile, (3u << 16) | 5u, clNone);
    EXPECT_EQ(ColorBox(*canvas, clRed), Rect(5, 3, 20, 20));
    ASSERT_TRUE(canvas->Canvas()->HasClip());
    EXPECT_EQ(canvas->Canvas()->ClipRect(), Rect(0, 0, 30, 30));
}

TEST(DisabledImages, EtchedCopyOfTheBlackPixels) {
    // Red glyph with black lines on an olive background (the bottom-left
    // pixel makes olive the transparent colour).
    auto src = FilledBitmap(6, 6, clOlive);
    src->Canvas()->Brush()->SetColor(clRed);
    src->Canvas()->FillRect(Rect(1, 1, 5, 5));
    src->Canvas()->SetPixels(1, 1, clBlack);
    src->Canvas()->SetPixels(3, 2, clBlack);
    TBitmap dest;
    DrawDisabledBitmap(&dest, src.get(), 0, 0);
    ASSERT_EQ(dest.Width(), 6);
    EXPECT_EQ(Px(dest, 1, 1), Rgb(clBtnShadow));
    EXPECT_EQ(Px(dest, 3, 2), Rgb(clBtnShadow));
    EXPECT_EQ(Px(dest, 2, 2), Rgb(clBtnHighlight));
    EXPECT_EQ(Px(dest, 4, 3), Rgb(clBtnHighlight));
    EXPECT_EQ(Count(dest, clOlive, Whole(dest)), 36 - 4);
}

TEST(DisabledImages, FourTonesByBrightness) {
    // Sums 750, 450, 300, 150, 0 average 330: the tones split at 680, 380
    // and 180.
    auto src = FilledBitmap(5, 2, clWhite);
    const TColor greys[] = {RGB(250, 250, 250), RGB(150, 150, 150), RGB(100, 100, 100), RGB(50, 50, 50), clBlack};
    for (int x = 0; x < 5; ++x) src->Canvas()->SetPixels(x, 1, greys[x]);
    TBitmap dest;
    Make3DBitmap(&dest, src.get());
    EXPECT_EQ(Px(dest, 0, 1), clWhite);
    EXPECT_EQ(Px(dest, 1, 1), Rgb(clBtnHighlight));
    EXPECT_EQ(Px(dest, 2, 1), Rgb(clBtnShadow));
    EXPECT_EQ(Px(dest, 3, 1), clBlack);
    EXPECT_EQ(Px(dest, 4, 1), clBlack);
    EXPECT_EQ(Px(dest, 2, 0), clWhite);  // background stays
}

std::uint32_t U32(const std::vector<Byte>& b, size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}
unsigned U16(const std::vector<Byte>& b, size_t at) { return unsigned(b[at]) | unsigned(b[at + 1]) << 8; }

TEST(DIBWriter, HeaderOfAnEightBitImage) {
    TBitmap b(3, 2);
    b.SetPixelFormat(pf8bit);
    const auto dib = BitmapToDIB(&b, nullptr, 0);
    ASSERT_EQ(dib.size(), 1086u);
    EXPECT_EQ(U16(dib, 0), 0x4D42u);
    EXPECT_EQ(U32(dib, 2), 1086u);
    EXPECT_EQ(U32(dib, 6), 0u);
    EXPECT_EQ(U32(dib, 10), 1078u);
    EXPECT_EQ(U32(dib, 14), 40u);
    EXPECT_EQ(U32(dib, 18), 3u);
    EXPECT_EQ(U32(dib, 22), 2u);
    EXPECT_EQ(U16(dib, 26), 1u);
    EXPECT_EQ(U16(dib, 28), 8u);
    EXPECT_EQ(U32(dib, 30), 0u);
    EXPECT_EQ(U32(dib, 34), 8u);
    // The file image reads back as the same picture.
    TMemoryStream m;
    m.WriteBuffer(dib.data(), Int64(dib.size()));
    m.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(&m);
    EXPECT_EQ(back.Width(), 3);
    EXPECT_EQ(Px(back, 2, 1), clWhite);
}

TEST(DIBWriter, DepthByColourCount) {
    auto b = FilledBitmap(5, 3, clRed);
    b->Canvas()->SetPixels(0, 0, clBlue);  // top row: written last
    struct Case {
        int colors;
        unsigned bits;
        size_t table;
    } cases[] = {{2, 1, 8}, {16, 4, 64}, {256, 8, 1024}, {0, 24, 0}, {24, 24, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.colors);
        const auto dib = BitmapToDIB(b.get(), nullptr, c.colors);
        const unsigned stride = ((5 * c.bits + 31) / 32) * 4;
        EXPECT_EQ(U16(dib, 28), c.bits);
        EXPECT_EQ(U32(dib, 10), 54 + c.table);
        EXPECT_EQ(dib.size(), 54 + c.table + stride * 3);
    }
    const auto dib = BitmapToDIB(b.get(), nullptr, 0);
    const size_t topRow = 54 + 2 * 16;  // rows are stored bottom-up
    EXPECT_EQ(dib[topRow], 0xFF);        // blue, as B G R
    EXPECT_EQ(dib[topRow + 2], 0x00);
    EXPECT_EQ(dib[54 + 2], 0xFF);  // the bottom row is red
}

TEST(DIBWriter, MonochromeStaysOneBitAndTheStreamIsRewound) {
    TBitmap b(8, 2);
    b.SetMonochrome(true);
    TMemoryStream m;
    m.WriteBuffer("xx", 2);
    SaveBitmapToStream(&m, &b, 256);
    EXPECT_EQ(m.Position(), 0);
    EXPECT_EQ(m.Size(), 2 + 14 + 40 + 8 + 2 * 4);
    std::vector<Byte> bytes(size_t(m.Size()));
    m.ReadBuffer(bytes.data(), m.Size());
    EXPECT_EQ(U16(bytes, 2 + 28), 1u);

    TMemoryStream sized;
    WriteDIB(&sized, &b, nullptr, true, 0);
    sized.SetPosition(0);
    Int64 size = 0;
    sized.ReadBuffer(&size, 4);
    EXPECT_EQ(size + 4, sized.Size());
}

TEST(DIBWriter, AnEmptyBitmapIsRefused) {
    TBitmap empty;
    try {
        BitmapToDIB(&empty, nullptr, 0);
        FAIL() << "no error";
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
    TMemoryStream m;
    EXPECT_THROW(WriteDIB(&m, nullptr, nullptr, true, 0), EInvalidGraphic);
    EXPECT_EQ(m.Size(), 0);
}

}  // namespace
