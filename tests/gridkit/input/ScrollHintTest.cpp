// The scroll hint of a proportional flat bar while its thumb is dragged by
// the mouse: its text, colour and place, and the row the grid then shows.
#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/HintWindow.h"
#include "framework/rtl/StrUtils.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/grid/GkStringGrid.h"

namespace {

TEST(GkScrollHintDrag, TheHintFollowsTheHandAndNamesTheRow) {
    TForm form(nullptr);
    form.SetBounds(60, 60, 420, 500);
    auto* g = new TGkStringGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 400, 462);  // 20 rows of 21 + 1 below the heading
    g->SetScrollBars(ssVertical);
    g->SetRowCount(1000);
    g->ScrollHints = shVertical;
    g->HintColor = clAqua;
    g->SetScrollProportional(true);
    std::vector<int> asked;
    g->OnScrollHint = [&](TObject*, int row, String& text) {
        asked.push_back(row);
        if (row > 900) text = "near the end";
    };
    form.Show();
    Application->ProcessMessages();
    ASSERT_EQ(g->VisibleRowCount(), 20);

    const TRect thumb = g->ScrollThumbRect(TCustomGrid::SB_VERT);
    ASSERT_FALSE(thumb.IsEmpty());
    const int x = (thumb.Left + thumb.Right) / 2, y = (thumb.Top + thumb.Bottom) / 2;
    SimulateMouseDown(g, mbLeft, x, y);
    SimulateMouseMove(g, x, y + 120, ssLeft);
    TCustomGrid::TScrollInfo info;
    ASSERT_TRUE(g->FlatSB_GetScrollInfo(TCustomGrid::SB_VERT, info));
    ASSERT_GT(info.TrackPos, 0);
    ASSERT_LT(info.TrackPos, 127);
    const int row = MulDiv(info.TrackPos, 1000 - 20 - 1, 127) + 1;
    EXPECT_EQ(g->ScrollHintShown(), "Row : " + IntToStr(row));
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back(), row);
    THintWindow* hint = g->ScrollHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->Visible());
    EXPECT_EQ(hint->Color(), clAqua);
    // Its top-left corner 10 pixels right of the hand.
    const TPoint hand = g->ClientToScreen(TPoint{x, y + 120});
    EXPECT_EQ(hint->Left(), hand.X + 10);
    EXPECT_EQ(hint->Top(), hand.Y);
    EXPECT_LE(hint->Width(), 100 + 6);
    EXPECT_EQ(g->TopRow(), 1);  // without thumb tracking the rows wait for the release

    // At the end of its travel the thumb stands for the last page.
    const int bottom = g->ClientHeight() - 1;
    SimulateMouseMove(g, x, bottom, ssLeft);
    EXPECT_EQ(asked.back(), 980);
    EXPECT_EQ(g->ScrollHintShown(), "near the end");
    EXPECT_EQ(hint->Top(), g->ClientToScreen(TPoint{x, bottom}).Y);
    SimulateMouseUp(g, mbLeft, x, bottom);
    EXPECT_FALSE(hint->Visible());
    EXPECT_EQ(g->ScrollHintShown(), "");
    EXPECT_EQ(g->TopRow(), 980);
}

}  // namespace
