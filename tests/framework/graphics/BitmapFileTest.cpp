#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "PixelHelpers.h"
#include "support/TempDir.h"
#include "framework/classes/MemoryStream.h"
#include "framework/graphics/JPEGImage.h"
#include "framework/graphics/Picture.h"

namespace {

std::uint32_t U32(const std::vector<Byte>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
std::uint16_t U16(const std::vector<Byte>& b, size_t at) { return std::uint16_t(b[at] | (b[at + 1] << 8)); }

std::vector<Byte> Save(TGraphic& g) {
    TMemoryStream ms;
    g.SaveToStream(&ms);
    return ms.Bytes();
}

TEST(BitmapFile, TwentyFourBitLayoutIsBottomUpBgrWithPaddedRows) {
    auto bmp = WhiteBitmap(3, 2);
    bmp->SetPixelFormat(pf24bit);
    TCanvas* c = bmp->Canvas();
    c->SetPixels(0, 0, RGB(1, 2, 3));
    c->SetPixels(2, 0, RGB(10, 20, 30));
    c->SetPixels(0, 1, RGB(200, 100, 50));
    auto b = Save(*bmp);
    ASSERT_EQ(b.size(), 14u + 40u + 2 * 12u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(U32(b, 2), b.size());    // file size
    EXPECT_EQ(U32(b, 10), 54u);        // pixel data offset
    EXPECT_EQ(U32(b, 14), 40u);        // info header size
    EXPECT_EQ(U32(b, 18), 3u);         // width
    EXPECT_EQ(U32(b, 22), 2u);         // height, positive: bottom-up
    EXPECT_EQ(U16(b, 26), 1);          // planes
    EXPECT_EQ(U16(b, 28), 24);         // bits per pixel
    EXPECT_EQ(U32(b, 30), 0u);         // uncompressed
    EXPECT_EQ(U32(b, 34), 24u);        // image size: 2 rows of 12 bytes
    // The first row in the file is the bottom one.
    EXPECT_EQ(b[54], 50);
    EXPECT_EQ(b[55], 100);
    EXPECT_EQ(b[56], 200);
    EXPECT_EQ(b[54 + 9], 0);  // padding
    EXPECT_EQ(b[66], 3);
    EXPECT_EQ(b[67], 2);
    EXPECT_EQ(b[68], 1);
    EXPECT_EQ(b[72], 30);
}

// Each pixel format writes its own bit count and palette and reads back
// the colours it can hold.
TEST(BitmapFile, RoundTripsEveryPixelFormat) {
    struct Case {
        TPixelFormat format;
        int bits;
        size_t paletteEntries;
        TColor colours[3];
    } cases[] = {
        {pf1bit, 1, 2, {clBlack, clWhite, clBlack}},
        {pf4bit, 4, 16, {clRed, clNavy, clSilver}},
        {pf8bit, 8, 256, {clRed, RGB(51, 102, 153), RGB(128, 128, 128)}},
        {pf15bit, 16, 0, {RGB(8, 16, 255), clWhite, clBlack}},
        {pf16bit, 16, 0, {RGB(8, 4, 255), clWhite, clBlack}},
        {pf24bit, 24, 0, {RGB(1, 2, 3), RGB(250, 251, 252), clTeal}},
        {pf32bit, 32, 0, {RGB(1, 2, 3), RGB(250, 251, 252), clTeal}},
    };
    for (const auto& k : cases) {
        auto bmp = WhiteBitmap(13, 3);
        bmp->SetPixelFormat(k.format);
        for (int i = 0; i < 3; ++i) bmp->Canvas()->SetPixels(i * 5, i, k.colours[i]);
        auto bytes = Save(*bmp);
        EXPECT_EQ(U16(bytes, 28), k.bits) << k.format;
        size_t masks = k.format == pf16bit ? 12 : 0;
        size_t stride = ((13 * k.bits + 31) / 32) * 4;
        EXPECT_EQ(U32(bytes, 10), 54 + masks + 4 * k.paletteEntries) << k.format;
        EXPECT_EQ(bytes.size(), 54 + masks + 4 * k.paletteEntries + 3 * stride) << k.format;
        EXPECT_EQ(U32(bytes, 46), k.paletteEntries) << k.format;

        TMemoryStream ms;
        ms.WriteBuffer(bytes.data(), Int64(bytes.size()));
        ms.SetPosition(0);
        TBitmap back;
        back.LoadFromStream(&ms);
        EXPECT_EQ(back.PixelFormat(), k.format);
        EXPECT_EQ(back.Width(), 13);
        EXPECT_EQ(back.Height(), 3);
        EXPECT_EQ(ms.Position(), ms.Size());
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(back.Canvas()->Pixels(i * 5, i), k.colours[i]) << k.format << " pixel " << i;
    }
}

TEST(BitmapFile, ReadsRunLengthFilesAndCoreHeaders) {
    auto file = [](std::vector<Byte> info, std::vector<Byte> palette, std::vector<Byte> pixels) {
        std::vector<Byte> b{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        size_t off = 14 + info.size() + palette.size(), size = off + pixels.size();
        for (int i = 0; i < 4; ++i) {
            b[2 + i] = Byte(size >> (8 * i));
            b[10 + i] = Byte(off >> (8 * i));
        }
        b.insert(b.end(), info.begin(), info.end());
        b.insert(b.end(), palette.begin(), palette.end());
        b.insert(b.end(), pixels.begin(), pixels.end());
        auto bmp = std::make_unique<TBitmap>();
        TMemoryStream ms;
        ms.WriteBuffer(b.data(), Int64(b.size()));
        ms.SetPosition(0);
        bmp->LoadFromStream(&ms);
        return bmp;
    };
    // 8-bit run-length: two pixels of colour 1 (red), one of colour 0 (blue), end.
    auto rle = file({40, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 1, 0, 8, 0, 1, 0, 0, 0, 6, 0, 0, 0,
                     0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0},
                    {0xFF, 0, 0, 0, 0, 0, 0xFF, 0}, {2, 1, 1, 0, 0, 1});
    EXPECT_EQ(rle->Width(), 3);
    EXPECT_EQ(rle->Canvas()->Pixels(1, 0), clRed);
    EXPECT_EQ(rle->Canvas()->Pixels(2, 0), clBlue);
    // A 12-byte core header: 1 bit, rows bottom-up, three-byte palette
    // entries.
    auto core = file({12, 0, 0, 0, 2, 0, 2, 0, 1, 0, 1, 0}, {0, 0, 0, 0xFF, 0xFF, 0xFF},
                     {0x40, 0, 0, 0, 0x80, 0, 0, 0});
    EXPECT_EQ(core->PixelFormat(), pf1bit);
    EXPECT_EQ(core->Canvas()->Pixels(0, 0), clWhite);  // top row is the file's second
    EXPECT_EQ(core->Canvas()->Pixels(1, 0), clBlack);
    EXPECT_EQ(core->Canvas()->Pixels(0, 1), clBlack);
    EXPECT_EQ(core->Canvas()->Pixels(1, 1), clWhite);
}

TEST(BitmapFile, RejectsWhatIsNotABitmap) {
    for (const String& junk : {String("GIF89a........................................................"),
                               String("BM\x10\0\0\0")}) {
        TMemoryStream ms;
        ms.WriteBuffer(junk.data(), Int64(junk.size()));
        ms.SetPosition(0);
        TBitmap b;
        EXPECT_THROW(b.LoadFromStream(&ms), EInvalidGraphic);
    }
}

// Files whose headers claim what their data cannot hold, found by fuzzing
// or built to the same pattern: refused from the header, before a picture
// of the claimed size is made.
TEST(DamagedPictures, AreRefusedFromTheirHeaders) {
    auto load = [](TGraphic& g, const std::vector<Byte>& bytes) {
        TMemoryStream ms;
        ms.WriteBuffer(bytes.data(), Int64(bytes.size()));
        ms.SetPosition(0);
        g.LoadFromStream(&ms);
    };
    auto fixture = [](const char* name) {
        const std::string s = ReadAll(std::string(VELMOR_FIXTURES) + "/" + name);
        return std::vector<Byte>(s.begin(), s.end());
    };
    // A 239-byte JPEG whose frame says 29208 x 4096 pixels.
    TJPEGImage jpeg;
    try {
        load(jpeg, fixture("size-beyond-its-data.jpg"));
        ADD_FAILURE() << "loaded";
    } catch (const EJPEG& e) {
        EXPECT_STREQ(e.what(), "JPEG error: Image of 29208x4096 pixels is too large for 239 bytes of data");
    }
    // A height of -2^31, which has no positive counterpart.
    TBitmap bmp;
    EXPECT_THROW(load(bmp, fixture("height-of-int-min.bmp")), EInvalidGraphic);
    // A run-length file of 60000 x 60000 pixels that ends at once.
    std::vector<Byte> rle{'B', 'M', 64, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0, 0x60, 0xEA, 0, 0, 0x60,
                          0xEA, 0, 0, 1, 0, 8, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
                          0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_THROW(load(bmp, rle), EInvalidGraphic);
    EXPECT_TRUE(bmp.Empty());
}

TEST(JPEGImage, PlainPicturesCompressedFarStillLoad) {
    // One colour compresses to almost nothing; such a picture is real and
    // must stay within what its size allows.
    TBitmap plain(1600, 1200);
    plain.Canvas()->Brush()->SetColor(clWhite);
    plain.Canvas()->FillRect(Rect(0, 0, 1600, 1200));
    for (bool gray : {false, true}) {
        TJPEGImage jpeg;
        jpeg.SetGrayscale(gray);
        jpeg.SetCompressionQuality(50);
        jpeg.Assign(&plain);
        auto bytes = Save(jpeg);
        TMemoryStream ms;
        ms.WriteBuffer(bytes.data(), Int64(bytes.size()));
        ms.SetPosition(0);
        TJPEGImage back;
        back.LoadFromStream(&ms);
        EXPECT_EQ(back.Width(), 1600) << bytes.size() << " bytes";
    }
}

TEST(BitmapScanLine, RowsAreLaidOutAsThePixelFormatSays) {
    auto bmp = WhiteBitmap(9, 2);
    bmp->SetPixelFormat(pf24bit);
    EXPECT_EQ(bmp->BytesPerScanLine(), 28);
    auto* row = static_cast<Byte*>(bmp->ScanLine(1));
    row[3] = 0x11;  // pixel 1: B, G, R
    row[4] = 0x22;
    row[5] = 0x33;
    EXPECT_EQ(bmp->Canvas()->Pixels(1, 1), RGB(0x33, 0x22, 0x11));
    bmp->Canvas()->SetPixels(2, 0, RGB(0xAA, 0xBB, 0xCC));
    auto* top = static_cast<Byte*>(bmp->ScanLine(0));
    EXPECT_EQ(top[6], 0xCC);
    EXPECT_EQ(top[8], 0xAA);

    bmp->SetPixelFormat(pf32bit);
    auto* quad = static_cast<Byte*>(bmp->ScanLine(1));
    EXPECT_EQ(quad[4], 0x11);
    EXPECT_EQ(quad[6], 0x33);

    bmp->SetPixelFormat(pf1bit);
    EXPECT_TRUE(bmp->Monochrome());
    EXPECT_EQ(bmp->BytesPerScanLine(), 4);
    auto* bits = static_cast<Byte*>(bmp->ScanLine(0));
    EXPECT_EQ(bits[0], 0xFF);  // all white, most significant bit first
    bits[0] = 0x7F;             // pixel 0 black
    EXPECT_EQ(bmp->Canvas()->Pixels(0, 0), clBlack);
    EXPECT_EQ(bmp->Canvas()->Pixels(1, 0), clWhite);
}

// A bitmap of few colours shows what it can hold, however it was drawn on.
TEST(BitmapPixelFormat, DrawingSnapsToTheFormatsColours) {
    struct Case {
        TPixelFormat format;
        TColor drawn, shown;
    } cases[] = {
        {pf1bit, RGB(200, 10, 10), clBlack},
        {pf1bit, RGB(200, 200, 150), clWhite},
        {pf4bit, RGB(250, 5, 5), clRed},
        {pf8bit, RGB(50, 100, 150), RGB(51, 102, 153)},
        {pf24bit, RGB(50, 100, 150), RGB(50, 100, 150)},
    };
    for (const auto& k : cases) {
        auto bmp = WhiteBitmap(4, 4);
        bmp->SetPixelFormat(k.format);
        bmp->Canvas()->Brush()->SetColor(k.drawn);
        bmp->Canvas()->FillRect(Rect(0, 0, 2, 2));
        bmp->Canvas()->SetPixels(3, 3, k.drawn);
        EXPECT_EQ(bmp->Canvas()->Pixels(1, 1), k.shown) << k.format;
        EXPECT_EQ(bmp->Canvas()->Pixels(3, 3), k.shown) << k.format;
    }
    auto colour = WhiteBitmap(2, 1);
    colour->Canvas()->SetPixels(0, 0, RGB(30, 30, 30));
    colour->SetMonochrome(true);
    EXPECT_EQ(colour->Canvas()->Pixels(0, 0), clBlack);
    EXPECT_EQ(colour->Canvas()->Pixels(1, 0), clWhite);
}

TEST(BitmapSize, KeepsOldPixelsAndAddsWhiteOnes) {
    auto bmp = WhiteBitmap(2, 2);
    bmp->Canvas()->SetPixels(1, 1, clRed);
    bmp->SetSize(4, 3);
    EXPECT_EQ(bmp->Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(bmp->Canvas()->Pixels(3, 2), clWhite);
    EXPECT_EQ(bmp->TransparentColor(), clWhite);  // bottom-left pixel
    bmp->SetSize(0, 5);
    EXPECT_TRUE(bmp->Empty());
}

std::unique_ptr<TBitmap> Quadrants() {
    auto bmp = WhiteBitmap(64, 48);
    TCanvas* c = bmp->Canvas();
    const TColor colours[4] = {RGB(200, 30, 30), RGB(30, 160, 40), RGB(20, 40, 190), RGB(240, 240, 40)};
    for (int i = 0; i < 4; ++i) {
        c->Brush()->SetColor(colours[i]);
        c->FillRect(Bounds((i % 2) * 32, (i / 2) * 24, 32, 24));
    }
    return bmp;
}

bool Near(TColor a, TColor b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

TEST(JPEGImage, CompressesAndDecodesThroughStreams) {
    auto src = Quadrants();
    TJPEGImage jpeg;
    jpeg.Assign(src.get());
    jpeg.SetCompressionQuality(90);
    auto bytes = Save(jpeg);
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    EXPECT_EQ(bytes[bytes.size() - 2], 0xFF);
    EXPECT_EQ(bytes[bytes.size() - 1], 0xD9);

    // Embedded in a larger stream, the reader stops at the image's end.
    TMemoryStream ms;
    ms.WriteBuffer("head", 4);
    ms.WriteBuffer(bytes.data(), Int64(bytes.size()));
    ms.WriteBuffer("tail", 4);
    ms.SetPosition(4);
    TJPEGImage back;
    back.LoadFromStream(&ms);
    EXPECT_EQ(ms.Position(), Int64(4 + bytes.size()));
    EXPECT_EQ(back.Width(), 64);
    EXPECT_EQ(back.Height(), 48);
    TBitmap pixels;
    pixels.Assign(&back);
    for (const TPoint& p : {Point(10, 10), Point(50, 10), Point(10, 40), Point(50, 40)})
        EXPECT_TRUE(Near(pixels.Canvas()->Pixels(p.X, p.Y), src->Canvas()->Pixels(p.X, p.Y), 12))
            << p.X << "," << p.Y << " " << std::hex << pixels.Canvas()->Pixels(p.X, p.Y);
    // Saving an unchanged image gives back the bytes it was read from.
    EXPECT_EQ(Save(back), bytes);
}

TEST(JPEGImage, LowerQualityMakesSmallerFiles) {
    auto src = WhiteBitmap(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) src->Canvas()->SetPixels(x, y, RGB(x * 4, y * 4, (x * y) & 0xFF));
    TJPEGImage jpeg;
    jpeg.Assign(src.get());
    jpeg.SetCompressionQuality(95);
    size_t high = Save(jpeg).size();
    jpeg.SetCompressionQuality(20);
    size_t low = Save(jpeg).size();
    EXPECT_LT(low, high);
}

TEST(JPEGImage, GrayscaleFilesDecodeToGreys) {
    auto src = Quadrants();
    TJPEGImage jpeg;
    jpeg.SetGrayscale(true);
    jpeg.Assign(src.get());
    TMemoryStream ms;
    jpeg.SaveToStream(&ms);
    ms.SetPosition(0);
    TJPEGImage back;
    back.LoadFromStream(&ms);
    TBitmap pixels;
    pixels.Assign(&back);
    TColor c = pixels.Canvas()->Pixels(50, 40);  // the yellow quadrant
    EXPECT_EQ(GetRValue(c), GetGValue(c));
    EXPECT_EQ(GetGValue(c), GetBValue(c));
    EXPECT_GT(GetRValue(c), 180);
}

TEST(JPEGImage, BrokenDataRaisesInsteadOfEndingTheProgram) {
    auto good = Quadrants();
    TJPEGImage jpeg;
    jpeg.Assign(good.get());
    auto bytes = Save(jpeg);
    const std::vector<Byte> cases[] = {
        {},                                         // nothing at all
        {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'g'},
        std::vector<Byte>(bytes.begin(), bytes.begin() + 20),  // cut inside the headers
    };
    for (const auto& data : cases) {
        TMemoryStream ms;
        if (!data.empty()) ms.WriteBuffer(data.data(), Int64(data.size()));
        ms.SetPosition(0);
        TJPEGImage broken;
        EXPECT_THROW(broken.LoadFromStream(&ms), EJPEG) << data.size();
    }
}

class PictureFiles : public ::testing::Test {
protected:
    String Path(const char* name) const { return (dir / name).string(); }
    TTempDir scratch;
    std::filesystem::path dir{scratch.Path()};
};

TEST_F(PictureFiles, ChoosesTheGraphicClassByExtension) {
    auto src = Quadrants();
    TJPEGImage jpeg;
    jpeg.Assign(src.get());
    jpeg.SaveToFile(Path("a.JPG"));
    jpeg.SaveToFile(Path("b.jpeg"));
    src->SaveToFile(Path("c.bmp"));

    struct Case {
        const char* file;
        const char* className;
    } cases[] = {{"a.JPG", "TJPEGImage"}, {"b.jpeg", "TJPEGImage"}, {"c.bmp", "TBitmap"}};
    for (const auto& k : cases) {
        TPicture pic;
        int changes = 0;
        pic.OnChange = [&](TObject*) { ++changes; };
        pic.LoadFromFile(Path(k.file));
        ASSERT_NE(pic.Graphic(), nullptr) << k.file;
        EXPECT_EQ(pic.Graphic()->ClassName(), k.className);
        EXPECT_EQ(pic.Width(), 64);
        EXPECT_EQ(pic.Height(), 48);
        EXPECT_GE(changes, 1);
        auto drawn = WhiteBitmap(64, 48);
        drawn->Canvas()->Draw(0, 0, pic.Graphic());
        EXPECT_TRUE(Near(drawn->Canvas()->Pixels(50, 40), RGB(240, 240, 40), 12)) << k.file;
    }
    TPicture pic;
    EXPECT_THROW(pic.LoadFromFile(Path("d.gif")), EInvalidGraphic);
    EXPECT_THROW(pic.LoadFromFile(Path("missing.bmp")), EFOpenError);
    EXPECT_EQ(pic.Graphic(), nullptr);
    EXPECT_NE(TPicture::GraphicFilter().find("*.jpeg"), String::npos);
}

TEST_F(PictureFiles, BitmapOfAPictureReplacesAnotherGraphic) {
    TPicture pic;
    auto src = Quadrants();
    TJPEGImage jpeg;
    jpeg.Assign(src.get());
    pic.SetGraphic(&jpeg);
    EXPECT_NE(pic.Graphic(), &jpeg);  // a copy
    EXPECT_EQ(pic.Width(), 64);
    TBitmap* b = pic.Bitmap();
    EXPECT_TRUE(b->Empty());
    EXPECT_EQ(pic.Graphic(), b);
}

}  // namespace
