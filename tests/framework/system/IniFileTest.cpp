#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "framework/classes/StringList.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/IniFile.h"

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void TearDown() override { SetSafeWriteHook(nullptr); }
    TTempDir Dir;
    std::string Path = Dir.File("settings.ini");
};

const char* const kHandWritten =
    "; spell checker configuration\n"
    "[Thesaurus]\n"
    "File = /usr/share/thes/english.thr\n"
    "\n"
    "; the user dictionaries follow\n"
    "[Dictionaries]\n"
    "Main=english.dct\n"
    "Empty=\n"
    "Padded=\"  two blanks  \"\n"
    "Count=12\n"
    "NotANumber=12x\n";

TEST_F(IniFileTest, NamesIgnoreCaseAndMissingIsNotEmpty) {
    WriteAll(Path, kHandWritten);
    TIniFile ini(Path);
    EXPECT_EQ(ini.ReadString("thesaurus", "FILE", "def"), "/usr/share/thes/english.thr");
    EXPECT_TRUE(ini.SectionExists("DICTIONARIES"));
    EXPECT_FALSE(ini.SectionExists("Dictionary"));

    EXPECT_TRUE(ini.ValueExists("Dictionaries", "empty"));
    EXPECT_EQ(ini.ReadString("Dictionaries", "Empty", "def"), "");
    EXPECT_FALSE(ini.ValueExists("Dictionaries", "Missing"));
    EXPECT_EQ(ini.ReadString("Dictionaries", "Missing", "def"), "def");
    EXPECT_EQ(ini.ReadString("Dictionaries", "Padded", ""), "  two blanks  ");

    EXPECT_EQ(ini.ReadInteger("Dictionaries", "Count", -1), 12);
    EXPECT_EQ(ini.ReadInteger("Dictionaries", "NotANumber", -1), -1);
    EXPECT_EQ(ini.ReadInteger("Dictionaries", "Empty", -1), -1);
    EXPECT_EQ(ini.ReadInteger("Nowhere", "col0", -1), -1);
    EXPECT_TRUE(ini.ReadBool("Dictionaries", "Count", false));
    EXPECT_TRUE(ini.ReadBool("Dictionaries", "Missing", true));

    // Writing under another capitalisation replaces, it does not add.
    ini.WriteString("DICTIONARIES", "main", "german.dct");
    TStringList names;
    ini.ReadSection("dictionaries", &names);
    EXPECT_EQ(names.ToVector(),
              (std::vector<String>{"Main", "Empty", "Padded", "Count", "NotANumber"}));
    EXPECT_EQ(ini.ReadString("Dictionaries", "Main", ""), "german.dct");
}

TEST_F(IniFileTest, SectionListsAndRemoval) {
    WriteAll(Path, kHandWritten);
    TIniFile ini(Path);
    TStringList list;
    ini.ReadSections(&list);
    EXPECT_EQ(list.ToVector(), (std::vector<String>{"Thesaurus", "Dictionaries"}));

    list.Add("left over");
    ini.ReadSectionValues("Thesaurus", &list);
    EXPECT_EQ(list.ToVector(), (std::vector<String>{"File=/usr/share/thes/english.thr"}));
    ini.ReadSection("Missing", &list);
    EXPECT_EQ(list.Count(), 0);

    ini.DeleteKey("dictionaries", "MAIN");
    ini.EraseSection("THESAURUS");
    EXPECT_FALSE(ini.ValueExists("Dictionaries", "Main"));
    EXPECT_FALSE(ini.SectionExists("Thesaurus"));
    ini.UpdateFile();

    TIniFile again(Path);
    EXPECT_FALSE(again.SectionExists("Thesaurus"));
    EXPECT_FALSE(again.ValueExists("Dictionaries", "Main"));
    EXPECT_TRUE(again.ValueExists("Dictionaries", "Count"));
}

