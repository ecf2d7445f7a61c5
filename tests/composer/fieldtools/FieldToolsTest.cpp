// The main window's field tools as a user drives them: spell checking the
// keywords and the description through the spell dialog, the thesaurus on a
// selected word, the offer to fetch a missing thesaurus, the character
// counters, and the bulletin text editor.
#include "composer/mainwindow/MainWindowTestSupport.h"

#include <deque>
#include <functional>
#include <string>

#include "composer/tools/btedit.h"
#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/Clipboard.h"
#include "framework/controls/Edit.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/RichEdit.h"
#include "framework/controls/Screen.h"
#include "framework/controls/TabSheet.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ShellOpener.h"
#include "framework/testkit/SimulatedInput.h"
#include "spell/dialogs/SpellCheckerDialog.h"
#include "spell/engine/SpellChecker.h"
#include "spell/parsers/Parser.h"
#include "spell/store/DictionaryWriter.h"
#include "spell/thesaurus/Thesaurus.h"
#include "spell/thesaurus/ThesaurusDialog.h"
#include "spell/thesaurus/ThesaurusWriter.h"
#include "toolbars/TbToolbarButton.h"

namespace {

const String EndMessage = "Spell Check Complete\r\n\r\nWords Checked: ";

// What the user does at one stop of the spell dialog, or in the open
// thesaurus window.
using TSpellStep = std::function<void(TSpellCheckerDialog*)>;
using TLookupStep = std::function<void(TThesaurusDialog*)>;

class FieldTools : public MainWindowTest {
protected:
    TForm1* F = nullptr;
    std::deque<std::pair<String, TSpellStep>> Steps;
    TLookupStep Lookup;
    // The step waits for the thesaurus window: a message taken while the
    // window is not open yet (the click's focus change lets messages
    // through first) is sent again, a bounded number of times.
    bool LookupWaitsForTheWindow = true;
    int LookupResends = 0;
    HWND Wnd = 0;

    void SetUp() override {
        MainWindowTest::SetUp();
        TDictionaryWriter::WriteFile(Folder.File("english.dct"),
                                     {"the", "quick", "brown", "fox", "jumped", "over", "lazy", "dog", "happy",
                                      "people", "news", "today", "keywords", "and", "words"},
                                     "Test words");
        Wnd = AllocateHWnd([this](TMessage& m) {
            if (m.Msg == WM_USER + 1) NextSpellStep();
            if (m.Msg != WM_USER + 2 || !Lookup) return;
            if (LookupWaitsForTheWindow && !F->kwbf->DialogOpen() && ++LookupResends < 100000) {
                PostMessage(Wnd, WM_USER + 2);
                return;
            }
            Lookup(F->kwbf->Dialog());
        });
        F = Create();
        F->SpellVelmor->OnMisspelledWord = [this](TObject*) { PostMessage(Wnd, WM_USER + 1); };
    }
    void TearDown() override {
        SetShellOpenHook(nullptr);
        MainWindowTest::TearDown();
        DeallocateHWnd(Wnd);
    }

    void NextSpellStep() {
        auto* d = dynamic_cast<TSpellCheckerDialog*>(F->SpellVelmor->DialogForm());
        ASSERT_TRUE(d);
        if (Steps.empty()) {
            ADD_FAILURE() << "an unexpected stop at " << F->SpellVelmor->CurrentWord;
            d->Cancel->Click();
            return;
        }
        auto [word, act] = std::move(Steps.front());
        Steps.pop_front();
        EXPECT_EQ(F->SpellVelmor->CurrentWord, word);
        act(d);
    }
    static std::pair<String, TSpellStep> Change(const String& word, const String& with) {
        return {word, [with](TSpellCheckerDialog* d) {
                    d->WordEdit->SetText(with);
                    d->Change->Click();
                }};
    }
    static std::pair<String, TSpellStep> Cancel(const String& word) {
        return {word, [](TSpellCheckerDialog* d) { d->Cancel->Click(); }};
    }

