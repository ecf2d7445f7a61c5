#include "composer/tools/Sbld.h"
#include "composer/windows/WindowParts.h"

#include <exception>

#include "composer/tools/SrchFrm2.h"
#include "composer/windows/ToolGlyph.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Menus.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/SaveDialog.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "framework/system/SystemMetrics.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GridColumnCollection.h"
#include "gridkit/grid/GridColumnItem.h"
#include "gridkit/grid/Navigation.h"
#include "toolbars/TbMemo.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

using namespace FieldEditorTexts;

TSbld* Sbld = nullptr;

namespace {

String SchemasFolder() { return BesideProgram("schemas"); }

void SetHeaders(TGkColumnGrid* grid) {
    grid->SetCells(0, 0, SNameHeader);
    grid->SetCells(1, 0, STypeHeader);
    grid->SetCells(2, 0, SEditHeader);
}

}  // namespace

TSbld::TSbld(TComponent* owner) : TForm(owner) {
    if (!Sbld) Sbld = this;
    SetName("Sbld");
    HelpContext = HelpContextFieldEditor;  // F1 opens the window's topic
    SetCaption("Custom Field Editor");
    SetBounds(0, 0, 428, 400);
    SetPosition(poScreenCenter);

    TbToolbar1 = WindowToolbar(this, this, "TbToolbar1", alTop);
    BtnNew = ToolButton(this, TbToolbar1, "BtnNew", "New", "Create New Schema", "document-new", 52);
    BtnOpen = ToolButton(this, TbToolbar1, "BtnOpen", "Open", "Open Existing Schema", "document-open", 52);
    BtnSave = ToolButton(this, TbToolbar1, "BtnSave", "Save", "Save Current Schema", "document-save", 52);
    BtnDelete = ToolButton(this, TbToolbar1, "BtnDelete", "Delete", "Delete Row", "list-remove", 52);
    BtnAdd = ToolButton(this, TbToolbar1, "BtnAdd", "Add", "Add Row", "list-add", 52);
    BtnExit = ToolButton(this, TbToolbar1, "BtnExit", "Exit", "Exit the Custom Field Editor",
                         "application-exit", 52);
    BtnHelp = ToolButton(this, TbToolbar1, "BtnHelp", "Help", "Help with the custom field editor",
                         "help-contents", 52);

    cgrid = new TGkColumnGrid(this);
    cgrid->SetName("cgrid");
    cgrid->SetParent(this);
    cgrid->SetBounds(0, 48, 420, 300);
    cgrid->SetAlign(alClient);
    cgrid->SetColCount(3);
    cgrid->SetRowCount(3);
    cgrid->SetFixedRows(1);
    cgrid->SetFixedCols(0);
    cgrid->SetDefaultRowHeight(21);
    cgrid->SetOptions(cgrid->Options() | goEditing);
    cgrid->Navigation()->AdvanceOnEnter = true;
    cgrid->Navigation()->AdvanceDirection = adLeftRight;
    TGridColumnItem* nameColumn = cgrid->Columns()->Items(0);
    nameColumn->SetWidth(240);
    nameColumn->SetHeader(SNameHeader);
    nameColumn->EditLength = NameLength;
    TGridColumnItem* typeColumn = cgrid->Columns()->Items(1);
    typeColumn->SetWidth(138);
    typeColumn->SetHeader(STypeHeader);
    typeColumn->Editor = edComboEdit;
    typeColumn->ComboItems()->SetText("DropDown\r\nDate\r\nNormal");
    TGridColumnItem* editColumn = cgrid->Columns()->Items(2);
    editColumn->SetWidth(33);
    editColumn->SetHeader(SEditHeader);
    editColumn->Editor = edEditBtn;
    // The window is as wide as the three columns with their lines, the
    // grid's border and the vertical scroll bar that shows once the fields
    // fill the window, so the Edit column is never cut off.
    int columns = 0;
    for (int c = 0; c < cgrid->ColCount(); ++c) columns += cgrid->ColWidths(c) + cgrid->GridLineWidth();
    SetClientWidth(columns + (cgrid->Width() - cgrid->ClientWidth()) + GetSystemMetrics(SM_CXVSCROLL));

    opens = new TOpenDialog(this);
    opens->SetName("opens");
    opens->Title = SOpenTitle;
    opens->Filter = SFilter;
    // Without the "*." the dialog adds: a name typed bare gets ".sbf".
    opens->DefaultExt = "sbf";
    sschema = new TSaveDialog(this);
    sschema->SetName("sschema");
    sschema->Title = SSaveTitle;
    sschema->Filter = SFilter;
    sschema->DefaultExt = "sbf";

    MainMenu1 = new TMainMenu(this);
    MainMenu1->SetName("MainMenu1");
    TMenuItem* root = MainMenu1->Items();
    File1 = MenuItem(this, root, "File1", "&File");
    New1 = MenuItem(this, File1, "New1", "New ...");
    Open1 = MenuItem(this, File1, "Open1", "Open ...");
    Save1 = MenuItem(this, File1, "Save1", "Save ...");
    SaveAs1 = MenuItem(this, File1, "SaveAs1", "Save As ...");
    N1 = MenuItem(this, File1, "N1", "-");
    Exit1 = MenuItem(this, File1, "Exit1", "E&xit");
    Help1 = MenuItem(this, root, "Help1", "Help");
    BuildingSchemas1 = MenuItem(this, Help1, "BuildingSchemas1", "Using the Custom Field Editor");
    N2 = MenuItem(this, Help1, "N2", "-");
    About1 = MenuItem(this, Help1, "About1", "About");

    BtnNew->OnClick = [this](TObject* s) { BtnNewClick(s); };
    New1->OnClick = [this](TObject* s) { BtnNewClick(s); };
    BtnOpen->OnClick = [this](TObject* s) { BtnOpenClick(s); };
    Open1->OnClick = [this](TObject* s) { BtnOpenClick(s); };
    BtnSave->OnClick = [this](TObject* s) { BtnSaveClick(s); };
    Save1->OnClick = [this](TObject* s) { BtnSaveClick(s); };
    SaveAs1->OnClick = [this](TObject* s) { SaveAs1Click(s); };
    BtnDelete->OnClick = [this](TObject* s) { BtnDeleteClick(s); };
    BtnAdd->OnClick = [this](TObject* s) { BtnAddClick(s); };
    BtnExit->OnClick = [this](TObject* s) { BtnExitClick(s); };
    Exit1->OnClick = [this](TObject* s) { BtnExitClick(s); };
    BtnHelp->OnClick = [this](TObject* s) { BtnHelpClick(s); };
    BuildingSchemas1->OnClick = [this](TObject* s) { BtnHelpClick(s); };
    About1->OnClick = [this](TObject* s) { About1Click(s); };
    cgrid->OnClick = [this](TObject* s) { cgridClick(s); };
}

