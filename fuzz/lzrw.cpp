// LZRW streams and blocks: whatever decodes must survive a round trip
// through the compressor unchanged.
#include <cstring>
#include <vector>

#include "framework/classes/MemoryStream.h"
#include "fuzz/FuzzInput.h"
#include "styled/storage/Lzrw.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream source;
    source.WriteBuffer(data, static_cast<Int64>(size));
    source.SetPosition(0);
    TMemoryStream decoded;
    bool ok = false;
    fuzz::Refusable([&] {
        DecompressStream(&source, &decoded);
        ok = true;
    });
    if (ok) {
        decoded.SetPosition(0);
        TMemoryStream packed, again;
        CompressStream(&decoded, &packed, decoded.Size());
        packed.SetPosition(0);
        DecompressStream(&packed, &again);
        if (again.Bytes() != decoded.Bytes()) __builtin_trap();
    }
    std::vector<Byte> piece(LzrwPieceSize);
    if (size > 0 && size <= LzrwPieceSize + 1)
        fuzz::Refusable([&] { DecompressBlock(data, piece.data(), static_cast<Cardinal>(size), LzrwPieceSize); });
    return 0;
}
