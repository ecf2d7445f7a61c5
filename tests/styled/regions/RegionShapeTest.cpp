// Shapes built for a rectangle, checked by points they must hold or leave
// out, and the outline and shadow they paint.
#include <gtest/gtest.h>

#include <vector>

#include "framework/classes/MemoryStream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "styled/forms/StyBorderRegion.h"
#include "styled/forms/StyRegionBorder.h"
#include "styled/forms/StyRegionMask.h"
#include "styled/graphics/StyShadow.h"

namespace {

struct ShapeCase {
    const char* Name;
    TStyRegionShape Shape;
    TStyExtPos Pos;
    TRect R;
    std::vector<TPoint> Inside;
    std::vector<TPoint> Outside;
};

void PrintTo(const ShapeCase& c, std::ostream* os) { *os << c.Name; }

class RegionShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(RegionShapes, HoldsAndExcludesPoints) {
    const auto& c = GetParam();
    TStyRegion region;
    region.Shadow()->SetStyle(hssNone);
    region.SetShape(c.Shape);
    region.SetExtPos(c.Pos);
    region.CreateRegion(c.R);
    ASSERT_NE(region.Region(), nullptr);
    for (const TPoint& p : c.Inside) EXPECT_TRUE(region.Region()->Contains(p)) << p.X << "," << p.Y;
    for (const TPoint& p : c.Outside) EXPECT_FALSE(region.Region()->Contains(p)) << p.X << "," << p.Y;
}

const TRect R100 = Rect(0, 0, 100, 100);

INSTANTIATE_TEST_SUITE_P(
    Table, RegionShapes,
    ::testing::Values(
        ShapeCase{"Rect", rsRect, epLeftTop, Rect(10, 10, 50, 30), {{10, 10}, {49, 29}}, {{50, 29}, {9, 10}, {10, 30}}},
        // 20 x 20 corner ellipses cut the corners, not the edges' middles.
        ShapeCase{"RoundRect", rsRoundRect, epLeftTop, R100, {{50, 0}, {0, 50}, {99, 50}, {5, 5}}, {{0, 0}, {99, 99}, {1, 98}}},
        ShapeCase{"Elliptic", rsElliptic, epLeftTop, R100, {{50, 50}, {50, 1}, {1, 50}}, {{5, 5}, {95, 95}}},
        // The star's points and the notches between them.
        ShapeCase{"Star", rsStar, epLeftTop, R100, {{50, 2}, {97, 39}, {84, 98}, {16, 98}, {2, 39}, {50, 50}},
                  {{50, 80}, {20, 20}, {80, 20}, {65, 30}, {2, 60}}},
        ShapeCase{"Diamond", rsDiamond, epLeftTop, R100, {{50, 2}, {2, 50}, {50, 97}, {97, 50}}, {{5, 5}, {95, 95}, {5, 95}}},
        ShapeCase{"Octagon", rsOctagon, epLeftTop, Rect(0, 0, 90, 90), {{45, 1}, {1, 45}, {45, 45}}, {{2, 2}, {88, 88}}},
        ShapeCase{"Comb", rsComb, epLeftTop, R100, {{50, 2}, {1, 50}, {98, 50}}, {{2, 2}, {97, 97}}},
        // Only the lower half of an ellipse twice the height falls in R.
        ShapeCase{"HalfRound", rsHalfRound, epLeftTop, R100, {{1, 1}, {98, 1}, {50, 98}}, {{2, 97}, {97, 97}}},
        // A nose of 10 at the top-left corner: the body starts at (10, 10),
        // the tip is the corner itself, the base runs down the left edge.
        ShapeCase{"NoseLeftTop", rsNoseRect, epLeftTop, R100, {{3, 6}, {9, 17}, {10, 10}, {99, 99}},
                  {{5, 1}, {9, 40}, {50, 5}}},
        ShapeCase{"NoseBottomRight", rsNoseRect, epBottomRight, R100, {{93, 96}, {85, 91}, {0, 0}},
                  {{98, 50}, {50, 95}, {0, 95}}},
        // The bubbles grow from the corner towards the body.
        ShapeCase{"ThinkBubble", rsThinkBubble, epLeftTop, Rect(0, 0, 120, 120), {{20, 20}, {119, 119}, {16, 16}},
                  {{1, 1}, {19, 100}, {100, 19}}},
        // The shields sit at (0, 0) whatever R says.
        ShapeCase{"RoundShield", rsRoundShield, epLeftTop, Rect(30, 30, 130, 130), {{50, 50}, {50, 95}},
                  {{50, 101}, {2, 2}, {98, 2}, {50, 135}}},
        ShapeCase{"SharpShield", rsSharpShield, epLeftTop, R100, {{50, 50}, {50, 98}}, {{2, 90}, {98, 90}, {2, 2}}}),
    [](const ::testing::TestParamInfo<ShapeCase>& i) { return std::string(i.param.Name); });

TEST(RegionShape, DataShapesWithoutDataGiveNoRegion) {
    TStyRegion region;
    for (TStyRegionShape s : {rsBitmap, rsUserRegion}) {
        region.SetShape(s);
        region.CreateRegion(R100);
        EXPECT_EQ(region.Region(), nullptr);
    }
    // With region data the outline is the data's.
    const std::vector<Byte> data = TRegion(Rect(5, 5, 15, 25)).RegionData();
    region.UserRegionData = data;
    region.CreateRegion(R100);
    ASSERT_NE(region.Region(), nullptr);
    EXPECT_EQ(region.Region()->BoundingBox(), Rect(5, 5, 15, 25));
    region.SetShape(rsBitmap);
    region.Mask()->SetRegionData(data);
    region.CreateRegion(R100);
    ASSERT_NE(region.Region(), nullptr);
    EXPECT_TRUE(region.Region()->Contains(14, 24));
}

TEST(RegionShape, ShadowTakesItsDepthOffTheShapeAndFillsTheBandOutside) {
    TStyBorderRegion region;
    region.SetShape(rsRect);
    region.Border()->SetStyle(rbNone);
    region.Shadow()->SetColor(clRed);
    region.CreateRegion(Rect(0, 0, 40, 30));
    EXPECT_EQ(region.Region()->BoundingBox(), Rect(0, 0, 34, 24));

    TBitmap b(40, 30);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(Rect(0, 0, 40, 30));
    region.PaintBorder(b.Canvas(), Rect(0, 0, 40, 30));
    EXPECT_EQ(b.Canvas()->Pixels(36, 20), ColorToRGB(clRed));   // right band
    EXPECT_EQ(b.Canvas()->Pixels(20, 27), ColorToRGB(clRed));   // bottom band
    EXPECT_EQ(b.Canvas()->Pixels(39, 29), ColorToRGB(clRed));
    EXPECT_EQ(b.Canvas()->Pixels(37, 3), ColorToRGB(clWhite));  // above the moved copy
    EXPECT_EQ(b.Canvas()->Pixels(20, 20), ColorToRGB(clWhite)); // the shape itself
}

struct BorderCase {
    TStyRegionBorderStyle Style;
    TColor TopLeft, BottomRight, InnerBottomRight;
};

void PrintTo(const BorderCase& c, std::ostream* os) { *os << "style " << static_cast<int>(c.Style); }

class RegionBorders : public ::testing::TestWithParam<BorderCase> {};

TEST_P(RegionBorders, OutlineColoursFollowTheStyle) {
    const auto& c = GetParam();
    TStyBorderRegion region;
    region.SetShape(rsRect);
    region.Shadow()->SetStyle(hssNone);
    region.Border()->SetStyle(c.Style);
    region.Border()->SetLightColor(clWhite);
    region.Border()->SetShadowColor(clGray);
    region.Border()->SetSingleColor(clBlack);
    region.CreateRegion(Rect(0, 0, 20, 20));
    TBitmap b(20, 20);
    b.Canvas()->Brush()->SetColor(clYellow);
    b.Canvas()->FillRect(Rect(0, 0, 20, 20));
    region.PaintBorder(b.Canvas(), Rect(0, 0, 20, 20));
    EXPECT_EQ(b.Canvas()->Pixels(0, 10), ColorToRGB(c.TopLeft));
    EXPECT_EQ(b.Canvas()->Pixels(10, 19), ColorToRGB(c.BottomRight));
    EXPECT_EQ(b.Canvas()->Pixels(10, 17), ColorToRGB(c.InnerBottomRight));
    EXPECT_EQ(b.Canvas()->Pixels(10, 10), ColorToRGB(clYellow));
}

INSTANTIATE_TEST_SUITE_P(Styles, RegionBorders,
                         ::testing::Values(BorderCase{rbNone, clYellow, clYellow, clYellow},
                                           BorderCase{rbSingle, clBlack, clBlack, clYellow},
                                           BorderCase{rbRaised, clWhite, clGray, clYellow},
                                           BorderCase{rbLowered, clGray, clWhite, clYellow},
                                           BorderCase{rbSingleRaised, clBlack, clBlack, clGray},
                                           BorderCase{rbSingleLowered, clBlack, clBlack, clWhite},
                                           // The single colour takes the dark part.
                                           BorderCase{rbRaisedpsb, clWhite, clBlack, clYellow}));

TEST(RegionShape, RoundingOnlyReportedForRoundedShapes) {
    TStyRegion region;
    int changes = 0;
    region.OnChange = [&](TObject*) { ++changes; };
    region.SetRoundX(30);  // rsRoundRect
    EXPECT_EQ(changes, 1);
    region.SetShape(rsStar);
    changes = 0;
    region.SetRoundY(5);
    region.SetRoundY(5);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(region.RoundY(), 5);
    region.Shadow()->SetDepth(3);  // sub-objects report through the region
    EXPECT_EQ(changes, 1);
}

}  // namespace

