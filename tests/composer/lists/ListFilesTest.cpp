// The keyword and description list files of step 1: open, add and save
// through the shared dialogs, and the autocorrect that takes line breaks
// out of the two memos.
#include "composer/mainwindow/MainWindowTestSupport.h"

#include "framework/controls/Edit.h"
#include "framework/controls/Memo.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/SaveDialog.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "toolbars/TbToolbarButton.h"

namespace {

class ListFiles : public MainWindowTest {
protected:
    TForm1* F = nullptr;
    void SetUp() override {
        MainWindowTest::SetUp();
        std::filesystem::create_directories(Folder.File("save"));
        F = Create();
        ComposerSettings.akey = "0";
        ComposerSettings.adesc = "0";
    }
    String Saved(const String& name) const { return Folder.File("save/" + name); }
    // The boxes other than the file dialogs.
    std::vector<TDialogRecord> Boxes() const {
        std::vector<TDialogRecord> boxes;
        for (const TDialogRecord& r : Dialogs.Shown())
            if (r.Kind != "TOpenDialog" && r.Kind != "TSaveDialog") boxes.push_back(r);
        return boxes;
    }
};

struct TSaveCase {
    const char* Name;
    bool Description;  // the description's Save button, else the keywords'
    int Filter;        // the kind chosen in the dialog
    const char* Typed;
    const char* Written;   // below the save folder
    const char* Reported;  // the name in the message, below the save folder
    const char* Content;
};

TEST_F(ListFiles, SaveWritesItsOwnMemoUnderTheExtensionOfTheChosenKind) {
    const TSaveCase cases[] = {
        {"keywords, typed with extension", false, 1, "list.kwf", "list.kwf", "list", "alpha, beta\r\n"},
        {"keywords, typed without", false, 1, "bare", "bare.kwf", "bare", "alpha, beta\r\n"},
        {"extension in other case is kept", false, 1, "LIST.KWF", "LIST.KWF.kwf", "LIST.KWF", "alpha, beta\r\n"},
        {"keywords as a description file", false, 2, "k", "k.dsc", "k", "alpha, beta\r\n"},
        {"description", true, 2, "d.dsc", "d.dsc", "d", "A page.\r\n"},
        {"description as a keyword file", true, 1, "d2", "d2.kwf", "d2", "A page.\r\n"},
        {"a folder named like the extension", true, 2, "a.dsc.d/x", "a.dsc.d/x.dsc", "a.dsc.d/x", "A page.\r\n"},
    };
    std::filesystem::create_directories(Saved("a.dsc.d"));
    F->edit22->SetText("alpha, beta");
    F->edit1->SetText("A page.");
    for (const TSaveCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Dialogs.Clear();
        Dialogs.AnswerFiles({c.Typed}, c.Filter).Answer(mrOk);
        (c.Description ? F->save2 : F->save1)->Click();
        EXPECT_EQ(ReadAll(Saved(c.Written)), c.Content);
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].Text, Saved(c.Reported) + " saved successfully");
        EXPECT_EQ(Boxes()[0].Type, mtInformation);
        EXPECT_EQ(F->saveme->FileName, Saved(c.Reported));
        EXPECT_EQ(Dialogs.Shown()[0].Caption,
                  c.Description ? "Save to a description file" : "Save to a keyword file");
    }
    EXPECT_FALSE(FileExists(Saved("a.d/x.dsc")));
    EXPECT_EQ(F->saveme->InitialDir, Folder.File("save"));
}

TEST_F(ListFiles, AFailedSaveIsReportedAndLeavesNoFile) {
    F->edit22->SetText("alpha");
    SetSafeWriteHook([](const char* stage) {
        if (String(stage) == "write") throw EWriteError("disk full");
    });
    Dialogs.AnswerFiles({"list"}).Answer(mrOk);
    F->save1->Click();
    SetSafeWriteHook(nullptr);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].Text, Saved("list") + " could not be saved");
    EXPECT_EQ(Boxes()[0].Type, mtError);
    EXPECT_FALSE(FileExists(Saved("list.kwf")));
    EXPECT_EQ(F->edit22->Text(), "alpha");
}

TEST_F(ListFiles, OpenReplacesTheMemoAndAutocorrectsUnderItsSetting) {
    WriteAll(Saved("words.kwf"), "one,\ntwo\n");
    F->edit22->SetText("old");
    Dialogs.AnswerFiles({"words.kwf"});
    F->open1->Click();
    EXPECT_EQ(F->edit22->Text(), "one,\r\ntwo\r\n");
    EXPECT_EQ(F->Edit13->Text(), "11");
    EXPECT_EQ(Dialogs.Shown()[0].Caption, "Select a keyword file");
    EXPECT_EQ(F->openme->FilterIndex, 1);

    ComposerSettings.adesc = "1";
    Dialogs.AnswerFiles({"words.kwf"});
    F->open2->Click();
    EXPECT_EQ(F->edit1->Text(), "one, two");
    EXPECT_EQ(F->Edit14->Text(), "8");
    EXPECT_EQ(Dialogs.Shown()[1].Caption, "Select a description file");
    EXPECT_EQ(F->openme->FilterIndex, 2);
}

TEST_F(ListFiles, AFileThatCannotBeReadIsReportedAndTheMemoKeepsItsText) {
    F->edit22->SetText("keep me");
    F->edit1->SetText("and me");
    Dialogs.AnswerFiles({"missing.kwf"}).Answer(mrOk);
    F->open1->Click();
    Dialogs.AnswerFiles({"missing.dsc"}).Answer(mrOk);
    F->add2->Click();
    const std::vector<TDialogRecord> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Text.rfind("Cannot open file \"" + Saved("missing.kwf") + "\"", 0), 0u) << boxes[0].Text;
    EXPECT_EQ(boxes[1].Text.rfind("Cannot open file \"" + Saved("missing.dsc") + "\"", 0), 0u) << boxes[1].Text;
    EXPECT_EQ(F->edit22->Text(), "keep me");
    EXPECT_EQ(F->edit1->Text(), "and me");
}

TEST_F(ListFiles, AddAppendsTheFileAfterOneBlank) {
    WriteAll(Saved("more.kwf"), "a\nb");
    F->edit22->SetText("x");
    Dialogs.AnswerFiles({"more.kwf"});
    F->add1->Click();
    EXPECT_EQ(F->edit22->Text(), "x a\r\nb\r\n");
    EXPECT_EQ(F->addwds->Text(), "a\r\nb\r\n");
    EXPECT_EQ(Dialogs.Shown()[0].Caption, "Add a keyword file");

    ComposerSettings.akey = "1";
    F->edit22->SetText("x");
    Dialogs.AnswerFiles({"more.kwf"});
    F->add1->Click();
    EXPECT_EQ(F->edit22->Text(), "x a b");
    // Cancelling the dialog changes nothing.
    Dialogs.Answer(mrCancel);
    F->add1->Click();
    EXPECT_EQ(F->edit22->Text(), "x a b");
}

TEST_F(ListFiles, LeavingAMemoJoinsItsLinesOnlyWhenItsSettingIsOn) {
    F->edit22->SetText("  one\r\ntwo  ");
    F->edit1->SetText("  three\r\nfour  ");
    ComposerSettings.akey = "1";
    ComposerSettings.adesc = "yes";
    F->edit22->OnExit(F->edit22);
    F->edit1->OnExit(F->edit1);
    EXPECT_EQ(F->edit22->Text(), "one two");
    EXPECT_EQ(F->edit1->Text(), "  three\r\nfour  ");
}

}  // namespace
