// Loads english.dct and checks every word of an English text plus
// codespell's misspellings with it and, on the same words, with Hunspell.
// The last line sums it up:
//   spell_lookup load_ms=... ns_per_word=... hunspell_ns_per_word=... ratio=...
#include <benchmark/benchmark.h>
#include <hunspell.hxx>

#include <chrono>
#include <cstdio>
#include <memory>

#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "spell/store/Dictionary.h"

namespace {

const char* const HunspellAff = "/usr/share/hunspell/en_US.aff";
const char* const HunspellDic = "/usr/share/hunspell/en_US.dic";
const char* const CodespellList = "/usr/lib/python3/dist-packages/codespell_lib/data/dictionary.txt";

String DictionaryPath() { return PathJoin(VELMOR_BIN_DIR, "english.dct"); }

bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\'';
}

// Words as a checker's parser hands them over: runs of letters and inner
// apostrophes.
std::vector<String> Words() {
    std::vector<String> words;
    const String text = ReadFileToString(SPELL_BENCH_TEXT);
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
    if (FileExists(CodespellList))
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

template <class F>
double BestMs(int rounds, F&& f) {
    double best = 1e30;
    for (int r = 0; r < rounds; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (!FileExists(DictionaryPath()) || !FileExists(SPELL_BENCH_TEXT) || !FileExists(HunspellDic)) {
        std::fprintf(stderr, "spell_lookup: needs %s, %s and %s\n", DictionaryPath().c_str(), SPELL_BENCH_TEXT,
                     HunspellDic);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const auto& words = SharedWords();
    const double loadMs = BestMs(5, [] {
        TDictionary d(DictionaryPath());
        d.Open();
    });
    TDictionary d(DictionaryPath());
    d.Open();
    std::size_t ours = 0, theirs = 0;
    const double lookupMs = BestMs(5, [&] {
        ours = 0;
        for (const String& w : words) ours += Known(d, w);
    });
    Hunspell h(HunspellAff, HunspellDic);
    const double hunspellMs = BestMs(3, [&] {
        theirs = 0;
        for (const String& w : words) theirs += h.spell(w);
    });
    const double ns = lookupMs * 1e6 / static_cast<double>(words.size());
    const double hns = hunspellMs * 1e6 / static_cast<double>(words.size());
    std::printf("words=%zu accepted=%zu hunspell_accepted=%zu\n", words.size(), ours, theirs);
    std::printf("spell_lookup load_ms=%.2f ns_per_word=%.1f hunspell_ns_per_word=%.1f ratio=%.1f\n", loadMs, ns,
                hns, hns / ns);
    return 0;
}
