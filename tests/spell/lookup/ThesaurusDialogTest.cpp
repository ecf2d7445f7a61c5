// The thesaurus lookup window, driven as a user drives it, over a small
// thesaurus made for the test.
#include <gtest/gtest.h>

#include <functional>

#include "framework/classes/StringList.h"
#include "framework/controls/BitBtn.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/DialogScript.h"
#include "framework/controls/Edit.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/TabSheet.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "framework/testkit/SimulatedInput.h"
#include "spell/thesaurus/Thesaurus.h"
#include "spell/thesaurus/ThesaurusDialog.h"
#include "spell/thesaurus/ThesaurusWriter.h"
#include "support/TempDir.h"

namespace {
const char* const Source =
    "UTF-8\n"
    "happy|3\n"
    "(adj)|glad|content (related term)\n"
    "(adj)|felicitous|well-chosen\n"
    "(adv)|gladly (related term)\n"
    "glad|1\n"
    "(adj)|happy|pleased\n"
    "quickly|1\n"
    "(interj)|fast|speedily\n"
    // Only a verb: one meaning written twice, and two meanings that share
    // their label.
    "hark|3\n"
    "(verb)|listen|hear\n"
    "(verb)|listen|hear\n"
    "(verb)|listen|heed\n";

class ThesaurusLookup : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramFolderOverride(Dir.Path());
        SafeWriteFile(Dir.File("drelmont.thr"), TThesaurusWriter::Build(TThesaurusWriter::ParseMyThes(Source)));
        Thes = std::make_unique<TThesaurus>(nullptr);
        Thes->FileName = "drelmont.thr";
        Wnd = AllocateHWnd([this](TMessage& m) {
            if (m.Msg == WM_USER + 7 && Act) Act(Thes->Dialog());
        });
    }
    void TearDown() override {
        Thes.reset();
        DeallocateHWnd(Wnd);
        SetProgramFolderOverride(String());
    }
    // Runs Execute with `act` done in the open window.
    String Run(const String& word, std::function<void(TThesaurusDialog*)> act, const String& start = "unchanged") {
        Act = std::move(act);
        PostMessage(Wnd, WM_USER + 7);
        String replacement = start;
        Thes->Execute(word, replacement);
        return replacement;
    }
    static void Pick(TListBox* list, const String& item) {
        const int i = list->Items()->IndexOf(item);
        ASSERT_GE(i, 0) << item;
        list->SetItemIndex(i);
        list->OnClick(list);
    }

    TTempDir Dir;
    TDialogScript Script;
    std::unique_ptr<TThesaurus> Thes;
    HWND Wnd = 0;
    std::function<void(TThesaurusDialog*)> Act;
};
}  // namespace

TEST_F(ThesaurusLookup, AChosenSynonymReplacesTheWordInItsCase) {
    const String r = Run("Happy", [](TThesaurusDialog* d) {
        ASSERT_TRUE(d);
        EXPECT_TRUE(d->Visible());
        EXPECT_EQ(d->WordEdit->Text(), "happy");
        ASSERT_EQ(d->Lookup->Items()->Count(), 3);
        EXPECT_EQ(d->Lookup->Items()->Get(0), "glad  (Adj.)");
        Pick(d->Lookup, "glad  (Adj.)");
        // Only the adjectives' page is left.
        EXPECT_FALSE(d->Sheet1->TabVisible());
        EXPECT_FALSE(d->Sheet2->TabVisible());
        EXPECT_TRUE(d->Sheet3->TabVisible());
        EXPECT_FALSE(d->Sheet4->TabVisible());
        EXPECT_EQ(d->PageControl->ActivePage(), d->Sheet3);
        EXPECT_EQ(d->ContextEdit->Items()->Get(0), "glad");
        // Choosing a synonym looks it up at once: "content" is no head word.
        Pick(d->LB3, "content");
        EXPECT_EQ(d->WordEdit->Text(), "content");
        EXPECT_EQ(d->Lookup->Items()->Get(0), "Not Found.");
        // The word in the field when Replace is pressed is the one returned.
        d->WordEdit->SetText("glad");
        d->LookupButton->Click();
        EXPECT_EQ(d->Lookup->Items()->Get(0), "happy  (Adj.)");
        d->ReplaceButton->Click();
    });
    EXPECT_EQ(r, "Glad");
    EXPECT_FALSE(Thes->DialogOpen());
    EXPECT_FALSE(Thes->Loaded());  // given back after each lookup
    // Topics are the meanings whose synonyms were shown.
    ASSERT_EQ(Thes->TopicHistory->Count(), 1);
    EXPECT_EQ(Thes->TopicHistory->Get(0), "glad");
}

