// The custom step of the main window: schemas (the saved rows of grid1),
// their field definitions in cgrid, the editor each value cell gets, the
// row commands and the custom field editor.
#include <memory>

#include "composer/engine/ComposerSettings.h"
#include "composer/tools/Sbld.h"
#include "composer/windows/Form1.h"
#include "composer/windows/WindowParts.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Menus.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/ProgramFolder.h"
#include "gridkit/editors/GridCombo.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GkStringGrid.h"
#include "toolbars/TbToolbarButton.h"

using namespace SchemaTexts;

namespace {

// A file beside the program, found whatever the letter case of its name.
String SchemaFile(const String& name, const char* extension) {
    return BesideProgram("schemas/" + name + extension);
}

// Opens the custom grid's list editor from the message queue.
class TListOpener : public TComponent {
public:
    TListOpener(TComponent* owner, TGkColumnGrid* grid) : TComponent(owner), FGrid(grid) {
        FWnd = AllocateHWnd([this](TMessage& m) {
            if (m.Msg == WM_USER + 1) Open();
        });
    }
    ~TListOpener() override { DeallocateHWnd(FWnd); }
    String ClassName() const override { return "TListOpener"; }
    void OpenSoon() { PostMessage(FWnd, WM_USER + 1); }

private:
    void Open() {
        if (!FGrid->SeparateEditorShown() || FGrid->CurrentEditorType() != edComboList) return;
        TGridCombo* combo = FGrid->ComboEditor();
        if (!combo->Visible()) return;
        if (!combo->Focused() && combo->CanFocus()) combo->SetFocus();
        combo->SetDroppedDown(true);
    }
    TGkColumnGrid* FGrid;
    HWND FWnd = 0;
};

}  // namespace

void TForm1::WireSchemas() {
    // The values are typed into the grid; the names too, unless protected.
    grid1->SetOptions(grid1->Options() | goEditing);
    scname->OnClick = [this](TObject* s) { scnameClick(s); };
    TbToolbarButton16->OnClick = [this](TObject* s) { button38Click(s); };
    TbToolbarButton15->OnClick = [this](TObject* s) { SpeedButton6Click(s); };
    TbToolbarButton23->OnClick = [this](TObject* s) { TbToolbarButton23Click(s); };
    minusb->OnClick = [this](TObject* s) { minusbClick(s); };
    grid1->OnGetEditorType = [this](TObject* s, int c, int r, TEditorType& e) {
        grid1GetEditorType(s, c, r, e);
    };
    // A double click on a value with a list of choices opens that list, as
    // a click on the arrow of any drop-down would. The list opens once the
    // click is over: a list shown while the button is still down would lose
    // the mouse to the grid.
    auto* opener = new TListOpener(this, grid1);
    grid1->OnDblClickCell = [this, opener](TObject*, int row, int col) {
        if (col != 1 || row < grid1->FixedRows()) return;
        grid1->ShowEditor();
        if (grid1->CurrentEditorType() == edComboList && grid1->SeparateEditorShown()) opener->OpenSoon();
    };
    CustomFieldEditor1->OnClick = [this](TObject* s) { CustomFieldEditor1Click(s); };
}

void TForm1::scnameClick(TObject*) {
    const String name = scname->Text();
    if (NamesAFolder(name)) {
        MessageDlg(SBadSchemaName, mtError, mbOK, 0);
        return;
    }
    auto load = [&] {
        grid1->ClearAllCells();
        grid1->LoadCellsFromFile(SchemaFile(name, ".tgs"));
        cgrid->ClearAllCells();
        const String sbf = SchemaFile(name, ".sbf");
        if (FileExists(sbf)) cgrid->LoadCellsFromFile(sbf);
    };
    try {
        try {
            load();
        } catch (const std::exception&) {
            // A file another program is still writing may read on the
            // second attempt.
            load();
        }
    } catch (const Exception& e) {
        KeepCustomHeadings();
        Application->ShowException(e);
        return;
    }
    KeepCustomHeadings();
}

void TForm1::KeepCustomHeadings() {
    if (grid1->RowCount() < 1 || grid1->ColCount() < 2) return;
    if (!grid1->Cells(0, 0).empty() || !grid1->Cells(1, 0).empty()) return;
    grid1->SetCells(0, 0, "Tag Name");
    grid1->SetCells(1, 0, "Value");
}