TEST_F(IniFileTest, RewriteKeepsCommentsLayoutAndLineEnds) {
    WriteAll(Path,
             "; top comment\r\n"
             "[One]\r\n"
             "a = 1\r\n"
             "\r\n"
             "; about Two\r\n"
             "[Two]\r\n"
             "b=2\r\n");
    {
        TIniFile ini(Path);
        ini.WriteString("One", "c", "3");
        ini.WriteString("Three", "d", "4");
    }
    // The untouched line keeps its own spacing; the new key joins its
    // section's keys, ahead of the comment that leads into the next one.
    EXPECT_EQ(ReadAll(Path),
              "; top comment\r\n"
              "[One]\r\n"
              "a = 1\r\n"
              "c=3\r\n"
              "\r\n"
              "; about Two\r\n"
              "[Two]\r\n"
              "b=2\r\n"
              "\r\n"
              "[Three]\r\n"
              "d=4\r\n");
}

// Keys are found through an index the writes keep up: what is written
// after deletions, into a section of comments only, over duplicate keys and
// in another letter case lands where a plain scan of the lines would put it.
TEST_F(IniFileTest, WritesLandWhereTheLinesSay) {
    WriteAll(Path,
             "[Notes]\n"
             "; nothing but a comment\n"
             "[List]\n"
             "Item_0=a\n"
             "item_0=duplicate\n"
             "Item_1=b\n"
             "\n"
             "; next\n"
             "[Tail]\n"
             "x=1\n");
    {
        TIniFile ini(Path);
        ini.WriteString("New", "first", "1");      // a new section after Tail: a blank line ends Tail
        ini.WriteString("Tail", "y", "2");         // goes after x, before that blank line
        ini.WriteString("Notes", "k", "v");        // a section of comments only gets its first key
        ini.WriteString("LIST", "ITEM_0", "A");    // the first of the duplicates, in its own spelling
        ini.DeleteKey("List", "Item_1");
        ini.WriteString("List", "Item_2", "c");    // after the last key left
        ini.WriteString("List", "item_1", "B");
        ini.DeleteKey("List", "item_0");           // both duplicates go
        ini.WriteString("List", "Item_0", "again");
        EXPECT_EQ(ini.ReadString("list", "item_2", "?"), "c");
        for (int i = 0; i < 3000; ++i) ini.WriteString("Many", "k" + std::to_string(i), std::to_string(i));
        ini.WriteString("Many", "K1500", "changed");
    }
    String many;
    for (int i = 0; i < 3000; ++i) many += "k" + std::to_string(i) + "=" + (i == 1500 ? "changed" : std::to_string(i)) + "\n";
    EXPECT_EQ(ReadAll(Path),
              "[Notes]\n"
              "; nothing but a comment\n"
              "k=v\n"
              "[List]\n"
              "Item_2=c\n"
              "item_1=B\n"
              "Item_0=again\n"
              "\n"
              "; next\n"
              "[Tail]\n"
              "x=1\n"
              "y=2\n"
              "\n"
              "[New]\n"
              "first=1\n"
              "\n"
              "[Many]\n" + many);
}

TEST_F(IniFileTest, ValuesRoundTrip) {
    const std::vector<String> values = {
        "",
        "plain",
        "  leading",
        "trailing  ",
        "\"already quoted\"",
        "'single quoted'",
        "\"",
        "a=b=c",
        "; not a comment",
        "[not a section]",
        "C:\\dict\\new.dct",
        "tab\tinside",
        "utf-8 \xc3\xa9t\xc3\xa9",
    };
    {
        TIniFile ini(Path);
        for (size_t i = 0; i < values.size(); ++i)
            ini.WriteString("Values", "v" + std::to_string(i), values[i]);
    }
    TIniFile ini(Path);
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(ini.ReadString("Values", "v" + std::to_string(i), "missing"), values[i])
            << "value #" << i;
}

