// The grid cell file: the stored form, round trips, the number reading
// of old files, progress, errors and safe writing; rows whose texts are
// made when first used, and the fast line walk against the plain one.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <tuple>
#include <fstream>
#include <vector>

#include "framework/rtl/FileUtils.h"
#include "gridkit/grid/CellFileLines.h"
#include "gridkit/grid/GkFunctions.h"
#include "gridkit/grid/GkGridError.h"
#include "gridkit/grid/GkStringGrid.h"
#include "support/ProtectedFile.h"

namespace fs = std::filesystem;

namespace {

class CellFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("velmor_cellfile_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    String Path(const char* name) const { return (dir / name).string(); }
    void Write(const String& path, const String& bytes) const {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    String ErrorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const EGkGridError& e) {
            return e.Message;
        }
        return "(no error)";
    }

    fs::path dir;
};

TEST_F(CellFile, WritesTheDocumentedExampleByteForByte) {
    TGkStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(2);
    g.SetColWidths(0, 64);
    g.SetColWidths(1, 64);
    g.SetColWidths(2, 120);
    g.SetCells(1, 0, "a\r\nb");
    g.SetCells(2, 1, "x,y");
    const String path = Path("out.grid");
    g.SaveCellsToFile(path);
    EXPECT_EQ(ReadFileToString(path), ReadFileToString(VELMOR_FIXTURES "/example.grid"));
}

TEST_F(CellFile, ReadsTheDocumentedExample) {
    TGkStringGrid g(nullptr);
    g.SetMultilinecells(true);
    g.LoadCellsFromFile(VELMOR_FIXTURES "/example.grid");
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.ColWidths(2), 120);
    EXPECT_EQ(g.Cells(1, 0), "a\r\nb");
    EXPECT_EQ(g.Cells(2, 1), "x,y");

    TGkStringGrid single(nullptr);  // one line per cell unless told otherwise
    single.LoadCellsFromFile(VELMOR_FIXTURES "/example.grid");
    EXPECT_EQ(single.Cells(1, 0), "a");
}

struct RoundTrip {
    const char* name;
    String text;
    String back;  // what a multi-line grid reads back
};

class CellFileRoundTrip : public CellFile, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(CellFileRoundTrip, TextComesBack) {
    const RoundTrip& k = GetParam();
    TGkStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetCells(1, 1, k.text);
    g.SetCells(2, 2, "neighbour");
    const String path = Path("rt.grid");
    g.SaveCellsToFile(path);

    TGkStringGrid h(nullptr);
    h.SetMultilinecells(true);
    h.LoadCellsFromFile(path);
    EXPECT_EQ(h.Cells(1, 1), k.back);
    EXPECT_EQ(h.Cells(2, 2), "neighbour");  // the text never spills into the next line
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CellFileRoundTrip,
    ::testing::Values(
        RoundTrip{"Plain", "plain text", "plain text"},
        RoundTrip{"Commas", "a,b,c", "a,b,c"},
        RoundTrip{"DigitsWithCommas", "1,234,567.50", "1,234,567.50"},
        RoundTrip{"LeadingComma", ",x", ",x"},
        RoundTrip{"CrLf", "a\r\nb\r\nc", "a\r\nb\r\nc"},
        RoundTrip{"TrailingCrLf", "end\r\n", "end\r\n"},
        // CR and LF are stored one by one, so mixed breaks keep their kind.
        RoundTrip{"LfAmongCrLf", "a\r\nb\nc", "a\r\nb\nc"},
        RoundTrip{"LoneCrBesideLf", "a\rb\nc", "a\rb\nc"},
        RoundTrip{"LfBeforeCr", "a\n\rb", "a\n\rb"},
        // Without CR the text is stored as it is, bare LF included.
        RoundTrip{"BareLf", "a\nb", "a\nb"},
        RoundTrip{"Tab", "col\tcol", "col\tcol"},
        // The format's own limits: TAB and #8 stand for CR and LF, and only
        // a #8 in the stored text says so: CRs without any LF come back as
        // TABs, a TAB beside a line break as a CR, a lone #8 as an LF.
        RoundTrip{"LoneCr", "a\rb", "a\tb"},
        RoundTrip{"BackspaceAlone", "a\bb", "a\nb"},
        RoundTrip{"TabWithLineBreak", "a\tb\r\nc", "a\rb\r\nc"}),
    [](const ::testing::TestParamInfo<RoundTrip>& i) { return String(i.param.name); });

