#include <gtest/gtest.h>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "framework/rtl/Exception.h"

namespace {

TEST(Colors, SystemColoursResolveFromTheClassicTable) {
    struct Case {
        TColor color;
        TColor rgb;
    } cases[] = {
        {clBtnFace, 0xC0C0C0},        {clWindow, 0xFFFFFF},        {clHighlight, 0x800000},
        {clBtnShadow, 0x808080},      {clBtnHighlight, 0xFFFFFF},  {cl3DDkShadow, 0x000000},
        {cl3DLight, 0xC0C0C0},        {clWindowText, 0x000000},    {clHighlightText, 0xFFFFFF},
        {clGrayText, 0x808080},       {clInfoBk, 0xE1FFFF},        {clActiveCaption, 0x800000},
        {clInactiveCaption, 0x808080}, {clBackground, 0x808000},   {clRed, 0x0000FF},
        {clNone, 0xFFFFFF},           {clDefault, 0x000000},
    };
    for (const auto& k : cases) EXPECT_EQ(ColorToRGB(k.color), k.rgb) << std::hex << k.color;
    EXPECT_EQ(static_cast<std::uint32_t>(clBtnFace), 0x8000000Fu);
    EXPECT_EQ(static_cast<std::uint32_t>(clWindow), 0x80000005u);
    EXPECT_EQ(clNone, 0x1FFFFFFF);
    EXPECT_EQ(RGB(1, 2, 3), 0x030201);
}

TEST(Colors, NamesRoundTrip) {
    for (TColor c : {clBtnFace, clRed, clNone, TColor(0x123456)}) EXPECT_EQ(StringToColor(ColorToString(c)), c);
    EXPECT_EQ(ColorToString(clHighlight), "clHighlight");
    EXPECT_EQ(ColorToString(0x123456), "$00123456");
    EXPECT_EQ(StringToColor("CLWINDOW"), clWindow);
    EXPECT_EQ(StringToColor("16777215"), clWhite);
    EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
}

TEST(Font, SizeAndHeightFollowNinetySixDpi) {
    struct Case {
        int size, height;
    } cases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {24, -32}};
    for (const auto& k : cases) {
        TFont f;
        f.SetSize(k.size);
        EXPECT_EQ(f.Height(), k.height) << k.size;
        f.SetHeight(k.height);
        EXPECT_EQ(f.Size(), k.size) << k.height;
    }
    TFont f;
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Color(), clWindowText);
}

TEST(Font, ChangesReportOnceAndAssignCopiesEverything) {
    TFont a, b;
    int changes = 0;
    a.OnChange = [&](TObject* s) { EXPECT_EQ(s, &a); ++changes; };
    a.SetStyle(fsBold | fsUnderline);
    a.SetStyle(fsBold | fsUnderline);  // unchanged: no report
    a.SetName("Courier New");
    a.SetOrientation(450);
    EXPECT_EQ(changes, 3);
    b.Assign(&a);
    EXPECT_EQ(b.Style(), fsBold | fsUnderline);
    EXPECT_EQ(b.Name(), "Courier New");
    EXPECT_EQ(b.Orientation(), 450);
    TPen pen;
    EXPECT_THROW(b.Assign(&pen), EConvertError);
}

TEST(BrushPen, SettingAColourMakesAClearBrushSolid) {
    TBrush brush;
    brush.SetStyle(bsClear);
    int changes = 0;
    brush.OnChange = [&](TObject*) { ++changes; };
    brush.SetColor(clWhite);  // same colour, but the style changes
    EXPECT_EQ(brush.Style(), bsSolid);
    EXPECT_EQ(changes, 1);
    TPen pen;
    pen.SetWidth(0);
    EXPECT_EQ(pen.Width(), 1);
    TPen copy;
    pen.SetMode(pmXor);
    copy.Assign(&pen);
    EXPECT_EQ(copy.Mode(), pmXor);
}

}  // namespace
