#include "styled/storage/StyWave.h"

#include <cstring>

#include "framework/classes/FileStream.h"
#include "framework/classes/MemoryStream.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/Sound.h"
#include "styled/storage/Lzrw.h"
#include "styled/storage/StreamRoutines.h"

namespace {

constexpr const char* SInvalidWave = "Invalid wave data";

// "RIFF" size "WAVE" "fmt " size, then the 16 bytes every format chunk has.
constexpr int HeaderSize = 36;
constexpr Cardinal MinFormatChunk = 16;

std::uint32_t LE32(const Byte* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

Word LE16(const Byte* p) { return static_cast<Word>(p[0] | p[1] << 8); }

}  // namespace

TStyWave::TStyWave() = default;

TStyWave::~TStyWave() { Stop(); }

std::unique_ptr<TStyWave> TStyWave::CreateFromFile(const String& FileName) {
    auto wave = std::make_unique<TStyWave>();
    wave->LoadFromFile(FileName);
    return wave;
}

bool TStyWave::Empty() const { return !FData || FData->Size() == 0; }

Integer TStyWave::Size() const { return Empty() ? 0 : static_cast<Integer>(FData->Size()); }

void TStyWave::Assign(TPersistent* Source) {
    if (Source == nullptr) {
        Clear();
        return;
    }
    auto* wave = dynamic_cast<TStyWave*>(Source);
    if (!wave) {
        TStyObject::Assign(Source);
        return;
    }
    if (wave == this) return;
    std::unique_ptr<TMemoryStream> copy;
    if (!wave->Empty()) {
        copy = std::make_unique<TMemoryStream>();
        copy->WriteBuffer(wave->FData->Bytes().data(), wave->FData->Size());
        copy->SetPosition(0);
    }
    Stop();
    FData = std::move(copy);
    Change();
}

void TStyWave::Clear() {
    Stop();
    FData.reset();
    Change();
}

void TStyWave::LoadBytes(TStream* Stream, Int64 Count) {
    if (Count <= 0) {
        Clear();
        return;
    }
    auto data = std::make_unique<TMemoryStream>();
    data->SetSize(Count);
    Stream->ReadBuffer(data->Memory(), Count);
    TStyWaveInfo info;
    if (!CheckWave(data.get(), info)) throw EInvalidWave(SInvalidWave);
    Stop();
    FData = std::move(data);
    FData->SetPosition(0);
    Change();
}

void TStyWave::ReadData(TStream* Stream) {
    const auto n = static_cast<std::uint32_t>(ReadInteger(Stream));
    // A damaged record must not make us allocate what the stream cannot hold.
    if (static_cast<Int64>(n) > Stream->Size() - Stream->Position())
        throw EReadError(RtlConsts::SReadError);
    LoadBytes(Stream, n);
}

void TStyWave::WriteData(TStream* Stream) {
    const Integer n = Size();
    WriteInteger(Stream, n);
    if (n > 0) Stream->WriteBuffer(FData->Bytes().data(), n);
}

void TStyWave::LoadFromFile(const String& FileName) {
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&f);
}

void TStyWave::LoadFromStream(TStream* Stream) {
    LoadBytes(Stream, Stream->Size() - Stream->Position());
}

void TStyWave::SaveToFile(const String& FileName) {
    String bytes;
    if (!Empty()) bytes.assign(reinterpret_cast<const char*>(FData->Bytes().data()), FData->Bytes().size());
    SafeWriteFile(FileName, bytes);
}

void TStyWave::SaveToStream(TStream* Stream) {
    if (!Empty()) Stream->WriteBuffer(FData->Bytes().data(), FData->Size());
}

void TStyWave::SaveToCompressedStream(TStream* Stream) {
    TMemoryStream m;
    SaveToStream(&m);
    m.SetPosition(0);
    CompressStream(&m, Stream, m.Size());
}

void TStyWave::LoadFromCompressedStream(TStream* Stream) {
    TMemoryStream m;
    DecompressStream(Stream, &m);
    m.SetPosition(0);
    LoadFromStream(&m);
}

bool TStyWave::CheckWave(TStream* Stream, TStyWaveInfo& Info) {
    if (!Stream) return false;
    const Int64 size = Stream->Size();
    if (size == 0) return false;
    Byte h[HeaderSize];
    Stream->SetPosition(0);
    const Int64 got = Stream->Read(h, HeaderSize);
    Stream->SetPosition(0);
    if (got < HeaderSize) return false;
    if (std::memcmp(h, "RIFF", 4) != 0 || std::memcmp(h + 8, "WAVE", 4) != 0 ||
        std::memcmp(h + 12, "fmt ", 4) != 0)
        return false;
    // The format chunk must be whole, or its fields belong to something else.
    const std::uint32_t chunk = LE32(h + 16);
    if (chunk < MinFormatChunk || static_cast<Int64>(chunk) > size - 20) return false;
    Info.RiffSize = LE32(h + 4);
    const Word tag = LE16(h + 20);
    const Word channels = LE16(h + 22);
    Info.PCM = tag == 1 ? 1 : 0;
    Info.ChannelKind = channels == 1 ? 1 : channels == 2 ? 2 : 0;
    Info.SamplesPerSec = LE32(h + 24);
    Info.BlockAlign = LE16(h + 32);
    return true;
}

bool TStyWave::Play(bool Async, String* Why) {
    if (Empty()) {
        if (Why) *Why = "no wave data";
        return false;
    }
    Stop();
    const String bytes(reinterpret_cast<const char*>(FData->Bytes().data()), FData->Bytes().size());
    if (!PlaySoundData(bytes, Async, Why)) return false;
    if (Async) FSoundId = CurrentSoundId();
    return true;
}

void TStyWave::Stop() {
    // Only our own sound: another wave may have started one since.
    if (FSoundId != 0 && CurrentSoundId() == FSoundId) StopSound();
    FSoundId = 0;
}
