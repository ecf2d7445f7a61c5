// How fast the markup parser turns real pages into events, next to
// libxml2's HTML parser in SAX mode over the same bytes (the pages of the
// Apache HTTP Server manual, package apache2-doc). The summary passes take
// turns after a warm-up of each. The last line sums it up:
//   markup_parser MBps=... libxml2_sax_MBps=... speed_ratio_to_libxml2=...
// The ratio is our speed over libxml2's: above 1 means faster.
// Other lines give the cost of feeding byte by byte and the allocations
// made per event once the parser has warmed up.
#include <benchmark/benchmark.h>
#include <libxml/HTMLparser.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "bench/common/SideBySide.h"
#include "transfer/components/ickXMLp.h"

namespace fs = std::filesystem;

// Counts every allocation made through operator new, so the steady-state
// check can see one made per event.
static std::atomic<long long> Allocations{0};
void* operator new(std::size_t n) {
    Allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

struct Corpus {
    std::vector<std::string> Pages;
    std::size_t Bytes = 0;
};

const Corpus& TheCorpus() {
    static const Corpus corpus = [] {
        Corpus c;
        std::vector<fs::path> files;
        std::error_code ec;
        for (fs::recursive_directory_iterator it(VELMOR_BENCH_CORPUS, ec), end; it != end;
             it.increment(ec)) {
            if (ec) break;
            // Language variants link to one another; each page counts once.
            if (it->is_regular_file() && !it->is_symlink() && it->path().extension() == ".html")
                files.push_back(it->path());
        }
        std::sort(files.begin(), files.end());
        for (const auto& f : files) {
            std::ifstream in(f, std::ios::binary);
            std::ostringstream s;
            s << in.rdbuf();
            c.Bytes += s.str().size();
            c.Pages.push_back(s.str());
        }
        return c;
    }();
    return corpus;
}

enum Handlers { hNone, hText };

void RunParser(benchmark::State& state, Handlers handlers, std::size_t piece) {
    const Corpus& corpus = TheCorpus();
    if (corpus.Pages.empty()) {
        state.SkipWithError("no pages: install apache2-doc");
        return;
    }
    TickXMLp parser(nullptr);
    std::size_t textBytes = 0;
    if (handlers == hText) parser.OnText = [&](TObject*, const String& t) { textBytes += t.size(); };
    for (auto _ : state) {
        for (const std::string& page : corpus.Pages) {
            const std::string_view all(page);
            if (piece == 0) {
                parser.SetInputText(all);
            } else {
                for (std::size_t i = 0; i < all.size(); i += piece) parser.SetInputText(all.substr(i, piece));
            }
            parser.SetEndOfInput(true);
        }
    }
    benchmark::DoNotOptimize(textBytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(corpus.Bytes));
}

void BM_Parser_NoHandlers(benchmark::State& s) { RunParser(s, hNone, 0); }
void BM_Parser_TextHandler(benchmark::State& s) { RunParser(s, hText, 0); }
void BM_Parser_TextHandler_OneByteFeeds(benchmark::State& s) { RunParser(s, hText, 1); }

struct SaxCount {
    std::size_t Elements = 0;
    std::size_t TextBytes = 0;
};

void SaxStart(void* ctx, const xmlChar*, const xmlChar**) { ++static_cast<SaxCount*>(ctx)->Elements; }
void SaxEnd(void*, const xmlChar*) {}
void SaxCharacters(void* ctx, const xmlChar*, int len) {
    static_cast<SaxCount*>(ctx)->TextBytes += static_cast<std::size_t>(len);
}
void SaxQuiet(void*, const char*, ...) {}

void LibXml2Pass(SaxCount& count) {
    htmlSAXHandler sax{};
    sax.startElement = SaxStart;
    sax.endElement = SaxEnd;
    sax.characters = SaxCharacters;
    sax.ignorableWhitespace = SaxCharacters;
    sax.warning = SaxQuiet;
    sax.error = SaxQuiet;
    sax.initialized = 1;
    for (const std::string& page : TheCorpus().Pages) {
        htmlParserCtxtPtr ctxt = htmlCreateMemoryParserCtxt(page.data(), static_cast<int>(page.size()));
        if (!ctxt) continue;
        std::memcpy(ctxt->sax, &sax, sizeof sax);
        ctxt->userData = &count;
        htmlCtxtUseOptions(ctxt, HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
        htmlParseDocument(ctxt);
        if (ctxt->myDoc) xmlFreeDoc(ctxt->myDoc);
        htmlFreeParserCtxt(ctxt);
    }
}

void BM_LibXml2_SAX(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    if (corpus.Pages.empty()) {
        state.SkipWithError("no pages: install apache2-doc");
        return;
    }
    SaxCount count;
    for (auto _ : state) LibXml2Pass(count);
    benchmark::DoNotOptimize(count.TextBytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(corpus.Bytes));
}

BENCHMARK(BM_Parser_NoHandlers)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Parser_TextHandler)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Parser_TextHandler_OneByteFeeds)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_LibXml2_SAX)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Keeps each benchmark's throughput for the summary.
class Recorder : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> BytesPerSecond;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            auto it = r.counters.find("bytes_per_second");
            if (it != r.counters.end()) BytesPerSecond[r.benchmark_name()] = it->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

