#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/controls/Form.h"
#include "framework/controls/Panel.h"
#include "toolbars/TbPaneData.h"
#include "toolbars/TbSplitter.h"
#include "toolbars/TbSplitterPane.h"
#include "toolbars/TbCursors.h"
#include "framework/controls/Screen.h"

namespace {

struct TStep {
    int Extent;
    int Position;
};

struct TGeometryCase {
    const char* Name;
    int StartExtent;
    bool ByPercent;
    int Start;  // the percent or the position set first
    TFixedPane Fixed;
    TOrientation Orientation;
    int StartPosition;
    std::vector<TStep> Steps;
    int FinalPercent;
};

void PrintTo(const TGeometryCase& c, std::ostream* os) { *os << c.Name; }

class SplitterGeometry : public ::testing::TestWithParam<TGeometryCase> {};

void SetExtent(TTbSplitter& s, TOrientation o, int extent) {
    if (o == orHorizontal)
        s.SetBounds(0, 0, extent, 100);
    else
        s.SetBounds(0, 0, 100, extent);
}

}  // namespace

TEST_P(SplitterGeometry, PositionThroughResizes) {
    const TGeometryCase& c = GetParam();
    TTbSplitter s(nullptr);
    s.SetOrientation(c.Orientation);
    SetExtent(s, c.Orientation, c.StartExtent);
    if (c.ByPercent) {
        s.SetPercent(c.Start);
        EXPECT_TRUE(s.UsePercent());
    } else {
        s.SetPosition(c.Start);
        s.SetFixedPane(c.Fixed);
    }
    EXPECT_EQ(s.Position(), c.StartPosition);
    for (const TStep& step : c.Steps) {
        SetExtent(s, c.Orientation, step.Extent);
        EXPECT_EQ(s.Position(), step.Position) << "at extent " << step.Extent;
        EXPECT_GE(s.Position(), 0);
    }
    if (c.ByPercent) {
        EXPECT_EQ(s.Percent(), c.FinalPercent);
    }
}

// A 4-pixel bar: Avail = extent - 2, the bar ends no later than extent - 4.
INSTANTIATE_TEST_SUITE_P(
    Table, SplitterGeometry,
    ::testing::Values(
        TGeometryCase{"PercentFollowsResize", 500, true, 80, fpUpperLeft, orHorizontal, 398,
                      {{1000, 798}, {250, 198}, {500, 398}}, 80},
        TGeometryCase{"PercentThroughZeroAndBack", 500, true, 80, fpUpperLeft, orHorizontal, 398,
                      {{0, 398}, {500, 398}}, 80},
        TGeometryCase{"PercentThroughTinyAndBack", 500, true, 81, fpUpperLeft, orHorizontal, 403,
                      {{3, 0}, {1, 0}, {60, 47}, {500, 403}}, 81},
        TGeometryCase{"PercentVertical", 300, true, 50, fpUpperLeft, orVertical, 149,
                      {{100, 49}, {0, 49}, {300, 149}}, 50},
        TGeometryCase{"FixedLowerRightKeepsItsSize", 500, false, 400, fpLowerRight, orHorizontal, 400,
                      {{300, 200}, {50, 0}, {500, 400}}, 0},
        TGeometryCase{"UpperLeftReturnsToItsPreferredSize", 500, false, 300, fpUpperLeft, orHorizontal, 300,
                      {{200, 196}, {0, 196}, {500, 300}}, 0}),
    [](const ::testing::TestParamInfo<TGeometryCase>& i) { return String(i.param.Name); });

namespace {

struct TSplitterFixture : ::testing::Test {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TTbSplitter* Split = nullptr;
    void SetUp() override {
        Split = new TTbSplitter(Form.get());
        Split->SetParent(Form.get());
        Split->SetBounds(0, 0, 500, 200);
        Split->SetPosition(300);
    }
    void Drag(int fromX, int toX) {
        Split->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(fromX, 50));
        Split->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(toX, 50));
        Split->Perform(WM_LBUTTONUP, 0, MakeLParam(toX, 50));
    }
};

}  // namespace

