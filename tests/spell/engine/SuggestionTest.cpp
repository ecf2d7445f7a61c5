// Suggestions for typical misspellings, from the English dictionary the
// build makes.
#include "EngineFixture.h"

#include "framework/classes/StringList.h"
#include "framework/rtl/FileUtils.h"
#include "spell/dialogs/DialogControl.h"
#include "spell/store/Dictionary.h"

namespace {
class EnglishSuggestions : public SpellEngine {
protected:
    void SetUp() override {
        const String english = PathJoin(VELMOR_BIN_DIR, "english.dct");
        if (!FileExists(english)) GTEST_SKIP() << english << " has not been built";
        {
            TConfiguration cfg(Dir.File("spell.cfg"), DefaultSpellOptions, "user.udt", "english.dct", "spellchk");
            cfg.MainDictionaries.push_back(
                std::make_unique<TMain>(english, true, TDictionary::ReadDescription(english)));
            cfg.Write();
        }
        Start({}, DefaultSpellOptions);
    }
    bool Holds(TStrings* list, const String& word) {
        for (int i = 0; i < list->Count(); ++i)
            if (list->Get(i) == word) return true;
        return false;
    }
};
}  // namespace

TEST_F(EnglishSuggestions, TypicalMisspellingsGetTheirCorrection) {
    Engine->OpenDictionaries();
    ASSERT_TRUE(Engine->Active);
    struct Case {
        const char* Wrong;
        const char* Right;
    } cases[] = {{"recieve", "receive"}, {"teh", "the"},         {"adress", "address"},
                 {"wich", "which"},      {"untill", "until"},    {"occured", "occurred"},
                 {"seperate", "separate"}, {"definately", "definitely"}, {"beleive", "believe"},
                 {"thier", "their"}};
    for (const auto& c : cases) {
        EXPECT_FALSE(Engine->IsKnownWord(c.Wrong)) << c.Wrong;
        TStringList list;
        Engine->SuggestFromDictionaries(c.Wrong, &list);
        EXPECT_TRUE(Holds(&list, c.Right)) << c.Wrong << " -> " << list.CommaText();
        EXPECT_LE(list.Count(), Engine->MaxSuggestions() + 1);
    }
}

TEST_F(EnglishSuggestions, BackgroundSuggestionsFitTheCaseOfTheWord) {
    // Without the dictionary's own passes the background makes them all,
    // from the lower-case word, fitted back to the word's case.
    Engine->Configuration()->Options &= static_cast<TSpellOptions>(~soAutoSuggest);
    Engine->EndShowMessage = emNever;
    std::vector<String> shown;
    // The stop itself is answered once the suggestions have come.
    Engine->OnMisspelledWord = [&](TObject*) {
        auto* d = dynamic_cast<TSpellCheckerDialog*>(Engine->DialogForm());
        EXPECT_TRUE(d->Suggest->Enabled());  // suggestions on demand only
    };
    Memo->SetText("Recieve");
    const HWND w = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_USER + 2)
            if (auto* d = dynamic_cast<TSpellCheckerDialog*>(Engine->DialogForm())) d->Ignore->Click();
    });
    struct TFree {
        HWND W;
        ~TFree() { DeallocateHWnd(W); }
    } freeIt{w};
    HWND target = w;
    Engine->OnAfterCreate = [&, target](TObject*, TForm*& f) {
        auto* d = dynamic_cast<TSpellCheckerDialog*>(f);
        d->DC->OnBackgroundEnd = [&, d, target](TObject*) {
            for (int i = 0; i < d->SuggestBox->Items()->Count(); ++i) shown.push_back(d->SuggestBox->Items()->Get(i));
            EXPECT_LE(d->SuggestBox->Items()->Count(), 51);
            PostMessage(target, WM_USER + 2);
        };
    };
    Engine->CheckWinControl(Memo);
    EXPECT_FALSE(Engine->Checking);
    EXPECT_NE(std::find(shown.begin(), shown.end(), "Receive"), shown.end());
    EXPECT_EQ(std::find(shown.begin(), shown.end(), "receive"), shown.end());
}

TEST_F(SpellEngine, BackgroundSuggestionsSplitAWordIntoTwoKnownOnes) {
    // Without the dictionary's passes the background makes the split.
    Engine->Configuration()->Options &= static_cast<TSpellOptions>(~soAutoSuggest);
    Engine->EndShowMessage = emNever;
    Engine->OnMisspelledWord = nullptr;
    std::vector<String> shown;
    Engine->OnAfterCreate = [&](TObject*, TForm*& f) {
        auto* d = dynamic_cast<TSpellCheckerDialog*>(f);
        d->DC->OnBackgroundEnd = [&, d](TObject*) {
            for (int i = 0; i < d->SuggestBox->Items()->Count(); ++i) shown.push_back(d->SuggestBox->Items()->Get(i));
            PostMessage(Window(), WM_USER + 1);
        };
    };
    Check("thecat", {Do("thecat", [](TSpellCheckerDialog* d) { Press(d->Ignore); })});
    EXPECT_NE(std::find(shown.begin(), shown.end(), "the cat"), shown.end());
}
