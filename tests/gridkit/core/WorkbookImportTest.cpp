// Workbooks imported into a grid: each format's values as text, sheets by
// name or the active one, the used range kept in its place, and the errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/controls/Screen.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "framework/system/Workbook.h"
#include "gridkit/grid/GkGridError.h"
#include "gridkit/grid/GkStringGrid.h"
#include "support/TempDir.h"

namespace {

const String Fixtures = VELMOR_FIXTURES "/workbooks/";

struct TBook {
    const char* File;
    // What the library leaves out of the "Data" sheet's cells, by address.
    std::vector<const char*> Missing;
    // The sheet an import without a name takes.
    const char* Active;
};

// The fixtures hold the same cells in every format (fixtures/workbooks/
// make.py). libfreexl reads no formula results and gives booleans as 1
// and 0; liborcus reads neither booleans nor times from .ods. The .xlsx
// files come in the forms writers give them: sheets named from the
// package's root, texts inline (in runs, with a phonetic run that is no
// part of the text), and as openpyxl and XlsxWriter write them (openpyxl
// stores no formula results, and names the active sheet only in the
// workbook's view).
const TBook Books[] = {
    {"book.xlsx", {}, "Offset"},
    {"book.ods", {"E2", "E3", "C4"}, "Data"},
    {"book.xls", {"D2", "D3"}, "Data"},
    {"rooted.xlsx", {}, "Offset"},
    {"inline.xlsx", {}, "Offset"},
    {"openpyxl.xlsx", {"D2", "D3"}, "Offset"},
    {"xlsxwriter.xlsx", {}, "Offset"},
};

struct WorkbookImport : ::testing::TestWithParam<TBook> {
    TGkStringGrid Grid{nullptr};
    TFormatSettings Saved = FormatSettings();
    void SetUp() override {
        FormatSettings() = TFormatSettings{};
        Grid.SetFixedCols(0);
        Grid.SetFixedRows(0);
        Grid.SetColCount(7);
        Grid.SetRowCount(7);
        for (int c = 0; c < 7; ++c)
            for (int r = 0; r < 7; ++r) Grid.SetCells(c, r, "old");
    }
    void TearDown() override { FormatSettings() = Saved; }
    String Path() const { return Fixtures + GetParam().File; }
    String At(const char* address) {
        return Grid.Cells(address[0] - 'A', std::atoi(address + 1) - 1);
    }
    bool IsMissing(const char* address) {
        for (const char* m : GetParam().Missing)
            if (String(m) == address) return true;
        return false;
    }
};

TEST_P(WorkbookImport, ASheetByNameGivesEveryValueAsText) {
    Grid.ImportWorkbook(Path(), "Data");
    EXPECT_EQ(Grid.ColCount(), 5);
    EXPECT_EQ(Grid.RowCount(), 4);
    const struct {
        const char* Address;
        const char* Text;
    } cells[] = {
        {"A1", "Name"},      {"B1", "Amount"},    {"C1", "When"},
        {"A2", "apple"},     {"B2", "3"},         {"C2", "3/15/2024"},
        {"A3", "pear"},      {"B3", "2.5"},       {"C3", "3/15/2024 1:45:30 PM"},
        {"A4", ""},          {"B4", "-7"},        {"C4", "8:30:00 AM"},
        {"D2", "6"},         {"D3", "5"},         {"D4", "x"},
        {"E2", "True"},      {"E3", "False"},
    };
    for (const auto& cell : cells) {
        String expected = IsMissing(cell.Address) ? "" : cell.Text;
        if (String(GetParam().File).ends_with(".xls") && expected == "True") expected = "1";
        if (String(GetParam().File).ends_with(".xls") && expected == "False") expected = "0";
        EXPECT_EQ(At(cell.Address), expected) << cell.Address;
    }
}

TEST_P(WorkbookImport, AUsedRangeAwayFromA1KeepsItsCellsInPlace) {
    Grid.ImportWorkbook(Path(), "Offset");
    EXPECT_EQ(Grid.ColCount(), 4);  // B2:D5 reaches column D and row 5
    EXPECT_EQ(Grid.RowCount(), 5);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 5; ++r) {
            const String expected = c == 1 && r == 1 ? "b2" : c == 3 && r == 4 ? "42" : "";
            EXPECT_EQ(Grid.Cells(c, r), expected) << c << "," << r;
        }

