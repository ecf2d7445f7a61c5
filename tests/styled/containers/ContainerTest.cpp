#include <gtest/gtest.h>

#include <cstring>

#include "framework/classes/FileStream.h"
#include "framework/classes/MemoryStream.h"
#include "framework/classes/StringList.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphic.h"
#include "framework/rtl/Exception.h"
#include "styled/storage/ContainerFiles.h"
#include "styled/storage/StyBitmapList.h"
#include "styled/storage/StyBitmapListItem.h"
#include "styled/storage/StyChangeLink.h"
#include "styled/storage/StyContainer.h"
#include "styled/storage/StyImageList.h"
#include "styled/storage/StyImageListItem.h"
#include "styled/storage/StyStringList.h"
#include "styled/storage/StyStringListItem.h"
#include "styled/storage/StyWave.h"
#include "styled/storage/StyWaveList.h"
#include "styled/storage/StyWaveListItem.h"
#include "support/TempDir.h"
#include "support/ProtectedFile.h"

namespace {

std::unique_ptr<TBitmap> Solid(int w, int h, TColor c) {
    auto b = std::make_unique<TBitmap>(w, h);
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

// A canonical PCM header and four samples.
String TinyWave() {
    String w = "RIFF";
    auto u32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) w += char(v >> (8 * i)); };
    auto u16 = [&](unsigned v) { w += char(v); w += char(v >> 8); };
    u32(40);
    w += "WAVEfmt ";
    u32(16); u16(1); u16(1); u32(8000); u32(8000); u16(1); u16(8);
    w += "data";
    u32(4);
    w += "\x10\x20\x30\x40";
    return w;
}

TEST(Containers, SignaturesAndExtensions) {
    const char* signatures[] = {"STYIML30", "STYBML30", "STYWVL30", "STYSLL30", "STYRTL30"};
    const char* extensions[] = {"iml", "bmp", "wav", "txt", "rtf"};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(ContainerSignature(k), signatures[k]);
        EXPECT_EQ(ContainerExtension(k, false), extensions[k]);
        EXPECT_EQ(ContainerExtension(k, true), String(".") + extensions[k]);
    }
    EXPECT_EQ(ContainerExtension(5, true), "");
    EXPECT_EQ(ContainerExtension(-1, false), "");
}

TEST(Containers, ChangeLinksHearChangesInOrderAndNeverDangle) {
    std::vector<int> heard;
    auto list = std::make_unique<TStyStringList>(nullptr);
    TStyChangeLink a, b;
    a.OnChange = [&](TObject*) { heard.push_back(1); };
    b.OnChange = [&](TObject*) { heard.push_back(2); };
    list->OnChange = [&](TObject*) { heard.push_back(3); };
    list->RegisterChangeLink(&a);
    list->RegisterChangeLink(&b);
    EXPECT_EQ(a.Container(), list.get());
    auto* item = static_cast<TStyStringListItem*>(list->AddNew());
    EXPECT_EQ(heard, (std::vector<int>{1, 2, 3}));
    heard.clear();
    item->Items()->Add("changed inside an item");
    EXPECT_EQ(heard, (std::vector<int>{1, 2, 3}));

    list->UnRegisterChangeLink(&a);
    list->UnRegisterChangeLink(&a);  // not registered: ignored
    EXPECT_EQ(a.Container(), nullptr);
    {
        TStyChangeLink c;
        list->RegisterChangeLink(&c);
        EXPECT_EQ(list->LinkCount(), 2);
    }
    EXPECT_EQ(list->LinkCount(), 1);
    list.reset();
    EXPECT_EQ(b.Container(), nullptr);
}

template <class Item>
std::unique_ptr<Item> RoundTrip(Item& item, size_t* size = nullptr) {
    TMemoryStream m;
    item.WriteRecord(&m);
    if (size) *size = size_t(m.Size());
    m.SetPosition(0);
    auto back = std::make_unique<Item>();
    back->ReadRecord(&m);
    EXPECT_EQ(m.Position(), m.Size());
    return back;
}

