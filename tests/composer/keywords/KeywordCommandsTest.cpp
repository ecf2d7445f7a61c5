// The main window's keyword commands: the generator on the current page,
// and the batch generator over a page list, with the pages it cannot
// write left exactly as they were.
#include <filesystem>
#include <memory>

#include "composer/mainwindow/MainWindowTestSupport.h"
#include "composer/tools/AutoKWGForm.h"
#include "composer/tools/KWGenForm.h"
#include "composer/windows/Form1.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Edit.h"
#include "framework/controls/ListItem.h"
#include "framework/controls/ListItems.h"
#include "framework/controls/ListView.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/SpeedButton.h"
#include "framework/rtl/FileReplacement.h"
#include "framework/rtl/FileUtils.h"
#include "toolbars/TbToolbarButton.h"

namespace {

namespace fs = std::filesystem;
using Words = std::vector<String>;

class KeywordCommands : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        F = Create();
        Dialogs.Clear();
    }
    TForm1* F = nullptr;

    std::vector<String> Boxes() const {
        std::vector<String> texts;
        for (const TDialogRecord& r : Dialogs.Shown())
            if (r.Kind == "TMessageDlgForm") texts.push_back(r.Text);
        return texts;
    }
    String BodyPage(const String& name, const String& body, const String& head = "<title>T</title>\r\n") {
        const String path = Folder.File(name);
        WriteAll(path, "<html>\r\n<HEAD>\r\n" + head + "</head>\r\n<body>\r\n" + body + "\r\n</body>\r\n</html>\r\n");
        return path;
    }
};

TEST_F(KeywordCommands, GeneratorNeedsACurrentPage) {
    F->PageControl1->SetActivePage(F->TabSheet2);
    Dialogs.Answer(mrOk);
    F->kwgen->Click();
    EXPECT_EQ(F->PageControl1->ActivePage(), F->TabSheet1);
    ASSERT_EQ(Dialogs.Shown().size(), 1u);
    EXPECT_EQ(Dialogs.Shown()[0].Text, "Cannot Perform Action until a file is selected.");
    EXPECT_EQ(Dialogs.Shown()[0].Type, mtError);
    EXPECT_EQ(F->kwgen->Hint(), "Generate Keywords");
    EXPECT_EQ(F->kwgen->Caption(), "Keywords");
    // Beside the keywords' length check, before the step's navigation.
    EXPECT_GT(F->kwgen->Left(), F->ckkey->Left());
    EXPECT_LT(F->kwgen->Left(), F->TbToolbarButton7->Left());
}

TEST_F(KeywordCommands, ChosenWordsGoInFrontOfTheKeywords) {
    const String page = BodyPage("a.html", "alpha alpha alpha beta beta web gamma");
    F->CurrentFile = page;
    F->SelectedFiles->Add(page);
    F->edit22->SetText("web, old");
    Dialogs.AnswerWith([](TForm* form) {
        auto* g = dynamic_cast<TKWGenForm*>(form);
        ASSERT_NE(g, nullptr);
        // The rows are alpha, beta, web, gamma: alpha, web and gamma are chosen.
        for (int row : {0, 2, 3}) g->ListView1->Items()->Item(row)->SetChecked(true);
        g->SpeedButton1->Click();
        g->SetModalResult(mrOk);
    });
    Dialogs.Answer(mrOk);  // "Keywords words were added ..."
    F->kwgen->Click();
    EXPECT_EQ(F->edit22->Text(), "alpha,gamma,web, old");
    EXPECT_EQ(F->Edit13->Text(), "20");
    EXPECT_EQ(F->TagComposer.KeywordsSnapshot, "alpha,gamma,web, old");
    // The generator was freed with the click.
    EXPECT_EQ(F->FindComponent("KWGenForm"), nullptr);

    // A check length that is no number is the user's to see, before any window.
    ComposerSettings.BodyChk = "lots";
    EXPECT_THROW(F->kwgenClick(F), EConvertError);
}

