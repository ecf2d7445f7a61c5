// Presses, releases and double clicks on a small grid: header sorting,
// selection by fixed cells, direct editing, anchors and cell references,
// cells the application calls fixed, and column sizing by the header.
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/DragDrop.h"
#include "framework/controls/DragImage.h"
#include "framework/controls/Form.h"
#include "framework/grids/InplaceEdit.h"
#include "framework/system/ShellOpener.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/MouseActions.h"

namespace {

class GridMouse : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 420, 300);
        grid = new TGkStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 400, 260);
        grid->SetColCount(4);
        grid->SetRowCount(5);
        const std::vector<String> col1{"H", "c", "a", "d", "b"};
        for (int r = 0; r < 5; ++r) {
            grid->SetCells(1, r, col1[r]);
            grid->SetCells(2, r, "r" + std::to_string(r));
        }
        form->Show();
        ASSERT_TRUE(WaitForFocus(grid));
    }
    void TearDown() override {
        SetShellOpenHook(nullptr);
        delete form;
    }
    TPoint Mid(int c, int r) const {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    void Click(int c, int r) { SimulateClick(grid, Mid(c, r).X, Mid(c, r).Y); }
    std::vector<String> Column(int c) const {
        std::vector<String> out;
        for (int r = 0; r < grid->RowCount(); ++r) out.push_back(grid->Cells(c, r));
        return out;
    }
    bool EditorShows() const { return grid->InplaceEditor() && grid->InplaceEditor()->Visible(); }
    TForm* form = nullptr;
    TGkStringGrid* grid = nullptr;
};

TEST_F(GridMouse, HeaderClicksSortAscendingThenDescending) {
    grid->SetSortShow(true);
    grid->SortAutoFormat = false;
    std::vector<int> sorted;
    grid->OnClickSort = [&](TObject*, int col) { sorted.push_back(col); };
    Click(1, 0);
    EXPECT_EQ(Column(1), (std::vector<String>{"H", "a", "b", "c", "d"}));
    Click(1, 0);
    EXPECT_EQ(Column(1), (std::vector<String>{"H", "d", "c", "b", "a"}));
    Click(2, 0);  // another column starts ascending again
    EXPECT_EQ(Column(2), (std::vector<String>{"r0", "r1", "r2", "r3", "r4"}));
    EXPECT_EQ(sorted, (std::vector<int>{1, 1, 2}));

    // A press on a data cell dragged up to the header is no header click.
    SimulateMouseDown(grid, mbLeft, Mid(1, 2).X, Mid(1, 2).Y);
    SimulateMouseUp(grid, mbLeft, Mid(1, 0).X, Mid(1, 0).Y);
    EXPECT_EQ(sorted.size(), 3u);

    // Header and one row: nothing to sort.
    grid->SetRowCount(2);
    Click(1, 0);
    EXPECT_EQ(sorted.size(), 3u);
}

TEST_F(GridMouse, DoubleClickOnAHeaderBorderSizesTheColumnAndDoesNotSort) {
    grid->SetSortShow(true);
    grid->SetOptions(grid->Options() | goColSizing);
    grid->SetCells(1, 3, "a much longer text than the column shows");
    grid->SetColWidths(1, 30);
    int sorts = 0;
    grid->OnClickSort = [&](TObject*, int) { ++sorts; };
    const TRect h = grid->CellRect(1, 0);
    SimulateDblClick(grid, h.Right - 2, h.Top + 5);
    EXPECT_GT(grid->ColWidths(1), 60);
    EXPECT_EQ(sorts, 0);
    EXPECT_EQ(grid->Cells(1, 1), "c");
}

TEST_F(GridMouse, FixedCellsSelectRowsColumnsAndAll) {
    grid->MouseActions()->RowSelect = true;
    grid->MouseActions()->ColSelect = true;
    grid->MouseActions()->AllSelect = true;
    Click(0, 3);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 3, 3, 3}));
    Click(2, 0);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 1, 2, 4}));
    Click(0, 0);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 4}));

    grid->MouseActions()->RowSelect = false;
    Click(0, 2);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 4}));
}

