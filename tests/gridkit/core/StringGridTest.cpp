// The kit's string grid: hooks, typed accessors, advancing, headers, row
// marks, bands and the owner form's resize.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "framework/grids/InplaceEdit.h"
#include "framework/rtl/DateTime.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/grid/Bands.h"
#include "gridkit/grid/ColumnSize.h"
#include "gridkit/grid/GkFormResizeHub.h"
#include "gridkit/grid/GkGridError.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/Navigation.h"

namespace {

// Each hook: what an unassigned event leaves, and the (first, second)
// index its event receives for the cell (column 2, row 5).
TEST(GkHooks, UnassignedKeepsStartValueAndEventsGetTheirOrder) {
    TGkStringGrid g(nullptr);
    g.SetColCount(4);
    g.SetRowCount(8);
    TBrush brush;
    TFont font;
    TPen pen;
    std::vector<std::pair<int, int>> args;

    brush.SetColor(clAqua);
    g.GetCellColor(2, 5, 0, &brush, &font);
    EXPECT_EQ(brush.Color(), clAqua);
    TCellBorders borders = cbTop;
    g.GetCellBorder(2, 5, &pen, borders);
    EXPECT_EQ(borders, cbTop);
    TAlignment al = taCenter;
    g.GetCellAlignment(2, 5, al);
    EXPECT_EQ(al, taCenter);
    TEditorType ed = edNormal;
    g.GetCellEditor(2, 5, ed);
    EXPECT_EQ(ed, edNormal);
    bool fixed = false, canEdit = true, password = false;
    g.IsFixedCell(2, 5, fixed);
    g.CanEditCell(2, 5, canEdit);
    g.IsPasswordCell(2, 5, password);
    EXPECT_FALSE(fixed);
    EXPECT_TRUE(canEdit);
    EXPECT_FALSE(password);
    TSortStyle style = ssNumeric;
    String prefix = "p", suffix = "s";
    g.GetColumnFormat(2, style, prefix, suffix);
    EXPECT_EQ(style, ssNumeric);

    auto rec = [&](int a, int b) { args.push_back({a, b}); };
    g.OnGetCellColor = [&](TObject* s, int r, int c, TGridDrawState, TBrush* b, TFont*) {
        EXPECT_EQ(s, &g);
        rec(r, c);
        b->SetColor(clRed);
    };
    g.OnGetCellBorder = [&](TObject*, int r, int c, TPen*, TCellBorders& bs) { rec(r, c), bs = cbLeft; };
    g.OnGetAlignment = [&](TObject*, int r, int c, TAlignment& a) { rec(r, c), a = taRightJustify; };
    g.OnGetEditorType = [&](TObject*, int c, int r, TEditorType& e) { rec(c, r), e = edComboList; };
    g.OnIsFixedCell = [&](TObject*, int r, int c, bool& v) { rec(r, c), v = true; };
    g.OnCanEditCell = [&](TObject*, int r, int c, bool& v) { rec(r, c), v = false; };
    g.OnIsPasswordCell = [&](TObject*, int r, int c, bool& v) { rec(r, c), v = true; };
    g.OnGetFormat = [&](TObject*, int c, TSortStyle& st, String& p, String&) {
        rec(c, -1), st = ssDate, p = "$";
    };
    g.GetCellColor(2, 5, 0, &brush, &font);
    g.GetCellBorder(2, 5, &pen, borders);
    g.GetCellAlignment(2, 5, al);
    g.GetCellEditor(2, 5, ed);
    g.IsFixedCell(2, 5, fixed);
    g.CanEditCell(2, 5, canEdit);
    g.IsPasswordCell(2, 5, password);
    g.GetColumnFormat(2, style, prefix, suffix);
    EXPECT_EQ(args, (std::vector<std::pair<int, int>>{
                        {5, 2}, {5, 2}, {5, 2}, {2, 5}, {5, 2}, {5, 2}, {5, 2}, {2, -1}}));
    EXPECT_EQ(brush.Color(), clRed);
    EXPECT_EQ(borders, cbLeft);
    EXPECT_EQ(al, taRightJustify);
    EXPECT_EQ(ed, edComboList);
    EXPECT_TRUE(fixed);
    EXPECT_FALSE(canEdit);
    EXPECT_TRUE(password);
    EXPECT_EQ(style, ssDate);
    EXPECT_EQ(prefix, "$");
}

TEST(GkHooks, BandsColourNormalRowsOnly) {
    TGkStringGrid g(nullptr);
    g.SetColCount(4);
    g.SetRowCount(9);
    g.SetFixedFooters(1);
    g.SetFixedRightCols(1);
    g.Bands()->SetActive(true);
    g.Bands()->SetPrimaryLength(2);
    g.Bands()->SetSecondaryLength(1);
    g.Bands()->SetPrimaryColor(clYellow);
    g.Bands()->SetSecondaryColor(clLime);
    auto colourOf = [&](int c, int r) {
        TBrush b;
        TFont f;
        b.SetColor(clWhite);
        g.GetCellColor(c, r, 0, &b, &f);
        return b.Color();
    };
    const TColor expect[] = {clYellow, clYellow, clLime, clYellow, clYellow, clLime, clYellow};
    for (int r = 1; r <= 7; ++r) EXPECT_EQ(colourOf(1, r), expect[r - 1]) << "row " << r;
    EXPECT_EQ(colourOf(1, 0), clWhite);  // heading
    EXPECT_EQ(colourOf(1, 8), clWhite);  // footer
    EXPECT_EQ(colourOf(0, 2), clWhite);  // fixed column
    EXPECT_EQ(colourOf(3, 2), clWhite);  // fixed right column
}

TEST(GkAccessors, TypedReadsAndTheirErrors) {
    TGkStringGrid g(nullptr);
    EXPECT_EQ(g.CellAsInteger(1, 1), 0);
    g.SetCellAsInteger(1, 1, -42);
    EXPECT_EQ(g.Cells(1, 1), "-42");
    EXPECT_EQ(g.CellAsInteger(1, 1), -42);
    for (const char* bad : {"12a", "1.5", "$10", "-"}) {
        g.SetCells(1, 1, bad);
        try {
            (void)g.CellAsInteger(1, 1);
            ADD_FAILURE() << bad;
        } catch (const EGkGridError& e) {
            EXPECT_EQ(e.Message, "Cell does not contain integer value");
        }
    }
    const char keep = FormatSettings().ThousandSeparator;
    FormatSettings().ThousandSeparator = ',';
    g.SetCells(1, 2, "1,234.5");
    EXPECT_DOUBLE_EQ(g.CellAsFloat(1, 2), 1234.5);
    g.SetCells(1, 2, "abc");
    EXPECT_THROW((void)g.CellAsFloat(1, 2), EGkGridError);
    FormatSettings().ThousandSeparator = keep;
    g.SetCellAsFloat(1, 3, 2.5);
    EXPECT_EQ(g.Cells(1, 3), "2.50");

    EXPECT_FALSE(g.RowMarked(4));
    g.SetRowMarked(4, true);
    EXPECT_TRUE(g.RowMarked(4));
    try {
        (void)g.RowMarked(g.RowCount());
        ADD_FAILURE();
    } catch (const EGkGridError& e) {
        EXPECT_EQ(e.Message, "Invalid row accessed");
    }
    EXPECT_THROW(g.SetRowMarked(-1, true), EGkGridError);
    g.ClearRowMarks();
    EXPECT_FALSE(g.RowMarked(4));
}

TEST(GkAccessors, DatesAndSelectedRowMarks) {
    TGkStringGrid g(nullptr);
    TFormatSettings& fs = FormatSettings();
    const TFormatSettings keep = fs;
    fs.ShortDateFormat = "d/m/yyyy";
    fs.DateSeparator = '/';
    g.SetCells(1, 1, "2/3/2004");
    EXPECT_DOUBLE_EQ(g.CellAsDate(1, 1), EncodeDate(2004, 3, 2));
    g.SetCells(1, 1, "no date");
    EXPECT_THROW((void)g.CellAsDate(1, 1), EConvertError);
    fs = keep;

    g.SetOptions(g.Options() | goRangeSelect);
    g.SetSelection({1, 2, 2, 3});
    g.SetRowMarked(3, true);
    g.MarkSelectedRows();
    EXPECT_FALSE(g.RowMarked(1));
    EXPECT_TRUE(g.RowMarked(2));
    EXPECT_TRUE(g.RowMarked(3));
}

TEST(GkHeaders, RowHeadersFillTheFixedColumn) {
    TGkStringGrid g(nullptr);
    g.SetRowCount(2);
    TStringList h;
    h.Add("top");
    h.Add("first");
    h.Add("beyond");
    g.SetRowHeaders(&h);
    EXPECT_EQ(g.Cells(0, 0), "top");
    EXPECT_EQ(g.Cells(0, 1), "first");
    EXPECT_EQ(g.RowCount(), 2);
}

TEST(GkHeaders, ColumnHeadersFillTheHeadingRow) {
    TGkStringGrid g(nullptr);
    g.SetColCount(2);
    TStringList h;
    h.Add("Name");
    h.Add("a\\nb");
    h.Add("beyond");
    g.SetCells(1, 0, "old");
    g.SetColumnHeaders(&h);
    EXPECT_EQ(g.Cells(0, 0), "Name");
    EXPECT_EQ(g.Cells(1, 0), "a\rb");
    EXPECT_EQ(g.ColCount(), 2);
    g.ColumnHeaders()->SetStrings(0, "Changed");  // a change of the list applies at once
    EXPECT_EQ(g.Cells(0, 0), "Changed");
}

// StepToNextCell on a 4 x 4 grid with one fixed row and column: the
// normal cells are columns 1..3 and rows 1..3.
struct StepCase {
    const char* name;
    TAdvanceDirection dir;
    bool forward, insert, allowAdd;
    int col, row;               // start
    int toCol, toRow;           // afterwards
    int colCount, rowCount;     // afterwards
    int added;                  // row or column reported as added, -1 none
};

class GkStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(GkStep, AdvancesAsConfigured) {
    const StepCase& k = GetParam();
    TGkStringGrid g(nullptr);
    g.SetColCount(4);
    g.SetRowCount(4);
    g.Navigation()->AdvanceOnEnter = true;
    g.Navigation()->AdvanceDirection = k.dir;
    g.Navigation()->AdvanceInsert = k.insert;
    int added = -1;
    if (!k.allowAdd) g.OnCanAddRow = [](TObject*, bool& can) { can = false; };
    g.OnAutoAddRow = [&](TObject*, int r) { added = r; };
    g.OnAutoInsertCol = [&](TObject*, int c) { added = c; };
    g.FocusCell(k.col, k.row, true);
    g.StepToNextCell(k.col, k.row, k.forward, false, false);
    EXPECT_EQ(g.Col(), k.toCol);
    EXPECT_EQ(g.Row(), k.toRow);
    EXPECT_EQ(g.ColCount(), k.colCount);
    EXPECT_EQ(g.RowCount(), k.rowCount);
    EXPECT_EQ(added, k.added);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GkStep,
    ::testing::Values(
        StepCase{"NextColumn", adLeftRight, true, false, true, 1, 1, 2, 1, 4, 4, -1},
        StepCase{"WrapToNextRow", adLeftRight, true, false, true, 3, 1, 1, 2, 4, 4, -1},
        StepCase{"LastCellWraps", adLeftRight, true, false, true, 3, 3, 1, 1, 4, 4, -1},
        StepCase{"LastCellAddsRow", adLeftRight, true, true, true, 3, 3, 1, 4, 4, 5, 4},
        StepCase{"AddRefusedStays", adLeftRight, true, true, false, 3, 3, 3, 3, 4, 4, -1},
        StepCase{"NextRow", adTopBottom, true, false, true, 1, 1, 1, 2, 4, 4, -1},
        StepCase{"WrapToNextColumn", adTopBottom, true, false, true, 1, 3, 2, 1, 4, 4, -1},
        StepCase{"LastCellAddsColumn", adTopBottom, true, true, true, 3, 3, 4, 1, 5, 4, 4},
        StepCase{"BackColumn", adLeftRight, false, false, true, 2, 2, 1, 2, 4, 4, -1},
        StepCase{"BackToPreviousRow", adLeftRight, false, false, true, 1, 2, 3, 1, 4, 4, -1},
        StepCase{"BackFromFirstStays", adLeftRight, false, false, true, 1, 1, 1, 1, 4, 4, -1},
        StepCase{"BackToPreviousColumn", adTopBottom, false, false, true, 2, 1, 1, 3, 4, 4, -1}),
    [](const ::testing::TestParamInfo<StepCase>& i) { return String(i.param.name); });

TEST(GkStepRules, NeedsAdvanceOnEnterOrForceAndSkipsFixedCells) {
    TGkStringGrid g(nullptr);
    g.SetColCount(4);
    g.SetRowCount(4);
    g.FocusCell(1, 1, true);
    g.StepToNextCell(1, 1, true, false, false);
    EXPECT_EQ(g.Col(), 1);  // AdvanceOnEnter off
    g.OnIsFixedCell = [](TObject*, int, int c, bool& f) { f = c == 2; };
    g.StepToNextCell(1, 1, true, false, true);
    EXPECT_EQ(g.Col(), 3);  // column 2 refuses selection
}

TEST(GkFormHook, GridsLeaveTheFormsResizeWhenFreed) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    int formHandler = 0;
    form.OnResize = [&](TObject*) { ++formHandler; };
    auto* a = new TGkStringGrid(&form);
    auto* b = new TGkStringGrid(&form);
    a->SetParent(&form);
    b->SetParent(&form);
    a->SetBounds(0, 0, 100, 100);
    b->SetBounds(0, 0, 40, 100);
    a->SizeWithForm = b->SizeWithForm = true;
    EXPECT_EQ(TGkFormResizeHub::SubscriberCount(&form), 2);
    form.SetBounds(0, 0, 350, 320);
    EXPECT_EQ(formHandler, 1);
    EXPECT_EQ(a->Width(), 50);
    EXPECT_EQ(a->Height(), 120);
    EXPECT_EQ(b->Width(), 40);  // would shrink to nothing: keeps its size
    delete a;
    form.SetBounds(0, 0, 410, 320);  // the freed grid is not called
    EXPECT_EQ(formHandler, 2);
    EXPECT_EQ(b->Width(), 50);  // its remembered form size was 400 wide
    delete b;
    EXPECT_EQ(TGkFormResizeHub::SubscriberCount(&form), 0);
    form.SetBounds(0, 0, 300, 300);
    EXPECT_EQ(formHandler, 3);  // the form's own handler is back
}