TEST(ItemRecords, FlagsAndCommonFields) {
    TStyStringListItem item;
    size_t size = 0;
    auto empty = RoundTrip(item, &size);
    EXPECT_EQ(size, 1u);  // flags 0 only
    EXPECT_EQ(empty->Description(), "");
    EXPECT_EQ(empty->Ident(), 0);
    EXPECT_EQ(empty->Items()->Count(), 0);

    item.SetDescription("Lists");
    item.SetIdent(513);
    item.SetCompressed(true);
    item.Items()->Add("one");
    item.Items()->Add("two");
    TMemoryStream m;
    item.WriteRecord(&m);
    EXPECT_EQ(static_cast<const Byte*>(m.Memory())[0], 1 | 2 | 4 | 8);
    auto back = RoundTrip(item);
    EXPECT_EQ(back->Description(), "Lists");
    EXPECT_EQ(back->Ident(), 513);
    EXPECT_TRUE(back->Compressed());
    EXPECT_EQ(back->Items()->Text(), item.Items()->Text());

    // A record without data clears what the item held.
    TMemoryStream flagsOnly;
    const Byte zero = 0;
    flagsOnly.WriteBuffer(&zero, 1);
    flagsOnly.SetPosition(0);
    back->ReadRecord(&flagsOnly);
    EXPECT_EQ(back->Items()->Count(), 0);
    EXPECT_EQ(back->Description(), "");
}

TEST(ItemRecords, BitmapsByPixelFormatAndWaves) {
    TStyBitmapListItem item;
    auto pic = Solid(5, 4, RGB(200, 30, 30));
    pic->Canvas()->SetPixels(1, 1, clWhite);
    item.SetBitmap(pic.get());
    for (bool compressed : {false, true}) {
        item.SetCompressed(compressed);
        item.SetPixelFormat(spfDefault);
        auto same = RoundTrip(item);
        EXPECT_EQ(same->Bitmap()->Canvas()->Pixels(0, 0), RGB(200, 30, 30));
        item.SetPixelFormat(spfMono);
        auto mono = RoundTrip(item);
        EXPECT_EQ(mono->PixelFormat(), spfMono);
        EXPECT_TRUE(mono->Bitmap()->Monochrome());
        EXPECT_EQ(mono->Bitmap()->Canvas()->Pixels(1, 1), clWhite);
    }

    // A record that breaks off leaves the item as it was.
    TStyBitmapListItem other;
    other.SetDescription("new");
    other.SetBitmap(pic.get());
    TMemoryStream cut;
    other.WriteRecord(&cut);
    cut.SetSize(cut.Size() - 3);
    cut.SetPosition(0);
    item.SetDescription("old");
    item.SetCompressed(true);
    EXPECT_THROW(item.ReadRecord(&cut), EReadError);
    EXPECT_EQ(item.Description(), "old");
    EXPECT_TRUE(item.Compressed());
    EXPECT_EQ(item.Bitmap()->Width(), 5);

    TStyWaveListItem wave;
    TMemoryStream bytes;
    const String w = TinyWave();
    bytes.WriteBuffer(w.data(), Int64(w.size()));
    bytes.SetPosition(0);
    wave.Wave()->LoadFromStream(&bytes);
    for (bool compressed : {false, true}) {
        wave.SetCompressed(compressed);
        auto back = RoundTrip(wave);
        EXPECT_EQ(back->Wave()->Size(), Integer(w.size()));
    }
}

TEST(ImageItems, SizesCellsAndLimits) {
    EXPECT_THROW(TStyImageListItem(nullptr, 0, 16), EInvalidGraphicOperation);
    TStyImageListItem item(nullptr, 10, 8);
    item.SetAllocBy(2);
    auto wrong = Solid(15, 8, clRed);
    try {
        item.Add(wrong.get());
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_STREQ(e.what(), "Invalid image size");
    }
    auto three = Solid(30, 8, clRed);
    three->Canvas()->SetPixels(10, 7, clLime);  // cell 1's transparent colour
    EXPECT_EQ(item.Add(three.get()), 0);
    EXPECT_EQ(item.Count(), 3);
    EXPECT_EQ(item.Strip()->Width(), 40);  // grown in steps of AllocBy cells
    EXPECT_EQ(item.CellRect(2), Rect(20, 0, 30, 8));
    EXPECT_EQ(item.CellTransparentColor(1), clLime);
    EXPECT_EQ(item.CellTransparentColor(0), clRed);

    // The strip holds exactly 32768 pixels, no more.
    TStyImageListItem wide(nullptr, 16, 2);
    auto strip = Solid(16 * 1024, 2, clBlue);
    wide.Add(strip.get());
    wide.Add(strip.get());
    EXPECT_EQ(wide.Count(), 2048);
    EXPECT_EQ(wide.Strip()->Width(), 32768);
    auto one = Solid(16, 2, clBlue);
    try {
        wide.Add(one.get());
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_STREQ(e.what(), "Too many images");
    }
    EXPECT_EQ(wide.Count(), 2048);
}

