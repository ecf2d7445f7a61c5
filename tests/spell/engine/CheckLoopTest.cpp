// Checks of a memo through the spell-check dialog, the buttons pressed as a
// user would press them.
#include "EngineFixture.h"

#include "framework/controls/Label.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "spell/dialogs/ConfigDialog.h"
#include "spell/dialogs/SpellOptionsSheet.h"
#include "framework/controls/CheckBox.h"
#include "spell/store/TrieLookupList.h"
#include "spell/store/UserDictionary.h"

namespace {
const String EndMessage = "Spell Check Complete\r\n\r\nWords Checked: ";
}

TEST_F(SpellEngine, EveryDialogActionOnOneMemo) {
    Script.Answer(mrOk);
    Check("teh quikc fox jumpd teh wugga zorb wugga dgo end",
          {Replace("teh", "the", true), Replace("quikc", "quick"), Do("jumpd", [](auto* d) { Press(d->Ignore); }),
           Do("wugga", [](auto* d) { Press(d->IgnoreAll); }), Do("zorb", [](auto* d) { Press(d->Add); }),
           // Undo Last goes back to the word added before, and takes it out
           // of the user dictionary again.
           Do("dgo", [](auto* d) { Press(d->UndoLast); }), Do("zorb", [](auto* d) { Press(d->Add); }),
           Replace("dgo", "dog")});
    EXPECT_EQ(Memo->Text(), "the quick fox jumpd the wugga zorb wugga dog end");
    ASSERT_EQ(Script.Shown().size(), 1u);
    EXPECT_EQ(Script.Shown()[0].Text.substr(0, EndMessage.size()), EndMessage);
    EXPECT_EQ(Script.Shown()[0].Type, mtInformation);
    EXPECT_FALSE(Engine->Canceled);
    // The word added went to the user dictionary's file when the check
    // closed the dictionaries; the one taken back did not stay twice.
    TUserDictionary saved(Dir.File("user.udt"));
    EXPECT_EQ(saved.Words->Count(), 1);
    EXPECT_EQ(saved.Words->IndexOf("zorb"), 0);
}

TEST_F(SpellEngine, CancelEndsWithoutTheMessageAndLeavesTheText) {
    Form->SetBounds(100, 100, 340, 140);
    Check("teh quikc", {Do("teh", [this](auto* d) {
              // The dialog keeps clear of the control, just below it (the
              // platform's window border may shift the frame a little).
              const TPoint origin = Memo->ClientOrigin();
              EXPECT_NEAR(d->Top(), origin.Y + Memo->Height() + 2, 2);
              EXPECT_NEAR(d->Left(), origin.X, 2);
              Press(d->Cancel);
          })});
    EXPECT_EQ(Memo->Text(), "teh quikc");
    EXPECT_TRUE(Engine->Canceled);
    EXPECT_TRUE(Script.Shown().empty());
    EXPECT_FALSE(Engine->Active);  // the dictionaries are closed again
}

TEST_F(SpellEngine, ClosingTheDialogCancels) {
    Check("teh", {Do("teh", [](auto* d) { d->Close(); })});
    EXPECT_TRUE(Engine->Canceled);
}

TEST_F(SpellEngine, TheEndMessageCountsTheWords) {
    Script.Answer(mrOk);
    Check("the quick fox jumped on a cat and a dog on mat", {});
    ASSERT_EQ(Script.Shown().size(), 1u);
    EXPECT_EQ(Script.Shown()[0].Text, EndMessage + "12");
    EXPECT_EQ(Script.Shown()[0].Lines.size(), 3u);
}

TEST_F(SpellEngine, ARepeatedWordIsOfferedForDeletion) {
    Script.Answer(mrOk);
    Check("the the cat", {Do("the", [](TSpellCheckerDialog* d) {
              EXPECT_EQ(d->ErrorLabel->Caption(), "Repeated Word:");
              EXPECT_EQ(d->Change->Caption(), "&Delete");
              EXPECT_FALSE(d->ChangeAll->Enabled());
              Press(d->Change);
              EXPECT_EQ(d->Change->Caption(), "C&hange");
          })});
    EXPECT_EQ(Memo->Text(), "the cat");
}

