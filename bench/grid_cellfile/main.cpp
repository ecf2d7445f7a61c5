// Saves and loads grids of 25,000 and 100,000 rows x 10 columns of texts
// like the ones the composer keeps (field names, META values, dates,
// links, some two-line notes), made with a fixed seed, and compares them
// with writing and reading the same bytes as one plain file through the
// same calls: a save and a raw write are both durable (temporary file,
// flush to disk, rename), a load and a raw read both read the whole file.
// Each pair takes turns after a warm-up. The last line sums it up:
//   grid_cellfile rows=100000 cols=10 file_MB=... save_ms=... raw_write_ms=...
//     load_ms=... raw_read_ms=... read_all_after_load_ms=... save_ratio_to_raw=...
//     load_ratio_to_raw=...
//     save_growth_25000_to_100000=... load_growth_25000_to_100000=...
// The ratios are ours over the raw call's time (lower is better); a growth
// is the time at 100,000 rows over the time at 25,000, 4 when linear. A
// loaded row's texts are made when the row is first used:
// read_all_after_load_ms is reading every cell once after a load.
//
//   bench_grid_cellfile [--only=load|save]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench/common/SideBySide.h"
#include "framework/controls/Application.h"
#include "framework/rtl/FileUtils.h"
#include "gridkit/grid/GkStringGrid.h"

namespace {

namespace fs = std::filesystem;

const char* const kWords[] = {"metadata", "keywords", "description", "author", "web", "page",
                              "robots", "index", "follow", "copyright", "language", "english",
                              "subject", "classification", "rating", "general", "revisit",
                              "days", "distribution", "global", "schema", "dublin", "core"};

String Words(unsigned& seed, int n, const char* sep) {
    String s;
    for (int i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        if (i) s += sep;
        s += kWords[(seed >> 16) % (sizeof kWords / sizeof *kWords)];
    }
    return s;
}

void FillGrid(TGkStringGrid& g, int rows) {
    g.SetColCount(10);
    g.SetRowCount(rows + 1);
    const char* heads[] = {"Name", "Content", "Scheme", "Lang", "Date", "Link", "Count", "Note", "Author", "Rights"};
    for (int c = 0; c < 10; ++c) g.SetCells(c, 0, heads[c]);
    unsigned seed = 7;
    for (int r = 1; r <= rows; ++r) {
        g.SetCells(0, r, "DC." + Words(seed, 1, ""));
        g.SetCells(1, r, Words(seed, 6 + r % 7, ", "));
        if (r % 3) g.SetCells(2, r, "W3CDTF");
        g.SetCells(3, r, r % 2 ? "en" : "en-GB");
        g.SetCells(4, r, std::to_string(2000 + r % 25) + "-0" + std::to_string(1 + r % 9) + "-1" +
                             std::to_string(r % 10));
        if (r % 4 == 0) g.SetCells(5, r, "https://www.example.org/" + Words(seed, 2, "/") + ".html");
        g.SetCells(6, r, std::to_string(r * 37 % 100000) + "," + std::to_string(r % 1000));
        if (r % 10 == 0) g.SetCells(7, r, Words(seed, 4, " ") + "\r\n" + Words(seed, 3, " "));
        g.SetCells(8, r, Words(seed, 2, " "));
        if (r % 5) g.SetCells(9, r, "Copyright " + std::to_string(1990 + r % 35) + " " + Words(seed, 1, ""));
    }
}

struct Figures {
    double save, rawWrite, load, rawRead, readAll, bytes;
    double saveRatio, loadRatio;  // medians of the round-by-round ratios
};

Figures Measure(int rows, const fs::path& dir) {
    TGkStringGrid g(nullptr);
    FillGrid(g, rows);
    const String file = (dir / "grid.txt").string();
    const String raw = (dir / "raw.txt").string();
    g.SaveCellsToFile(file);
    const String bytes = ReadFileToString(file);
    Figures f{};
    f.bytes = static_cast<double>(bytes.size());
    const int rounds = 7;
    const bench::Pair save = bench::SideBySide(
        rounds, [&] { g.SaveCellsToFile(file); }, [&] { SafeWriteFile(raw, bytes); });
    // Only the load is timed: making and freeing the receiving grid is not.
    // A loaded row's texts are made when the row is first used: reading
    // every cell once after the load shows that part on its own.
    std::vector<double> loads, reads, ratios, readAlls;
    size_t sink = 0;
    for (int round = -1; round < rounds; ++round) {
        auto h = std::make_unique<TGkStringGrid>(nullptr);
        h->SetMultilinecells(true);
        const double l = bench::TimeOnce([&] { h->LoadCellsFromFile(file); });
        const double all = bench::TimeOnce([&] {
            for (int r = 0; r < h->RowCount(); ++r)
                for (int c = 0; c < h->ColCount(); ++c) sink += h->CellRef(c, r).size();
        });
        h.reset();
        const double r = bench::TimeOnce([&] { sink += ReadFileToString(raw).size(); });
        if (round < 0) continue;  // the warm-up
        loads.push_back(l);
        readAlls.push_back(all);
        reads.push_back(r);
        ratios.push_back(l / r);
    }
    const bench::Pair load{bench::Median(loads), bench::Median(reads), bench::Median(ratios)};
    benchmark::DoNotOptimize(sink);
    f.save = save.ours * 1e3;
    f.rawWrite = save.peer * 1e3;
    f.load = load.ours * 1e3;
    f.rawRead = load.peer * 1e3;
    f.readAll = bench::Median(readAlls) * 1e3;
    f.saveRatio = save.ratio;
    f.loadRatio = load.ratio;
    return f;
}

}  // namespace

