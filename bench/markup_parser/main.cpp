// How fast the markup parser turns real pages into events, next to
// libxml2's HTML parser in SAX mode over the same bytes (the pages of the
// Apache HTTP Server manual, package apache2-doc). Both sides get the same
// handlers: a start or empty element adds one to a count, an end element
// does nothing, text adds its length to another count. The summary passes
// take turns after a warm-up of each. The last line sums it up:
//   markup_parser MBps=... libxml2_sax_MBps=... speed_ratio_to_libxml2=...
//     elements=... text_bytes=... libxml2_text_bytes=...
// The ratio is our speed over libxml2's: above 1 means faster.
// Before any timing, every page is read by both and what they report is
// compared (Agree below); the benchmark fails where they differ beyond the
// ways the two parsers are known to differ. Other lines give the cost of
// feeding byte by byte and the allocations made per event once the parser
// has warmed up.
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <libxml/HTMLparser.h>

#include <algorithm>
#include <atomic>
#include <cctype>
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
#include "framework/rtl/StrUtils.h"
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

// What the timed passes count, on both sides alike.
struct Counts {
    std::size_t Elements = 0;
    std::size_t TextBytes = 0;
    bool operator==(const Counts&) const = default;
};

void SetCountingHandlers(TickXMLp& parser, Counts& count) {
    parser.OnBeginElement = [&count](TObject*, const String&) { ++count.Elements; };
    parser.OnEmptyElement = [&count](TObject*, const String&) { ++count.Elements; };
    parser.OnEndElement = [](TObject*, const String&) {};
    parser.OnText = [&count](TObject*, const String& t) { count.TextBytes += t.size(); };
}

enum Handlers { hNone, hCounting };

void RunParser(benchmark::State& state, Handlers handlers, std::size_t piece) {
    const Corpus& corpus = TheCorpus();
    if (corpus.Pages.empty()) {
        state.SkipWithError("no pages: install apache2-doc");
        return;
    }
    TickXMLp parser(nullptr);
    Counts count;
    if (handlers == hCounting) SetCountingHandlers(parser, count);
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
    benchmark::DoNotOptimize(count);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(corpus.Bytes));
}

void BM_Parser_NoHandlers(benchmark::State& s) { RunParser(s, hNone, 0); }
void BM_Parser_CountingHandlers(benchmark::State& s) { RunParser(s, hCounting, 0); }
void BM_Parser_CountingHandlers_OneByteFeeds(benchmark::State& s) { RunParser(s, hCounting, 1); }

void SaxStart(void* ctx, const xmlChar*, const xmlChar**) { ++static_cast<Counts*>(ctx)->Elements; }
void SaxEnd(void*, const xmlChar*) {}
void SaxCharacters(void* ctx, const xmlChar*, int len) {
    static_cast<Counts*>(ctx)->TextBytes += static_cast<std::size_t>(len);
}
void SaxQuiet(void*, const char*, ...) {}