TEST_F(SpellEngine, ARepeatedWordAfterATagIsNotAStop) {
    Engine->Configuration()->Options |= soHTML;
    Script.Answer(mrOk);
    Check("<b>the</b> the cat", {});
    EXPECT_EQ(Memo->Text(), "<b>the</b> the cat");
}

TEST_F(SpellEngine, UndoOfChangeAllForgetsThePairAndPutsBothWordsBack) {
    Check("teh cat teh dgo",
          {Replace("teh", "the", true), Do("dgo", [](auto* d) { Press(d->UndoLast); }),
           Do("teh", [this](auto* d) {
               EXPECT_EQ(Memo->Text(), "teh cat teh dgo");
               EXPECT_EQ(Engine->ChangeAllWords->Count(), 0);
               EXPECT_FALSE(Engine->ChangeAllMap->Find("teh"));
               Press(d->Cancel);
           })});
}

TEST_F(SpellEngine, WordsAcceptedWithoutAskingByTheOptions) {
    struct Case {
        const char* Text;
        TSpellOptions Add, Remove;
        bool Stops;
    } cases[] = {
        {"HTML", soUpcase, 0, false}, {"HTML", 0, soUpcase, true}, {"B2B", soNumbers, 0, false},
        {"1999", 0, soNumbers | soUpcase, false}, {"x@example.com", 0, 0, false},
        {"'tis cat's", 0, 0, true},  // "tis" is no word; "cat" is
        {"cat's", 0, 0, false},
    };
    const TSpellOptions base = Engine->Configuration()->Options;
    for (const auto& c : cases) {
        Engine->Configuration()->Options = static_cast<TSpellOptions>((base | c.Add) & ~c.Remove);
        Engine->EndShowMessage = emNever;
        Stops.clear();
        std::vector<TStep> steps;
        const String first = String(c.Text).substr(0, String(c.Text).find(' '));
        if (c.Stops) steps.push_back(Do(first, [](auto* d) { Press(d->Cancel); }));
        Check(c.Text, steps);
        EXPECT_EQ(!Stops.empty(), c.Stops) << c.Text;
    }
}

TEST_F(SpellEngine, ACapitalisedMisspellingGetsCapitalisedSuggestions) {
    Script.Answer(mrOk);
    Check("Teh", {Do("Teh", [](TSpellCheckerDialog* d) {
              // IndexOf ignores case; the entry itself must be capitalised.
              const int at = d->SuggestBox->Items()->IndexOf("the");
              ASSERT_GE(at, 0);
              EXPECT_EQ(d->SuggestBox->Items()->Get(at), "The");
              // A click on a suggestion puts it into the replacement field.
              d->SuggestBox->SetItemIndex(d->SuggestBox->Items()->IndexOf("The"));
              d->SuggestBox->OnClick(d->SuggestBox);
              EXPECT_EQ(d->WordEdit->Text(), "The");
              EXPECT_EQ(d->SuggestBox->ItemIndex(), d->SuggestBox->Items()->IndexOf("The"));
              Press(d->Change);
          })});
    EXPECT_EQ(Memo->Text(), "The");
}

TEST_F(SpellEngine, ControlsThatAreNoEditsAreNotChecked) {
    TButton* button = new TButton(Form.get());
    button->SetParent(Form.get());
    Engine->CheckWinControl(button);
    EXPECT_FALSE(Engine->Checking);
    EXPECT_FALSE(Engine->Active);
    EXPECT_EQ(Engine->DialogForm(), nullptr);
}

TEST_F(SpellEngine, CopyCasePattern) {
    struct Case {
        const char* Target;
        const char* Original;
        const char* Result;
    } cases[] = {{"the", "Teh", "The"}, {"the", "TEH", "THE"}, {"then", "TEH", "THEN"},
                 {"the", "teh", "the"}, {"receive", "Recieve", "Receive"}, {"a", "AB", "A"}};
    for (const auto& c : cases) {
        String t = c.Target;
        TSpellChecker::CopyCasePattern(t, c.Original);
        EXPECT_EQ(t, c.Result) << c.Target << " / " << c.Original;
    }
}

