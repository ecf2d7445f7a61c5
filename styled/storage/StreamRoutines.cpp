#include "styled/storage/StreamRoutines.h"

#include "framework/classes/MemoryStream.h"
#include "framework/classes/Strings.h"
#include "framework/rtl/Exception.h"
#include "styled/storage/Lzrw.h"
#include "styled/storage/StyWave.h"

void WriteInteger(TStream* Stream, Integer Value) {
    const auto v = static_cast<std::uint32_t>(Value);
    const Byte b[4] = {static_cast<Byte>(v), static_cast<Byte>(v >> 8),
                       static_cast<Byte>(v >> 16), static_cast<Byte>(v >> 24)};
    Stream->WriteBuffer(b, 4);
}

Integer ReadInteger(TStream* Stream) {
    Byte b[4];
    Stream->ReadBuffer(b, 4);
    return static_cast<Integer>(static_cast<std::uint32_t>(b[0]) |
                                static_cast<std::uint32_t>(b[1]) << 8 |
                                static_cast<std::uint32_t>(b[2]) << 16 |
                                static_cast<std::uint32_t>(b[3]) << 24);
}

void WriteByte(TStream* Stream, Byte Value) { Stream->WriteBuffer(&Value, 1); }

Byte ReadByte(TStream* Stream) {
    Byte b = 0;
    Stream->ReadBuffer(&b, 1);
    return b;
}

namespace {
// The bytes of `s` that fit in `limit`, cut before a character that would
// not fit whole (UTF-8); bytes that are not UTF-8 are cut where they fall.
size_t WholeCharactersIn(const String& s, size_t limit) {
    if (s.size() <= limit) return s.size();
    auto continuation = [&](size_t i) { return (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80; };
    if (!continuation(limit)) return limit;
    size_t lead = limit;
    while (lead > 0 && limit - lead < 3 && continuation(lead)) --lead;
    const unsigned char b = static_cast<unsigned char>(s[lead]);
    const size_t length = b >= 0xF8 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    return !continuation(lead) && lead + length > limit ? lead : limit;
}
}  // namespace

void WriteShortString(TStream* Stream, const String& S) {
    const Byte n = static_cast<Byte>(WholeCharactersIn(S, 255));
    WriteByte(Stream, n);
    if (n > 0) Stream->WriteBuffer(S.data(), n);
}

void ReadShortString(TStream* Stream, String& S) {
    const Byte n = ReadByte(Stream);
    String s(n, '\0');
    if (n > 0) Stream->ReadBuffer(s.data(), n);
    S = std::move(s);
}

void ReadStoredBytes(TStream* Stream, TStream* Dest, bool Compressed) {
    if (Compressed) {
        DecompressStream(Stream, Dest);
        return;
    }
    const auto n = static_cast<std::uint32_t>(ReadInteger(Stream));
    if (static_cast<Int64>(n) > Stream->Size() - Stream->Position())
        throw EReadError(RtlConsts::SReadError);
    if (n > 0) Dest->CopyFrom(Stream, n);
}

void WriteStoredBytes(TStream* Stream, TMemoryStream* Source, bool Compressed) {
    Source->SetPosition(0);
    if (Compressed) {
        CompressStream(Source, Stream, Source->Size());
    } else {
        WriteInteger(Stream, static_cast<Integer>(Source->Size()));
        if (Source->Size() > 0) Stream->WriteBuffer(Source->Memory(), Source->Size());
    }
}

void WriteStringsToStream(TStream* Stream, TStrings* Strings, bool Compressed) {
    TMemoryStream m;
    Strings->SaveToStream(&m);
    WriteStoredBytes(Stream, &m, Compressed);
}

void ReadStringsFromStream(TStream* Stream, TStrings* Strings, bool Compressed) {
    TMemoryStream m;
    ReadStoredBytes(Stream, &m, Compressed);
    m.SetPosition(0);
    Strings->LoadFromStream(&m);
}

void WriteWaveToStream(TStream* Stream, TStyWave* Wave, bool Compressed) {
    if (Compressed)
        Wave->SaveToCompressedStream(Stream);
    else
        Wave->WriteData(Stream);
}

void ReadWaveFromStream(TStream* Stream, TStyWave* Wave, bool Compressed) {
    if (Compressed)
        Wave->LoadFromCompressedStream(Stream);
    else
        Wave->ReadData(Stream);
}