void TForm1::button38Click(TObject*) {
    const String name = scname->Text();
    if (name < String(" ")) {
        ShowMessage(SNoSchemaName);
        return;
    }
    if (NamesAFolder(name)) {
        MessageDlg(SBadSchemaName, mtError, mbOK, 0);
        return;
    }
    // Blank rows between the fields would come back with every load; the
    // last row stays so that the grid keeps a row to type into.
    for (int r = 1; r < grid1->RowCount() - 1;) {
        if (Trim(grid1->Cells(0, r)).empty() && Trim(grid1->Cells(1, r)).empty())
            grid1->DeleteRow(r);
        else
            ++r;
    }
    try {
        grid1->SaveCellsToFile(SchemaFile(name, ".tgs"));
    } catch (const Exception& e) {
        Application->ShowException(e);
        return;
    }
    scname->Items()->Clear();
    ListFiles(BesideProgram("schemas"), "tgs", scname->Items());
    if (TComposerSettings::On(ComposerSettings.tokens) && LowerCase(name) == STokenMapName) {
        gilsmask->ClearAllCells();
        LoadTokenMap();
    }
    ShowMessage(Format(SSchemaSaved, name));
}

void TForm1::SpeedButton6Click(TObject*) {
    const String name = scname->Text();
    if (NamesAFolder(name)) {
        MessageDlg(SBadSchemaName, mtError, mbOK, 0);
        return;
    }
    const String file = SchemaFile(name, ".tgs");
    if (FileExists(file)) {
        const String question =
            Format(SDeletePattern, SDeleteQuestion + ExtractFileName(name), SDeleteWarning, SDeleteContinue);
        if (MessageDlg(question, mtConfirmation, mbYes | mbNo, 0) != mrYes) return;
        if (!DeleteFile(file) && FileExists(file)) {
            // The schema is still there: the list must go on showing it.
            MessageDlg(SNotDeleted + file, mtError, mbOK, 0);
            return;
        }
    }
    scname->SetText("");
    scname->Items()->Clear();
    ListFiles(BesideProgram("schemas"), "tgs", scname->Items());
}

void TForm1::TbToolbarButton23Click(TObject*) { grid1->InsertRowRange(grid1->Row(), 1); }

void TForm1::minusbClick(TObject*) { grid1->DeleteRow(grid1->Row()); }

void TForm1::grid1GetEditorType(TObject*, int aCol, int aRow, TEditorType& aEditor) {
    if (aCol != 1) return;
    const String name = grid1->Cells(0, aRow);
    enum { kindNone, kindDropDown, kindDate } kind = kindNone;
    for (int r = 1; r < cgrid->RowCount(); ++r) {
        if (Trim(cgrid->Cells(0, r)) != name) continue;
        if (cgrid->Cells(1, r) == SDropDown)
            kind = kindDropDown;
        else if (cgrid->Cells(1, r) == SDate)
            kind = kindDate;
    }
    if (kind == kindDate) {
        aEditor = edDateEdit;
        return;
    }
    if (kind != kindDropDown) return;
    grid1->ClearComboItems();
    aEditor = edNormal;
    // A field named like a path gets no list from outside the data folder.
    if (NamesAFolder(name)) return;
    const String values = BesideProgram("data/" + name + ".dat");
    if (!FileExists(values)) return;
    try {
        grid1->ComboItems()->LoadFromFile(values);
        aEditor = edComboList;
    } catch (const std::exception&) {
        // An unreadable list offers nothing to pick: the value is typed.
        grid1->ClearComboItems();
    }
}

void TForm1::LoadFieldDefinitions(const String& name) {
    cgrid->ClearAllCells();
    if (name.empty() || NamesAFolder(name)) return;
    const String sbf = SchemaFile(name, ".sbf");
    if (!FileExists(sbf)) return;
    try {
        cgrid->LoadCellsFromFile(sbf);
    } catch (const std::exception&) {
        cgrid->ClearAllCells();
    }
}

void TForm1::CustomFieldEditor1Click(TObject*) {
    // The editor is created with the program; a window made without it
    // (as in the tests of the main window alone) borrows one for the visit.
    std::unique_ptr<TSbld> own;
    TSbld* editor = Sbld;
    if (!editor) {
        own = std::make_unique<TSbld>(nullptr);
        editor = own.get();
    }
    editor->ShowModal();
    LoadFieldDefinitions(scname->Text());
}
