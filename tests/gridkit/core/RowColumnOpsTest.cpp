// Inserting, deleting and clearing ranges of rows and columns: contents
// and sizes move together, and the heading row stays a heading.
#include <gtest/gtest.h>

#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/MouseActions.h"

namespace {

// A grid of 3 columns: a heading row "H" and data rows "r1".."rN" in
// column 1, each row's height 20 + its number.
void Fill(TGkStringGrid& g, int dataRows) {
    g.SetColCount(3);
    g.SetRowCount(dataRows + 1);
    g.SetCells(1, 0, "H");
    g.SetRowHeights(0, 30);
    for (int r = 1; r <= dataRows; ++r) {
        g.SetCells(1, r, "r" + std::to_string(r));
        g.SetRowHeights(r, 20 + r);
    }
}

String Column1(TGkStringGrid& g) {
    String s;
    for (int r = 0; r < g.RowCount(); ++r) s += (r ? "|" : "") + g.Cells(1, r);
    return s;
}

struct RowOpCase {
    const char* name;
    bool insert;
    int row, count;
    String after;
    int heightAt, height;  // one row height to check afterwards
};

class GkRowOps : public ::testing::TestWithParam<RowOpCase> {};

TEST_P(GkRowOps, MovesContentAndHeights) {
    const RowOpCase& k = GetParam();
    TGkStringGrid g(nullptr);
    Fill(g, 4);
    if (k.insert) g.InsertRowRange(k.row, k.count);
    else g.DeleteRowRange(k.row, k.count);
    EXPECT_EQ(Column1(g), k.after);
    EXPECT_EQ(g.RowHeights(k.heightAt), k.height);
    EXPECT_EQ(g.FixedRows(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, GkRowOps,
    ::testing::Values(
        RowOpCase{"InsertFirstDataRow", true, 1, 2, "H|||r1|r2|r3|r4", 1, 21},
        RowOpCase{"InsertMiddle", true, 3, 1, "H|r1|r2||r3|r4", 4, 23},
        RowOpCase{"InsertAtEnd", true, 5, 2, "H|r1|r2|r3|r4||", 6, 21},
        RowOpCase{"DeleteFirstDataRow", false, 1, 1, "H|r2|r3|r4", 1, 22},
        RowOpCase{"DeleteMiddle", false, 2, 2, "H|r1|r4", 2, 24},
        RowOpCase{"DeleteLast", false, 4, 1, "H|r1|r2|r3", 3, 23},
        RowOpCase{"DeleteBeyondEndStopsAtEnd", false, 3, 9, "H|r1|r2", 2, 22},
        // Every data row: one empty data row stays below the heading.
        RowOpCase{"DeleteAllDataRows", false, 1, 4, "H|", 0, 30}),
    [](const ::testing::TestParamInfo<RowOpCase>& i) { return String(i.param.name); });

TEST(GkRowOpsFixed, HeadingNeverBecomesDataAndFixedCountComesBack) {
    TGkStringGrid g(nullptr);
    Fill(g, 2);
    g.SetFixedRows(1);
    g.FocusCell(1, 2, true);
    g.DeleteRowRange(1, 2);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.Cells(1, 0), "H");
    EXPECT_EQ(g.Row(), 1);
    g.DeleteRow(1);  // the base deletion takes the same road
    EXPECT_EQ(g.FixedRows(), 1);

    // Shrinking by hand lowers the fixed rows; room brings them back.
    g.SetRowCount(1);
    EXPECT_EQ(g.FixedRows(), 0);
    g.InsertRowRange(1, 1);
    EXPECT_EQ(g.FixedRows(), 1);
    g.SetRowCount(1);
    g.SetRowCount(3);
    EXPECT_EQ(g.FixedRows(), 1);
}

TEST(GkRowOpsShift, RemoveRowsShiftedKeepsOrMovesTheCurrentRow) {
    TGkStringGrid g(nullptr);
    Fill(g, 5);
    g.FocusCell(1, 2, true);
    g.RemoveRowsShifted(3, 2);
    EXPECT_EQ(Column1(g), "H|r1|r2|r5");
    EXPECT_EQ(g.Row(), 2);
    g.FocusCell(1, 3, true);
    g.RemoveRowsShifted(2, 2);
    EXPECT_EQ(Column1(g), "H|r1");
    EXPECT_EQ(g.Row(), 1);
}

TEST(GkRowOpsMarks, DisjunctSelectionMarksGoWithTheirRows) {
    for (bool disjunct : {false, true}) {
        TGkStringGrid g(nullptr);
        Fill(g, 5);
        g.MouseActions()->DisjunctRowSelect = disjunct;
        g.SetRowMarked(4, true);
        g.DeleteRowRange(1, 2);
        // With disjunct selection the mark follows row r4 to index 2.
        EXPECT_EQ(g.RowMarked(2), disjunct);
        EXPECT_EQ(g.RowMarked(3), false);
        EXPECT_EQ(Column1(g), "H|r3|r4|r5");
    }
}

TEST(GkColumnOps, InsertRemoveAndClearColumns) {
    TGkStringGrid g(nullptr);
    g.SetColCount(4);
    g.SetRowCount(2);
    for (int c = 0; c < 4; ++c) {
        g.SetCells(c, 1, "c" + std::to_string(c));
        g.SetColWidths(c, 40 + c);
    }
    auto row1 = [&] {
        String s;
        for (int c = 0; c < g.ColCount(); ++c) s += (c ? "|" : "") + g.Cells(c, 1);
        return s;
    };
    g.InsertColumnRange(1, 2);
    EXPECT_EQ(row1(), "c0|||c1|c2|c3");
    EXPECT_EQ(g.ColWidths(1), g.DefaultColWidth());
    EXPECT_EQ(g.ColWidths(3), 41);
    g.InsertColumnRange(g.ColCount(), 1);
    EXPECT_EQ(row1(), "c0|||c1|c2|c3|");
    g.RemoveColumnRange(1, 2);
    EXPECT_EQ(row1(), "c0|c1|c2|c3|");
    EXPECT_EQ(g.ColWidths(1), 41);
    g.RemoveColumnRange(4, 1);
    g.RemoveColumnRange(2, 1);
    EXPECT_EQ(row1(), "c0|c1|c3");
    g.RemoveColumnRange(1, 5);  // the fixed column keeps one data column
    EXPECT_EQ(row1(), "c0|");
    EXPECT_EQ(g.FixedCols(), 1);
}

TEST(GkClear, ClearCellRectEmptiesOnlyTheRectangle) {
    TGkStringGrid g(nullptr);
    for (int c = 0; c < 5; ++c)
        for (int r = 0; r < 5; ++r) g.SetCells(c, r, "x");
    g.ClearCellRect(1, 1, 2, 3);
    EXPECT_EQ(g.Cells(1, 1), "");
    EXPECT_EQ(g.Cells(2, 3), "");
    EXPECT_EQ(g.Cells(3, 3), "x");
    EXPECT_EQ(g.Cells(1, 4), "x");
    g.ClearCellRect(0, 4, 4, 3);  // rows reversed: nothing
    EXPECT_EQ(g.Cells(0, 4), "x");
    g.ClearRowRange(4, 1);
    EXPECT_EQ(g.Cells(4, 4), "");
    g.ClearColumnRange(0, 1);
    EXPECT_EQ(g.Cells(0, 0), "");
    EXPECT_EQ(g.Cells(3, 0), "x");
    g.ClearAllCells();
    EXPECT_EQ(g.Cells(3, 0), "");
}

}  // namespace