// Parses one page with libxml2's HTML parser, its events going to `sax`
// with `user` as their context.
void LibXml2Page(const std::string& page, const htmlSAXHandler& sax, void* user) {
    htmlParserCtxtPtr ctxt = htmlCreateMemoryParserCtxt(page.data(), static_cast<int>(page.size()));
    if (!ctxt) return;
    std::memcpy(ctxt->sax, &sax, sizeof sax);
    ctxt->userData = user;
    htmlCtxtUseOptions(ctxt, HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
    htmlParseDocument(ctxt);
    if (ctxt->myDoc) xmlFreeDoc(ctxt->myDoc);
    htmlFreeParserCtxt(ctxt);
}

htmlSAXHandler QuietSax() {
    htmlSAXHandler sax{};
    sax.warning = SaxQuiet;
    sax.error = SaxQuiet;
    sax.initialized = 1;
    return sax;
}

void LibXml2Pass(Counts& count) {
    htmlSAXHandler sax = QuietSax();
    sax.startElement = SaxStart;
    sax.endElement = SaxEnd;
    sax.characters = SaxCharacters;
    sax.ignorableWhitespace = SaxCharacters;
    for (const std::string& page : TheCorpus().Pages) LibXml2Page(page, sax, &count);
}

void OurPass(TickXMLp& parser) {
    for (const std::string& page : TheCorpus().Pages) {
        parser.SetInputText(page);
        parser.SetEndOfInput(true);
    }
}

// --- what both read ---------------------------------------------------------
// The two parsers are known to differ in these ways, which the comparison
// takes out; anything else is a fault of one of them:
// - libxml2 lower-cases element names; ours reports them as written.
// - libxml2 decodes character references; ours passes them on as written
//   unless an OnEvalEntity handler answers them (here from libxml2's own
//   table of named references).
// - libxml2 turns a page into UTF-8 from its declared character set; ours
//   reads bytes (here it reads the page turned into UTF-8 by iconv).
// - libxml2 reports the contents of script and style elements as text;
//   ours reads markup inside them (comments, here).
// - ours drops the line feeds right after tags and right before end tags;
//   text is compared with white space left out.

// The page in UTF-8, from the character set its meta element declares.
std::string PageInUtf8(const std::string& page) {
    std::string head = page.substr(0, 2048);
    for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto at = head.find("charset=");
    if (at == std::string::npos) return page;
    std::size_t end = at + 8;
    while (end < head.size() && (std::isalnum(static_cast<unsigned char>(head[end])) || head[end] == '-' || head[end] == '_'))
        ++end;
    const std::string charset = head.substr(at + 8, end - at - 8);
    if (charset.empty() || charset == "utf-8" || charset == "us-ascii") return page;
    iconv_t cd = iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return page;
    std::string out(page.size() * 4, '\0');
    char* in = const_cast<char*>(page.data());
    std::size_t inLeft = page.size();
    char* o = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) return page;
    out.resize(out.size() - outLeft);
    return out;
}

struct Reading {
    std::vector<std::string> Elements;  // start and empty elements, lower case
    std::string Text;                    // without white space
    int RawDepth = 0;                    // inside script or style (libxml2)
};

void AddText(Reading& r, const char* text, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        if (!std::isspace(static_cast<unsigned char>(text[i]))) r.Text += text[i];
}

bool IsRawElement(const xmlChar* name) {
    return std::strcmp(reinterpret_cast<const char*>(name), "script") == 0 ||
           std::strcmp(reinterpret_cast<const char*>(name), "style") == 0;
}

Reading LibXml2Reading(const std::string& page) {
    Reading r;
    htmlSAXHandler sax = QuietSax();
    sax.startElement = [](void* ctx, const xmlChar* name, const xmlChar**) {
        auto& rd = *static_cast<Reading*>(ctx);
        rd.Elements.emplace_back(reinterpret_cast<const char*>(name));
        if (IsRawElement(name)) ++rd.RawDepth;
    };
    sax.endElement = [](void* ctx, const xmlChar* name) {
        if (IsRawElement(name)) --static_cast<Reading*>(ctx)->RawDepth;
    };
    sax.characters = [](void* ctx, const xmlChar* text, int len) {
        auto& rd = *static_cast<Reading*>(ctx);
        if (rd.RawDepth == 0) AddText(rd, reinterpret_cast<const char*>(text), static_cast<std::size_t>(len));
    };
    sax.ignorableWhitespace = sax.characters;
    LibXml2Page(page, sax, &r);
    return r;
}

Reading OurReading(const std::string& page, std::vector<std::string>& unknown) {
    Reading r;
    TickXMLp parser(nullptr);
    auto lower = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    parser.OnBeginElement = [&](TObject*, const String& name) { r.Elements.push_back(lower(name)); };
    parser.OnEmptyElement = parser.OnBeginElement;
    parser.OnText = [&](TObject*, const String& t) { AddText(r, t.data(), t.size()); };
    parser.OnEvalEntity = [&](TObject*, const String& name, String& value) {
        if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            value.clear();
            AppendUtf8(value, static_cast<char32_t>(std::strtoul(name.c_str() + (hex ? 2 : 1), nullptr, hex ? 16 : 10)));
        } else if (const htmlEntityDesc* d = htmlEntityLookup(reinterpret_cast<const xmlChar*>(name.c_str()))) {
            value.clear();
            AppendUtf8(value, static_cast<char32_t>(d->value));
        } else {
            unknown.push_back(name);
        }
    };
    parser.SetInputText(PageInUtf8(page));
    parser.SetEndOfInput(true);
    return r;
}

