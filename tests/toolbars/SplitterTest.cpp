#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
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
        Form->SetBounds(0, 0, 600, 300);
        Form->Show();
    }
    void Drag(int fromX, int toX) { SimulateDrag(Split, Point(fromX, 50), Point(toX, 50), 1); }
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

// --- the outline while the bar is dragged ------------------------------------------

namespace {

struct TOutlineCase {
    const char* Name;
    TOrientation Orientation;
    int BorderWidth;
    int Move;           // how far the mouse goes along the extent
    TRect Outline;      // where the outline shows after the move
    int FinalPosition;  // where the bar lands on release
};

void PrintTo(const TOutlineCase& c, std::ostream* os) { *os << c.Name; }

class SplitterOutline : public ::testing::TestWithParam<TOutlineCase> {};

}  // namespace

TEST_P(SplitterOutline, ShowsAboveThePanesOnlyWhileDragging) {
    const TOutlineCase& c = GetParam();
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 600, 300);
    auto* s = new TTbSplitter(form.get());
    s->SetParent(form.get());
    s->SetBounds(0, 0, 500, 200);
    s->SetOrientation(c.Orientation);
    s->SetBorderWidth(c.BorderWidth);
    s->SetPosition(100);
    form->Show();
    ASSERT_EQ(s->DragBar(), nullptr);
    const TRect bar = s->BarRect();
    const int px = bar.Left + 1, py = bar.Top + 1;
    const int mx = c.Orientation == orHorizontal ? px + c.Move : px;
    const int my = c.Orientation == orHorizontal ? py : py + c.Move;

    SimulateMouseDown(s, mbLeft, px, py);
    ASSERT_NE(s->DragBar(), nullptr);
    EXPECT_EQ(s->DragBar()->BoundsRect(), bar) << "the outline starts on the bar";
    SimulateMouseMove(s, mx, my, ssLeft);
    TControl* outline = s->DragBar();
    ASSERT_NE(outline, nullptr);
    EXPECT_TRUE(outline->Visible());
    EXPECT_EQ(outline->Parent(), s);
    EXPECT_EQ(outline->BoundsRect(), c.Outline);
    // On top of whatever pane it crosses, not hidden under it.
    const TPoint centre = Point((c.Outline.Left + c.Outline.Right) / 2, (c.Outline.Top + c.Outline.Bottom) / 2);
    EXPECT_EQ(s->ControlAtPos(centre), outline);
    EXPECT_EQ(s->Position(), 100) << "the panes stay until the release";
    // A move that ends where the outline already is keeps it showing.
    SimulateMouseMove(s, mx, my, ssLeft);
    ASSERT_EQ(s->DragBar(), outline);
    EXPECT_TRUE(outline->Visible());

    SimulateMouseUp(s, mbLeft, mx, my);
    EXPECT_EQ(s->DragBar(), nullptr);
    EXPECT_EQ(s->ControlCount(), 2) << "only the panes remain";
    EXPECT_EQ(s->Position(), c.FinalPosition);
}

// 500 x 200 splitter, bar 4 pixels, position 100.
INSTANTIATE_TEST_SUITE_P(
    Table, SplitterOutline,
    ::testing::Values(
        TOutlineCase{"Horizontal", orHorizontal, 0, 150, Bounds(250, 0, 4, 200), 250},
        TOutlineCase{"HorizontalInsideABorder", orHorizontal, 3, 150, Bounds(253, 3, 4, 194), 250},
        TOutlineCase{"HorizontalStopsAtTheEnd", orHorizontal, 0, 1000, Bounds(496, 0, 4, 200), 496},
        TOutlineCase{"HorizontalBackwards", orHorizontal, 0, -60, Bounds(40, 0, 4, 200), 40},
        TOutlineCase{"Vertical", orVertical, 0, 50, Bounds(0, 150, 500, 4), 150},
        TOutlineCase{"VerticalStopsAtTheEnd", orVertical, 2, 1000, Bounds(2, 2 + 192, 496, 4), 192}),
    [](const ::testing::TestParamInfo<TOutlineCase>& i) { return String(i.param.Name); });

