#include <gtest/gtest.h>

#include "framework/classes/MemoryStream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/FileUtils.h"
#include "styled/storage/StreamRoutines.h"

namespace {

// A graphic whose stream form is its own text, so that what was stored can
// be compared byte for byte.
class TTextGraphic : public TGraphic {
public:
    String Text;
    int Width() const override { return 0; }
    int Height() const override { return 0; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    bool Empty() const override { return Text.empty(); }
    void LoadFromStream(TStream* stream) override {
        Text.assign(static_cast<size_t>(stream->Size() - stream->Position()), '\0');
        stream->ReadBuffer(Text.data(), static_cast<Int64>(Text.size()));
    }
    void SaveToStream(TStream* stream) override {
        stream->WriteBuffer(Text.data(), static_cast<Int64>(Text.size()));
    }

protected:
    void Draw(TCanvas*, const TRect&) override {}
};

String Bytes(TMemoryStream& m) {
    return String(reinterpret_cast<const char*>(m.Bytes().data()), m.Bytes().size());
}

TEST(GraphicStreams, OwnStreamFormPassesThroughRawOrCompressed) {
    TTextGraphic g;
    g.Text = ReadFileToString("/usr/share/common-licenses/GPL-3");
    for (bool compressed : {false, true}) {
        // A colour count means nothing to a graphic that is not a bitmap.
        for (int pixelFormat : {-1, 16}) {
            SCOPED_TRACE(testing::Message() << compressed << " " << pixelFormat);
            TMemoryStream m;
            WriteGraphicToStream(&m, &g, compressed, pixelFormat);
            WriteByte(&m, 0x33);
            const String stored = Bytes(m);
            if (compressed) {
                EXPECT_LT(stored.size(), g.Text.size());
            } else {
                EXPECT_EQ(stored.size(), 4 + g.Text.size() + 1);
                EXPECT_EQ(stored.substr(4, g.Text.size()), g.Text);
            }
            m.SetPosition(0);
            TTextGraphic back;
            ReadGraphicFromStream(&m, &back, compressed);
            EXPECT_EQ(back.Text, g.Text);
            EXPECT_EQ(ReadByte(&m), 0x33);
        }
    }
}

// Bits per pixel of the bitmap file image in a raw record (behind the
// 32-bit length, at offset 28 of the file image).
int StoredBits(const String& stored) {
    return static_cast<Byte>(stored[4 + 28]) | static_cast<Byte>(stored[4 + 29]) << 8;
}

TEST(GraphicStreams, BitmapsAreStoredAtTheRequestedColourCount) {
    const struct {
        const char* name;
        TPixelFormat source;
        int colors;
        int bits;
    } cases[] = {
        {"own depth", pf24bit, 0, 24},
        {"own depth of a deep bitmap", pf32bit, 0, 24},
        {"own depth of a 256-colour bitmap", pf8bit, 0, 8},
        {"two colours", pf24bit, 2, 1},
        {"sixteen colours", pf24bit, 16, 4},
        {"256 colours", pf24bit, 256, 8},
        {"monochrome stays monochrome", pf1bit, 256, 1},
        {"own stream form", pf4bit, -1, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap bitmap(7, 3);
        for (int x = 0; x < 7; ++x)
            for (int y = 0; y < 3; ++y) bitmap.Canvas()->SetPixels(x, y, static_cast<TColor>(x * 0x251F3D + y * 0x4000));
        bitmap.SetPixelFormat(c.source);

        TMemoryStream m;
        WriteGraphicToStream(&m, &bitmap, false, c.colors);
        const String stored = Bytes(m);
        ASSERT_GT(stored.size(), 4u + 30u);
        EXPECT_EQ(stored.substr(4, 2), "BM");
        EXPECT_EQ(StoredBits(stored), c.bits);
        EXPECT_EQ(bitmap.PixelFormat(), c.source);  // the source is left as it was

        for (bool compressed : {false, true}) {
            TMemoryStream again;
            WriteGraphicToStream(&again, &bitmap, compressed, c.colors);
            again.SetPosition(0);
            TBitmap back;
            ReadGraphicFromStream(&again, &back, compressed);
            EXPECT_EQ(back.Width(), 7);
            EXPECT_EQ(back.Height(), 3);
        }
    }
}

}  // namespace
