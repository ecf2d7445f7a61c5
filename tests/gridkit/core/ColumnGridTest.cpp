// The column grid: one item per column, kept in step with ColCount, and
// the items answering the per-cell hooks before the public events.
#include <gtest/gtest.h>

#include "framework/classes/StringList.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GridColumnCollection.h"
#include "gridkit/grid/GridColumnItem.h"

namespace {

TEST(GkColumnGrid, ItemsFollowTheColumnCount) {
    TGkColumnGrid g(nullptr);
    EXPECT_EQ(g.Columns()->Count(), g.ColCount());
    g.SetColCount(3);
    g.SetColCount(5);
    ASSERT_EQ(g.Columns()->Count(), 5);
    TGridColumnItem* added = g.Columns()->Items(4);
    EXPECT_EQ(added->Width(), 50);
    EXPECT_EQ(added->Alignment(), taLeftJustify);
    EXPECT_EQ(added->Editor, edNormal);
    EXPECT_EQ(added->PrintColor, 16777215);
    EXPECT_EQ(added->BorderPen()->Color(), 12632256);
    EXPECT_EQ(added->DisplayName(), "Column 4");
    g.SetColCount(2);
    EXPECT_EQ(g.Columns()->Count(), 2);
    g.Columns()->Add();  // a new item grows the grid
    EXPECT_EQ(g.ColCount(), 3);
}

TEST(GkColumnGrid, HeaderAndWidthReachTheGrid) {
    TGkColumnGrid g(nullptr);
    g.SetColCount(3);
    g.Columns()->Items(1)->SetHeader("Name");
    EXPECT_EQ(g.Cells(1, 0), "Name");
    g.Columns()->Items(2)->SetWidth(120);
    EXPECT_EQ(g.ColWidths(2), 120);
    g.SetColWidths(1, 77);
    EXPECT_EQ(g.Columns()->Items(1)->Width(), 77);

    TGkColumnGrid noHeading(nullptr);
    noHeading.SetFixedRows(0);
    noHeading.SetCells(1, 0, "data");
    noHeading.Columns()->Items(1)->SetHeader("Name");
    EXPECT_EQ(noHeading.Cells(1, 0), "data");
    EXPECT_EQ(noHeading.Columns()->Items(1)->Header(), "Name");
}

TEST(GkColumnGrid, ItemsAnswerThenEventsMayChange) {
    TGkColumnGrid g(nullptr);
    g.SetColCount(4);
    g.SetRowCount(5);
    TGridColumnItem* c2 = g.Columns()->Items(2);
    c2->SetColor(clYellow);
    c2->SetAlignment(taCenter);
    c2->Editor = edComboList;
    c2->ComboItems()->Add("one");
    c2->ComboItems()->Add("two");
    c2->SpinMin = 1;
    c2->SpinMax = 9;
    c2->SpinStep = 2;
    c2->ReadOnly = true;
    c2->SetPassword(true);
    c2->SetBorders(cbTop | cbBottom);
    c2->EditMask = "999";
    TGridColumnItem* c3 = g.Columns()->Items(3);
    c3->SetFixed(true);

    TBrush brush;
    TFont font;
    TPen pen;
    g.GetCellColor(2, 1, 0, &brush, &font);
    EXPECT_EQ(brush.Color(), clYellow);
    g.GetCellColor(3, 1, 0, &brush, &font);
    EXPECT_EQ(brush.Color(), g.FixedColor());
    brush.SetColor(clWhite);
    g.GetCellColor(2, 0, gdFixed, &brush, &font);  // heading: not a data cell
    EXPECT_EQ(brush.Color(), clWhite);

    TAlignment al = taLeftJustify;
    g.GetCellAlignment(2, 0, al);  // alignment answers in every row
    EXPECT_EQ(al, taCenter);

    TEditorType ed = edNormal;
    g.GetCellEditor(2, 1, ed);
    EXPECT_EQ(ed, edComboList);
    EXPECT_EQ(g.ComboItems()->Count(), 2);
    EXPECT_EQ(g.SpinIncrement, 2);

    bool canEdit = true, fixed = false, password = false;
    g.CanEditCell(2, 1, canEdit);
    EXPECT_FALSE(canEdit);
    canEdit = true;
    g.CanEditCell(3, 1, canEdit);  // fixed columns are not edited either
    EXPECT_FALSE(canEdit);
    g.IsFixedCell(3, 1, fixed);
    EXPECT_TRUE(fixed);
    g.IsPasswordCell(2, 0, password);
    EXPECT_TRUE(password);
    TCellBorders borders = 0;
    g.GetCellBorder(2, 1, &pen, borders);
    EXPECT_EQ(borders, cbTop | cbBottom);
    EXPECT_EQ(pen.Color(), 12632256);

    // The composer refills the combo items in its handler: the event runs
    // after the item and wins.
    g.OnGetEditorType = [](TObject* s, int, int, TEditorType& e) {
        auto* grid = static_cast<TGkColumnGrid*>(s);
        grid->ClearComboItems();
        grid->ComboItems()->Add("from file");
        e = edComboEdit;
    };
    g.OnCanEditCell = [](TObject*, int, int, bool& v) { v = true; };
    ed = edNormal;
    g.GetCellEditor(2, 1, ed);
    EXPECT_EQ(ed, edComboEdit);
    EXPECT_EQ(g.ComboItems()->Count(), 1);
    canEdit = false;
    g.CanEditCell(2, 1, canEdit);
    EXPECT_TRUE(canEdit);

    // A fixed column cannot be selected.
    g.FocusCell(1, 1, true);
    g.FocusCell(3, 1, true);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.KitVersionText(), "1.04, August 2000");
}

TEST(GkColumnGrid, MovingAColumnMovesItsItem) {
    TGkColumnGrid g(nullptr);
    g.SetColCount(4);
    g.Columns()->Items(1)->SetHeader("A");
    g.Columns()->Items(1)->SetColor(clRed);
    g.Columns()->Items(3)->SetHeader("C");
    g.MoveColumn(1, 3);
    EXPECT_EQ(g.Cells(3, 0), "A");
    EXPECT_EQ(g.Columns()->Items(3)->Header(), "A");
    EXPECT_EQ(g.Columns()->Items(3)->Color(), clRed);
    EXPECT_EQ(g.Columns()->Items(2)->Header(), "C");
    EXPECT_EQ(g.Columns()->Count(), 4);
}

}  // namespace