struct NumberCase {
    const char* field;
    int value;
    bool digits;
};

TEST(CellFileNumbers, ReadAsOldFilesWereRead) {
    const NumberCase cases[] = {
        {"12", 12, true},   {" 7", 7, true},     {"+4", 4, true},    {"-5", -5, true},
        {"-5x", 5, true},   {"12a", 12, true},   {"3 rows", 3, true}, {"$1F", 31, true},
        {"0x10", 16, true}, {"0X1g", 1, true},   {"", 0, false},     {"abc", 0, false},
        {"-", 0, false},    {"  ", 0, false},    {"99999999999", 2147483647, true},
    };
    for (const NumberCase& k : cases) {
        bool digits = !k.digits;
        EXPECT_EQ(CellFileNumber(k.field, &digits), k.value) << '"' << k.field << '"';
        EXPECT_EQ(digits, k.digits) << '"' << k.field << '"';
    }
}

TEST_F(CellFile, ReadsAFileWithLfLineEnds) {
    const String path = Path("lf.grid");
    Write(path, "3,2\ncw 0,64\ncw 1,64\ncw 2,120\n1,0,a\t\bb\n2,1,x,y\r\n0,1,last");
    TGkStringGrid g(nullptr);
    g.SetMultilinecells(true);
    g.LoadCellsFromFile(path);
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.ColWidths(2), 120);
    EXPECT_EQ(g.Cells(1, 0), "a\r\nb");
    EXPECT_EQ(g.Cells(2, 1), "x,y");  // a stray CR before the LF is no part of the text
    EXPECT_EQ(g.Cells(0, 1), "last");
}

TEST_F(CellFile, OddLinesOfOldFilesReadAsBefore) {
    const String path = Path("odd.grid");
    Write(path,
          "4,3 rows\r\n"
          "cw 7,50\r\n"       // beyond the columns: skipped
          "cw 1,77\r\n"
          "9,0,x\r\n"         // beyond the columns: skipped
          " 2,1,spaced\r\n"
          "3,-1x,neg\r\n"     // the row reads 1: the sign of a broken number is lost
          "nocomma\r\n"
          "0,2\r\n"           // no text at all: the cell is emptied
          "1,2,lf\ninside\r");
    TGkStringGrid g(nullptr);
    g.SetCells(0, 2, "was here");
    g.LoadCellsFromFile(path);
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.ColWidths(1), 77);
    EXPECT_EQ(g.Cells(2, 1), "spaced");
    EXPECT_EQ(g.Cells(3, 1), "neg");
    EXPECT_EQ(g.Cells(0, 2), "");
    EXPECT_EQ(g.Cells(1, 2), "lf\ninside");
}

TEST_F(CellFile, LoadDoesNotClear) {
    const String path = Path("small.grid");
    Write(path, "2,2\r\n1,1,new\r\n");
    TGkStringGrid g(nullptr);
    g.SetColCount(2);
    g.SetRowCount(2);
    g.SetCells(0, 1, "kept");
    g.SetCells(1, 1, "replaced");
    g.LoadCellsFromFile(path);
    EXPECT_EQ(g.Cells(0, 1), "kept");
    EXPECT_EQ(g.Cells(1, 1), "new");
    g.ClearAllCells();
    g.LoadCellsFromFile(path);
    EXPECT_EQ(g.Cells(0, 1), "");
}

