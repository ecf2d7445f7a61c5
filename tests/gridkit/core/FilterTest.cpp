// Hidden rows and the filter: rows leave the grid with their texts and
// come back in their old places; filter expressions as a table.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "framework/controls/Form.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/grid/Filter.h"
#include "gridkit/grid/GkGridError.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/Navigation.h"
#include "support/TempDir.h"

namespace {

struct TExprCase {
    const char* Condition;
    const char* Text;
    bool Expected;
};

class FilterExpression : public ::testing::TestWithParam<TExprCase> {};

TEST_P(FilterExpression, Matches) {
    const TExprCase& c = GetParam();
    EXPECT_EQ(TGkStringGrid::MatchFilterExpression(c.Condition, c.Text), c.Expected)
        << c.Condition << " on " << c.Text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FilterExpression,
    ::testing::Values(TExprCase{"A*", "Apple", true}, TExprCase{"A*", "apple", false},
                      TExprCase{"A?c", "Abc", true}, TExprCase{"A?c", "Abbc", false},
                      TExprCase{">100", "150", true}, TExprCase{">100", "99", false},
                      TExprCase{">100", "abc", true},  // not a number: byte order
                      TExprCase{">10", "9", false}, TExprCase{">10", "9x", true},
                      TExprCase{">b", "a", false}, TExprCase{">b", "c", true},
                      TExprCase{">=10&<=20", "10", true}, TExprCase{">=10&<=20", "20.5", false},
                      TExprCase{"red;blue", "blue", true}, TExprCase{"red;blue", "green", false},
                      TExprCase{"red^blue", "red", true}, TExprCase{"!x*", "xylophone", false},
                      TExprCase{"!x*", "piano", true}, TExprCase{"!x", "y", true},
                      TExprCase{"New York", "NewYork", true}, TExprCase{"New York", "New York", false},
                      TExprCase{"*a*a*a*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
                      TExprCase{"", "", true}));

std::vector<String> Column0(TGkStringGrid& g) {
    std::vector<String> out;
    for (int r = 0; r < g.RowCount(); ++r) out.push_back(g.Cells(0, r));
    return out;
}

TEST(Filter, HidesFailingRowsAndBringsThemBackInPlace) {
    TGkStringGrid grid(nullptr);
    grid.SetColCount(2);
    grid.SetRowCount(5);
    grid.SetFixedRows(1);
    const std::vector<String> rows{"head", "a", "b", "a", "c"};
    for (int r = 0; r < 5; ++r) {
        grid.SetCells(0, r, rows[static_cast<size_t>(r)]);
        grid.SetCells(1, r, "v" + std::to_string(r));
    }
    TFilterData* f = grid.Filter()->Add();
    f->Column = 0;
    f->Condition = "a";
    grid.SetFilterActive(true);
    EXPECT_EQ(Column0(grid), (std::vector<String>{"head", "a", "a"}));
    EXPECT_EQ(grid.HiddenRowTotal(), 2);
    EXPECT_TRUE(grid.RowIsHidden(2));
    EXPECT_EQ(grid.RowToReal(2), 3);
    EXPECT_EQ(grid.RowToDisplay(3), 2);
    grid.SetFilterActive(false);
    EXPECT_EQ(Column0(grid), rows);
    EXPECT_EQ(grid.Cells(1, 4), "v4");
    EXPECT_EQ(grid.HiddenRowTotal(), 0);
}

TEST(Filter, NothingMatchingLeavesOneEmptyRowThatGoesAgain) {
    TGkStringGrid grid(nullptr);
    grid.SetColCount(1);
    grid.SetRowCount(3);
    grid.SetFixedRows(1);
    grid.SetCells(0, 1, "x");
    grid.SetCells(0, 2, "y");
    grid.Filter()->Add()->Condition = "zzz";
    grid.SetFilterActive(true);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.Cells(0, 1), "");
    grid.SetFilterActive(false);
    EXPECT_EQ(Column0(grid), (std::vector<String>{"", "x", "y"}));
    EXPECT_EQ(grid.FixedRows(), 1);
}

// Bringing back a span with a shown row between hidden ones puts each text
// on its own row: the row that was never hidden keeps its text.
TEST(HiddenRows, RestoringASpanWithAGapKeepsTheShownRow) {
    TGkStringGrid grid(nullptr);
    grid.SetColCount(1);
    grid.SetRowCount(5);
    for (int r = 0; r < 5; ++r) grid.SetCells(0, r, "r" + std::to_string(r));
    grid.HideRowSpan(3, 3);
    grid.HideRowSpan(1, 1);
    EXPECT_EQ(Column0(grid), (std::vector<String>{"r0", "r2", "r4"}));
    grid.RestoreRowSpan(1, 3);
    EXPECT_EQ(Column0(grid), (std::vector<String>{"r0", "r1", "r2", "r3", "r4"}));
}

// Rows added, removed or moved while rows are hidden: every hidden row
// comes back between the rows it stood between, and an added or moved row
// stands directly above the shown row that follows it (at the end: below
// every row). The grid: H a1 b1 a2 b2 a3 b3 with "a*" on column 0, so
// H a1 a2 a3 show; column 1 holds "v" + the row's text, to see that
// whole rows travel.
struct TShownRowsCase {
    const char* Name;
    std::function<void(TGkStringGrid*)> Op;
    std::vector<String> Shown;  // column 0 after the operation
    std::vector<String> After;  // column 0 once the filter is off
};

class HiddenRowsKeepTheirPlaces : public ::testing::TestWithParam<TShownRowsCase> {};

TPoint FixedCellMid(TGkStringGrid* g, int row) {
    const TRect r = g->CellRect(0, row);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

void PrintTo(const TShownRowsCase& c, std::ostream* os) { *os << c.Name; }

const std::vector<String> UnfilteredRows{"H", "a1", "b1", "a2", "b2", "a3", "b3"};

void FillAndFilter(TGkStringGrid& g) {
    g.SetColCount(2);
    g.SetRowCount(static_cast<int>(UnfilteredRows.size()));
    g.SetFixedRows(1);
    for (int r = 0; r < g.RowCount(); ++r) {
        g.SetCells(0, r, UnfilteredRows[static_cast<size_t>(r)]);
        g.SetCells(1, r, "v" + UnfilteredRows[static_cast<size_t>(r)]);
    }
    TFilterData* f = g.Filter()->Add();
    f->Column = 0;
    f->Condition = "a*";
    g.SetFilterActive(true);
}

TEST_P(HiddenRowsKeepTheirPlaces, WhenTheFilterGoesOff) {
    const TShownRowsCase& c = GetParam();
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    auto* grid = new TGkStringGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 280, 280);
    form.Show();
    ASSERT_TRUE(WaitForFocus(grid));
    FillAndFilter(*grid);
    ASSERT_EQ(Column0(*grid), (std::vector<String>{"H", "a1", "a2", "a3"}));

    c.Op(grid);
    EXPECT_EQ(Column0(*grid), c.Shown);
    grid->SetFilterActive(false);
    EXPECT_EQ(Column0(*grid), c.After);
    EXPECT_EQ(grid->HiddenRowTotal(), 0);
    for (int r = 0; r < grid->RowCount(); ++r) {
        const String text = grid->Cells(0, r);
        const bool kept = text.size() == 2 || text == "H";
        EXPECT_EQ(grid->Cells(1, r), kept ? "v" + text : String()) << "row " << r;
    }
}

void TypeNew(TGkStringGrid* g, int row) { g->SetCells(0, row, "NEW"); }

INSTANTIATE_TEST_SUITE_P(
    Operations, HiddenRowsKeepTheirPlaces,
    ::testing::Values(
        TShownRowsCase{"DeleteRowRange", [](TGkStringGrid* g) { g->DeleteRowRange(2, 1); },
                       {"H", "a1", "a3"}, {"H", "a1", "b1", "b2", "a3", "b3"}},
        TShownRowsCase{"DeleteKey",
                       [](TGkStringGrid* g) {
                           g->Navigation()->AllowDeleteRow = true;
                           g->FocusCell(1, 2, true);
                           SimulateKey(g, VK_DELETE);
                       },
                       {"H", "a1", "a3"}, {"H", "a1", "b1", "b2", "a3", "b3"}},
        TShownRowsCase{"DeleteTwoShownRows", [](TGkStringGrid* g) { g->DeleteRowRange(1, 2); },
                       {"H", "a3"}, {"H", "b1", "b2", "a3", "b3"}},
        TShownRowsCase{"DeleteTheLastShownRow", [](TGkStringGrid* g) { g->DeleteRowRange(3, 1); },
                       {"H", "a1", "a2"}, {"H", "a1", "b1", "a2", "b2", "b3"}},
        // The grid keeps one data row under the heading: the last of the
        // three is emptied, not removed.
        TShownRowsCase{"DeleteEveryShownRow", [](TGkStringGrid* g) { g->DeleteRowRange(1, 3); },
                       {"H", ""}, {"H", "b1", "b2", "", "b3"}},
        TShownRowsCase{"InsertRowRange",
                       [](TGkStringGrid* g) {
                           g->InsertRowRange(2, 1);
                           TypeNew(g, 2);
                       },
                       {"H", "a1", "NEW", "a2", "a3"}, {"H", "a1", "b1", "NEW", "a2", "b2", "a3", "b3"}},
        TShownRowsCase{"InsertKey",
                       [](TGkStringGrid* g) {
                           g->Navigation()->AllowInsertRow = true;
                           g->Navigation()->InsertPosition = pInsertBefore;
                           g->FocusCell(1, 2, true);
                           SimulateKey(g, VK_INSERT);
                           TypeNew(g, 2);
                       },
                       {"H", "a1", "NEW", "a2", "a3"}, {"H", "a1", "b1", "NEW", "a2", "b2", "a3", "b3"}},
        TShownRowsCase{"InsertAboveTheFirstShownRow",
                       [](TGkStringGrid* g) {
                           g->InsertRowRange(1, 2);
                           TypeNew(g, 1);
                       },
                       {"H", "NEW", "", "a1", "a2", "a3"},
                       {"H", "NEW", "", "a1", "b1", "a2", "b2", "a3", "b3"}},
        TShownRowsCase{"InsertAtTheEnd",
                       [](TGkStringGrid* g) {
                           g->InsertRowRange(4, 1);
                           TypeNew(g, 4);
                       },
                       {"H", "a1", "a2", "a3", "NEW"}, {"H", "a1", "b1", "a2", "b2", "a3", "b3", "NEW"}},
        TShownRowsCase{"RowCountSmaller", [](TGkStringGrid* g) { g->SetRowCount(2); }, {"H", "a1"},
                       {"H", "a1", "b1", "b2", "b3"}},
        TShownRowsCase{"RowCountLarger", [](TGkStringGrid* g) { g->SetRowCount(5); },
                       {"H", "a1", "a2", "a3", ""}, {"H", "a1", "b1", "a2", "b2", "a3", "b3", ""}},
        TShownRowsCase{"MoveRowUp", [](TGkStringGrid* g) { g->MoveRow(3, 1); }, {"H", "a3", "a1", "a2"},
                       {"H", "a3", "a1", "b1", "a2", "b2", "b3"}},
        TShownRowsCase{"MoveRowDown", [](TGkStringGrid* g) { g->MoveRow(1, 2); }, {"H", "a2", "a1", "a3"},
                       {"H", "b1", "a2", "b2", "a1", "a3", "b3"}},
        TShownRowsCase{"MoveRowToTheEnd", [](TGkStringGrid* g) { g->MoveRow(1, 3); }, {"H", "a2", "a3", "a1"},
                       {"H", "b1", "a2", "b2", "a3", "b3", "a1"}},
        TShownRowsCase{"DragAFixedCell",
                       [](TGkStringGrid* g) {
                           g->SetOptions(g->Options() | goRowMoving);
                           SimulateDrag(g, FixedCellMid(g, 3), FixedCellMid(g, 1));
                       },
                       {"H", "a3", "a1", "a2"}, {"H", "a3", "a1", "b1", "a2", "b2", "b3"}},
        // Two shown rows trade places; the hidden rows keep theirs.
        TShownRowsCase{"ExchangeRows", [](TGkStringGrid* g) { g->ExchangeRows(1, 3); }, {"H", "a3", "a2", "a1"},
                       {"H", "a3", "b1", "a2", "b2", "a1", "b3"}},
        TShownRowsCase{"SortShownRows",
                       [](TGkStringGrid* g) {
                           g->SortAutoFormat = false;
                           g->SortDirection = sdDescending;
                           g->SetSortColumn(0);
                           g->QSort();
                       },
                       {"H", "a3", "a2", "a1"}, {"H", "a3", "b1", "a2", "b2", "a1", "b3"}}),
    [](const ::testing::TestParamInfo<TShownRowsCase>& info) { return String(info.param.Name); });

// A load that replaces every row takes the hidden rows with the rows they
// stood among and leaves the filter off: the grid then holds what a grid
// that was never filtered holds after the same load.
struct TLoadCase {
    const char* Name;
    std::function<void(TGkStringGrid&, const String& dir)> Load;
};

void PrintTo(const TLoadCase& c, std::ostream* os) { *os << c.Name; }

class LoadsReplaceHiddenRows : public ::testing::TestWithParam<TLoadCase> {};

std::vector<String> AllCells(TGkStringGrid& g) {
    std::vector<String> out;
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c) out.push_back(g.Cells(c, r));
    return out;
}

