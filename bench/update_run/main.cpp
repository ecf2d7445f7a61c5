// The update run as a user runs it: the main window (offscreen, shown, on
// the Update step) writes the tags into 500, 2,000 and 5,000 pages laid out
// in nested folders, every result line going into the window's results box
// and the window handling its messages between pages. Against it, the same
// pages are copied onto themselves with the same durable replacement the
// run uses (new file, flush to disk, put in place). One warm-up run comes
// first; then, in each round and at each size, copying and the run take
// turns (five rounds unless --rounds says otherwise) and the medians are
// reported.
//
//   bench_update_run [--rounds=N] [--only=PAGES]
//
// --only runs one size and prints no summary (for a profiler).
//
// The pages are those of the Apache HTTP Server manual (Debian's
// apache2-doc), repeated as needed. The last line sums it up:
//   update_run pages_500_ms_per_page=... pages_2000_ms_per_page=...
//     pages_5000_ms_per_page=... cpu_ms_per_page_5000=... copy_cpu_ms_per_page_5000=...
//     per_page_ratio_5000_to_500=... wall_per_page_ratio_5000_to_500=...
//     cpu_ratio_to_copy=... wall_ratio_to_copy=...
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "bench/common/SideBySide.h"
#include "composer/engine/ComposerSettings.h"
#include "composer/windows/Form1.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/DialogScript.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Memo.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/TabSheet.h"
#include "framework/rtl/FileReplacement.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "toolbars/TbToolbarButton.h"

namespace fs = std::filesystem;

namespace {

const char* kManual = "/usr/share/doc/apache2-doc/manual";

std::vector<fs::path> ManualPages() {
    std::vector<fs::path> all;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(kManual, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file() && !it->is_symlink() && it->path().extension() == ".html")
            all.push_back(it->path());
    std::sort(all.begin(), all.end());
    return all;
}

struct Scratch {
    Scratch() {
        path = fs::temp_directory_path() / ("velmor-bench-update-run-" + std::to_string(getpid()));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Scratch() { fs::remove_all(path); }
    fs::path path;
};

// Page i goes three folders deep, ten pages to a folder.
std::vector<String> LayOut(const std::vector<fs::path>& manual, size_t n, const fs::path& root) {
    std::vector<String> pages;
    pages.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const fs::path dir = root / ("site" + std::to_string(i / 1000)) / ("part" + std::to_string(i / 100 % 10)) /
                             ("sec" + std::to_string(i / 10 % 10));
        fs::create_directories(dir);
        const fs::path dst = dir / ("page" + std::to_string(i) + ".html");
        fs::copy_file(manual[i % manual.size()], dst, fs::copy_options::overwrite_existing);
        pages.push_back(dst.string());
    }
    return pages;
}

struct Cost {
    double wall = 0, cpu = 0, user = 0;
};

double UserSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec) + static_cast<double>(u.ru_utime.tv_usec) * 1e-6;
}

Cost MedianCost(const std::vector<Cost>& costs) {
    std::vector<double> wall, cpu, user;
    for (const Cost& c : costs) {
        wall.push_back(c.wall);
        cpu.push_back(c.cpu);
        user.push_back(c.user);
    }
    return {bench::Median(wall), bench::Median(cpu), bench::Median(user)};
}

template <class F>
Cost Measure(F&& f) {
    const double w = bench::NowSeconds(), c = bench::CpuSeconds(), u = UserSeconds();
    f();
    return {bench::NowSeconds() - w, bench::CpuSeconds() - c, UserSeconds() - u};
}

class Window {
public:
    Window() {
        // The window asks for pages when it first shows; none are picked.
        Dialogs.Answer(mrCancel);
        F = std::make_unique<TForm1>(nullptr);
        F->AfterConstruction();
        F->Show();
        F->PageControl1->SetActivePage(F->TabSheet5);
        F->Edit6->SetText("Velmor");
        F->TitleBox->SetText("Benchmark page");
        F->edit22->SetText("apache, httpd, server, modules, configuration, directives, manual");
        F->edit1->SetText("The Apache HTTP Server manual, rewritten by the update run benchmark.");
        Application->ProcessMessages();
    }

    // One run over `pages` through the Update button; the closing message
    // is answered as a user would.
    int Run(const std::vector<String>& pages) {
        F->SelectedFiles->Clear();
        for (const String& p : pages) F->SelectedFiles->Add(p);
        Dialogs.Clear();
        Dialogs.Answer(mrOk);
        F->BtnFinish->Click();
        Application->ProcessMessages();
        const int lines = F->TagLines->Lines()->Count();
        return lines;
    }

    TDialogScript Dialogs;
    std::unique_ptr<TForm1> F;
};

