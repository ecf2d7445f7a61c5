// Compresses and decompresses a fixed corpus with the library's block
// compressor and with liblz4 at its default level, both on the pieces a
// compressed stream uses, in turns after a warm-up of each (who goes
// first alternates from round to round). The corpus is
// files of packages scripts/setup installs, in a fixed order: text (the
// English pages of the Apache HTTP Server manual, a word list, a Hunspell
// dictionary, codespell's list, WordNet's nouns) and binaries (Qt's
// core, GUI and widget libraries, libcurl). The last line sums it up:
//   lzrw corpus_bytes=... compress_MBps=... decompress_MBps=...
//     lz4_compress_MBps=... lz4_decompress_MBps=... ratio=... lz4_ratio=...
//     compress_speed_ratio_to_lz4=... decompress_speed_ratio_to_lz4=...
// MB are 10^6 bytes. `ratio` and `lz4_ratio` are compression ratios
// (original size over compressed size); the two speed ratios are ours over
// lz4's, so above 1 means faster than lz4.
#include <benchmark/benchmark.h>
#include <lz4.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/common/SideBySide.h"
#include "styled/storage/Lzrw.h"

namespace {

namespace fs = std::filesystem;

const char* const TextFiles[] = {
    "/usr/share/dict/american-english",
    "/usr/share/hunspell/en_US.dic",
    "/usr/lib/python3/dist-packages/codespell_lib/data/dictionary.txt",
    "/usr/share/wordnet/data.noun",
};
const char* const ManualPages = "/usr/share/doc/apache2-doc/manual/en";
const char* const BinaryFiles[] = {
    "/usr/lib/x86_64-linux-gnu/libQt6Core.so.6",
    "/usr/lib/x86_64-linux-gnu/libQt6Gui.so.6",
    "/usr/lib/x86_64-linux-gnu/libQt6Widgets.so.6",
    "/usr/lib/x86_64-linux-gnu/libcurl.so.4",
};

bool Append(std::vector<Byte>& corpus, const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    corpus.insert(corpus.end(), bytes.begin(), bytes.end());
    return true;
}

std::string Missing;

const std::vector<Byte>& Corpus() {
    static const std::vector<Byte> corpus = [] {
        std::vector<Byte> c;
        std::vector<fs::path> pages;
        std::error_code ec;
        for (fs::recursive_directory_iterator it(ManualPages, ec), end; !ec && it != end; it.increment(ec))
            if (it->is_regular_file() && !it->is_symlink()) pages.push_back(it->path());
        std::sort(pages.begin(), pages.end());
        if (pages.empty()) Missing = ManualPages;
        for (const fs::path& p : pages) Append(c, p);
        for (const char* f : TextFiles)
            if (!Append(c, f)) Missing = f;
        for (const char* f : BinaryFiles)
            if (!Append(c, f)) Missing = f;
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

size_t CompressAllLzrw(std::vector<Byte>& out) {
    const auto& in = Corpus();
    size_t total = 0;
    for (size_t at = 0; at < in.size(); at += LzrwPieceSize) {
        const auto n = static_cast<Cardinal>(std::min<size_t>(LzrwPieceSize, in.size() - at));
        total += CompressBlock(in.data() + at, out.data(), n);
    }
    return total;
}

size_t DecompressAllLzrw(std::vector<Byte>& out) {
    const Blocks& b = LzrwBlocks();
    size_t total = 0;
    for (size_t k = 0; k + 1 < b.offsets.size(); ++k)
        total += DecompressBlock(b.data.data() + b.offsets[k], out.data(),
                                 static_cast<Cardinal>(b.offsets[k + 1] - b.offsets[k]), LzrwPieceSize);
    return total;
}

size_t CompressAllLz4(std::vector<char>& out) {
    const auto& in = Corpus();
    size_t total = 0;
    for (size_t at = 0; at < in.size(); at += LzrwPieceSize) {
        const int n = static_cast<int>(std::min<size_t>(LzrwPieceSize, in.size() - at));
        total += static_cast<size_t>(LZ4_compress_default(reinterpret_cast<const char*>(in.data() + at),
                                                          out.data(), n, static_cast<int>(out.size())));
    }
    return total;
}

size_t DecompressAllLz4(std::vector<char>& out) {
    const Blocks& b = Lz4Blocks();
    size_t total = 0;
    for (size_t k = 0; k + 1 < b.offsets.size(); ++k)
        total += static_cast<size_t>(LZ4_decompress_safe(
            reinterpret_cast<const char*>(b.data.data() + b.offsets[k]), out.data(),
            static_cast<int>(b.offsets[k + 1] - b.offsets[k]), static_cast<int>(LzrwPieceSize)));
    return total;
}

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
    const Blocks& l = Lz4Blocks();
    for (size_t k = 0; k + 1 < l.offsets.size(); ++k) {
        const int n = LZ4_decompress_safe(reinterpret_cast<const char*>(l.data.data() + l.offsets[k]),
                                          reinterpret_cast<char*>(out.data()),
                                          static_cast<int>(l.offsets[k + 1] - l.offsets[k]),
                                          static_cast<int>(LzrwPieceSize));
        if (n < 0 || static_cast<size_t>(n) != l.pieceLengths[k] ||
            std::memcmp(out.data(), in.data() + k * LzrwPieceSize, static_cast<size_t>(n)) != 0)
            return false;
    }
    return true;
}

}  // namespace

int main() {
    const auto& corpus = Corpus();
    if (!Missing.empty()) {
        std::fprintf(stderr, "lzrw: the corpus needs %s (scripts/setup installs it)\n", Missing.c_str());
        return 1;
    }
    if (!RoundTripsCorpus()) {
        std::fprintf(stderr, "lzrw: the corpus does not survive a round trip\n");
        return 1;
    }
    std::vector<Byte> lzrwOut(LzrwPieceSize + LzrwDestSlack);
    std::vector<char> lz4Out(static_cast<size_t>(LZ4_compressBound(static_cast<int>(LzrwPieceSize))));
    size_t sink = 0;
    const int rounds = 9;
    const bench::Pair compress = bench::SideBySide(
        rounds, [&] { sink += CompressAllLzrw(lzrwOut); }, [&] { sink += CompressAllLz4(lz4Out); });
    const bench::Pair decompress = bench::SideBySide(
        rounds, [&] { sink += DecompressAllLzrw(lzrwOut); }, [&] { sink += DecompressAllLz4(lz4Out); });
    benchmark::DoNotOptimize(sink);

    const double mb = static_cast<double>(corpus.size()) / 1e6;
    const double size = static_cast<double>(corpus.size());
    std::printf("pieces=%zu rounds=%d (median of each, after a warm-up)\n", LzrwBlocks().pieceLengths.size(), rounds);
    bench::PrintSpread("compress_speed_ratio_to_lz4", compress, true);
    bench::PrintSpread("decompress_speed_ratio_to_lz4", decompress, true);
    bench::Summary("lzrw")
        .Add("corpus_bytes", static_cast<long long>(corpus.size()))
        .Add("compress_MBps", mb / compress.ours, 0)
        .Add("decompress_MBps", mb / decompress.ours, 0)
        .Add("lz4_compress_MBps", mb / compress.peer, 0)
        .Add("lz4_decompress_MBps", mb / decompress.peer, 0)
        .Add("ratio", size / static_cast<double>(LzrwBlocks().Compressed()), 3)
        .Add("lz4_ratio", size / static_cast<double>(Lz4Blocks().Compressed()), 3)
        .Add("compress_speed_ratio_to_lz4", 1 / compress.ratio, 3)
        .Add("decompress_speed_ratio_to_lz4", 1 / decompress.ratio, 3)
        .Print();
    return 0;
}