TEST(GkAutoSize, NormalColumnsFitTheirTexts) {
    TGkStringGrid g(nullptr);
    g.SetColCount(4);
    g.SetColWidths(0, 33);
    g.SetCells(0, 1, "a fixed column keeps its width");
    g.SetCells(1, 1, "a");
    g.SetCells(2, 1, "a much longer text");
    g.SetCells(2, 2, "short");
    g.SetAutoSize(true);
    EXPECT_EQ(g.ColWidths(0), 33);
    EXPECT_GT(g.ColWidths(1), 10);
    EXPECT_EQ(g.ColWidths(2), g.MeasureCellText(2, 1).cx + 4 + 10);
    EXPECT_GT(g.ColWidths(2), g.ColWidths(1));
    EXPECT_EQ(g.ColWidths(3), 4 + 10);  // nothing to show: the margin and the padding
    EXPECT_GT(g.MeasureCellText(2, 1).cy, 0);
    g.SetMultilinecells(true);
    g.SetCells(1, 2, "one\r\ntwo");
    EXPECT_EQ(g.MeasureCellText(1, 2).cy, 2 * g.MeasureCellText(1, 1).cy);
}

TEST(GkStretch, LastColumnTakesTheRest) {
    TGkStringGrid g(nullptr);
    g.SetBounds(0, 0, 300, 100);
    g.SetScrollBars(ssNone);
    g.SetColCount(3);
    g.ColumnSize()->SetStretch(true);
    EXPECT_EQ(g.ColWidths(2), 300 - 2 * (64 + 1) - 1);
    g.SetColWidths(0, 100);
    EXPECT_EQ(g.ColWidths(2), 300 - (100 + 1) - (64 + 1) - 1);
}