TEST_F(ThesaurusLookup, ALowerCaseWordGetsTheSynonymUnchangedAndCancelGivesNothing) {
    EXPECT_EQ(Run("happy", [](TThesaurusDialog* d) {
                  Pick(d->Lookup, "gladly  (Adv.)");
                  Pick(d->LB4, "gladly");
                  d->ReplaceButton->Click();
              }),
              "gladly");
    EXPECT_EQ(Run("Happy", [](TThesaurusDialog* d) { d->CancelButton->Click(); }), "");
    // A context meaning shows its synonyms as soon as it is listed.
    EXPECT_EQ(Run("quickly", [](TThesaurusDialog* d) {
                  EXPECT_EQ(d->LB1->Items()->Count(), 2);
                  EXPECT_EQ(d->PageControl->ActivePage(), d->Sheet1);
                  d->Close();
              }),
              "");
}

TEST_F(ThesaurusLookup, ASecondCallWhileOpenReturnsAtOnce) {
    String inner = "kept";
    EXPECT_EQ(Run("happy", [&](TThesaurusDialog* d) {
                  Thes->Execute("glad", inner);
                  EXPECT_TRUE(Thes->DialogOpen());
                  EXPECT_EQ(d->WordEdit->Text(), "happy");
                  d->ReplaceButton->Click();
              }),
              "happy");
    EXPECT_EQ(inner, "kept");
}

TEST_F(ThesaurusLookup, AMissingFileIsReportedAndNothingReplaced) {
    DeleteFile(Dir.File("drelmont.thr"));
    Script.Answer(mrNo).Answer(mrOk);
    String replacement = "unchanged";
    Thes->Execute("happy", replacement);
    EXPECT_EQ(replacement, "unchanged");
    ASSERT_EQ(Script.Shown().size(), 2u);
    EXPECT_EQ(Script.Shown()[0].Buttons, mbYes | mbNo);
    EXPECT_EQ(Script.Shown()[1].Text, "Unable to load thesaurus file.");
    EXPECT_EQ(Script.Shown()[1].Type, mtError);
}

TEST_F(ThesaurusLookup, TheWindowOnlyGrowsTaller) {
    Run("happy", [](TThesaurusDialog* d) {
        const int w = d->Width();
        d->SetBounds(d->Left(), d->Top(), w + 50, 100);
        EXPECT_EQ(d->Width(), w);
        EXPECT_GE(d->Height(), 150);
        d->SetBounds(d->Left(), d->Top(), w, 300);
        EXPECT_EQ(d->CancelButton->Top(), d->ClientHeight() - d->CancelButton->Height() - 4);
        EXPECT_EQ(d->PageControl->Height(), d->CancelButton->Top() - 8);
        d->CancelButton->Click();
    });
}

// The window opens on the first meaning: its synonyms show on the page of
// its kind, and a meaning the file holds twice is listed once.
TEST_F(ThesaurusLookup, OpensOnThePageOfTheFirstMeaning) {
    const String r = Run("hark", [](TThesaurusDialog* d) {
        ASSERT_EQ(d->Lookup->Items()->Count(), 2);
        EXPECT_EQ(d->Lookup->Items()->Get(0), "listen  (Verb)");
        EXPECT_EQ(d->Lookup->Items()->Get(1), "listen  (Verb)");
        EXPECT_EQ(d->Lookup->ItemIndex(), 0);
        EXPECT_EQ(d->PageControl->ActivePage(), d->Sheet2);
        EXPECT_FALSE(d->Sheet1->TabVisible());
        EXPECT_EQ(d->LB2->Items()->Text(), "listen\r\nhear\r\n");
        // The other meaning of that label, chosen by a click.
        const TRect second = d->Lookup->ItemRect(1);
        SimulateClick(d->Lookup, second.Left + 4, second.Top + 2);
        EXPECT_EQ(d->PageControl->ActivePage(), d->Sheet2);
        EXPECT_EQ(d->LB2->Items()->Text(), "listen\r\nheed\r\n");
        SimulateClick(d->CancelButton, 10, 10);
    });
    EXPECT_EQ(r, "");
    // "happy" opens on "glad", its first meaning, an adjective.
    Run("happy", [](TThesaurusDialog* d) {
        EXPECT_EQ(d->Lookup->ItemIndex(), 0);
        EXPECT_EQ(d->PageControl->ActivePage(), d->Sheet3);
        EXPECT_EQ(d->LB3->Items()->Get(0), "glad");
        SimulateClick(d->CancelButton, 10, 10);
    });
}
