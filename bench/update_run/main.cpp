// How fast the update run writes pages, measured against reading and
// writing the same pages unchanged in the same process, and how long reading
// one large page into the fields takes.
//
//   bench_update_run [--pages=N] [google benchmark flags]
//
// The pages are Apache manual pages from Debian's apache2-doc, repeated as
// needed. The last line printed is the summary.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "composer/engine/TagReader.h"
#include "composer/engine/UpdateRun.h"
#include "framework/rtl/FileUtils.h"

namespace fs = std::filesystem;

namespace {

const char* kManual = "/usr/share/doc/apache2-doc/manual";

std::vector<fs::path> ManualPages() {
    std::vector<fs::path> all;
    if (!fs::is_directory(kManual)) return all;
    for (const auto& e : fs::recursive_directory_iterator(kManual))
        if (e.is_regular_file() && e.path().extension() == ".html") all.push_back(e.path());
    std::sort(all.begin(), all.end());
    return all;
}

// The manual page closest to 100 KB.
fs::path LargePage(const std::vector<fs::path>& all) {
    fs::path best;
    long bestGap = -1;
    for (const fs::path& p : all) {
        const long gap = std::labs(static_cast<long>(fs::file_size(p)) - 100 * 1024);
        if (bestGap < 0 || gap < bestGap) bestGap = gap, best = p;
    }
    return best;
}

TMetaFields SeventeenFields() {
    TMetaFields f;
    f.Title = "Benchmark page";
    f.Keywords = "apache, httpd, server, modules, configuration, directives, manual";
    f.Description = "The Apache HTTP Server manual, rewritten by the update run benchmark.";
    f.Generator = "Velmor";
    f.Pragma = "TRUE";
    f.BulletinDate = "2026-12-10";
    f.BulletinText = "Updated";
    f.Distribution = "global";
    f.Revisit = "7 days";
    f.Robots = "index, follow";
    f.Rating = "general";
    f.Copyright = "The Apache Software Foundation";
    f.Author = "Documentation team";
    f.Classification = "Software documentation";
    f.Language = "en";
    f.Subject = "Web servers";
    f.ReplyTo = "docs@example.org";
    f.Expires = "never";
    return f;
}

TTagSettings Settings() {
    TTagSettings s;
    s.aname = "author";
    s.clasname = "classification";
    s.lname = "language";
    s.catstr = "subject";
    s.usexhtml = "0";
    s.tokens = "0";
    return s;
}

struct Folder {
    explicit Folder(const std::string& name) {
        path = fs::temp_directory_path() / ("velmor-bench-" + name);
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
    fs::path path;
};

std::vector<String> CopyPages(const std::vector<fs::path>& all, size_t n, const fs::path& to) {
    std::vector<String> pages;
    pages.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const fs::path dst = to / ("p" + std::to_string(i) + ".html");
        fs::copy_file(all[i % all.size()], dst);
        pages.push_back(dst.string());
    }
    return pages;
}

double Seconds(const std::chrono::steady_clock::time_point& since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

struct Timing {
    double wall = 0;
    double cpu = 0;
};

struct Clock {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();
    void AddTo(Timing& t) const {
        t.wall += Seconds(wall);
        t.cpu += static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
    }
};

// Saves go through a flush to disk, so the disk sets much of the pace and
// the disk is shared. Copying and the run therefore take turns over chunks
// of pages, so both see the same conditions.
struct Comparison {
    Timing copy, run;
    int written = 0;
};

Comparison Compare(const std::vector<String>& pages) {
    Comparison c;
    const size_t chunk = 100;
    for (size_t from = 0; from < pages.size(); from += chunk) {
        const std::vector<String> part(pages.begin() + from,
                                       pages.begin() + std::min(pages.size(), from + chunk));
        Clock copyClock;
        for (const String& p : part) SafeWriteFile(p, ReadFileToString(p));
        copyClock.AddTo(c.copy);

        TUpdateRun run;
        TUpdateRunInput input;
        input.SelectedFiles = part;
        input.Fields = SeventeenFields();
        input.Settings = Settings();
        Clock runClock;
        c.written += run.Button34Click(input).Written;
        runClock.AddTo(c.run);
    }
    return c;
}

void BM_ReadLargePageIntoFields(benchmark::State& state) {
    const fs::path page = LargePage(ManualPages());
    TTagReader reader;
    reader.Settings = Settings();
    for (auto _ : state) {
        TMetaFields f;
        if (!reader.xread(page.string(), f)) state.SkipWithError("page could not be read");
        benchmark::DoNotOptimize(f);
    }
    state.SetLabel(page.filename().string() + ", " + std::to_string(fs::file_size(page)) + " bytes");
}
BENCHMARK(BM_ReadLargePageIntoFields)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    size_t pagesWanted = 2000;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--pages=", 8) == 0)
            pagesWanted = std::stoul(argv[i] + 8);
        else
            rest.push_back(argv[i]);
    }
    const std::vector<fs::path> all = ManualPages();
    if (all.empty()) {
        std::printf("update_run skipped: apache2-doc is not installed\n");
        return 0;
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    benchmark::RunSpecifiedBenchmarks();

    // Time per page at both ends of the range, then the requested size.
    double perPage[2] = {0, 0};
    const size_t scale[2] = {500, 5000};
    for (int k = 0; k < 2; ++k) {
        Folder dir("scale");
        const std::vector<String> pages = CopyPages(all, scale[k], dir.path);
        const Comparison c = Compare(pages);
        const double n = static_cast<double>(scale[k]);
        perPage[k] = c.run.wall / n;
        std::printf("update_run scale pages=%zu written=%d ms_per_page=%.4f cpu_ms_per_page=%.4f "
                    "copy_ms_per_page=%.4f copy_cpu_ms_per_page=%.4f\n",
                    scale[k], c.written, perPage[k] * 1e3, c.run.cpu / n * 1e3,
                    c.copy.wall / n * 1e3, c.copy.cpu / n * 1e3);
    }
    std::printf("update_run per_page_ratio_5000_to_500=%.2f\n", perPage[1] / perPage[0]);

    Folder dir("main");
    const std::vector<String> pages = CopyPages(all, pagesWanted, dir.path);
    for (const String& p : pages) ReadFileToString(p);  // warm the cache for both
    const Comparison c = Compare(pages);
    const int written = c.written;
    std::printf("update_run copy_s=%.3f run_s=%.3f copy_cpu_s=%.3f run_cpu_s=%.3f "
                "cpu_ratio_to_copy=%.2f written=%d\n",
                c.copy.wall, c.run.wall, c.copy.cpu, c.run.cpu, c.run.cpu / c.copy.cpu, written);
    std::printf("update_run pages=%zu pages_per_s=%.0f ratio_to_copy=%.2f\n", pagesWanted,
                static_cast<double>(pagesWanted) / c.run.wall, c.run.wall / c.copy.wall);
    return written == static_cast<int>(pagesWanted) ? 0 : 1;
}
