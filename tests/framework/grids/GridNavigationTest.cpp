// The base grid driven as a person drives it: keys and mouse through the
// whole road of the toolkit, on a shown window.
#include <gtest/gtest.h>

#include <map>

#include "framework/classes/Strings.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/grids/InplaceEdit.h"
#include "framework/grids/StringGrid.h"

namespace {

// 10 columns x 30 rows of 64 x 24 cells with one fixed row and column in
// a 300 x 200 grid: both bars show, three whole columns and six whole
// rows fit beside the headings.
class GridFixture : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        grid = new TStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 300, 200);
        grid->SetColCount(10);
        grid->SetRowCount(30);
        form->Show();
        ASSERT_TRUE(WaitForFocus(grid));
    }
    void TearDown() override { delete form; }

    TForm* form = nullptr;
    TStringGrid* grid = nullptr;
};

TEST_F(GridFixture, LayoutFollowsSizesAndBars) {
    EXPECT_EQ(grid->VisibleColCount(), 3);
    EXPECT_EQ(grid->VisibleRowCount(), 6);
    EXPECT_EQ(grid->ClientRect().Width(), 284);  // the vertical bar takes 16
    EXPECT_EQ(grid->CellRect(1, 1), Rect(65, 25, 129, 49));
    EXPECT_TRUE(grid->CellRect(5, 1).IsEmpty());  // scrolled out of sight
    int c = -1, r = -1;
    grid->MouseToCell(70, 30, c, r);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(r, 1);
    grid->MouseToCell(290, 190, c, r);  // on the bars' corner
    EXPECT_EQ(c, -1);
}

struct NavCase {
    const char* name;
    TGridOptions extraOptions;
    int startCol, startRow;
    Word key;
    TShiftState shift;
    int col, row;           // current cell afterwards
    int topRow, leftCol;    // -1: not checked
};

class GridNavigation : public GridFixture, public ::testing::WithParamInterface<NavCase> {};

TEST_P(GridNavigation, KeyMovesCurrentCell) {
    const NavCase& k = GetParam();
    grid->SetOptions(grid->Options() | k.extraOptions);
    grid->FocusCell(k.startCol, k.startRow, true);
    SimulateKey(grid, k.key, String(), k.shift);
    EXPECT_EQ(grid->Col(), k.col);
    EXPECT_EQ(grid->Row(), k.row);
    if (k.topRow >= 0) {
        EXPECT_EQ(grid->TopRow(), k.topRow);
    }
    if (k.leftCol >= 0) {
        EXPECT_EQ(grid->LeftCol(), k.leftCol);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, GridNavigation,
    ::testing::Values(
        NavCase{"Down", 0, 1, 1, VK_DOWN, 0, 1, 2, 1, 1},
        NavCase{"UpStopsAtFixed", 0, 1, 1, VK_UP, 0, 1, 1, 1, 1},
        NavCase{"RightScrollsIntoView", 0, 3, 1, VK_RIGHT, 0, 4, 1, 1, 2},
        NavCase{"LeftStopsAtFixed", 0, 1, 1, VK_LEFT, 0, 1, 1, -1, -1},
        NavCase{"EndGoesToLastColumn", 0, 1, 3, VK_END, 0, 9, 3, -1, 7},
        NavCase{"HomeGoesToFirstColumn", 0, 5, 3, VK_HOME, 0, 1, 3, -1, 1},
        NavCase{"CtrlHome", 0, 5, 5, VK_HOME, ssCtrl, 1, 1, 1, 1},
        NavCase{"CtrlEnd", 0, 1, 1, VK_END, ssCtrl, 9, 29, 24, 7},
        NavCase{"PageDown", 0, 1, 1, VK_NEXT, 0, 1, 7, 7, -1},
        NavCase{"PageUp", 0, 1, 20, VK_PRIOR, 0, 1, 14, -1, -1},
        NavCase{"PageDownAtEndStops", 0, 1, 28, VK_NEXT, 0, 1, 29, 24, -1},
        NavCase{"CtrlPageDownGoesToLastVisibleRow", 0, 1, 1, VK_NEXT, ssCtrl, 1, 6, 1, -1},
        NavCase{"CtrlDownScrollsOnly", 0, 1, 3, VK_DOWN, ssCtrl, 1, 3, 2, -1},
        NavCase{"TabWithoutGoTabsStays", 0, 2, 2, VK_TAB, 0, 2, 2, -1, -1},
        NavCase{"TabWrapsToNextRow", goTabs, 9, 1, VK_TAB, 0, 1, 2, -1, 1},
        NavCase{"ShiftTabWrapsBack", goTabs, 1, 2, VK_TAB, ssShift, 9, 1, -1, -1},
        NavCase{"TabFromLastCellWrapsToFirst", goTabs, 9, 29, VK_TAB, 0, 1, 1, 1, 1},
        NavCase{"RowSelectRightScrolls", goRowSelect, 1, 2, VK_RIGHT, 0, 1, 2, -1, 2},
        NavCase{"RowSelectHomeGoesToFirstRow", goRowSelect, 1, 9, VK_HOME, 0, 1, 1, 1, -1},
        NavCase{"RowSelectEndGoesToLastRow", goRowSelect, 1, 2, VK_END, 0, 1, 29, 24, -1}),
    [](const ::testing::TestParamInfo<NavCase>& i) { return String(i.param.name); });

TEST_F(GridFixture, ShiftExtendsRangeOnlyWithRangeSelect) {
    grid->FocusCell(2, 2, true);
    SimulateKey(grid, VK_DOWN, String(), ssShift);
    SimulateKey(grid, VK_RIGHT, String(), ssShift);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 3, 3}));
    SimulateKey(grid, VK_DOWN);  // a plain move collapses it
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 4, 3, 4}));

    grid->SetOptions(grid->Options() & ~goRangeSelect);
    SimulateKey(grid, VK_DOWN, String(), ssShift);
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 5, 3, 5}));
}

