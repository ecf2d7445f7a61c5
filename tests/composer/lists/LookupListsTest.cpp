// The lookup lists of the Web Page Options step: capturing a new value when
// the user leaves a combo, the List Editor, and the reload after it.
#include "composer/mainwindow/MainWindowTestSupport.h"

#include <stdexcept>

#include "composer/tools/SrchFrm.h"
#include "framework/classes/StringList.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Menus.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "toolbars/TbMemo.h"
#include "toolbars/TbToolbarButton.h"

namespace {

using namespace ListEditorTexts;

class LookupLists : public MainWindowTest {
protected:
    String List(const String& name) { return ReadAll(Folder.File("lists/" + name)); }
    // Leaves the combo as the user does: its exit event.
    // The boxes, without the List Editor itself.
    std::vector<String> Boxes() const {
        std::vector<String> texts;
        for (const TDialogRecord& r : Dialogs.Shown())
            if (r.Kind != "TSrchFrm") texts.push_back(r.Text);
        return texts;
    }
    static void Leave(TComboBox* combo, const String& text) {
        combo->SetText(text);
        combo->OnExit(combo);
    }
};

struct TCaptureCase {
    const char* Name;
    const char* Llist;
    const char* Combo;
    const char* File;
    const char* Text;
    bool Added;
};

TEST_F(LookupLists, CaptureFollowsTheSettingAndSkipsEmptyAndKnownValues) {
    const TCaptureCase cases[] = {
        {"setting off", "0", "edit5", "authors.txt", "Smith", false},
        {"setting empty", "", "edit5", "authors.txt", "Smith", false},
        {"setting not exactly 1", "1 ", "edit5", "authors.txt", "Smith", false},
        {"empty author", "1", "edit5", "authors.txt", "", false},
        {"empty revisit", "1", "Edit2", "revisit.txt", "", false},
        {"known in other case", "1", "ComboBox1", "distribution.txt", "global", false},
        {"new author", "1", "edit5", "authors.txt", "Smith", true},
        {"new reply-to", "1", "edit12", "reply to.txt", "me@example.org", true},
        {"new language", "1", "Edit7", "language.txt", "x-klingon", true},
    };
    for (const TCaptureCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Form.reset();
        ComposerSettings = TComposerSettings();
        TForm1* f = Create();
        ComposerSettings.llist = c.Llist;
        auto* combo = dynamic_cast<TComboBox*>(f->FindComponent(c.Combo));
        ASSERT_NE(combo, nullptr);
        const String before = List(c.File);
        const int count = combo->Items()->Count();
        Leave(combo, c.Text);
        if (!c.Added) {
            EXPECT_EQ(combo->Items()->Count(), count);
            EXPECT_EQ(List(c.File), before);
            continue;
        }
        EXPECT_EQ(combo->Items()->Count(), count + 1);
        EXPECT_EQ(combo->Items()->Strings(count), c.Text);
        EXPECT_EQ(combo->Text(), c.Text);
        // The whole list is written back, one value per CR LF line.
        EXPECT_EQ(List(c.File), before + c.Text + "\r\n");
    }
    EXPECT_EQ(ShownTexts(), std::vector<String>{});
}

TEST_F(LookupLists, ACapturedValueIsWrittenOnceAndKeepsTheSortedOrderOfRobots) {
    TForm1* f = Create();
    ComposerSettings.llist = "1";
    Leave(f->sbots, "NOODP");
    TStringList written;
    written.LoadFromFile(Folder.File("lists/Robots.txt"));
    ASSERT_EQ(written.Count(), f->sbots->Items()->Count());
    const int at = written.IndexOf("NOODP");
    ASSERT_GT(at, 0);
    EXPECT_LT(CompareText(written.Strings(at - 1), "NOODP"), 0);
    EXPECT_GT(CompareText(written.Strings(at + 1), "NOODP"), 0);
    EXPECT_EQ(f->sbots->Items()->IndexOf("NOODP"), at);
    // A second leave finds the value and writes nothing.
    std::filesystem::remove(Folder.File("lists/Robots.txt"));
    Leave(f->sbots, "noodp");
    EXPECT_FALSE(FileExists(Folder.File("lists/Robots.txt")));
}

TEST_F(LookupLists, ACaptureThatCannotBeWrittenIsSilentAndKeepsTheValueOffered) {
    TForm1* f = Create();
    ComposerSettings.llist = "1";
    SetSafeWriteHook([](const char* stage) {
        if (String(stage) == "write") throw EWriteError("disk full");
    });
    Leave(f->edit5, "Smith");
    SetSafeWriteHook(nullptr);
    EXPECT_EQ(ShownTexts(), std::vector<String>{});
    EXPECT_GE(f->edit5->Items()->IndexOf("Smith"), 0);
    EXPECT_EQ(List("authors.txt"), "");
}

TEST_F(LookupLists, TheListEditorSavesAListAndTheCombosReloadIt) {
    TForm1* f = Create();
    f->rating->SetText("GENERAL");
    const String before = List("rating.txt");
    Dialogs.AnswerWith([](TForm* form) {
        auto* editor = dynamic_cast<TSrchFrm*>(form);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->Caption(), SCaption);
        EXPECT_EQ(editor->ComboBox1->Text(), SSelectList);
        editor->ComboBox1->SetText("Rating");
        editor->ComboBox1->OnChange(editor->ComboBox1);
        editor->terms1->Lines()->Add("FAMILY");
        editor->TbToolbarButton4->Click();
        editor->TbToolbarButton5->Click();
    });
    Dialogs.Answer(mrOk);
    f->EditStep2Lists1->Click();
    const String path = Folder.File("lists/rating.txt");
    EXPECT_EQ(Boxes(), std::vector<String>{path + SSaved});
    EXPECT_EQ(ReadAll(path), before + "FAMILY\r\n");
    EXPECT_EQ(f->rating->Items()->Strings(f->rating->Items()->Count() - 1), "FAMILY");
    // The field keeps what the user had chosen.
    EXPECT_EQ(f->rating->Text(), "GENERAL");
}