// Allocations per event over a second pass of the corpus, after a first
// pass has grown every buffer once.
void ReportSteadyAllocations() {
    const Corpus& corpus = TheCorpus();
    TickXMLp parser(nullptr);
    long long events = 0;
    std::size_t bytes = 0;
    parser.OnText = [&](TObject*, const String& t) {
        ++events;
        bytes += t.size();
    };
    parser.OnBeginElement = [&](TObject*, const String&) { ++events; };
    parser.OnEndElement = [&](TObject*, const String&) { ++events; };
    auto pass = [&] {
        for (const std::string& page : corpus.Pages) parser.SetInputText(page);
        parser.SetEndOfInput(true);
    };
    pass();
    events = 0;
    const long long before = Allocations.load();
    pass();
    const long long made = Allocations.load() - before;
    std::printf("steady_state events=%lld allocations=%lld per_event=%.6f\n", events, made,
                events ? static_cast<double>(made) / static_cast<double>(events) : 0.0);
}

// One pass of each over the whole corpus, text handlers on both sides.
void OurPass(TickXMLp& parser) {
    for (const std::string& page : TheCorpus().Pages) {
        parser.SetInputText(page);
        parser.SetEndOfInput(true);
    }
}

// Whole feeds against byte-by-byte feeds, alternating and keeping the best
// of each, so that load on a shared machine falls on both alike.
double OneByteCost() {
    const Corpus& corpus = TheCorpus();
    TickXMLp parser(nullptr);
    std::size_t textBytes = 0;
    parser.OnText = [&](TObject*, const String& t) { textBytes += t.size(); };
    auto pass = [&](std::size_t piece) {
        const auto start = std::chrono::steady_clock::now();
        for (const std::string& page : corpus.Pages) {
            const std::string_view all(page);
            if (piece == 0) {
                parser.SetInputText(all);
            } else {
                for (std::size_t i = 0; i < all.size(); i += piece) parser.SetInputText(all.substr(i, piece));
            }
            parser.SetEndOfInput(true);
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    double whole = 1e9, oneByte = 1e9;
    for (int round = 0; round < 5; ++round) {
        whole = std::min(whole, pass(0));
        oneByte = std::min(oneByte, pass(1));
    }
    benchmark::DoNotOptimize(textBytes);
    return oneByte / whole;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Recorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    benchmark::Shutdown();
    const Corpus& corpus = TheCorpus();
    std::printf("corpus pages=%zu bytes=%zu\n", corpus.Pages.size(), corpus.Bytes);
    ReportSteadyAllocations();
    auto mbps = [&](const std::string& name) {
        for (const auto& [run, rate] : recorder.BytesPerSecond)
            if (run == name || run.rfind(name + "/", 0) == 0) return rate / 1e6;
        return 0.0;
    };
    if (corpus.Pages.empty()) {
        std::fprintf(stderr, "markup_parser: no pages (package apache2-doc)\n");
        return 1;
    }
    std::printf("one_byte_feeds cost=%.2fx of a whole feed\n", OneByteCost());
    std::printf("no_handlers MBps=%.1f\n", mbps("BM_Parser_NoHandlers"));
    TickXMLp parser(nullptr);
    std::size_t textBytes = 0;
    parser.OnText = [&](TObject*, const String& t) { textBytes += t.size(); };
    SaxCount count;
    const bench::Pair p = bench::SideBySide(7, [&] { OurPass(parser); }, [&] { LibXml2Pass(count); });
    benchmark::DoNotOptimize(textBytes);
    benchmark::DoNotOptimize(count.TextBytes);
    const double mb = static_cast<double>(corpus.Bytes) / 1e6;
    bench::Summary("markup_parser")
        .Add("MBps", mb / p.ours, 1)
        .Add("libxml2_sax_MBps", mb / p.peer, 1)
        .Add("speed_ratio_to_libxml2", 1 / p.ratio)
        .Print();
    return 0;
}
