// The custom step: schemas saved, loaded and deleted in the program's
// schemas folder, the editor each value cell gets from the field
// definitions, the row commands, the view options, and the custom rows on
// their way into the composed tags.
#include "composer/mainwindow/MainWindowTestSupport.h"

#include <filesystem>
#include <stdexcept>

#include "composer/tools/Sbld.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/TabSheet.h"
#include "framework/rtl/FileUtils.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/editors/GridCombo.h"
#include "gridkit/editors/GridDatePicker.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GkStringGrid.h"
#include "toolbars/TbToolbarButton.h"

namespace {

namespace fs = std::filesystem;
using namespace SchemaTexts;

class Schemas : public MainWindowTest {
protected:
    // The main window with a schema loaded, shown on the custom fields'
    // step with its grid focused.
    TForm1* ShowSchema(const String& name) {
        TForm1* f = Create();
        f->scname->SetText(name);
        f->scnameClick(f->scname);
        f->PageControl1->SetActivePage(f->TabSheet3);
        f->FirstActivation = "No";  // no page selection on showing
        f->Show();
        return f;
    }
    // The custom grid's rows below the heading, name and value.
    void Rows(const std::vector<std::pair<String, String>>& rows) {
        TGkColumnGrid* g = Form->grid1;
        g->ClearAllCells();
        g->SetRowCount(static_cast<int>(rows.size()) + 1);
        g->SetCells(0, 0, "Tag Name");
        g->SetCells(1, 0, "Value");
        for (size_t i = 0; i < rows.size(); ++i) {
            g->SetCells(0, static_cast<int>(i) + 1, rows[i].first);
            g->SetCells(1, static_cast<int>(i) + 1, rows[i].second);
        }
    }
    std::vector<std::pair<String, String>> RowsShown() const {
        std::vector<std::pair<String, String>> rows;
        for (int r = 1; r < Form->grid1->RowCount(); ++r)
            rows.emplace_back(Form->grid1->Cells(0, r), Form->grid1->Cells(1, r));
        return rows;
    }
    std::vector<String> SchemaList() const {
        std::vector<String> names;
        for (int i = 0; i < Form->scname->Items()->Count(); ++i)
            names.push_back(Form->scname->Items()->Strings(i));
        return names;
    }
    // Field definitions as the custom field editor writes them.
    void Definitions(const String& schema, const std::vector<std::pair<String, String>>& fields) {
        TGkColumnGrid defs(nullptr);
        defs.SetColCount(3);
        defs.SetRowCount(static_cast<int>(fields.size()) + 1);
        defs.SetCells(0, 0, "Name");
        defs.SetCells(1, 0, "Type");
        defs.SetCells(2, 0, "Edit");
        for (size_t i = 0; i < fields.size(); ++i) {
            defs.SetCells(0, static_cast<int>(i) + 1, fields[i].first);
            defs.SetCells(1, static_cast<int>(i) + 1, fields[i].second);
        }
        defs.SaveCellsToFile(Folder.File("schemas/" + schema + ".sbf"));
    }
};

using Rows2 = std::vector<std::pair<String, String>>;

TEST_F(Schemas, SaveDropsInnerBlankRowsAndLoadDeleteRoundTrip) {
    TForm1* f = Create();
    Rows({{"DC.Title", "Report"}, {" ", ""}, {"", "  "}, {"DC.Creator", "Ann"}, {"", ""}});
    f->scname->SetText("dc");
    Dialogs.Answer(mrOk);
    f->TbToolbarButton16->Click();
    EXPECT_EQ(ShownTexts(), std::vector<String>{"Schema: dc saved successfully"});
    // The blank rows between went, the blank last row stays to type into.
    const Rows2 saved = {{"DC.Title", "Report"}, {"DC.Creator", "Ann"}, {"", ""}};
    EXPECT_EQ(RowsShown(), saved);
    EXPECT_EQ(SchemaList(), std::vector<String>{"dc"});
    ASSERT_TRUE(fs::exists(Folder.File("schemas/dc.tgs")));

    // Picking the schema replaces whatever the grid holds.
    Rows({{"other", "value"}});
    Definitions("dc", {{"DC.Title", "Date"}});
    f->scname->SetItemIndex(f->scname->Items()->IndexOf("dc"));
    f->scname->Click();
    EXPECT_EQ(RowsShown(), saved);
    EXPECT_EQ(f->cgrid->Cells(0, 1), "DC.Title");

    // Deleting asks first; No keeps the file, Yes removes only the .tgs.
    const String question =
        "Do you really want to delete the schema: dc \r\rThis cannot be undone!   Continue?";
    Dialogs.Answer(mrNo).Answer(mrYes);
    f->TbToolbarButton15->Click();
    EXPECT_TRUE(fs::exists(Folder.File("schemas/dc.tgs")));
    EXPECT_EQ(f->scname->Text(), "dc");
    f->TbToolbarButton15->Click();
    ASSERT_EQ(Dialogs.Shown().size(), 3u);
    EXPECT_EQ(Dialogs.Shown()[1].Text, question);
    EXPECT_EQ(Dialogs.Shown()[1].Type, mtConfirmation);
    EXPECT_EQ(Dialogs.Shown()[1].Buttons, mbYes | mbNo);
    EXPECT_FALSE(fs::exists(Folder.File("schemas/dc.tgs")));
    EXPECT_TRUE(fs::exists(Folder.File("schemas/dc.sbf")));
    EXPECT_EQ(f->scname->Text(), "");
    EXPECT_EQ(SchemaList(), std::vector<String>{});
    EXPECT_EQ(RowsShown(), saved);
}

TEST_F(Schemas, SavingTheTokenMapReloadsItWhenTokensAreOn) {
    TForm1* f = Create();
    ComposerSettings.tokens = "1";
    Rows({{"Token", "Tag"}, {"T1", "DC.Title"}});
    f->scname->SetText("GilsMask");
    Dialogs.Answer(mrOk);
    f->button38Click(f->TbToolbarButton16);
    EXPECT_EQ(f->gilsmask->Cells(0, 2), "T1");
    EXPECT_EQ(f->gilsmask->Cells(1, 2), "DC.Title");

    // The map now gives the custom tag its token on the Update step.
    Rows({{"DC.Title", "Report"}});
    f->SpeedButton7Click(f);  // no standard tags before it
    f->TabSheet5Enter(f->TabSheet5);
    EXPECT_EQ(f->TagLines->Lines()->Strings(0), "<meta name=\"dc.title\" content=\"Report\" z=\"t1\"/>");
}

TEST_F(Schemas, SavingAnyOtherNameLeavesTheTokenMapAlone) {
    TForm1* f = Create();
    ComposerSettings.tokens = "1";
    Rows({{"T1", "DC.Title"}});
    f->scname->SetText("gils");
    Dialogs.Answer(mrOk);
    f->button38Click(f->TbToolbarButton16);
    EXPECT_EQ(f->gilsmask->Cells(0, 1), "");
}

TEST_F(Schemas, CustomRowsReachTheComposedTags) {
    TForm1* f = Create();
    Rows({{"  DC.Title ", " Report "}, {"DC.Creator", ""}, {"", "orphan"}, {"DC.Date", "2024-05-01"}});
    f->SpeedButton7Click(f);  // no standard tags before them
    f->TabSheet5Enter(f->TabSheet5);
    EXPECT_EQ(f->TagLines->Lines()->Count(), 2);
    EXPECT_EQ(f->TagLines->Lines()->Strings(0), "<meta name=\"dc.title\" content=\"Report\">");
    EXPECT_EQ(f->TagLines->Lines()->Strings(1), "<meta name=\"dc.date\" content=\"2024-05-01\">");
}

// Names that cannot be saved: nothing is written and the grid stays.
struct BadName {
    const char* Name;
    const char* Message;
};

class UnsavableName : public Schemas, public ::testing::WithParamInterface<BadName> {};

TEST_P(UnsavableName, IsRefusedWithItsMessage) {
    TForm1* f = Create();
    Rows({{"DC.Title", "x"}, {"", ""}, {"DC.Creator", "y"}});
    f->scname->SetText(GetParam().Name);
    Dialogs.Answer(mrOk);
    f->button38Click(f->TbToolbarButton16);
    EXPECT_EQ(ShownTexts(), std::vector<String>{GetParam().Message});
    EXPECT_EQ(f->grid1->RowCount(), 4);
    EXPECT_TRUE(fs::is_empty(Folder.File("schemas")));
    EXPECT_FALSE(fs::exists(Folder.File("dc.tgs")));
}

INSTANTIATE_TEST_SUITE_P(Names, UnsavableName,
                         ::testing::Values(BadName{"", SNoSchemaName}, BadName{"\tdc", SNoSchemaName},
                                           BadName{"../dc", SBadSchemaName},
                                           BadName{"sub\\dc", SBadSchemaName}));

TEST_F(Schemas, AnUnwritableSchemaIsReportedAndNotClaimedSaved) {
    TForm1* f = Create();
    Rows({{"DC.Title", "x"}, {"", ""}, {"DC.Creator", "y"}});
    f->scname->Items()->Add("kept");
    f->scname->SetText("dc");
    SetSafeWriteHook([](const char* stage) {
        if (String(stage) == "create") throw std::runtime_error("disk full");
    });
    Dialogs.Answer(mrOk);
    f->button38Click(f->TbToolbarButton16);
    SetSafeWriteHook(nullptr);
    EXPECT_EQ(ShownTexts(), std::vector<String>{"Cannot create " + Folder.File("schemas/dc.tgs") + "."});
    EXPECT_EQ(Dialogs.Shown()[0].Type, mtError);
    EXPECT_FALSE(fs::exists(Folder.File("schemas/dc.tgs")));
    EXPECT_EQ(SchemaList(), std::vector<String>{"kept"});  // not refilled
}

TEST_F(Schemas, DeletingASchemaWithoutFileAsksNothing) {
    WriteAll(Folder.File("schemas/gils.tgs"), "2,2\r\n");
    TForm1* f = Create();
    f->scname->Items()->Clear();
    f->scname->SetText("dc");
    f->SpeedButton6Click(f->TbToolbarButton15);
    EXPECT_EQ(ShownTexts(), std::vector<String>{});
    EXPECT_EQ(f->scname->Text(), "");
    EXPECT_EQ(SchemaList(), std::vector<String>{"gils"});
}

TEST_F(Schemas, DeletingWithAPathInTheNameIsRefused) {
    WriteAll(Folder.File("outside.tgs"), "2,2\r\n");
    TForm1* f = Create();
    f->scname->SetText("../outside");
    Dialogs.Answer(mrOk);
    f->SpeedButton6Click(f->TbToolbarButton15);
    EXPECT_EQ(ShownTexts(), std::vector<String>{SBadSchemaName});
    EXPECT_TRUE(fs::exists(Folder.File("outside.tgs")));
}

TEST_F(Schemas, NamesThatLeaveTheirFolderAreNeverRead) {
    // Files one folder up, where a name with ".." or a separator would lead.
    WriteAll(Folder.File("outside.tgs"), "2,2\r\n0,1,Stolen\r\n");
    WriteAll(Folder.File("outside.sbf"), "3,2\r\n0,1,Stolen\r\n1,1,DropDown\r\n");
    WriteAll(Folder.File("secret.dat"), "Stolen\r\n");
    TForm1* f = Create();
    Rows({{"typed", "value"}});
    for (const char* name : {"../outside", "..\\outside", "schemas/../../outside"}) {
        SCOPED_TRACE(name);
        Dialogs.Answer(mrOk);
        f->scname->SetText(name);
        f->scnameClick(f->scname);
        EXPECT_EQ(f->grid1->Cells(0, 1), "typed");
        f->LoadFieldDefinitions(name);
        EXPECT_EQ(f->cgrid->Cells(0, 1), "");
    }
    EXPECT_EQ(ShownTexts(), std::vector<String>(3, SBadSchemaName));
    // A field whose name is a path gets no value list from outside "data".
    WriteAll(Folder.File("schemas/dc.sbf"), "3,2\r\n0,1,../secret\r\n1,1,DropDown\r\n");
    f->LoadFieldDefinitions("dc");
    ASSERT_EQ(f->cgrid->Cells(0, 1), "../secret");
    f->grid1->SetCells(0, 1, "../secret");
    TEditorType editor = edComboList;
    f->grid1GetEditorType(f->grid1, 1, 1, editor);
    EXPECT_EQ(editor, edNormal);
    EXPECT_EQ(f->grid1->ComboItems()->Count(), 0);
}

TEST_F(Schemas, PickingASchemaWithoutFileShowsTheGridError) {
    TForm1* f = Create();
    Rows({{"typed", "value"}});
    f->scname->SetText("gone");
    Dialogs.Answer(mrOk);
    f->scnameClick(f->scname);
    const std::vector<String> shown = ShownTexts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Cannot open file " + Folder.File("schemas/gone.tgs") + ".");
    EXPECT_EQ(Dialogs.Shown()[0].Type, mtError);
    EXPECT_EQ(f->grid1->Cells(0, 1), "");
    EXPECT_EQ(f->grid1->Cells(1, 1), "");
    // The grid keeps its heading row without a schema.
    EXPECT_EQ(f->grid1->Cells(0, 0), "Tag Name");
    EXPECT_EQ(f->grid1->Cells(1, 0), "Value");
}

// The editor a value cell gets from the field definitions.
struct EditorCase {
    const char* Name;     // grid1's column 0
    int Col;
    TEditorType Editor;
    const char* Items;    // the combo's items, one per line
};

class EditorPerField : public Schemas, public ::testing::WithParamInterface<EditorCase> {};

TEST_P(EditorPerField, FollowsTheFieldType) {
    WriteAll(Folder.File("data/DC.Type.dat"), "Text\r\nImage\r\nSound\r\n");
    WriteAll(Folder.File("data/dc.format.DAT"), "text/html\r\n");
    WriteAll(Folder.File("data/DC.Coverage.dat"), "World\r\n");
    WriteAll(Folder.File("schemas/dc.tgs"), "2,2\r\n");
    Definitions("dc", {{"Start Date", "Date"},
                       {" DC.Type ", "DropDown"},
                       {"DC.Format", "DropDown"},
                       {"DC.Audience", "DropDown"},  // no value list
                       {"DC.Rights", "Text"},
                       {"DC.Coverage", "Date"},
                       {"DC.Coverage", "DropDown"},  // a later row decides
                       {"DC.Coverage", "Normal"},    // but only with a type of its own
                       {"DC.Source", "dropdown"}});  // the type is matched exactly
    TForm1* f = Create();
    f->scname->SetText("dc");
    f->scnameClick(f->scname);
    f->grid1->SetCells(0, 1, GetParam().Name);
    f->grid1->ComboItems()->SetText("left over");
    TEditorType editor = edNormal;
    f->grid1->GetCellEditor(GetParam().Col, 1, editor);
    EXPECT_EQ(editor, GetParam().Editor);
    if (GetParam().Items) {
        EXPECT_EQ(f->grid1->ComboItems()->Text(), GetParam().Items);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, EditorPerField,
    ::testing::Values(EditorCase{"Start Date", 1, edDateEdit, nullptr},
                      EditorCase{"start date", 1, edNormal, nullptr},
                      EditorCase{"Start Date", 0, edNormal, nullptr},
                      EditorCase{"DC.Type", 1, edComboList, "Text\r\nImage\r\nSound\r\n"},
                      EditorCase{"DC.Format", 1, edComboList, "text/html\r\n"},
                      EditorCase{"DC.Audience", 1, edNormal, ""},
                      EditorCase{"DC.Rights", 1, edNormal, nullptr},
                      EditorCase{"DC.Coverage", 1, edComboList, "World\r\n"},
                      EditorCase{"DC.Source", 1, edNormal, nullptr},
                      EditorCase{"DC.Type ", 1, edNormal, nullptr}));

TEST_F(Schemas, ValueCellsOpenTheirEditorsInTheGrid) {
    WriteAll(Folder.File("data/DC.Type.dat"), "Text\r\nImage\r\n");
    Definitions("dc", {{"DC.Type", "DropDown"}, {"DC.Date", "Date"}});
    WriteAll(Folder.File("schemas/dc.tgs"), "2,3\r\n0,1,DC.Type\r\n1,1,Image\r\n0,2,DC.Date\r\n");
    TForm1* f = ShowSchema("dc");
    f->grid1->SetFocus();
    ASSERT_TRUE(WaitForFocus(f->grid1));

    f->grid1->FocusCell(1, 1, true);
    f->grid1->ShowEditor();
    ASSERT_TRUE(f->grid1->SeparateEditorShown());
    TGridCombo* combo = f->grid1->ComboEditor();
    EXPECT_TRUE(combo->Visible());
    EXPECT_EQ(combo->Items()->Text(), "Text\r\nImage\r\n");
    EXPECT_EQ(combo->ItemIndex(), 1);
    f->grid1->CloseCellEditor(1, 1);
    f->grid1->HideEditor();

    f->grid1->FocusCell(1, 2, true);
    f->grid1->ShowEditor();
    EXPECT_EQ(f->grid1->CurrentEditorType(), edDateEdit);
    EXPECT_TRUE(f->grid1->DateEditor()->Visible());
    f->grid1->CloseCellEditor(1, 2);
    f->grid1->HideEditor();
    f->Hide();
}

TEST_F(Schemas, DoubleClickOnADropDownValueOpensItsList) {
    WriteAll(Folder.File("data/DC.Type.dat"), "Text\r\nImage\r\n");
    Definitions("dc", {{"DC.Type", "DropDown"}});
    WriteAll(Folder.File("schemas/dc.tgs"), "2,3\r\n0,1,DC.Title\r\n0,2,DC.Type\r\n1,2,Image\r\n");
    TForm1* f = ShowSchema("dc");
    ASSERT_TRUE(WaitForFocus(f->grid1));

    const TRect cell = f->grid1->CellRect(1, 2);
    SimulateDblClick(f->grid1, (cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
    ASSERT_TRUE(f->grid1->SeparateEditorShown());
    TGridCombo* combo = f->grid1->ComboEditor();
    EXPECT_TRUE(combo->Visible());
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(combo->Text(), "Image");
    f->Hide();
}

TEST_F(Schemas, RowCommandsInsertAndDeleteAtTheCurrentRow) {
    TForm1* f = Create();
    Rows({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    f->grid1->FocusCell(1, 2, true);
    f->TbToolbarButton23->Click();
    const Rows2 inserted = {{"a", "1"}, {"", ""}, {"b", "2"}, {"c", "3"}};
    EXPECT_EQ(RowsShown(), inserted);
    f->grid1->FocusCell(1, 3, true);
    f->minusb->Click();
    const Rows2 deleted = {{"a", "1"}, {"", ""}, {"c", "3"}};
    EXPECT_EQ(RowsShown(), deleted);

    // The heading row stays one: the last data row is emptied instead.
    Rows({{"only", "row"}});
    f->grid1->FocusCell(1, 1, true);
    f->minusb->Click();
    EXPECT_EQ(f->grid1->RowCount(), 2);
    EXPECT_EQ(f->grid1->FixedRows(), 1);
    EXPECT_EQ(f->grid1->Cells(0, 0), "Tag Name");
    EXPECT_EQ(RowsShown(), (Rows2{{"", ""}}));
}

TEST_F(Schemas, ViewOptionsSizeTheGridAndProtectTheNames) {
    TForm1* f = Create();
    f->CheckBox3->SetChecked(true);
    EXPECT_EQ(f->grid1->DefaultRowHeight(), 28);
    EXPECT_TRUE(f->grid1->Multilinecells());
    f->CheckBox3->SetChecked(false);
    EXPECT_EQ(f->grid1->DefaultRowHeight(), 14);
    EXPECT_FALSE(f->grid1->Multilinecells());

    f->CheckBox2->SetChecked(true);
    EXPECT_TRUE(f->grid1->AutoSize());
    f->CheckBox2->SetChecked(false);
    EXPECT_FALSE(f->grid1->AutoSize());

    Rows({{"DC.Title", "x"}});
    f->CheckBox4->SetChecked(true);
    f->grid1->FocusCell(0, 1, true);
    EXPECT_FALSE(f->grid1->Options() & goEditing);
    f->grid1->FocusCell(1, 1, true);
    EXPECT_TRUE(f->grid1->Options() & goEditing);
    f->CheckBox4->SetChecked(false);
    f->grid1->FocusCell(0, 1, true);
    EXPECT_TRUE(f->grid1->Options() & goEditing);
}

TEST_F(Schemas, TheFieldEditorsDefinitionsAreReloadedWhenItCloses) {
    WriteAll(Folder.File("schemas/dc.tgs"), "2,2\r\n");
    TForm1* f = Create();
    f->scname->SetText("dc");
    f->scnameClick(f->scname);
    EXPECT_EQ(f->cgrid->Cells(0, 1), "");
    // The user defines a field and saves the definitions under the schema.
    Dialogs.AnswerWith([this](TForm* form) {
        auto* editor = dynamic_cast<TSbld*>(form);
        ASSERT_NE(editor, nullptr);
        editor->BtnNewClick(editor);
        editor->cgrid->SetCells(0, 1, "DC.Date");
        editor->cgrid->SetCells(1, 1, "Date");
        Dialogs.Answer(mrOk);
        editor->opens->FileName = Folder.File("schemas/dc.sbf");
        editor->BtnSaveClick(editor);
        editor->BtnExitClick(editor);
    });
    f->CustomFieldEditor1->Click();
    EXPECT_EQ(f->cgrid->Cells(0, 1), "DC.Date");
    EXPECT_EQ(f->cgrid->Cells(1, 1), "Date");
    f->grid1->SetCells(0, 1, "DC.Date");
    TEditorType editor = edNormal;
    f->grid1->GetCellEditor(1, 1, editor);
    EXPECT_EQ(editor, edDateEdit);
}

}  // namespace