TEST_F(CellFile, ProgressRunsFromZeroToHundred) {
    TGkStringGrid g(nullptr);
    g.SetRowCount(5);
    for (int r = 0; r < 5; ++r) g.SetCells(1, r, "x");
    std::vector<short> seen;
    g.OnFileProgress = [&](TObject* s, short p) {
        EXPECT_EQ(s, &g);
        seen.push_back(p);
    };
    const String path = Path("p.grid");
    g.SaveCellsToFile(path);
    EXPECT_EQ(seen, (std::vector<short>{0, 25, 50, 75, 100}));
    seen.clear();
    g.LoadCellsFromFile(path);
    EXPECT_EQ(seen, (std::vector<short>{0, 25, 50, 75, 100}));

    TGkStringGrid one(nullptr);  // one row: done at once, no division by zero
    one.SetRowCount(1);
    one.SetCells(0, 0, "a");
    one.OnFileProgress = [&](TObject*, short p) { seen.push_back(p); };
    seen.clear();
    one.SaveCellsToFile(path);
    one.LoadCellsFromFile(path);
    EXPECT_EQ(seen, (std::vector<short>{100, 100}));
}

TEST_F(CellFile, ErrorsCarryTheirTexts) {
    TGkStringGrid g(nullptr);
    const String missing = Path("missing.grid");
    EXPECT_EQ(ErrorOf([&] { g.LoadCellsFromFile(missing); }), "Cannot open file " + missing);
    const String badDir = Path("no/such/dir/x.grid");
    EXPECT_EQ(ErrorOf([&] { g.SaveCellsToFile(badDir); }), "Cannot create " + badDir);

    // Size lines that no grid writes are damage, not a grid of one cell.
    const char* corrupt[] = {"",      "\r\n1,1,x", "abc",     "3",      "0,0",       "5,0",
                             "-1,2",  "x,5",       "2,y",     "70000,1", "3000,3000", ",4",
                             // far more cells than a file of a few bytes describes
                             "1000,1000"};
    for (const char* first : corrupt) {
        const String path = Path("bad.grid");
        Write(path, first);
        TGkStringGrid h(nullptr);
        h.SetColCount(7);
        EXPECT_EQ(ErrorOf([&] { h.LoadCellsFromFile(path); }),
                  "File contains no data or corrupt file " + path)
            << '"' << first << '"';
        EXPECT_EQ(h.ColCount(), 7) << '"' << first << '"';  // refused before any change
    }
    const String tall = Path("tall.grid");
    Write(tall, "2,70000\r\n1,69999,last\r\n");
    g.LoadCellsFromFile(tall);  // long tables are fine within the cell limit
    EXPECT_EQ(g.Cells(1, 69999), "last");
}

// Found by fuzzing: widths far beyond any screen (the numbers saturate at
// the largest int) and below -1 are held to what the grid can add up.
TEST_F(CellFile, ColumnWidthsAreKeptWithinReason) {
    TGkStringGrid g(nullptr);
    g.LoadCellsFromFile(String(VELMOR_FIXTURES) + "/huge-column-width.tgs");
    EXPECT_EQ(g.ColWidths(1), 64);
    EXPECT_EQ(g.ColWidths(2), 16384);  // its line runs on over a bare LF into "cw 3"
    const String path = Path("widths.grid");
    Write(path, "3,1\r\ncw 0,-40\r\ncw 1,99999999999\r\ncw 2,16384\r\n");
    g.LoadCellsFromFile(path);
    EXPECT_EQ(g.ColWidths(0), -1);
    EXPECT_EQ(g.ColWidths(1), 16384);
    EXPECT_EQ(g.ColWidths(2), 16384);
}

TEST_F(CellFile, FailedSaveLeavesTheOldFileWhole) {
    const String path = Path("keep.grid");
    Write(path, "old contents");
    TGkStringGrid g(nullptr);
    g.SetCells(1, 1, "new");
    SetSafeWriteHook([](const char* stage) {
        if (String(stage) == "rename") throw EWriteError("simulated failure");
    });
    EXPECT_ANY_THROW(g.SaveCellsToFile(path));
    SetSafeWriteHook(nullptr);
    EXPECT_EQ(ReadFileToString(path), "old contents");
    size_t files = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(dir)) ++files;
    EXPECT_EQ(files, 1u);  // no temporary file left behind
    g.SaveCellsToFile(path);
    EXPECT_NE(ReadFileToString(path), "old contents");
}

