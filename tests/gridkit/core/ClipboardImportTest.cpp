// Blocks of cells through the clipboard, smart paste, and the imports.
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/Clipboard.h"
#include "framework/rtl/DateTime.h"
#include "gridkit/grid/GkGridError.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/Navigation.h"
#include "support/TempDir.h"

namespace {

struct ClipboardGrid : ::testing::Test {
    TGkStringGrid Grid{nullptr};
    void SetUp() override {
        Grid.SetColCount(3);
        Grid.SetRowCount(6);
        Grid.SetFixedCols(0);
        Grid.SetFixedRows(0);
        Grid.SetOptions(Grid.Options() | goEditing);
    }
    std::vector<String> Column(int c) {
        std::vector<String> out;
        for (int r = 0; r < Grid.RowCount(); ++r) out.push_back(Grid.Cells(c, r));
        return out;
    }
};

TEST_F(ClipboardGrid, CopyMakesTabSeparatedRowsWithoutAFinalLineEnd) {
    Grid.SetCells(0, 0, "a");
    Grid.SetCells(1, 0, "b");
    Grid.SetCells(0, 1, "c");
    Grid.CopyCellBlock(TGridRect{0, 0, 1, 1});
    EXPECT_EQ(Clipboard()->AsText(), "a\tb\r\nc\t");

    // Pasted at (2,3) of a three-column grid: it widens and counts 4.
    EXPECT_EQ(Grid.PasteAtCell(2, 3), 4);
    EXPECT_EQ(Grid.ColCount(), 4);
    EXPECT_EQ(Grid.Cells(3, 3), "b");
    EXPECT_EQ(Grid.Cells(2, 4), "c");

    // Tags go unless they are to be kept.
    Grid.SetCells(0, 5, "<b>bold</b>");
    Grid.Navigation()->CopyHTMLTagsToClipboard = false;
    Grid.CopyCellBlock(TGridRect{0, 5, 0, 5});
    EXPECT_EQ(Clipboard()->AsText(), "bold");
}

TEST_F(ClipboardGrid, RichTextGoesOutAsTextAndAsRichTextAndComesBackWhole) {
    const String rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 \\b bold\\b0  text\\par second}";
    const TClipboardFormat richFormat = RegisterClipboardFormat("Rich Text Format");
    Grid.SetCells(0, 0, rtf);
    Grid.SetCells(1, 0, "plain");
    Grid.Navigation()->AllowRTFClipboard = true;
    Grid.CopyCellBlock(TGridRect{0, 0, 1, 0});
    EXPECT_EQ(Clipboard()->AsText(), "bold text\r\nsecond\tplain");  // the cell's plain text
    ASSERT_TRUE(Clipboard()->HasFormat(richFormat));
    EXPECT_EQ(Clipboard()->GetAsFormat(richFormat), rtf);

    // Rich text on the clipboard goes into one cell as it is.
    EXPECT_EQ(Grid.PasteAtCell(2, 3), 0);
    EXPECT_EQ(Grid.Cells(2, 3), rtf);
    // Without AllowRTFClipboard only the text goes either way.
    Grid.Navigation()->AllowRTFClipboard = false;
    Grid.CopyCellBlock(TGridRect{0, 0, 0, 0});
    EXPECT_FALSE(Clipboard()->HasFormat(richFormat));
    Clipboard()->Open();
    Clipboard()->SetAsText("t");
    Clipboard()->SetAsFormat(richFormat, rtf);
    Clipboard()->Close();
    EXPECT_EQ(Grid.PasteAtCell(2, 4), 1);
    EXPECT_EQ(Grid.Cells(2, 4), "t");
}

TEST_F(ClipboardGrid, ATrailingLineEndEmptiesTheNextRowsCellWithoutAddingARow) {
    Grid.SetCells(0, 1, "old");
    EXPECT_EQ(Grid.PasteTextAt(0, 0, "x\r\n"), 2);
    EXPECT_EQ(Grid.Cells(0, 0), "x");
    EXPECT_EQ(Grid.Cells(0, 1), "");
    EXPECT_EQ(Grid.RowCount(), 6);
    // More text than rows adds rows; no editing, no paste.
    EXPECT_EQ(Grid.PasteTextAt(0, 5, "1\r\n2\r\n3"), 3);
    EXPECT_EQ(Grid.RowCount(), 8);
    Grid.SetOptions(Grid.Options() & ~goEditing);
    EXPECT_EQ(Grid.PasteTextAt(0, 0, "y"), 0);
    EXPECT_EQ(Grid.Cells(0, 0), "x");
}

TEST_F(ClipboardGrid, CutEmptiesOnlyEditableCells) {
    Grid.SetCells(0, 0, "keep");
    Grid.SetCells(1, 0, "go");
    Grid.OnCanEditCell = [](TObject*, int, int col, bool& can) { can = col != 0; };
    Grid.SetOptions(Grid.Options() | goRangeSelect);
    Grid.SetSelection(TGridRect{0, 0, 1, 0});
    Grid.CutSelection();
    EXPECT_EQ(Clipboard()->AsText(), "keep\tgo");
    EXPECT_EQ(Grid.Cells(0, 0), "keep");
    EXPECT_EQ(Grid.Cells(1, 0), "");
}

struct TSeriesCase {
    const char* First;
    const char* Second;
    std::vector<String> Expected;
};

class SmartPaste : public ::testing::TestWithParam<TSeriesCase> {};

