#include <gtest/gtest.h>

#include "Script.h"
#include "support/TempDir.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/MessageBox.h"
#include "framework/controls/ModalSeam.h"
#include "framework/controls/Screen.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/SaveDialog.h"
#include "framework/controls/ColorDialog.h"
#include "framework/rtl/FileUtils.h"

#include <cstdio>
#include <filesystem>

TEST(MessageLines, EachBreakKindIsOneBreak) {
    struct Case {
        const char* Text;
        std::vector<String> Lines;
    } cases[] = {
        {"a\rb", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\n\rb", {"a", "b"}},
        {"a\n\r\n\rb", {"a", "", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"end\n", {"end", ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(MessageLines(c.Text), c.Lines) << c.Text;
}

TEST(MessageDlg, ScriptedAnswersComeBackInOrderWithWhatWasShown) {
    TTestScript script;
    script.Answer(mrNo).Answer(mrYes).Answer(mrOk);
    const String gils =
        "The GILSMASK custom schema is meant for mapping values to tokens only\n\r\n\rIt is not meant "
        "for metadata embedding";
    EXPECT_EQ(MessageDlg("Save changes made to the tree?", mtConfirmation, mbYesNoCancel, 0), mrNo);
    EXPECT_EQ(ApplicationMessageBox("Delete it?", "Velmor", MB_YESNO | MB_ICONQUESTION), IDYES);
    ShowMessage(gils);

    const auto& shown = script.Shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].Kind, "TMessageDlgForm");
    EXPECT_EQ(shown[0].Caption, "Confirm");
    EXPECT_EQ(shown[0].Type, mtConfirmation);
    EXPECT_EQ(shown[0].Buttons, mbYes | mbNo | mbCancel);
    EXPECT_EQ(shown[0].Result, mrNo);
    EXPECT_EQ(shown[1].Caption, "Velmor");
    EXPECT_EQ(shown[1].Buttons, mbYes | mbNo);
    EXPECT_TRUE(shown[1].Icon);
    EXPECT_EQ(shown[2].Caption, Application->Title());
    EXPECT_FALSE(shown[2].Icon);
    EXPECT_EQ(shown[2].Text, gils);
    ASSERT_EQ(shown[2].Lines.size(), 3u);
    EXPECT_EQ(shown[2].Lines[1], "");
    EXPECT_EQ(shown[2].Lines[2], "It is not meant for metadata embedding");
    EXPECT_EQ(script.Pending(), 0u);
}

TEST(MessageDlg, ApplicationMessageBoxAnswersWithTheButtonId) {
    TTestScript script;
    script.Answer(mrRetry);
    EXPECT_EQ(Application->MessageBox("Try again?", "", MB_RETRYCANCEL | MB_ICONWARNING), IDRETRY);
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].Caption, Application->Title());
    EXPECT_EQ(script.Shown()[0].Buttons, mbRetry | mbCancel);
    EXPECT_EQ(script.Shown()[0].Text, "Try again?");
}

TEST(MessageDlg, TypeTitlesAndButtonCaptions) {
    EXPECT_EQ(TMessageDlgForm::TypeCaption(mtWarning), "Warning");
    EXPECT_EQ(TMessageDlgForm::TypeCaption(mtError), "Error");
    EXPECT_EQ(TMessageDlgForm::TypeCaption(mtInformation), "Information");
    EXPECT_EQ(TMessageDlgForm::TypeCaption(mtConfirmation), "Confirm");
    TMessageDlgForm box(nullptr, "x", mtWarning, mbAbortRetryIgnore | mbHelp);
    ASSERT_NE(box.ButtonFor(mbAbort), nullptr);
    EXPECT_EQ(box.ButtonFor(mbAbort)->Caption(), "&Abort");
    EXPECT_EQ(box.ButtonFor(mbRetry)->Caption(), "&Retry");
    EXPECT_EQ(box.ButtonFor(mbIgnore)->Caption(), "&Ignore");
    EXPECT_EQ(box.ButtonFor(mbHelp)->Caption(), "&Help");
    EXPECT_EQ(box.ButtonFor(mbOK), nullptr);
    // Buttons sit left to right in the framework's order.
    EXPECT_LT(box.ButtonFor(mbAbort)->Left(), box.ButtonFor(mbRetry)->Left());
    EXPECT_LT(box.ButtonFor(mbIgnore)->Left(), box.ButtonFor(mbHelp)->Left());
}

TEST(MessageDlg, ClickingAButtonAnswersWithItsResult) {
    TTestScript script;
    script.AnswerWith([](TForm* f) {
        auto* box = dynamic_cast<TMessageDlgForm*>(f);
        ASSERT_NE(box, nullptr);
        box->ButtonFor(mbRetry)->Click();
    });
    EXPECT_EQ(MessageDlg("Try again?", mtError, mbRetry | mbCancel, 0), mrRetry);
}

TEST(MessageDlg, AnUnansweredBoxIsCancelledAndReported) {
    TDialogScript script;
    std::vector<String> reported;
    script.OnUnanswered = [&](const TDialogRecord& r) { reported.push_back(r.Text); };
    EXPECT_EQ(MessageDlg("Nobody answers", mtWarning, mbOKCancel, 0), mrCancel);
    EXPECT_EQ(ApplicationMessageBox("Yes or no", "", MB_YESNO), IDNO);
    EXPECT_EQ(reported, (std::vector<String>{"Nobody answers", "Yes or no"}));
    EXPECT_EQ(script.Unanswered().size(), 2u);
}

TEST(InputQuery, OkReturnsTheTextAndCancelKeepsTheValue) {
    TTestScript script;
    script.AnswerText("Optics").Answer(mrCancel);
    String value = "old";
    EXPECT_TRUE(InputQuery("Rename", "New name:", value));
    EXPECT_EQ(value, "Optics");
    EXPECT_EQ(InputBox("Rename", "New name:", "keep"), "keep");
    ASSERT_EQ(script.Shown().size(), 2u);
    EXPECT_EQ(script.Shown()[0].Kind, "TInputQueryForm");
    EXPECT_EQ(script.Shown()[0].Caption, "Rename");
    EXPECT_EQ(script.Shown()[0].Text, "New name:");
}

TEST(OpenDialog, FilterIsParsedIntoDescriptionsAndPatterns) {
    const auto f = ParseDialogFilter(
        "HTML Files or List|*.htm;*.html;*.cfml;*.xml;*.xhtml;*.shtm;*.shtml;*.cfm;*.htm;*.asp;*.hfl|"
        "All Files (*.*)|*.*");
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].Description, "HTML Files or List");
    EXPECT_EQ(f[0].Patterns.size(), 11u);
    EXPECT_EQ(f[0].Patterns[1], "*.html");
    EXPECT_EQ(f[1].Description, "All Files (*.*)");
    EXPECT_EQ(f[1].Patterns, std::vector<String>{"*.*"});
    EXPECT_TRUE(ParseDialogFilter("").empty());
}

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::FILE* f = std::fopen((Dir / "page.htm").c_str(), "w");
        std::fputs("<html></html>", f);
        std::fclose(f);
    }
    TTempDir Scratch;
    std::filesystem::path Dir{Scratch.Path()};
};