// Schemas, profiles and field definitions are cell files: another user's
// read-only one is refused with the grid's own text, not replaced.
TEST(CellFileProtected, SaveIsRefusedAsInAReadOnlyFolder) {
    TGkStringGrid g(nullptr);
    g.SetCells(1, 1, "new");
    const std::string skip = ExpectRefusedAsInAReadOnlyFolder("fields.sbf", "2,2\r\n", [&](const std::string& path) {
        return ErrorTextOf<EGkGridError>([&] { g.SaveCellsToFile(path); });
    });
    if (!skip.empty()) GTEST_SKIP() << skip;
    TProtectedFile file(TProtection::ReadOnlyFile, "fields.sbf", "2,2\r\n");
    EXPECT_EQ(file.RunAsAnotherUser(
                  [&] { return ErrorTextOf<EGkGridError>([&] { g.SaveCellsToFile(file.Path()); }); }),
              "Cannot create " + file.Path());
}

TEST_F(CellFile, SecondFileOperationWhileOneRunsIsRefused) {
    TGkStringGrid g(nullptr);
    g.SetRowCount(3);
    g.SetCells(1, 1, "x");
    const String path = Path("busy.grid");
    const String other = Path("other.grid");
    int refused = 0;
    g.OnFileProgress = [&](TObject*, short) {
        try {
            g.SaveCellsToFile(other);
        } catch (const EGkGridError&) {
            ++refused;
        }
        try {
            g.LoadCellsFromFile(path);
        } catch (const EGkGridError&) {
            ++refused;
        }
    };
    g.SaveCellsToFile(path);
    EXPECT_EQ(refused, 6);  // three progress steps, two refusals each
    EXPECT_FALSE(fs::exists(other));
    refused = 0;
    g.LoadCellsFromFile(path);
    EXPECT_EQ(refused, 2);  // one cell line, one progress step
    g.OnFileProgress = nullptr;
    g.SaveCellsToFile(other);  // free again afterwards
    EXPECT_TRUE(fs::exists(other));
}

TEST(CellTextCoding, EncodeAndDecodeAreThePairOfTheFile) {
    EXPECT_EQ(EncodeCellText("a\r\nb"), "a\t\bb");
    EXPECT_EQ(EncodeCellText("a\rb\nc\r"), "a\tb\bc\t");
    // Files that stored every break as TAB #8 read with CR LF breaks.
    EXPECT_EQ(DecodeCellText("a\t\bb\t\bc", true), "a\r\nb\r\nc");
    EXPECT_EQ(EncodeCellText("no break\there"), "no break\there");
    EXPECT_EQ(DecodeCellText("a\t\bb", true), "a\r\nb");
    EXPECT_EQ(DecodeCellText("a\t\bb", false), "a");
    EXPECT_EQ(DecodeCellText("tab\tonly", true), "tab\tonly");
}

}  // namespace