TEST_F(SpellEngine, RegisteredControlsEndWithOneMessageCountingBoth) {
    TMemo* second = new TMemo(Form.get());
    second->SetParent(Form.get());
    second->SetText("a cat sat");
    Memo->SetText("the dog");
    Engine->EndShowMessage = emAlways;
    Engine->RegisterControl(Memo);
    Engine->RegisterControl(second);
    Script.Answer(mrOk);
    Engine->CheckRegistered();
    ASSERT_EQ(Script.Shown().size(), 1u);
    EXPECT_EQ(Script.Shown()[0].Text, EndMessage + "5");

    // A single registered control checks nothing.
    Engine->RegisterControl(Memo);
    Engine->CheckRegistered();
    EXPECT_EQ(Script.Shown().size(), 1u);
}

TEST_F(SpellEngine, ConfigurationChangesAreDroppedOnCancelAndKeptOnOK) {
    Engine->VisibleOptions = 0x3FFF;
    Engine->Configuration()->Write();
    const String written = ReadFileToString(Dir.File("spell.cfg"));
    const TSpellOptions before = Engine->Configuration()->Options;
    const auto toggleUpcase = [](TForm* f) {
        auto* dialog = dynamic_cast<TConfigDialog*>(f);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->OptionsSheet->IgnoreBoxes.size(), 5u);
        EXPECT_EQ(dialog->OptionsSheet->SuggestionBoxes.size(), 2u);
        EXPECT_EQ(dialog->OptionsSheet->GeneralBoxes.size(), 7u);
        TCheckBox* box = dialog->OptionsSheet->OptionBox(1);
        box->SetChecked(!box->Checked());
    };
    Script.AnswerWith([&](TForm* f) {
        toggleUpcase(f);
        f->SetModalResult(mrCancel);
    });
    Script.Answer(mrYes);  // "Exit without saving configuration?"
    Engine->ShowConfigDialog();
    ASSERT_EQ(Script.Shown().size(), 2u);
    EXPECT_EQ(Script.Shown()[1].Text, "Exit without saving configuration?");
    EXPECT_EQ(Engine->Configuration()->Options, before);
    // The dropped change did not reach the file either.
    EXPECT_EQ(ReadFileToString(Dir.File("spell.cfg")), written);

    Script.AnswerWith([&](TForm* f) {
        toggleUpcase(f);
        f->SetModalResult(mrOk);
    });
    Engine->ShowConfigDialog();
    EXPECT_EQ(Engine->Configuration()->Options, before ^ soUpcase);
    EXPECT_TRUE(Engine->Configuration()->Dirty);
}

TEST_F(SpellEngine, AMissingMainDictionaryIsReportedOnce) {
    Engine.reset();
    DeleteFile(Dir.File("spell.cfg"));
    DeleteFile(Dir.File("small.dct"));
    {
        TConfiguration cfg(Dir.File("spell.cfg"), DefaultSpellOptions, "user.udt", "small.dct", "spellchk");
        cfg.MainDictionaries.push_back(std::make_unique<TMain>(Dir.File("gone.dct"), true, "Gone"));
        cfg.Write();
    }
    Start({}, DefaultSpellOptions);
    // The entry of a file that does not exist reads as disabled; enabling
    // it by hand makes the engine try it.
    Engine->Configuration()->MainDictionaries.back()->Enabled = true;
    Engine->SyncDictionaries();
    Script.Answer(mrAbort);
    Engine->EndShowMessage = emNever;
    Check("cat", {Do("cat", [](auto* d) { Press(d->Cancel); })});
    ASSERT_GE(Script.Shown().size(), 1u);
    EXPECT_EQ(Script.Shown()[0].Text, "Unable to find dictionary file:\r\n" + Dir.File("gone.dct"));
    EXPECT_EQ(Script.Shown()[0].Buttons, mbAbort);
}

TEST_F(SpellEngine, AutoCorrectRemembersThePairInTheUserDictionary) {
    Script.Answer(mrOk);
    Check("teh cat teh", {Do("teh", [](TSpellCheckerDialog* d) {
              d->WordEdit->SetText("the");
              Press(d->AutoCorrect);
          })});
    EXPECT_EQ(Memo->Text(), "the cat the");
    TUserDictionary saved(Dir.File("user.udt"));
    ASSERT_EQ(saved.AutoCorrectWords->Count(), 1);
    EXPECT_EQ(saved.AutoCorrectWords->Get(0), "teh");
    EXPECT_EQ(saved.AutoCorrectReplacements->Get(0), "the");
}

