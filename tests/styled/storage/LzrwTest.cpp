#include "styled/storage/Lzrw.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "framework/classes/MemoryStream.h"
#include "framework/rtl/FileUtils.h"

namespace {

using Bytes = std::vector<Byte>;

Bytes Compress(const Bytes& in) {
    Bytes out(in.size() + LzrwDestSlack);
    const Cardinal n = CompressBlock(in.data(), out.data(), static_cast<Cardinal>(in.size()));
    out.resize(n);
    return out;
}

// Decodes from a heap copy of exactly the block's size into a buffer of
// exactly `capacity`, so that any access past either shows up under ASan.
Bytes Decompress(const Bytes& block, size_t capacity) {
    std::unique_ptr<Byte[]> in(new Byte[block.size() ? block.size() : 1]);
    if (!block.empty()) std::memcpy(in.get(), block.data(), block.size());
    std::unique_ptr<Byte[]> out(new Byte[capacity ? capacity : 1]);
    const Cardinal n = DecompressBlock(in.get(), out.get(), static_cast<Cardinal>(block.size()),
                                       static_cast<Cardinal>(capacity));
    EXPECT_LE(n, capacity);
    return Bytes(out.get(), out.get() + n);
}

Bytes Repeat(Byte b, size_t n) { return Bytes(n, b); }

Bytes Random(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (Byte& x : b) x = static_cast<Byte>(rng());
    return b;
}

Bytes Text(const char* s) { return Bytes(s, s + std::strlen(s)); }

Bytes Licence() {
    const String s = ReadFileToString("/usr/share/common-licenses/GPL-3");
    return Bytes(s.begin(), s.end());
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes r;
    for (const Bytes& p : parts) r.insert(r.end(), p.begin(), p.end());
    return r;
}

Bytes StreamBytes(TMemoryStream& m) { return m.Bytes(); }

Bytes CompressToStream(const Bytes& in) {
    TMemoryStream src;
    if (!in.empty()) src.WriteBuffer(in.data(), static_cast<Int64>(in.size()));
    src.SetPosition(0);
    TMemoryStream dst;
    CompressStream(&src, &dst, static_cast<Int64>(in.size()));
    return StreamBytes(dst);
}

Bytes DecompressFromStream(const Bytes& stream) {
    TMemoryStream src;
    if (!stream.empty()) src.WriteBuffer(stream.data(), static_cast<Int64>(stream.size()));
    src.SetPosition(0);
    TMemoryStream dst;
    DecompressStream(&src, &dst);
    return StreamBytes(dst);
}

std::uint32_t LE32(const Bytes& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// --- the block format, byte for byte ---

struct Golden {
    const char* name;
    Bytes input;
    Bytes block;
};

// Runs of 16 bytes of the values 0, 1, 2 ...: one run item each, so the
// item count sits exactly on a group boundary.
Golden SixteenByteRuns(int runs) {
    Golden g{"", {}, {0x40}};
    for (int k = 0; k < runs; ++k) {
        if (k % 16 == 0) {
            const int items = std::min(16, runs - k);
            const auto control = static_cast<Word>(0xFFFF0000u >> items);
            g.block.push_back(static_cast<Byte>(control >> 8));
            g.block.push_back(static_cast<Byte>(control));
        }
        Bytes run = Repeat(static_cast<Byte>(k), 16);
        g.input.insert(g.input.end(), run.begin(), run.end());
        for (Byte b : {Byte{0}, Byte{0}, Byte{0}, static_cast<Byte>(k)}) g.block.push_back(b);
    }
    return g;
}

TEST(LzrwBlock, WritesTheDocumentedBytes) {
    Golden full = SixteenByteRuns(16);
    full.name = "sixteen items fill one group";
    Golden next = SixteenByteRuns(17);
    next.name = "a seventeenth item opens a second group";
    const Golden cases[] = {
        full,
        next,
        {"empty piece is a bare stored block", {}, {0x80}},
        {"100 equal bytes are one run", Repeat('x', 100), {0x40, 0x80, 0x00, 0x00, 0x00, 0x54, 'x'}},
        {"15 equal bytes are a literal and an overlapping copy",
         Repeat(0x41, 15),
         {0x40, 0x40, 0x00, 0x41, 0x00, 0x1B}},
        {"a repeated triple copies from three back",
         Text("abcabcabc"),
         {0x40, 0x10, 0x00, 'a', 'b', 'c', 0x00, 0x33}},
        {"16 equal bytes are the shortest run", Repeat(7, 16), {0x40, 0x80, 0x00, 0x00, 0x00, 0x00, 7}},
        {"4095 equal bytes are the longest run",
         Repeat(9, 4095),
         {0x40, 0x80, 0x00, 0x00, 0x0F, 0xEF, 9}},
    };
    for (const Golden& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Compress(c.input), c.block);
        EXPECT_EQ(Decompress(c.block, c.input.size()), c.input);
    }
}

TEST(LzrwBlock, IncompressibleDataIsStoredUnchanged) {
    for (size_t n : {1u, 2u, 3u, 17u, 1000u, 32781u, 65535u}) {
        SCOPED_TRACE(n);
        const Bytes in = Random(n, static_cast<unsigned>(n));
        const Bytes block = Compress(in);
        ASSERT_EQ(block.size(), n + 1);
        EXPECT_EQ(block[0], lzrwStored);
        EXPECT_TRUE(std::equal(in.begin(), in.end(), block.begin() + 1));
    }
}

TEST(LzrwBlock, RoundTripsEveryKindOfInput) {
    const Bytes licence = Licence();
    ASSERT_GT(licence.size(), 32781u);
    const Bytes alphabet = Text("abcdefghijklmnopqrstuvwxyz0123456789");
    Bytes longMatches;
    for (int i = 0; i < 200; ++i) longMatches.insert(longMatches.end(), alphabet.begin(), alphabet.end());
    Bytes mixed;
    std::mt19937 rng(7);
    while (mixed.size() < 60000) {
        switch (rng() % 3) {
        case 0: {
            Bytes r = Repeat(static_cast<Byte>(rng()), rng() % 5000);
            mixed.insert(mixed.end(), r.begin(), r.end());
            break;
        }
        case 1: {
            Bytes r = Random(rng() % 300, rng());
            mixed.insert(mixed.end(), r.begin(), r.end());
            break;
        }
        default: {
            const size_t from = rng() % licence.size();
            const size_t n = std::min<size_t>(rng() % 2000, licence.size() - from);
            mixed.insert(mixed.end(), licence.begin() + from, licence.begin() + from + n);
        }
        }
    }
    mixed.resize(60000);
    Bytes largest = Concat({licence, licence});
    largest.resize(65535);
    // Repeats of every short period, which copies from 1 to 20 bytes back
    // produce, between pieces of noise.
    Bytes periods;
    for (int period = 1; period <= 20; ++period) {
        const Bytes unit = Random(static_cast<size_t>(period), static_cast<unsigned>(period));
        for (int k = 0; k < 60; ++k) periods.push_back(unit[static_cast<size_t>(k % period)]);
        const Bytes noise = Random(static_cast<size_t>(period % 7), 99u + static_cast<unsigned>(period));
        periods.insert(periods.end(), noise.begin(), noise.end());
    }

    const struct {
        const char* name;
        Bytes input;
    } cases[] = {
        {"one byte", {42}},
        {"two bytes", {1, 1}},
        {"three equal bytes", {5, 5, 5}},
        {"a long zero run", Repeat(0, 40000)},
        {"a run one past the longest", Repeat(3, 4096)},
        {"matches longer than a copy item", longMatches},
        {"a licence text", Bytes(licence.begin(), licence.begin() + 32781)},
        {"the largest block of text", largest},
        {"runs, noise and text mixed", mixed},
        {"short periods between noise", periods},
        {"an empty piece", {}},
        {"literals, copies and runs side by side", Concat({Text("abcabcabcabc"), Repeat('q', 20),
                                                          Text("xyzxyzxyzxyzxyz"), Repeat(0, 64)})},
        // The run leaves too little room for the rest of its group, whose
        // items then finish one by one.
        {"a run in mid-group close to the end", Concat({Bytes(licence.begin(), licence.begin() + 2003),
                                                        Repeat(7, 1000), Random(150, 5)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes block = Compress(c.input);
        EXPECT_LE(block.size(), c.input.size() + 1);
        EXPECT_EQ(Decompress(block, c.input.size()), c.input);
    }
    // Text has to shrink, or the compressor is not finding matches.
    EXPECT_LT(Compress(Bytes(licence.begin(), licence.begin() + 32781)).size(), 32781u * 3 / 4);
}

TEST(LzrwBlock, RefusesBlocksPastTheLengthLimit) {
    const Bytes in(65536, 0);
    Bytes out(in.size() + LzrwDestSlack);
    EXPECT_THROW(CompressBlock(in.data(), out.data(), 65536), ELzrwError);
}

// --- the match finder ---

TEST(LzrwFindMatch, HonoursTheWindowAndLengthLimits) {
    const struct {
        const char* name;
        Cardinal earlier;  // position planted in the table
        Cardinal at;       // position searched
        Cardinal length;   // of the piece
        bool found;
        Cardinal matched;
    } cases[] = {
        {"offset 1", 100, 101, 65535, true, 18},
        {"the farthest offset", 100, 100 + 4095, 65535, true, 18},
        {"one past the window", 100, 100 + 4096, 65535, false, 0},
        {"a match cut short by the end of the piece", 100, 110, 115, true, 5},
        {"two bytes before the end", 100, 113, 115, false, 0},
        {"positions from 32768 on are never matched", 33000, 33010, 65535, false, 0},
        {"below that mark they are", 32700, 32710, 65535, true, 18},
    };
    const Bytes data = Repeat('z', 65535);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Word> table(LzrwHashSize, 0xFFFF);
        Cardinal pos = 0;
        Cardinal len = 0;
        // Planting goes through FindMatch itself, which records the position.
        FindMatch(data.data(), c.earlier, c.length, pos, len, table.data());
        EXPECT_EQ(FindMatch(data.data(), c.at, c.length, pos, len, table.data()), c.found);
        if (c.found) {
            EXPECT_EQ(pos, c.earlier);
            EXPECT_EQ(len, c.matched);
        }
    }
}

TEST(LzrwFindMatch, StopsAtTheEndOfThePiece) {
    const Bytes data = Text("abcdabcd");
    std::vector<Word> table(LzrwHashSize, 0xFFFF);
    Cardinal pos = 0;
    Cardinal len = 0;
    EXPECT_FALSE(FindMatch(data.data(), 0, 8, pos, len, table.data()));
    ASSERT_TRUE(FindMatch(data.data(), 4, 8, pos, len, table.data()));
    EXPECT_EQ(pos, 0u);
    EXPECT_EQ(len, 4u);
    // Two bytes before the end: no copy can start, and nothing past the
    // piece is read.
    EXPECT_FALSE(FindMatch(data.data(), 6, 8, pos, len, table.data()));
}

// --- damaged blocks ---

// `groups` control words of sixteen literals each, with their literals.
Bytes LiteralGroups(int groups) {
    Bytes b;
    for (int g = 0; g < groups; ++g) {
        b.push_back(0);
        b.push_back(0);
        for (int k = 0; k < 16; ++k) b.push_back(static_cast<Byte>('A' + (g + k) % 26));
    }
    return b;
}

TEST(LzrwDecompress, RejectsDamagedBlocks) {
    const struct {
        const char* name;
        Bytes block;
        size_t capacity;
    } cases[] = {
        {"no bytes at all", {}, 100},
        {"an unknown kind", {0x41, 0x00, 0x00, 'a'}, 100},
        {"a compressed block without its control word", {0x40, 0x00}, 100},
        {"a copy before the start of the output", {0x40, 0x80, 0x00, 0x00, 0x10}, 100},
        {"a copy reaching past the output so far", {0x40, 0x40, 0x00, 'a', 0x00, 0x20}, 100},
        {"the farthest offset at the start", {0x40, 0x80, 0x00, 0xFF, 0xF0}, 100},
        {"a copy item cut short", {0x40, 0x40, 0x00, 'a', 0x00}, 100},
        {"a run item cut short", {0x40, 0x80, 0x00, 0x00, 0x00, 0x54}, 100},
        {"a run longer than the output buffer", {0x40, 0x80, 0x00, 0x00, 0x00, 0x54, 'x'}, 99},
        {"a copy longer than the output buffer", {0x40, 0x40, 0x00, 'a', 0x00, 0x1F}, 17},
        {"literals past the output buffer", {0x40, 0x00, 0x00, 'a', 'b', 'c'}, 2},
        {"a stored piece larger than the output buffer", {0x80, 1, 2, 3}, 2},
        {"a control word cut short", Concat({{0x40, 0x00, 0x00}, Repeat('a', 16), {0x00}}), 100},
        {"a control word with no item after it", Concat({{0x40, 0x00, 0x00}, Repeat('a', 16), {0x80, 0x00}}),
         100},
        // Damage deep in a long block, where whole groups are decoded at once.
        {"a copy reaching before the output's start in a long block",
         Concat({{0x40}, LiteralGroups(3), {0x80, 0x00, 0x40, 0x03}, Repeat('a', 15), LiteralGroups(8)}), 4000},
        {"a run past the output buffer in a long block",
         Concat({{0x40}, LiteralGroups(3), {0x80, 0x00, 0x00, 0x0F, 0xFF, 'r'}, Repeat('a', 15), LiteralGroups(8)}),
         400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(Decompress(c.block, c.capacity), ELzrwError);
    }
}

TEST(LzrwDecompress, AcceptsCopiesAtTheExactBounds) {
    // 4095 literals of a counting pattern, then a copy from 4095 back that
    // ends exactly at the output buffer's end.
    Bytes block{0x40};
    Bytes expect;
    Cardinal items = 0;
    Bytes group;
    Word control = 0;
    auto flush = [&] {
        block.push_back(static_cast<Byte>(control >> 8));
        block.push_back(static_cast<Byte>(control));
        block.insert(block.end(), group.begin(), group.end());
        group.clear();
        control = 0;
        items = 0;
    };
    for (int i = 0; i < 4095; ++i) {
        group.push_back(static_cast<Byte>(i * 7));
        expect.push_back(static_cast<Byte>(i * 7));
        if (++items == 16) flush();
    }
    control |= static_cast<Word>(0x8000 >> items);
    group.push_back(0xFF);
    group.push_back(0xFF);  // offset 4095, length 18
    for (int k = 0; k < 18; ++k) expect.push_back(expect[expect.size() - 4095]);
    flush();
    EXPECT_EQ(Decompress(block, expect.size()), expect);
}

// Random damage to valid blocks must end in the error or in some output
// within bounds; under ASan any stray access fails the run.
TEST(LzrwDecompress, SurvivesRandomCorruption) {
    const Bytes licence = Licence();
    const Bytes sources[] = {
        Bytes(licence.begin(), licence.begin() + 20000),
        Concat({Repeat(0, 5000), Bytes(licence.begin(), licence.begin() + 3000), Repeat('a', 300)}),
        Text("abcabcabcabcabcabcabcabcabcabcabcabcabcabcabc!"),
    };
    std::mt19937 rng(20240601);
    int rejected = 0;
    for (const Bytes& source : sources) {
        const Bytes good = Compress(source);
        ASSERT_EQ(good[0], lzrwCompressed);
        for (int round = 0; round < 3000; ++round) {
            Bytes bad = good;
            const int edits = 1 + static_cast<int>(rng() % 4);
            for (int e = 0; e < edits && !bad.empty(); ++e) {
                const size_t at = rng() % bad.size();
                switch (rng() % 4) {
                case 0: bad[at] = static_cast<Byte>(rng()); break;
                case 1: bad[at] ^= static_cast<Byte>(1u << (rng() % 8)); break;
                case 2: bad.resize(at); break;
                default: bad.erase(bad.begin() + static_cast<long>(at)); break;
                }
            }
            try {
                const Bytes out = Decompress(bad, source.size());
                EXPECT_LE(out.size(), source.size());
                if (bad == good) {
                    EXPECT_EQ(out, source);
                }
            } catch (const ELzrwError&) {
                ++rejected;
            }
        }
    }
    // Most damage is caught; if none were, the checks are not running.
    EXPECT_GT(rejected, 1000);
}

// --- compressed streams ---

TEST(LzrwStream, CutsTheSourceIntoPiecesWithLengthPrefixes) {
    const Bytes licence = Licence();
    Bytes in;
    while (in.size() < 70000) in.insert(in.end(), licence.begin(), licence.end());
    in.resize(70000);
    const Bytes stream = CompressToStream(in);

    ASSERT_GE(stream.size(), 4u);
    EXPECT_EQ(LE32(stream, 0), stream.size() - 4);
    std::vector<size_t> pieces;
    size_t at = 4;
    while (at < stream.size()) {
        const std::uint32_t b = LE32(stream, at);
        at += 4;
        ASSERT_LE(at + b, stream.size());
        pieces.push_back(Decompress(Bytes(stream.begin() + static_cast<long>(at),
                                          stream.begin() + static_cast<long>(at + b)),
                                    LzrwPieceSize)
                             .size());
        at += b;
    }
    EXPECT_EQ(pieces, (std::vector<size_t>{32781, 32781, 4438}));
    EXPECT_EQ(DecompressFromStream(stream), in);
}

TEST(LzrwStream, RoundTripsSizesAroundThePieceLength) {
    const Bytes licence = Licence();
    for (size_t n : {size_t{0}, size_t{1}, size_t{32780}, size_t{32781}, size_t{32782}, size_t{65562},
                     size_t{100000}}) {
        SCOPED_TRACE(n);
        Bytes in;
        while (in.size() < n) in.insert(in.end(), licence.begin(), licence.end());
        in.resize(n);
        if (n == 100000) in = Random(n, 3);  // every piece stored
        const Bytes stream = CompressToStream(in);
        if (n == 0) {
            EXPECT_EQ(stream, (Bytes{0, 0, 0, 0}));
        }
        EXPECT_EQ(DecompressFromStream(stream), in);
    }
}

TEST(LzrwStream, WritesAtTheDestinationPositionAndEndsAfterIt) {
    TMemoryStream src;
    const Bytes text = Text("a short text a short text a short text");
    src.WriteBuffer("skip", 4);
    src.WriteBuffer(text.data(), static_cast<Int64>(text.size()));
    src.SetPosition(4);
    TMemoryStream dst;
    dst.WriteBuffer("head", 4);
    // Asks for more than the source holds: the stream covers what was there.
    CompressStream(&src, &dst, 1000);
    dst.WriteBuffer("tail", 4);

    const Bytes all = dst.Bytes();
    ASSERT_GT(all.size(), 12u);
    EXPECT_EQ(Bytes(all.begin(), all.begin() + 4), Text("head"));
    EXPECT_EQ(Bytes(all.end() - 4, all.end()), Text("tail"));
    EXPECT_EQ(LE32(all, 4), all.size() - 12);
    EXPECT_EQ(DecompressFromStream(Bytes(all.begin() + 4, all.end() - 4)), text);
}

TEST(LzrwStream, DamagedStreamsRaiseAndNeverCrash) {
    const Bytes licence = Licence();
    const Bytes good = CompressToStream(Concat({licence, Repeat(0, 4000)}));
    const struct {
        const char* name;
        Bytes stream;
        bool damaged;  // ELzrwError; otherwise the stream's read error
    } cases[] = {
        {"nothing at all", {}, false},
        {"total cut short", {4, 0}, false},
        {"total promises more than the stream holds", Bytes(good.begin(), good.end() - 10), false},
        {"total too small for a length field", {2, 0, 0, 0, 0, 0}, true},
        {"block longer than the total", {6, 0, 0, 0, 9, 0, 0, 0, 0x80, 1}, true},
        {"block longer than any piece", {0x00, 0x90, 0, 0, 0x00, 0x88, 0, 0}, true},
        {"empty block", {4, 0, 0, 0, 0, 0, 0, 0}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.damaged) {
            EXPECT_THROW(DecompressFromStream(c.stream), ELzrwError);
        } else {
            EXPECT_THROW(DecompressFromStream(c.stream), EReadError);
        }
    }

    std::mt19937 rng(99);
    for (int round = 0; round < 1500; ++round) {
        Bytes bad = good;
        const size_t at = rng() % bad.size();
        if (rng() % 3 == 0)
            bad.resize(at);
        else
            bad[at] = static_cast<Byte>(rng());
        try {
            DecompressFromStream(bad);
        } catch (const ELzrwError&) {
        } catch (const EReadError&) {
        }
    }
}

}  // namespace
