// The kit's plain string functions.
#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/DateTime.h"
#include "gridkit/grid/GkFunctions.h"

namespace {

TEST(GkFunctions, TextKind) {
    const struct {
        const char* text;
        bool markup;
        TCellTextKind kind;
    } cases[] = {
        {"", true, TCellTextKind::Plain},           {"=", true, TCellTextKind::Plain},
        {"=A1+B1", true, TCellTextKind::Formula},   {"{\\rtf1 x}", true, TCellTextKind::RichText},
        {"a <B>b</B>", true, TCellTextKind::Markup}, {"a <B>b</B>", false, TCellTextKind::Plain},
        {"<i>low</i>", true, TCellTextKind::Markup}, {"<b>bold", true, TCellTextKind::Plain},
        {"plain", true, TCellTextKind::Plain},
    };
    for (const auto& k : cases) EXPECT_EQ(TextKind(k.text, k.markup), k.kind) << k.text;
}

TEST(GkFunctions, ClassifyNumberText) {
    TFormatSettings& fs = FormatSettings();
    const TFormatSettings keep = fs;
    fs.ThousandSeparator = ',';
    fs.DecimalSeparator = '.';
    const struct {
        const char* text;
        int kind;
    } cases[] = {
        {"", 0},          {"123", 0},       {"-12", 0},     {"1.5", 1},     {"1,234.5", 1},
        {"1,234,567", 1}, {",123", 2},      {"1,2,3", 2},   {"1,23,4", 1},  {"1..2", 2},    {"--1", 2},
        {"12a", 2},       {"1 000", 2},
    };
    for (const auto& k : cases) EXPECT_EQ(ClassifyNumberText(k.text), k.kind) << k.text;
    fs = keep;
}

TEST(GkFunctions, UrlsReferencesAndLines) {
    EXPECT_TRUE(IsURL("http://x.org"));
    EXPECT_TRUE(IsURL("mailto:a@b.c"));
    EXPECT_FALSE(IsURL("www.x.org"));
    EXPECT_EQ(StripURLProtocol("https://x.org/a"), "x.org/a");
    EXPECT_EQ(StripURLProtocol("mailto:a@b.c"), "a@b.c");
    EXPECT_EQ(StripURLProtocol("plain"), "plain");

    int col = -1, row = -1;
    EXPECT_TRUE(ParseRowCol("r12c3", col, row));
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 12);
    for (const char* bad : {"R1C", "RC1", "X1C1", "R1x1", "R1C1a", "R1"})
        EXPECT_FALSE(ParseRowCol(bad, col, row)) << bad;

    String rest;
    EXPECT_EQ(FirstLine("one\r\ntwo\rthree", &rest), "one");
    EXPECT_EQ(rest, "two\rthree");
    EXPECT_EQ(FirstLine("single", &rest), "single");
    EXPECT_EQ(rest, "");
    EXPECT_EQ(LineCount("a\rb\r\nc", true), 3);
    EXPECT_EQ(LineCount("a\rb\r\nc", false), 1);
    EXPECT_EQ(DecodeHeaderBreaks("a\\nb\\n"), "a\rb\r");
    EXPECT_EQ(DecodeHeaderBreaks("a\\tb"), "a\\tb");
    EXPECT_EQ(FillChars("secret", '*'), "******");
}

TEST(GkFunctions, DrawTransparentBitmapPaintsTheCornerColourAsBackground) {
    TBitmap glyph(4, 4);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(Rect(0, 0, 4, 4));
    glyph.Canvas()->SetPixels(2, 2, clNavy);
    TBitmap target(8, 8);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 8, 8));
    DrawTransparentBitmap(target.Canvas(), &glyph, clYellow, Rect(2, 2, 6, 6));
    EXPECT_EQ(target.Canvas()->Pixels(0, 0), clWhite);  // outside the rectangle
    EXPECT_EQ(target.Canvas()->Pixels(2, 2), clYellow);
    EXPECT_EQ(target.Canvas()->Pixels(4, 4), clNavy);
}

}  // namespace
