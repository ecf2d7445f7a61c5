#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "toolbars/TbCommon.h"
#include "toolbars/TbCustomPanel.h"

namespace {

struct TPixel {
    int X, Y;
    TColor Color;
};

struct TFrameCase {
    const char* Name;
    TFrameStyle Style;
    TSides Sides;
    TRect Inside;
    std::vector<TPixel> Pixels;
};

constexpr TColor W = clWhite;

void PrintTo(const TFrameCase& c, std::ostream* os) { *os << c.Name; }

class FrameStyles : public ::testing::TestWithParam<TFrameCase> {};

}  // namespace

// An 8 x 8 white bitmap framed in one style: corners, edges and the second
// ring against the fixed colour table.
TEST_P(FrameStyles, DrawBorderSidesPaintsTheFixedColours) {
    const TFrameCase& c = GetParam();
    TBitmap bmp(8, 8);
    const TRect inside = DrawBorderSides(bmp.Canvas(), Rect(0, 0, 8, 8), c.Style, c.Sides);
    EXPECT_EQ(inside, c.Inside);
    for (const TPixel& p : c.Pixels)
        EXPECT_EQ(bmp.Canvas()->Pixels(p.X, p.Y), ColorToRGB(p.Color)) << "at " << p.X << "," << p.Y;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrameStyles,
    ::testing::Values(
        TFrameCase{"None", TFrameStyle::fsNone, AllSides, Rect(0, 0, 8, 8), {{0, 0, W}, {7, 7, W}}},
        TFrameCase{"Flat", TFrameStyle::fsFlat, AllSides, Rect(1, 1, 7, 7),
                   {{0, 0, clWindowFrame}, {7, 7, clWindowFrame}, {7, 0, clWindowFrame}, {1, 1, W}}},
        TFrameCase{"Status", TFrameStyle::fsStatus, AllSides, Rect(1, 1, 7, 7),
                   {{0, 0, clBtnShadow}, {3, 0, clBtnShadow}, {0, 3, clBtnShadow},
                    {7, 0, clBtnHighlight}, {0, 7, clBtnHighlight}, {7, 3, clBtnHighlight}, {1, 1, W}}},
        TFrameCase{"Popup", TFrameStyle::fsPopup, AllSides, Rect(1, 1, 7, 7),
                   {{0, 0, clBtnHighlight}, {7, 0, clBtnShadow}, {3, 7, clBtnShadow}}},
        TFrameCase{"Raised", TFrameStyle::fsRaised, AllSides, Rect(2, 2, 6, 6),
                   {{0, 0, cl3DLight}, {7, 7, clBtnText}, {7, 0, clBtnText},
                    {1, 1, clBtnHighlight}, {6, 3, clBtnShadow}, {3, 6, clBtnShadow}, {2, 2, W}}},
        TFrameCase{"Lowered", TFrameStyle::fsLowered, AllSides, Rect(2, 2, 6, 6),
                   {{0, 3, clBtnShadow}, {7, 3, clBtnHighlight}, {1, 3, clBtnText}, {6, 3, cl3DLight}}},
        TFrameCase{"ButtonUp", TFrameStyle::fsButtonUp, AllSides, Rect(2, 2, 6, 6),
                   {{3, 0, clBtnHighlight}, {3, 7, cl3DDkShadow}, {3, 1, cl3DLight}, {3, 6, clBtnShadow}}},
        TFrameCase{"ButtonDown", TFrameStyle::fsButtonDown, AllSides, Rect(2, 2, 6, 6),
                   {{0, 0, clBtnText}, {7, 7, clBtnText}, {1, 1, clBtnShadow}, {6, 6, clBtnShadow}}},
        TFrameCase{"Groove", TFrameStyle::fsGroove, AllSides, Rect(2, 2, 6, 6),
                   {{0, 0, clBtnShadow}, {3, 0, clBtnShadow}, {7, 0, clBtnHighlight}, {0, 7, clBtnHighlight},
                    {7, 7, clBtnHighlight}, {1, 3, clBtnHighlight}, {6, 3, clBtnShadow},
                    {7, 3, clBtnHighlight}, {3, 6, clBtnShadow}, {3, 7, clBtnHighlight}, {2, 2, W}}},
        TFrameCase{"Bump", TFrameStyle::fsBump, AllSides, Rect(2, 2, 6, 6),
                   {{0, 0, clBtnHighlight}, {7, 0, clBtnShadow}, {1, 3, clBtnShadow}, {6, 3, clBtnHighlight}}},
        // Open ends of an etched line get their corner pixels.
        TFrameCase{"GrooveTopOnly", TFrameStyle::fsGroove, sdTop, Rect(0, 2, 8, 8),
                   {{7, 0, clBtnShadow}, {0, 1, clBtnHighlight}, {3, 0, clBtnShadow}, {3, 1, clBtnHighlight},
                    {0, 3, W}, {3, 7, W}}},
        TFrameCase{"RaisedLeftOnly", TFrameStyle::fsRaised, sdLeft, Rect(2, 0, 8, 8),
                   {{0, 4, cl3DLight}, {1, 4, clBtnHighlight}, {7, 4, W}, {4, 0, W}}}),
    [](const ::testing::TestParamInfo<TFrameCase>& i) { return String(i.param.Name); });

TEST(FrameRoutines, DrawSidesAndBevelShrinkOnlyTheDrawnSides) {
    TBitmap bmp(10, 10);
    TRect r = DrawBevel(bmp.Canvas(), Rect(0, 0, 10, 10), clRed, clBlue, 3, sdLeft | sdBottom);
    EXPECT_EQ(r, Rect(3, 0, 10, 7));
    EXPECT_EQ(bmp.Canvas()->Pixels(2, 0), clRed);
    EXPECT_EQ(bmp.Canvas()->Pixels(9, 7), clBlue);
    EXPECT_EQ(bmp.Canvas()->Pixels(9, 6), clWhite);
    // The lower-right colour owns the shared corner.
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 9), clBlue);
}

TEST(FrameRoutines, PanelDrawsItsOuterFlatEdgeInFlatColorAndFrameSidesInBlack) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* panel = new TTbCustomPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 12, 12);
    panel->SetColor(clYellow);
    panel->SetBorderOuter(TFrameStyle::fsFlat);
    panel->SetFlatColor(clRed);
    panel->SetFrameSides(sdTop);
    panel->SetBorderWidth(1);
    panel->SetBorderColor(clLime);
    TBitmap bmp(12, 12);
    panel->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_EQ(bmp.Canvas()->Pixels(5, 0), clBlack);
    EXPECT_EQ(bmp.Canvas()->Pixels(5, 1), clRed);
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 5), clRed);
    EXPECT_EQ(bmp.Canvas()->Pixels(1, 5), clLime);
    EXPECT_EQ(bmp.Canvas()->Pixels(5, 5), clYellow);
    TRect inner = panel->GetControlRect();
    panel->AdjustForBorders(inner, true);
    EXPECT_EQ(inner, Rect(2, 3, 10, 10));
}