    void ShowWindow() {
        F->FirstActivation = "No";  // no page selection on showing
        F->Show();
    }
    void WriteThesaurus() {
        SafeWriteFile(Folder.File("drelmont.thr"),
                      TThesaurusWriter::Build(TThesaurusWriter::ParseMyThes("UTF-8\n"
                                                                            "happy|1\n"
                                                                            "(adj)|glad|content\n")));
    }
    // Selects `word` in the field and gives it the focus.
    static void Select(TMemo* field, const String& word) {
        field->SetFocus();
        field->SetSelStart(static_cast<int>(field->Text().find(word)));
        field->SetSelLength(static_cast<int>(word.size()));
    }
    std::vector<TDialogRecord> Boxes() const {
        std::vector<TDialogRecord> boxes;
        for (const TDialogRecord& r : Dialogs.Shown())
            if (r.Kind == "TMessageDlgForm") boxes.push_back(r);
        return boxes;
    }
};

TEST_F(FieldTools, SpellCheckOfTheKeywordsWritesTheChangedWordIntoTheField) {
    F->PageControl1->SetActivePage(F->TabSheet2);
    F->edit22->SetText("teh quick brwn fox");
    Steps = {Change("teh", "the"), Change("brwn", "brown")};
    Dialogs.Answer(mrOk);
    F->SpellCheckKeywords1->Click();
    EXPECT_TRUE(Steps.empty());
    EXPECT_EQ(F->edit22->Text(), "the quick brown fox");
    EXPECT_EQ(F->Edit13->Text(), "19");
    EXPECT_EQ(F->PageControl1->ActivePage(), F->TabSheet1);
    ASSERT_EQ(Boxes().size(), 1u);
    // The corrections are checked again but counted once.
    EXPECT_EQ(Boxes()[0].Text, EndMessage + "4");
    EXPECT_FALSE(F->SpellVelmor->Checking);
}

// The spell dialog keeps clear of the field it checks, on the screen's work
// area, whatever the size of the screen and wherever its panels are.
TEST_F(FieldTools, TheSpellDialogStaysOnTheWorkAreaAndOffTheField) {
    struct Case {
        const char* Name;
        TRect Screen, WorkArea;
        bool Room;  // a side of the field has room for the whole dialog
    } cases[] = {
        {"1280 x 1024", Rect(0, 0, 1280, 1024), Rect(0, 0, 1280, 1024), true},
        {"1024 x 768, panel below", Rect(0, 0, 1024, 768), Rect(0, 0, 1024, 728), true},
        {"1024 x 768, panels above and left", Rect(0, 0, 1024, 768), Rect(48, 32, 1024, 768), true},
        {"800 x 600", Rect(0, 0, 800, 600), Rect(0, 0, 800, 600), true},
        {"800 x 600, panel below", Rect(0, 0, 800, 600), Rect(0, 0, 800, 560), true},
        // Room below the field on the screen, but not above the panel.
        {"800 x 640, panel below", Rect(0, 0, 800, 640), Rect(0, 0, 800, 600), true},
        {"640 x 480", Rect(0, 0, 640, 480), Rect(0, 0, 640, 480), false},
    };
    struct TRealScreenAfter {
        ~TRealScreenAfter() { SetScreenAreaOverride(TRect{}, TRect{}); }
    } realScreenAfter;
    ShowWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        SetScreenAreaOverride(c.Screen, c.WorkArea);
        // The window where a user keeps it: at the work area's top left.
        F->SetBounds(c.WorkArea.Left, c.WorkArea.Top, F->Width(), F->Height());
        F->edit1->SetText("happy peple today");
        TRect dialog, word;
        Steps = {{"peple", [&](TSpellCheckerDialog* d) {
                      dialog = d->BoundsRect();
                      const TPoint a = F->edit1->ClientToScreen(Point(0, 0));
                      word = Bounds(a.X, a.Y, F->edit1->Width(), F->edit1->Height());
                      if (!c.Room) F->SpellVelmor->Parser()->GetWordRect(word);
                      d->Cancel->Click();
                  }}};
        SimulateClick(F->SpeedButton5, 10, 10);
        EXPECT_TRUE(Steps.empty());
        EXPECT_GE(dialog.Left, c.WorkArea.Left);
        EXPECT_GE(dialog.Top, c.WorkArea.Top);
        EXPECT_LE(dialog.Right, c.WorkArea.Right);
        EXPECT_LE(dialog.Bottom, c.WorkArea.Bottom);
        // Off the field where a side has room, else off the word at least.
        const bool overlaps = dialog.Left < word.Right && word.Left < dialog.Right && dialog.Top < word.Bottom &&
                              word.Top < dialog.Bottom;
        EXPECT_FALSE(overlaps) << "dialog " << dialog.Left << "," << dialog.Top << " " << dialog.Width() << "x"
                               << dialog.Height() << "; field or word " << word.Left << "," << word.Top << " "
                               << word.Width() << "x" << word.Height();
    }
}