TEST_F(IniFileTest, RefusesWhatWouldCorruptTheFileSayingWhy) {
    WriteAll(Path, kHandWritten);
    const std::string before = ReadAll(Path);
    {
        TIniFile ini(Path);
        struct Case {
            const char* section;
            const char* ident;
            const char* value;
            const char* why;
        };
        const Case cases[] = {
            {"S", "key", "two\nlines", "the value of \"key\" holds a line break"},
            {"S", "key", "cr\ronly", "the value of \"key\" holds a line break"},
            {"S", "two\nlines", "v", "the key \"two\nlines\" holds a line break"},
            {"S\nT", "key", "v", "the section name \"S\nT\" holds a line break"},
            {"S", "a=b", "v", "\"a=b\" cannot be a key"},
            {"S", "", "v", "\"\" cannot be a key"},
            {"S", "[x]", "v", "\"[x]\" cannot be a key"},
            {"S", ";x", "v", "\";x\" cannot be a key"},
        };
        for (const Case& c : cases) {
            try {
                ini.WriteString(c.section, c.ident, c.value);
                ADD_FAILURE() << c.section << "/" << c.ident << ": written";
            } catch (const EIniFileException& e) {
                const std::string text = e.what();
                EXPECT_EQ(text.rfind("Unable to write to " + Path + ": ", 0), 0u) << text;
                EXPECT_NE(text.find(c.why), std::string::npos) << text;
            }
        }
    }
    EXPECT_EQ(ReadAll(Path), before);
}

TEST_F(IniFileTest, ChangesReachTheFileAtUpdateOrDestruction) {
    {
        TIniFile ini(Path);
        EXPECT_EQ(ini.ReadString("S", "k", "def"), "def");  // a missing file reads as empty
    }
    EXPECT_FALSE(FileExists(Path)) << "nothing changed, so nothing may be written";
    {
        TIniFile ini(Path);
        ini.WriteInteger("Grid", "col0", 64);
        ini.WriteBool("Grid", "Save", true);
        EXPECT_FALSE(FileExists(Path));
        ini.UpdateFile();
        EXPECT_EQ(TIniFile(Path).ReadInteger("grid", "COL0", -1), 64);
        ini.WriteInteger("Grid", "col1", 80);
    }
    TIniFile reader(Path);
    EXPECT_EQ(reader.ReadInteger("Grid", "col1", -1), 80);
    EXPECT_EQ(reader.ReadString("Grid", "Save", ""), "1");
}

TEST_F(IniFileTest, TwoObjectsOnOneFileKeepEachOthersChanges) {
    WriteAll(Path, "[Thesaurus]\nFile=old.thr\n");
    TIniFile spell(Path);
    TIniFile thesaurus(Path);
    spell.WriteString("Spell", "Main", "english.dct");
    thesaurus.WriteString("Thesaurus", "File", "new.thr");
    thesaurus.UpdateFile();
    // The later writer does not take the other's stale view of the file.
    EXPECT_EQ(spell.ReadString("Thesaurus", "File", ""), "new.thr");
    spell.UpdateFile();

    TIniFile reader(Path);
    EXPECT_EQ(reader.ReadString("Thesaurus", "File", ""), "new.thr");
    EXPECT_EQ(reader.ReadString("Spell", "Main", ""), "english.dct");
}

TEST_F(IniFileTest, FailedUpdateLeavesOldFileAndKeepsChangesPending) {
    WriteAll(Path, kHandWritten);
    const std::string before = ReadAll(Path);
    TIniFile ini(Path);
    ini.WriteString("Thesaurus", "File", "changed.thr");
    for (const char* stage : {"create", "write", "sync", "rename"}) {
        SetSafeWriteHook([stage](const char* s) {
            if (std::string(s) == stage) throw EWriteError("disk full");
        });
        EXPECT_THROW(ini.UpdateFile(), EIniFileException) << stage;
        EXPECT_EQ(ReadAll(Path), before) << stage;
    }
    SetSafeWriteHook(nullptr);
    ini.UpdateFile();
    TIniFile reader(Path);
    EXPECT_EQ(reader.ReadString("Thesaurus", "File", ""), "changed.thr");
    EXPECT_EQ(reader.ReadString("Dictionaries", "Main", ""), "english.dct");
}

}  // namespace
