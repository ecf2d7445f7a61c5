#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"
#include "support/ProtectedFile.h"
#include "framework/classes/StringList.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/Registry.h"

namespace {

const char* const kKey = "\\Software\\VREK\\velmor";

class RegistryTest : public ::testing::Test {
protected:
    void TearDown() override { SetSafeWriteHook(nullptr); }

    // A copy of the file under a new name gets a store of its own, so what
    // it reads came from the disk, not from this process's memory.
    std::string Reopened() {
        std::string copy = Dir.File("copy" + std::to_string(++FCopies) + ".ini");
        std::filesystem::copy_file(Path, copy);
        return copy;
    }

    TTempDir Dir;
    std::string Path = Dir.File("cfg/registry.ini");
    TEnvOverride Env{"VELMOR_REGISTRY", Path.c_str()};

private:
    int FCopies = 0;
};

std::vector<String> Names(TStrings& list) { return list.ToVector(); }

TEST_F(RegistryTest, FileNameFollowsTheEnvironment) {
    EXPECT_EQ(RegistryFileName(), Path);
    TEnvOverride none("VELMOR_REGISTRY", nullptr);
    TEnvOverride home("HOME", "/home/someone");
    {
        TEnvOverride xdg("XDG_CONFIG_HOME", "/cfg/place");
        EXPECT_EQ(RegistryFileName(), "/cfg/place/velmor/registry.ini");
    }
    {
        TEnvOverride xdg("XDG_CONFIG_HOME", "relative/place");
        EXPECT_EQ(RegistryFileName(), "/home/someone/.config/velmor/registry.ini");
    }
    TEnvOverride xdg("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(RegistryFileName(), "/home/someone/.config/velmor/registry.ini");
}

TEST_F(RegistryTest, NamesIgnoreCaseAndMissingIsNotEmpty) {
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    reg.WriteString("Autosize", "");
    reg.WriteString("schema", "My Schema");
    reg.CloseKey();

    // Other windows open the same key under other capitalisations.
    TRegistry other;
    other.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(other.OpenKey("\\SOFTWARE\\vrek\\Velmor", false));
    EXPECT_TRUE(other.ValueExists("AUTOSIZE"));
    EXPECT_EQ(other.ReadString("autosize"), "");
    EXPECT_EQ(other.ReadString("Schema"), "My Schema");
    EXPECT_FALSE(other.ValueExists("vocab"));
    EXPECT_EQ(other.ReadString("vocab"), "");
    other.WriteString("SCHEMA", "Other");
    EXPECT_EQ(other.ReadString("schema"), "Other");

    TStringList list;
    other.GetValueNames(&list);
    EXPECT_EQ(Names(list), (std::vector<String>{"Autosize", "schema"}));
    ASSERT_TRUE(other.OpenKeyReadOnly("\\software"));
    other.GetKeyNames(&list);
    EXPECT_EQ(Names(list), (std::vector<String>{"VREK"})) << "one key, not one per spelling";

    // The file reads like any INI file.
    std::string text = ReadAll(Path);
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\VREK\\velmor]\n"), std::string::npos);
    EXPECT_NE(text.find("\nschema=Other\n"), std::string::npos);
    EXPECT_NE(text.find("\nAutosize=\n"), std::string::npos);
}

TEST_F(RegistryTest, RootsAreSeparate) {
    TRegistry reg;
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey("\\Software\\Grid", true));
    reg.WriteInteger("col0", 40);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.CurrentPath(), "");
    EXPECT_FALSE(reg.KeyExists("\\Software\\Grid"));
    EXPECT_FALSE(reg.OpenKey("\\Software\\Grid", false));
    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey("\\Software\\Grid", false));
    EXPECT_EQ(reg.ReadInteger("col0"), 40);
}