TEST_F(GridFixture, SelectCellVetoKeepsTheCell) {
    grid->OnSelectCell = [](TObject*, int c, int, bool& can) { can = c != 2; };
    grid->FocusCell(1, 1, true);
    SimulateKey(grid, VK_RIGHT);
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(GridFixture, ScrollMessagesMoveTheTopRow) {
    auto scroll = [&](int code, int pos = 0) {
        grid->Perform(WM_VSCROLL, static_cast<WPARAM>(code) | (static_cast<WPARAM>(pos) << 16));
    };
    scroll(TCustomGrid::SB_LINEDOWN);
    EXPECT_EQ(grid->TopRow(), 2);
    scroll(TCustomGrid::SB_PAGEDOWN);
    EXPECT_EQ(grid->TopRow(), 8);
    scroll(TCustomGrid::SB_THUMBTRACK, 20);  // no thumb tracking: only the release counts
    EXPECT_EQ(grid->TopRow(), 8);
    scroll(TCustomGrid::SB_THUMBPOSITION, 20);
    EXPECT_EQ(grid->TopRow(), 20);
    scroll(TCustomGrid::SB_BOTTOM);
    EXPECT_EQ(grid->TopRow(), 24);
    scroll(TCustomGrid::SB_PAGEDOWN);
    EXPECT_EQ(grid->TopRow(), 24);
    grid->SetOptions(grid->Options() | goThumbTracking);
    scroll(TCustomGrid::SB_THUMBTRACK, 3);
    EXPECT_EQ(grid->TopRow(), 3);
    EXPECT_EQ(grid->Row(), 1);  // scrolling leaves the current cell
}

TEST_F(GridFixture, WheelMovesTheCurrentRow) {
    grid->FocusCell(1, 5, true);
    SimulateWheel(grid, 100, 100, -240);
    EXPECT_EQ(grid->Row(), 7);
    SimulateWheel(grid, 100, 100, 120);
    EXPECT_EQ(grid->Row(), 6);
}

TEST_F(GridFixture, MouseSelectsSizesAndMoves) {
    SimulateClick(grid, 140, 60);  // column 2, row 2
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);

    grid->SetOptions(grid->Options() | goColSizing | goColMoving);
    // The line after column 1 lies at x = 129 in the heading row.
    SimulateMouseDown(grid, mbLeft, 129, 10);
    SimulateMouseMove(grid, 150, 10, ssLeft);
    SimulateMouseUp(grid, mbLeft, 150, 10);
    EXPECT_EQ(grid->ColWidths(1), 85);

    grid->SetCells(1, 0, "one");
    grid->SetCells(2, 0, "two");
    int movedFrom = -1, movedTo = -1;
    grid->OnColumnMoved = [&](TObject*, int f, int t) { movedFrom = f, movedTo = t; };
    SimulateMouseDown(grid, mbLeft, 100, 10);  // inside column 1's heading
    SimulateMouseMove(grid, 200, 10, ssLeft);  // over column 2
    SimulateMouseUp(grid, mbLeft, 200, 10);
    EXPECT_EQ(movedFrom, 1);
    EXPECT_EQ(movedTo, 2);
    EXPECT_EQ(grid->Cells(2, 0), "one");
    EXPECT_EQ(grid->ColWidths(2), 85);  // the width travels with the column
}

