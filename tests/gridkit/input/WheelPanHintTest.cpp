// The wheel (rows and zoom), middle-button panning driven by its timer
// message, hovering on the blink timer, cell hints and update brackets.
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/Form.h"
#include "framework/messages/MessageQueue.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/grid/GkStringGrid.h"

namespace {

class GridWheel : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 420, 300);
        grid = new TGkStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 400, 260);
        grid->SetColCount(6);
        grid->SetRowCount(30);
        grid->WheelScrollLines = 3;
        form->Show();
        ASSERT_TRUE(WaitForFocus(grid));
        grid->FocusCell(2, 5, true);
    }
    void TearDown() override { delete form; }
    void Tick(std::uintptr_t id) { SendMessage(grid->Handle(), WM_TIMER, id, 0); }
    TForm* form = nullptr;
    TGkStringGrid* grid = nullptr;
};

TEST_F(GridWheel, TheWheelMovesTheCurrentRowWithinTheDataRows) {
    grid->SetFixedFooters(1);
    SimulateWheel(grid, 50, 50, -120);
    EXPECT_EQ(grid->Row(), 8);
    SimulateWheel(grid, 50, 50, 120);
    SimulateWheel(grid, 50, 50, 120);
    EXPECT_EQ(grid->Row(), 2);
    SimulateWheel(grid, 50, 50, 120);
    EXPECT_EQ(grid->Row(), 1);  // not into the header
    grid->FocusCell(2, 27, true);
    SimulateWheel(grid, 50, 50, -120);
    EXPECT_EQ(grid->Row(), 28);  // not into the footer
    EXPECT_EQ(grid->Col(), 2);
}

TEST_F(GridWheel, CtrlWheelZoomsWithinTenStepsAndKeepsSizesPositive) {
    grid->WheelScrollLines = 1;
    grid->SetColWidths(3, 1);
    const int w = grid->ColWidths(1), h = grid->RowHeights(1);
    SimulateWheel(grid, 50, 50, -120, ssCtrl);
    EXPECT_EQ(grid->ZoomLevel(), 1);
    EXPECT_EQ(grid->ColWidths(1), w + 1);
    EXPECT_EQ(grid->RowHeights(1), h + 1);
    EXPECT_EQ(grid->Row(), 5);  // zooming is no scrolling
    SimulateWheel(grid, 50, 50, 120, ssCtrl);
    SimulateWheel(grid, 50, 50, 120, ssCtrl);
    EXPECT_EQ(grid->ZoomLevel(), -1);
    EXPECT_EQ(grid->ColWidths(1), w - 1);
    EXPECT_EQ(grid->ColWidths(3), 1);  // would have become 0

    grid->ZoomBy(-9);
    EXPECT_EQ(grid->ZoomLevel(), -10);
    const int atLimit = grid->ColWidths(1);
    SimulateWheel(grid, 50, 50, 120, ssCtrl);  // would be -11
    EXPECT_EQ(grid->ZoomLevel(), -10);
    EXPECT_EQ(grid->ColWidths(1), atLimit);
    grid->ZoomBy(25);  // a step past the other end does nothing either
    EXPECT_EQ(grid->ZoomLevel(), -10);
}

TEST_F(GridWheel, MiddleButtonPansOnEachTimerTickAndAnyPressEndsIt) {
    grid->IntelliPan = ipBoth;
    SimulateMouseDown(grid, mbMiddle, 150, 100);
    ASSERT_TRUE(grid->Panning());
    EXPECT_EQ(grid->PanOrigin(), (TPoint{150, 100}));
    SimulateMouseMove(grid, 153, 104);  // inside the dead zone
    Tick(TGkStringGrid::kPanTimer);
    EXPECT_EQ(grid->Row(), 5);
    EXPECT_EQ(grid->Col(), 2);
    SimulateMouseMove(grid, 150, 140);
    Tick(TGkStringGrid::kPanTimer);
    Tick(TGkStringGrid::kPanTimer);
    EXPECT_EQ(grid->Row(), 7);
    SimulateMouseMove(grid, 120, 80);  // up and left
    Tick(TGkStringGrid::kPanTimer);
    EXPECT_EQ(grid->Row(), 6);
    EXPECT_EQ(grid->Col(), 1);
    Tick(TGkStringGrid::kPanTimer);
    EXPECT_EQ(grid->Col(), 1);  // never onto the fixed column
    EXPECT_EQ(grid->Row(), 5);
    EXPECT_EQ(grid->Cursor(), 8005 + 1);  // up-left

    const TRect other = grid->CellRect(4, 3);
    SimulateMouseDown(grid, mbLeft, other.Left + 5, other.Top + 5);
    SimulateMouseUp(grid, mbLeft, other.Left + 5, other.Top + 5);
    EXPECT_FALSE(grid->Panning());
    EXPECT_EQ(grid->Cursor(), crDefault);
    EXPECT_EQ(grid->Row(), 5);  // the press that ended panning selected nothing
    Tick(TGkStringGrid::kPanTimer);
    EXPECT_EQ(grid->Row(), 5);
}