TEST_P(LoadsReplaceHiddenRows, AndTheFilterIsOff) {
    TTempDir dir;
    TGkStringGrid plain(nullptr), filtered(nullptr);
    FillAndFilter(plain);
    plain.SetFilterActive(false);
    FillAndFilter(filtered);
    ASSERT_EQ(filtered.HiddenRowTotal(), 3);

    GetParam().Load(plain, dir.Path());
    GetParam().Load(filtered, dir.Path());
    EXPECT_FALSE(filtered.FilterActive());
    EXPECT_EQ(filtered.HiddenRowTotal(), 0);
    filtered.SetFilterActive(false);
    EXPECT_EQ(filtered.RowCount(), plain.RowCount());
    EXPECT_EQ(AllCells(filtered), AllCells(plain));
    // The filter works on the loaded rows.
    filtered.SetFilterActive(true);
    filtered.SetFilterActive(false);
    EXPECT_EQ(AllCells(filtered), AllCells(plain));
}

INSTANTIATE_TEST_SUITE_P(
    Loads, LoadsReplaceHiddenRows,
    ::testing::Values(
        TLoadCase{"LoadCellsFromFile",
                  [](TGkStringGrid& g, const String& dir) {
                      const String path = dir + "/three.grid";
                      if (!std::filesystem::exists(path)) {
                          TGkStringGrid source(nullptr);
                          source.SetColCount(2);
                          source.SetRowCount(3);
                          for (int r = 0; r < 3; ++r) {
                              source.SetCells(0, r, "a" + std::to_string(r + 5));
                              source.SetCells(1, r, "w" + std::to_string(r));
                          }
                          source.SaveCellsToFile(path);
                      }
                      g.LoadCellsFromFile(path);
                  }},
        TLoadCase{"ImportDelimitedFile",
                  [](TGkStringGrid& g, const String& dir) {
                      const String path = dir + "/three.csv";
                      WriteAll(path, "a5,x\r\nb6,y\r\na7,z\r\n");
                      g.ImportDelimitedFile(path);
                  }},
        TLoadCase{"ImportWorkbook",
                  [](TGkStringGrid& g, const String&) {
                      g.ImportWorkbook(VELMOR_FIXTURES "/workbooks/book.xlsx", "Data");
                  }}),
    [](const ::testing::TestParamInfo<TLoadCase>& info) { return String(info.param.Name); });

