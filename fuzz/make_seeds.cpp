// make_seeds OUT WORDLIST WORDNET-DIR LEVELS-DIR DATA-DIR PAGES-DIR
// Writes the seed corpus of every fuzz target into OUT/<target>/: real
// files made the way the program makes them (dictionaries and a thesaurus
// from Debian's word list, WordNet and graded word lists, user
// dictionaries, settings,
// grids, containers, pictures and sounds written by the program's own
// writers) and the files the program ships or reads (its schemas, field
// definitions, profile and toolbar pictures, the apache2-doc pages). Small files: a seed is where the fuzzer starts, not
// a test of size.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>

#include "framework/classes/MemoryStream.h"
#include "framework/controls/Application.h"
#include "framework/controls/RtfDocument.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/JPEGImage.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/Registry.h"
#include "gridkit/grid/GkStringGrid.h"
#include "spell/store/Configuration.h"
#include "spell/store/DictionaryWriter.h"
#include "spell/store/UserDictionary.h"
#include "spell/thesaurus/WordNetSource.h"
#include "styled/storage/Lzrw.h"
#include "styled/storage/StreamRoutines.h"
#include "styled/storage/StyBitmapList.h"
#include "styled/storage/StyBitmapListItem.h"
#include "styled/storage/StyImageList.h"
#include "styled/storage/StyImageListItem.h"
#include "styled/storage/StyStringList.h"
#include "styled/storage/StyStringListItem.h"
#include "styled/storage/StyWave.h"
#include "styled/storage/StyWaveList.h"
#include "styled/storage/StyWaveListItem.h"

namespace fs = std::filesystem;