TEST_F(FieldTools, CancelledSpellCheckOfTheDescriptionLeavesItAndShowsNoEndMessage) {
    F->edit1->SetText("happy peple today");
    Steps = {Cancel("peple")};
    F->SpeedButton5->Click();
    EXPECT_TRUE(Steps.empty());
    EXPECT_EQ(F->edit1->Text(), "happy peple today");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FieldTools, SpellCheckIsRefusedWithoutWordsOrWithTheKeywordsStepHidden) {
    struct Case {
        const char* Text;
        bool Hidden;
        const char* Box;  // nullptr: the check runs over no words
    } cases[] = {
        {"", false, "There are no words to perform the spell check on!"},
        {" ", false, "There are no words to perform the spell check on!"},
        {"\tdog", false, "There are no words to perform the spell check on!"},
        {"  ", false, nullptr},
        {"dgo", true, "To use this option you must set the Keywords tab to be visible in the settings dialog"},
    };
    for (const Case& c : cases) {
        for (TTbToolbarButton* button : {F->SpeedButton4, F->SpeedButton5}) {
            TMemo* field = button == F->SpeedButton4 ? F->edit22 : F->edit1;
            F->TabSheet1->SetTabVisible(!c.Hidden);
            F->PageControl1->SetActivePage(F->TabSheet2);
            field->SetText(c.Text);
            Dialogs.Clear();
            Dialogs.Answer(mrOk);
            button->Click();
            ASSERT_EQ(Boxes().size(), 1u) << c.Text;
            EXPECT_EQ(Boxes()[0].Text, c.Box ? String(c.Box) : EndMessage + "0") << c.Text;
            EXPECT_EQ(Boxes()[0].Type, mtInformation);
            EXPECT_EQ(field->Text(), c.Text);
            // Only a check that runs brings the keywords step forward.
            EXPECT_EQ(F->PageControl1->ActivePage() == F->TabSheet1, !c.Box) << c.Text;
        }
    }
}

TEST_F(FieldTools, TheThesaurusReplacesTheSelectedWord) {
    WriteThesaurus();
    ShowWindow();
    F->edit22->SetText("happy people");
    Select(F->edit22, "happy");
    Lookup = [](TThesaurusDialog* d) {
        ASSERT_TRUE(d);
        EXPECT_EQ(d->Caption(), "Thesaurus Lookup:");
        EXPECT_EQ(d->WordEdit->Text(), "happy");
        d->WordEdit->SetText("glad");
        d->ReplaceButton->Click();
    };
    PostMessage(Wnd, WM_USER + 2);
    F->SpeedButton17->Click();
    EXPECT_EQ(F->edit22->Text(), "glad people");
    EXPECT_EQ(F->Edit13->Text(), "11");

    // Cancel in the window leaves the field as it is.
    F->edit1->SetText("a happy day");
    Select(F->edit1, "happy");
    Lookup = [](TThesaurusDialog* d) { d->CancelButton->Click(); };
    PostMessage(Wnd, WM_USER + 2);
    F->SpeedButton18->Click();
    EXPECT_EQ(F->edit1->Text(), "a happy day");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FieldTools, AMouseClickOnTheThesaurusButtonKeepsTheFieldItWasIn) {
    // A click on a field's tool bar leaves the focus in the field the user
    // was in, so that is the field meant.
    WriteThesaurus();
    ShowWindow();
    F->edit22->SetText("happy people");
    F->edit1->SetText("happy days");
    F->edit1->SetSelStart(0);
    F->edit1->SetSelLength(5);
    // From the keywords, the description's button does nothing; nor does a
    // click that comes from the description by way of another control.
    LookupWaitsForTheWindow = false;
    Lookup = [this](TThesaurusDialog* d) {
        if (!d || !F->kwbf->DialogOpen()) return;
        ADD_FAILURE() << "the thesaurus opened for " << d->WordEdit->Text();
        d->CancelButton->Click();
    };
    auto click = [this](TTbToolbarButton* button) {
        PostMessage(Wnd, WM_USER + 2);
        SimulateClick(button, 10, 10);
        Application->ProcessMessages();
    };
    ASSERT_TRUE(WaitForFocus(F->edit22));
    click(F->SpeedButton18);
    ASSERT_TRUE(WaitForFocus(F->edit1));
    ASSERT_TRUE(WaitForFocus(F->TitleBox));
    Application->ProcessMessages();
    click(F->SpeedButton18);
    EXPECT_EQ(F->edit1->Text(), "happy days");
    EXPECT_TRUE(Boxes().empty());

    ASSERT_TRUE(WaitForFocus(F->edit22));
    F->edit22->SetSelStart(0);
    F->edit22->SetSelLength(5);
    LookupWaitsForTheWindow = true;
    Lookup = [](TThesaurusDialog* d) {
        ASSERT_TRUE(d);
        d->WordEdit->SetText("glad");
        d->ReplaceButton->Click();
    };
    PostMessage(Wnd, WM_USER + 2);
    SimulateClick(F->SpeedButton17, 10, 10);
    EXPECT_EQ(F->edit22->Text(), "glad people");
    EXPECT_TRUE(F->edit22->Focused());
}