TEST(GkColumnWidths, KeptInAnIniFileUnderKeyAndSection) {
    const auto ini = std::filesystem::temp_directory_path() / "velmor_gk_widths.ini";
    std::filesystem::remove(ini);
    {
        TGkStringGrid g(nullptr);
        g.SetColCount(4);
        g.SetColWidths(2, 123);
        g.ColumnSize()->Location = clInifile;
        g.ColumnSize()->Key = ini.string();
        g.SaveColumnWidths();  // no section: nothing stored
        EXPECT_FALSE(std::filesystem::exists(ini));
        g.ColumnSize()->Section = "grid1";
        g.SaveColumnWidths();
    }
    ASSERT_TRUE(std::filesystem::exists(ini));
    TGkStringGrid h(nullptr);
    h.SetColCount(4);
    h.SetColWidths(3, 77);
    h.ColumnSize()->Location = clInifile;
    h.ColumnSize()->Key = ini.string();
    h.ColumnSize()->Section = "grid1";
    h.LoadColumnWidths();
    EXPECT_EQ(h.ColWidths(2), 123);
    EXPECT_EQ(h.ColWidths(3), 64);
    std::ofstream(ini, std::ios::trunc) << "[grid1]\r\ncol2=40\r\ncol3=-1\r\n";
    h.SetColWidths(3, 77);
    h.LoadColumnWidths();
    EXPECT_EQ(h.ColWidths(2), 40);
    EXPECT_EQ(h.ColWidths(3), 77);  // -1 keeps the width
    std::filesystem::remove(ini);
}

