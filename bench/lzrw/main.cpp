// Compresses and decompresses a 64 MB corpus of the machine's own files
// (documentation text, then libraries and other binaries) with the library's
// block compressor and with liblz4 at its default level, both on the pieces
// a compressed stream uses. The last line sums it up for scripts:
//   lzrw compress_MBps=... decompress_MBps=... ratio=... lz4_compress_MBps=... lz4_ratio=...
// MB are 10^6 bytes; a ratio is original size over compressed size.
#include <benchmark/benchmark.h>
#include <lz4.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "styled/storage/Lzrw.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t CorpusSize = size_t{64} << 20;
// No one large library may crowd out the rest.
constexpr size_t MaxPerFile = size_t{1} << 20;

bool AlreadyCompressed(const fs::path& p) {
    static const char* const exts[] = {".gz", ".xz", ".bz2", ".zst", ".lz4", ".lzma", ".zip",
                                       ".jar", ".png", ".jpg", ".jpeg", ".gif", ".whl", ".deb"};
    const std::string e = p.extension().string();
    return std::any_of(std::begin(exts), std::end(exts), [&](const char* x) { return e == x; });
}

std::vector<fs::path> FilesUnder(const fs::path& root) {
    std::vector<fs::path> files;
    std::error_code ec;
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code fe;
        if (it->is_symlink(fe) || !it->is_regular_file(fe)) continue;
        if (AlreadyCompressed(it->path())) continue;
        files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void Append(std::vector<Byte>& corpus, const std::vector<fs::path>& files, size_t limit) {
    std::vector<char> buf(MaxPerFile);
    for (const fs::path& f : files) {
        if (corpus.size() >= limit) return;
        std::ifstream in(f, std::ios::binary);
        if (!in) continue;
        in.read(buf.data(), static_cast<std::streamsize>(std::min(MaxPerFile, limit - corpus.size())));
        const auto n = static_cast<size_t>(in.gcount());
        corpus.insert(corpus.end(), buf.begin(), buf.begin() + static_cast<long>(n));
    }
}

// Half documentation text, the rest binaries, in a fixed order.
const std::vector<Byte>& Corpus() {
    static const std::vector<Byte> corpus = [] {
        std::vector<Byte> c;
        c.reserve(CorpusSize);
        Append(c, FilesUnder("/usr/share/doc"), CorpusSize / 2);
        Append(c, FilesUnder("/usr/lib"), CorpusSize);
        return c;
    }();
    return corpus;
}

struct Blocks {
    std::vector<Byte> data;
    std::vector<size_t> offsets;  // start of each block, plus the end
    std::vector<size_t> pieceLengths;
    size_t Compressed() const { return offsets.back(); }
};

size_t PieceCount(size_t n) { return (n + LzrwPieceSize - 1) / LzrwPieceSize; }

Blocks CompressLzrw(const std::vector<Byte>& in) {
    Blocks b;
    b.data.resize(in.size() + PieceCount(in.size()) * LzrwDestSlack);
    b.offsets.push_back(0);
    size_t o = 0;
    for (size_t at = 0; at < in.size(); at += LzrwPieceSize) {
        const auto n = static_cast<Cardinal>(std::min<size_t>(LzrwPieceSize, in.size() - at));
        o += CompressBlock(in.data() + at, b.data.data() + o, n);
        b.offsets.push_back(o);
        b.pieceLengths.push_back(n);
    }
    return b;
}

Blocks CompressLz4(const std::vector<Byte>& in) {
    Blocks b;
    const int bound = LZ4_compressBound(static_cast<int>(LzrwPieceSize));
    b.data.resize(PieceCount(in.size()) * static_cast<size_t>(bound));
    b.offsets.push_back(0);
    size_t o = 0;
    for (size_t at = 0; at < in.size(); at += LzrwPieceSize) {
        const int n = static_cast<int>(std::min<size_t>(LzrwPieceSize, in.size() - at));
        o += static_cast<size_t>(LZ4_compress_default(reinterpret_cast<const char*>(in.data() + at),
                                                      reinterpret_cast<char*>(b.data.data() + o), n,
                                                      bound));
        b.offsets.push_back(o);
        b.pieceLengths.push_back(static_cast<size_t>(n));
    }
    return b;
}

const Blocks& LzrwBlocks() {
    static const Blocks b = CompressLzrw(Corpus());
    return b;
}

const Blocks& Lz4Blocks() {
    static const Blocks b = CompressLz4(Corpus());
    return b;
}

void BM_LzrwCompress(benchmark::State& state) {
    const auto& in = Corpus();
    std::vector<Byte> out(LzrwPieceSize + LzrwDestSlack);
    for (auto _ : state) {
        size_t total = 0;
        for (size_t at = 0; at < in.size(); at += LzrwPieceSize) {
            const auto n = static_cast<Cardinal>(std::min<size_t>(LzrwPieceSize, in.size() - at));
            total += CompressBlock(in.data() + at, out.data(), n);
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
}

void BM_LzrwDecompress(benchmark::State& state) {
    const Blocks& b = LzrwBlocks();
    std::vector<Byte> out(LzrwPieceSize);
    for (auto _ : state) {
        size_t total = 0;
        for (size_t k = 0; k + 1 < b.offsets.size(); ++k)
            total += DecompressBlock(b.data.data() + b.offsets[k], out.data(),
                                     static_cast<Cardinal>(b.offsets[k + 1] - b.offsets[k]), LzrwPieceSize);
        benchmark::DoNotOptimize(total);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Corpus().size()));
}

void BM_Lz4Compress(benchmark::State& state) {
    const auto& in = Corpus();
    const int bound = LZ4_compressBound(static_cast<int>(LzrwPieceSize));
    std::vector<char> out(static_cast<size_t>(bound));
    for (auto _ : state) {
        size_t total = 0;
        for (size_t at = 0; at < in.size(); at += LzrwPieceSize) {
            const int n = static_cast<int>(std::min<size_t>(LzrwPieceSize, in.size() - at));
            total += static_cast<size_t>(
                LZ4_compress_default(reinterpret_cast<const char*>(in.data() + at), out.data(), n, bound));
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
}

void BM_Lz4Decompress(benchmark::State& state) {
    const Blocks& b = Lz4Blocks();
    std::vector<char> out(LzrwPieceSize);
    for (auto _ : state) {
        size_t total = 0;
        for (size_t k = 0; k + 1 < b.offsets.size(); ++k)
            total += static_cast<size_t>(LZ4_decompress_safe(
                reinterpret_cast<const char*>(b.data.data() + b.offsets[k]), out.data(),
                static_cast<int>(b.offsets[k + 1] - b.offsets[k]), static_cast<int>(LzrwPieceSize)));
        benchmark::DoNotOptimize(total);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Corpus().size()));
}

BENCHMARK(BM_LzrwCompress)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LzrwDecompress)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Lz4Compress)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Lz4Decompress)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps each benchmark's throughput for the summary line.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    // Plain text: the output is read by scripts more than by people.
    SummaryReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
            auto it = r.counters.find("bytes_per_second");
            if (it != r.counters.end()) rates[r.run_name.function_name] = it->second.value;
        }
    }
    std::map<std::string, double> rates;
};