TEST_F(FieldTools, TheThesaurusNeedsTheFocusAndASelection) {
    WriteThesaurus();
    ShowWindow();
    F->edit22->SetText("happy people");
    F->edit1->SetText("happy");
    // The description has the focus: the keywords' button does nothing.
    Select(F->edit1, "happy");
    F->SpeedButton17->Click();
    EXPECT_EQ(F->kwbf->Dialog(), nullptr);
    EXPECT_TRUE(Dialogs.Shown().empty());

    F->edit22->SetFocus();
    F->edit22->SetSelStart(2);
    Dialogs.Answer(mrOk);
    F->SpeedButton17->Click();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].Text, "You must select a word to use the Thesaurus");
    EXPECT_EQ(Boxes()[0].Type, mtInformation);
    EXPECT_EQ(F->kwbf->Dialog(), nullptr);
    EXPECT_EQ(F->edit22->Text(), "happy people");
}

TEST_F(FieldTools, AMissingThesaurusIsOfferedForDownloadThroughTheShell) {
    std::vector<String> opened;
    SetShellOpenHook([&](const String& address) {
        opened.push_back(address);
        return true;
    });
    const String expected =
        "Information: Thesaurus is not Present!\r\rThis feature requires that you download an additional "
        "file. The file is 6.5 megabytes in Size and does not ship with the standard distribution. There is "
        "no additional cost.\r\rThe file can be located at https://velmor.example/downloads/drelmont.thr"
        "\r\rIf you download this file you must save it to: \r\r   " +
        Folder.Path() + "/\r\r Do you want to download this file now?";
    struct Case {
        TModalResult Answer;
        bool Opens;
    } cases[] = {{mrNo, false}, {mrYes, true}, {mrCancel, true}};
    for (const Case& c : cases) {
        opened.clear();
        Dialogs.Clear();
        Dialogs.Answer(c.Answer);
        // Neither focus nor a selection is asked for before the offer.
        F->SpeedButton18->Click();
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].Text, expected);
        EXPECT_EQ(Boxes()[0].Type, mtConfirmation);
        EXPECT_EQ(Boxes()[0].Buttons, mbYes | mbNo);
        EXPECT_EQ(opened, c.Opens ? std::vector<String>{"https://velmor.example/downloads/drelmont.thr"}
                                  : std::vector<String>{})
            << c.Answer;
    }
    // The program itself fetched nothing.
    EXPECT_FALSE(FileExists(Folder.File("drelmont.thr")));
}