TEST_F(LookupLists, ReloadWithAMissingListShowsItsMessageAndLoadsTheOthers) {
    TForm1* f = Create();
    const int ratings = f->rating->Items()->Count();
    std::filesystem::remove(Folder.File("lists/rating.txt"));
    WriteAll(Folder.File("lists/distribution.txt"), "GLOBAL\r\nLOCAL\r\nIU\r\n");
    Dialogs.AnswerWith([](TForm* form) { form->SetModalResult(mrCancel); });
    Dialogs.Answer(mrOk);
    f->TbToolbarButton11->Click();
    EXPECT_EQ(Boxes(), std::vector<String>{"Error loading Ratings list"});
    EXPECT_EQ(f->rating->Items()->Count(), ratings);
    EXPECT_EQ(f->ComboBox1->Items()->Count(), 3);
}

// The List Editor alone, over a scratch program folder.
class ListEditor : public ::testing::Test {
protected:
    TTempDir Folder;
    TDialogScript Dialogs;
    std::unique_ptr<TSrchFrm> Editor;

    void SetUp() override {
        WriteAll(Folder.File("lists/authors.txt"), "Ann\r\nBob\r\n");
        WriteAll(Folder.File("lists/reply to.txt"), "me@example.org\n");
        SetProgramFolderOverride(Folder.Path());
        Dialogs.OnUnanswered = [](const TDialogRecord& r) { ADD_FAILURE() << "a box nobody expected: " << r.Text; };
        Editor = std::make_unique<TSrchFrm>(nullptr);
        Editor->AfterConstruction();
    }
    void TearDown() override {
        Editor.reset();
        SetProgramFolderOverride("");
    }
    void Choose(const String& name) {
        Editor->ComboBox1->SetText(name);
        Editor->ComboBox1->OnChange(Editor->ComboBox1);
    }
    void Save() { Editor->TbToolbarButton4->Click(); }
    std::vector<String> ShownTexts() const {
        std::vector<String> texts;
        for (const TDialogRecord& r : Dialogs.Shown()) texts.push_back(r.Text);
        return texts;
    }
};

