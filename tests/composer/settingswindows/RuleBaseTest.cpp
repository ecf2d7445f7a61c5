// The Rule Base window: it reads the store when it is made, writes back
// only the values the store holds, refuses limits that are not numbers,
// and the main window reads the rule base again once it has closed.
#include <filesystem>
#include <memory>

#include "composer/mainwindow/MainWindowTestSupport.h"

#include "composer/tools/poledit.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Menus.h"
#include "toolbars/TbToolbarButton.h"

namespace {

class RuleBase : public MainWindowTest {
protected:
    std::unique_ptr<Tpoledit> Window;

    void SetUp() override {
        MainWindowTest::SetUp();
        TComposerSettings::SeedDefaults();
    }
    void TearDown() override {
        Window.reset();
        MainWindowTest::TearDown();
    }
    Tpoledit* Make() {
        Window = std::make_unique<Tpoledit>(nullptr);
        Window->AfterConstruction();
        return Window.get();
    }
    static void Remove(const String& name) {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(reg.OpenKey(TComposerSettings::KeyPath, false));
        reg.DeleteValue(name);
    }
};

TEST_F(RuleBase, ShowsTheStoredValuesAZeroAsItsLimitAndNothingForAMissingValue) {
    Put("keywords", "650");
    Put("description", "0");
    Remove("BodyChk");
    Put("copyright", "1");
    Put("revisit", "0");
    Put("robots", "yes");
    Tpoledit* w = Make();
    EXPECT_EQ(w->Caption(), "Velmor\xC2\xAE - Rule Base");
    EXPECT_EQ(w->ClientWidth(), 370);
    EXPECT_EQ(w->ClientHeight(), 296);
    EXPECT_EQ(w->Edit1->Text(), "650");
    EXPECT_EQ(w->Edit2->Text(), "200");
    EXPECT_EQ(w->Edit3->Text(), "");
    EXPECT_TRUE(w->CheckBox2->Checked());
    EXPECT_FALSE(w->CheckBox1->Checked());
    EXPECT_FALSE(w->CheckBox3->Checked());

    Put("keywords", "0");
    Put("BodyChk", "0");
    w = Make();
    EXPECT_EQ(w->Edit1->Text(), "1000");
    EXPECT_EQ(w->Edit3->Text(), "7500");
}

TEST_F(RuleBase, UpdateValuesWritesWhatTheStoreHoldsAndCreatesNothing) {
    Put("keywords", "0");
    Remove("BodyChk");
    Tpoledit* w = Make();
    w->Edit3->SetText("4000");  // no value to write it to
    w->Edit2->SetText(" 150 ");
    w->CheckBox1->SetChecked(false);
    w->CheckBox2->SetChecked(true);
    w->CheckBox3->SetChecked(false);
    Dialogs.Answer(mrOk);
    w->TbToolbarButton4->Click();

    ASSERT_EQ(Dialogs.Shown().size(), 1u);
    const TDialogRecord& box = Dialogs.Shown()[0];
    EXPECT_EQ(box.Text, "Default Values Updated!");
    EXPECT_FALSE(box.Icon);
    EXPECT_EQ(Get("keywords"), "1000");
    EXPECT_EQ(Get("description"), "150");
    EXPECT_EQ(Get("BodyChk"), "<missing>");
    EXPECT_EQ(Get("revisit"), "0");
    EXPECT_EQ(Get("copyright"), "1");
    EXPECT_EQ(Get("robots"), "0");
    // The window stays for more changes.
    EXPECT_EQ(w->ModalResult(), mrNone);
}

TEST_F(RuleBase, AnEmptyBoxLeavesItsValueAlone) {
    Put("description", "180");
    Tpoledit* w = Make();
    w->Edit2->SetText("");
    Dialogs.Answer(mrOk);
    w->TbToolbarButton4->Click();
    EXPECT_EQ(Get("description"), "180");
}

// A limit the analysis cannot read as a number would stop it with a
// conversion error each time: such text is refused and nothing at all is
// written.
TEST_F(RuleBase, LimitsThatAreNotWholeNumbersAreRefusedAndNothingIsWritten) {
    const struct {
        TEdit* Tpoledit::*Box;
        const char* Text;
        const char* Label;
    } cases[] = {
        {&Tpoledit::Edit1, "abc", "Keywords"},
        {&Tpoledit::Edit1, "1e3", "Keywords"},
        {&Tpoledit::Edit1, "9999999999", "Keywords"},
        {&Tpoledit::Edit2, "-5", "Description"},
        {&Tpoledit::Edit2, "1 000", "Description"},
        {&Tpoledit::Edit3, "12x", "Body check count"},
        {&Tpoledit::Edit3, "$FF", "Body check count"},
    };
    for (const auto& c : cases) {
        Dialogs.Clear();
        Tpoledit* w = Make();
        w->Edit1->SetText("900");
        (w->*c.Box)->SetText(c.Text);
        w->CheckBox2->SetChecked(false);
        Dialogs.Answer(mrOk);
        w->TbToolbarButton4->Click();
        ASSERT_EQ(Dialogs.Shown().size(), 1u) << c.Text;
        EXPECT_EQ(Dialogs.Shown()[0].Text, String(c.Label) + " must be a whole number of characters.");
        EXPECT_EQ(Dialogs.Shown()[0].Type, mtError);
        EXPECT_EQ(Get("keywords"), "1000") << c.Text;
        EXPECT_EQ(Get("description"), "200") << c.Text;
        EXPECT_EQ(Get("BodyChk"), "1500") << c.Text;
        EXPECT_EQ(Get("copyright"), "1") << c.Text;
    }
}

// Reporting "Updated" over a store that took nothing would tell the user
// the analysis now checks limits it does not.
TEST_F(RuleBase, AStoreThatCannotBeWrittenIsReportedNotUpdated) {
    Tpoledit* w = Make();
    ASSERT_EQ(w->Edit1->Text(), "1000");
    // The store's file now lies below a file, where nothing can be written.
    WriteAll(Folder.File("blocker"), "");
    TPrivateRegistry unwritable(Folder.File("blocker/registry.ini"));
    w->Edit1->SetText("900");
    Dialogs.Answer(mrOk);
    w->TbToolbarButton4->Click();
    ASSERT_EQ(Dialogs.Shown().size(), 1u);
    EXPECT_EQ(Dialogs.Shown()[0].Type, mtError);
    EXPECT_EQ(Dialogs.Shown()[0].Text.rfind("The rule base could not be saved:\r\n", 0), 0u)
        << Dialogs.Shown()[0].Text;
}

TEST_F(RuleBase, TheMainWindowReadsTheRuleBaseAgainOnceTheWindowCloses) {
    TForm1* f = Create();
    ASSERT_EQ(ComposerSettings.keywords, "1000");
    ASSERT_EQ(ComposerSettings.robots, "1");
    Dialogs.AnswerWith([](TForm* form) {
        auto* w = dynamic_cast<Tpoledit*>(form);
        ASSERT_NE(w, nullptr) << form->ClassName();
        w->Edit1->SetText("750");
        w->CheckBox3->SetChecked(false);
        w->TbToolbarButton4->Click();
        w->TbToolbarButton5->Click();
    });
    Dialogs.Answer(mrOk);
    f->EditTagAnalysisSettings1->Click();
    EXPECT_EQ(ShownTexts(), (std::vector<String>{"", "Default Values Updated!"}));
    EXPECT_EQ(ComposerSettings.keywords, "750");
    EXPECT_EQ(ComposerSettings.robots, "0");
}

TEST_F(RuleBase, HelpOpensItsOwnContext) {
    Tpoledit* w = Make();
    Application->ClearHelpCalls();
    w->TbToolbarButton6->Click();
    ASSERT_EQ(Application->HelpCalls().size(), 1u);
    EXPECT_EQ(Application->HelpCalls()[0].Data, 20);
}

}  // namespace
