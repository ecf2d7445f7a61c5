// Sorting rows: how two cells compare by sort style, the single-column and
// indexed sorts, header clicks, and what moves along with the rows.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/controls/Form.h"
#include "framework/rtl/DateTime.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/MouseActions.h"
#include "gridkit/grid/SortIndexList.h"

namespace {

struct TCompareCase {
    TSortStyle Style;
    const char* A;
    const char* B;
    int Expected;
    const char* Prefix = "";
};

class SortCompare : public ::testing::TestWithParam<TCompareCase> {};

TEST_P(SortCompare, TwoCellsOfAColumn) {
    const TCompareCase& c = GetParam();
    TFormatSettings saved = FormatSettings();
    FormatSettings().DecimalSeparator = '.';
    FormatSettings().ThousandSeparator = ',';
    FormatSettings().ShortDateFormat = "m/d/yyyy";
    FormatSettings().DateSeparator = '/';
    TGkStringGrid grid(nullptr);
    grid.SetColCount(2);
    grid.SetRowCount(3);
    grid.SetCells(1, 1, c.A);
    grid.SetCells(1, 2, c.B);
    grid.OnGetFormat = [&](TObject*, int, TSortStyle& style, String& prefix, String&) {
        style = c.Style;
        prefix = c.Prefix;
    };
    EXPECT_EQ(grid.CompareSortCells(1, 1, 2), c.Expected) << c.A << " vs " << c.B;
    FormatSettings() = saved;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SortCompare,
    ::testing::Values(
        // Decided by the first text: a number against letters compares equal.
        TCompareCase{ssAutomatic, "12", "abc", 0}, TCompareCase{ssAutomatic, "9", "10", -1},
        TCompareCase{ssAutomatic, "1/2/2003", "12/1/2002", 1}, TCompareCase{ssAutomatic, "b", "a", 1},
        TCompareCase{ssAlphabetic, "B", "a", -1}, TCompareCase{ssAlphaNoCase, "B", "a", 1},
        TCompareCase{ssNumeric, "1,000", "5", 0}, TCompareCase{ssFinancial, "1,000", "5", 1},
        TCompareCase{ssNumeric, "", "-3", 1}, TCompareCase{ssNumeric, "2.5", "2.50", 0},
        TCompareCase{ssNumeric, "$5$", "$7", 0, "$"},  // only the first "$" goes: "5$" is no number
        TCompareCase{ssNumeric, "$7", "$5", 1, "$"},
        TCompareCase{ssShortDateEU, "01-02-03", "31-01-03", 1},  // 1 Feb against 31 Jan
        TCompareCase{ssShortDateUS, "01-02-03", "01-31-03", -1},  // 2 Jan against 31 Jan
        TCompareCase{ssShortDateEU, "01.01.30", "01.01.29", 1},   // 1930 and 1929
        TCompareCase{ssShortDateEU, "01.01.03", "01.01.2003", 0},  // a full year stays as written
        TCompareCase{ssShortDateEU, "31-02-03", "", 0},            // impossible: 0
        TCompareCase{ssDate, "not a date", "", 0}, TCompareCase{ssCustom, "x", "y", 0},
        TCompareCase{ssHTML, "<b>b</b>", "a", 1}));

struct SortFixture : ::testing::Test {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TGkStringGrid* Grid = new TGkStringGrid(Form.get());
    void SetUp() override {
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 300, 200);
        Grid->SetColCount(3);
        Fill({"", "b", "a", "c"});
    }
    // Column 1 gets the texts; column 2 remembers where each row started.
    void Fill(const std::vector<String>& texts) {
        Grid->SetRowCount(static_cast<int>(texts.size()));
        for (size_t r = 0; r < texts.size(); ++r) {
            Grid->SetCells(1, static_cast<int>(r), texts[r]);
            Grid->SetCells(2, static_cast<int>(r), "row" + std::to_string(r));
        }
    }
    std::vector<String> Column(int c) const {
        std::vector<String> out;
        for (int r = 0; r < Grid->RowCount(); ++r) out.push_back(Grid->Cells(c, r));
        return out;
    }
};

