#include "styled/storage/StyWave.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

#include "framework/classes/MemoryStream.h"
#include "framework/classes/StringStream.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/Sound.h"
#include "styled/storage/Lzrw.h"
#include "styled/storage/StreamRoutines.h"
#include "support/TempDir.h"

namespace {

const String Fixtures = VELMOR_FIXTURES;

String Tone() { return ReadFileToString(Fixtures + "/tone.wav"); }

void Put16(String& s, unsigned v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(String& s, std::uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

// The canonical 44-byte header, with the parts a test may want to spoil.
struct Header {
    String riff = "RIFF";
    String wave = "WAVE";
    String fmt = "fmt ";
    std::uint32_t fmtSize = 16;
    unsigned tag = 1;
    unsigned channels = 1;
    std::uint32_t rate = 8000;
    unsigned blockAlign = 1;
    unsigned bits = 8;
    String samples;

    String Bytes() const {
        String s = wave;
        s += fmt;
        Put32(s, fmtSize);
        Put16(s, tag);
        Put16(s, channels);
        Put32(s, rate);
        Put32(s, rate * blockAlign);
        Put16(s, blockAlign);
        Put16(s, bits);
        for (std::uint32_t k = 16; k < fmtSize && fmtSize < 64; ++k) s += '\0';
        s += "data";
        Put32(s, static_cast<std::uint32_t>(samples.size()));
        s += samples;
        String all = riff;
        Put32(all, static_cast<std::uint32_t>(s.size()));
        return all + s;
    }
};

String StreamText(TMemoryStream& m) {
    return String(reinterpret_cast<const char*>(m.Bytes().data()), m.Bytes().size());
}

String WaveBytes(TStyWave& w) {
    TMemoryStream m;
    w.SaveToStream(&m);
    return StreamText(m);
}

void LoadString(TStyWave& w, const String& bytes) {
    TStringStream s(bytes);
    w.LoadFromStream(&s);
}

// Counts the changes a wave reports and records what reached the sound
// service; no sound is made.
class WaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        wave.OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, &wave);
            ++changes;
        };
        SetSoundHook([this](const char* request, const String& bytes, bool async) {
            requests.push_back(String(request) + (async ? " async " : " sync ") + IntToLen(bytes));
            return true;
        });
    }
    void TearDown() override { SetSoundHook(nullptr); }

    static String IntToLen(const String& bytes) { return std::to_string(bytes.size()); }

    TStyWave wave;
    int changes = 0;
    std::vector<String> requests;
};

// --- the header check ---