TEST_F(GridWheel, VerticalPanningIgnoresSidewaysAndNoneDoesNotPan) {
    grid->IntelliPan = ipVertical;
    SimulateMouseDown(grid, mbMiddle, 150, 100);
    SimulateMouseMove(grid, 250, 60);
    Tick(TGkStringGrid::kPanTimer);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 4);
    SimulateMouseDown(grid, mbMiddle, 250, 60);  // the next middle press ends it
    EXPECT_FALSE(grid->Panning());

    grid->IntelliPan = ipNone;
    SimulateMouseDown(grid, mbMiddle, 150, 100);
    EXPECT_FALSE(grid->Panning());
}

TEST_F(GridWheel, HoveringMakesTheCellUnderTheMouseCurrentOnTheBlinkTick) {
    const TRect r = grid->CellRect(3, 2);
    SimulateMouseMove(grid, r.Left + 4, r.Top + 4);
    Tick(111);
    EXPECT_EQ(grid->Row(), 5);
    grid->Hovering = true;
    Tick(111);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 2);
    const TRect fixed = grid->CellRect(0, 4);
    SimulateMouseMove(grid, fixed.Left + 4, fixed.Top + 4);
    Tick(111);
    EXPECT_EQ(grid->Row(), 2);  // a fixed cell is never made current
}

TEST_F(GridWheel, BlinkTicksLeaveTheTextsAlone) {
    grid->SetCells(2, 2, "<BLINK>on</BLINK> and off");
    const bool phase = grid->BlinkPhase();
    Tick(111);
    EXPECT_NE(grid->BlinkPhase(), phase);
    EXPECT_EQ(grid->Cells(2, 2), "<BLINK>on</BLINK> and off");
}

TEST_F(GridWheel, HintsComeFromTheHandlerOrTheCellText) {
    grid->SetFixedFooters(1);
    grid->SetCells(2, 3, "the whole text of the cell");
    grid->OnGridHint = [](TObject*, int row, int col, String& hint) {
        hint = "c" + std::to_string(col) + "r" + std::to_string(row);
    };
    const TRect r = grid->CellRect(2, 3);
    TGkStringGrid::TCellHint hint = grid->CellHintAt(r.Left + 3, r.Top + 3);
    EXPECT_EQ(hint.Text, "c2r3");
    EXPECT_EQ(hint.ScreenPos, grid->ClientToScreen({r.Left, r.Bottom + 6}));
    EXPECT_EQ(hint.Color, grid->HintColor);
    EXPECT_EQ(grid->HintCell(), (TGridCoord{2, 3}));
    grid->HintShowCells = true;
    hint = grid->CellHintAt(r.Left + 3, r.Top + 3);
    EXPECT_EQ(hint.Text, "the whole text of the cell");
    EXPECT_EQ(hint.ScreenPos, grid->ClientToScreen({r.Left, r.Top}));
    const TRect head = grid->CellRect(2, 0);
    EXPECT_EQ(grid->CellHintAt(head.Left + 3, head.Top + 3).Text, "c2r0");  // fixed: the handler's
    // The application asks through CM_HINTSHOW when a hint is due.
    grid->HintShowCells = false;
    THintInfo info;
    info.CursorPos = {r.Left + 3, r.Top + 3};
    info.HintStr = "own";
    EXPECT_EQ(grid->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.HintStr, "c2r3");
    EXPECT_EQ(info.HintColor, grid->HintColor);
    EXPECT_EQ(info.HintPos, grid->ClientToScreen({r.Left, r.Bottom + 6}));
    // Leaving the hint cell forgets it.
    const TRect other = grid->CellRect(4, 4);
    SimulateMouseMove(grid, other.Left + 3, other.Top + 3);
    EXPECT_EQ(grid->HintCell(), (TGridCoord{-1, -1}));
}

TEST_F(GridWheel, UpdateBracketsNestAndNeverGoBelowZero) {
    grid->BeginUpdate();
    grid->BeginUpdate();
    grid->EndUpdate();
    EXPECT_EQ(grid->UpdateCount(), 1);
    grid->EndUpdate();
    grid->EndUpdate();
    EXPECT_EQ(grid->UpdateCount(), 0);
    grid->BeginUpdate();
    EXPECT_EQ(grid->UpdateCount(), 1);
    grid->EndUpdate();
}

}  // namespace
