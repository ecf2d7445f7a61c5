#include <gtest/gtest.h>

#include "PixelHelpers.h"
#include "framework/graphics/DrawText.h"
#include "support/ColourBox.h"

namespace {

constexpr TColor W = 0xFFFFFF, S = 0xC0C0C0, G = 0x808080, K = 0x000000, N = clNone;

// DrawEdge on a 6 x 6 box of a bitmap cleared to a colour no edge uses;
// rows are read from the top. N marks an untouched pixel.
struct EdgeCase {
    const char* name;
    unsigned edge, flags;
    TColor rows[6][6];
    TRect adjusted;
};

void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.name; }

class Edges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(Edges, DrawClassicColoursOnTheirRows) {
    const auto& k = GetParam();
    auto bmp = WhiteBitmap(6, 6);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clLime);
    c->FillRect(Rect(0, 0, 6, 6));
    TRect r = Rect(0, 0, 6, 6);
    EXPECT_TRUE(DrawEdge(c, r, k.edge, k.flags));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(c->Pixels(x, y), k.rows[y][x] == N ? clLime : k.rows[y][x])
                << k.name << " at (" << x << "," << y << ")";
    EXPECT_EQ(r, k.adjusted) << k.name;
}

INSTANTIATE_TEST_SUITE_P(
    Classic, Edges,
    ::testing::Values(
        EdgeCase{"raised", EDGE_RAISED, BF_RECT,
                 {{S, S, S, S, S, K}, {S, W, W, W, G, K}, {S, W, N, N, G, K},
                  {S, W, N, N, G, K}, {S, G, G, G, G, K}, {K, K, K, K, K, K}},
                 Rect(0, 0, 6, 6)},
        EdgeCase{"sunken_adjusted", EDGE_SUNKEN, BF_RECT | BF_ADJUST,
                 {{G, G, G, G, G, W}, {G, K, K, K, S, W}, {G, K, N, N, S, W},
                  {G, K, N, N, S, W}, {G, S, S, S, S, W}, {W, W, W, W, W, W}},
                 Rect(2, 2, 4, 4)},
        EdgeCase{"etched_middle", EDGE_ETCHED, BF_RECT | BF_MIDDLE,
                 {{G, G, G, G, G, W}, {G, W, W, W, G, W}, {G, W, S, S, G, W},
                  {G, W, S, S, G, W}, {G, G, G, G, G, W}, {W, W, W, W, W, W}},
                 Rect(0, 0, 6, 6)},
        EdgeCase{"soft_raised", EDGE_RAISED, BF_RECT | BF_SOFT,
                 {{W, W, W, W, W, K}, {W, S, S, S, G, K}, {W, S, N, N, G, K},
                  {W, S, N, N, G, K}, {W, G, G, G, G, K}, {K, K, K, K, K, K}},
                 Rect(0, 0, 6, 6)},
        EdgeCase{"top_left_only_adjusted", BDR_SUNKENOUTER, BF_TOPLEFT | BF_ADJUST,
                 {{G, G, G, G, G, G}, {G, N, N, N, N, N}, {G, N, N, N, N, N},
                  {G, N, N, N, N, N}, {G, N, N, N, N, N}, {G, N, N, N, N, N}},
                 Rect(1, 1, 6, 6)},
        EdgeCase{"flat", EDGE_SUNKEN, BF_RECT | BF_FLAT | BF_ADJUST,
                 {{G, G, G, G, G, G}, {G, S, S, S, S, G}, {G, S, N, N, S, G},
                  {G, S, N, N, S, G}, {G, S, S, S, S, G}, {G, G, G, G, G, G}},
                 Rect(2, 2, 4, 4)},
        EdgeCase{"mono_outer", BDR_RAISEDOUTER, BF_RECT | BF_MONO | BF_MIDDLE,
                 {{K, K, K, K, K, K}, {K, W, W, W, W, K}, {K, W, W, W, W, K},
                  {K, W, W, W, W, K}, {K, W, W, W, W, K}, {K, K, K, K, K, K}},
                 Rect(0, 0, 6, 6)}),
    [](const auto& info) { return String(info.param.name); });

TEST(Frame3D, NestsFramesAndMovesTheRectangleIn) {
    auto bmp = WhiteBitmap(8, 8);
    TCanvas* c = bmp->Canvas();
    TRect r = Rect(0, 0, 8, 8);
    Frame3D(c, r, clRed, clBlue, 2);
    EXPECT_EQ(r, Rect(2, 2, 6, 6));
    EXPECT_EQ(c->Pixels(0, 0), clRed);
    EXPECT_EQ(c->Pixels(1, 3), clRed);
    EXPECT_EQ(c->Pixels(7, 0), clBlue);  // the bottom colour owns the top-right corner
    EXPECT_EQ(c->Pixels(0, 7), clBlue);  // and the bottom-left one
    EXPECT_EQ(c->Pixels(6, 3), clBlue);
    EXPECT_EQ(c->Pixels(3, 3), clWhite);
    EXPECT_EQ(c->Pen()->Color(), clBlue);
}