TEST_F(GridMouse, DirectEditOpensTheEditorOnlyWellInsideTheCell) {
    grid->SetOptions(grid->Options() | goEditing);
    grid->MouseActions()->DirectEdit = true;
    const TRect r = grid->CellRect(2, 2);
    SimulateClick(grid, r.Left + 2, r.Top + 5);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_FALSE(EditorShows());
    const TRect r3 = grid->CellRect(2, 3);
    SimulateClick(grid, r3.Left + 6, r3.Top + 5);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_TRUE(EditorShows());
}

TEST_F(GridMouse, UrlsOpenThroughTheShellUnlessTheHandlerTakesThem) {
    grid->SetURLShow(true);
    grid->SetCells(2, 2, "http://example.org/page");
    std::vector<String> opened;
    SetShellOpenHook([&](const String& address) {
        opened.push_back(address);
        return true;
    });
    String clicked;
    bool autoHandle = true;
    grid->OnAnchorClick = [&](TObject*, int row, int col, const String& anchor, bool& handle) {
        clicked = anchor + "@" + std::to_string(col) + "," + std::to_string(row);
        handle = autoHandle;
    };
    Click(2, 2);
    EXPECT_EQ(clicked, "http://example.org/page@2,2");
    EXPECT_EQ(opened, std::vector<String>{"http://example.org/page"});
    autoHandle = false;
    Click(2, 2);
    EXPECT_EQ(opened.size(), 1u);
    // Without URLShow a plain text is only text.
    grid->SetURLShow(false);
    clicked.clear();
    Click(2, 2);
    EXPECT_EQ(clicked, "");
}

struct TRefCase {
    const char* Text;
    int Col, Row;  // where the current cell ends; (1, 1) is where it starts
};

class CellReference : public GridMouse, public ::testing::WithParamInterface<TRefCase> {};

TEST_P(CellReference, JumpsOnlyToAValidCell) {
    grid->SetURLShow(true);
    std::vector<String> opened;
    SetShellOpenHook([&](const String& address) {
        opened.push_back(address);
        return true;
    });
    grid->FocusCell(1, 1, true);
    grid->SetCells(3, 4, GetParam().Text);
    Click(3, 4);
    EXPECT_EQ(grid->Col(), GetParam().Col);
    EXPECT_EQ(grid->Row(), GetParam().Row);
    EXPECT_TRUE(opened.empty());
}

INSTANTIATE_TEST_SUITE_P(Refs, CellReference,
                         ::testing::Values(TRefCase{"CELL://R3C2", 2, 3}, TRefCase{"cell://r2c1", 1, 2},
                                           TRefCase{"Cell://R4C2", 2, 4},
                                           TRefCase{"CELL://RxC2", 1, 1},   // not a number
                                           TRefCase{"CELL://R3C", 1, 1},    // no column
                                           TRefCase{"CELL://R3C9", 1, 1},   // no such column
                                           TRefCase{"CELL://R99C2", 1, 1}));

TEST_F(GridMouse, MarkupAnchorsAreHitWhereTheirWordsAre) {
    grid->SetCells(2, 3, "<A HREF=\"cell://R1C3\">go</A>");
    const TRect r = grid->CellRect(2, 3);
    // The anchor's word sits at the start of the cell's first line.
    ASSERT_EQ(grid->CellAnchorAt(2, 3, r.Left + 5, r.Top + 6), "cell://R1C3");
    SimulateClick(grid, r.Left + 5, r.Top + 6);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridMouse, ACellTheApplicationCallsFixedIsClickedButNotSelected) {
    grid->OnIsFixedCell = [](TObject*, int row, int col, bool& fixed) { fixed = row == 3 && col == 2; };
    std::vector<String> clicks;
    grid->OnClickCell = [&](TObject*, int row, int col) {
        clicks.push_back(std::to_string(col) + "," + std::to_string(row));
    };
    grid->FocusCell(1, 1, true);
    Click(2, 3);
    EXPECT_EQ(clicks, std::vector<String>{"2,3"});
    EXPECT_EQ(grid->Row(), 1);
    Click(2, 2);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(clicks, (std::vector<String>{"2,3", "2,2"}));
}