TEST_F(TSplitterFixture, PanesAndBarFollowThePosition) {
    EXPECT_EQ(Split->UpperLeftPane()->BoundsRect(), Rect(0, 0, 300, 200));
    EXPECT_EQ(Split->BarRect(), Rect(300, 0, 304, 200));
    EXPECT_EQ(Split->LowerRightPane()->BoundsRect(), Rect(304, 0, 500, 200));
    // One pane hidden: the other fills everything, the bar has no width.
    Split->LowerRight()->SetVisible(false);
    EXPECT_EQ(Split->UpperLeftPane()->BoundsRect(), Rect(0, 0, 500, 200));
    EXPECT_EQ(Split->BarRect().Width(), 0);
    EXPECT_EQ(Split->Position(), 300);
}

TEST_F(TSplitterFixture, DragStopsAtTheMarginsAndCanBeVetoed) {
    Split->SetMarginMax(50);
    Split->SetMarginMin(20);
    int changes = 0;
    Split->OnChange = [&](TObject*) { ++changes; };
    Drag(301, 495);
    EXPECT_EQ(Split->Position(), 500 - 50 - 4);
    EXPECT_EQ(changes, 1);
    Split->SetSplitterStyle(TSplitterStyle::ssGroove);
    EXPECT_EQ(Split->SplitterWidth(), 6);
    Drag(Split->BarRect().Left + 1, 499);
    EXPECT_EQ(Split->Position(), 500 - 50 - 6 - 4);
    Drag(Split->BarRect().Left + 1, 0);
    EXPECT_EQ(Split->Position(), 20);
    EXPECT_EQ(Split->Percent(), RoundHalfEven(20.0 / 497 * 100));
    Split->OnChanging = [](TObject*, int, bool& allow) { allow = false; };
    Drag(Split->BarRect().Left + 1, 200);
    EXPECT_EQ(Split->Position(), 20);
    // A locked bar does not move; a press outside the bar does nothing.
    Split->OnChanging = nullptr;
    Split->LockBar = true;
    Drag(Split->BarRect().Left + 1, 200);
    EXPECT_EQ(Split->Position(), 20);
    Split->LockBar = false;
    Drag(100, 300);
    EXPECT_EQ(Split->Position(), 20);
}

TEST_F(TSplitterFixture, DragInPercentModeSetsTheShareThatResizesKeep) {
    Split->SetPercent(50);
    EXPECT_EQ(Split->Position(), 249);
    Drag(Split->BarRect().Left + 1, Split->BarRect().Left + 1 + 100);
    EXPECT_EQ(Split->Position(), 349);
    EXPECT_EQ(Split->Percent(), 70);
    Split->SetBounds(0, 0, 1000, 200);
    EXPECT_EQ(Split->Position(), 699);  // round(0.7 x 998)
    EXPECT_EQ(Split->Percent(), 70);
}

TEST_F(TSplitterFixture, HotSpotClosesToTheFarEndAndReopens) {
    Split->SetHotSpotVisible(true);
    Split->SetHotSpotDirection(hsdMax);
    Split->SetMarginMax(100);
    EXPECT_EQ(Split->SplitterWidth(), 7);
    const TRect hot = Split->HotSpotRect();
    ASSERT_FALSE(hot.IsEmpty());
    EXPECT_EQ(hot.Height(), 80 / 2 * 2);
    int clicks = 0;
    Split->OnHotSpotClick = [&](TObject*) { ++clicks; };
    const int x = hot.Left + 2, y = (hot.Top + hot.Bottom) / 2;
    Split->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
    Split->Perform(WM_LBUTTONUP, 0, MakeLParam(x, y));
    EXPECT_TRUE(Split->HotSpotClosed());
    EXPECT_EQ(Split->HotSpotPosition(), 300);
    EXPECT_EQ(Split->Position(), 500 - 7);  // the margins do not hold a closed spot
    EXPECT_EQ(clicks, 1);
    const TRect hot2 = Split->HotSpotRect();
    Split->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(hot2.Left + 2, y));
    Split->Perform(WM_LBUTTONUP, 0, MakeLParam(hot2.Left + 2, y));
    EXPECT_FALSE(Split->HotSpotClosed());
    EXPECT_EQ(Split->Position(), 300);
    EXPECT_EQ(clicks, 2);
}