TEST_F(TSplitterFixture, OutlineIsCheckeredAndDrawnOverThePane) {
    Split->LowerRight()->SetColor(clYellow);
    SimulateMouseDown(Split, mbLeft, 301, 50);
    SimulateMouseMove(Split, 401, 50, ssLeft);
    ASSERT_NE(Split->DragBar(), nullptr);
    TBitmap shot(500, 200);
    Split->PaintTo(shot.Canvas(), 0, 0);
    // White where x + y is even (counted from the outline's corner), black
    // where it is odd; the pane's own colour just beside it.
    for (int y = 10; y < 12; ++y)
        for (int x = 400; x < 404; ++x)
            EXPECT_EQ(shot.Canvas()->Pixels(x, y), (x - 400 + y) % 2 ? clBlack : clWhite) << x << "," << y;
    EXPECT_EQ(shot.Canvas()->Pixels(399, 10), clYellow);
    EXPECT_EQ(shot.Canvas()->Pixels(404, 10), clYellow);
    SimulateMouseUp(Split, mbLeft, 401, 50);
    Split->PaintTo(shot.Canvas(), 0, 0);
    EXPECT_NE(shot.Canvas()->Pixels(401, 10), clBlack) << "the outline is gone";
}

TEST_F(TSplitterFixture, RealTimeDragShowsNoOutline) {
    Split->RealTimeDrag = true;
    SimulateMouseDown(Split, mbLeft, 301, 50);
    SimulateMouseMove(Split, 351, 50, ssLeft);
    EXPECT_EQ(Split->DragBar(), nullptr);
    EXPECT_EQ(Split->Position(), 350);
    SimulateMouseUp(Split, mbLeft, 351, 50);
    EXPECT_EQ(Split->DragBar(), nullptr);
    EXPECT_EQ(Split->Position(), 350);
}

TEST_F(TSplitterFixture, ADragTakenAwayLeavesTheBarAndRemovesTheOutline) {
    SimulateMouseDown(Split, mbLeft, 301, 50);
    SimulateMouseMove(Split, 201, 50, ssLeft);
    ASSERT_NE(Split->DragBar(), nullptr);
    Split->Perform(WM_CANCELMODE);
    EXPECT_FALSE(Split->Dragging());
    EXPECT_EQ(Split->DragBar(), nullptr);
    SimulateMouseUp(Split, mbLeft, 201, 50);
    EXPECT_EQ(Split->Position(), 300);
}

// --- the panes' empty area ---------------------------------------------------------

TEST_F(TSplitterFixture, PanesPassTheirEmptyAreaToTheSplitter) {
    std::vector<TPoint> downs, ups;
    Split->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { downs.push_back(Point(x, y)); };
    Split->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) { ups.push_back(Point(x, y)); };
    TTbSplitterPane* right = Split->LowerRightPane();
    SimulateClick(right, 10, 20);
    ASSERT_EQ(downs.size(), 1u);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(downs[0], Point(right->Left() + 10, 20)) << "in the splitter's own coordinates";
    EXPECT_EQ(ups[0], downs[0]);

    // What sits on a pane keeps its own mouse.
    auto* label = new TLabel(Form.get());
    label->SetParent(Split->UpperLeftPane());
    label->SetBounds(10, 10, 50, 20);
    int labelClicks = 0;
    label->OnClick = [&](TObject*) { ++labelClicks; };
    auto* edit = new TEdit(Form.get());
    edit->SetParent(Split->UpperLeftPane());
    edit->SetBounds(10, 50, 80, 22);
    SimulateClick(label, 5, 5);
    SimulateClick(edit, 5, 5);
    EXPECT_EQ(labelClicks, 1);
    EXPECT_EQ(downs.size(), 1u);
    EXPECT_EQ(ups.size(), 1u);
}