    Grid.ImportWorkbook(Path(), "Empty");
    EXPECT_EQ(Grid.ColCount(), 1);
    EXPECT_EQ(Grid.RowCount(), 1);
    EXPECT_EQ(Grid.Cells(0, 0), "");
}

TEST_P(WorkbookImport, NoSheetNameTakesTheActiveSheetOrTheFirst) {
    Grid.ImportWorkbook(Path());
    if (String(GetParam().Active) == "Offset")
        EXPECT_EQ(Grid.Cells(1, 1), "b2");
    else
        EXPECT_EQ(Grid.Cells(0, 1), "apple");
}

TEST_P(WorkbookImport, AMissingSheetIsAnErrorAndImportsNothing) {
    Screen->SetCursor(crHandPoint);
    try {
        Grid.ImportWorkbook(Path(), "data");  // names match exactly
        FAIL();
    } catch (const EGkGridError& e) {
        EXPECT_EQ(e.Message, "Excel worksheet data not found");
    }
    EXPECT_EQ(Screen->Cursor(), crHandPoint);
    EXPECT_EQ(Grid.ColCount(), 7);
    EXPECT_EQ(Grid.Cells(6, 6), "old");
    Screen->SetCursor(crDefault);
}

INSTANTIATE_TEST_SUITE_P(Formats, WorkbookImport, ::testing::ValuesIn(Books), [](const auto& info) {
    String name = info.param.File;
    return name.starts_with("book.") ? name.substr(5) : name.substr(0, name.find('.'));
});

// Forms of .xlsx cells that spreadsheet programs read, one to a row of the
// sheet (make.py's FORMS): a plain cell of type "str", error values, ISO
// dates, a formula's boolean and error results, an array formula's and a
// shared formula's results, inline strings, one without an address of its
// own.
TEST(WorkbookImportForms, EveryFormOfAnXlsxCellGivesItsValue) {
    struct TDefaultFormats {
        TFormatSettings Saved = FormatSettings();
        TDefaultFormats() { FormatSettings() = TFormatSettings{}; }
        ~TDefaultFormats() { FormatSettings() = Saved; }
    } formats;
    TGkStringGrid grid(nullptr);
    grid.SetFixedCols(0);
    grid.SetFixedRows(0);
    grid.ImportWorkbook(Fixtures + "forms.xlsx", "Forms");
    const struct {
        int Col, Row;
        const char* Text;
    } cells[] = {
        {0, 0, "plain str"}, {0, 1, "#N/A"}, {0, 2, "3/15/2024 1:45:30 PM"}, {0, 3, "3/15/2024"},
        {0, 4, "True"},      {0, 5, "#DIV/0!"}, {0, 6, "1"}, {0, 7, "2"}, {0, 8, "9"}, {0, 9, "10"},
        {0, 10, "a11"},      {1, 10, " b11 & "},
    };
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(grid.RowCount(), 11);
    for (const auto& cell : cells) EXPECT_EQ(grid.Cells(cell.Col, cell.Row), cell.Text) << cell.Col << "," << cell.Row;
}