TEST_F(FieldTools, CountersFollowEveryChangeOfTheirField) {
    struct Case {
        const char* Text;
        const char* Count;
    } cases[] = {{"", "0"}, {" , ", "3"}, {"web, site  design", "17"}, {"caf\xC3\xA9", "4"}};
    for (const Case& c : cases) {
        F->edit22->SetText(c.Text);
        F->edit1->SetText(String(c.Text) + "!");
        EXPECT_EQ(F->Edit13->Text(), c.Count) << c.Text;
        EXPECT_EQ(F->Edit14->Text(), std::to_string(std::stoi(c.Count) + 1)) << c.Text;
    }
    for (TEdit* counter : {F->Edit13, F->Edit14}) {
        EXPECT_TRUE(counter->ReadOnly());
        EXPECT_FALSE(counter->TabStop());
    }
}

TEST_F(FieldTools, TheBulletinEditorHandsBackTheTrimmedTextOnOkOnly) {
    F->Edit9->SetText("Old news");
    auto edit = [this](const String& text, TTbToolbarButton* Tbtedit::*button) {
        Dialogs.AnswerWith([this, text, button](TForm* form) {
            auto* e = dynamic_cast<Tbtedit*>(form);
            ASSERT_TRUE(e);
            EXPECT_EQ(e->Caption(), "Field Editor");
            EXPECT_EQ(e->RichEdit1->Text(), F->Edit9->Text());
            e->RichEdit1->SetText(text);
            if (button) (e->*button)->Click();
        });
        F->Button1->Click();
    };
    edit(" \tNews today\r\nand more\r\n\r\n", &Tbtedit::TbToolbarButton2);
    EXPECT_EQ(F->Edit9->Text(), "News today\r\nand more");
    edit("Dropped", &Tbtedit::TbToolbarButton3);
    EXPECT_EQ(F->Edit9->Text(), "News today\r\nand more");
    edit("Closed unanswered", nullptr);
    EXPECT_EQ(F->Edit9->Text(), "News today\r\nand more");
    // The editor was freed each time.
    EXPECT_EQ(F->FindComponent("btedit"), nullptr);
}

// The editor stays modal while its spell check runs: the spell dialog
// opens over it and takes clicks, the main window below takes none.
TEST_F(FieldTools, TheBulletinEditorSpellChecksAndCopiesItsText) {
    ShowWindow();
    F->PageControl1->SetActivePage(F->TabSheet2);
    F->Edit9->SetText("quick nwes");
    Steps = {{"nwes", [this](TSpellCheckerDialog* d) {
                  auto* e = dynamic_cast<Tbtedit*>(F->FindComponent("btedit"));
                  ASSERT_TRUE(e);
                  EXPECT_TRUE(e->Modal());
                  d->WordEdit->SetText("news");
                  SimulateClick(d->Change, 5, 5);
              }}};
    bool mainTookClick = false;
    Dialogs.AnswerWith([&](TForm* form) {
        auto* e = dynamic_cast<Tbtedit*>(form);
        ASSERT_TRUE(e);
        F->Button1->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { mainTookClick = true; };
        SimulateClick(F->Button1, 5, 5);
        // The window manager hands the keyboard back to the editor in its own
        // time; the spell dialog opened before that would lose it then, and
        // with it the word being changed.
        ASSERT_TRUE(PumpMessagesUntil([&] { return e->Active(); }, 10000));
        SimulateClick(e->TbToolbarButton1, 10, 10);  // Spell Check
        EXPECT_TRUE(Steps.empty());
        EXPECT_EQ(e->RichEdit1->Text(), "quick news");
        e->TbToolbarButton7->Click();
        EXPECT_EQ(Clipboard()->AsText(), "quick news");
        EXPECT_EQ(e->RichEdit1->SelLength(), 10);
        e->RichEdit1->SetSelStart(0);
        e->RichEdit1->SetSelLength(6);
        e->Cut1->Click();
        EXPECT_EQ(Clipboard()->AsText(), "quick ");
        e->RichEdit1->SetSelStart(4);
        e->Paste1->Click();
        EXPECT_EQ(e->RichEdit1->Text(), "newsquick ");
        SimulateClick(e->TbToolbarButton2, 10, 10);  // OK
    });
    Dialogs.Answer(mrOk);  // the end of the check
    SimulateClick(F->Button1, 5, 5);
    EXPECT_FALSE(mainTookClick) << "the main window below the editor";
    EXPECT_EQ(F->Edit9->Text(), "newsquick");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].Text.substr(0, EndMessage.size()), EndMessage);
}

}  // namespace
