// How the grid keeps its texts: a row's texts in one block of its own, or
// in the bytes of a file read at once until the row is written. Checked
// against plain models: a list of strings per row, and a grid that was
// filled cell by cell instead of loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <vector>

#include "framework/grids/CellTexts.h"
#include "gridkit/grid/GkStringGrid.h"

namespace fs = std::filesystem;

namespace {

// Empty, short, or one in `largeOdds` large.
String RandomText(std::mt19937& random, unsigned largeOdds = 20) {
    if (random() % largeOdds == 0) return String(70000 + random() % 50000, static_cast<char>('a' + random() % 26));
    if (random() % 5 == 0) return String();
    String s(random() % 40, ' ');
    for (char& c : s) c = "abcdefgh, xyz0123"[random() % 17];
    return s;
}

}  // namespace

// Every operation on a row against a list of strings, from rows that hold
// nothing, rows of their own and rows that refer to a table; texts set
// from the row's own texts, copies, and texts large enough to outgrow any
// room kept for later.
TEST(CellStorage, RowTextsFollowAPlainModel) {
    std::mt19937 random(41);
    const size_t cols = 6, tableRows = 4;
    String bytes = "head\r\n";
    std::vector<std::vector<String>> tableTexts(tableRows, std::vector<String>(cols));
    std::vector<TCellSpan> spans;
    for (size_t r = 0; r < tableRows; ++r)
        for (size_t c = 0; c < cols; ++c) {
            if (random() % 3 == 0) {
                spans.push_back({});  // no text given
                continue;
            }
            tableTexts[r][c] = RandomText(random);
            spans.push_back({static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(tableTexts[r][c].size())});
            bytes += tableTexts[r][c] + "\r\n";
        }
    const TCellTable::TRef table(new TCellTable(std::move(bytes), tableRows, cols));
    for (size_t r = 0; r < tableRows; ++r)
        for (size_t c = 0; c < cols; ++c) table->RowSpans(r)[c] = spans[r * cols + c];

    for (int round = 0; round < 300; ++round) {
        TRowCells row;
        std::vector<String> model;
        auto text = [&](size_t c) { return c < model.size() ? model[c] : String(); };
        auto check = [&](const char* what) {
            for (size_t c = 0; c < cols + 3; ++c)
                ASSERT_EQ(String(row.Text(c)), text(c)) << what << ", round " << round << ", cell " << c;
            ASSERT_GE(row.Count(), [&] {
                size_t n = 0;
                for (size_t c = 0; c < model.size(); ++c)
                    if (!model[c].empty()) n = c + 1;
                return n;
            }());
        };
        for (int step = 0; step < 40; ++step) {
            const size_t a = random() % cols, b = random() % cols;
            switch (random() % 10) {
            case 0: {
                const size_t r = random() % tableRows;
                row.Refer(table, r);
                model = tableTexts[r];
                check("refer");
                break;
            }
            case 1: {
                // A text the row holds itself, set into another of its cells.
                const String expected = text(b);
                row.Set(a, row.Text(b), cols);
                if (model.size() < cols) model.resize(cols);
                model[a] = expected;
                check("own text");
                break;
            }
            case 2:
                row.Clear();
                model.clear();
                check("clear");
                break;
            case 3:
                row.Truncate(a);
                if (model.size() > a) model.resize(a);
                check("truncate");
                break;
            case 4: {
                const size_t n = 1 + random() % 2;
                row.InsertEmpty(a, n, cols + n);
                if (a < model.size()) model.insert(model.begin() + static_cast<long>(a), n, String());
                check("insert");
                break;
            }
            case 5: {
                const size_t n = 1 + random() % 2;
                row.Erase(a, n);
                if (a < model.size())
                    model.erase(model.begin() + static_cast<long>(a),
                                model.begin() + static_cast<long>(std::min(model.size(), a + n)));
                check("erase");
                break;
            }
            case 6: {
                row.Move(a, b, cols);
                if (model.size() < cols) model.resize(cols);
                const String moved = model[a];
                model.erase(model.begin() + static_cast<long>(a));
                model.insert(model.begin() + static_cast<long>(b), moved);
                check("move");
                break;
            }
            case 7: {
                TRowCells copy(row);
                row = std::move(copy);
                TRowCells other;
                other = row;
                other.Set(a, "changed in the copy", cols);
                check("copy");
                break;
            }
            default: {
                const String t = RandomText(random);
                row.Set(a, t, cols);
                if (model.size() < cols) model.resize(cols);
                model[a] = t;
                check("set");
                break;
            }
            }
            if (HasFatalFailure()) return;
        }
    }
}

