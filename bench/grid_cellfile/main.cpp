// Saves and loads grids of 25,000 and 100,000 rows x 8 columns of texts
// like the ones the composer keeps (field names, META values, dates,
// links, some two-line notes) and compares save + load with writing and
// reading the same bytes as one plain file. The last line sums it up:
//   cellfile rows=100000 save_ms=... load_ms=... ratio_to_raw_io=...
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/rtl/FileUtils.h"
#include "gridkit/GkStringGrid.h"

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
    g.SetColCount(8);
    g.SetRowCount(rows + 1);
    const char* heads[] = {"Name", "Content", "Scheme", "Lang", "Date", "Link", "Count", "Note"};
    for (int c = 0; c < 8; ++c) g.SetCells(c, 0, heads[c]);
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
    }
}

double Ms(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

template <class F>
double BestMs(int runs, F f) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        best = std::min(best, Ms(std::chrono::steady_clock::now() - t0));
    }
    return best;
}

struct Figures {
    double save, load, rawWrite, rawRead;
};

Figures Measure(int rows, const fs::path& dir) {
    TGkStringGrid g(nullptr);
    FillGrid(g, rows);
    const String file = (dir / "grid.txt").string();
    const String raw = (dir / "raw.txt").string();
    Figures f{};
    f.save = BestMs(5, [&] { g.SaveCellsToFile(file); });
    // Only the load is timed: making and freeing the receiving grid is not.
    f.load = 1e300;
    for (int i = 0; i < 9; ++i) {
        auto h = std::make_unique<TGkStringGrid>(nullptr);
        h->SetMultilinecells(true);
        const auto t0 = std::chrono::steady_clock::now();
        h->LoadCellsFromFile(file);
        f.load = std::min(f.load, Ms(std::chrono::steady_clock::now() - t0));
        benchmark::DoNotOptimize(h->Cells(7, rows));
    }
    const String bytes = ReadFileToString(file);
    f.rawWrite = BestMs(5, [&] {
        std::ofstream out(raw, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
    f.rawRead = BestMs(5, [&] {
        std::ifstream in(raw, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        benchmark::DoNotOptimize(s.str().size());
    });
    return f;
}

void BM_SaveCells(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "velmor_bench_cellfile";
    fs::create_directories(dir);
    TGkStringGrid g(nullptr);
    FillGrid(g, static_cast<int>(state.range(0)));
    for (auto _ : state) g.SaveCellsToFile((dir / "bm.txt").string());
    fs::remove_all(dir);
}
BENCHMARK(BM_SaveCells)->Arg(25000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadCells(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "velmor_bench_cellfile";
    fs::create_directories(dir);
    {
        TGkStringGrid g(nullptr);
        FillGrid(g, static_cast<int>(state.range(0)));
        g.SaveCellsToFile((dir / "bm.txt").string());
    }
    for (auto _ : state) {
        TGkStringGrid h(nullptr);
        h.LoadCellsFromFile((dir / "bm.txt").string());
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_LoadCells)->Arg(25000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(nullptr);
    app.Initialize(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const fs::path dir = fs::temp_directory_path() / "velmor_bench_cellfile_sum";
    fs::create_directories(dir);
    const Figures small = Measure(25000, dir);
    const Figures big = Measure(100000, dir);
    fs::remove_all(dir);
    std::printf("cellfile rows=25000 save_ms=%.1f load_ms=%.1f ratio_to_raw_io=%.2f\n", small.save,
                small.load, (small.save + small.load) / (small.rawWrite + small.rawRead));
    std::printf("load growth 25000->100000 rows: x%.2f (linear is x4)\n", big.load / small.load);
    std::printf("cellfile rows=100000 save_ms=%.1f load_ms=%.1f ratio_to_raw_io=%.2f\n", big.save,
                big.load, (big.save + big.load) / (big.rawWrite + big.rawRead));
    return 0;
}
