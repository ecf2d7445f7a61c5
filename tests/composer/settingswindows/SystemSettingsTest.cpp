// The System Settings window: what it shows of the settings in memory,
// what Update, Cancel and Load Defaults do to them, and how the main window
// applies and saves them once the window has closed.
#include <functional>

#include "composer/mainwindow/MainWindowTestSupport.h"

#include "composer/tools/settingp.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/TabSheet.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/grid/GkStringGrid.h"
#include "toolbars/TbToolbarButton.h"

namespace {

class SystemSettings : public MainWindowTest {
protected:
    // The window, when the Special menu opens it, goes to `work`, which
    // ends it with one of its buttons. The boxes the window shows take the
    // answers queued after this one.
    void WorkWindow(std::function<void(Tsettingp*)> work) {
        Dialogs.AnswerWith([work](TForm* form) {
            auto* window = dynamic_cast<Tsettingp*>(form);
            ASSERT_NE(window, nullptr) << form->ClassName();
            work(window);
        });
    }
    void OpenFromMenu() { Form->Settings1->Click(); }
    // The message boxes shown, without the settings window itself.
    std::vector<TDialogRecord> Boxes() const {
        std::vector<TDialogRecord> boxes;
        for (const TDialogRecord& r : Dialogs.Shown())
            if (r.Kind != "Tsettingp") boxes.push_back(r);
        return boxes;
    }
};

TEST_F(SystemSettings, ShowsTheSettingsInMemoryWithEveryFlagOnUnlessItIsZero) {
    Create();
    TComposerSettings& s = ComposerSettings;
    s.lname = "dc.language";
    s.clasname = "dc.type";
    s.aname = "dc.creator";
    s.catstr = "dc.subject";
    s.cwn = "";
    s.tokens = "0";
    s.usexhtml = "1";
    s.llist = "yes";
    s.akey = "0";
    s.adesc = "";
    s.sskey = "1";
    s.ssopt = "0";
    s.sscust = "2";
    WorkWindow([](Tsettingp* w) {
        EXPECT_EQ(w->Caption(), "Velmor System Settings");
        EXPECT_EQ(w->BorderStyle(), bsDialog);
        EXPECT_EQ(w->ClientWidth(), 387);
        EXPECT_EQ(w->ClientHeight(), 356);
        EXPECT_EQ(w->Edit1->Text(), "dc.language");
        EXPECT_EQ(w->Edit2->Text(), "dc.type");
        EXPECT_EQ(w->Edit3->Text(), "dc.creator");
        EXPECT_EQ(w->Edit4->Text(), "dc.subject");
        const std::pair<TCheckBox*, bool> boxes[] = {
            {w->CheckBox2, true}, {w->tokenselect, false}, {w->usexhtml, true},
            {w->CheckBox1, true}, {w->akey, false},        {w->adesc, true},
            {w->CheckBox4, true}, {w->CheckBox5, false},   {w->CheckBox6, true},
        };
        for (const auto& [box, checked] : boxes) EXPECT_EQ(box->Checked(), checked) << box->Name();
        EXPECT_EQ(w->Label6->Caption(),
                  "The autocorrect feature is used to\r\nremove carriage returns and line\r\nfeeds from "
                  "existing meta data values\r\nthat may have been created by hand.");
        w->TbToolbarButton2->Click();
    });
    OpenFromMenu();
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(SystemSettings, UpdateStoresFilledNamesAndEveryFlagAndTheMainWindowSavesThem) {
    TForm1* f = Create();
    ComposerSettings.usexhtml = "";  // shows checked, so Update stores "1"
    WorkWindow([](Tsettingp* w) {
        w->Edit1->SetText("dc.language");
        w->Edit2->SetText("dc.type");
        w->Edit3->SetText("");  // an empty box keeps the name it had
        w->CheckBox2->SetChecked(true);
        w->akey->SetChecked(false);
        w->CheckBox1->SetChecked(false);
        w->CheckBox5->SetChecked(false);
        w->TbToolbarButton1->Click();
        EXPECT_EQ(w->ModalResult(), mrOk);
    });
    Dialogs.Answer(mrOk);
    OpenFromMenu();

    const std::vector<TDialogRecord> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Velmor Settings Updated");
    EXPECT_EQ(boxes[0].Type, mtInformation);
    EXPECT_EQ(boxes[0].Buttons, mbOK);

    const TComposerSettings& s = ComposerSettings;
    EXPECT_EQ(s.lname, "dc.language");
    EXPECT_EQ(s.aname, "author");
    EXPECT_EQ(s.usexhtml, "1");
    // In memory and in the store alike.
    const std::pair<const char*, const char*> stored[] = {
        {"lname", "dc.language"}, {"clasname", "dc.type"}, {"aname", "author"}, {"catstr", "subject"},
        {"cwn", "1"},             {"akey", "0"},           {"adesc", "1"},      {"llist", "0"},
        {"usexhtml", "1"},        {"tokens", "0"},         {"ssopt", "0"},      {"sskey", "1"},
        {"sscust", "1"},
    };
    for (const auto& [name, value] : stored) EXPECT_EQ(Get(name), value) << name;

    // Wizard names on: the labels show the tag names.
    EXPECT_EQ(f->Label10->Caption(), "dc.language");
    EXPECT_EQ(f->Label13->Caption(), "dc.type");
    EXPECT_EQ(f->Label6->Caption(), "author");
    EXPECT_EQ(f->mtn->Caption(), "subject");
    EXPECT_FALSE(f->TabSheet2->TabVisible());
}

// The window underlines no letter: Alt with one types nothing and does
// nothing, and Update stores the name as it was.
TEST_F(SystemSettings, AnAltLetterNothingUnderlinesIsNotTyped) {
    Create();
    WorkWindow([](Tsettingp* w) {
        ASSERT_TRUE(WaitForFocus(w->Edit1));
        SimulateKey(w->Edit1, VK_END);
        SimulateKey(w->Edit1, 'Q', "q", ssAlt);
        SimulateKey(w->Edit1, 'Q', "Q", ssAlt | ssShift);
        EXPECT_EQ(w->Edit1->Text(), "language");
        EXPECT_EQ(w->ModalResult(), mrNone);
        SimulateClick(w->TbToolbarButton1, 6, w->TbToolbarButton1->Height() / 2);
    });
    Dialogs.Answer(mrOk);  // "Velmor Settings Updated"
    OpenFromMenu();
    EXPECT_EQ(ComposerSettings.lname, "language");
    EXPECT_EQ(Get("lname"), "language");
}

TEST_F(SystemSettings, CancelChangesNoSettingButStillAppliesAndSavesThoseInMemory) {
    TForm1* f = Create();
    ASSERT_EQ(Get("cwn"), "0");
    ComposerSettings.cwn = "1";  // changed elsewhere, not yet stored
    WorkWindow([](Tsettingp* w) {
        w->Edit1->SetText("changed");
        w->akey->SetChecked(false);
        w->CheckBox4->SetChecked(false);
        w->TbToolbarButton2->Click();
        EXPECT_EQ(w->ModalResult(), mrCancel);
    });
    OpenFromMenu();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(ComposerSettings.lname, "language");
    EXPECT_EQ(ComposerSettings.akey, "1");
    EXPECT_TRUE(f->TabSheet1->TabVisible());
    EXPECT_EQ(Get("lname"), "language");
    EXPECT_EQ(Get("cwn"), "1");
    EXPECT_EQ(f->Label10->Caption(), "language");
}

// Wizard names on: the tag names; off: the fixed captions; anything else
// leaves the captions as they are.
TEST_F(SystemSettings, TheFieldCaptionsFollowTheWizardNamesSetting) {
    const struct {
        const char* Cwn;
        const char* Language;
        const char* Subject;
    } cases[] = {
        {"1", "dc.language", "dc.subject"},
        {"0", "Language", "Subject"},
        {"x", "as before", "as before"},
    };
    TForm1* f = Create();
    for (const auto& c : cases) {
        Dialogs.Clear();
        f->Label10->SetCaption("as before");
        f->mtn->SetCaption("as before");
        ComposerSettings.cwn = c.Cwn;
        ComposerSettings.lname = "dc.language";
        ComposerSettings.catstr = "dc.subject";
        WorkWindow([](Tsettingp* w) { w->TbToolbarButton2->Click(); });
        OpenFromMenu();
        EXPECT_EQ(f->Label10->Caption(), c.Language) << c.Cwn;
        EXPECT_EQ(f->mtn->Caption(), c.Subject) << c.Cwn;
    }
}

TEST_F(SystemSettings, HidingEveryStepIsRefusedAndTheWindowStaysOpenAsItWas) {
    Create();
    WorkWindow([](Tsettingp* w) {
        w->Edit1->SetText("refused");
        for (TCheckBox* page : {w->CheckBox4, w->CheckBox5, w->CheckBox6}) page->SetChecked(false);
        w->TbToolbarButton1->Click();
        EXPECT_EQ(w->ModalResult(), mrNone);
        EXPECT_TRUE(w->Visible());
        for (TCheckBox* page : {w->CheckBox4, w->CheckBox5, w->CheckBox6}) EXPECT_FALSE(page->Checked());
        w->TbToolbarButton2->Click();
    });
    Dialogs.Answer(mrOk);
    OpenFromMenu();
    const std::vector<TDialogRecord> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "At least one metadata page must be shown");
    EXPECT_EQ(boxes[0].Type, mtError);
    EXPECT_EQ(boxes[0].Buttons, mbOK);
    EXPECT_EQ(ComposerSettings.lname, "language");
    EXPECT_EQ(Get("sskey"), "1");
}

// Which steps show for each choice of pages, and which step is active
// when the active one was hidden.
TEST_F(SystemSettings, TheStepsShownFollowThePagesChosen) {
    struct Case {
        bool Keywords, Options, Custom;
        TTabSheet* TForm1::*Active;
    };
    const Case cases[] = {
        {true, false, true, &TForm1::TabSheet1},
        {false, true, false, &TForm1::TabSheet2},
        {false, false, true, &TForm1::TabSheet3},
        {true, true, true, &TForm1::TabSheet1},
    };
    TComposerSettings::SeedDefaults();
    for (const Case& c : cases) {
        Dialogs.Clear();
        Form.reset();
        for (const char* page : {"sskey", "ssopt", "sscust"}) Put(page, "1");
        TForm1* f = Create();
        ASSERT_EQ(f->PageControl1->ActivePage(), f->TabSheet1);
        WorkWindow([&c](Tsettingp* w) {
            w->CheckBox4->SetChecked(c.Keywords);
            w->CheckBox5->SetChecked(c.Options);
            w->CheckBox6->SetChecked(c.Custom);
            w->TbToolbarButton1->Click();
        });
        Dialogs.Answer(mrOk);
        OpenFromMenu();
        const String which = String(c.Keywords ? "K" : "-") + (c.Options ? "O" : "-") + (c.Custom ? "C" : "-");
        EXPECT_EQ(f->TabSheet1->TabVisible(), c.Keywords) << which;
        EXPECT_EQ(f->TabSheet2->TabVisible(), c.Options) << which;
        EXPECT_EQ(f->TabSheet3->TabVisible(), c.Custom) << which;
        EXPECT_TRUE(f->TabSheet5->TabVisible()) << which;
        EXPECT_EQ(f->PageControl1->ActivePage(), f->*c.Active) << which;
        EXPECT_EQ(Get("sskey"), c.Keywords ? "1" : "0") << which;
    }
}

TEST_F(SystemSettings, NewTagNamesReachTheUpdateStepAtOnce) {
    TForm1* f = Create();
    f->Edit7->SetText("fr");
    f->PageControl1->SetActivePage(f->TabSheet5);
    f->TabSheet5Enter(f->TabSheet5);
    ASSERT_NE(f->TagLines->Text().find("<meta name=\"language\" content=\"fr\""), String::npos);
    WorkWindow([](Tsettingp* w) {
        w->Edit1->SetText("dc.language");
        w->TbToolbarButton1->Click();
    });
    Dialogs.Answer(mrOk);
    OpenFromMenu();
    EXPECT_NE(f->TagLines->Text().find("<meta name=\"dc.language\" content=\"fr\""), String::npos)
        << f->TagLines->Text();
}

TEST_F(SystemSettings, LoadDefaultsRestoresTheInstalledNamesAndStoresNothingUntilUpdate) {
    Create();
    TComposerSettings& s = ComposerSettings;
    s.cwn = s.akey = s.adesc = s.llist = s.tokens = s.usexhtml = "0";
    WorkWindow([](Tsettingp* w) {
        w->CheckBox5->SetChecked(false);
        w->TbToolbarButton4->Click();
        EXPECT_EQ(w->Edit1->Text(), "Language");
        EXPECT_EQ(w->Edit2->Text(), "Classification");
        EXPECT_EQ(w->Edit3->Text(), "Author");
        EXPECT_EQ(w->Edit4->Text(), "Subject");
        for (TCheckBox* on : {w->CheckBox2, w->akey, w->adesc, w->CheckBox1}) EXPECT_TRUE(on->Checked()) << on->Name();
        // Tokens, XHTML and the pages are not the defaults' business.
        for (TCheckBox* off : {w->tokenselect, w->usexhtml, w->CheckBox5}) EXPECT_FALSE(off->Checked()) << off->Name();
        w->TbToolbarButton2->Click();
    });
    Dialogs.Answer(mrOk);
    OpenFromMenu();
    const std::vector<TDialogRecord> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Default values restored");
    EXPECT_EQ(boxes[0].Type, mtInformation);
    EXPECT_EQ(s.lname, "language");
    EXPECT_EQ(s.akey, "0");
    EXPECT_EQ(Get("lname"), "language");
}

// A tag name goes between double quotes into every page updated: one that
// would break that markup is refused, and nothing of the window is stored.
TEST_F(SystemSettings, TagNamesThatWouldBreakThePagesMarkupAreRefused) {
    const struct {
        const char* Name;
        const char* Box;
    } cases[] = {
        {"dc\"creator", "Author meta name"},
        {"<creator", "Author meta name"},
        {"creator>", "Author meta name"},
        {"dc\tcreator", "Author meta name"},
    };
    Create();
    for (const auto& c : cases) {
        Dialogs.Clear();
        WorkWindow([&c](Tsettingp* w) {
            w->Edit1->SetText("dc.language");
            w->Edit3->SetText(c.Name);
            w->akey->SetChecked(false);
            w->TbToolbarButton1->Click();
            EXPECT_EQ(w->ModalResult(), mrNone);
            w->TbToolbarButton2->Click();
        });
        Dialogs.Answer(mrOk);
        OpenFromMenu();
        const std::vector<TDialogRecord> boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1u) << c.Name;
        EXPECT_EQ(boxes[0].Text, String("The ") + c.Box + " cannot contain \", < or > or control characters.");
        EXPECT_EQ(boxes[0].Type, mtError);
        EXPECT_EQ(ComposerSettings.aname, "author") << c.Name;
        EXPECT_EQ(ComposerSettings.lname, "language") << c.Name;
        EXPECT_EQ(ComposerSettings.akey, "1") << c.Name;
        EXPECT_EQ(Get("aname"), "author") << c.Name;
    }
}