// --only=load or --only=save repeats that one call at 100,000 rows, for a
// profiler, and prints no summary.
int Only(const std::string& what, const fs::path& dir) {
    const int rows = 100000, rounds = 30;
    TGkStringGrid g(nullptr);
    FillGrid(g, rows);
    const String file = (dir / "grid.txt").string();
    g.SaveCellsToFile(file);
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        if (what == "save") {
            times.push_back(bench::TimeOnce([&] { g.SaveCellsToFile(file); }));
            continue;
        }
        auto h = std::make_unique<TGkStringGrid>(nullptr);
        h->SetMultilinecells(true);
        times.push_back(bench::TimeOnce([&] { h->LoadCellsFromFile(file); }));
    }
    std::printf("%s_ms=%.1f\n", what.c_str(), bench::Median(times) * 1e3);
    return 0;
}

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(nullptr);
    app.Initialize(argc, argv);
    const fs::path dir = fs::temp_directory_path() / ("velmor-bench-cellfile-" + std::to_string(getpid()));
    fs::create_directories(dir);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--only=", 7) == 0) {
            const int status = Only(argv[i] + 7, dir);
            fs::remove_all(dir);
            return status;
        }
    }
    const Figures small = Measure(25000, dir);
    const Figures big = Measure(100000, dir);
    fs::remove_all(dir);
    std::printf("rows=25000 save_ms=%.1f raw_write_ms=%.1f load_ms=%.1f raw_read_ms=%.1f read_all_after_load_ms=%.1f\n",
                small.save, small.rawWrite, small.load, small.rawRead, small.readAll);
    bench::Summary("grid_cellfile")
        .Add("rows", 100000LL)
        .Add("cols", 10LL)
        .Add("file_MB", big.bytes / 1e6)
        .Add("save_ms", big.save, 1)
        .Add("raw_write_ms", big.rawWrite, 1)
        .Add("load_ms", big.load, 1)
        .Add("raw_read_ms", big.rawRead, 1)
        .Add("read_all_after_load_ms", big.readAll, 1)
        .Add("save_ratio_to_raw", big.saveRatio)
        .Add("load_ratio_to_raw", big.loadRatio)
        .Add("save_growth_25000_to_100000", big.save / small.save)
        .Add("load_growth_25000_to_100000", big.load / small.load)
        .Print();
    return 0;
}
