#include "styled/storage/Lzrw.h"

#include <array>
#include <bit>
#include <cstring>

namespace {

constexpr Word EmptySlot = 0xFFFF;
constexpr Cardinal MaxMatch = 18;
constexpr Cardinal MinMatch = 3;
constexpr Cardinal MinRun = 16;
constexpr Cardinal MaxRun = 4095;
constexpr Cardinal Window = 4096;
constexpr Cardinal GroupItems = 16;

inline Cardinal Hash3(const Byte* p) {
    const std::uint32_t h =
        ((((static_cast<std::uint32_t>(p[0]) << 4) ^ p[1]) << 4) ^ p[2]) * 40543u;
    return (h >> 4) & 0xFFF;
}

inline std::uint64_t Load64(const Byte* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Number of equal leading bytes of a and b, at most limit (limit <= 18).
inline Cardinal CommonLength(const Byte* a, const Byte* b, Cardinal limit) {
    Cardinal n = 0;
    if constexpr (std::endian::native == std::endian::little) {
        while (n + 8 <= limit) {
            const std::uint64_t x = Load64(a + n) ^ Load64(b + n);
            if (x != 0) return n + static_cast<Cardinal>(std::countr_zero(x)) / 8;
            n += 8;
        }
    }
    while (n < limit && a[n] == b[n]) ++n;
    return n;
}

// Length of the run of p[0] that starts at p, at most limit.
inline Cardinal RunLength(const Byte* p, Cardinal limit) {
    const Byte b = p[0];
    Cardinal r = 1;
    if constexpr (std::endian::native == std::endian::little) {
        const std::uint64_t pattern = b * 0x0101010101010101ull;
        while (r + 8 <= limit) {
            const std::uint64_t x = Load64(p + r) ^ pattern;
            if (x != 0) return r + static_cast<Cardinal>(std::countr_zero(x)) / 8;
            r += 8;
        }
    }
    while (r < limit && p[r] == b) ++r;
    return r;
}

// The match finder proper. Positions are kept as 16-bit entries and read
// back as signed ones, so positions from 32768 on are remembered but never
// matched: pieces of a compressed stream end just past that mark, and the
// format has always been written this way.
inline bool FindMatchAt(const Byte* source, Cardinal p, Cardinal length, Cardinal& matchPos,
                        Cardinal& matchLen, Word* table) {
    // Too close to the end for a copy; hashing here would read past the piece.
    if (length - p < MinMatch) return false;
    Word& slot = table[Hash3(source + p)];
    const Word e = slot;
    slot = static_cast<Word>(p);
    if (e == EmptySlot) return false;
    const std::int32_t earlier = static_cast<std::int16_t>(e);
    if (static_cast<std::int32_t>(p) - earlier >= static_cast<std::int32_t>(Window)) return false;
    const Cardinal limit = length - p < MaxMatch ? length - p : MaxMatch;
    matchPos = static_cast<Cardinal>(earlier);
    matchLen = CommonLength(source + p, source + earlier, limit);
    return matchLen >= MinMatch;
}

}  // namespace

bool FindMatch(const Byte* Source, Cardinal Position, Cardinal Length, Cardinal& MatchPosition,
               Cardinal& MatchLength, Word* HashTable) {
    MatchLength = 0;
    if (Position >= Length) return false;
    return FindMatchAt(Source, Position, Length, MatchPosition, MatchLength, HashTable);
}

Cardinal CompressBlock(const Byte* Source, Byte* Dest, Cardinal Length) {
    if (Length > LzrwMaxBlockLength) throw ELzrwError();
    // Filled with 0x8080 rather than the finder's 0xFFFF: read as a signed
    // position it lies beyond the window from everywhere, like any position
    // from 32768 on, so an empty slot needs no test of its own.
    Word table[LzrwHashSize];
    std::memset(table, 0x80, sizeof table);

    Dest[0] = lzrwCompressed;
    Cardinal i = 0;
    Byte* op = Dest + 3;
    Byte* ctrl = Dest + 1;
    Byte* const outLimit = Dest + Length;
    // Item bits under a marker bit: the marker reaching bit 16 means the
    // group has its 16 items.
    std::uint32_t w = 1;
    // Once the output passes the input the block will be stored anyway.
    while (i < Length && op <= outLimit) {
        if (w & 0x10000) {
            ctrl[0] = static_cast<Byte>(w >> 8);
            ctrl[1] = static_cast<Byte>(w);
            ctrl = op;
            op += 2;
            w = 1;
        }
        const Byte* const ip = Source + i;
        const Byte b = *ip;
        const Cardinal left = Length - i;
        if (left > 1 && ip[1] == b) {
            const Cardinal r = RunLength(ip, left < MaxRun ? left : MaxRun);
            if (r >= MinRun) {
                const Cardinal k = r - MinRun;
                op[0] = 0;
                op[1] = static_cast<Byte>(k >> 8);
                op[2] = static_cast<Byte>(k);
                op[3] = b;
                op += 4;
                i += r;
                w = (w << 1) | 1;
                continue;
            }
        }
        if (left >= MinMatch) {
            Word& slot = table[Hash3(ip)];
            const std::int32_t d = static_cast<std::int32_t>(i) - static_cast<std::int16_t>(slot);
            slot = static_cast<Word>(i);
            if (d < static_cast<std::int32_t>(Window)) {
                const Cardinal len = CommonLength(ip, ip - d, left < MaxMatch ? left : MaxMatch);
                if (len >= MinMatch) {
                    const Cardinal v = (static_cast<Cardinal>(d) << 4) | (len - MinMatch);
                    op[0] = static_cast<Byte>(v >> 8);
                    op[1] = static_cast<Byte>(v);
                    op += 2;
                    i += len;
                    w = (w << 1) | 1;
                    continue;
                }
            }
        }
        *op++ = b;
        ++i;
        w <<= 1;
    }
    const int items = std::bit_width(w) - 1;
    w <<= (GroupItems - items);
    ctrl[0] = static_cast<Byte>(w >> 8);
    ctrl[1] = static_cast<Byte>(w);

    if (op > outLimit) {
        Dest[0] = lzrwStored;
        if (Length > 0) std::memcpy(Dest + 1, Source, Length);
        return Length + 1;
    }
    return static_cast<Cardinal>(op - Dest);
}

namespace {

// Room a whole group needs when no run is in it: 16 items of at most 18
// bytes, and the 24 bytes the last copy may write past its end.
constexpr Cardinal GroupOutRoom = GroupItems * MaxMatch + 24;
// Input a whole group may read: 16 items of at most 4 bytes, and the 16
// bytes a literal copy reads past its end.
constexpr Cardinal GroupInRoom = GroupItems * 4 + 16;

// Each byte with its bits in reverse order.
constexpr std::array<Byte, 256> ReversedBits = [] {
    std::array<Byte, 256> t{};
    for (unsigned b = 0; b < 256; ++b) {
        unsigned r = 0;
        for (unsigned k = 0; k < 8; ++k)
            if (b & (1u << k)) r |= 0x80u >> k;
        t[b] = static_cast<Byte>(r);
    }
    return t;
}();

// Copies len (3..18) bytes from off bytes back. Each 8-byte step reads only
// bytes written before it, so offsets from 8 on copy a word at a time; the
// overshoot (up to 24 bytes from d) is overwritten by later items or lies
// past the decoded length. Shorter offsets repeat the bytes just written.
inline void CopyMatch(Byte* d, Cardinal off, Cardinal len) {
    const Byte* s = d - off;
    if (off >= 8) {
        std::memcpy(d, s, 8);
        std::memcpy(d + 8, s + 8, 8);
        std::memcpy(d + 16, s + 16, 8);
    } else {
        for (Cardinal k = 0; k < len; ++k) d[k] = s[k];
    }
}

}  // namespace

Cardinal DecompressBlock(const Byte* Source, Byte* Dest, Cardinal BlockLength, Cardinal DestSize) {
    if (BlockLength == 0) throw ELzrwError();
    if (Source[0] == lzrwStored) {
        const Cardinal n = BlockLength - 1;
        if (n > DestSize) throw ELzrwError();
        if (n > 0) std::memcpy(Dest, Source + 1, n);
        return n;
    }
    if (Source[0] != lzrwCompressed || BlockLength < 3) throw ELzrwError();
    // The block of an empty piece: a control word and no item.
    if (BlockLength == 3) return 0;

    const Cardinal L = BlockLength;
    Cardinal i = 1;
    Cardinal o = 0;
    std::uint32_t w = 0;
    Cardinal bits = 0;
    for (;;) {
        if (bits == 0) {
            // A group whose every item lies well inside both buffers goes
            // without a bounds check per item; copies still may not reach
            // before the start, and runs check their own length.
            if (L - i >= 2 + GroupInRoom && DestSize - o >= GroupOutRoom) {
                const std::uint32_t word = static_cast<std::uint32_t>(Source[i]) << 8 | Source[i + 1];
                i += 2;
                // The group's copies and runs as set bits, the first item in
                // bit 0: each next one is found without waiting on the last.
                std::uint32_t items = ReversedBits[word >> 8] | ReversedBits[word & 0xFF] << 8;
                Cardinal item = 0;  // items of the group done
                bool cut = false;
                while (items != 0) {
                    const Cardinal at = static_cast<Cardinal>(std::countr_zero(items));
                    items &= items - 1;
                    // The literals up to this copy or run (maybe none), 16
                    // bytes at once.
                    const Cardinal n = at - item;
                    std::memcpy(Dest + o, Source + i, 16);
                    o += n;
                    i += n;
                    item = at + 1;
                    const Cardinal v = static_cast<Cardinal>(Source[i]) << 8 | Source[i + 1];
                    const Cardinal off = v >> 4;
                    if (off != 0) {
                        if (off > o) throw ELzrwError();
                        CopyMatch(Dest + o, off, (v & 15u) + MinMatch);
                        o += (v & 15u) + MinMatch;
                        i += 2;
                    } else {
                        const Cardinal count = (v << 8 | Source[i + 2]) + MinRun;
                        if (count > DestSize - o) throw ELzrwError();
                        std::memset(Dest + o, Source[i + 3], count);
                        o += count;
                        i += 4;
                        // The rest of the group may no longer fit: the
                        // checked loop below finishes it.
                        if (DestSize - o < GroupOutRoom) {
                            cut = true;
                            break;
                        }
                    }
                }
                if (!cut) {
                    // The literals after the last copy or run.
                    std::memcpy(Dest + o, Source + i, 16);
                    o += GroupItems - item;
                    i += GroupItems - item;
                    continue;
                }
                bits = GroupItems - item;
                w = word << item;
                if (bits == 0) continue;
            } else {
                if (i >= L) return o;
                if (L - i < 2) throw ELzrwError();
                w = static_cast<std::uint32_t>(Source[i]) << 8 | Source[i + 1];
                i += 2;
                bits = GroupItems;
                // A control word must be followed by an item.
                if (i >= L) throw ELzrwError();
            }
        }
        if (i >= L) return o;
        if ((w & 0x8000) == 0) {
            if (o >= DestSize) throw ELzrwError();
            Dest[o++] = Source[i++];
        } else {
            if (L - i < 2) throw ELzrwError();
            const Cardinal off = static_cast<Cardinal>(Source[i]) << 4 | Source[i + 1] >> 4;
            if (off == 0) {
                if (L - i < 4) throw ELzrwError();
                const Cardinal count =
                    (static_cast<Cardinal>(Source[i + 1]) << 8 | Source[i + 2]) + MinRun;
                if (count > DestSize - o) throw ELzrwError();
                std::memset(Dest + o, Source[i + 3], count);
                o += count;
                i += 4;
            } else {
                const Cardinal len = (Source[i + 1] & 15u) + MinMatch;
                if (off > o || len > DestSize - o) throw ELzrwError();
                if (DestSize - o >= 24)
                    CopyMatch(Dest + o, off, len);
                else
                    for (Cardinal k = 0; k < len; ++k) Dest[o + k] = Dest[o - off + k];
                o += len;
                i += 2;
            }
        }
        w <<= 1;
        --bits;
    }
}
