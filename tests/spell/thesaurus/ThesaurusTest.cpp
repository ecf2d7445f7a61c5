#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/ProgramFolder.h"
#include "spell/thesaurus/Thesaurus.h"
#include "spell/thesaurus/ThesaurusWriter.h"

#include "support/TempDir.h"

namespace {

// A small thesaurus in MyThes form: shared prefixes ("cat", "catalog",
// "catalogue"), words that only occur as synonyms, multi-word terms and
// the notes the mapping removes.
const char* const SmallSource =
    "UTF-8\n"
    "cat|2\n"
    "(noun)|true cat|feline (similar term)|mammal (generic term)\n"
    "(verb)|vomit|spew|cat\n"
    "catalog|1\n"
    "(noun)|catalogue|list (related term)|inventory\n"
    "catalogue|1\n"
    "(verb)|catalog|list\n"
    "happy|3\n"
    "(adj)|glad|content (related term)|unhappy (antonym)\n"
    "(adj)|felicitous|well-chosen\n"
    "(adv)|gladly (related term)\n"
    "dog|1\n"
    "(noun)|mammal (generic term)\n"
    "quickly|1\n"
    "(interj)|fast|speedily\n";

String WriteSmall(const String& dir, const String& name) {
    const String path = PathJoin(dir, name);
    SafeWriteFile(path, TThesaurusWriter::Build(TThesaurusWriter::ParseMyThes(SmallSource)));
    return path;
}

std::vector<String> Lines(const TThesaurusMeaning& m, int list) { return m.Synonyms[list]; }

}  // namespace

TEST(ThesaurusWriter, MapsMyThesSenses) {
    const auto entries = TThesaurusWriter::ParseMyThes(SmallSource);
    ASSERT_EQ(entries.size(), 5u);  // "dog" keeps no synonym
    EXPECT_EQ(entries[0].Word, "cat");
    ASSERT_EQ(entries[0].Senses.size(), 2u);
    EXPECT_EQ(entries[0].Senses[0], (TThesaurusSense{1, "true cat", {"true cat", "feline"}}));
    EXPECT_EQ(entries[0].Senses[1], (TThesaurusSense{2, "vomit", {"vomit", "spew"}}));
    EXPECT_EQ(entries[3].Senses[0], (TThesaurusSense{3, "glad", {"glad", "content"}}));
    EXPECT_EQ(entries[3].Senses[2], (TThesaurusSense{4, "gladly", {"gladly"}}));
    EXPECT_EQ(entries[4].Senses[0].Kind, 0);
    EXPECT_EQ(TThesaurusWriter::ParseMyThes(SmallSource, 1)[3].Senses.size(), 1u);
    EXPECT_THROW(TThesaurusWriter::ParseMyThes("UTF-8\nword|2\n(noun)|a\n"), EConvertError);
}

// More than the format can address is refused, not written wrapped round.
TEST(ThesaurusWriter, RefusesWhatTheFormatCannotAddress) {
    unsigned seed = 7;
    auto letters = [&seed](int n) {
        String w;
        for (int k = 0; k < n; ++k) w += static_cast<char>('a' + ((seed = seed * 1103515245u + 12345u) >> 16) % 26);
        return w;
    };
    struct Case {
        const char* Name;
        std::size_t Entries, Synonyms;
        int WordLength;
    };
    // Too many meanings; too many nodes.
    for (const Case c : {Case{"meanings", 14000, 1, 4}, Case{"nodes", 1600, 6, 14}}) {
        std::vector<TThesaurusEntry> entries;
        for (std::size_t i = 0; i < c.Entries; ++i) {
            TThesaurusEntry e{"h" + IntToStr(static_cast<Int64>(i)), {}};
            TThesaurusSense s{1, "", {}};
            for (std::size_t k = 0; k < c.Synonyms; ++k) s.Synonyms.push_back(letters(c.WordLength));
            s.Label = s.Synonyms[0];
            e.Senses.push_back(s);
            entries.push_back(e);
        }
        EXPECT_THROW(TThesaurusWriter::Build(entries), EConvertError) << c.Name;
        const std::vector<TThesaurusEntry> some(entries.begin(), entries.begin() + 500);
        TThesaurusStats stats;
        const String path = PathJoin(ScratchDir(), String(c.Name) + ".thr");
        SafeWriteFile(path, TThesaurusWriter::Build(some, &stats));
        EXPECT_EQ(stats.Meanings, 500u) << c.Name;
        EXPECT_EQ(stats.HeadWords, 500u) << c.Name;
        TThesaurus t(nullptr);
        t.LoadFromFile(path);
        const auto last = t.Meanings(some.back().Word);
        ASSERT_EQ(last.size(), 1u) << c.Name;
        EXPECT_EQ(last[0].Synonyms[0], some.back().Senses[0].Synonyms) << c.Name;
    }
}

