#include <gtest/gtest.h>

#include "framework/system/IniFile.h"
#include "spell/store/Configuration.h"
#include "spell/store/DictionaryWriter.h"
#include "SpellTestUtil.h"

namespace {
constexpr TSpellOptions Defaults = soInternet | soAutoSuggest | soPrimaryOnly | soRecheck | soRepeated;

std::unique_ptr<TConfiguration> Make(const String& cfg) {
    return std::make_unique<TConfiguration>(cfg, Defaults, "default.udt", "english.dct", "spellchk");
}
}  // namespace

TEST(Configuration, DiscoversDictionariesBesideTheFile) {
    for (const char* mainName : {"english.dct", "English.DCT"}) {
        const String dir = ScratchDir();
        TDictionaryWriter::WriteFile(PathJoin(dir, mainName), {"word"}, "English");
        TDictionaryWriter::WriteFile(PathJoin(dir, "medical.dct"), {"femur"}, "Medical terms");
        const String cfg = PathJoin(dir, "velmor.cfg");
        {
            auto c = Make(cfg);
            EXPECT_TRUE(c->Valid);
            EXPECT_TRUE(c->Dirty);
            ASSERT_EQ(c->MainDictionaries.size(), 2u) << mainName;
            for (const auto& m : c->MainDictionaries) {
                const bool isEnglish = ExtractFileName(m->FileName) == mainName;
                EXPECT_EQ(m->Enabled, isEnglish) << m->FileName;
                EXPECT_EQ(m->Description, isEnglish ? "English                  " : "Medical terms            ");
            }
            ASSERT_EQ(c->UserDictionaries.size(), 1u);
            EXPECT_EQ(c->UserDictionaries[0]->FileName, PathJoin(dir, "default.udt"));
            EXPECT_TRUE(c->UserDictionaries[0]->Enabled);
            EXPECT_EQ(c->UserIndex, 0);
            EXPECT_EQ(c->Options, Defaults);
        }
        TIniFile ini(cfg);
        EXPECT_TRUE(ini.ReadBool("spellchk", "ID", false)) << mainName;
        EXPECT_EQ(ini.ReadInteger("spellchk", "U_MU_DCT_ListCount", 0), 2);
    }
}

TEST(Configuration, DiscoveryPicksTheDefaultUserDictionary) {
    const String dir = ScratchDir();
    SafeWriteFile(PathJoin(dir, "a.udt"), "");
    SafeWriteFile(PathJoin(dir, "Default.UDT"), "");
    auto c = Make(PathJoin(dir, "velmor.cfg"));
    ASSERT_EQ(c->UserDictionaries.size(), 2u);
    ASSERT_GE(c->UserIndex, 0);
    const auto& current = c->UserDictionaries[static_cast<std::size_t>(c->UserIndex)];
    const auto& other = c->UserDictionaries[static_cast<std::size_t>(1 - c->UserIndex)];
    EXPECT_EQ(ExtractFileName(current->FileName), "Default.UDT");
    EXPECT_TRUE(current->Enabled);
    EXPECT_EQ(ExtractFileName(other->FileName), "a.udt");
    EXPECT_FALSE(other->Enabled);
}

TEST(Configuration, WrittenSettingsReadBackTheSame) {
    const String dir = ScratchDir();
    const String dct = PathJoin(dir, "english.dct");
    TDictionaryWriter::WriteFile(dct, {"word"}, "English");
    const String cfg = PathJoin(dir, "velmor.cfg");
    {
        auto c = Make(cfg);
        c->UserDictionaries.push_back(std::make_unique<TUser>(PathJoin(dir, "extra words.udt"), false));
        c->UserDictionaries.push_back(std::make_unique<TUser>(PathJoin(dir, "site.udt"), true));
        c->UserIndex = 2;
        c->MainDictionaries[0]->Description = "My English";
        c->Options = soUpcase | soHTML | soDualCaps | soUser4;
        c->Write();
        EXPECT_FALSE(c->Dirty);
    }
    auto c = Make(cfg);
    EXPECT_FALSE(c->Dirty);
    EXPECT_TRUE(c->Valid);
    ASSERT_EQ(c->MainDictionaries.size(), 1u);
    EXPECT_EQ(c->MainDictionaries[0]->FileName, dct);
    EXPECT_TRUE(c->MainDictionaries[0]->Enabled);
    EXPECT_EQ(c->MainDictionaries[0]->Description, "My English");
    ASSERT_EQ(c->UserDictionaries.size(), 3u);
    EXPECT_EQ(c->UserDictionaries[1]->FileName, PathJoin(dir, "extra words.udt"));
    EXPECT_FALSE(c->UserDictionaries[1]->Enabled);
    EXPECT_TRUE(c->UserDictionaries[2]->Enabled);
    EXPECT_EQ(c->UserIndex, 2);
    EXPECT_EQ(c->Options, soUpcase | soHTML | soDualCaps | soUser4);

    TConfiguration copy("", 0, "", "", "");
    copy.Assign(*c);
    c->UserDictionaries[0]->FileName = "changed";
    EXPECT_EQ(copy.Section, "spellchk");
    EXPECT_EQ(copy.FileName, cfg);
    EXPECT_EQ(copy.UserIndex, 2);
    EXPECT_EQ(copy.Options, c->Options);
    ASSERT_EQ(copy.UserDictionaries.size(), 3u);
    EXPECT_EQ(copy.UserDictionaries[0]->FileName, PathJoin(dir, "default.udt"));
    EXPECT_EQ(copy.MainDictionaries[0]->Description, "My English");
    copy.Valid = false;  // nothing to write for the copy
}