TEST(StyWaveCheck, AcceptsWhatIsAWaveAndRefusesTheRest) {
    auto with = [](auto change) {
        Header h;
        change(h);
        return h.Bytes();
    };
    const struct {
        const char* name;
        String bytes;
        bool ok;
        TStyWaveInfo info;
    } cases[] = {
        {"canonical header, no samples", Header().Bytes(), true, {36, 8000, 1, 1, 1}},
        {"stereo 16-bit", with([](Header& h) {
             h.channels = 2;
             h.rate = 44100;
             h.blockAlign = 4;
             h.bits = 16;
             h.samples = String(8, 'x');
         }),
         true, {44, 44100, 2, 1, 4}},
        {"six channels of float", with([](Header& h) {
             h.tag = 3;
             h.channels = 6;
             h.blockAlign = 24;
         }),
         true, {36, 8000, 0, 0, 24}},
        {"extended format chunk", with([](Header& h) { h.fmtSize = 18; }), true, {38, 8000, 1, 1, 1}},
        {"the fixture", Tone(), true, {436, 8000, 1, 1, 1}},
        {"empty", "", false, {}},
        {"big-endian RIFX", with([](Header& h) { h.riff = "RIFX"; }), false, {}},
        {"not a wave", with([](Header& h) { h.wave = "AVI "; }), false, {}},
        {"another chunk before the format", with([](Header& h) { h.fmt = "LIST"; }), false, {}},
        {"format chunk too short for its fields", with([](Header& h) { h.fmtSize = 14; }), false, {}},
        {"format chunk longer than the data", with([](Header& h) { h.fmtSize = 0x7FFFFFFF; }), false, {}},
        {"cut inside the format chunk", Header().Bytes().substr(0, 35), false, {}},
        {"only the RIFF tag", "RIFF", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TStringStream s(c.bytes);
        s.SetPosition(static_cast<Int64>(c.bytes.size()) / 2);
        TStyWaveInfo info;
        EXPECT_EQ(TStyWave::CheckWave(&s, info), c.ok);
        EXPECT_EQ(s.Position(), 0);
        if (c.ok) {
            EXPECT_EQ(info.RiffSize, c.info.RiffSize);
            EXPECT_EQ(info.SamplesPerSec, c.info.SamplesPerSec);
            EXPECT_EQ(info.ChannelKind, c.info.ChannelKind);
            EXPECT_EQ(info.PCM, c.info.PCM);
            EXPECT_EQ(info.BlockAlign, c.info.BlockAlign);
        }
    }
    TStyWaveInfo info;
    EXPECT_FALSE(TStyWave::CheckWave(nullptr, info));
}

// --- loading and saving ---

TEST_F(WaveTest, LoadsFromTheStreamPositionAndSavesTheSameBytes) {
    const String tone = Tone();
    TStringStream s("prefix" + tone);
    s.SetPosition(6);
    wave.LoadFromStream(&s);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(wave.Size(), static_cast<Integer>(tone.size()));
    ASSERT_NE(wave.Data(), nullptr);
    EXPECT_EQ(wave.Data()->Position(), 0);
    EXPECT_EQ(WaveBytes(wave), tone);
}

TEST_F(WaveTest, RefusedDataLeavesTheOldWaveAlone) {
    const String tone = Tone();
    LoadString(wave, tone);
    changes = 0;
    String spoiled = tone;
    spoiled[8] = 'X';  // "WAVE" no more
    for (const String& bad : {spoiled, tone.substr(0, 30), String("not a sound at all")}) {
        EXPECT_THROW(LoadString(wave, bad), EInvalidWave);
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(WaveBytes(wave), tone);
    EXPECT_TRUE(requests.empty());
}

TEST_F(WaveTest, NothingToLoadClearsTheWave) {
    LoadString(wave, Tone());
    TStringStream empty;
    wave.LoadFromStream(&empty);
    EXPECT_TRUE(wave.Empty());
    EXPECT_FALSE(wave.HasData());
    EXPECT_EQ(wave.Size(), 0);
    EXPECT_EQ(changes, 2);
}

TEST_F(WaveTest, ReportsChangesOnlyOutsideAnUpdate) {
    wave.BeginUpdate();
    LoadString(wave, Tone());
    wave.Clear();
    EXPECT_EQ(changes, 0);
    wave.EndUpdate(false);
    EXPECT_EQ(changes, 0);
    wave.BeginUpdate();
    LoadString(wave, Tone());
    wave.EndUpdate(true);
    EXPECT_EQ(changes, 1);
}

TEST_F(WaveTest, FilesRoundTrip) {
    TTempDir scratch;
    const std::filesystem::path dir = scratch.Path();
    const String copy = (dir / "copy.wav").string();

    wave.LoadFromFile(Fixtures + "/tone.wav");
    wave.SaveToFile(copy);
    EXPECT_EQ(ReadFileToString(copy), Tone());
    auto again = TStyWave::CreateFromFile(copy);
    EXPECT_EQ(WaveBytes(*again), Tone());

    EXPECT_THROW(TStyWave::CreateFromFile((dir / "missing.wav").string()), EFOpenError);
}

// --- the stored form and the container forms ---

TEST_F(WaveTest, StoredFormIsSizeThenBytes) {
    const String tone = Tone();
    LoadString(wave, tone);
    TMemoryStream m;
    wave.WriteData(&m);
    const String stored = StreamText(m);
    ASSERT_EQ(stored.size(), tone.size() + 4);
    ASSERT_EQ(tone.size(), 444u);
    EXPECT_EQ(stored.substr(0, 4), String("\xBC\x01\x00\x00", 4));
    EXPECT_EQ(stored.substr(4), tone);

    TStyWave back;
    m.SetPosition(0);
    back.ReadData(&m);
    EXPECT_EQ(WaveBytes(back), tone);
    EXPECT_EQ(m.Position(), m.Size());
}

TEST_F(WaveTest, StoredFormOfAnEmptyWaveIsSizeZero) {
    EXPECT_FALSE(wave.HasData());
    TMemoryStream m;
    wave.WriteData(&m);
    EXPECT_EQ(StreamText(m), String(4, '\0'));
    m.SetPosition(0);
    TStyWave back;
    LoadString(back, Tone());
    back.ReadData(&m);
    EXPECT_TRUE(back.Empty());
}

TEST_F(WaveTest, DamagedStoredFormIsRefused) {
    LoadString(wave, Tone());
    // A size far beyond the record must fail before anything is allocated.
    String huge;
    Put32(huge, 0xFFFFFFF0u);
    huge += "RIFF";
    TStringStream a(huge);
    EXPECT_THROW(wave.ReadData(&a), EReadError);

    String garbage;
    Put32(garbage, 50);
    garbage += String(50, 'g');
    TStringStream b(garbage);
    EXPECT_THROW(wave.ReadData(&b), EInvalidWave);
    EXPECT_EQ(WaveBytes(wave), Tone());
}

TEST_F(WaveTest, ContainerFormsRoundTripRawAndCompressed) {
    Header h;
    h.samples = String(3000, '\x80') + Tone().substr(44);
    const String bytes = h.Bytes();
    LoadString(wave, bytes);
    for (bool compressed : {false, true}) {
        SCOPED_TRACE(compressed);
        TMemoryStream m;
        WriteByte(&m, 7);
        WriteWaveToStream(&m, &wave, compressed);
        WriteByte(&m, 9);
        if (compressed) {
            EXPECT_LT(m.Size(), static_cast<Int64>(bytes.size()));
        }
        m.SetPosition(1);
        TStyWave back;
        ReadWaveFromStream(&m, &back, compressed);
        EXPECT_EQ(WaveBytes(back), bytes);
        EXPECT_EQ(ReadByte(&m), 9);
    }
}

TEST_F(WaveTest, CompressedNonWaveIsRefused) {
    TStringStream text("plain text, not a sound");
    TMemoryStream m;
    CompressStream(&text, &m, text.Size());
    m.SetPosition(0);
    EXPECT_THROW(wave.LoadFromCompressedStream(&m), EInvalidWave);
    EXPECT_FALSE(wave.HasData());
}

// --- assignment ---

TEST_F(WaveTest, AssignCopiesClearsOrRefuses) {
    TStyWave source;
    LoadString(source, Tone());
    wave.Assign(&source);
    EXPECT_EQ(changes, 1);
    source.Clear();
    EXPECT_EQ(WaveBytes(wave), Tone());  // a copy, not a share

    wave.Assign(&source);  // an empty source leaves an empty wave
    EXPECT_TRUE(wave.Empty());

    LoadString(wave, Tone());
    wave.Assign(nullptr);
    EXPECT_TRUE(wave.Empty());

    class Other : public TPersistent {
    } other;
    LoadString(wave, Tone());
    EXPECT_THROW(wave.Assign(&other), EConvertError);
    EXPECT_EQ(WaveBytes(wave), Tone());
}

// --- sound ---

TEST_F(WaveTest, PlaysThroughTheSoundServiceAndStopsItsOwnSound) {
    String why = "unchanged";
    EXPECT_FALSE(wave.Play(true, &why));
    EXPECT_EQ(why, "no wave data");

    LoadString(wave, Tone());
    ASSERT_TRUE(wave.Play(true, &why));
    EXPECT_EQ(requests, (std::vector<String>{"play async 444"}));

    // Replacing the data ends the sound.
    LoadString(wave, Tone());
    EXPECT_EQ(requests.back(), "stop sync 0");
    EXPECT_EQ(CurrentSoundId(), 0u);

    // A sound another wave started since is not ours to stop.
    ASSERT_TRUE(wave.Play(true));
    TStyWave other;
    LoadString(other, Tone());
    ASSERT_TRUE(other.Play(true));
    requests.clear();
    wave.Clear();
    EXPECT_TRUE(requests.empty());
    EXPECT_NE(CurrentSoundId(), 0u);

    {
        TStyWave last;
        LoadString(last, Tone());
        ASSERT_TRUE(last.Play(false));  // a sound played to its end is not stopped
        requests.clear();
        ASSERT_TRUE(last.Play(true));
    }
    EXPECT_EQ(requests, (std::vector<String>{"play async 444", "stop sync 0"}));
}

TEST(StyWaveSound, SaysWhyWhenNothingCanBeHeard) {
    TStyWave wave;
    TStringStream s(Tone());
    wave.LoadFromStream(&s);
    String why;
    // Whether this machine has a player and a device is not ours to know;
    // either it plays or it says why not.
    if (!wave.Play(false, &why)) {
        EXPECT_FALSE(why.empty());
    }
}

}  // namespace