TEST_F(RegistryTest, KeyPathsOpeningAndDeleting) {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey("\\Software\\Maker", false));
    EXPECT_FALSE(FileExists(Path)) << "a failed open creates nothing";

    ASSERT_TRUE(reg.OpenKey("\\Software\\Maker\\", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Maker");
    ASSERT_TRUE(reg.OpenKey("Velmor\\Grid", true));  // relative to the open key
    EXPECT_EQ(reg.CurrentPath(), "Software\\Maker\\Velmor\\Grid");
    reg.WriteBool("Save", true);
    EXPECT_TRUE(reg.KeyExists("\\software\\maker\\velmor"));
    EXPECT_TRUE(reg.KeyExists("\\Software"));  // parents exist with their children
    EXPECT_FALSE(reg.KeyExists("Velmor"));     // relative: ...\Grid\Velmor

    ASSERT_TRUE(reg.OpenKey("\\Software\\Maker", false));
    EXPECT_TRUE(reg.HasSubKeys());
    ASSERT_TRUE(reg.OpenKey("Other", true));
    ASSERT_TRUE(reg.OpenKey("\\Software\\Maker", false));
    TStringList keys;
    reg.GetKeyNames(&keys);
    EXPECT_EQ(Names(keys), (std::vector<String>{"Velmor", "Other"}));

    // Names the file could not hold are refused rather than mangled.
    EXPECT_FALSE(reg.OpenKey("bad\nname", true));
    EXPECT_FALSE(reg.OpenKey(" padded ", true));

    EXPECT_TRUE(reg.DeleteKey("VELMOR"));
    EXPECT_FALSE(reg.KeyExists("Velmor\\Grid"));
    EXPECT_FALSE(reg.DeleteKey("Velmor"));
    EXPECT_FALSE(reg.DeleteKey("\\"));  // the root stays
    reg.GetKeyNames(&keys);
    EXPECT_EQ(Names(keys), (std::vector<String>{"Other"}));

    EXPECT_FALSE(TRegistry().KeyExists("\\Software\\Maker\\Velmor\\Grid"));
}

TEST_F(RegistryTest, WritesToAReadOnlyOrDeletedKeyFail) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Maker", true));
    reg.WriteString("kept", "1");
    const std::string before = ReadAll(Path);

    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Maker"));
    EXPECT_EQ(reg.ReadString("kept"), "1");
    EXPECT_THROW(reg.WriteString("kept", "2"), ERegistryException);
    EXPECT_FALSE(reg.DeleteValue("kept"));
    EXPECT_EQ(ReadAll(Path), before);

    ASSERT_TRUE(reg.OpenKey("\\Software\\Maker", false));
    TRegistry other;
    ASSERT_TRUE(other.DeleteKey("\\Software\\Maker"));
    EXPECT_FALSE(reg.ValueExists("kept"));
    EXPECT_THROW(reg.WriteString("kept", "3"), ERegistryException);
    EXPECT_FALSE(other.KeyExists("\\Software\\Maker")) << "a write may not bring it back";
}

TEST(RegistryProtectedFile, AWriteToAFileTheUserMayNotWriteFailsAsInAReadOnlyFolder) {
    const std::string skip = ExpectRefusedAsInAReadOnlyFolder(
        "registry.ini", "[HKEY_LOCAL_MACHINE\\Software\\VREK\\velmor]\r\nschema=old\r\n",
        [](const std::string& path) {
            TEnvOverride env("VELMOR_REGISTRY", path.c_str());
            TRegistry reg;
            reg.SetRootKey(HKEY_LOCAL_MACHINE);
            if (!reg.OpenKey(kKey, false)) return std::string("the key was not found");
            if (reg.ReadString("schema") != "old") return std::string("the value was not read");
            return ErrorTextOf<ERegistryException>([&] { reg.WriteString("schema", "new"); });
        });
    if (!skip.empty()) GTEST_SKIP() << skip;
}