TEST(DrawFrameControl, CheckBoxShowsItsMarkOnlyWhenChecked) {
    auto count = [](unsigned state) {
        auto bmp = WhiteBitmap(20, 20);
        bmp->Canvas()->Brush()->SetColor(clLime);
        bmp->Canvas()->FillRect(Rect(0, 0, 20, 20));
        TRect r = Rect(0, 0, 20, 20);
        EXPECT_TRUE(DrawFrameControl(bmp->Canvas(), r, DFC_BUTTON, DFCS_BUTTONCHECK | state));
        // The 13 x 13 box is centred; its frame is the sunken edge.
        EXPECT_EQ(InkBox(*bmp, clLime), Rect(3, 3, 16, 16));
        EXPECT_EQ(bmp->Canvas()->Pixels(3, 3), clGray);
        EXPECT_EQ(bmp->Canvas()->Pixels(4, 4), clBlack);
        return std::pair{CountColor(*bmp, clBlack, Rect(5, 5, 14, 14)), CountColor(*bmp, clGray, Rect(5, 5, 14, 14))};
    };
    EXPECT_EQ(count(0).first, 0);
    EXPECT_EQ(count(DFCS_CHECKED).first, 21);          // the 7-column, 3-pixel mark
    EXPECT_EQ(count(DFCS_CHECKED | DFCS_INACTIVE).second, 21);
}

TEST(DrawFrameControl, RadioBoxRingsAndDot) {
    auto draw = [](unsigned state) {
        auto bmp = WhiteBitmap(16, 16);
        bmp->Canvas()->Brush()->SetColor(clLime);
        bmp->Canvas()->FillRect(Rect(0, 0, 16, 16));
        TRect r = Rect(0, 0, 16, 16);
        EXPECT_TRUE(DrawFrameControl(bmp->Canvas(), r, DFC_BUTTON, DFCS_BUTTONRADIO | state));
        return bmp;
    };
    auto off = draw(0), on = draw(DFCS_CHECKED);
    TCanvas* c = off->Canvas();
    EXPECT_EQ(InkBox(*off, clLime), Rect(2, 2, 14, 14));
    EXPECT_EQ(c->Pixels(2 + 4, 2), clGray);        // outer ring, top: shadow
    EXPECT_EQ(c->Pixels(2 + 4, 2 + 11), clWhite);  // outer ring, bottom: highlight
    EXPECT_EQ(c->Pixels(2 + 4, 2 + 1), clBlack);   // inner ring, top: dark shadow
    EXPECT_EQ(c->Pixels(2 + 4, 2 + 10), clSilver); // inner ring, bottom: light
    EXPECT_EQ(c->Pixels(2, 2), clLime);            // outside the circle
    EXPECT_EQ(CountColor(*off, clBlack, Rect(2 + 3, 2 + 3, 2 + 9, 2 + 9)), 0);
    EXPECT_EQ(CountColor(*on, clBlack, Rect(2 + 3, 2 + 3, 2 + 9, 2 + 9)), 12);
}

TEST(DrawFrameControl, PushButtonUsesTheSoftRaisedEdge) {
    auto bmp = WhiteBitmap(10, 10);
    TRect r = Rect(0, 0, 10, 10);
    EXPECT_TRUE(DrawFrameControl(bmp->Canvas(), r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT));
    EXPECT_EQ(r, Rect(2, 2, 8, 8));
    EXPECT_EQ(bmp->Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(bmp->Canvas()->Pixels(9, 9), clBlack);
    EXPECT_EQ(bmp->Canvas()->Pixels(5, 5), clSilver);
    TRect bad = r;
    EXPECT_FALSE(DrawFrameControl(bmp->Canvas(), bad, 99, 0));
}

TEST(DrawFrameControl, ScrollArrowPointsTheWayItSays) {
    auto inkRows = [](unsigned part) {
        auto bmp = WhiteBitmap(16, 16);
        TRect r = Rect(0, 0, 16, 16);
        DrawFrameControl(bmp->Canvas(), r, DFC_SCROLL, part);
        // Arrow pixels are the only black ones inside the edge.
        int first = -1, firstWidth = 0, lastWidth = 0;
        for (int y = 2; y < 14; ++y) {
            int n = CountColor(*bmp, clBlack, Rect(2, y, 14, y + 1));
            if (!n) continue;
            if (first < 0) {
                first = y;
                firstWidth = n;
            }
            lastWidth = n;
        }
        return std::pair{firstWidth, lastWidth};
    };
    auto up = inkRows(DFCS_SCROLLUP), down = inkRows(DFCS_SCROLLDOWN);
    EXPECT_EQ(up.first, 1);
    EXPECT_GT(up.second, 1);
    EXPECT_GT(down.first, 1);
    EXPECT_EQ(down.second, 1);
}

}  // namespace

TEST(DrawFrameControl, CaptionCloseCrossFillsTheFace) {
    // A dock grabber's 11 x 11 button and a caption's 16 x 14 one.
    for (const TSize size : {TSize{11, 11}, TSize{16, 14}}) {
        auto bmp = WhiteBitmap(size.cx, size.cy);
        TRect r = Rect(0, 0, size.cx, size.cy);
        EXPECT_TRUE(DrawFrameControl(bmp->Canvas(), r, DFC_CAPTION, DFCS_CAPTIONCLOSE));
        const TRect face = Rect(2, 2, size.cx - 2, size.cy - 2);
        const TRect cross = ColourBox(bmp->Canvas(), face, clBlack);
        const int side = std::min(face.Width(), face.Height());
        EXPECT_EQ(cross.Height(), side - 2) << size.cx << " x " << size.cy;
        EXPECT_GE(cross.Width(), cross.Height()) << size.cx << " x " << size.cy;
    }
}