TEST_F(TSplitterFixture, ABarDragStartedOnThePaneEdgeIsNotADrag) {
    // A press on a pane lands outside the bar once passed on: it must not
    // start a drag, whatever the mouse does next.
    SimulateMouseDown(Split->UpperLeftPane(), mbLeft, 299, 50);
    SimulateMouseMove(Split->UpperLeftPane(), 200, 50, ssLeft);
    SimulateMouseUp(Split->UpperLeftPane(), mbLeft, 200, 50);
    EXPECT_FALSE(Split->Dragging());
    EXPECT_EQ(Split->Position(), 300);
}

// --- the stored position limits of older windows -----------------------------------

TEST(Splitter, OlderPositionLimitsLoadAndAreIgnored) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetLoading(true);
    auto* s = new TTbSplitter(form.get());
    s->SetLoading(true);
    s->SetParent(form.get());
    s->SetBounds(0, 0, 500, 200);
    s->SetPosition(300);
    s->ReadPositionMin(350);
    s->ReadPositionMax(120);
    s->ReadBarSize(Rect(300, 0, 304, 200));
    form->FinishLoading();
    EXPECT_EQ(s->Position(), 300);
    EXPECT_EQ(s->MarginMin(), 0);
    EXPECT_EQ(s->MarginMax(), 0);
    EXPECT_EQ(s->BarRect(), Rect(300, 0, 304, 200));
}

// --- the window's active control when a pane is shown or hidden --------------------

namespace {

enum TWhere { wUpperLeft, wLowerRight, wOutside };

struct TActiveCase {
    const char* Name;
    TWhere Active;          // where the active control sits
    bool LowerRightHidden;  // before the change
    TWhere Pane;            // the pane shown or hidden
    bool Show;
    bool SplitterTakesIt;
};

void PrintTo(const TActiveCase& c, std::ostream* os) { *os << c.Name; }

class SplitterActiveControl : public ::testing::TestWithParam<TActiveCase> {};

}  // namespace

TEST_P(SplitterActiveControl, MovesOnlyOffAControlThatCannotShow) {
    const TActiveCase& c = GetParam();
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 600, 300);
    auto* s = new TTbSplitter(form.get());
    s->SetParent(form.get());
    s->SetBounds(0, 0, 500, 200);
    TEdit* edits[3];
    TWinControl* parents[3] = {s->UpperLeftPane(), s->LowerRightPane(), form.get()};
    for (int i = 0; i < 3; ++i) {
        edits[i] = new TEdit(form.get());
        edits[i]->SetParent(parents[i]);
        edits[i]->SetBounds(i == 2 ? 510 : 5, 5, 60, 22);
    }
    if (c.LowerRightHidden) s->LowerRight()->SetVisible(false);
    form->SetActiveControl(edits[c.Active]);
    (c.Pane == wUpperLeft ? s->UpperLeft() : s->LowerRight())->SetVisible(c.Show);
    EXPECT_EQ(form->ActiveControl(), c.SplitterTakesIt ? static_cast<TWinControl*>(s) : edits[c.Active]);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitterActiveControl,
    ::testing::Values(
        TActiveCase{"HidingItsPane", wUpperLeft, false, wUpperLeft, false, true},
        TActiveCase{"HidingTheOtherPane", wUpperLeft, false, wLowerRight, false, false},
        TActiveCase{"ShowingItsPane", wLowerRight, true, wLowerRight, true, false},
        TActiveCase{"LeftInAPaneHiddenBefore", wLowerRight, true, wUpperLeft, false, true},
        TActiveCase{"ShowingAPaneWhileTypingInTheOther", wUpperLeft, true, wLowerRight, true, false},
        TActiveCase{"ControlOutsideTheSplitter", wOutside, false, wUpperLeft, false, false}),
    [](const ::testing::TestParamInfo<TActiveCase>& i) { return String(i.param.Name); });