namespace {

class LoadedGrid : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("velmor_cellstorage_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

}  // namespace

// A loaded grid, its rows still in the file's bytes, and a grid filled
// cell by cell with the same texts go through the same operations and
// must show the same cells after each: writes, rows and columns inserted,
// deleted, moved and exchanged, clearing, sorting, a narrower and wider
// grid, a second load over it. The file is large enough to be read in
// pieces on several processors, with texts of several lines and large
// ones.
TEST_F(LoadedGrid, ActsAsAGridFilledCellByCell) {
    std::mt19937 random(43);
    const int cols = 8, rows = 3000;
    TGkStringGrid written(nullptr), loaded(nullptr);
    for (TGkStringGrid* g : {&written, &loaded}) {
        g->SetMultilinecells(true);
        g->SetFixedRows(1);
    }
    written.SetColCount(cols);
    written.SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            String t = RandomText(random, 2000);
            if (random() % 15 == 0) t += "\r\nsecond line";
            written.SetCells(c, r, t);
        }
    const String path = (dir / "grid.txt").string();
    written.SaveCellsToFile(path);
    ASSERT_GT(fs::file_size(path), 1u << 20);
    loaded.LoadCellsFromFile(path);

    auto same = [&](const String& what) {
        ASSERT_EQ(loaded.ColCount(), written.ColCount()) << what;
        ASSERT_EQ(loaded.RowCount(), written.RowCount()) << what;
        for (int r = 0; r < written.RowCount(); ++r)
            for (int c = 0; c < written.ColCount(); ++c)
                ASSERT_EQ(loaded.CellText(c, r), written.CellText(c, r)) << what << ", cell " << c << "," << r;
    };
    same("after the load");
    if (HasFatalFailure()) return;
    for (int step = 0; step < 60; ++step) {
        const int n = written.RowCount(), m = written.ColCount();
        const int r = static_cast<int>(random() % n), r2 = static_cast<int>(random() % n);
        const int c = static_cast<int>(random() % m), c2 = static_cast<int>(random() % m);
        const unsigned kind = random() % 12;
        String what;
        for (TGkStringGrid* g : {&written, &loaded}) {
            switch (kind) {
            case 0:
                what = "insert rows";
                g->InsertRowRange(r, 3);
                break;
            case 1:
                what = "delete rows";
                g->DeleteRowRange(r, 2);
                break;
            case 2:
                what = "move row";
                g->MoveRow(r, r2);
                break;
            case 3:
                what = "exchange rows";
                g->ExchangeRows(r, r2);
                break;
            case 4:
                what = "insert column";
                g->InsertColumnRange(c, 1);
                break;
            case 5:
                what = "remove column";
                if (m > 3) g->RemoveColumnRange(c, 1);
                break;
            case 6:
                what = "move column";
                g->MoveColumn(c, c2);
                break;
            case 7:
                what = "clear";
                g->ClearCellRect(std::min(c, c2), r, std::max(c, c2), std::min(r + 5, n - 1));
                break;
            case 8:
                what = "sort";
                g->SetSortColumn(c);
                g->QSort();
                break;
            case 9:
                what = "narrower and wider";
                g->SetColCount(m - 1);
                g->SetColCount(m);
                break;
            default:
                what = "write";
                // Another cell's text of the same row, then a new one.
                g->SetCells(c, r, g->Cells(c2, r));
                g->SetCells(c2, r, "written " + std::to_string(step));
                break;
            }
        }
        same(what + " at step " + std::to_string(step));
        if (HasFatalFailure()) return;
    }
    // A second load writes over what the grids hold now.
    written.SaveCellsToFile(path);
    const String again = (dir / "again.txt").string();
    TGkStringGrid other(nullptr);
    other.SetColCount(written.ColCount());
    other.SetRowCount(written.RowCount());
    for (int r = 0; r < written.RowCount(); r += 3) other.SetCells(1, r, "from the other file");
    other.SaveCellsToFile(again);
    for (TGkStringGrid* g : {&written, &loaded}) g->LoadCellsFromFile(again);
    same("second load");
}
