#include <gtest/gtest.h>

#include "framework/graphics/Region.h"

namespace {

int Area(const TRegion& r) {
    int a = 0;
    for (const TRect& rc : r.GetRects()) a += rc.Width() * rc.Height();
    return a;
}

// Two overlapping 10 x 10 squares, combined every way.
TEST(RegionCombine, ModesTable) {
    const TRegion a(Rect(0, 0, 10, 10)), b(Rect(5, 5, 15, 15));
    struct Case {
        TRegionCombineMode mode;
        TRegionKind kind;
        TRect box;
        int area;
        bool in_a_only, in_both, in_b_only, in_neither;
    } cases[] = {
        {RGN_AND, SIMPLEREGION, Rect(5, 5, 10, 10), 25, false, true, false, false},
        {RGN_OR, COMPLEXREGION, Rect(0, 0, 15, 15), 175, true, true, true, false},
        {RGN_XOR, COMPLEXREGION, Rect(0, 0, 15, 15), 150, true, false, true, false},
        {RGN_DIFF, COMPLEXREGION, Rect(0, 0, 10, 10), 75, true, false, false, false},
        {RGN_COPY, SIMPLEREGION, Rect(0, 0, 10, 10), 100, true, true, false, false},
    };
    for (const auto& k : cases) {
        TRegion r;
        EXPECT_EQ(r.Combine(a, b, k.mode), k.kind) << k.mode;
        EXPECT_EQ(r.BoundingBox(), k.box) << k.mode;
        EXPECT_EQ(Area(r), k.area) << k.mode;
        EXPECT_EQ(r.Contains(2, 2), k.in_a_only) << k.mode;
        EXPECT_EQ(r.Contains(7, 7), k.in_both) << k.mode;
        EXPECT_EQ(r.Contains(12, 12), k.in_b_only) << k.mode;
        EXPECT_EQ(r.Contains(12, 2), k.in_neither) << k.mode;
    }
    TRegion none;
    EXPECT_EQ(none.Combine(a, TRegion(Rect(20, 20, 30, 30)), RGN_AND), NULLREGION);
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_EQ(none.BoundingBox(), TRect{});
}

TEST(RegionShapes, EdgesFollowTheExclusiveRule) {
    TRegion r(Rect(2, 3, 6, 8));
    EXPECT_TRUE(r.Contains(2, 3));
    EXPECT_TRUE(r.Contains(5, 7));
    EXPECT_FALSE(r.Contains(6, 7));
    EXPECT_FALSE(r.Contains(5, 8));
    r.Offset(10, -3);
    EXPECT_EQ(r.BoundingBox(), Rect(12, 0, 16, 5));
    EXPECT_TRUE(r.Intersects(Rect(15, 4, 20, 20)));
    EXPECT_FALSE(r.Intersects(Rect(16, 0, 20, 20)));

    TRegion e = TRegion::CreateEllipse(Rect(0, 0, 20, 10));
    EXPECT_TRUE(e.Contains(10, 5));
    EXPECT_FALSE(e.Contains(0, 0));
    EXPECT_FALSE(e.Contains(19, 9));
    EXPECT_EQ(e.BoundingBox(), Rect(0, 0, 20, 10));

    TRegion rr = TRegion::CreateRoundRect(Rect(0, 0, 20, 20), 8, 8);
    EXPECT_TRUE(rr.Contains(10, 0));
    EXPECT_FALSE(rr.Contains(0, 0));

    TRegion tri = TRegion::CreatePolygon({{0, 0}, {10, 0}, {0, 10}});
    EXPECT_TRUE(tri.Contains(1, 1));
    EXPECT_FALSE(tri.Contains(8, 8));
    // A self-crossing star has a hole in alternate mode, none in winding.
    std::vector<TPoint> star{{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}};
    EXPECT_FALSE(TRegion::CreatePolygon(star, ALTERNATE).Contains(10, 10));
    EXPECT_TRUE(TRegion::CreatePolygon(star, WINDING).Contains(10, 10));
}

TEST(RegionRects, AreDisjointAndCoverTheRegion) {
    TRegion r(Rect(0, 0, 10, 10));
    r.CombineWith(TRegion(Rect(3, 3, 6, 6)), RGN_DIFF);
    auto rects = r.GetRects();
    EXPECT_GE(rects.size(), 3u);
    for (size_t i = 0; i < rects.size(); ++i)
        for (size_t j = i + 1; j < rects.size(); ++j) {
            TRegion both(rects[i]);
            EXPECT_EQ(both.Combine(both, TRegion(rects[j]), RGN_AND), NULLREGION);
        }
    EXPECT_EQ(Area(r), 91);
    TRegion copy = r;
    EXPECT_TRUE(copy == r);
    copy.Offset(1, 0);
    EXPECT_FALSE(copy == r);
}

TEST(RegionData, RoundTripsThroughTheClassicBlock) {
    TRegion r(Rect(0, 0, 10, 10));
    r.CombineWith(TRegion(Rect(20, 5, 25, 8)), RGN_OR);
    std::vector<Byte> data = r.RegionData();
    ASSERT_EQ(data.size(), 32u + 16u * r.GetRects().size());
    EXPECT_EQ(data[0], 32);
    EXPECT_EQ(data[4], 1);
    EXPECT_EQ(data[8], r.GetRects().size());
    EXPECT_EQ(data[24], 25);  // bounding box right
    EXPECT_TRUE(TRegion::FromRegionData(data.data(), data.size()) == r);
    EXPECT_TRUE(TRegion::FromRegionData(data.data(), data.size() - 1).IsEmpty());
    EXPECT_TRUE(TRegion::FromRegionData(nullptr, 0).IsEmpty());
}

}  // namespace