TEST_F(RegistryTest, IntegersAndFlags) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    reg.WriteInteger("keywords", 1000);
    reg.WriteInteger("negative", -7);
    reg.WriteBool("on", true);
    reg.WriteBool("off", false);
    reg.WriteString("five", "5");
    EXPECT_EQ(reg.ReadInteger("KEYWORDS"), 1000);
    EXPECT_EQ(reg.ReadInteger("negative"), -7);
    EXPECT_EQ(reg.ReadString("on"), "1");
    EXPECT_EQ(reg.ReadString("off"), "0");
    EXPECT_TRUE(reg.ReadBool("on"));
    EXPECT_FALSE(reg.ReadBool("off"));
    EXPECT_TRUE(reg.ReadBool("five"));

    reg.WriteString("text", "1000 words");
    reg.WriteString("empty", "");
    for (const char* name : {"text", "empty", "missing"}) {
        try {
            reg.ReadInteger(name);
            ADD_FAILURE() << name << " read as an integer";
        } catch (const ERegistryException& e) {
            EXPECT_EQ(e.Message, "Invalid data type for '" + std::string(name) + "'");
        }
        EXPECT_THROW(reg.ReadBool(name), ERegistryException) << name;
    }
}

TEST_F(RegistryTest, EveryValueAndNameRoundTripsThroughTheFile) {
    const std::vector<String> texts = {
        "",
        "plain words",
        "  leading blanks",
        "trailing blanks  ",
        "two\nlines",
        "crlf\r\nlines",
        "tab\there",
        "\"quoted\"",
        "\"",
        "back\\slash",
        "C:\\new\\table",  // \n and \t here are letters, not escapes
        "a=b",
        "[section]",
        "; comment",
        "# comment",
        "\\x41 not an escape",
        "bell\x07",
        "del\x7f",
        "utf-8 \xc3\xa9t\xc3\xa9",
    };
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(kKey, true));
        for (size_t i = 0; i < texts.size(); ++i) {
            reg.WriteString("v" + std::to_string(i), texts[i]);
            reg.WriteString(texts[i], "name #" + std::to_string(i));
        }
    }
    const std::string copyPath = Reopened();
    TEnvOverride copy("VELMOR_REGISTRY", copyPath.c_str());
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kKey, false));
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(reg.ReadString("v" + std::to_string(i)), texts[i]) << "value #" << i;
        EXPECT_TRUE(reg.ValueExists(texts[i])) << "name #" << i;
        EXPECT_EQ(reg.ReadString(texts[i]), "name #" + std::to_string(i)) << "name #" << i;
    }
    TStringList names;
    reg.GetValueNames(&names);
    for (const String& t : texts) EXPECT_GE(names.IndexOf(t), 0) << t;

    // Plain values stay as a person would write them.
    std::string text = ReadAll(copyPath);
    EXPECT_NE(text.find("\nv1=plain words\n"), std::string::npos);
    EXPECT_NE(text.find("\nv10=C:\\new\\table\n"), std::string::npos);
}

TEST_F(RegistryTest, ObjectsAndProcessesSeeEachOthersWrites) {
    TRegistry a, b;
    ASSERT_TRUE(a.OpenKey(kKey, true));
    ASSERT_TRUE(b.OpenKey(kKey, false));
    a.WriteString("vocab", "Colours");
    EXPECT_EQ(b.ReadString("vocab"), "Colours");

    // Written at once: a crash right after the write loses nothing.
    EXPECT_NE(ReadAll(Path).find("vocab=Colours"), std::string::npos);

    // Another process (or a person) rewrites the file.
    std::string text = ReadAll(Path);
    text.replace(text.find("vocab=Colours"), 13, "vocab=Shapes\nadded=yes");
    SafeWriteFile(Path, text);
    EXPECT_EQ(a.ReadString("vocab"), "Shapes");
    EXPECT_EQ(b.ReadString("added"), "yes");
    b.WriteString("more", "1");
    EXPECT_NE(ReadAll(Path).find("added=yes"), std::string::npos) << "not lost by b's write";
}

TEST_F(RegistryTest, NewFileIsPrivate) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\VREK\\parcelmint", true));
    reg.WriteString("dt-password", "secret");
    auto perms = std::filesystem::status(Path).permissions();
    using std::filesystem::perms;
    EXPECT_EQ(perms & (perms::group_all | perms::others_all), perms::none);
}