TEST_F(GridFixture, EditorWritesAsItTypesAndPassesKeysBack) {
    grid->SetOptions(grid->Options() | goEditing);
    grid->FocusCell(2, 3, true);
    SimulateKey(grid, 'X', "x");
    ASSERT_TRUE(grid->EditorMode());
    TInplaceEdit* ed = grid->InplaceEditor();
    ASSERT_NE(ed, nullptr);
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(grid->Cells(2, 3), "x");
    SimulateKey(ed, 'Y', "y");
    EXPECT_EQ(grid->Cells(2, 3), "xy");
    SimulateKey(ed, VK_DOWN);  // the editor hands Down to the grid
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(ed->EditRow(), 4);
    SimulateKey(ed, VK_RETURN, "\r");  // Enter closes the editor
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(grid->Cells(2, 3), "xy");
}

TEST_F(GridFixture, EditorHandsPagingTabAndEscapeToTheGrid) {
    grid->SetOptions(grid->Options() | goEditing | goTabs);
    grid->FocusCell(2, 3, true);
    grid->ShowEditor();
    TInplaceEdit* ed = grid->InplaceEditor();
    ASSERT_NE(ed, nullptr);
    SimulateKey(ed, VK_NEXT);
    EXPECT_EQ(grid->Row(), 9);
    grid->SetCells(3, 9, "abc");
    SimulateKey(ed, VK_TAB, "\t");
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(ed->EditCol(), 3);  // the editor follows the cell
    SimulateKey(ed, VK_LEFT);  // the text is selected: Left stays in it
    EXPECT_EQ(grid->Col(), 3);
    SimulateKey(ed, VK_HOME);
    SimulateKey(ed, VK_LEFT);  // from the first character it leaves the cell
    EXPECT_EQ(grid->Col(), 2);
    SimulateKey(ed, VK_ESCAPE, "\x1b");
    EXPECT_FALSE(grid->EditorMode());
}

TEST_F(GridFixture, AlwaysShowEditorKeepsItOpen) {
    grid->SetCells(1, 2, "text");
    grid->SetOptions(grid->Options() | goEditing | goAlwaysShowEditor);
    grid->FocusCell(1, 2, true);
    ASSERT_TRUE(grid->EditorMode());
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    EXPECT_EQ(grid->InplaceEditor()->Text(), "text");
    SimulateKey(grid->InplaceEditor(), VK_RETURN, "\r");
    EXPECT_TRUE(grid->EditorMode());
    SimulateKey(grid->InplaceEditor(), VK_DOWN);
    EXPECT_EQ(grid->InplaceEditor()->EditRow(), 3);
    grid->SetOptions(grid->Options() | goRowSelect);  // row selection never edits
    EXPECT_FALSE(grid->EditorMode());
}

TEST(GridCounts, CountsStayPositiveAndFixedFollows) {
    TStringGrid g(nullptr);
    g.SetFixedRows(2);
    g.SetRowCount(2);
    EXPECT_EQ(g.FixedRows(), 1);
    g.SetColCount(0);
    EXPECT_EQ(g.ColCount(), 1);
    EXPECT_EQ(g.FixedCols(), 0);
    EXPECT_THROW(g.SetFixedRows(2), EInvalidOperation);
    EXPECT_EQ(g.Cells(5, 5), "");
    g.SetCells(5, 5, "ignored");
    EXPECT_EQ(g.Cells(5, 5), "");
}

TEST(GridCells, RowsColsAndMovesKeepCellsTogether) {
    TStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(4);
    g.Rows(1)->SetCommaText("a,b,c");
    EXPECT_EQ(g.Cells(2, 1), "c");
    EXPECT_EQ(g.Cols(1)->Strings(1), "b");
    g.Cols(0)->SetStrings(3, "z");
    g.SetRowHeights(1, 40);
    g.MoveRow(1, 3);
    EXPECT_EQ(g.Cells(0, 3), "a");
    EXPECT_EQ(g.Cells(0, 2), "z");
    EXPECT_EQ(g.RowHeights(3), 40);
    g.DeleteRow(3);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Cells(0, 2), "z");
    g.MoveColumn(0, 2);
    EXPECT_EQ(g.Cells(2, 2), "z");
    g.DeleteColumn(2);
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.Cells(1, 2), "");
}

TEST_F(GridFixture, PaintCycleDrawsEachVisibleCellOnce) {
    grid->FocusCell(2, 2, true);
    std::map<std::pair<int, int>, TGridDrawState> drawn;
    grid->OnDrawCell = [&](TObject*, int c, int r, TRect, TGridDrawState s) {
        EXPECT_EQ(drawn.count({c, r}), 0u);
        drawn[{c, r}] = s;
    };
    grid->Repaint();
    Application->ProcessMessages();
    ASSERT_FALSE(drawn.empty());
    // Fixed column 0 plus columns 1..4 (the last partly), rows 0 plus 1..7.
    EXPECT_EQ(drawn.size(), 5u * 8u);
    EXPECT_EQ((drawn[{0, 0}]), gdFixed);
    EXPECT_EQ((drawn[{2, 2}]), gdFocused);
    EXPECT_EQ((drawn[{3, 3}]), 0);
}

}  // namespace