namespace {

TEST(RegionMask, StoredDataAndBordersComeBack) {
    TStyRegionMask mask;
    EXPECT_FALSE(mask.RegionDataStored());
    EXPECT_FALSE(mask.BorderStored(0));
    const std::vector<Byte> data = TRegion(Rect(0, 0, 8, 6)).RegionData();
    mask.SetRegionData(data);
    mask.BorderBmp()->SetSize(4, 3);
    mask.BorderBmp()->Canvas()->SetPixels(1, 1, clRed);
    for (bool compressed : {false, true}) {
        mask.SetCompressed(compressed);
        TMemoryStream m;
        mask.WriteRegionData(&m);
        mask.WriteBorder(&m, 0);
        EXPECT_FALSE(mask.BorderStored(1));
        m.SetPosition(0);
        TStyRegionMask back;
        back.SetRegionDataSize(mask.RegionDataSize());
        back.ReadRegionData(&m);
        back.ReadBorder(&m, 0);
        EXPECT_EQ(back.RegionData(), data);
        EXPECT_EQ(back.Compressed(), compressed);
        EXPECT_EQ(back.BorderBmp()->Width(), 4);
        EXPECT_EQ(back.BorderBmp()->Canvas()->Pixels(1, 1), ColorToRGB(clRed));
        EXPECT_EQ(m.Position(), m.Size());
    }
    // Assigning from a mask without data keeps what is there.
    TStyRegionMask empty;
    mask.Assign(&empty);
    EXPECT_EQ(mask.RegionData(), data);
}

}  // namespace
