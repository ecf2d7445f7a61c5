#include <gtest/gtest.h>

#include "framework/system/IniFile.h"
#include "spell/store/UserDictionary.h"
#include "SpellTestUtil.h"
#include "support/ProtectedFile.h"

TEST(UserDictionary, MissingFileStartsEmptyAndAdditionIsSavedOnDestruction) {
    const String path = PathJoin(ScratchDir(), "default.udt");
    {
        TUserDictionary u(path);
        EXPECT_TRUE(u.Loaded);
        EXPECT_FALSE(u.ReadOnly);
        EXPECT_EQ(u.Words->Count(), 0);
        u.AddWord("qwerty");
        EXPECT_TRUE(u.Modified);
        EXPECT_FALSE(FileExists(path));  // written at destruction, not before
    }
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Added", "IGN_ListCount", -1), 1);
    EXPECT_EQ(ini.ReadString("Added", "IGN_0", ""), "qwerty");
}

TEST(UserDictionary, WordsAndPairsSurviveAReload) {
    const String path = PathJoin(ScratchDir(), "mine.udt");
    {
        TUserDictionary u(path);
        for (const char* w : {"zeta", "Alpha", "mid", "alpha"}) u.AddWord(w);
        u.AddAutoCorrect("teh", "the");
        u.AddAutoCorrect("adn", "and");
        u.AddAutoCorrect("TEH", "then");  // same misspelling: one pair, new replacement
        u.AddAutoCorrect(" spaced ", " kept as typed ");
        u.Close();
        EXPECT_FALSE(u.Loaded);
        EXPECT_EQ(u.Words->Count(), 0);
        u.LoadUserDictionary();
        EXPECT_EQ(u.Words->Count(), 4);
    }
    TUserDictionary u(path);
    ASSERT_EQ(u.Words->Count(), 4);
    for (int i = 1; i < u.Words->Count(); ++i)
        EXPECT_LE(CompareText(u.Words->Get(i - 1), u.Words->Get(i)), 0) << "sorted";
    ASSERT_EQ(u.AutoCorrectWords->Count(), 3);
    ASSERT_EQ(u.AutoCorrectReplacements->Count(), 3);
    EXPECT_EQ(u.AutoCorrectWords->Get(0), "teh");
    EXPECT_EQ(u.AutoCorrectReplacements->Get(0), "then");
    EXPECT_EQ(u.AutoCorrectWords->Get(1), "adn");
    EXPECT_EQ(u.AutoCorrectReplacements->Get(1), "and");
    EXPECT_EQ(u.AutoCorrectWords->Get(2), " spaced ");
    EXPECT_EQ(u.AutoCorrectReplacements->Get(2), " kept as typed ");
    EXPECT_FALSE(u.Modified);
}

TEST(UserDictionary, RemovalIsSavedOnlyWithALaterAddition) {
    const String path = PathJoin(ScratchDir(), "r.udt");
    {
        TUserDictionary u(path);
        u.AddWord("one");
        u.AddWord("two");
        u.AddAutoCorrect("teh", "the");
    }
    const String before = ReadFileToString(path);
    {
        TUserDictionary u(path);
        u.RemoveWord("ONE");
        u.RemoveAutoCorrect("teh");
        EXPECT_EQ(u.Words->Count(), 1);
        EXPECT_EQ(u.AutoCorrectWords->Count(), 0);
        EXPECT_EQ(u.AutoCorrectReplacements->Count(), 0);
        u.Close();
    }
    EXPECT_EQ(ReadFileToString(path), before);
    {
        TUserDictionary u(path);
        u.RemoveWord("one");
        u.AddWord("three");
    }
    TUserDictionary u(path);
    EXPECT_EQ(u.Words->IndexOf("one"), -1);
    EXPECT_GE(u.Words->IndexOf("two"), 0);
    EXPECT_GE(u.Words->IndexOf("three"), 0);
}

TEST(UserDictionary, AutoCorrectItemsSplitAtTheFirstMarker) {
    const String path = PathJoin(ScratchDir(), "ac.udt");
    SafeWriteFile(path,
                  "[Auto Correct]\nAC_ListCount=4\nAC_0=recieve@@@receive\nAC_1=a@@@b@@@c\n"
                  "AC_2=no marker here\nAC_3=wierd@@@weird\n");
    TUserDictionary u(path);
    ASSERT_EQ(u.AutoCorrectWords->Count(), 3);
    ASSERT_EQ(u.AutoCorrectReplacements->Count(), 3);
    EXPECT_EQ(u.AutoCorrectWords->Get(0), "recieve");
    EXPECT_EQ(u.AutoCorrectReplacements->Get(0), "receive");
    EXPECT_EQ(u.AutoCorrectWords->Get(1), "a");
    EXPECT_EQ(u.AutoCorrectReplacements->Get(1), "b@@@c");
    // The item without a marker is no pair; the next keeps its own replacement.
    EXPECT_EQ(u.AutoCorrectWords->Get(2), "wierd");
    EXPECT_EQ(u.AutoCorrectReplacements->Get(2), "weird");
}

TEST(UserDictionary, WordListFileIsReadOnly) {
    const String path = PathJoin(ScratchDir(), "Names.DIC");
    SafeWriteFile(path, "zulu\r\nalpha\n\nMike\n");
    const String before = ReadFileToString(path);
    {
        TUserDictionary u(path);
        EXPECT_TRUE(u.ReadOnly);
        ASSERT_EQ(u.Words->Count(), 3);
        EXPECT_EQ(u.Words->Get(0), "alpha");
        EXPECT_EQ(u.Words->Get(2), "zulu");
        u.AddWord("qwerty");
        u.AddAutoCorrect("teh", "the");
        u.RemoveWord("alpha");
        EXPECT_EQ(u.Words->Count(), 3);
        EXPECT_EQ(u.AutoCorrectWords->Count(), 0);
        EXPECT_FALSE(u.Modified);
        u.Close();
    }
    EXPECT_EQ(ReadFileToString(path), before);
}

TEST(UserDictionary, SaveToAFileTheUserMayNotWriteFailsAsInAReadOnlyFolder) {
    const std::string skip = ExpectRefusedAsInAReadOnlyFolder(
        "default.udt", "[Added]\r\nIGN_ListCount=1\r\nIGN_0=old\r\n", [](const std::string& path) {
            TUserDictionary u(path);
            u.AddWord("new");
            return ErrorTextOf<EIniFileException>([&] { u.Save(); });
        });
    if (!skip.empty()) GTEST_SKIP() << skip;
}

TEST(UserDictionary, HugeListCountReadsOnlyThePresentItems) {
    const String path = PathJoin(ScratchDir(), "big.udt");
    SafeWriteFile(path, "[Added]\nIGN_ListCount=2000000000\nIGN_0=first\nIGN_7=eighth\nIGN_x=junk\n");
    TUserDictionary u(path);
    ASSERT_EQ(u.Words->Count(), 2);
    EXPECT_EQ(u.Words->Get(0), "eighth");
    EXPECT_EQ(u.Words->Get(1), "first");
}
