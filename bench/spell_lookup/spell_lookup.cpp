// Loads english.dct and checks every word of the English pages of the
// Apache HTTP Server manual plus codespell's misspellings with it and, on
// the same words, with a std::unordered_set holding the word list the
// dictionary is made from: the same answers by the plainest means. Both
// must accept exactly the same words, or the benchmark fails. Hunspell's
// en_US checks the same words too, for reference: it analyses affixes
// against a dictionary of its own, so it does other work and accepts
// other words. Loading and checking are timed side by side, in turns,
// after a warm-up of each. The last line sums it up:
//   spell_lookup words=... accepted=... ns_per_word=... hashset_ns_per_word=...
//     lookup_ratio_to_hashset=... load_ms=... hunspell_load_ms=...
//     hunspell_ns_per_word=... load_time_ratio_to_hunspell=...
//     lookup_time_ratio_to_hunspell=...
// Every ratio is ours over the other's time: below 1 means we are faster.
#include <benchmark/benchmark.h>
#include <hunspell.hxx>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <unordered_set>

#include "bench/common/SideBySide.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "spell/store/Dictionary.h"

namespace {

namespace fs = std::filesystem;

const char* const HunspellAff = "/usr/share/hunspell/en_US.aff";
const char* const HunspellDic = "/usr/share/hunspell/en_US.dic";
const char* const CodespellList = "/usr/lib/python3/dist-packages/codespell_lib/data/dictionary.txt";
// The list english.dct is made from (tools/CMakeLists.txt).
const char* const WordList = "/usr/share/dict/american-english";

String DictionaryPath() { return PathJoin(VELMOR_BIN_DIR, "english.dct"); }

bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\'';
}

// The text of a page as a reader sees it: tags and entities left out.
String PageText(const String& html) {
    String text;
    text.reserve(html.size());
    bool inTag = false;
    for (size_t i = 0; i < html.size(); ++i) {
        const char c = html[i];
        if (inTag) {
            if (c == '>') inTag = false, text += ' ';
        } else if (c == '<') {
            inTag = true;
        } else if (c == '&') {
            const auto semi = html.find(';', i);
            i = semi == String::npos || semi - i > 10 ? i : semi;
            text += ' ';
        } else {
            text += c;
        }
    }
    return text;
}

// Words as a checker's parser hands them over: runs of letters and inner
// apostrophes.
void AddWords(const String& text, std::vector<String>& words) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && !IsWordChar(text[i])) ++i;
        std::size_t j = i;
        while (j < text.size() && IsWordChar(text[j])) ++j;
        String w = text.substr(i, j - i);
        while (!w.empty() && w.front() == '\'') w.erase(0, 1);
        while (!w.empty() && w.back() == '\'') w.pop_back();
        if (!w.empty()) words.push_back(w);
        i = j;
    }
}

std::vector<String> Words() {
    std::vector<fs::path> pages;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(SPELL_BENCH_PAGES, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file() && it->path().extension() == ".html") pages.push_back(it->path());
    std::sort(pages.begin(), pages.end());
    std::vector<String> words;
    for (const fs::path& p : pages) AddWords(PageText(ReadFileToString(p.string())), words);
    for (const String& line : SplitLines(ReadFileToString(CodespellList))) {
        const auto arrow = line.find("->");
        if (arrow != String::npos) words.push_back(line.substr(0, arrow));
    }
    return words;
}

// As the checker asks: the word, then its lower-case form.
inline bool Known(const TDictionary& d, const String& w) {
    return d.Lookup(w) || d.Lookup(LowerCase(w));
}

using THashSet = std::unordered_set<String>;

// Every line of the word list but empty ones, as the dictionary writer
// takes them.
THashSet LoadHashSet() {
    THashSet set;
    for (String& w : SplitLines(ReadFileToString(WordList)))
        if (!w.empty()) set.insert(std::move(w));
    return set;
}

inline bool Known(const THashSet& s, const String& w) {
    return s.count(w) || s.count(LowerCase(w));
}

const std::vector<String>& SharedWords() {
    static const std::vector<String> words = Words();
    return words;
}