TEST(Thesaurus, LooksUpWordsOfTheFile) {
    TThesaurus t(nullptr);
    t.LoadFromFile(WriteSmall(ScratchDir(), "small.thr"));
    ASSERT_TRUE(t.Loaded());

    auto cat = t.Meanings("cat");
    ASSERT_EQ(cat.size(), 2u);
    EXPECT_EQ(cat[0].Caption(), "true cat  (Noun)");
    EXPECT_EQ(Lines(cat[0], 0), (std::vector<String>{"true cat", "feline"}));
    EXPECT_TRUE(cat[0].Synonyms[1].empty());
    EXPECT_EQ(cat[1].Caption(), "vomit  (Verb)");
    EXPECT_EQ(Lines(cat[1], 1), (std::vector<String>{"vomit", "spew"}));

    auto happy = t.Meanings("happy");
    ASSERT_EQ(happy.size(), 3u);
    EXPECT_EQ(happy[1].Caption(), "felicitous  (Adj.)");
    EXPECT_EQ(Lines(happy[1], 2), (std::vector<String>{"felicitous", "well-chosen"}));
    EXPECT_EQ(happy[2].Caption(), "gladly  (Adv.)");

    auto quickly = t.Meanings("quickly");
    ASSERT_EQ(quickly.size(), 1u);
    EXPECT_EQ(quickly[0].Caption(), "fast  (Context)");
    EXPECT_EQ(Lines(quickly[0], 0), (std::vector<String>{"fast", "speedily"}));

    EXPECT_EQ(t.Meanings("catalogue")[0].Caption(), "catalog  (Verb)");
    // A synonym is a word of the file too, found without meanings of its own.
    int node = -1;
    ASSERT_TRUE(t.FindWord("well-chosen", node));
    String text;
    t.GetWord(text, node);
    EXPECT_EQ(text, "well-chosen");
    EXPECT_TRUE(t.Meanings("well-chosen").empty());
}

// Words are found only whole: prefixes of stored words, words running past
// them, other letter cases and absent words are not found.
TEST(Thesaurus, FindsOnlyWholeWords) {
    TThesaurus t(nullptr);
    t.LoadFromFile(WriteSmall(ScratchDir(), "small.thr"));
    for (const char* w : {"cat", "catalog", "catalogue", "happy", "true cat", "gladly", "glad", "spew"}) {
        int node = -1;
        ASSERT_TRUE(t.FindWord(w, node)) << w;
        String text;
        t.GetWord(text, node);
        EXPECT_EQ(text, w);
    }
    for (const char* w : {"", "ca", "catalo", "catalogu", "catalogues", "cats", "Cat", "happ", "happyy",
                          "spe", "speww", "true", "zebra", "dog"}) {
        int node = -1;
        EXPECT_FALSE(t.FindWord(w, node)) << w;
    }
}