TEST_P(SmartPaste, TwoValuesContinueAsASeries) {
    const TSeriesCase& c = GetParam();
    TFormatSettings saved = FormatSettings();
    FormatSettings().DecimalSeparator = '.';
    FormatSettings().DateSeparator = '/';
    FormatSettings().ShortDateFormat = "m/d/yyyy";
    TGkStringGrid grid(nullptr);
    grid.SetColCount(1);
    grid.SetRowCount(5);
    grid.SetFixedCols(0);
    grid.SetFixedRows(0);
    grid.SetOptions(grid.Options() | goEditing | goRangeSelect);
    grid.Navigation()->AllowSmartClipboard = true;
    Clipboard()->SetAsText(String(c.First) + "\r\n" + c.Second);
    grid.SetSelection(TGridRect{0, 0, 0, 4});
    grid.PasteIntoSelection();
    std::vector<String> got;
    for (int r = 0; r < 5; ++r) got.push_back(grid.Cells(0, r));
    EXPECT_EQ(got, c.Expected);
    FormatSettings() = saved;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SmartPaste,
    ::testing::Values(TSeriesCase{"1", "3", {"1", "3", "5", "7", "9"}},
                      TSeriesCase{"1.5", "2", {"1.5", "2", "2.5", "3", "3.5"}},
                      TSeriesCase{"1/30/2024", "1/31/2024", {"1/30/2024", "1/31/2024", "2/1/2024", "2/2/2024", "2/3/2024"}},
                      // Month by month, the day kept.
                      TSeriesCase{"1/15/2024", "2/15/2024", {"1/15/2024", "2/15/2024", "3/15/2024", "4/15/2024", "5/15/2024"}},
                      // A smaller month or day number in the second date: nothing
                      // written beyond the paste.
                      TSeriesCase{"5/1/2024", "3/1/2025", {"5/1/2024", "3/1/2025", "", "", ""}}));

TEST_F(ClipboardGrid, OneValueFillsTheSelectionAndATrailingLineEndStopsASeries) {
    Grid.SetOptions(Grid.Options() | goRangeSelect);
    Grid.Navigation()->AllowSmartClipboard = true;
    Clipboard()->SetAsText("7");
    Grid.SetSelection(TGridRect{0, 0, 1, 2});
    Grid.PasteIntoSelection();
    EXPECT_EQ(Grid.Cells(1, 2), "7");
    Clipboard()->SetAsText("1\r\n2\r\n");
    Grid.SetSelection(TGridRect{2, 0, 2, 4});
    Grid.PasteIntoSelection();
    EXPECT_EQ(Column(2), (std::vector<String>{"1", "2", "", "", "", ""}));
}

struct ImportFixture : ::testing::Test {
    TTempDir Dir;
    TGkStringGrid Grid{nullptr};
    String File(const String& name, const String& bytes) {
        const String path = Dir.Path() + "/" + name;
        WriteAll(path, bytes);
        return path;
    }
};

TEST_F(ImportFixture, DetectsTheDelimiterFromTheFirstTwoLines) {
    Grid.ImportDelimitedFile(File("semi.csv", "a;b;c\r\n1;2;3\r\n"));
    EXPECT_EQ(Grid.RowCount(), 2);
    EXPECT_EQ(Grid.Cells(2, 0), "c");
    EXPECT_EQ(Grid.Cells(1, 1), "2");

    // Counts 1 and 2: no comma delimiter, whole lines in column 0.
    TGkStringGrid other(nullptr);
    other.ImportDelimitedFile(File("uneven.csv", "a,b\na,b,c\n"));
    EXPECT_EQ(other.Cells(0, 0), "a,b");
    EXPECT_EQ(other.Cells(0, 1), "a,b,c");
}

TEST_F(ImportFixture, QuotedFieldsAndATrailingDelimiter) {
    Grid.Delimiter = ',';
    Grid.ImportDelimitedFile(File("q.csv", "x,\"a\"\"b\",z\r\nlast,\r\n\"only\"\"one\"\r\n"));
    EXPECT_EQ(Grid.Cells(0, 0), "x");
    EXPECT_EQ(Grid.Cells(1, 0), "a\"b");
    EXPECT_EQ(Grid.Cells(2, 0), "z");
    EXPECT_EQ(Grid.Cells(0, 1), "last");
    EXPECT_EQ(Grid.Cells(1, 1), "");
    EXPECT_EQ(Grid.Cells(0, 2), "only\"one");
    EXPECT_EQ(Grid.Delimiter, ',');

    std::vector<short> progress;
    Grid.OnFileProgress = [&](TObject*, short p) { progress.push_back(p); };
    Grid.ImportDelimitedFile(File("two.csv", "1,2\r\n3,4\r\n"), true);
    EXPECT_EQ(Grid.Cells(1, 4), "4");
    EXPECT_EQ(progress, (std::vector<short>{50, 100}));
}

TEST_F(ImportFixture, ErrorsAreTheKitsOwn) {
    try {
        Grid.ImportDelimitedFile(Dir.Path() + "/missing.csv");
        FAIL();
    } catch (const EGkGridError& e) {
        EXPECT_EQ(e.Message, "Cannot open file " + Dir.Path() + "/missing.csv");
    }
    try {
        Grid.ImportWorkbook(File("book.xls", "x"));
        FAIL();
    } catch (const EGkGridError& e) {
        EXPECT_EQ(e.Message, "Cannot open workbook " + Dir.Path() + "/book.xls");
    }
}

}  // namespace