TEST(GkScrollHint, ThumbPositionNamesTheRow) {
    TGkStringGrid g(nullptr);
    g.SetScrollBars(ssVertical);
    g.SetBounds(0, 0, 400, 462);  // 20 rows of 21 + 1 below the heading
    g.SetRowCount(1000);
    ASSERT_EQ(g.VisibleRowCount(), 20);
    EXPECT_EQ(g.ScrollHintText(true, 127), "Row : 980");
    EXPECT_EQ(g.ScrollHintText(true, 0), "Row : 1");
    g.OnScrollHint = [](TObject*, int row, String& s) { s = "Page " + std::to_string(row); };
    EXPECT_EQ(g.ScrollHintText(true, 127), "Page 980");

    g.ScrollHints = shVertical;
    g.Perform(WM_VSCROLL, TCustomGrid::SB_THUMBTRACK | (500 << 16));
    EXPECT_EQ(g.ScrollHintShown(), "Page 500");
    g.Perform(WM_VSCROLL, TCustomGrid::SB_ENDSCROLL);
    EXPECT_EQ(g.ScrollHintShown(), "");
    g.ScrollHints = shHorizontal;
    g.Perform(WM_VSCROLL, TCustomGrid::SB_THUMBTRACK | (500 << 16));
    EXPECT_EQ(g.ScrollHintShown(), "");
}

