#include <gtest/gtest.h>

#include "framework/classes/StringList.h"
#include "framework/rtl/Exception.h"
#include "spell/dialogs/Languages.h"

TEST(Languages, NewTableIsTheEnglishOne) {
    TLanguages l;
    ASSERT_EQ(l.ModuleCount(), 1);
    EXPECT_EQ(l.LangCount, 1);
    EXPECT_EQ(l.Module(0)->Name, "English (US)");
    ASSERT_EQ(l.Module(0)->Strings->Count(), 64);
    struct Case {
        int Index;
        const char* Text;
    };
    for (const Case c : {Case{0, "Spell Check Complete"}, Case{1, "Words Checked: "}, Case{2, ""},
                         Case{16, "Cancel"}, Case{21, "..."}, Case{27, " Main Dictionaries: "},
                         Case{34, "Add Words &To;"}, Case{40, "Words in &UPPERCASE"}, Case{53, "User Option 4"},
                         Case{62, "Unable to find dictionary file:"}, Case{63, "Exit without saving configuration?"}})
        EXPECT_EQ(l.Text(0, c.Index), c.Text) << c.Index;
    EXPECT_EQ(l.Text(0, 64), "");
    EXPECT_EQ(l.Text(1, 0), "");
}

TEST(Languages, BackslashesBecomeLineBreaks) {
    EXPECT_EQ(TLanguages::ConvertLineBreaks("a\\b"), "a\r\nb");
    EXPECT_EQ(TLanguages::ConvertLineBreaks("a\\\\b"), "a\r\n\r\nb");
    TLanguages l;
    EXPECT_EQ(TLanguages::ConvertLineBreaks(l.Text(0, 60)),
              "A main dictionary has yet to be\r\nset for this configuration.\r\n\r\nEdit configuration?");
    EXPECT_EQ(TLanguages::ConvertLineBreaks(l.Text(0, 61)),
              "This dictionary file could not be\r\nlocated.  It needs to be moved\r\nto the specified "
              "directory or\r\nthis entry should be removed.");
}

TEST(Languages, StoredFormRoundTrips) {
    TLanguages source;
    source.Modules.push_back(std::make_unique<TLanguageModule>());
    source.Modules[1]->Name = "Deutsch";
    source.Modules[1]->Strings->Put(0, "Rechtschreibprüfung beendet");
    source.Modules[1]->Strings->Put(63, "Ohne Speichern beenden?");
    TStringList items;
    source.WriteLang(&items);
    EXPECT_EQ(items.Count(), 2 * 66);
    EXPECT_EQ(items.Get(0), "English (US)");
    EXPECT_EQ(items.Get(65), "@@@");

    TLanguages target;
    target.LangCount = source.ModuleCount();
    target.ReadLang(&items);
    ASSERT_EQ(target.ModuleCount(), 2);
    for (int m = 0; m < 2; ++m) {
        EXPECT_EQ(target.Module(m)->Name, source.Module(m)->Name);
        EXPECT_TRUE(target.Module(m)->Strings->Equals(source.Module(m)->Strings.get())) << m;
    }

    TLanguages copy;
    copy.Assign(&target);
    EXPECT_EQ(copy.ModuleCount(), 2);
    EXPECT_EQ(copy.Text(1, 63), "Ohne Speichern beenden?");
}

TEST(Languages, ListShorterThanItsCountIsAnError) {
    TLanguages source;
    TStringList items;
    source.WriteLang(&items);
    TLanguages target;
    target.LangCount = 2;
    EXPECT_THROW(target.ReadLang(&items), EReadError);
    EXPECT_EQ(target.ModuleCount(), 1);  // left as it was
    items.Delete(items.Count() - 1);      // no end marker
    target.LangCount = 1;
    EXPECT_THROW(target.ReadLang(&items), EReadError);
}
