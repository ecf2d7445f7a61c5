// The custom field editor: its grid, the field definition file it opens
// and saves, its row commands, and the value lists of drop-down fields
// edited in the data editor.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "composer/ComposerTestSupport.h"
#include "composer/tools/Sbld.h"
#include "composer/tools/SrchFrm2.h"
#include "framework/classes/StringList.h"
#include "framework/controls/DialogScript.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Menus.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/SaveDialog.h"
#include "framework/grids/InplaceEdit.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/Navigation.h"
#include "toolbars/TbMemo.h"
#include "toolbars/TbToolbarButton.h"

namespace {

namespace fs = std::filesystem;
using namespace FieldEditorTexts;

class FieldEditor : public ::testing::Test {
protected:
    TTempDir Folder;
    TDialogScript Dialogs;
    std::unique_ptr<TSbld> Editor;
    std::unique_ptr<TSrchFrm2> DataEditor;

    void SetUp() override {
        fs::create_directories(Folder.File("schemas"));
        fs::create_directories(Folder.File("data"));
        SetProgramFolderOverride(Folder.Path());
        Dialogs.OnUnanswered = [](const TDialogRecord& r) {
            ADD_FAILURE() << "a box nobody expected: " << r.Text;
        };
        // As the program makes them: the data editor is there for the
        // field editor to use.
        DataEditor = std::make_unique<TSrchFrm2>(nullptr);
        DataEditor->AfterConstruction();
        Editor = std::make_unique<TSbld>(nullptr);
        Editor->AfterConstruction();
    }
    void TearDown() override {
        Editor.reset();
        DataEditor.reset();
        SetProgramFolderOverride("");
    }