// Each page replaced by a copy of itself the way the run replaces it: an
// unnamed file (or a temporary name), flushed to disk, put in place.
void CopyAll(const std::vector<String>& pages) {
    for (const String& p : pages) {
        TFileSource source(p);
        TFileReplacement copy(p);
        copy.CopyFrom(source, 0);
        copy.Commit();
    }
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 5;
    size_t only = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--rounds=", 9) == 0) rounds = std::max(1, std::atoi(argv[i] + 9));
        if (std::strncmp(argv[i], "--only=", 7) == 0) only = std::strtoul(argv[i] + 7, nullptr, 10);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::vector<fs::path> manual = ManualPages();
    if (manual.empty()) {
        std::fprintf(stderr, "update_run: no pages under %s (package apache2-doc)\n", kManual);
        return 1;
    }
    Scratch scratch;
    setenv("VELMOR_REGISTRY", (scratch.path / "registry.ini").c_str(), 1);
    SetProgramFolderOverride(VELMOR_BIN_DIR);
    TApplication app(nullptr);
    app.Initialize(argc, argv);
    ComposerSettings = TComposerSettings();
    Window window;

    // The warm-up: a run and a copy of their own, not counted.
    {
        const std::vector<String> pages = LayOut(manual, 200, scratch.path / "warmup");
        window.Run(pages);
        CopyAll(pages);
    }

    // Each round goes through the sizes (500, 2,000, 5,000 pages, the first
    // one changing from round to round), so a change in the machine's pace
    // reaches every size alike. At each size copying and the run take
    // turns, alternating which goes first: the file system makes files more
    // slowly for a while after many were replaced. The figures are the
    // medians of the rounds, a ratio the median of the round-by-round ones.
    const size_t sizes[] = {500, 2000, 5000};
    const int count = only ? 1 : 3;
    std::vector<String> pages[3];
    for (int k = 0; k < count; ++k) {
        const size_t n = only ? only : sizes[k];
        pages[k] = LayOut(manual, n, scratch.path / ("run" + std::to_string(n)));
    }
    std::vector<Cost> runs[3], copies[3];
    std::vector<double> cpuRatios[3], wallRatios[3];
    bool complete = true;
    for (int r = 0; r < rounds; ++r) {
        for (int i = 0; i < count; ++i) {
            const int k = (r + i) % count;
            const size_t n = pages[k].size();
            Cost c, u;
            int lines = 0;
            if (r % 2 == 0) c = Measure([&] { CopyAll(pages[k]); });
            u = Measure([&] { lines = window.Run(pages[k]); });
            if (r % 2 == 1) c = Measure([&] { CopyAll(pages[k]); });
            // A line before and a line after each page.
            if (lines != static_cast<int>(2 * n)) complete = false;
            runs[k].push_back(u);
            copies[k].push_back(c);
            cpuRatios[k].push_back(u.cpu / c.cpu);
            wallRatios[k].push_back(u.wall / c.wall);
            const double per = 1e3 / static_cast<double>(n);
            std::printf("  round=%d pages=%zu run_cpu_ms_per_page=%.3f run_user_ms_per_page=%.3f "
                        "copy_cpu_ms_per_page=%.3f cpu_ratio=%.2f\n",
                        r, n, u.cpu * per, u.user * per, c.cpu * per, u.cpu / c.cpu);
            std::fflush(stdout);
        }
    }
    Cost run[3], copy[3];
    double cpuRatio[3] = {}, wallRatio[3] = {};
    for (int k = 0; k < count; ++k) {
        run[k] = MedianCost(runs[k]);
        copy[k] = MedianCost(copies[k]);
        cpuRatio[k] = bench::Median(cpuRatios[k]);
        wallRatio[k] = bench::Median(wallRatios[k]);
        const double per = 1e3 / static_cast<double>(pages[k].size());
        std::printf("pages=%zu ms_per_page=%.3f cpu_ms_per_page=%.3f user_ms_per_page=%.3f copy_ms_per_page=%.3f "
                    "copy_cpu_ms_per_page=%.3f copy_user_ms_per_page=%.3f cpu_ratio_to_copy=%.2f\n",
                    pages[k].size(), run[k].wall * per, run[k].cpu * per, run[k].user * per, copy[k].wall * per,
                    copy[k].cpu * per, copy[k].user * per, cpuRatio[k]);
    }
    std::fflush(stdout);
    if (only) return complete ? 0 : 1;
    if (!complete) std::fprintf(stderr, "update_run: a run did not report every page\n");
    auto per = [&](const Cost* c, int k, bool cpu) {
        return (cpu ? c[k].cpu : c[k].wall) * 1e3 / static_cast<double>(sizes[k]);
    };
    bench::Summary("update_run")
        .Add("pages_500_ms_per_page", per(run, 0, false), 3)
        .Add("pages_2000_ms_per_page", per(run, 1, false), 3)
        .Add("pages_5000_ms_per_page", per(run, 2, false), 3)
        .Add("cpu_ms_per_page_5000", per(run, 2, true), 3)
        .Add("copy_cpu_ms_per_page_5000", per(copy, 2, true), 3)
        .Add("per_page_ratio_5000_to_500", per(run, 2, true) / per(run, 0, true))
        .Add("wall_per_page_ratio_5000_to_500", per(run, 2, false) / per(run, 0, false))
        .Add("cpu_ratio_to_copy", cpuRatio[2])
        .Add("wall_ratio_to_copy", wallRatio[2])
        .Print();
    return complete ? 0 : 1;
}
