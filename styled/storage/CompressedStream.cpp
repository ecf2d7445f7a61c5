// The compressed stream: pieces of a source, each compressed into one block
// behind its length, all behind the total.
#include "styled/storage/Lzrw.h"

#include <vector>

#include "framework/classes/Stream.h"

namespace {

void PutLE32(TStream* stream, std::uint32_t v) {
    const Byte b[4] = {static_cast<Byte>(v), static_cast<Byte>(v >> 8),
                       static_cast<Byte>(v >> 16), static_cast<Byte>(v >> 24)};
    stream->WriteBuffer(b, 4);
}

std::uint32_t GetLE32(TStream* stream) {
    Byte b[4];
    stream->ReadBuffer(b, 4);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

// Reads until count bytes are in or the source has no more, so that a
// stream handing out short reads still yields full pieces.
Int64 ReadFully(TStream* source, Byte* buffer, Int64 count) {
    Int64 got = 0;
    while (got < count) {
        const Int64 n = source->Read(buffer + got, count - got);
        if (n <= 0) break;
        got += n;
    }
    return got;
}

}  // namespace

void CompressStream(TStream* Source, TStream* Dest, Int64 Count) {
    std::vector<Byte> piece(LzrwPieceSize);
    std::vector<Byte> block(LzrwPieceSize + LzrwDestSlack);
    const Int64 p0 = Dest->Position();
    PutLE32(Dest, 0);  // the total, filled in below
    std::uint64_t total = 0;
    while (Count > 0) {
        const Int64 want = Count < LzrwPieceSize ? Count : LzrwPieceSize;
        const Int64 got = ReadFully(Source, piece.data(), want);
        if (got <= 0) break;
        const Cardinal b = CompressBlock(piece.data(), block.data(), static_cast<Cardinal>(got));
        total += 4 + b;
        if (total > 0xFFFFFFFFu) throw ELzrwError();
        PutLE32(Dest, b);
        Dest->WriteBuffer(block.data(), b);
        Count -= got;
        if (got < want) break;
    }
    const Int64 p1 = Dest->Position();
    Dest->SetPosition(p0);
    PutLE32(Dest, static_cast<std::uint32_t>(total));
    Dest->SetPosition(p1);
}

void DecompressStream(TStream* Source, TStream* Dest) {
    std::uint32_t total = GetLE32(Source);
    if (total == 0) return;
    std::vector<Byte> block(LzrwPieceSize + 1);
    std::vector<Byte> piece(LzrwPieceSize);
    while (total > 0) {
        if (total < 4) throw ELzrwError();
        const std::uint32_t b = GetLE32(Source);
        total -= 4;
        if (b > total || b > block.size()) throw ELzrwError();
        Source->ReadBuffer(block.data(), b);
        const Cardinal n = DecompressBlock(block.data(), piece.data(), b, LzrwPieceSize);
        Dest->WriteBuffer(piece.data(), n);
        total -= b;
    }
}