// Rows read from a file that cannot be loaded change nothing: the hidden
// rows stay, and the filter with them.
TEST(HiddenRows, AFileThatCannotBeLoadedKeepsThem) {
    TTempDir dir;
    TGkStringGrid grid(nullptr);
    FillAndFilter(grid);
    const String corrupt = dir.Path() + "/corrupt.grid";
    WriteAll(corrupt, "no size line\r\n");
    EXPECT_THROW(grid.LoadCellsFromFile(corrupt), EGkGridError);
    EXPECT_THROW(grid.ImportWorkbook(VELMOR_FIXTURES "/workbooks/damaged.xlsx"), EGkGridError);
    EXPECT_TRUE(grid.FilterActive());
    grid.SetFilterActive(false);
    EXPECT_EQ(Column0(grid), UnfilteredRows);
}

// Appending keeps the rows that are there, hidden ones too: the new rows
// come after all of them.
TEST(HiddenRows, AnAppendingImportKeepsThem) {
    TTempDir dir;
    TGkStringGrid grid(nullptr);
    FillAndFilter(grid);
    const String path = dir.Path() + "/more.csv";
    WriteAll(path, "a9,x\r\nb9,y\r\n");
    grid.ImportDelimitedFile(path, true);
    EXPECT_TRUE(grid.FilterActive());
    EXPECT_EQ(Column0(grid), (std::vector<String>{"H", "a1", "a2", "a3", "a9", "b9"}));
    grid.SetFilterActive(false);
    EXPECT_EQ(Column0(grid), (std::vector<String>{"H", "a1", "b1", "a2", "b2", "a3", "b3", "a9", "b9"}));
}

// Emptying every cell empties the hidden rows too: they come back empty,
// in their places, rather than bringing old texts into a cleared grid.
TEST(HiddenRows, ClearAllCellsEmptiesThem) {
    TGkStringGrid grid(nullptr);
    FillAndFilter(grid);
    grid.ClearAllCells();
    EXPECT_EQ(grid.HiddenRowTotal(), 3);
    grid.SetFilterActive(false);
    EXPECT_EQ(grid.RowCount(), 7);
    EXPECT_EQ(AllCells(grid), std::vector<String>(14));
}

}  // namespace
