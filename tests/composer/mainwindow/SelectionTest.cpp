// Page selection through the open dialog, the viewer of the selection,
// closing it, and the update run from the window.
#include "MainWindowTestSupport.h"

#include "composer/tools/selectedfiles.h"
#include "framework/classes/StringList.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Memo.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/RichEdit.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GkStringGrid.h"
#include "toolbars/TbToolbarButton.h"

namespace {

class Selection : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        F = Create();
        Dialogs.Clear();
    }
    TForm1* F = nullptr;

    String FullPage(const String& name) {
        return Page(name,
                    "<title>Welcome</title>\r\n"
                    "<meta name=\"keywords\" content=\"web, meta\">\r\n"
                    "<meta name=\"description\" content=\"A page\">\r\n"
                    "<meta name=\"robots\" content=\"INDEX\">\r\n");
    }
    std::vector<String> Selected() const {
        std::vector<String> v;
        for (int i = 0; i < F->SelectedFiles->Count(); ++i) v.push_back(F->SelectedFiles->Strings(i));
        return v;
    }
};

TEST_F(Selection, OnePageIsReadAtOnce) {
    const String page = FullPage("index.html");
    F->Edit6->SetText("kept until erased");
    Dialogs.AnswerFiles({page}).Answer(mrOk);
    F->TbToolbarButton9->Click();
    EXPECT_EQ(ShownTexts(), std::vector<String>{"File(s) Opened Successfully!"});
    EXPECT_EQ(F->Caption(), "Velmor - " + page);
    EXPECT_EQ(F->CurrentFile, page);
    EXPECT_EQ(Selected(), std::vector<String>{page});
    EXPECT_EQ(F->TitleBox->Text(), "Welcome");
    EXPECT_EQ(F->edit22->Text(), "web, meta");
    EXPECT_EQ(F->edit1->Text(), "A page");
    EXPECT_EQ(F->sbots->Text(), "INDEX");
    EXPECT_EQ(F->Edit6->Text(), "");  // Select erases the steps first
    EXPECT_EQ(F->Edit13->Text(), "9");
    EXPECT_EQ(F->Edit14->Text(), "6");
    // The dialog is the page selection's.
    const TDialogRecord& dialog = Dialogs.Shown()[0];
    EXPECT_EQ(dialog.Kind, "TOpenDialog");
    EXPECT_EQ(F->bopen->Title, "Select files(s) or project list to update");
}

TEST_F(Selection, PageThatCannotBeReadShowsItsErrorInsteadOfSuccess) {
    const String page = Folder.File("broken.html");
    WriteAll(page, "<html><body>no head at all</body></html>");
    Dialogs.AnswerFiles({page}).Answer(mrOk);
    F->LFILE();
    const std::vector<String> shown = ShownTexts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0], "File(s) Opened Successfully!");
    EXPECT_NE(shown[0].find("broken.html"), String::npos);
}

TEST_F(Selection, SeveralPagesKeepTheFieldsAndTheCurrentPage) {
    const String first = FullPage("first.html");
    Dialogs.AnswerFiles({first}).Answer(mrOk);
    F->LFILE();
    const String a = FullPage("a.html");
    const String b = FullPage("b.htm");
    F->edit22->SetText("edited");
    Dialogs.Clear();
    Dialogs.AnswerFiles({a, b}).Answer(mrOk);
    F->LFILE();
    EXPECT_EQ(ShownTexts(), std::vector<String>{"File(s) Opened Successfully!"});
    EXPECT_EQ(F->Caption(), "Velmor - Multiple Files Selected");
    EXPECT_EQ(F->CurrentFile, first);
    EXPECT_EQ(Selected(), (std::vector<String>{a, b}));
    EXPECT_EQ(F->edit22->Text(), "edited");
}

TEST_F(Selection, PageListWithBlankLinesAndAMissingPage) {
    const String a = FullPage("a.html");
    const String b = FullPage("sub/b.html");
    const String list = Folder.File("site.HFL");
    WriteAll(list, "a.html\r\n\r\n   \r\nsub\\b.html\r\ngone.html\r\n");
    Dialogs.AnswerFiles({list}).Answer(mrOk).Answer(mrOk);
    F->LFILE();
    const std::vector<String> shown = ShownTexts();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[0].find(Folder.File("gone.html")), String::npos);
    EXPECT_EQ(shown[1], "File(s) Opened Successfully!");
    EXPECT_EQ(Selected(), (std::vector<String>{a, b}));
    EXPECT_EQ(F->Caption(), "Velmor - Multiple Files Selected");
}

TEST_F(Selection, PageListOfOneLineReadsThatPageAndAnEmptyListSelectsNothing) {
    const String a = FullPage("a.html");
    WriteAll(Folder.File("one.hfl"), "a.html\r\n");
    Dialogs.AnswerFiles({Folder.File("one.hfl")}).Answer(mrOk);
    F->LFILE();
    EXPECT_EQ(F->CurrentFile, a);
    EXPECT_EQ(F->TitleBox->Text(), "Welcome");

    WriteAll(Folder.File("empty.hfl"), "\r\n  \r\n");
    Dialogs.Clear();
    Dialogs.AnswerFiles({Folder.File("empty.hfl")});
    F->LFILE();
    EXPECT_EQ(ShownTexts(), std::vector<String>{});
    EXPECT_EQ(F->Caption(), "Velmor - No File Selected");
    EXPECT_EQ(F->SelectedFiles->Count(), 0);
}