// A loaded row's texts are made when the row is first used; whatever is
// done first, the grid shows what reading the file at once would show.
TEST_F(CellFile, RowsMadeLaterShowWhatTheFileSaid) {
    const String path = Path("later.grid");
    Write(path,
          "3,5\r\n"
          "0,1,a\r\n1,1,b\r\n"
          "0,2,c\r\n"
          "2,1,second run\r\n"   // row 1 again after row 2
          "1,3,x\t\by\r\n"      // a line break in the text
          "2,4,z\r\n");
    auto loaded = [&](bool multiline) {
        auto g = std::make_unique<TGkStringGrid>(nullptr);
        g->SetMultilinecells(multiline);
        g->SetCells(1, 2, "before");
        g->LoadCellsFromFile(path);
        return g;
    };
    {
        auto g = loaded(true);
        EXPECT_EQ(g->Cells(0, 1), "a");
        EXPECT_EQ(g->Cells(1, 1), "b");
        EXPECT_EQ(g->Cells(2, 1), "second run");
        EXPECT_EQ(g->Cells(1, 2), "before");  // the file leaves it alone
        EXPECT_EQ(g->Cells(1, 3), "x\r\ny");
    }
    {
        // The texts are read as the grid was when loading: a later switch
        // of line handling does not change them.
        auto g = loaded(false);
        g->SetMultilinecells(true);
        EXPECT_EQ(g->Cells(1, 3), "x");
    }
    {
        // Columns that go take their texts along, and a wider grid shows
        // none of them again.
        auto g = loaded(true);
        g->SetColCount(2);
        g->SetColCount(3);
        EXPECT_EQ(g->Cells(2, 1), "");
        EXPECT_EQ(g->Cells(1, 1), "b");
    }
    {
        // A moved row keeps its texts; a column moved with them.
        auto g = loaded(true);
        g->MoveRow(4, 0);
        EXPECT_EQ(g->Cells(2, 0), "z");
        EXPECT_EQ(g->Cells(0, 2), "a");
        g->MoveColumn(0, 2);
        EXPECT_EQ(g->Cells(2, 2), "a");
        EXPECT_EQ(g->Cells(0, 2), "b");
    }
    {
        // A written cell keeps the row's other texts; a second load
        // overwrites only what its file holds.
        auto g = loaded(true);
        g->SetCells(0, 1, "typed");
        EXPECT_EQ(g->Cells(1, 1), "b");
        const String other = Path("other.grid");
        Write(other, "3,5\r\n1,2,from other\r\n");
        g->LoadCellsFromFile(other);
        EXPECT_EQ(g->Cells(0, 1), "typed");
        EXPECT_EQ(g->Cells(0, 2), "c");
        EXPECT_EQ(g->Cells(1, 2), "from other");
        EXPECT_EQ(g->Cells(2, 4), "z");
    }
    {
        // Reading every cell while the load is still going loses nothing.
        TGkStringGrid g(nullptr);
        g.OnFileProgress = [&](TObject*, short) {
            for (int r = 0; r < g.RowCount(); ++r)
                for (int c = 0; c < g.ColCount(); ++c) g.Cells(c, r);
            g.ClearCellRect(g.ColCount(), 0, g.ColCount(), g.RowCount() - 1);  // all rows, no cell
        };
        g.LoadCellsFromFile(path);
        EXPECT_EQ(g.Cells(2, 1), "second run");
        EXPECT_EQ(g.Cells(0, 2), "c");
        EXPECT_EQ(g.Cells(2, 4), "z");
    }
}