TEST(ImageItems, MaskedAndUnmaskedDrawing) {
    // A cell with a fuchsia background and a blue dot.
    auto cell = Solid(4, 4, clFuchsia);
    cell->Canvas()->SetPixels(1, 1, clBlue);
    for (bool masked : {false, true}) {
        SCOPED_TRACE(masked);
        TStyImageListItem item(nullptr, 4, 4);
        item.SetMasked(masked);
        item.Add(cell.get());
        EXPECT_EQ(item.CellMasked(0), masked);
        TBitmap target(8, 8);
        item.DrawCell(target.Canvas(), Rect(2, 2, 6, 6), 0);
        EXPECT_EQ(target.Canvas()->Pixels(3, 3), clBlue);
        EXPECT_EQ(target.Canvas()->Pixels(2, 2), clWhite);
        EXPECT_EQ(target.Canvas()->Pixels(5, 5), clWhite);
    }
}

TEST(ImageItems, RecordsAndCopies) {
    TStyImageListItem none(nullptr, 8, 6);
    size_t size = 0;
    auto back = RoundTrip(none, &size);
    EXPECT_EQ(size, 1u + 4 + 4 + 4 + 1 + 4);  // no strip, no mask
    EXPECT_EQ(back->Width(), 8);
    EXPECT_EQ(back->Height(), 6);

    TStyImageListItem item(nullptr, 8, 6);
    item.SetMasked(true);
    auto pic = Solid(16, 6, clGreen);
    pic->Canvas()->SetPixels(0, 5, clWhite);
    item.Add(pic.get());
    item.SetCompressed(true);
    back = RoundTrip(item);
    EXPECT_EQ(back->Count(), 2);
    EXPECT_TRUE(back->Masked());
    EXPECT_EQ(back->Strip()->Canvas()->Pixels(9, 2), clGreen);
    EXPECT_EQ(back->MaskStrip()->Canvas()->Pixels(0, 5), clWhite);
    EXPECT_EQ(back->MaskStrip()->Canvas()->Pixels(1, 1), clBlack);

    TStyImageListItem copy(nullptr, 3, 3);
    copy.Assign(&item);
    EXPECT_EQ(copy.Width(), 8);
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Strip()->Canvas()->Pixels(12, 3), clGreen);
    TStyImageListItem other(nullptr, 4, 6);
    EXPECT_THROW(other.AddCells(&item), EInvalidGraphicOperation);
}

TEST(ContainerFiles, SaveLoadAndReadItemsInPlace) {
    TTempDir dir;
    const String file = dir.File("pictures.bmp");
    TStyBitmapList list(nullptr);
    list.SetDefaultCompressed(true);
    for (TColor c : {clRed, clLime, clBlue}) {
        auto* item = static_cast<TStyBitmapListItem*>(list.AddNew());
        auto pic = Solid(3, 2, c);
        item->SetBitmap(pic.get());
        item->SetDescription(ColorToString(c));
    }
    list.SaveToFile(file);

    std::vector<Integer> positions;
    EXPECT_EQ(ReadContainerHeader(file, &positions), ckBitmapList);
    ASSERT_EQ(positions.size(), 3u);
    EXPECT_EQ(positions[0], 9 + 4 + 3 * 4);

    TStyBitmapListItem second;
    EXPECT_TRUE(LoadItemFromContainerFile(file, ckBitmapList, &positions, &second, 1));
    EXPECT_EQ(second.Description(), "clLime");
    TBitmap blue;
    LoadBitmapFromContainerFile(file, 2, &blue);
    EXPECT_EQ(blue.Canvas()->Pixels(2, 1), clBlue);
    EXPECT_THROW(LoadItemFromContainerFile(file, ckBitmapList, &positions, &second, 3), EListError);

    TStyBitmapList again(nullptr);
    again.LoadFromFile(file);
    ASSERT_EQ(again.Count(), 3);
    EXPECT_EQ(again.Bitmaps(0)->Description(), "clRed");
    EXPECT_TRUE(again.IsValid(2, 0));
    EXPECT_EQ(again.PixelColor(1, 0, 0, 0), clLime);

    // The wrong kind, and a file of no kind.
    TStyStringList strings(nullptr);
    try {
        strings.LoadFromFile(file);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Cannot open file %s: " + file);
    }
    EXPECT_EQ(strings.Count(), 0);
    TStyStringListItem s;
    EXPECT_THROW(LoadItemFromContainerFile(file, ckStringList, nullptr, &s, 0), Exception);
    WriteAll(dir.File("junk"), "JUNKJUNKJUNKJUNK");
    positions.assign(2, 7);
    EXPECT_EQ(ReadContainerHeader(dir.File("junk"), &positions), ckUnknown);
    EXPECT_EQ(positions.size(), 2u);
}