TEST_F(Selection, CancelChangesNothing) {
    const String a = FullPage("a.html");
    Dialogs.AnswerFiles({a}).Answer(mrOk);
    F->LFILE();
    Dialogs.Clear();
    F->edit22->SetText("mine");
    Dialogs.Answer(mrCancel);
    F->SpeedButton2Click(F);
    EXPECT_EQ(F->edit22->Text(), "mine");
    EXPECT_EQ(Selected(), std::vector<String>{a});
}

TEST_F(Selection, SelectingKeepsUnsavedChoicesAndTheCustomCells) {
    // A schema saved the way the grid saves it.
    {
        TGkStringGrid schema(nullptr);
        schema.SetColCount(2);
        schema.SetRowCount(2);
        schema.SetCells(0, 0, "Tag Name");
        schema.SetCells(0, 1, "dc.title");
        schema.SaveCellsToFile(Folder.File("schemas/dc.tgs"));
    }
    Put("schema", "dc");
    F->GetDefaults();
    ASSERT_EQ(F->grid1->Cells(0, 1), "dc.title");
    // Unsaved changes: a renamed tag and Remove Tags.
    F->grid1->SetCells(0, 1, "dc.creator");
    F->rblank->SetChecked(true);
    const String a = Page("a.html",
                          "<title>A</title>\r\n<meta name=\"dc.creator\" content=\"Ann\">\r\n");
    Dialogs.AnswerFiles({a}).Answer(mrOk);
    F->LFILE();
    EXPECT_TRUE(F->rblank->Checked());
    EXPECT_EQ(F->grid1->Cells(0, 1), "dc.creator");
    EXPECT_EQ(F->grid1->Cells(1, 1), "Ann");
}

TEST_F(Selection, AutocorrectFollowsTheSelection) {
    const String a = Page("a.html", "<title>A</title>\r\n");
    F->edit22->SetText("one\r\ntwo ");
    Dialogs.AnswerFiles({a}).Answer(mrOk);
    F->LFILE();
    EXPECT_EQ(F->edit22->Text(), "one two");
    EXPECT_EQ(F->Edit13->Text(), "7");
}

TEST_F(Selection, ViewerListsTheSelectionWithItsCount) {
    Dialogs.Answer(mrOk);
    F->BtnBlankButtonClick(F);
    EXPECT_EQ(ShownTexts(), std::vector<String>{"No files selected"});

    const String a = FullPage("a.html");
    const String b = FullPage("b.html");
    F->SelectedFiles->Add(a);
    F->SelectedFiles->Add(b);
    String text;
    String kind;
    Dialogs.AnswerWith([&](TForm* form) {
        kind = form->ClassName();
        if (auto* viewer = dynamic_cast<Tselectedfiles*>(form)) text = viewer->RichEdit1->Text();
        form->SetModalResult(mrOk);
    });
    F->BtnBlankButtonClick(F);
    EXPECT_EQ(kind, "Tselectedfiles");
    EXPECT_EQ(text, "Current files to update\r\n\r\n" + a + "\r\n" + b + "\r\n\r\n2: Files\r\n");
}

TEST_F(Selection, ClosingTheSelectionErasesTheSteps) {
    const String a = FullPage("a.html");
    Dialogs.AnswerFiles({a}).Answer(mrOk);
    F->LFILE();
    F->Edit6->SetText("x");
    F->Close1Click(F);
    EXPECT_EQ(F->CurrentFile, "");
    EXPECT_EQ(F->SelectedFiles->Count(), 0);
    EXPECT_EQ(F->Caption(), "Velmor - No file selected");
    EXPECT_EQ(F->edit22->Text(), "");
    EXPECT_EQ(F->Edit6->Text(), "");
}

TEST_F(Selection, UpdateRunWritesTheSelectedPagesAndReports) {
    const String a = FullPage("a.html");
    const String b = FullPage("b.html");
    Dialogs.AnswerFiles({a, b}).Answer(mrOk);
    F->LFILE();
    Dialogs.Clear();
    F->Edit6->SetText("Velmor");
    Dialogs.Answer(mrOk);
    F->BtnFinish->Click();
    EXPECT_EQ(ShownTexts(), std::vector<String>{"Successfully Wrote Tags To 2 Files"});
    const String expected = "Preparing to write to file: 1 of 2\r\nSuccessfully updated file: " + a +
                            "\r\nPreparing to write to file: 2 of 2\r\nSuccessfully updated file: " +
                            b + "\r\n";
    EXPECT_EQ(F->TagLines->Lines()->Text(), expected);
    EXPECT_NE(ReadAll(a).find("<meta name=\"generator\" content=\"Velmor\">"), std::string::npos);
    EXPECT_NE(ReadAll(b).find("<meta name=\"generator\" content=\"Velmor\">"), std::string::npos);
    EXPECT_TRUE(F->BtnFinish->Enabled());
}

}  // namespace