TEST(GkScrollBars, ProportionalThumbsTakeTheShareOfRowsShown) {
    TGkStringGrid g(nullptr);
    g.SetScrollBars(ssVertical);
    g.SetBounds(0, 0, 400, 462);  // 20 rows of 21 + 1 below the heading
    g.SetRowCount(1000);
    TCustomGrid::TScrollInfo info;
    EXPECT_FALSE(g.FlatSB_GetScrollInfo(TCustomGrid::SB_VERT, info));  // standard bars until asked
    g.SetScrollType(ssFlat);  // no effect while the bars are standard
    EXPECT_FALSE(g.FlatScrollBars());
    g.SetScrollProportional(true);
    ASSERT_TRUE(g.FlatScrollBars());
    EXPECT_EQ(g.FlatSB_GetScrollProp(TCustomGrid::WSB_PROP_VSTYLE), TCustomGrid::FSB_FLAT_MODE);
    struct Case {
        int rows, page;
    } cases[] = {{1000, 3}, {256, 10}, {100, 26}, {40, 64}, {21, 122}};
    for (const Case& k : cases) {
        g.SetRowCount(k.rows);
        ASSERT_EQ(g.VisibleRowCount(), 20);
        ASSERT_TRUE(g.FlatSB_GetScrollInfo(TCustomGrid::SB_VERT, info));
        EXPECT_EQ(info.Min, 0) << k.rows;
        EXPECT_EQ(info.Max, 127) << k.rows;
        EXPECT_EQ(info.Page, k.page) << k.rows;
    }
    // The thumb stands for the top row on the 0..127 scale, both ways.
    g.SetRowCount(1000);
    g.SetTopRow(980);
    g.FlatSB_GetScrollInfo(TCustomGrid::SB_VERT, info);
    EXPECT_EQ(info.Pos, 127);
    g.Perform(WM_VSCROLL, TCustomGrid::SB_THUMBPOSITION | (64 << 16));
    EXPECT_EQ(g.TopRow(), 1 + MulDiv(64, 979, 127));
    g.SetScrollColor(clRed);
    g.SetScrollWidth(24);
    EXPECT_EQ(g.FlatSB_GetScrollProp(TCustomGrid::WSB_PROP_VBKGCOLOR), static_cast<int>(clRed));
    EXPECT_EQ(g.ClientRect().Right, 400 - 24);
    g.SetScrollProportional(false);
    EXPECT_FALSE(g.FlatScrollBars());
    EXPECT_EQ(g.ClientRect().Right, 400 - 16);
}