namespace {

String Out;

String Seed(const String& target, const String& name) {
    fs::create_directories(PathJoin(Out, target));
    return PathJoin(PathJoin(Out, target), name);
}

String Bytes(TMemoryStream& m) { return String(reinterpret_cast<const char*>(m.Bytes().data()), m.Bytes().size()); }

std::vector<String> Slice(const std::vector<String>& words, std::size_t from, std::size_t count) {
    std::vector<String> out;
    for (std::size_t i = from; i < words.size() && out.size() < count; ++i)
        if (!words[i].empty()) out.push_back(words[i]);
    return out;
}

std::unique_ptr<TBitmap> Picture(int w, int h, TPixelFormat format) {
    auto b = std::make_unique<TBitmap>(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b->Canvas()->SetPixels(x, y, static_cast<TColor>(((x * 40) & 0xFF) | (((y * 60) & 0xFF) << 8) | 0x400000));
    b->SetPixelFormat(format);
    return b;
}

// A PCM wave of a short rising tone.
String Wave(int samples) {
    String data;
    for (int i = 0; i < samples; ++i)
        data += static_cast<char>(static_cast<unsigned char>(128 + 100 * std::sin(i * 0.3)));
    auto le = [](std::uint32_t v, int n) {
        String s;
        for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
        return s;
    };
    return "RIFF" + le(36 + data.size(), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(8000, 4) +
           le(8000, 4) + le(1, 2) + le(8, 2) + "data" + le(data.size(), 4) + data;
}

// A thesaurus made as the shipped one is, for a few of the most common
// words: WordNet's senses of the first `count` words of the commonest list.
String SmallThesaurus(const String& wordNetDir, const String& levelsDir, std::size_t count) {
    TWordNet wordNet;
    wordNet.LoadFolder(wordNetDir);
    std::map<String, int> levels;
    for (const String& w : SplitLines(ReadFileToString(PathJoin(levelsDir, "english-words.10"))))
        if (!w.empty() && w.find('\'') == String::npos && levels.size() < count) levels.emplace(w, 10);
    return TWordNetThesaurus::Choose(wordNet, levels).Image;
}

void Spell(const std::vector<String>& words, const String& thesaurus) {
    const String dct = Seed("dictionary", "english.dct");
    TDictionaryWriter::WriteFile(dct, Slice(words, 0, 400), "English (American)");
    // Small enough parts that the file holds several sub-dictionaries.
    TDictionaryWriter::WriteFile(Seed("dictionary", "parts.dct"), Slice(words, 20000, 300), "Parts", 400);

    SafeWriteFile(Seed("thesaurus", "drelmont.thr"), thesaurus);

    {
        TUserDictionary user(Seed("user_dictionary", "default.udt"));
        for (const String& w : Slice(words, 5000, 12)) user.AddWord(w);
        user.AddAutoCorrect("teh", "the");
        user.AddAutoCorrect("recieve", "receive");
    }
    String list;
    for (const String& w : Slice(words, 9000, 30)) list += w + "\r\n";
    SafeWriteFile(Seed("user_dictionary", "words.dic"), list);

    // A configuration as the engine writes it, naming the seed dictionaries.
    const String cfg = Seed("configuration", "velmor.cfg");
    {
        TConfiguration config(cfg, soInternet | soAutoSuggest | soRepeated, "default.udt", "english.dct",
                              "spellchk");
        config.MainDictionaries.push_back(std::make_unique<TMain>(dct, true, "English (American)"));
        config.UserDictionaries.push_back(
            std::make_unique<TUser>(PathJoin(PathJoin(Out, "user_dictionary"), "default.udt"), true));
        config.UserIndex = 0;
        config.Write();
    }
}

// Copies the shipped files of `folder` whose extension is one of `exts`
// (at most `most` of them, by name) into the target's seeds.
void Shipped(const String& folder, std::initializer_list<const char*> exts, const String& target,
             std::size_t most = 1000) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
        for (const char* ext : exts)
            if (e.path().extension() == ext) found.push_back(e.path());
    std::sort(found.begin(), found.end());
    for (std::size_t i = 0; i < found.size() && i < most; ++i)
        SafeWriteFile(Seed(target, found[i].filename().string()), ReadFileToString(found[i].string()));
}

void Grids(const String& dataDir) {
    const String shipped = PathJoin(PathJoin(dataDir, "profiles"), "new");
    if (FileExists(shipped)) SafeWriteFile(Seed("cell_file", "profile.mdpf"), ReadFileToString(shipped));
    // The schemas and their field definitions.
    Shipped(PathJoin(dataDir, "schemas"), {".tgs", ".sbf"}, "cell_file");
    // The sound workbooks of each format that the import's tests use.
    const String books = PathJoin(dataDir, "../tests/gridkit/core/fixtures/workbooks");
    for (const char* book : {"book.xlsx", "book.ods", "book.xls"})
        SafeWriteFile(Seed("workbook", book), ReadFileToString(PathJoin(books, book)));
    TGkStringGrid grid(nullptr);
    grid.SetColCount(4);
    grid.SetRowCount(5);
    grid.SetCells(0, 0, "Name");
    grid.SetCells(1, 0, "Type");
    grid.SetCells(0, 1, "DC.Title");
    grid.SetCells(1, 1, "text,with,commas");
    grid.SetCells(2, 2, "two\r\nlines");
    grid.SetCells(3, 4, "tab\there");
    grid.SaveCellsToFile(Seed("cell_file", "schema.tgs"));
}

void Containers() {
    for (bool compressed : {false, true}) {
        const String suffix = compressed ? "-packed" : "";
        TStyStringList strings(nullptr);
        auto* s = static_cast<TStyStringListItem*>(strings.AddNew());
        s->SetCompressed(compressed);
        s->Items()->Add("first line");
        s->Items()->Add("second line");
        strings.SaveToFile(Seed("container", "strings" + suffix + ".sty"));

        TStyBitmapList bitmaps(nullptr);
        auto* b = static_cast<TStyBitmapListItem*>(bitmaps.AddNew());
        b->SetCompressed(compressed);
        auto pic = Picture(6, 4, pf8bit);
        b->SetBitmap(pic.get());
        bitmaps.SaveToFile(Seed("container", "bitmaps" + suffix + ".sty"));

        TStyImageList images(nullptr);
        auto* i = static_cast<TStyImageListItem*>(images.AddNew());
        i->SetCompressed(compressed);
        i->SetMasked(compressed);
        auto strip = Picture(32, 16, pf24bit);
        i->Add(strip.get());
        images.SaveToFile(Seed("container", "images" + suffix + ".sty"));

        TStyWaveList waves(nullptr);
        auto* w = static_cast<TStyWaveListItem*>(waves.AddNew());
        w->SetCompressed(compressed);
        TMemoryStream m;
        const String tone = Wave(64);
        m.WriteBuffer(tone.data(), static_cast<Int64>(tone.size()));
        m.SetPosition(0);
        w->Wave()->LoadFromStream(&m);
        waves.SaveToFile(Seed("container", "waves" + suffix + ".sty"));
    }
}

void Streams(const std::vector<String>& pages) {
    std::vector<String> sources = {String(3000, 'a') + "abcabcabc" + String(200, 'z'), Wave(500)};
    if (!pages.empty()) sources.push_back(ReadFileToString(pages[0]).substr(0, 8000));
    int n = 0;
    for (const String& s : sources) {
        TMemoryStream in, out;
        in.WriteBuffer(s.data(), static_cast<Int64>(s.size()));
        in.SetPosition(0);
        CompressStream(&in, &out, in.Size());
        SafeWriteFile(Seed("lzrw", "stream" + IntToStr(++n)), Bytes(out));
    }

    const String tone = Wave(200);
    SafeWriteFile(Seed("wave", "tone.wav"), tone);
    TStyWave wave;
    TMemoryStream m;
    m.WriteBuffer(tone.data(), static_cast<Int64>(tone.size()));
    m.SetPosition(0);
    wave.LoadFromStream(&m);
    TMemoryStream record, packed;
    wave.WriteData(&record);
    SafeWriteFile(Seed("wave", "record"), Bytes(record));
    wave.SaveToCompressedStream(&packed);
    SafeWriteFile(Seed("wave", "packed"), Bytes(packed));
}

void Pictures(const String& dataDir) {
    Shipped(PathJoin(dataDir, "icons"), {".bmp"}, "bmp", 3);
    const std::pair<TPixelFormat, const char*> formats[] = {{pf1bit, "1"},   {pf4bit, "4"},   {pf8bit, "8"},
                                                           {pf15bit, "15"}, {pf16bit, "16"}, {pf24bit, "24"},
                                                           {pf32bit, "32"}};
    for (const auto& [format, bits] : formats) {
        auto b = Picture(7, 5, format);
        TMemoryStream m;
        b->SaveToStream(&m);
        SafeWriteFile(Seed("bmp", String("depth") + bits + ".bmp"), Bytes(m));
    }
    for (bool gray : {false, true}) {
        auto b = Picture(24, 16, pf24bit);
        TJPEGImage jpeg;
        jpeg.SetGrayscale(gray);
        jpeg.SetCompressionQuality(75);
        jpeg.Assign(b.get());
        TMemoryStream m;
        jpeg.SaveToStream(&m);
        SafeWriteFile(Seed("jpeg", gray ? "gray.jpg" : "colour.jpg"), Bytes(m));
    }
}

void Settings() {
    const String path = Seed("settings", "registry.ini");
    setenv("VELMOR_REGISTRY", path.c_str(), 1);
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (reg.OpenKey("\\Software\\VREK\\velmor", true)) {
        reg.WriteString("aname", "author");
        reg.WriteString("path", "C:\\Program Files\\Velmor\\");
        reg.WriteString(" padded ", "line\nbreak\tand \"quotes\"");
        reg.WriteInteger("count", 42);
        reg.WriteBool("usexhtml", true);
    }
    reg.CloseKey();
    if (reg.OpenKey("\\Software\\VREK\\parcelmint", true)) reg.WriteString("dt-url", "http://example.org/lists/");
}

void Pages(const std::vector<String>& pages) {
    String list;
    int n = 0;
    for (const String& page : pages) {
        const String text = ReadFileToString(page);
        const String name = ExtractFileName(page);
        SafeWriteFile(Seed("markup", IntToStr(++n) + "-" + name), text);
        SafeWriteFile(Seed("page_head", IntToStr(n) + "-" + name), text);
        list += (n % 2 ? page : name) + "\r\n";
    }
    SafeWriteFile(Seed("page_list", "pages.hfl"), list + "\r\nmissing page.html\r\n");
}

// A few pages of each language, the smaller ones first.
std::vector<String> PickPages(const String& root) {
    std::vector<String> picked;
    for (const char* lang : {"en", "de", "fr"}) {
        std::vector<std::pair<std::uintmax_t, String>> found;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(PathJoin(root, lang), ec))
            if (e.path().extension() == ".html") found.emplace_back(e.file_size(ec), e.path().string());
        std::sort(found.begin(), found.end());
        for (std::size_t i = 0; i < found.size() && i < 3; ++i) picked.push_back(found[i].second);
    }
    return picked;
}

// Rich text as word processors and the program's own writer make it.
void RichText() {
    using namespace velmor_internal;
    int n = 0;
    for (const char* rtf :
         {R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman\fcharset238 Times New Roman;}})"
          R"({\colortbl ;\red255\green0\blue0;\red0\green0\blue255;}\pard\qc\fi-360\li720 \b Bold\b0 , \i italic\i0 )"
          R"(\ul under\ulnone  \strike gone\strike0 \cf1 red\cf0 \highlight2 marked\highlight0 \fs32 big\fs24\par)"
          R"(\pard\qj\f1 \'e9t\'e9 caf\u233?s \u-3913?\par})",
          R"({\rtf1\ansi{\fonttbl{\f0 Courier New;}}{\field{\*\fldinst HYPERLINK "http://example.org"}{\fldrslt link}} )"
          R"({\*\unknown skipped}\tab tab\line line\par\pard\ql\ri360 \{braces\}\\ \~\-\_ end\par})",
          R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset204 Arial;}}\f0 \'cf\'f0\'e8\'e2\'e5\'f2\par})"})
        SafeWriteFile(Seed("rtf", IntToStr(++n) + ".rtf"), rtf);
    TRtfCharFormat plain;
    plain.Face = "Arial";
    TRtfCharFormat marked = plain;
    marked.Bold = marked.Underline = true;
    marked.HasFore = true;
    marked.Fore = 0x0000FF;
    marked.HalfPoints = 36;
    TRtfParagraph first{{TRtfAlign::Center, 360, 0, -180}, {{u"Title ", plain}, {u"caf\u00e9 \u4e2d", marked}}};
    TRtfParagraph second{{}, {{u"{braces} and \\ backslash", plain}}};
    SafeWriteFile(Seed("rtf", "written.rtf"), WriteRtf({first, second, TRtfParagraph{}}));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::cerr << "usage: make_seeds OUT WORDLIST WORDNET-DIR LEVELS-DIR DATA-DIR PAGES-DIR\n";
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(nullptr);
    app.Initialize(argc, argv);
    try {
        Out = argv[1];
        fs::remove_all(Out);
        const std::vector<String> words = SplitLines(ReadFileToString(argv[2]));
        const std::vector<String> pages = PickPages(argv[6]);
        Spell(words, SmallThesaurus(argv[3], argv[4], 60));
        Grids(argv[5]);
        Containers();
        Streams(pages);
        Pictures(argv[5]);
        Settings();
        Pages(pages);
        RichText();
    } catch (const std::exception& e) {
        std::cerr << "make_seeds: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