TEST_F(RegistryTest, HandEditsSurviveWrites) {
    std::filesystem::create_directories(Dir.File("cfg"));
    WriteAll(Path,
             "; kept by hand\n"
             "[HKEY_LOCAL_MACHINE\\Software\\VREK\\velmor]\n"
             "  tokens = 0   \n"
             "; the schema last chosen\n"
             "schema=Dublin\n");
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey(kKey, false));
    EXPECT_EQ(reg.ReadString("tokens"), "0");
    reg.WriteString("schema", "Core");
    EXPECT_EQ(ReadAll(Path),
              "; kept by hand\n"
              "[HKEY_LOCAL_MACHINE\\Software\\VREK\\velmor]\n"
              "  tokens = 0   \n"
              "; the schema last chosen\n"
              "schema=Core\n");
}

TEST_F(RegistryTest, KeyNamesWithStrayBackslashesListWhatTheyName) {
    std::filesystem::create_directories(Dir.File("cfg"));
    WriteAll(Path, ReadAll(std::string(VELMOR_FIXTURES) + "/stray-backslashes.ini"));
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    TStringList keys;
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software"));
    reg.GetKeyNames(&keys);
    EXPECT_EQ(Names(keys), (std::vector<String>{"VREK", "Doubled"}));
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\VREK"));
    reg.GetKeyNames(&keys);
    EXPECT_EQ(Names(keys), (std::vector<String>{"velmor", "parcelmint"}));
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\VREK\\parcelmint"));
    reg.GetKeyNames(&keys);
    EXPECT_TRUE(Names(keys).empty());
}

TEST_F(RegistryTest, FailedWriteLeavesFileAndValueAsTheyWere) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    reg.WriteString("schema", "Old");
    const std::string before = ReadAll(Path);
    for (const char* stage : {"create", "write", "sync", "rename"}) {
        SetSafeWriteHook([stage](const char* s) {
            if (std::string(s) == stage) throw EWriteError("disk full");
        });
        try {
            reg.WriteString("schema", "New");
            ADD_FAILURE() << "no error at " << stage;
        } catch (const ERegistryException& e) {
            EXPECT_EQ(e.Message, "Failed to set data for 'schema'");
        }
        EXPECT_FALSE(reg.DeleteValue("schema")) << stage;
        EXPECT_FALSE(reg.OpenKey("NewKey", true)) << stage;
        EXPECT_EQ(ReadAll(Path), before) << stage;
        EXPECT_EQ(reg.ReadString("schema"), "Old") << stage;
        EXPECT_EQ(TRegistry().KeyExists(std::string(kKey) + "\\NewKey"), false) << stage;
    }
    SetSafeWriteHook(nullptr);
    reg.WriteString("schema", "New");
    EXPECT_EQ(reg.ReadString("schema"), "New");
}

TEST_F(RegistryTest, SeedingAddsOnlyMissingValues) {
    {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(reg.OpenKey(kKey, true));
        reg.WriteString("Autosize", "1");
        reg.WriteString("vocab", "");
    }
    const std::vector<std::pair<String, String>> defaults = {
        {"autosize", "0"}, {"VOCAB", "Colours"}, {"keywords", "1000"}, {"tokens", "0"}};
    EXPECT_EQ(SeedRegistryDefaults(HKEY_LOCAL_MACHINE, "Software\\vrek\\VELMOR", defaults), 2);

    int writes = 0;
    SetSafeWriteHook([&](const char* s) {
        if (std::string(s) == "create") ++writes;
    });
    EXPECT_EQ(SeedRegistryDefaults(HKEY_LOCAL_MACHINE, kKey, defaults), 0);
    EXPECT_EQ(writes, 0) << "a seeded store is not rewritten";
    SetSafeWriteHook(nullptr);

    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKeyReadOnly(kKey));
    EXPECT_EQ(reg.ReadString("Autosize"), "1");
    EXPECT_EQ(reg.ReadString("vocab"), "") << "an empty value is a value";
    EXPECT_EQ(reg.ReadInteger("keywords"), 1000);
    EXPECT_EQ(reg.ReadString("tokens"), "0");

    // A new key is created with its values in one go.
    EXPECT_EQ(SeedRegistryDefaults(HKEY_LOCAL_MACHINE, "\\Software\\VREK\\parcelmint",
                                   {{"dt-url", ""}, {"dt-type", "0"}}),
              2);
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\VREK\\parcelmint"));
    EXPECT_TRUE(reg.ValueExists("dt-url"));
}

}  // namespace
