// Saves and loads grids of 10,000, 25,000 and 100,000 rows x 10 columns
// of texts like the ones the composer keeps (field names, META values,
// dates, links, some two-line notes), made with a fixed seed, and compares
// them with writing and reading the same bytes as one plain file through
// the same calls: a save and a raw write are both durable (temporary file,
// flush to disk, rename), a load and a raw read both read the whole file.
// Each pair takes turns after a warm-up, the side that goes first changing
// from round to round. The last line sums it up:
//   grid_cellfile rows=100000 cols=10 file_MB=... save_ms=... raw_write_ms=...
//     load_ms=... raw_read_ms=... read_all_after_load_ms=... save_ratio_to_raw=...
//     load_ratio_to_raw=... load_all_ratio_to_raw=... load_all_ratio_to_raw_10000=...
//     load_cpu_ratio_to_raw=... peak_rss_ratio_to_file=...
//     save_growth_25000_to_100000=... load_growth_25000_to_100000=...
// The ratios are ours over the raw call's (lower is better); a growth is
// the time at 100,000 rows over the time at 25,000, 4 when linear.
// load_all is a load followed by reading every cell once (every text then
// exists), in wall time; load_cpu is the same in processor time of all
// the process's threads, against the raw read's. peak_rss_ratio_to_file is
// what the process's resident memory grows by, at its highest, during a
// load and the reading of every cell, over the file's size; it is measured
// in a fresh run of this program (--peak-rss=FILE).
//
//   bench_grid_cellfile [--only=load|all|raw|save]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
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
    double loadAllRatio, loadCpuRatio;
};

// Reads every cell of the grid once.
size_t ReadAll(const TGkStringGrid& g) {
    size_t sum = 0;
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c) sum += g.CellText(c, r).size();
    return sum;
}

Figures Measure(int rows, const fs::path& dir, int rounds) {
    TGkStringGrid g(nullptr);
    FillGrid(g, rows);
    const String file = (dir / "grid.txt").string();
    const String raw = (dir / "raw.txt").string();
    g.SaveCellsToFile(file);
    const String bytes = ReadFileToString(file);
    Figures f{};
    f.bytes = static_cast<double>(bytes.size());
    const bench::Pair save = bench::SideBySide(
        rounds, [&] { g.SaveCellsToFile(file); }, [&] { SafeWriteFile(raw, bytes); });
    // Only the load and the reading are timed: making and freeing the
    // receiving grid is not. The load alone, the load with a first read of
    // every cell, and that in processor time, each against a raw read.
    std::vector<double> loads, reads, ratios, readAlls, allRatios, cpuRatios;
    size_t sink = 0;
    for (int round = -1; round < rounds; ++round) {
        double l = 0, all = 0, cpu = 0, r = 0, rcpu = 0;
        auto ours = [&] {
            auto h = std::make_unique<TGkStringGrid>(nullptr);
            h->SetMultilinecells(true);
            const double c0 = bench::CpuSeconds();
            const double t0 = bench::NowSeconds();
            h->LoadCellsFromFile(file);
            const double t1 = bench::NowSeconds();
            sink += ReadAll(*h);
            const double t2 = bench::NowSeconds();
            cpu = bench::CpuSeconds() - c0;
            l = t1 - t0;
            all = t2 - t0;
        };
        auto peer = [&] {
            const double c0 = bench::CpuSeconds();
            r = bench::TimeOnce([&] { sink += ReadFileToString(raw).size(); });
            rcpu = bench::CpuSeconds() - c0;
        };
        if (round % 2) {
            ours();
            peer();
        } else {
            peer();
            ours();
        }
        if (round < 0) continue;  // the warm-up
        loads.push_back(l);
        readAlls.push_back(all - l);
        reads.push_back(r);
        ratios.push_back(l / r);
        allRatios.push_back(all / r);
        cpuRatios.push_back(rcpu > 0 ? cpu / rcpu : 0);
    }
    benchmark::DoNotOptimize(sink);
    f.save = save.ours * 1e3;
    f.rawWrite = save.peer * 1e3;
    f.load = bench::Median(loads) * 1e3;
    f.rawRead = bench::Median(reads) * 1e3;
    f.readAll = bench::Median(readAlls) * 1e3;
    f.saveRatio = save.ratio;
    f.loadRatio = bench::Median(ratios);
    f.loadAllRatio = bench::Median(allRatios);
    f.loadCpuRatio = bench::Median(cpuRatios);
    return f;
}

// A field of /proc/self/status in kB ("VmRSS", "VmHWM"), 0 when missing.
double StatusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const size_t n = std::strlen(field);
    while (std::getline(in, line))
        if (line.compare(0, n, field) == 0 && line.size() > n && line[n] == ':') return std::atof(line.c_str() + n + 1);
    return 0;
}

