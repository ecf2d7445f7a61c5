// Hidden rows and the filter: rows leave the grid with their texts and
// come back in their old places; filter expressions as a table.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gridkit/grid/Filter.h"
#include "gridkit/grid/GkStringGrid.h"

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

}  // namespace