TEST_F(KeywordCommands, RunsOnTheFirstSelectedPageOrTheCurrentOne) {
    const String current = BodyPage("current.html", "one");
    const String first = BodyPage("first.html", "two");
    String generatedFor;
    auto record = [&generatedFor](TForm* form) {
        generatedFor = dynamic_cast<TKWGenForm*>(form)->PageFile;
        form->SetModalResult(mrOk);
    };
    // Several pages chosen after a single one: the current page lets the
    // command run, the selection's first page is the one looked at.
    F->CurrentFile = current;
    F->SelectedFiles->Add(first);
    F->SelectedFiles->Add(current);
    Dialogs.AnswerWith(record);
    F->kwgen->Click();
    EXPECT_EQ(generatedFor, first);
    // A selection that came out empty leaves the current page.
    F->SelectedFiles->Clear();
    Dialogs.AnswerWith(record);
    F->kwgen->Click();
    EXPECT_EQ(generatedFor, current);
    EXPECT_EQ(F->edit22->Text(), "");  // nothing chosen, nothing changed
}

class Batch : public KeywordCommands {
protected:
    void TearDown() override {
        SetSafeWriteHook(nullptr);
        SetUnnamedReplacements(true);
        KeywordCommands::TearDown();
    }
    // Runs the batch window as the user would: sets it up, presses Execute.
    void Execute(std::function<void(TAutoKWGForm*)> setUp = nullptr) {
        Dialogs.AnswerWith([setUp](TForm* form) {
            auto* batch = dynamic_cast<TAutoKWGForm*>(form);
            ASSERT_NE(batch, nullptr);
            if (setUp) setUp(batch);
            batch->SpeedButton1->Click();
        });
    }
};

TEST_F(Batch, EveryPageOfTheListWrittenOrLeftAsItWas) {
    const String a = BodyPage("a.html", "alpha alpha beta beta beta",
                              "<title>T</title>\r\n<meta name=\"keywords\" content=\"old, Alpha\">\r\n");
    const String b = BodyPage("b.html", "gamma");
    fs::create_directories(Folder.File("bad.html"));  // no page can be read from a folder
    WriteAll(Folder.File("nobody.html"), "<html><head></head><p>words</p></html>");
    const String c = BodyPage("ro/c.html", "delta");
    fs::permissions(Folder.File("ro"), fs::perms::owner_read | fs::perms::owner_exec);
    // Whoever runs the tests, nothing may be written into the read-only
    // folder: a temporary file appearing there is the write failing. The
    // temporary files must have names for that.
    SetUnnamedReplacements(false);
    const String ro = Folder.File("ro");
    SetSafeWriteHook([ro](const char* stage) {
        if (String(stage) != "write") return;
        for (const auto& e : fs::directory_iterator(ro))
            if (e.path().filename().string()[0] == '.') throw std::runtime_error("Permission denied");
    });
    const String before[] = {ReadAll(b), ReadAll(c)};
    WriteAll(Folder.File("site.hfl"), "a.html\r\nbad.html\r\n\r\nnobody.html\r\nro/c.html\r\nb.html\r\ngone.html\r\n");

    Dialogs.AnswerFiles({Folder.File("site.hfl")});
    Execute();
    Dialogs.Answer(mrOk).Answer(mrOk);
    F->BatchKeywordGeneration1->Click();

    EXPECT_EQ(Boxes(), (Words{"Body or FrameSet tag not found, cannot generate keywords",
                              "Total Files To Write Keywords Tags to : 6\rSuccessfully Wrote Keywords Tag to 2 "
                              "Files\rDid NOT write Keywords Tag to 4 Files"}));
    EXPECT_EQ(ReadAll(a), "<html>\r\n<HEAD>\r\n<title>T</title>\r\n<meta name=\"keywords\" content=\"beta,old, "
                          "Alpha\">\r\n</head>\r\n<body>\r\nalpha alpha beta beta beta\r\n</body>\r\n</html>\r\n");
    EXPECT_EQ(ReadAll(b), "<html>\r\n<HEAD>\r\n<meta name=\"keywords\" content=\"gamma\">\r\n" +
                              before[0].substr(std::string("<html>\r\n<HEAD>\r\n").size()));
    EXPECT_EQ(ReadAll(c), before[1]);
    int inReadOnly = 0;
    for (const auto& e : fs::directory_iterator(ro)) {
        (void)e;
        ++inReadOnly;
    }
    EXPECT_EQ(inReadOnly, 1);
    // The list is kept for the next time.
    ASSERT_EQ(F->BatchList->Count(), 6);
    EXPECT_EQ(F->BatchList->Strings(0), a);
}