TSbld::~TSbld() {
    if (Sbld == this) Sbld = nullptr;
}

const String& TSbld::CurrentFile() const { return opens->FileName; }

String TSbld::ValueListPath(const String& name) {
    const String path = TSrchFrm2::DataFolder() + name + ".dat";
    // The main window finds the list whatever its letter case; so must
    // the editor of that list.
    const String found = NamesAFolder(name) ? String() : FindPathNoCase(path);
    return found.empty() ? path : found;
}

TSrchFrm2* TSbld::DataEditor() {
    if (SrchFrm2) return SrchFrm2;
    if (!FDataEditor) FDataEditor = new TSrchFrm2(this);
    return FDataEditor;
}

void TSbld::BtnNewClick(TObject*) {
    opens->FileName = PathJoin(ProgramFolder(), SNewFile);
    cgrid->ClearAllCells();
    SetHeaders(cgrid);
}

void TSbld::BtnOpenClick(TObject*) {
    opens->InitialDir = SchemasFolder();
    opens->FileName.clear();
    if (!opens->Execute()) return;
    try {
        // Loading writes only the cells the file holds: the previous
        // schema's cells must not show through as fields of this one.
        cgrid->ClearAllCells();
        cgrid->LoadCellsFromFile(opens->FileName);
    } catch (const std::exception&) {
        MessageDlg(SOpenError, mtError, mbOK, 0);
    }
}

void TSbld::BtnSaveClick(TObject*) {
    if (opens->FileName.empty()) {
        MessageDlg(SNoFile, mtError, mbOK, 0);
        return;
    }
    try {
        cgrid->SaveCellsToFile(opens->FileName);
    } catch (const std::exception&) {
        MessageDlg(SSaveError, mtError, mbOK, 0);
        return;
    }
    MessageDlg(opens->FileName + SSaved, mtInformation, mbOK, 0);
}

void TSbld::SaveAs1Click(TObject*) {
    sschema->InitialDir = SchemasFolder();
    if (!sschema->Execute()) return;
    opens->FileName = sschema->FileName;
    try {
        cgrid->SaveCellsToFile(opens->FileName);
    } catch (const std::exception&) {
        MessageDlg(opens->FileName + SSaveAsError, mtError, mbOK, 0);
        return;
    }
    MessageDlg(opens->FileName + SSaved, mtInformation, mbOK, 0);
}

void TSbld::BtnAddClick(TObject*) { cgrid->InsertRowRange(cgrid->Row(), 1); }

void TSbld::BtnDeleteClick(TObject*) { cgrid->DeleteRow(cgrid->Row()); }

void TSbld::BtnExitClick(TObject*) { Close(); }

void TSbld::BtnHelpClick(TObject*) { Application->HelpContext(HelpContextFieldEditor); }

void TSbld::About1Click(TObject*) { MessageDlg(SAbout, mtInformation, mbOK, 0); }

void TSbld::cgridClick(TObject*) {
    if (cgrid->Col() != EditColumn) return;
    const String name = cgrid->Cells(0, cgrid->Row());
    const String path = ValueListPath(name);
    TSrchFrm2* editor = DataEditor();
    editor->ComboBox1->SetText(path);
    bool loaded = false;
    if (!NamesAFolder(name) && FileExists(path)) {
        try {
            editor->terms1->Lines()->LoadFromFile(path);
            loaded = true;
        } catch (const std::exception&) {
            // Shown empty, as a list that is not there yet.
        }
    }
    if (!loaded) editor->terms1->Lines()->Clear();
    editor->ShowModal();
}