// A benchmark of a compressor that loses data would be worthless.
bool RoundTripsCorpus() {
    const auto& in = Corpus();
    const Blocks& b = LzrwBlocks();
    std::vector<Byte> out(LzrwPieceSize);
    for (size_t k = 0; k + 1 < b.offsets.size(); ++k) {
        const Cardinal n = DecompressBlock(b.data.data() + b.offsets[k], out.data(),
                                           static_cast<Cardinal>(b.offsets[k + 1] - b.offsets[k]),
                                           LzrwPieceSize);
        if (n != b.pieceLengths[k] || std::memcmp(out.data(), in.data() + k * LzrwPieceSize, n) != 0)
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const auto& corpus = Corpus();
    if (corpus.empty()) {
        std::fprintf(stderr, "no corpus: nothing readable under /usr/share/doc or /usr/lib\n");
        return 1;
    }
    std::printf("corpus: %zu bytes\n", corpus.size());
    if (!RoundTripsCorpus()) {
        std::fprintf(stderr, "lzrw: the corpus does not survive a round trip\n");
        return 1;
    }
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double mb = 1e6;
    const double size = static_cast<double>(corpus.size());
    std::printf("lzrw compress_MBps=%.0f decompress_MBps=%.0f ratio=%.3f lz4_compress_MBps=%.0f lz4_ratio=%.3f\n",
                reporter.rates["BM_LzrwCompress"] / mb, reporter.rates["BM_LzrwDecompress"] / mb,
                size / static_cast<double>(LzrwBlocks().Compressed()),
                reporter.rates["BM_Lz4Compress"] / mb, size / static_cast<double>(Lz4Blocks().Compressed()));
    std::fflush(stdout);
    return 0;
}