TEST(WorkbookImportErrors, WhatIsNoSoundWorkbookCannotBeOpened) {
    TGkStringGrid grid(nullptr);
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.SetCells(2, 2, "kept");
    // Truncated workbooks of each format, an encrypted one, an .xls on
    // which libfreexl overruns a buffer of its own, text named as a
    // workbook, and no file. And .xlsx files with a sheet that cannot be
    // read whole, which must not come in empty or in part: its part is
    // not in the package, a text names a shared string that is not there,
    // a number is no number.
    for (const char* name : {"damaged.xlsx", "damaged.ods", "damaged.xls", "encrypted.xls", "overrun.xls",
                             "notes.xls", "missing.xlsx", "lostsheet.xlsx", "badstring.xlsx", "badnumber.xlsx"}) {
        Screen->SetCursor(crHandPoint);
        try {
            grid.ImportWorkbook(Fixtures + name);
            ADD_FAILURE() << name;
        } catch (const EGkGridError& e) {
            EXPECT_EQ(e.Message, "Cannot open workbook " + Fixtures + name);
        }
        EXPECT_EQ(Screen->Cursor(), crHandPoint) << name;
        EXPECT_EQ(grid.ColCount(), 3) << name;
        EXPECT_EQ(grid.Cells(2, 2), "kept") << name;
    }
    Screen->SetCursor(crDefault);
}

TEST(WorkbookImportErrors, AReadThatRunsPastItsTimeIsStopped) {
    if (!WorkbookReadsHaveTimeLimit()) GTEST_SKIP() << "this build reads workbooks without a time limit";
    // liborcus spends about half a minute on this damaged .ods.
    SetWorkbookTimeLimit(1);
    TGkStringGrid grid(nullptr);
    try {
        grid.ImportWorkbook(Fixtures + "slow.ods");
        ADD_FAILURE();
    } catch (const EGkGridError& e) {
        EXPECT_EQ(e.Message, "Cannot open workbook " + Fixtures + "slow.ods");
    }
    SetWorkbookTimeLimit(0);
}

TEST(WorkbookImportErrors, TheFormatIsToldByTheContentNotTheName) {
    TTempDir dir;
    const struct {
        const char* From;
        const char* To;
    } renamed[] = {{"book.ods", "ods.xls"}, {"book.xls", "xls.xlsx"}, {"book.xlsx", "xlsx.ods"}};
    for (const auto& r : renamed) {
        std::filesystem::copy_file(Fixtures + r.From, dir.File(r.To));
        TGkStringGrid grid(nullptr);
        grid.ImportWorkbook(dir.File(r.To), "Data");
        EXPECT_EQ(grid.Cells(0, 1), "apple") << r.To;
    }
}

// The reader program is started without a shell: a name the shell would
// split, expand or run, or one that looks like an option, is only a name.
TEST(WorkbookImportErrors, AnyFileNameReachesTheReaderAsItIs) {
    TTempDir dir;
    for (const char* name : {"two words.xlsx", "-data.xlsx", "it's \"q\";$(touch ran) `touch ran` *.xlsx"}) {
        std::filesystem::copy_file(Fixtures + "book.xlsx", dir.File(name));
        TGkStringGrid grid(nullptr);
        grid.ImportWorkbook(dir.File(name), "Data");
        EXPECT_EQ(grid.Cells(0, 1), "apple") << name;
    }
    EXPECT_FALSE(std::filesystem::exists("ran"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("ran")));
}

TEST(WorkbookImportErrors, AMissingReaderProgramSaysSoAndImportsNothing) {
    TTempDir dir;
    SetProgramFolderOverride(dir.Path());
    TGkStringGrid grid(nullptr);
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.SetCells(2, 2, "kept");
    try {
        grid.ImportWorkbook(Fixtures + "book.xlsx");
        ADD_FAILURE();
    } catch (const EGkGridError& e) {
        EXPECT_EQ(e.Message, "Cannot open workbook " + Fixtures + "book.xlsx: the workbook reader " +
                                 IncludeTrailingPathDelimiter(dir.Path()) + "velmor-workbook is missing");
    }
    SetProgramFolderOverride("");
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.Cells(2, 2), "kept");
}

}  // namespace