// In a fresh run: loads `file` and reads every cell, and prints how far
// the resident memory grew at its highest over the file's size.
int PeakRss(const String& file) {
    auto h = std::make_unique<TGkStringGrid>(nullptr);
    h->SetMultilinecells(true);
    // The highest mark starts again from here where the system allows it.
    std::ofstream("/proc/self/clear_refs") << "5";
    const double before = StatusKb("VmRSS");
    h->LoadCellsFromFile(file);
    size_t sink = ReadAll(*h);
    benchmark::DoNotOptimize(sink);
    const double peak = StatusKb("VmHWM");
    std::printf("peak_rss_ratio_to_file=%.3f\n", (peak - before) * 1024.0 / static_cast<double>(fs::file_size(file)));
    return 0;
}

// Runs this program again with --peak-rss=FILE and reads its answer.
double MeasurePeakRss(int rows, const fs::path& dir) {
    TGkStringGrid g(nullptr);
    FillGrid(g, rows);
    const String file = (dir / "peak.txt").string();
    g.SaveCellsToFile(file);
    const std::string command = "\"" + fs::read_symlink("/proc/self/exe").string() + "\" --peak-rss=\"" + file + "\"";
    FILE* p = popen(command.c_str(), "r");
    if (!p) return 0;
    double ratio = 0;
    char line[256];
    while (std::fgets(line, sizeof line, p))
        if (std::strncmp(line, "peak_rss_ratio_to_file=", 23) == 0) ratio = std::atof(line + 23);
    pclose(p);
    return ratio;
}

}  // namespace

// --only=load, --only=all (a load and a read of every cell), --only=raw
// (the raw read) or --only=save repeats that at 100,000 rows (or
// VELMOR_BENCH_ROWS), for a profiler, and prints the median and the
// fastest round instead of a summary.
int Only(const std::string& what, const fs::path& dir) {
    const char* rowsText = std::getenv("VELMOR_BENCH_ROWS");
    const int rows = rowsText ? std::max(1, std::atoi(rowsText)) : 100000, rounds = 30;
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
        if (what == "raw") {
            times.push_back(bench::TimeOnce([&] { benchmark::DoNotOptimize(ReadFileToString(file).size()); }));
            continue;
        }
        auto h = std::make_unique<TGkStringGrid>(nullptr);
        h->SetMultilinecells(true);
        times.push_back(bench::TimeOnce([&] {
            h->LoadCellsFromFile(file);
            if (what == "all") benchmark::DoNotOptimize(ReadAll(*h));
        }));
    }
    std::printf("%s_ms=%.1f min_ms=%.2f\n", what.c_str(), bench::Median(times) * 1e3,
                *std::min_element(times.begin(), times.end()) * 1e3);
    return 0;
}

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(nullptr);
    app.Initialize(argc, argv);
    const fs::path dir = fs::temp_directory_path() / ("velmor-bench-cellfile-" + std::to_string(getpid()));
    fs::create_directories(dir);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--peak-rss=", 11) == 0) {
            fs::remove_all(dir);
            return PeakRss(argv[i] + 11);
        }
        if (std::strncmp(argv[i], "--only=", 7) == 0) {
            const int status = Only(argv[i] + 7, dir);
            fs::remove_all(dir);
            return status;
        }
    }
    const Figures tiny = Measure(10000, dir, 15);
    const Figures small = Measure(25000, dir, 7);
    const Figures big = Measure(100000, dir, 7);
    const double peakRss = MeasurePeakRss(100000, dir);
    fs::remove_all(dir);
    for (const auto& [rows, f] : {std::pair{10000, tiny}, std::pair{25000, small}})
        std::printf("rows=%d save_ms=%.2f raw_write_ms=%.2f load_ms=%.2f raw_read_ms=%.2f read_all_after_load_ms=%.2f "
                    "load_all_ratio_to_raw=%.2f load_cpu_ratio_to_raw=%.2f\n",
                    rows, f.save, f.rawWrite, f.load, f.rawRead, f.readAll, f.loadAllRatio, f.loadCpuRatio);
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
        .Add("load_all_ratio_to_raw", big.loadAllRatio)
        .Add("load_all_ratio_to_raw_10000", tiny.loadAllRatio)
        .Add("load_cpu_ratio_to_raw", big.loadCpuRatio)
        .Add("peak_rss_ratio_to_file", peakRss)
        .Add("save_growth_25000_to_100000", big.save / small.save)
        .Add("load_growth_25000_to_100000", big.load / small.load)
        .Print();
    return 0;
}