TEST_F(SystemSettings, TokensOnLoadTheTokenMapAfresh) {
    WriteAll(Folder.File("schemas/gilsmask.tgs"), "2,2\r\ncw 0,64\r\ncw 1,64\r\n0,1,title\r\n1,1,T1\r\n");
    TForm1* f = Create();
    f->gilsmask->SetRowCount(4);
    f->gilsmask->SetCells(0, 3, "stale");
    WorkWindow([](Tsettingp* w) {
        w->tokenselect->SetChecked(true);
        w->TbToolbarButton1->Click();
    });
    Dialogs.Answer(mrOk);
    OpenFromMenu();
    EXPECT_EQ(Get("tokens"), "1");
    EXPECT_EQ(f->gilsmask->RowCount(), 2);
    EXPECT_EQ(f->gilsmask->Cells(1, 1), "T1");
    EXPECT_EQ(f->gilsmask->Cells(0, 3), "");
}

TEST_F(SystemSettings, HelpOpensItsOwnContext) {
    Create();
    Application->ClearHelpCalls();
    WorkWindow([](Tsettingp* w) {
        w->TbToolbarButton3->Click();
        w->TbToolbarButton2->Click();
    });
    OpenFromMenu();
    ASSERT_EQ(Application->HelpCalls().size(), 1u);
    EXPECT_EQ(Application->HelpCalls()[0].Data, 2003);
}

}  // namespace
