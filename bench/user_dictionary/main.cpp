// Loads user dictionaries of 10,000 and 40,000 words with 1,000 and 4,000
// auto-correct pairs, as the engine loads them at the start of a check.
// The last line sums it up for scripts:
//   user_dictionary load_ms_10k=... load_ms_40k=... growth=...
// A growth near 4 means the load grows with the file's size.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "framework/rtl/StrUtils.h"
#include "spell/store/UserDictionary.h"

namespace {

String MakeFile(int words) {
    const String path = std::filesystem::temp_directory_path().string() + "/velmor-bench-" +
                        std::to_string(getpid()) + "-" + std::to_string(words) + ".udt";
    std::filesystem::remove(path);
    TUserDictionary dict(path);
    for (int i = 0; i < words; ++i) dict.AddWord("word" + IntToStr(i * 7919 % words));
    for (int i = 0; i < words / 10; ++i) dict.AddAutoCorrect("teh" + IntToStr(i), "the" + IntToStr(i));
    dict.Save();
    return path;
}

// One load of the file MakeFile(words) wrote; a load that lost or made up
// a word or a pair ends the benchmark.
double LoadMs(const String& path, int words) {
    const auto start = std::chrono::steady_clock::now();
    TUserDictionary dict(path);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const int pairs = words / 10;
    if (dict.Words->Count() != words || dict.AutoCorrectWords->Count() != pairs ||
        dict.AutoCorrectReplacements->Count() != pairs || dict.Words->IndexOf("word" + IntToStr(words - 1)) < 0 ||
        dict.AutoCorrectWords->IndexOf("teh" + IntToStr(pairs - 1)) < 0) {
        std::fprintf(stderr, "user_dictionary: %s did not load as it was saved (%d words, %d pairs)\n", path.c_str(),
                     dict.Words->Count(), dict.AutoCorrectWords->Count());
        std::exit(1);
    }
    return ms;
}

void BM_Load(benchmark::State& state) {
    const int words = static_cast<int>(state.range(0));
    const String path = MakeFile(words);
    for (auto _ : state) benchmark::DoNotOptimize(LoadMs(path, words));
    std::filesystem::remove(path);
}
BENCHMARK(BM_Load)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    double small = 1e9, large = 1e9;
    const String a = MakeFile(10000), b = MakeFile(40000);
    for (int i = 0; i < 3; ++i) {
        small = std::min(small, LoadMs(a, 10000));
        large = std::min(large, LoadMs(b, 40000));
    }
    std::filesystem::remove(a);
    std::filesystem::remove(b);
    std::printf("user_dictionary load_ms_10k=%.1f load_ms_40k=%.1f growth=%.1f\n", small, large, large / small);
    return 0;
}
