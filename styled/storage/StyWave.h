#pragma once
// The bytes of one RIFF/WAVE sound held in memory: checked when loaded,
// stored as the "Data" property of the component that owns it, kept raw or
// compressed in containers.
#include <cstdint>
#include <memory>

#include "framework/rtl/Exception.h"
#include "styled/base/StyObject.h"

class TStream;
class TMemoryStream;

VELMOR_EXCEPTION(EInvalidWave, Exception)
VELMOR_EXCEPTION(EErrorCheckingWave, Exception)

// What CheckWave reads from the header.
struct TStyWaveInfo {
    Cardinal RiffSize = 0;
    Cardinal SamplesPerSec = 0;
    Byte ChannelKind = 0;  // 1 mono, 2 stereo, 0 anything else
    Byte PCM = 0;          // 1 when the format tag is PCM
    Word BlockAlign = 0;
};

class TStyWave : public TStyObject {
public:
    TStyWave();
    ~TStyWave() override;
    TStyWave(const TStyWave&) = delete;
    TStyWave& operator=(const TStyWave&) = delete;
    // EFOpenError for the file, EInvalidWave for its contents.
    static std::unique_ptr<TStyWave> CreateFromFile(const String& FileName);
    String ClassName() const override { return "TStyWave"; }

    // --- the data ---
    // None until something is loaded; positioned at 0 after every load.
    TMemoryStream* Data() const { return FData.get(); }
    // Whether the owner writes the stored form at all.
    bool HasData() const { return FData != nullptr; }
    bool Empty() const;
    Integer Size() const;
    // A wave copies the bytes; nullptr clears; anything else is refused by
    // the inherited rule.
    void Assign(TPersistent* Source) override;
    void Clear();

    // The stored form: a 32-bit little-endian size, then the bytes.
    virtual void ReadData(TStream* Stream);
    virtual void WriteData(TStream* Stream);
    virtual void LoadFromFile(const String& FileName);
    // Loads from the stream's position to its end. Nothing left to read
    // clears the wave; bytes that are not a wave raise EInvalidWave and the
    // wave keeps what it had.
    virtual void LoadFromStream(TStream* Stream);
    // The bytes alone, no size. The file is replaced safely.
    virtual void SaveToFile(const String& FileName);
    virtual void SaveToStream(TStream* Stream);

    // The bytes as a compressed stream, as containers keep them.
    void SaveToCompressedStream(TStream* Stream);
    void LoadFromCompressedStream(TStream* Stream);

    // True when the stream starts with a complete RIFF/WAVE header and
    // "fmt " chunk; fills Info from it. Leaves the stream at position 0.
    static bool CheckWave(TStream* Stream, TStyWaveInfo& Info);

    // Plays the wave through the system's sound service; false, with the
    // reason in *Why, when it cannot be heard. A new sound, clearing or
    // replacing the data and destruction end the one this wave started.
    bool Play(bool Async = true, String* Why = nullptr);
    void Stop();

private:
    void LoadBytes(TStream* Stream, Int64 Count);
    std::unique_ptr<TMemoryStream> FData;
    std::uint64_t FSoundId = 0;
};