// A large file is read in pieces on several processors, unless a progress
// handler wants to look at the grid between lines: both ways give every
// cell and width the same, also for rows whose lines are cut by a piece's
// end, come back later in the file or stand out of order, long lines, width
// lines and lines that are no cells.
TEST_F(CellFile, LargeFilesReadInPiecesAsInOneWalk) {
    const int cols = 6, rows = 9000;
    std::mt19937 random(31);
    String file = std::to_string(cols) + "," + std::to_string(rows) + "\r\n";
    int row = 0;
    while (file.size() < 4'000'000) {
        const unsigned kind = random() % 100;
        if (kind < 60) row = (row + 1) % rows;
        else if (kind < 63) row = static_cast<int>(random() % rows);
        const int cells = 1 + static_cast<int>(random() % cols);
        for (int c = 0; c < cells; ++c) {
            const unsigned odd = random() % 3000;
            const int col = odd < 10 ? cols + 3 : static_cast<int>(random() % cols);
            String text(random() % (odd == 10 ? 600'000 : 60), 'a' + static_cast<char>(random() % 26));
            if (odd > 10 && odd < 40) text += "\t\btwo lines";
            file += std::to_string(col) + "," + std::to_string(row) + "," + text + "\r\n";
            if (odd >= 40 && odd < 50)
                file += "cw " + std::to_string(random() % cols) + "," + std::to_string(random() % 300) + "\r\n";
            if (odd >= 50 && odd < 60) file += "not a cell\r\n";
        }
    }
    const String path = Path("large.grid");
    Write(path, file);
    TGkStringGrid pieces(nullptr), oneWalk(nullptr);
    int progressCalls = 0;
    oneWalk.OnFileProgress = [&](TObject*, short) { ++progressCalls; };
    pieces.LoadCellsFromFile(path);
    oneWalk.LoadCellsFromFile(path);
    EXPECT_GT(progressCalls, 50);
    ASSERT_EQ(pieces.RowCount(), rows);
    for (int c = 0; c < cols; ++c) ASSERT_EQ(pieces.ColWidths(c), oneWalk.ColWidths(c)) << "column " << c;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) ASSERT_EQ(pieces.Cells(c, r), oneWalk.Cells(c, r)) << c << "," << r;
}

// The fast walk over lines and the fast reading of "col,row," against the
// plain reading, on lines of the characters that matter, with line ends
// falling on every side of the walk's 64-byte blocks.
TEST(CellFileLines, FastReadingAgreesWithThePlainOne) {
    auto plainLines = [](const String& data, bool lfLines) {
        std::vector<std::pair<size_t, size_t>> lines;
        size_t pos = 0;
        const size_t n = data.size();
        while (pos < n) {
            const size_t stop = std::min(data.find(lfLines ? '\n' : '\r', pos), n);
            size_t end = stop;
            if (lfLines && end > pos && data[end - 1] == '\r') --end;
            lines.emplace_back(pos, end);
            pos = stop + 1;
            if (!lfLines && pos < n && data[pos] == '\n') ++pos;
        }
        return lines;
    };
    std::mt19937 random(19);
    const char alphabet[] = "0123456789,,,,\r\r\n -x$aF";
    for (int round = 0; round < 400; ++round) {
        String data(random() % 3000, ' ');
        // Lines of a typical shape, some bytes changed at random.
        for (size_t i = 0; i < data.size(); ++i) data[i] = alphabet[random() % (sizeof alphabet - 1)];
        for (size_t i = 0; i + 12 < data.size(); i += 8 + random() % 40) {
            const String line = std::to_string(random() % 12) + "," + std::to_string(random() % 2000000) + ",";
            data.replace(i, std::min(line.size(), data.size() - i), line.substr(0, data.size() - i));
            if (i > 0) data[i - 1] = '\r';
        }
        for (bool lfLines : {false, true}) {
            std::vector<std::pair<size_t, size_t>> fast;
            ForEachCellLine(data.data(), 0, data.size(), lfLines,
                            [&](size_t b, size_t e) { fast.emplace_back(b, e); });
            ASSERT_EQ(fast, plainLines(data, lfLines)) << "round " << round << (lfLines ? " LF" : " CR");
            TCellLineState state;
            for (const auto& [b, e] : fast) {
                int col = -7, row = -7, fastCol = -8, fastRow = -8;
                size_t text = 0, fastText = 1;
                const bool plain = ParseCellLine(data.data(), b, e, col, row, text);
                ASSERT_EQ(ParseCellLineFast(data.data(), b, e, data.size(), state, fastCol, fastRow, fastText), plain);
                if (!plain) continue;
                ASSERT_EQ(std::make_tuple(fastCol, fastRow, fastText), std::make_tuple(col, row, text))
                    << data.substr(b, e - b);
            }
        }
    }
}

// A load hands on only the lines that do not go on with the row of the
// line before; the rows gathered that way must be those of reading every
// line, whatever the lines look like: plain cells, repeated and skipped
// rows, two-digit and too-large columns, six-digit rows, leading zeros,
// blanks, width lines, lines without a comma, line ends on every side of
// the walk's blocks, and the lines cut in pieces anywhere.
TEST(CellFileLines, RowChangesGatherTheRowsOfEveryLine) {
    struct TRun {
        int Row;
        size_t Begin, End;
        bool operator==(const TRun&) const = default;
    };
    const int colCount = 7, rowCount = 400;
    const unsigned colLimit = 7;
    // The gathering of the rows, plainly, given each line's column and row
    // (or none).
    struct TGather {
        std::vector<TRun> Runs;
        int Row = -1;
        size_t Begin = 0, End = 0;
        bool Line(bool cell, int col, int row, size_t b, size_t e) {
            if (!cell || col < 0 || col >= colCount || row < 0 || row >= rowCount) return false;
            if (row != Row) {
                if (Row >= 0) Runs.push_back({Row, Begin, End});
                Row = row;
                Begin = b;
            }
            End = e;
            return true;
        }
        std::vector<TRun> Done() {
            if (Row >= 0) Runs.push_back({Row, Begin, End});
            return Runs;
        }
    };
    std::mt19937 random(23);
    for (int round = 0; round < 300; ++round) {
        String data;
        int row = static_cast<int>(random() % 20);
        const int lines = static_cast<int>(random() % 120);
        for (int i = 0; i < lines; ++i) {
            const unsigned kind = random() % 40;
            if (kind == 0) row = static_cast<int>(random() % rowCount);
            else if (kind < 8) ++row;
            String line;
            if (kind == 8) line = "cw 3,80";
            else if (kind == 9) line = "no comma";
            else if (kind == 10) line = std::to_string(10 + random() % 5) + "," + std::to_string(row) + ",x";
            else if (kind == 11) line = std::to_string(random() % 10) + ",0" + std::to_string(row) + ",lead";
            else if (kind == 12) line = std::to_string(random() % 10) + ", " + std::to_string(row) + ",blank";
            else if (kind == 13) line = "1," + std::to_string(100000 + row) + ",six";
            else if (kind == 14) line = "2," + std::to_string(row);
            else line = std::to_string(random() % 9) + "," + std::to_string(row) + "," + String(random() % 70, 'a');
            data += line + (random() % 30 ? "\r\n" : "\r");
        }
        if (random() % 2) data += std::to_string(random() % 7) + "," + std::to_string(row) + ",last";
        const char* p = data.data();
        const size_t n = data.size();

        TGather plain;
        ForEachCellLine(p, 0, n, false, [&](size_t b, size_t e) {
            int col = 0, r = 0;
            size_t text = 0;
            const bool cell = !IsWidthLine(p, b, e) && ParseCellLine(p, b, e, col, r, text);
            plain.Line(cell, col, r, b, e);
        });

        // Where a line is read at once, it reads as the plain reading has it.
        ForEachCellRowChange(p, 0, n, colLimit, [&](size_t b, size_t e, size_t) {
            int col = 0, r = 0, plainCol = 0, plainRow = 0;
            size_t text = 0, plainText = 0;
            if (n - b >= 8 && ReadPlainCellHead(p + b, colLimit, col, r, text)) {
                ASSERT_TRUE(!IsWidthLine(p, b, e) && ParseCellLine(p, b, e, plainCol, plainRow, plainText))
                    << data.substr(b, e - b);
                ASSERT_EQ(std::make_tuple(col, r, b + text), std::make_tuple(plainCol, plainRow, plainText));
            }
        });

        // The load's gathering over the lines handed on, the file whole and
        // cut in pieces; a row cut by a piece's start goes on with its run.
        const std::vector<TRun> expected = plain.Done();
        for (const size_t pieceBytes : {n + 1, size_t{1} + random() % 100, size_t{1} + random() % 8}) {
            std::vector<TRun> runs;
            const std::vector<size_t> cuts = CellFilePieces(p, 0, n, pieceBytes);
            for (size_t k = 0; k + 1 < cuts.size(); ++k) {
                bool first = true;
                auto run = [&](int row, size_t b, size_t e) {
                    if (first && !runs.empty() && runs.back().Row == row) runs.back().End = e;
                    else runs.push_back({row, b, e});
                    first = false;
                };
                TCellRowGather gather(p, n, colCount, rowCount, colLimit, run, [](size_t, size_t) {}, [](int) {});
                gather.Finish(ForEachCellRowChange(p, cuts[k], cuts[k + 1], colLimit,
                                                   [&](size_t b, size_t e, size_t before) { gather.Line(b, e, before); }));
            }
            ASSERT_EQ(runs, expected) << "round " << round << ", pieces of " << pieceBytes;
        }
    }
}