TEST_F(Batch, ViewModeWritesOnlyWhatTheUserAdds) {
    const String a = BodyPage("a.html", "alpha beta beta");
    const String b = BodyPage("b.html", "gamma");
    fs::create_directories(Folder.File("bad.html"));
    const String untouched = ReadAll(b);
    Dialogs.AnswerFiles({a, Folder.File("bad.html"), b});
    Execute([](TAutoKWGForm* batch) {
        batch->OptRadioGroup->SetItemIndex(1);
        batch->CountEdit->SetText("2");
    });
    Dialogs.AnswerWith([](TForm* form) {  // page a: "beta" is added, "alpha" not
        auto* g = dynamic_cast<TKWGenForm*>(form);
        ASSERT_NE(g, nullptr);
        ASSERT_EQ(g->ListView1->Items()->Count(), 2);
        g->ListView1->Items()->Item(0)->SetChecked(true);
        g->SpeedButton1->Click();
        g->SetModalResult(mrOk);
    });
    Dialogs.Answer(mrOk);  // "Keywords words were added ..."
    Dialogs.Answer(mrOk);  // the unreadable page has no words...
    Dialogs.AnswerWith([](TForm* form) {  // ...and none of the page before
        auto* g = dynamic_cast<TKWGenForm*>(form);
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(g->ListView1->Items()->Count(), 0);
        g->SetModalResult(mrOk);
    });
    Dialogs.Answer(mrOk);  // page b: closed without adding
    Dialogs.Answer(mrOk);  // the closing count
    F->BatchKeywordGeneration1->Click();
    EXPECT_NE(ReadAll(a).find("<HEAD>\r\n<meta name=\"keywords\" content=\"beta\">\r\n<title>"), String::npos);
    EXPECT_EQ(ReadAll(b), untouched);
    EXPECT_EQ(Boxes().back(),
              "Total Files To Write Keywords Tags to : 3\rSuccessfully Wrote Keywords Tag to 1 Files\rDid NOT "
              "write Keywords Tag to 2 Files");
}

TEST_F(Batch, AWordWithAReferenceToALetterIsOneWord) {
    const String a = BodyPage("a.html", "L&iacute;nguas e L\xC3\xADnguas");
    Dialogs.AnswerFiles({a});
    Execute([](TAutoKWGForm* batch) { batch->CountEdit->SetText("1"); });
    Dialogs.Answer(mrOk);  // the closing count
    F->BatchKeywordGeneration1->Click();
    EXPECT_NE(ReadAll(a).find("<meta name=\"keywords\" content=\"L\xC3\xADnguas\">"), String::npos) << ReadAll(a);
}

TEST_F(Batch, CountsThatCannotBeUsed) {
    const String a = BodyPage("a.html", "alpha");
    const String untouched = ReadAll(a);
    struct Case {
        const char* Count;
        const char* Chars;
        const char* Message;
    };
    const Case cases[] = {
        {"x", "1500", "Not a valid whole number"},
        {"10", "1.5", "Not a valid whole number"},
        {"0", "1500", "You must look for at least one word."},
        {"10", "0", "You must check at least one character."},
    };
    for (const Case& c : cases) {
        Dialogs.Clear();
        Dialogs.AnswerFiles({a});
        Execute([&c](TAutoKWGForm* batch) {
            batch->CountEdit->SetText(c.Count);
            batch->CharCountEdit->SetText(c.Chars);
        });
        Dialogs.Answer(mrOk);
        F->BatchKeywordGeneration1->Click();
        EXPECT_EQ(Boxes(), Words{c.Message}) << c.Count << " " << c.Chars;
        EXPECT_EQ(Dialogs.Shown().back().Type, mtError);
    }
    EXPECT_EQ(ReadAll(a), untouched);
}

TEST_F(Batch, CancelledDialogReopensTheLastBatchOnly) {
    Dialogs.Answer(mrCancel);
    F->BatchKeywordGeneration1->Click();
    ASSERT_EQ(Dialogs.Shown().size(), 1u);  // the open dialog alone

    const String a = BodyPage("a.html", "alpha");
    Dialogs.Clear();
    Dialogs.AnswerFiles({a}).Answer(mrCancel);  // opened and closed unused
    F->BatchKeywordGeneration1->Click();
    Dialogs.Clear();
    Dialogs.Answer(mrCancel);
    TStrings* pages = nullptr;
    Dialogs.AnswerWith([&pages](TForm* form) {
        auto* batch = dynamic_cast<TAutoKWGForm*>(form);
        ASSERT_NE(batch, nullptr);
        EXPECT_EQ(batch->FileList->Count(), 1);
        pages = batch->FileList.get();
    });
    F->BatchKeywordGeneration1->Click();
    EXPECT_NE(pages, nullptr);
}

}  // namespace
