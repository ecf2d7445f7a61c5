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

void WriteShortString(TStream* Stream, const String& S) {
    const Byte n = static_cast<Byte>(S.size() > 255 ? 255 : S.size());
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