// Every page read by both; false, after saying where, when they differ.
bool Agree() {
    const Corpus& corpus = TheCorpus();
    std::size_t elements = 0, textBytes = 0;
    for (std::size_t k = 0; k < corpus.Pages.size(); ++k) {
        const std::string& page = corpus.Pages[k];
        std::vector<std::string> unknown;
        const Reading ours = OurReading(page, unknown);
        const Reading theirs = LibXml2Reading(page);
        if (!unknown.empty()) {
            std::printf("page %zu: unknown reference &%s;\n", k, unknown.front().c_str());
            return false;
        }
        if (ours.Elements != theirs.Elements) {
            std::size_t i = 0;
            while (i < ours.Elements.size() && i < theirs.Elements.size() && ours.Elements[i] == theirs.Elements[i]) ++i;
            std::printf("page %zu: elements differ at %zu: ours %s, libxml2 %s\n", k, i,
                        i < ours.Elements.size() ? ours.Elements[i].c_str() : "(end)",
                        i < theirs.Elements.size() ? theirs.Elements[i].c_str() : "(end)");
            return false;
        }
        if (ours.Text != theirs.Text) {
            std::size_t i = 0;
            while (i < ours.Text.size() && i < theirs.Text.size() && ours.Text[i] == theirs.Text[i]) ++i;
            const std::size_t from = i > 20 ? i - 20 : 0;
            std::printf("page %zu: text differs at %zu: ours \"%s\", libxml2 \"%s\"\n", k, i,
                        ours.Text.substr(from, 60).c_str(), theirs.Text.substr(from, 60).c_str());
            return false;
        }
        elements += ours.Elements.size();
        textBytes += ours.Text.size();
    }
    std::printf("agree pages=%zu elements=%zu text_bytes_without_space=%zu\n", corpus.Pages.size(), elements,
                textBytes);
    return true;
}

void BM_LibXml2_SAX(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    if (corpus.Pages.empty()) {
        state.SkipWithError("no pages: install apache2-doc");
        return;
    }
    Counts count;
    for (auto _ : state) LibXml2Pass(count);
    benchmark::DoNotOptimize(count.TextBytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(corpus.Bytes));
}

BENCHMARK(BM_Parser_NoHandlers)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Parser_CountingHandlers)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Parser_CountingHandlers_OneByteFeeds)->Unit(benchmark::kMillisecond)->MinTime(1.0);
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
    if (!Agree()) {
        std::fprintf(stderr, "markup_parser: the two parsers read the pages differently (see the log)\n");
        return 1;
    }
    std::printf("one_byte_feeds cost=%.2fx of a whole feed\n", OneByteCost());
    std::printf("no_handlers MBps=%.1f\n", mbps("BM_Parser_NoHandlers"));
    // One pass of each alone gives the counts every timed pass must repeat.
    TickXMLp parser(nullptr);
    Counts ours, theirs, oursOnce, theirsOnce;
    SetCountingHandlers(parser, oursOnce);
    OurPass(parser);
    LibXml2Pass(theirsOnce);
    if (oursOnce.Elements != theirsOnce.Elements) {
        std::fprintf(stderr, "markup_parser: %zu elements against libxml2's %zu\n", oursOnce.Elements,
                     theirsOnce.Elements);
        return 1;
    }
    SetCountingHandlers(parser, ours);
    bool same = true;
    const bench::Pair p = bench::SideBySide(
        9,
        [&] {
            ours = {};
            OurPass(parser);
            same = same && ours == oursOnce;
        },
        [&] {
            theirs = {};
            LibXml2Pass(theirs);
            same = same && theirs == theirsOnce;
        });
    if (!same) {
        std::fprintf(stderr, "markup_parser: a timed pass counted otherwise than the first\n");
        return 1;
    }
    bench::PrintSpread("speed_ratio_to_libxml2", p, true);
    const double mb = static_cast<double>(corpus.Bytes) / 1e6;
    bench::Summary("markup_parser")
        .Add("MBps", mb / p.ours, 1)
        .Add("libxml2_sax_MBps", mb / p.peer, 1)
        .Add("speed_ratio_to_libxml2", 1 / p.ratio)
        .Add("elements", static_cast<long long>(oursOnce.Elements))
        .Add("text_bytes", static_cast<long long>(oursOnce.TextBytes))
        .Add("libxml2_text_bytes", static_cast<long long>(theirsOnce.TextBytes))
        .Print();
    return 0;
}