TEST(GkView, CenterCellInViewAndParkSelection) {
    TGkStringGrid g(nullptr);
    g.SetScrollBars(ssNone);
    g.SetBounds(0, 0, 400, 462);
    g.SetRowCount(1000);
    g.CenterCellInView(2, 500);
    EXPECT_EQ(g.TopRow(), 490);
    g.CenterCellInView(2, 495);  // visible already: nothing moves
    EXPECT_EQ(g.TopRow(), 490);
    g.FocusCell(2, 3, true);
    g.ParkSelection();
    EXPECT_EQ(g.Selection(), (TGridRect{5, 1000, 5, 1000}));
}

TEST(GkLookup, TypingFindsTheRowByColumnOne) {
    TGkStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(5);
    const char* names[] = {"", "alpha", "beta", "Mike", "mono"};
    for (int r = 1; r < 5; ++r) g.SetCells(1, r, names[r]);
    g.Navigation()->AutoGotoWhenSorted = true;
    g.Perform(WM_CHAR, 'm');
    EXPECT_EQ(g.Row(), 3);
    g.Navigation()->AutoGotoIncremental = true;  // goes on from "M"
    g.Perform(WM_CHAR, 'o');
    EXPECT_EQ(g.Row(), 4);
    g.Perform(WM_CHAR, '\b');
    g.Perform(WM_CHAR, 'i');
    EXPECT_EQ(g.Row(), 3);
}

class GkEditorEnter : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        grid = new TGkStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 380, 260);
        grid->SetColCount(3);
        grid->SetRowCount(3);
        grid->SetOptions(grid->Options() | goEditing);
        grid->Navigation()->AdvanceOnEnter = true;
        grid->Navigation()->AdvanceInsert = true;
        form->Show();
        ASSERT_TRUE(WaitForFocus(grid));
        grid->FocusCell(2, 2, true);
        grid->ShowEditor();
        ASSERT_NE(grid->InplaceEditor(), nullptr);
    }
    void TearDown() override { delete form; }
    TForm* form = nullptr;
    TGkStringGrid* grid = nullptr;
};

TEST_F(GkEditorEnter, OnTheLastCellAddsARow) {
    int added = -1;
    grid->OnAutoAddRow = [&](TObject*, int r) { added = r; };
    SimulateKey(grid->InplaceEditor(), VK_RETURN, "\r");
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(added, 3);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(GkEditorEnter, RefusedAddStaysAndEscapeRestoresTheText) {
    grid->OnCanAddRow = [](TObject*, bool& can) { can = false; };
    grid->SetCells(2, 2, "before");
    grid->HideEditor();
    grid->ShowEditor();
    SimulateKey(grid->InplaceEditor(), 'X', "x");
    EXPECT_EQ(grid->Cells(2, 2), "x");  // the editor starts with its text selected
    SimulateKey(grid->InplaceEditor(), VK_ESCAPE, "\x1b");
    EXPECT_EQ(grid->Cells(2, 2), "before");
    EXPECT_FALSE(grid->EditorMode());
    grid->ShowEditor();
    SimulateKey(grid->InplaceEditor(), VK_RETURN, "\r");
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->Row(), 2);
}

}  // namespace