TEST_F(GridMouse, ColumnSizingCanBeVetoedAndEndsWithOneNotice) {
    grid->SetOptions(grid->Options() | goColSizing);
    bool allow = false;
    grid->OnColumnSize = [&](TObject*, int, bool& a) { a = allow; };
    std::vector<int> ended;
    grid->OnEndColumnSize = [&](TObject*, int col) { ended.push_back(col); };
    const int before = grid->ColWidths(1);
    const TRect h = grid->CellRect(1, 0);
    auto drag = [&] {
        SimulateMouseDown(grid, mbLeft, h.Right, h.Top + 5);
        SimulateMouseMove(grid, h.Right + 10, h.Top + 5, ssLeft);
        SimulateMouseMove(grid, h.Right + 20, h.Top + 5, ssLeft);
        SimulateMouseUp(grid, mbLeft, h.Right + 20, h.Top + 5);
    };
    drag();
    EXPECT_EQ(grid->ColWidths(1), before);
    EXPECT_TRUE(ended.empty());
    allow = true;
    drag();
    EXPECT_GT(grid->ColWidths(1), before);
    EXPECT_EQ(ended, std::vector<int>{1});
}

TEST_F(GridMouse, ASelectedCellsEdgeStartsADragAndItsMiddleDoesNot) {
    grid->OleDropSource = true;
    int drags = 0;
    TDoDragDropHook old = SetDoDragDropHook([&](IDataObject*, IDropSource*, DWORD, DWORD& effect) {
        ++drags;
        effect = DROPEFFECT_COPY;
        return DRAGDROP_S_DROP;
    });
    bool allow = true;
    std::vector<String> asked;
    grid->OnOleDrag = [&](TObject*, int row, int col, const String& data, bool& a) {
        asked.push_back(std::to_string(col) + "," + std::to_string(row) + "=" + data);
        a = allow;
    };
    grid->FocusCell(2, 2, true);
    const TRect r = grid->CellRect(2, 2);
    SimulateMouseDown(grid, mbLeft, r.Left + 1, r.Top + 8);
    SimulateMouseUp(grid, mbLeft, r.Left + 1, r.Top + 8);
    EXPECT_EQ(drags, 1);
    EXPECT_EQ(asked, std::vector<String>{"2,2=r2"});
    allow = false;
    SimulateMouseDown(grid, mbLeft, r.Right - 2, r.Top + 8);
    SimulateMouseUp(grid, mbLeft, r.Right - 2, r.Top + 8);
    EXPECT_EQ(drags, 1);
    EXPECT_EQ(asked.size(), 2u);
    Click(2, 2);  // the middle of the cell is an ordinary click
    EXPECT_EQ(asked.size(), 2u);
    // An edge of a cell outside the selection selects it.
    const TRect o = grid->CellRect(3, 3);
    SimulateClick(grid, o.Left + 1, o.Top + 8);
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(grid->Row(), 3);
    SetDoDragDropHook(old);
}