void BM_Load(benchmark::State& state) {
    for (auto _ : state) {
        TDictionary d(DictionaryPath());
        benchmark::DoNotOptimize(d.Open());
    }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_HunspellLoad(benchmark::State& state) {
    for (auto _ : state) {
        Hunspell h(HunspellAff, HunspellDic);
        benchmark::DoNotOptimize(&h);
    }
}
BENCHMARK(BM_HunspellLoad)->Unit(benchmark::kMillisecond);

void BM_Lookup(benchmark::State& state) {
    TDictionary d(DictionaryPath());
    d.Open();
    const auto& words = SharedWords();
    for (auto _ : state)
        for (const String& w : words) benchmark::DoNotOptimize(Known(d, w));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(words.size()));
}
BENCHMARK(BM_Lookup)->Unit(benchmark::kMillisecond);

void BM_Hunspell(benchmark::State& state) {
    Hunspell h(HunspellAff, HunspellDic);
    const auto& words = SharedWords();
    for (auto _ : state)
        for (const String& w : words) benchmark::DoNotOptimize(h.spell(w));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(words.size()));
}
BENCHMARK(BM_Hunspell)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    for (const String& need : {DictionaryPath(), String(HunspellDic), String(CodespellList), String(WordList)})
        if (!FileExists(need)) {
            std::fprintf(stderr, "spell_lookup: needs %s (scripts/setup, then a build)\n", need.c_str());
            return 1;
        }
    const auto& words = SharedWords();
    if (words.empty()) {
        std::fprintf(stderr, "spell_lookup: no words under %s (package apache2-doc)\n", SPELL_BENCH_PAGES);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const bench::Pair load = bench::SideBySide(
        7,
        [] {
            TDictionary d(DictionaryPath());
            d.Open();
        },
        [] { Hunspell h(HunspellAff, HunspellDic); });

    TDictionary d(DictionaryPath());
    d.Open();
    const THashSet set = LoadHashSet();
    // The answers first, word by word: a faster lookup that answers
    // otherwise would be worth nothing.
    std::size_t accepted = 0, disagree = 0;
    for (const String& w : words) {
        const bool ours = Known(d, w);
        accepted += ours;
        if (ours != Known(set, w)) {
            if (disagree < 10) std::printf("disagree word=\"%s\" dictionary=%d hashset=%d\n", w.c_str(), ours, !ours);
            ++disagree;
        }
    }
    if (disagree) {
        std::fprintf(stderr, "spell_lookup: the dictionary and the word list's set disagree on %zu words\n", disagree);
        return 1;
    }

    std::size_t sink = 0;
    const bench::Pair lookup = bench::SideBySide(
        9, [&] { for (const String& w : words) sink += Known(d, w); },
        [&] { for (const String& w : words) sink += Known(set, w); });

    Hunspell h(HunspellAff, HunspellDic);
    std::size_t hunspellAccepted = 0;
    const bench::Pair hunspell = bench::SideBySide(
        5, [&] { for (const String& w : words) sink += Known(d, w); },
        [&] {
            hunspellAccepted = 0;
            for (const String& w : words) hunspellAccepted += h.spell(w);
        });
    benchmark::DoNotOptimize(sink);
    const double n = static_cast<double>(words.size());
    std::printf("words=%zu accepted=%zu hunspell_accepted=%zu\n", words.size(), accepted, hunspellAccepted);
    bench::PrintSpread("lookup_ratio_to_hashset", lookup);
    bench::PrintSpread("lookup_time_ratio_to_hunspell", hunspell);
    bench::PrintSpread("load_time_ratio_to_hunspell", load);
    bench::Summary("spell_lookup")
        .Add("words", static_cast<long long>(words.size()))
        .Add("accepted", static_cast<long long>(accepted))
        .Add("ns_per_word", lookup.ours * 1e9 / n, 1)
        .Add("hashset_ns_per_word", lookup.peer * 1e9 / n, 1)
        .Add("lookup_ratio_to_hashset", lookup.ratio, 3)
        .Add("load_ms", load.ours * 1e3)
        .Add("hunspell_load_ms", load.peer * 1e3)
        .Add("hunspell_ns_per_word", hunspell.peer * 1e9 / n, 1)
        .Add("load_time_ratio_to_hunspell", load.ratio, 3)
        .Add("lookup_time_ratio_to_hunspell", hunspell.ratio, 3)
        .Print();
    return 0;
}