TEST(Configuration, ReadsWhatTheFileSays) {
    const String dir = ScratchDir();
    const String dct = PathJoin(dir, "english.dct");
    TDictionaryWriter::WriteFile(dct, {"word"}, "From header");
    struct Case {
        const char* Name;
        String Section;
        int Mains, Users, UserIndex;
        bool MainEnabled;
        String Description;
    };
    const String mains = "U_MU_DCT_ListCount=1\nU_MU_DCT_0=T" + dct + "\n";
    const std::vector<Case> cases = {
        {"MissingMainFileIsDisabled", "ID=1\nU_MU_DCT_ListCount=1\nU_MU_DCT_0=T" + dir + "/gone.dct\n", 1, 0, -1,
         false, ""},
        {"DescriptionFromHeaderWhenNotListed", "ID=1\n" + mains, 1, 0, -1, true, "From header              "},
        {"EmptyItemIsSkipped", "ID=1\n" + mains + "U_DCT_ListCount=3\nU_DCT_0=Ta.udt\nU_DCT_1=\nU_DCT_2=Fb.udt\nUserIndex=1\n",
         1, 2, 1, true, "From header              "},
        {"UserIndexPastTheListMeansNone", "ID=1\n" + mains + "U_DCT_ListCount=1\nU_DCT_0=Ta.udt\nUserIndex=5\n", 1, 1,
         -1, true, "From header              "},
        {"NegativeCountIsEmpty", "ID=1\nU_MU_DCT_ListCount=-4\nU_DCT_ListCount=-1\n", 0, 0, -1, false, ""},
        // Without "ID" the section counts as missing and is discovered again.
        {"NoIdRediscovers", "U_MU_DCT_ListCount=0\nsoUpcase=0\n", 1, 1, 0, true, "From header              "},
    };
    for (const Case& c : cases) {
        const String cfg = PathJoin(dir, String(c.Name) + ".cfg");
        SafeWriteFile(cfg, "[other]\nID=1\n[spellchk]\n" + c.Section);
        auto conf = Make(cfg);
        ASSERT_EQ(static_cast<int>(conf->MainDictionaries.size()), c.Mains) << c.Name;
        EXPECT_EQ(static_cast<int>(conf->UserDictionaries.size()), c.Users) << c.Name;
        EXPECT_EQ(conf->UserIndex, c.UserIndex) << c.Name;
        if (c.Mains) {
            EXPECT_EQ(conf->MainDictionaries[0]->Enabled, c.MainEnabled) << c.Name;
            EXPECT_EQ(conf->MainDictionaries[0]->Description, c.Description) << c.Name;
        }
        conf->Dirty = false;
    }
}

TEST(Configuration, MissingOptionKeysTakeTheirDefaults) {
    const String dir = ScratchDir();
    const String cfg = PathJoin(dir, "velmor.cfg");
    SafeWriteFile(cfg, "[spellchk]\nID=1\nsoUpcase=0\nsoUser2=1\n");
    auto c = Make(cfg);
    EXPECT_EQ(c->Options, soNumbers * 0 + soHTML + soInternet + soQuoted + soAutoSuggest + soPrimaryOnly +
                              soRecheck + soRepeated + soUser2);
}