TEST(Splitter, PercentSetWhileLoadingDoesNotSwitchPercentModeOn) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetLoading(true);
    auto* s = new TTbSplitter(form.get());
    s->SetLoading(true);
    s->SetParent(form.get());
    s->SetBounds(0, 0, 500, 200);
    s->SetPercent(80);
    EXPECT_FALSE(s->UsePercent());
    s->SetUsePercent(true);
    auto* tree = new TPanel(form.get());
    tree->SetName("TreeView1");
    tree->SetParent(form.get());
    auto* info = new TPanel(form.get());
    info->SetName("Panel1");
    info->SetParent(form.get());
    s->ReadUpperLeftControls({"TreeView1"});
    s->ReadLowerRightControls({"Panel1", "Missing"});
    form->FinishLoading();
    EXPECT_EQ(s->Position(), 398);
    EXPECT_EQ(s->Percent(), 80);
    EXPECT_EQ(tree->Parent(), s->UpperLeftPane());
    EXPECT_EQ(info->Parent(), s->LowerRightPane());
    EXPECT_EQ(s->UpperLeftControlNames(), std::vector<String>{"TreeView1"});
    EXPECT_EQ(s->LowerRightControlNames(), std::vector<String>{"Panel1"});
}

TEST(Splitter, FollowsItsWindowAsAClientAlignedControl) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 600, 300);
    auto* s = new TTbSplitter(form.get());
    s->SetParent(form.get());
    s->SetAlign(alClient);
    s->SetPercent(80);
    EXPECT_EQ(s->Position(), RoundHalfEven(0.8 * (s->Width() - 2)));
    form->SetBounds(0, 0, 300, 300);
    EXPECT_EQ(s->Position(), RoundHalfEven(0.8 * (s->Width() - 2)));
    form->SetBounds(0, 0, 0, 0);
    form->SetBounds(0, 0, 600, 300);
    EXPECT_EQ(s->Percent(), 80);
    EXPECT_EQ(s->Position(), RoundHalfEven(0.8 * (s->Width() - 2)));
}

TEST_F(TSplitterFixture, BarShowsTheLibrarySizingCursorExceptOverTheHotSpot) {
    Split->SetHotSpotVisible(true);
    const TRect bar = Split->BarRect();
    const TRect hot = Split->HotSpotRect();
    Split->Perform(WM_MOUSEMOVE, 0, MakeLParam(bar.Left + 1, bar.Top + 2));
    EXPECT_EQ(Split->Cursor(), crTbSplitHorz);
    EXPECT_TRUE(Screen->HasCursor(crTbSplitHorz));
    Split->Perform(WM_MOUSEMOVE, 0, MakeLParam(hot.Left + 1, (hot.Top + hot.Bottom) / 2));
    EXPECT_EQ(Split->Cursor(), crDefault);
    Split->Perform(WM_MOUSEMOVE, 0, MakeLParam(10, 10));
    EXPECT_EQ(Split->Cursor(), crDefault);
    Split->LockBar = true;
    Split->Perform(WM_MOUSEMOVE, 0, MakeLParam(bar.Left + 1, bar.Top + 2));
    EXPECT_EQ(Split->Cursor(), crDefault);
    Split->LockBar = false;
    Split->SetOrientation(orVertical);
    const TRect across = Split->BarRect();
    Split->Perform(WM_MOUSEMOVE, 0, MakeLParam(across.Left + 2, across.Top + 1));
    EXPECT_EQ(Split->Cursor(), crTbSplitVert);
}
