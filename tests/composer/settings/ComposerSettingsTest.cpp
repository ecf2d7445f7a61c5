// The settings store: first-run seeding, the read rule of every value, the
// write-only-what-exists rule and numbers that are not numbers.
#include <gtest/gtest.h>

#include "composer/ComposerTestSupport.h"
#include "composer/engine/ComposerSettings.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/Registry.h"

namespace {

class SettingsStore : public ::testing::Test {
protected:
    TTempDir Folder;
    TPrivateRegistry Store{Folder.File("registry.ini")};

    static TRegistry* Open(TRegistry& reg, const char* key = TComposerSettings::KeyPath) {
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        return reg.OpenKey(key, true) ? &reg : nullptr;
    }
    static void Put(const String& name, const String& value) {
        TRegistry reg;
        ASSERT_NE(Open(reg), nullptr);
        reg.WriteString(name, value);
    }
    static bool Has(const String& name, const char* key = TComposerSettings::KeyPath) {
        TRegistry reg;
        return Open(reg, key) && reg.ValueExists(name);
    }
    static String Get(const String& name) {
        TRegistry reg;
        return Open(reg) ? reg.ReadString(name) : String("<no key>");
    }
    static void Remove(const String& name) {
        TRegistry reg;
        ASSERT_NE(Open(reg), nullptr);
        reg.DeleteValue(name);
    }
};

TEST_F(SettingsStore, FirstRunSeedsEveryValueOnceAndReadsBackTheDefaults) {
    ASSERT_TRUE(TComposerSettings::SeedDefaults());
    for (const auto& [name, value] : TComposerSettings::DefaultValues()) {
        EXPECT_TRUE(Has(name)) << name;
        EXPECT_EQ(Get(name), value) << name;
    }
    for (const auto& [name, value] : TComposerSettings::UpdateDefaultValues())
        EXPECT_TRUE(Has(name, TComposerSettings::UpdateKeyPath)) << name;

    TComposerSettings s;
    s.Read();
    EXPECT_EQ(s.sskey, "1");
    EXPECT_EQ(s.ssopt, "1");
    EXPECT_EQ(s.sscust, "1");
    EXPECT_EQ(s.usexhtml, "0");
    EXPECT_EQ(s.tokens, "0");
    EXPECT_EQ(s.llist, "1");
    EXPECT_EQ(s.akey, "1");
    EXPECT_EQ(s.adesc, "1");
    EXPECT_EQ(s.aname, "author");
    EXPECT_EQ(s.clasname, "classification");
    EXPECT_EQ(s.lname, "language");
    EXPECT_EQ(s.catstr, "subject");
    EXPECT_EQ(s.KeywordsLimit(), 1000);
    EXPECT_EQ(s.DescriptionLimit(), 200);
    EXPECT_EQ(s.BodyCheckLength(), 1500);
    EXPECT_TRUE(s.HasAutosize);
    EXPECT_EQ(s.copyright + s.robots + s.revisit, "111");
    EXPECT_EQ(s.name + s.pname + s.rblank, "000");

    // The first run is over: a value the user took out stays out, and the
    // user's own values are never reset to their defaults.
    Remove("cwn");
    Put("sskey", "0");
    EXPECT_FALSE(TComposerSettings::SeedDefaults());
    EXPECT_FALSE(Has("cwn"));
    EXPECT_EQ(Get("sskey"), "0");
}

TEST_F(SettingsStore, WritesOnlyTheValuesThatExist) {
    ASSERT_TRUE(TComposerSettings::SeedDefaults());
    Remove("cwn");
    Remove("Autosize");
    Put("vocab", "DC subjects");
    Put("schema", "dublin");

    TComposerSettings s;
    s.Read();
    s.sskey = "0";
    s.cwn = "1";
    s.vocab.clear();
    TSettingsWindowValues w;
    w.Autosize = true;
    w.Rblank = true;
    w.Multiline = true;
    w.ProtectName = true;
    w.Schema = "";
    ASSERT_TRUE(s.Write(w));

    EXPECT_EQ(Get("sskey"), "0");  // a user's change is saved
    EXPECT_EQ(Get("rblank"), "1");
    EXPECT_EQ(Get("multiline"), "1");
    EXPECT_FALSE(Has("cwn"));       // never created
    EXPECT_FALSE(Has("Autosize"));
    EXPECT_EQ(Get("vocab"), "DC subjects");  // empty strings never overwrite these two
    EXPECT_EQ(Get("schema"), "dublin");
    // The Protect Name box and the protection are one setting.
    EXPECT_EQ(Get("name"), "1");
    EXPECT_EQ(Get("pname"), "1");
    TComposerSettings again;
    again.Read();
    EXPECT_EQ(again.name, "1");
}

// How each value is read when it is missing from the key: an if-present
// value keeps what its string held, an always-read value becomes empty, a
// limit takes its default.
struct ReadRuleCase {
    const char* Value;
    String TComposerSettings::*Field;
    const char* WhenMissing;  // nullptr: the previous content stays
};

const ReadRuleCase kReadRules[] = {
    {"multiline", &TComposerSettings::multiline, ""},
    {"rblank", &TComposerSettings::rblank, ""},
    {"pname", &TComposerSettings::pname, ""},
    {"ssopt", &TComposerSettings::ssopt, nullptr},
    {"sskey", &TComposerSettings::sskey, nullptr},
    {"sscust", &TComposerSettings::sscust, nullptr},
    {"akey", &TComposerSettings::akey, nullptr},
    {"adesc", &TComposerSettings::adesc, nullptr},
    {"usexhtml", &TComposerSettings::usexhtml, nullptr},
    {"tokens", &TComposerSettings::tokens, nullptr},
    {"BodyChk", &TComposerSettings::BodyChk, nullptr},
    {"cwn", &TComposerSettings::cwn, nullptr},
    {"clasname", &TComposerSettings::clasname, nullptr},
    {"aname", &TComposerSettings::aname, nullptr},
    {"lname", &TComposerSettings::lname, nullptr},
    {"catstr", &TComposerSettings::catstr, nullptr},
    {"llist", &TComposerSettings::llist, nullptr},
    {"sscont", &TComposerSettings::sscont, nullptr},
    {"vocab", &TComposerSettings::vocab, nullptr},
    {"schema", &TComposerSettings::schema, nullptr},
    {"keywords", &TComposerSettings::keywords, "1000"},
    {"description", &TComposerSettings::description, "200"},
    {"copyright", &TComposerSettings::copyright, ""},
    {"robots", &TComposerSettings::robots, ""},
    {"revisit", &TComposerSettings::revisit, ""},
    {"name", &TComposerSettings::name, ""},
};

class ReadRules : public SettingsStore, public ::testing::WithParamInterface<ReadRuleCase> {};

TEST_P(ReadRules, PresentValueIsReadAndMissingValueFollowsItsRule) {
    const ReadRuleCase& c = GetParam();
    // Value names are matched without regard to case.
    Put(UpperCase(c.Value), "stored");
    TComposerSettings s;
    s.*c.Field = "previous";
    s.Read();
    EXPECT_EQ(s.*c.Field, "stored");

    Remove(c.Value);
    s.*c.Field = "previous";
    s.Read();
    EXPECT_EQ(s.*c.Field, c.WhenMissing ? String(c.WhenMissing) : String("previous"));
}

INSTANTIATE_TEST_SUITE_P(EveryValue, ReadRules, ::testing::ValuesIn(kReadRules),
                         [](const auto& info) { return String(info.param.Value); });

TEST_F(SettingsStore, AutosizeIsFollowedOnlyWhenItExists) {
    TComposerSettings s;
    s.Read();
    EXPECT_FALSE(s.HasAutosize);
    Put("autosize", "1");
    s.Read();
    EXPECT_TRUE(s.HasAutosize);
    EXPECT_EQ(s.autosize, "1");
}

TEST_F(SettingsStore, PolicyReadTouchesOnlyTheRuleBaseAndProtectName) {
    Put("keywords", "800");
    Put("robots", "1");
    Put("name", "1");
    Put("sskey", "0");
    TComposerSettings s;
    s.sskey = "1";
    s.ReadPolicy();
    EXPECT_EQ(s.KeywordsLimit(), 800);
    EXPECT_EQ(s.DescriptionLimit(), 200);
    EXPECT_EQ(s.robots, "1");
    EXPECT_EQ(s.name, "1");
    EXPECT_EQ(s.sskey, "1");
}

TEST_F(SettingsStore, KeyThatCannotBeOpenedReadsAsTheRulesSay) {
    WriteAll(Folder.File("plain-file"), "not a folder");
    TPrivateRegistry broken(Folder.File("plain-file/registry.ini"));
    TComposerSettings s;
    s.sskey = "1";
    s.keywords = "5";
    s.name = "1";
    EXPECT_NO_THROW(s.Read());
    EXPECT_EQ(s.sskey, "1");
    EXPECT_EQ(s.keywords, "1000");
    EXPECT_EQ(s.name, "");
    EXPECT_FALSE(s.Write(TSettingsWindowValues()));
}

struct NumberCase {
    const char* Text;
    int Expected;
};

class TolerantNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TolerantNumbers, BadNumbersGiveTheDefault) {
    TComposerSettings s;
    s.keywords = GetParam().Text;
    s.description = GetParam().Text;
    s.BodyChk = GetParam().Text;
    const int e = GetParam().Expected;
    EXPECT_EQ(s.KeywordsLimit(), e < 0 ? 1000 : e);
    EXPECT_EQ(s.DescriptionLimit(), e < 0 ? 200 : e);
    EXPECT_EQ(s.BodyCheckLength(), e < 0 ? 1500 : e);
}

// -1 stands for "the value's own default".
INSTANTIATE_TEST_SUITE_P(Cases, TolerantNumbers,
                         ::testing::Values(NumberCase{"750", 750}, NumberCase{" 750 ", 750},
                                           NumberCase{"0", 0}, NumberCase{"", -1},
                                           NumberCase{"abc", -1}, NumberCase{"12x", -1},
                                           NumberCase{"-5", -1},
                                           NumberCase{"99999999999999", -1}));

}  // namespace