    std::vector<String> ShownTexts() const {
        std::vector<String> texts;
        for (const TDialogRecord& r : Dialogs.Shown())
            if (r.Kind != "TOpenDialog" && r.Kind != "TSaveDialog" && r.Kind != "TSrchFrm2")
                texts.push_back(r.Text);
        return texts;
    }
    void Field(int row, const String& name, const String& type) {
        TGkColumnGrid* g = Editor->cgrid;
        if (g->RowCount() <= row) g->SetRowCount(row + 1);
        g->SetCells(0, row, name);
        g->SetCells(1, row, type);
    }
    // Clicks the cell as the grid reports it: select it, then the click.
    void ClickCell(int col, int row) {
        Editor->cgrid->FocusCell(col, row, true);
        Editor->cgridClick(Editor->cgrid);
    }
};

TEST_F(FieldEditor, TheGridOffersAnEditorPerColumn) {
    TSbld* e = Editor.get();
    EXPECT_EQ(e->Caption(), "Custom Field Editor");
    TGkColumnGrid* g = e->cgrid;
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_EQ(g->FixedCols(), 0);
    EXPECT_EQ(g->DefaultRowHeight(), 21);
    EXPECT_EQ(g->ColWidths(0), 240);
    EXPECT_EQ(g->ColWidths(1), 138);
    EXPECT_EQ(g->ColWidths(2), 33);
    EXPECT_EQ(g->Cells(0, 0) + "|" + g->Cells(1, 0) + "|" + g->Cells(2, 0), "Name|Type|Edit");
    EXPECT_TRUE(g->Navigation()->AdvanceOnEnter);
    EXPECT_EQ(g->Navigation()->AdvanceDirection, adLeftRight);
    EXPECT_EQ(e->opens->Filter, "Schema File|*.sbf|All Files|*.*");
    EXPECT_EQ(e->opens->Title, "Open Schema");
    EXPECT_EQ(e->sschema->Title, "Save As");

    TEditorType kind = edNormal;
    g->GetCellEditor(1, 1, kind);
    EXPECT_EQ(kind, edComboEdit);
    EXPECT_EQ(g->ComboItems()->Text(), "DropDown\r\nDate\r\nNormal\r\n");
    kind = edNormal;
    g->GetCellEditor(2, 1, kind);
    EXPECT_EQ(kind, edEditBtn);

    // Names are cut at 30 characters as they are typed.
    e->Show();
    g->SetFocus();
    ASSERT_TRUE(WaitForFocus(g));
    g->FocusCell(0, 1, true);
    g->ShowEditor();
    ASSERT_NE(g->InplaceEditor(), nullptr);
    EXPECT_EQ(g->InplaceEditor()->MaxLength(), NameLength);
    g->HideEditor();
    e->Hide();
}

TEST_F(FieldEditor, NewThenSaveWritesNewSbfAndOpenReadsItBack) {
    TSbld* e = Editor.get();
    e->BtnNewClick(e->BtnNew);
    const String file = Folder.File("schemas/new.sbf");
    EXPECT_EQ(e->CurrentFile(), file);
    Field(1, "DC.Type", "DropDown");
    Field(2, "DC.Date", "Date");
    Dialogs.Answer(mrOk);
    e->BtnSaveClick(e->BtnSave);
    EXPECT_EQ(ShownTexts(), std::vector<String>{file + " Saved Successfully"});
    EXPECT_EQ(Dialogs.Shown().back().Type, mtInformation);
    ASSERT_TRUE(fs::exists(file));

    // New empties the cells under the headers, keeping the size.
    e->BtnNewClick(e->BtnNew);
    EXPECT_EQ(e->cgrid->RowCount(), 3);
    EXPECT_EQ(e->cgrid->Cells(0, 1), "");
    EXPECT_EQ(e->cgrid->Cells(2, 0), "Edit");
    Field(3, "left over", "Normal");  // a row the file does not have

    Dialogs.AnswerFiles({file});
    e->BtnOpenClick(e->BtnOpen);
    const TDialogRecord& open = Dialogs.Shown().back();
    EXPECT_EQ(open.Kind, "TOpenDialog");
    EXPECT_EQ(e->opens->InitialDir, Folder.File("schemas"));
    EXPECT_EQ(e->CurrentFile(), file);
    EXPECT_EQ(e->cgrid->RowCount(), 3);
    EXPECT_EQ(e->cgrid->Cells(0, 1), "DC.Type");
    EXPECT_EQ(e->cgrid->Cells(1, 2), "Date");
}

TEST_F(FieldEditor, OpeningAnotherSchemaShowsOnlyItsFields) {
    TSbld* e = Editor.get();
    const String small = Folder.File("schemas/small.sbf");
    WriteAll(small, "3,3\r\n0,0,Name\r\n1,0,Type\r\n2,0,Edit\r\n0,1,DC.Title\r\n");
    Field(1, "Old.Name", "Date");
    Field(2, "Old.Other", "DropDown");
    Dialogs.AnswerFiles({small});
    e->BtnOpenClick(e->BtnOpen);
    EXPECT_EQ(e->cgrid->Cells(0, 1), "DC.Title");
    EXPECT_EQ(e->cgrid->Cells(1, 1), "");  // not the Date of the schema before
    EXPECT_EQ(e->cgrid->Cells(0, 2), "");
}

TEST_F(FieldEditor, CancelledOpenLeavesNoFileToSave) {
    TSbld* e = Editor.get();
    e->BtnNewClick(e->BtnNew);
    Field(1, "kept", "Date");
    Dialogs.Answer(mrCancel).Answer(mrOk);
    e->BtnOpenClick(e->BtnOpen);
    EXPECT_EQ(e->CurrentFile(), "");
    EXPECT_EQ(e->cgrid->Cells(0, 1), "kept");
    e->BtnSaveClick(e->BtnSave);
    EXPECT_EQ(ShownTexts(), std::vector<String>{"You must open a file or create a new file to save a file"});
    EXPECT_EQ(Dialogs.Shown().back().Type, mtError);
}

TEST_F(FieldEditor, FilesThatFailAreReported) {
    TSbld* e = Editor.get();
    const String missing = Folder.File("schemas/missing.sbf");
    Dialogs.AnswerFiles({missing}).Answer(mrOk);
    e->BtnOpenClick(e->BtnOpen);
    EXPECT_EQ(e->CurrentFile(), missing);

    SetSafeWriteHook([](const char* stage) {
        if (String(stage) == "write") throw std::runtime_error("disk full");
    });
    Dialogs.Answer(mrOk);
    e->BtnSaveClick(e->BtnSave);
    Dialogs.AnswerFiles({"dc"}).Answer(mrOk);
    e->SaveAs1Click(e->SaveAs1);
    SetSafeWriteHook(nullptr);

    const String dc = Folder.File("schemas/dc.sbf");
    const std::vector<String> expected = {"Error Opening Schema File", "Error Saving Schema File",
                                          dc + " Error Saving File"};
    EXPECT_EQ(ShownTexts(), expected);
    for (const TDialogRecord& r : Dialogs.Shown()) {
        if (r.Kind == "TOpenDialog" || r.Kind == "TSaveDialog") continue;
        EXPECT_EQ(r.Type, mtError) << r.Text;
    }
    EXPECT_EQ(e->CurrentFile(), dc);
    EXPECT_FALSE(fs::exists(dc));
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(FieldEditor, SaveAsNamesTheFileInTheSchemasFolder) {
    TSbld* e = Editor.get();
    Field(1, "DC.Type", "DropDown");
    Dialogs.AnswerFiles({"dc"}).Answer(mrOk);
    e->SaveAs1Click(e->SaveAs1);
    const String dc = Folder.File("schemas/dc.sbf");
    EXPECT_EQ(ShownTexts(), std::vector<String>{dc + " Saved Successfully"});
    EXPECT_EQ(e->CurrentFile(), dc);
    EXPECT_NE(ReadAll(dc).find("0,1,DC.Type\r\n"), std::string::npos);

    // A cancelled Save As changes nothing.
    Dialogs.Answer(mrCancel);
    e->SaveAs1Click(e->SaveAs1);
    EXPECT_EQ(e->CurrentFile(), dc);
}

TEST_F(FieldEditor, RowCommandsWorkAtTheCurrentRow) {
    TSbld* e = Editor.get();
    Field(1, "a", "Date");
    Field(2, "b", "Normal");
    e->cgrid->FocusCell(0, 2, true);
    e->BtnAddClick(e->BtnAdd);  // on the last row: the new row goes above it
    EXPECT_EQ(e->cgrid->RowCount(), 4);
    EXPECT_EQ(e->cgrid->Cells(0, 2), "");
    EXPECT_EQ(e->cgrid->Cells(0, 3), "b");
    e->cgrid->FocusCell(0, 1, true);
    e->BtnDeleteClick(e->BtnDelete);
    EXPECT_EQ(e->cgrid->RowCount(), 3);
    EXPECT_EQ(e->cgrid->Cells(0, 1), "");
    EXPECT_EQ(e->cgrid->Cells(0, 2), "b");
}

TEST_F(FieldEditor, TheEditCellOpensTheFieldsValueList) {
    WriteAll(Folder.File("data/DC.Type.dat"), "Text\r\nImage\r\n");
    Field(1, "DC.Type", "DropDown");
    Field(2, "DC.Format", "DropDown");
    const String typeList = Folder.File("data/DC.Type.dat");
    const String formatList = Folder.File("data/DC.Format.dat");

    // An existing list is shown, changed and saved.
    Dialogs.AnswerWith([&](TForm* form) {
        auto* d = dynamic_cast<TSrchFrm2*>(form);
        ASSERT_EQ(d, DataEditor.get());
        EXPECT_EQ(d->ComboBox1->Text(), typeList);
        EXPECT_EQ(d->CurrentPath, typeList);
        EXPECT_EQ(d->terms1->Lines()->Text(), "Text\r\nImage\r\n");
        d->terms1->Lines()->Add("Sound");
        Dialogs.Answer(mrOk);
        d->TbToolbarButton4->Click();
        d->TbToolbarButton5->Click();
    });
    ClickCell(2, 1);
    EXPECT_EQ(ReadAll(typeList), "Text\r\nImage\r\nSound\r\n");

    // A list that is not there yet opens empty, whatever the memo held,
    // and Save creates it.
    Dialogs.AnswerWith([&](TForm* form) {
        auto* d = dynamic_cast<TSrchFrm2*>(form);
        EXPECT_EQ(d->CurrentPath, formatList);
        EXPECT_EQ(d->terms1->Lines()->Count(), 0);
        d->terms1->Lines()->SetText("text/html\r\ntext/plain");
        Dialogs.Answer(mrOk);
        d->TbToolbarButton4->Click();
    });
    ClickCell(2, 2);
    EXPECT_EQ(ReadAll(formatList), "text/html\r\ntext/plain\r\n");
    const std::vector<String> expected = {typeList + " Saved Successfully", formatList + " Saved Successfully"};
    EXPECT_EQ(ShownTexts(), expected);

    // Clicks elsewhere open nothing (an unexpected box would fail the test).
    ClickCell(0, 1);
    ClickCell(1, 2);
}

TEST_F(FieldEditor, ANameThatIsNoFileNameIsNeverWritten) {
    WriteAll(Folder.File("outside.dat"), "keep\r\n");
    Field(1, "../outside", "DropDown");
    Field(2, "", "DropDown");
    const String path = Folder.File("data/../outside.dat");
    Dialogs.AnswerWith([&](TForm* form) {
        auto* d = dynamic_cast<TSrchFrm2*>(form);
        EXPECT_EQ(d->ComboBox1->Text(), path);
        EXPECT_EQ(d->terms1->Lines()->Count(), 0);  // not read from outside
        d->terms1->Lines()->SetText("lost");
        Dialogs.Answer(mrOk);
        d->TbToolbarButton4->Click();
    });
    ClickCell(2, 1);
    EXPECT_EQ(ShownTexts(), std::vector<String>{"An Error Occurred Loading Saving: " + path});
    EXPECT_EQ(Dialogs.Shown().back().Type, mtError);
    EXPECT_EQ(ReadAll(Folder.File("outside.dat")), "keep\r\n");

    // An empty name is the list ".dat" in the data folder.
    Dialogs.AnswerWith([&](TForm* form) {
        EXPECT_EQ(dynamic_cast<TSrchFrm2*>(form)->CurrentPath, Folder.File("data/.dat"));
    });
    ClickCell(2, 2);
}

TEST_F(FieldEditor, TheDataEditorWithoutAListSavesNothing) {
    TSrchFrm2* d = DataEditor.get();
    EXPECT_EQ(d->Caption(), "Custom Field Data Editor");
    EXPECT_EQ(d->CurrentPath, "N");
    EXPECT_TRUE(d->ComboBox1->ReadOnly());
    d->terms1->Lines()->SetText("x");
    Dialogs.Answer(mrOk);
    d->TbToolbarButton4->Click();
    EXPECT_EQ(ShownTexts(), std::vector<String>{"There is no file selected"});
    EXPECT_EQ(Dialogs.Shown().back().Type, mtInformation);
    EXPECT_TRUE(fs::is_empty(Folder.File("data")));
}

}  // namespace

// Every column shows whole, the Edit column too, once the fields fill the
// window and the grid's vertical scroll bar shows.
TEST_F(FieldEditor, ShowsEveryColumnWhole) {
    TGkColumnGrid* g = Editor->cgrid;
    g->SetRowCount(40);
    Editor->Show();
    ASSERT_GT(g->RowCount(), g->VisibleRowCount() + 1);  // the scroll bar shows
    EXPECT_EQ(g->VisibleColCount(), 3);
    EXPECT_LE(g->CellRect(2, 1).Right, g->ClientWidth());
    Editor->Hide();
}