TEST_F(FileDialogTest, OpenReturnsFullNamesAndTheChosenFilterIndex) {
    TTestScript script;
    script.AnswerFiles({"page.htm", "other.htm"}, 2).Answer(mrCancel);
    TOpenDialog dlg(nullptr);
    dlg.Filter = "Keyword File|*.kwf|Description File|*.dsc";
    dlg.InitialDir = Dir.string();
    dlg.Title = "Open keywords";
    dlg.Options |= ofAllowMultiSelect;
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.FileName, (Dir / "page.htm").string());
    EXPECT_EQ(dlg.Files()->Count(), 2);
    EXPECT_EQ(dlg.FilterIndex, 2);
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.FilterIndex, 2);  // a cancelled dialog changes nothing
    ASSERT_EQ(script.Shown().size(), 2u);
    EXPECT_EQ(script.Shown()[0].Kind, "TOpenDialog");
    EXPECT_EQ(script.Shown()[0].Caption, "Open keywords");
    EXPECT_EQ(script.Shown()[0].Text, "Keyword File|*.kwf|Description File|*.dsc");
}

TEST_F(FileDialogTest, MustExistAndOverwriteChecksSendTheUserBack) {
    TTestScript script;
    // Open: a missing file is refused with a warning, then a real one taken.
    script.AnswerFiles({"missing.htm"}).Answer(mrOk).AnswerFiles({"page.htm"});
    TOpenDialog open(nullptr);
    open.InitialDir = Dir.string();
    open.Options |= ofFileMustExist;
    ASSERT_TRUE(open.Execute());
    EXPECT_EQ(ExtractFileName(open.FileName), "page.htm");

    // Save: replacing is refused once, then a new name with DefaultExt.
    script.AnswerFiles({"page.htm"}).Answer(mrNo).AnswerFiles({"fresh"});
    TSaveDialog save(nullptr);
    save.InitialDir = Dir.string();
    save.DefaultExt = "KDTF";
    save.Options |= ofOverwritePrompt;
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName, (Dir / "fresh.KDTF").string());

    std::vector<String> kinds;
    for (const auto& r : script.Shown()) kinds.push_back(r.Kind);
    EXPECT_EQ(kinds, (std::vector<String>{"TOpenDialog", "TMessageDlgForm", "TSaveDialog", "TMessageDlgForm"}));
    EXPECT_NE(script.Shown()[3].Text.find("already exists"), String::npos);
}

TEST(ColorDialog, ScriptedColourIsTaken) {
    TTestScript script;
    script.AnswerColor(clRed);
    TColorDialog dlg(nullptr);
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.Color, clRed);
}

TEST(MessageDlg, WithNoOneToAnswerItIsLoggedAndCancelledInsteadOfWaiting) {
    if (Screen->HasDisplay()) GTEST_SKIP() << "a display would show the box";
    ClearShownDialogs();
    EXPECT_EQ(MessageDlg("Nobody is here", mtInformation, mbOK, 0), mrCancel);
    String value = "kept";
    EXPECT_FALSE(InputQuery("Ask", "Name:", value));
    EXPECT_EQ(value, "kept");
    ASSERT_EQ(ShownDialogs().size(), 2u);
    EXPECT_EQ(ShownDialogs()[0].Text, "Nobody is here");
    EXPECT_EQ(ShownDialogs()[1].ClassName, "TInputQueryForm");
}