TEST_F(ListEditor, OffersTheNineListsAndStartsWithNone) {
    EXPECT_EQ(Editor->CurrentPath, "N");
    EXPECT_EQ(Editor->ComboBox1->Items()->Text(),
              "\r\nAuthors\r\nClassification\r\nCopyright\r\nDistribution\r\nLanguage\r\nRating\r\nReply To\r\n"
              "Revisit\r\nRobots\r\n");
    Dialogs.Answer(mrOk);
    Save();
    EXPECT_EQ(ShownTexts(), std::vector<String>{SNoFile});
    EXPECT_EQ(Dialogs.Shown()[0].Type, mtInformation);
}

TEST_F(ListEditor, EditsAreWrittenOnlyBySave) {
    Choose("Reply To");
    EXPECT_EQ(Editor->terms1->Text(), "me@example.org\r\n");
    Editor->terms1->Lines()->Add("you@example.org");
    // Leaving without saving drops the edit.
    Editor->TbToolbarButton5->Click();
    EXPECT_EQ(ReadAll(Folder.File("lists/reply to.txt")), "me@example.org\n");

    Dialogs.Answer(mrOk);
    Save();
    const String path = Folder.File("lists/reply to.txt");
    EXPECT_EQ(ShownTexts(), std::vector<String>{path + SSaved});
    EXPECT_EQ(ReadAll(path), "me@example.org\r\nyou@example.org\r\n");
}

TEST_F(ListEditor, EmptyChoiceClearsTheTextAndForgetsTheList) {
    Choose("Authors");
    Choose("");
    EXPECT_EQ(Editor->terms1->Text(), "");
    EXPECT_EQ(Editor->CurrentPath, "N");
    Dialogs.Answer(mrOk);
    Save();
    EXPECT_EQ(ShownTexts(), std::vector<String>{SNoFile});
    EXPECT_EQ(ReadAll(Folder.File("lists/authors.txt")), "Ann\r\nBob\r\n");
}

TEST_F(ListEditor, AMissingListIsReportedAndSaveCreatesIt) {
    Choose("Authors");
    Dialogs.Answer(mrOk);
    Choose("Copyright");
    EXPECT_EQ(ShownTexts(), std::vector<String>{SLoadError});
    EXPECT_EQ(Dialogs.Shown()[0].Type, mtError);
    EXPECT_EQ(Editor->terms1->Text(), "Ann\r\nBob\r\n");
    Dialogs.Answer(mrOk);
    Save();
    const String path = Folder.File("lists/Copyright.txt");
    EXPECT_EQ(ShownTexts().back(), path + SSaved);
    EXPECT_EQ(ReadAll(path), "Ann\r\nBob\r\n");
}

TEST_F(ListEditor, ANameOutsideTheListsFolderIsNeitherReadNorWritten) {
    WriteAll(Folder.File("outside.txt"), "secret\r\n");
    Choose("Authors");
    Dialogs.Answer(mrOk).Answer(mrOk);
    Choose("../outside");
    EXPECT_EQ(Editor->terms1->Text(), "Ann\r\nBob\r\n");
    Save();
    EXPECT_EQ(ShownTexts(), (std::vector<String>{SLoadError, SSaveError + Editor->CurrentPath}));
    EXPECT_EQ(ReadAll(Folder.File("outside.txt")), "secret\r\n");
}

TEST_F(ListEditor, AFailedSaveIsReportedWithThePathAndLeavesTheFileWhole) {
    Choose("Authors");
    Editor->terms1->Lines()->Add("Cy");
    SetSafeWriteHook([](const char* stage) {
        if (String(stage) == "write") throw EWriteError("disk full");
    });
    Dialogs.Answer(mrOk);
    Save();
    SetSafeWriteHook(nullptr);
    const String path = Folder.File("lists/authors.txt");
    EXPECT_EQ(ShownTexts(), std::vector<String>{SSaveError + path});
    EXPECT_EQ(Dialogs.Shown()[0].Type, mtError);
    EXPECT_EQ(ReadAll(path), "Ann\r\nBob\r\n");
}

}  // namespace
