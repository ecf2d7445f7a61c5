#include "gridkit/grid/CellFileLines.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VELMOR_CELLFILE_AVX2 1
#endif

#include "gridkit/grid/GkFunctions.h"

namespace {

// Bits set in x, without a call where the processor has no instruction of
// its own for it.
inline unsigned BitCount(uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<unsigned>((x * 0x0101010101010101ull) >> 56);
}

// One bit per byte of data[0, 64) that equals c.
inline uint64_t Matches64(const char* p, char c) {
#if defined(__SSE2__)
    const __m128i v = _mm_set1_epi8(c);
    auto part = [&](int at) {
        return static_cast<uint64_t>(static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at)), v))));
    };
    return part(0) | part(16) << 16 | part(32) << 32 | part(48) << 48;
#else
    uint64_t m = 0;
    for (int i = 0; i < 64; ++i) m |= static_cast<uint64_t>(p[i] == c) << i;
    return m;
#endif
}

// Four at a time whether there are four or not (the count says how many
// are real): a short line costs no wrong guess of the loop.
#define VELMOR_PUT_STOPS(bits, offset, out)                                                       \
    do {                                                                                          \
        for (int k = 0; k < 4; ++k) {                                                             \
            out[k] = offset + static_cast<uint32_t>(__builtin_ctzll(bits | (1ull << 63)));        \
            bits &= bits - 1;                                                                     \
        }                                                                                         \
        out += 4;                                                                                 \
    } while (bits)

size_t FindLineEndsPlain(const char* data, size_t from, size_t to, uint32_t* stops) {
    size_t count = 0;
    for (size_t i = from; i < to; i += 64) {
        uint64_t bits = Matches64(data + i, '\r');
        const uint32_t offset = static_cast<uint32_t>(i - from);
        uint32_t* out = stops + count;
        count += BitCount(bits);
        VELMOR_PUT_STOPS(bits, offset, out);
    }
    return count;
}

#if defined(VELMOR_CELLFILE_AVX2)
// The same with 32 bytes a step and the processor's own bit count, for the
// processors that have them (nearly all in use); chosen once at start.
__attribute__((target("avx2,popcnt,bmi"))) size_t FindLineEndsAvx2(const char* data, size_t from, size_t to,
                                                                     uint32_t* stops) {
    size_t count = 0;
    const __m256i cr = _mm256_set1_epi8('\r');
    for (size_t i = from; i < to; i += 64) {
        const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
        const __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 32));
        uint64_t bits = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(lo, cr))) |
                        static_cast<uint64_t>(static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(hi, cr))))
                            << 32;
        const uint32_t offset = static_cast<uint32_t>(i - from);
        uint32_t* out = stops + count;
        count += static_cast<size_t>(__builtin_popcountll(bits));
        VELMOR_PUT_STOPS(bits, offset, out);
    }
    return count;
}
#endif

using TFindLineEnds = size_t (*)(const char*, size_t, size_t, uint32_t*);

TFindLineEnds ChooseFindLineEnds() {
#if defined(VELMOR_CELLFILE_AVX2)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") && __builtin_cpu_supports("bmi"))
        return FindLineEndsAvx2;
#endif
    return FindLineEndsPlain;
}

const TFindLineEnds FindLineEndsChosen = ChooseFindLineEnds();

}  // namespace

namespace CellFileDetail {

size_t FindLineEnds(const char* data, size_t from, size_t to, uint32_t* stops) {
    return FindLineEndsChosen(data, from, to, stops);
}

}  // namespace CellFileDetail

bool ParseCellLine(const char* data, size_t begin, size_t end, int& col, int& row, size_t& text) {
    const std::string_view line(data + begin, end - begin);
    const size_t c1 = line.find(',');
    if (c1 == std::string_view::npos) return false;
    const size_t c2 = line.find(',', c1 + 1);
    col = CellFileNumber(line.substr(0, c1));
    row = CellFileNumber(c2 == std::string_view::npos ? line.substr(c1 + 1) : line.substr(c1 + 1, c2 - c1 - 1));
    text = begin + (c2 == std::string_view::npos ? line.size() : c2 + 1);
    return true;
}

bool ParseCellLineFast(const char* data, size_t begin, size_t end, size_t limit, TCellLineState& state, int& col,
                       int& row, size_t& text) {
#if defined(__SSE2__)
    const char* p = data + begin;
    const size_t n = end - begin;
    if (limit - begin >= 24 && n >= 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned inLine = (1u << std::min<size_t>(n, 16)) - 1;
        const unsigned commas =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(',')))) & inLine;
        const unsigned others = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmplt_epi8(v, _mm_set1_epi8('0')), _mm_cmpgt_epi8(v, _mm_set1_epi8('9')))));
        const unsigned c1 = static_cast<unsigned>(__builtin_ctz(commas | 0x10000));
        const unsigned c2 = static_cast<unsigned>(__builtin_ctz((commas & (commas - 1)) | 0x10000));
        // "digits,digits," within the first 16 bytes, up to 7 digits a
        // field: the form the grid writes.
        if (c2 < 16 && c1 >= 1 && c1 <= 7 && c2 - c1 >= 2 && c2 - c1 <= 8 &&
            (others & ((1u << c2) - 1)) == (1u << c1)) {
            if (c1 == 1) {
                col = p[0] - '0';
            } else {
                col = 0;
                for (unsigned i = 0; i < c1; ++i) col = col * 10 + (p[i] - '0');
            }
            const unsigned len = c2 - c1 - 1;
            uint64_t key;
            std::memcpy(&key, p + c1 + 1, 8);
            key &= ~uint64_t{0} >> (64 - 8 * len);  // len <= 7: the digits, the rest zero
            if (key == state.RowKey) {
                row = state.Row;
            } else {
                row = 0;
                for (unsigned i = c1 + 1; i < c2; ++i) row = row * 10 + (p[i] - '0');
                state.RowKey = key;
                state.Row = row;
            }
            text = begin + c2 + 1;
            return true;
        }
    }
#else
    (void)limit;
    (void)state;
#endif
    return ParseCellLine(data, begin, end, col, row, text);
}

std::vector<size_t> CellFilePieces(const char* data, size_t begin, size_t end, size_t pieceBytes) {
    // Every CR ends a line (and an LF after it belongs to that end), so a
    // cut just after one starts a line.
    std::vector<size_t> cuts{begin};
    pieceBytes = std::max<size_t>(pieceBytes, 1);
    while (end - cuts.back() > pieceBytes) {
        const size_t from = cuts.back() + pieceBytes;
        const char* cr = static_cast<const char*>(std::memchr(data + from, '\r', end - from));
        if (!cr) break;
        size_t cut = static_cast<size_t>(cr - data) + 1;
        if (cut < end && data[cut] == '\n') ++cut;
        if (cut >= end) break;
        cuts.push_back(cut);
    }
    cuts.push_back(end);
    return cuts;
}