TEST_F(SpellEngine, AfterTheDialogWasLeftOnlyStartGoesOnFromTheCaret) {
    Check("teh quikc dgo", {Do("teh",
                               [this](TSpellCheckerDialog* d) {
                                   d->OnDeactivate(d);
                                   EXPECT_FALSE(d->Ignore->Enabled());
                                   EXPECT_FALSE(d->WordEdit->Enabled());
                                   Memo->SetSelStart(10);  // the user clicked before "dgo"
                                   Press(d->Start);
                               }),
                            Do("dgo", [](auto* d) {
                                EXPECT_FALSE(d->Start->Enabled());
                                Press(d->Cancel);
                            })});
}

TEST_F(SpellEngine, ALanguageIndexOutsideTheTablesIsRefused) {
    Engine->SetLanguageIndex(5);
    EXPECT_EQ(Engine->LanguageIndex(), 0);
}

TEST_F(SpellEngine, ACheckThatFailsIsOverAndTheNextOneRuns) {
    // "teh" is changed without asking into a longer word that the buffer
    // has no room for.
    Engine->ChangeAllWords->Add("teh");
    Engine->ChangeAllReplacements->Add("theeee");
    Engine->RebuildTries();
    char buffer[] = "teh";
    EXPECT_THROW(Engine->CheckBuffer(buffer, sizeof buffer), Exception);
    EXPECT_STREQ(buffer, "teh");
    EXPECT_FALSE(Engine->Checking);
    char roomy[16] = "teh";
    Engine->EndShowMessage = emNever;
    Engine->CheckBuffer(roomy, sizeof roomy);
    EXPECT_STREQ(roomy, "theeee");
}

TEST_F(SpellEngine, AFullConfigurationPathIsReadOutsideTheProgramFolder) {
    WriteAll(Dir.File("elsewhere/other.cfg"), "");
    {
        TConfiguration cfg(Dir.File("elsewhere/other.cfg"), soUpcase | soNumbers, "user.udt", "small.dct", "mine");
        cfg.Write();
    }
    // In this order every file the engine reads or writes on the way lies
    // in the scratch folder.
    Engine->SetConfigKey("mine");
    Engine->SetConfigFileName(Dir.File("elsewhere/other.cfg"));
    Engine->SetConfigInAppDir(false);
    EXPECT_EQ(Engine->Configuration()->FileName, Dir.File("elsewhere/other.cfg"));
    EXPECT_EQ(Engine->Configuration()->Options, soUpcase | soNumbers);
    EXPECT_FALSE(Engine->Configuration()->Dirty);
}

TEST_F(SpellEngine, WordsCheckedCountsEachWordOnce) {
    struct Case {
        const char* Name;
        const char* Text;
        std::vector<TStep> Steps;
        int Words;
    };
    const Case cases[] = {
        {"plain", "the quick fox jumped over the lazy dog", {}, 8},
        {"commas", "the cat, the mat, a dog, and a fox", {}, 9},
        {"trailing stop", "the quick fox jumped over the lazy dog.", {}, 8},
        {"ignored", "the quikc fox jumped over the lazy dog", {Do("quikc", [](auto* d) { Press(d->Ignore); })}, 8},
        {"changed", "the quikc fox jumped over teh lazy dog", {Replace("quikc", "quick"), Replace("teh", "the")}, 8},
        {"changed all", "teh quick fox jumped over teh lazy dog", {Replace("teh", "the", true)}, 8},
        {"undone", "the quikc fox jumped over the lazy dgo",
         {Replace("quikc", "quick"), Do("dgo", [](auto* d) { Press(d->UndoLast); }), Replace("quikc", "quick"),
          Replace("dgo", "dog")},
         8},
        {"repeated", "the quick fox jumped over the the dog",
         {Do("the", [](auto* d) { Press(d->Change); })}, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Script.Clear();
        Script.Answer(mrOk);
        Check(c.Text, c.Steps);
        ASSERT_EQ(Script.Shown().size(), 1u);
        EXPECT_EQ(Script.Shown()[0].Text, EndMessage + std::to_string(c.Words));
    }
}