TEST(Thesaurus, LocatesTheFileWhateverTheCaseOfItsExtension) {
    const String dir = ScratchDir();
    WriteSmall(dir, "drelmont.thr");
    TThesaurus t(nullptr);
    SetProgramFolderOverride(dir);
    t.FileName = "Drelmont.dat";  // the extension is always taken as ".THR"
    t.SetLoaded(true);
    SetProgramFolderOverride("");
    EXPECT_TRUE(t.Loaded());
    EXPECT_EQ(t.Meanings("cat").size(), 2u);
    t.SetLoaded(false);
    EXPECT_FALSE(t.Loaded());
    EXPECT_TRUE(t.Meanings("cat").empty());

    t.UseAppDir = false;
    t.FileName = PathJoin(dir, "missing.thr");
    t.SetLoaded(true);
    EXPECT_FALSE(t.Loaded());
    // Only the ".THR" file counts, not a file of the given name.
    SafeWriteFile(PathJoin(dir, "other.dat"), "not a thesaurus");
    t.FileName = PathJoin(dir, "other.dat");
    EXPECT_EQ(t.LocateFile(), "");

    // Without the file beside the program, the settings may name it.
    SetProgramFolderOverride(dir);
    t.UseAppDir = true;
    t.FileName = "nothere.thr";
    SafeWriteFile(PathJoin(dir, "thesaur.cfg"), "[Thesaurus]\nFile=" + PathJoin(dir, "DRELMONT.thr") + "\n");
    EXPECT_EQ(t.LocateFile(), PathJoin(dir, "drelmont.thr"));
    SetProgramFolderOverride("");
}

TEST(Thesaurus, DamagedFilesRaiseNamingTheFile) {
    const String dir = ScratchDir();
    const String good = ReadFileToString(WriteSmall(dir, "good.thr"));
    auto u32 = [&](std::size_t at) {
        Cardinal v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<Byte>(good[at + i]);
        return v;
    };
    const std::size_t n = u32(165);
    const std::size_t dataAt = 169 + 4 * n + 4;
    const std::size_t d = u32(169 + 4 * n);
    const std::size_t recordsAt = dataAt + d + 2;
    const std::size_t m = static_cast<Byte>(good[dataAt + d]) | (static_cast<Byte>(good[dataAt + d + 1]) << 8);
    const std::size_t synAt = recordsAt + 14 * m + 4;
    auto put16 = [](String& s, std::size_t at, unsigned v) {
        s[at] = static_cast<char>(v & 0xFF);
        s[at + 1] = static_cast<char>(v >> 8);
    };
    auto put32 = [&](String& s, std::size_t at, Cardinal v) {
        put16(s, at, v & 0xFFFF);
        put16(s, at + 2, v >> 16);
    };
    std::vector<std::pair<String, String>> cases;
    for (const auto& [name, cut] : std::vector<std::pair<const char*, std::size_t>>{
             {"header", 100}, {"nodecount", 167}, {"nodes", 169 + 2 * n}, {"datasize", dataAt - 1},
             {"data", dataAt + d / 2}, {"records", recordsAt + 5}, {"synsize", synAt - 2}, {"syns", good.size() - 1}})
        cases.emplace_back(name, good.substr(0, cut));
    String img = good;
    put32(img, 165, 0xFFFFFFF0);
    cases.emplace_back("hugenodes", img);
    img = good;
    put32(img, 169, (u32(169) & 0xFFF00000u) | 0xFFFFF);  // root data past the block
    cases.emplace_back("dataoffset", img);
    img = good;
    put16(img, recordsAt, 0xFFFF);  // label node past the table
    cases.emplace_back("label", img);
    img = good;
    put32(img, recordsAt + 10, 0x7FFFFFFF);  // synonyms past the block
    cases.emplace_back("synoffset", img);
    img = good;
    put16(img, synAt, 0xFFFF);  // a synonym past the node table
    cases.emplace_back("synonym", img);
    img = good;
    // The root's first child, named past the node table.
    put16(img, dataAt + (u32(169) & 0xFFFFF) + 1, 0xFFFF);
    cases.emplace_back("child", img);
    for (const auto& [name, image] : cases) {
        const String path = PathJoin(dir, name + ".thr");
        SafeWriteFile(path, image);
        TThesaurus t(nullptr);
        try {
            t.LoadFromFile(path);
            ADD_FAILURE() << name << ": no error";
        } catch (const EReadError& e) {
            EXPECT_NE(String(e.what()).find(path), String::npos) << name << ": " << e.what();
        }
        EXPECT_FALSE(t.Loaded()) << name;
    }
}