TEST(ContainerFiles, DamagedFilesAreRefusedWhole) {
    TTempDir dir;
    TStyStringList list(nullptr);
    auto* item = static_cast<TStyStringListItem*>(list.AddNew());
    item->Items()->Add("kept");
    const String good = dir.File("good.txt");
    list.SaveToFile(good);
    const String bytes = ReadAll(good);

    TStyStringList target(nullptr);
    target.AddNew();
    WriteAll(dir.File("cut.txt"), bytes.substr(0, bytes.size() - 2));
    EXPECT_THROW(target.LoadFromFile(dir.File("cut.txt")), EReadError);
    EXPECT_EQ(target.Count(), 1);

    String huge = bytes;
    huge[9] = '\xFF';
    huge[10] = '\xFF';
    huge[11] = '\xFF';
    huge[12] = '\x7F';
    WriteAll(dir.File("huge.txt"), huge);
    EXPECT_THROW(target.LoadFromFile(dir.File("huge.txt")), EReadError);
    std::vector<Integer> positions;
    EXPECT_THROW(ReadContainerHeader(dir.File("huge.txt"), &positions), EReadError);
    // Positions that point before the records or past the end of the file.
    for (Integer at : {-5, 0, 12, Integer(bytes.size()), 0x7FFFFFFF}) {
        positions.assign(1, at);
        TStyStringListItem one;
        EXPECT_THROW(LoadItemFromContainerFile(good, ckStringList, &positions, &one, 0), EReadError) << at;
    }

    target.LoadFromFile(good);
    ASSERT_EQ(target.Count(), 1);
    EXPECT_EQ(target.Strings(0)->Items()->Strings(0), "kept");
}

TEST(ContainerFiles, SaveToAFileTheUserMayNotWriteIsRefusedAsInAReadOnlyFolder) {
    const std::string skip = ExpectRefusedAsInAReadOnlyFolder("strings.txt", "old", [](const std::string& path) {
        TStyStringList list(nullptr);
        static_cast<TStyStringListItem*>(list.AddNew())->Items()->Add("new");
        return ErrorTextOf<EFCreateError>([&] { list.SaveToFile(path); });
    });
    if (!skip.empty()) GTEST_SKIP() << skip;
}

TEST(Containers, AssignCopiesItemsAndTheDefaultContainerIsFoundByName) {
    TStyImageList a(nullptr);
    a.SetDefaultPixelFormat(spf8bit);
    auto* item = static_cast<TStyImageListItem*>(a.AddNew());
    auto pic = Solid(32, 16, clTeal);
    item->Add(pic.get());
    TStyImageList b(nullptr);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(&a);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(b.DefaultPixelFormat(), spf8bit);
    ASSERT_EQ(b.Count(), 1);
    EXPECT_NE(b.Item(0), a.Item(0));
    EXPECT_EQ(b.ImageCount(0), 2);
    EXPECT_EQ(b.ImageCount(5), -1);
    EXPECT_EQ(b.TransparentColor(5, 0), clWhite);
    TStyBitmapList other(nullptr);
    EXPECT_THROW(b.Assign(&other), EConvertError);
    EXPECT_THROW(b.Add(std::make_unique<TStyBitmapListItem>()), Exception);

    TStyContainer* d = StyDefaultContainer();
    EXPECT_EQ(InternalListName(d->ImageList()), "STYIML30");
    EXPECT_EQ(InternalListName(d->BitmapList()), "STYBML30");
    EXPECT_EQ(InternalListName(&b), "");
    EXPECT_EQ(InternalList("STYIML30"), d->ImageList());
    EXPECT_EQ(InternalList("STYBML30"), d->BitmapList());
    EXPECT_EQ(InternalList("STYWVL30"), nullptr);
    int heard = 0;
    d->OnChange = [&](TObject*) { ++heard; };
    d->WaveList()->AddNew();
    EXPECT_EQ(heard, 1);
    d->OnChange = nullptr;
    d->WaveList()->Clear();
}

}  // namespace
