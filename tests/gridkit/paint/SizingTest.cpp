// Columns and rows fitted to what their cells show, and the layout
// operations around them. Expected sizes come from the same fonts'
// measures, so they hold whatever the installed faces are.
#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "gridkit/grid/CellGraphic.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/MouseActions.h"

namespace {

class GkSizing : public ::testing::Test {
protected:
    void SetUp() override {
        g.SetColCount(4);
        g.SetRowCount(4);
        g.Font()->SetName("Arial");
        g.Font()->SetSize(10);
        g.FixedFont()->Assign(g.Font());
    }
    int TextWidth(const String& s, int size = 10) {
        TFont f;
        f.Assign(g.Font());
        f.SetSize(size);
        g.Canvas()->Font()->Assign(&f);
        return g.Canvas()->TextWidth(s);
    }
    int LineHeight(int size = 10) {
        TFont f;
        f.Assign(g.Font());
        f.SetSize(size);
        g.Canvas()->Font()->Assign(&f);
        return g.Canvas()->TextHeight("gh");
    }
    TGkStringGrid g{nullptr};
};

TEST_F(GkSizing, ColumnsFitTheirWidestCell) {
    g.SetColWidths(0, 33);
    g.SetCells(0, 1, "a fixed column keeps its width");
    g.SetCells(1, 0, "Heading");
    g.SetCells(1, 1, "ab");
    g.SetCells(1, 2, "a much longer text");
    g.SetAutoSize(true);
    EXPECT_EQ(g.ColWidths(0), 33);
    EXPECT_EQ(g.ColWidths(1), TextWidth("a much longer text") + 4 + 10);
    EXPECT_EQ(g.ColWidths(2), 4 + 10);  // empty: the margin and the padding
    g.AutoSizeColumns(true, 0);
    EXPECT_EQ(g.ColWidths(0), TextWidth("a fixed column keeps its width") + 4);
    EXPECT_EQ(g.ColWidths(1), TextWidth("a much longer text") + 4);
    // Markup is measured as it shows, without its tags.
    g.SetCells(3, 1, "<B>ab</B>");
    g.AutoSizeColumn(3);
    const int markup = g.ColWidths(3);
    EXPECT_LT(markup, TextWidth("<B>ab</B>"));
    g.EnableHTML = false;
    g.AutoSizeColumn(3);
    EXPECT_EQ(g.ColWidths(3), TextWidth("<B>ab</B>") + 4);
}

TEST_F(GkSizing, OnlyGrowNeverNarrows) {
    g.SetCells(1, 1, "short");
    g.SetColWidths(1, 200);
    g.AutoSizeColumn(1, true);
    EXPECT_EQ(g.ColWidths(1), 200);
    g.AutoSizeColumn(1);  // the double click on a border shrinks it
    EXPECT_EQ(g.ColWidths(1), TextWidth("short") + 4);
    g.SetColWidths(1, 5);
    g.AutoSizeColumn(1, true);
    EXPECT_EQ(g.ColWidths(1), TextWidth("short") + 4);
}

TEST_F(GkSizing, RowsFitTheirTallestCell) {
    const int line = LineHeight();
    struct Case {
        const char* text;
        int fontSize;
        int width;
        int expected;
    } cases[] = {
        {"one line", 10, 200, 21},                          // never below DefaultRowHeight
        {"", 10, 200, 21},
        {"big", 28, 200, LineHeight(28) + 4},
        {"a<BR>b<BR>c", 10, 200, 3 * line + 4},            // markup lines
        {"one two one two", 10, TextWidth("one two") + 8, 2 * line + 4},  // word wrap
        {"=1+2", 10, 200, 21},                              // formulas have no height
    };
    for (const Case& c : cases) {
        g.Font()->SetSize(c.fontSize);
        g.SetColWidths(2, c.width);
        g.SetCells(2, 2, c.text);
        g.AutoSizeRow(2);
        const int want = std::max(21, c.expected);
        EXPECT_EQ(g.RowHeights(2), want) << c.text;
    }
}

TEST_F(GkSizing, ZoomWidensColumnsButNotRows) {
    g.SetCells(1, 1, "zoomed text");
    g.SetCells(2, 1, "a<BR>b<BR>c<BR>d");
    g.AutoSizeColumn(1);
    g.AutoSizeRow(1);
    const int width = g.ColWidths(1), height = g.RowHeights(1);
    g.SetZoomLevel(2);
    g.AutoSizeColumn(1);
    g.AutoSizeRow(1);
    EXPECT_EQ(g.ColWidths(1), TextWidth("zoomed text", 12) + 4);
    EXPECT_GT(g.ColWidths(1), width);
    EXPECT_EQ(g.RowHeights(1), height);
    g.SetZoomLevel(50);
    EXPECT_EQ(g.ZoomLevel(), 10);
}

TEST_F(GkSizing, LinesInARow) {
    struct Case {
        const char* a;
        const char* b;
        bool multi;
        int lines;
    } cases[] = {
        {"one\rtwo", "x", true, 2},
        {"one\rtwo", "x", false, 1},
        {"", "", true, 1},
        {"a\r\nb\r\nc", "d\re", true, 3},
    };
    for (const Case& c : cases) {
        g.SetMultilinecells(c.multi);
        g.SetCells(1, 2, c.a);
        g.SetCells(2, 2, c.b);
        EXPECT_EQ(g.MaxLinesInRow(2), c.lines) << c.a << " / " << c.b;
    }
    g.Canvas()->Font()->Assign(g.Font());
    const int t = g.Canvas()->TextHeight("gh");
    g.SetRowHeightForLines(2, 3, 2);
    EXPECT_EQ(g.RowHeights(2), (t + t / 4) * 3 + 2);
}

TEST_F(GkSizing, ExchangedRowsTakeTheirHeightsMarksAndTrackedRow) {
    g.MouseActions()->DisjunctRowSelect = true;
    g.SetCells(1, 1, "first");
    g.SetCells(1, 3, "third");
    g.SetRowHeights(1, 50);
    g.SetRowMarked(3, true);
    g.SetTrackedRow(1);
    EXPECT_EQ(g.ExchangeRows(1, 3), 1);
    EXPECT_EQ(g.Cells(1, 1), "third");
    EXPECT_EQ(g.Cells(1, 3), "first");
    EXPECT_EQ(g.RowHeights(3), 50);
    EXPECT_EQ(g.RowHeights(1), g.DefaultRowHeight());
    EXPECT_TRUE(g.RowMarked(1));
    EXPECT_FALSE(g.RowMarked(3));
    EXPECT_EQ(g.TrackedRow(), 3);
    EXPECT_EQ(g.ExchangeRows(2, 3), 3);
    EXPECT_EQ(g.TrackedRow(), 2);
    EXPECT_EQ(g.ExchangeRows(0, 9), 2);  // outside the grid: nothing moves
    EXPECT_EQ(g.Cells(1, 2), "first");
}

TEST_F(GkSizing, CellGraphicsTakeRoomAndGoWithTheirCells) {
    struct TCounted : TCellGraphic {
        explicit TCounted(int* gone) : Gone(gone) {}
        ~TCounted() override { ++*Gone; }
        int* Gone;
    };
    int gone = 0;
    auto* graphic = new TCounted(&gone);
    graphic->Kind = cgBitmap;
    graphic->Bitmap = std::make_unique<TBitmap>(40, 30);
    g.SetCells(1, 1, "text");
    g.SetObjects(1, 1, graphic);
    g.AutoSizeColumn(1);
    EXPECT_EQ(g.ColWidths(1), TextWidth("text") + 4);  // graphics are off
    g.EnableGraphics = true;
    EXPECT_EQ(g.CellGraphicSize(1, 1).cx, 40);
    g.AutoSizeColumn(1);
    EXPECT_EQ(g.ColWidths(1), TextWidth("text") + 40 + 4);
    g.AutoSizeRow(1);
    TRect r{0, 0, g.ColWidths(1) - 4, 21};
    g.Canvas()->Font()->Assign(g.Font());
    const int textHeight = DrawText(g.Canvas(), "text", r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_EQ(g.RowHeights(1), textHeight + 30 + 4);
    g.ClearCellRect(1, 1, 1, 1);
    EXPECT_EQ(gone, 1);
    EXPECT_EQ(g.Objects(1, 1), nullptr);
    // Whatever is left goes with the grid.
    {
        TGkStringGrid other(nullptr);
        auto* left = new TCounted(&gone);
        other.SetObjects(2, 2, left);
    }
    EXPECT_EQ(gone, 2);
}

TEST_F(GkSizing, SelectedCellsIncludeTheBounds) {
    g.SetOptions(g.Options() | goRangeSelect);
    g.SetSelection(TGridRect{1, 1, 2, 3});
    EXPECT_TRUE(g.IsCellSelected(1, 1));
    EXPECT_TRUE(g.IsCellSelected(2, 3));
    EXPECT_FALSE(g.IsCellSelected(3, 3));
    EXPECT_FALSE(g.IsCellSelected(0, 2));
}

}  // namespace