TEST_F(GridMouse, CtrlClicksMarkAndUnmarkDisjunctRows) {
    grid->MouseActions()->DisjunctRowSelect = true;
    Click(2, 1);
    EXPECT_TRUE(grid->RowMarked(1));
    SimulateMouseDown(grid, mbLeft, Mid(2, 3).X, Mid(2, 3).Y, ssCtrl);
    SimulateMouseUp(grid, mbLeft, Mid(2, 3).X, Mid(2, 3).Y, ssCtrl);
    EXPECT_TRUE(grid->RowMarked(1));
    EXPECT_TRUE(grid->RowMarked(3));
    SimulateMouseDown(grid, mbLeft, Mid(2, 1).X, Mid(2, 1).Y, ssCtrl);
    SimulateMouseUp(grid, mbLeft, Mid(2, 1).X, Mid(2, 1).Y, ssCtrl);
    EXPECT_FALSE(grid->RowMarked(1));  // a marked row clicked with Ctrl lets go
    EXPECT_TRUE(grid->RowMarked(3));
    Click(2, 4);  // without Ctrl the marks start over
    EXPECT_FALSE(grid->RowMarked(3));
    EXPECT_TRUE(grid->RowMarked(4));
}

TEST_F(GridMouse, MovingOverZonesAndLinksSetsTheCursorAndReportsAnchors) {
    grid->MouseActions()->RowSelect = true;
    grid->SetURLShow(true);
    grid->SetCursor(crCross);
    grid->SetCells(2, 2, "http://example.org/");
    std::vector<String> log;
    grid->OnAnchorEnter = [&](TObject*, int row, int col, const String& a) {
        log.push_back("enter " + a + " " + std::to_string(col) + "," + std::to_string(row));
    };
    grid->OnAnchorExit = [&](TObject*, int, int, const String& a) { log.push_back("exit " + a); };
    SimulateMouseMove(grid, Mid(0, 3).X, Mid(0, 3).Y);
    EXPECT_EQ(grid->SelectZone(), TSelectZone::Row);
    EXPECT_EQ(grid->Cursor(), TGkStringGrid::crGkRowSelect);
    SimulateMouseMove(grid, Mid(2, 2).X, Mid(2, 2).Y);
    EXPECT_EQ(grid->SelectZone(), TSelectZone::None);
    EXPECT_EQ(grid->Cursor(), crHandPoint);
    SimulateMouseMove(grid, Mid(2, 2).X + 2, Mid(2, 2).Y);  // the same anchor: no new notice
    SimulateMouseMove(grid, Mid(3, 3).X, Mid(3, 3).Y);
    EXPECT_EQ(grid->Cursor(), crCross);  // the grid's own cursor again
    EXPECT_EQ(log, (std::vector<String>{"enter http://example.org/ 2,2", "exit http://example.org/"}));
}

TEST_F(GridMouse, TheSortColumnFollowsAMovedColumn) {
    grid->SetSortColumn(1);
    grid->MoveColumn(1, 3);
    EXPECT_EQ(grid->SortColumn(), 3);
    grid->MoveColumn(2, 3);  // a column moved past it from the left
    EXPECT_EQ(grid->SortColumn(), 2);
}

}  // namespace

namespace {

TEST_F(GridMouse, AMovedColumnsHeadingFollowsTheMouse) {
    grid->EnhRowColMove = true;
    grid->SetOptions(grid->Options() | goColMoving);
    const TPoint from = Mid(1, 0);
    SimulateMouseDown(grid, mbLeft, from.X, from.Y);
    const int grab = from.X - grid->CellRect(1, 0).Left;
    for (int dx = 10; dx <= 80; dx += 10) SimulateMouseMove(grid, from.X + dx, from.Y, ssLeft);
    const TDragImage* image = grid->MoveDragImage();
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->Showing());
    EXPECT_EQ(image->Size().cx, grid->ColWidths(1));
    EXPECT_EQ(image->Size().cy, grid->RowHeights(0));
    // Held where the mouse took the heading, on the heading row.
    EXPECT_EQ(image->Position(), grid->ClientToScreen(TPoint{from.X + 80 - grab, grid->CellRect(1, 0).Top}));
    SimulateMouseUp(grid, mbLeft, from.X + 80, from.Y);
    EXPECT_FALSE(image->Showing());
    EXPECT_EQ(grid->Cells(2, 0), "H");  // the column moved
}

}  // namespace