TEST_F(SortFixture, HeaderClicksSortAndToggleTheDirection) {
    Grid->SetSortShow(true);
    Grid->SortAutoFormat = false;
    int clicked = -1;
    Grid->OnClickSort = [&](TObject*, int col) { clicked = col; };
    Grid->SetRow(2);  // on "a"
    Grid->ClickSort(1, 0);
    EXPECT_EQ(Column(1), (std::vector<String>{"", "a", "b", "c"}));
    EXPECT_EQ(Column(2), (std::vector<String>{"row0", "row2", "row1", "row3"}));  // whole rows move
    EXPECT_EQ(Grid->Row(), 1);  // the current row followed its data
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(Grid->RowCount(), 4);  // the scratch rows are gone again
    Grid->ClickSort(1, 0);
    EXPECT_EQ(Column(1), (std::vector<String>{"", "c", "b", "a"}));
    Grid->ClickSort(1, 0);
    EXPECT_EQ(Column(1), (std::vector<String>{"", "a", "b", "c"}));

    bool allow = false;
    Grid->OnCanSort = [&](TObject*, int, bool& doSort) { doSort = allow; };
    Grid->ClickSort(1, 0);
    EXPECT_EQ(Column(1), (std::vector<String>{"", "a", "b", "c"}));
}

TEST_F(SortFixture, FootersAndTheFixedColumnStayWhereTheyAre) {
    Fill({"", "d", "b", "c", "a"});
    Grid->SetFixedCols(1);
    Grid->SetFixedFooters(1);
    for (int r = 0; r < 5; ++r) Grid->SetCells(0, r, "h" + std::to_string(r));
    Grid->SortNormalCellsOnly = true;
    Grid->SortAutoFormat = false;
    Grid->SetSortColumn(1);
    Grid->QSort();
    EXPECT_EQ(Column(1), (std::vector<String>{"", "b", "c", "d", "a"}));
    EXPECT_EQ(Column(0), (std::vector<String>{"h0", "h1", "h2", "h3", "h4"}));
}

TEST_F(SortFixture, IndexedSortFollowsShiftClicks) {
    Grid->SetSortShow(true);
    Grid->SetSortIndexShow(true);
    Grid->SortAutoFormat = false;
    Fill({"", "x", "y", "x", "y"});
    for (int r = 1; r < 5; ++r) Grid->SetCells(2, r, std::to_string(5 - r));  // 4 3 2 1
    Grid->ClickSort(1, 0);
    Grid->ClickSort(2, ssShift);
    EXPECT_EQ(Column(1), (std::vector<String>{"", "x", "x", "y", "y"}));
    EXPECT_EQ(Column(2), (std::vector<String>{"row0", "2", "4", "1", "3"}));
    Grid->ClickSort(2, ssShift);  // the second column turns descending
    EXPECT_EQ(Column(2), (std::vector<String>{"row0", "4", "2", "3", "1"}));
    Grid->ClickSort(2, 0);  // a plain click leaves only that column
    ASSERT_EQ(Grid->SortIndexList()->Count(), 1);
    EXPECT_EQ(TSortIndexList::ColumnOf(Grid->SortIndexList()->Items(0)), 2);
    EXPECT_EQ(Column(2), (std::vector<String>{"row0", "1", "2", "3", "4"}));
}

TEST_F(SortFixture, AnInconsistentCustomComparisonStaysInsideTheRows) {
    std::vector<String> texts{""};
    for (int i = 0; i < 40; ++i) texts.push_back(std::to_string(i % 7));
    Fill(texts);
    Grid->OnGetFormat = [](TObject*, int, TSortStyle& style, String&, String&) { style = ssCustom; };
    Grid->OnCustomCompare = [](TObject*, const String&, const String&, int& res) { res = 1; };
    Grid->SetSortColumn(1);
    Grid->QSort();
    EXPECT_EQ(Grid->RowCount(), 41);
    Grid->SortDirection = sdDescending;
    Grid->QSort();
    EXPECT_EQ(Grid->RowCount(), 41);
}

TEST_F(SortFixture, ReleaseOnTheHeaderSortsButNotOnItsSizingEdge) {
    Grid->SetSortShow(true);
    Grid->SortAutoFormat = false;
    Grid->SetOptions(Grid->Options() | goColSizing);
    Form->Show();
    const TRect header = Grid->CellRect(1, 0);
    SimulateClick(Grid, header.Right - 2, header.Top + 3);
    EXPECT_EQ(Column(1), (std::vector<String>{"", "b", "a", "c"}));
    SimulateClick(Grid, header.Left + header.Width() / 2, header.Top + 3);
    EXPECT_EQ(Column(1), (std::vector<String>{"", "a", "b", "c"}));
    Form->Hide();
}

}  // namespace
