// Profiles: saved sets of the standard field values in the profiles
// folder. Export writes the current values into a copy of the template
// "profiles/new"; import copies a profile's non-empty values into the
// fields. The hidden grid pgrid holds one profile while it is worked on.
#include <exception>
#include <utility>
#include <vector>

#include "composer/engine/MetaFieldTable.h"
#include "composer/windows/Form1.h"
#include "composer/windows/ToolGlyph.h"
#include "composer/windows/WindowParts.h"
#include "framework/controls/Application.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/SaveDialog.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/ProgramFolder.h"
#include "gridkit/grid/GkStringGrid.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

namespace {

constexpr const char* SProfilesFolder = "profiles";
constexpr const char* STemplate = "profiles/new";
constexpr const char* SFilter = "Drelmont Profile|*.mdpf";
// Given bare: a name typed without an extension gets ".mdpf".
constexpr const char* SExtension = "mdpf";
constexpr const char* SImportTitle = "Import Profile";
constexpr const char* SExportTitle = "Export to profile";
constexpr const char* SImportHint = "Import Profile";
constexpr const char* SExportHint = "Export Profile";
constexpr const char* SSaved = "Profile Saved: ";
constexpr const char* SSaveError = "Error Saving Profile";

// The fields a profile fills, by their keys.
std::vector<std::pair<String, TControl*>> ProfileFields(const TForm1* f) {
    std::vector<std::pair<String, TControl*>> r;
    for (const TMetaFieldRow& row : MetaFieldTable())
        if (*row.ProfileKey) r.emplace_back(row.ProfileKey, f->FieldControl(row));
    return r;
}

// A folder or file beside the program, found whatever its letter case.
String ProfilesFolder() { return IncludeTrailingPathDelimiter(BesideProgram(SProfilesFolder)); }

// Values come back with the line breaks they were saved with: keywords
// and descriptions often span lines.
void PrepareGrid(TGkStringGrid* grid) {
    grid->SetMultilinecells(true);
    grid->ClearAllCells();
}

}  // namespace

void TForm1::WireProfiles() {
    auto button = [this](const char* name, const char* caption, const char* hint, const char* icon) {
        TTbToolbarButton* b = new TTbToolbarButton(this);
        b->SetName(name);
        b->SetParent(TbToolbar2);
        b->SetBounds(0, 0, 64, 40);
        b->SetFlat(true);
        b->SetCaption(caption);
        b->SetHint(hint);
        b->SetShowHint(true);
        LoadToolGlyph(b, icon);
        return b;
    };
    // A profile fills mostly the web page options: its buttons sit on that
    // step, beside its lookup lists and before the step's navigation.
    ebut = button("ebut", "Import", SImportHint, "insert-object");
    profile = button("profile", "Export", SExportHint, "document-save-as");
    // The bar lays its buttons out in the order they joined it.
    for (TControl* after : {static_cast<TControl*>(TbToolbarButton14), static_cast<TControl*>(TbToolbarButton10),
                            static_cast<TControl*>(TbToolbarButton12)}) {
        after->SetParent(nullptr);
        after->SetParent(TbToolbar2);
    }

    imp = new TOpenDialog(this);
    imp->SetName("imp");
    imp->Title = SImportTitle;
    imp->Filter = SFilter;
    imp->DefaultExt = SExtension;
    exp = new TSaveDialog(this);
    exp->SetName("exp");
    exp->Title = SExportTitle;
    exp->Filter = SFilter;
    exp->DefaultExt = SExtension;
    // An export makes a new profile; one that is there already is replaced
    // only when the user says so.
    exp->Options = exp->Options | ofOverwritePrompt;

    ebut->OnClick = [this](TObject* s) { profileClick(s); };
    ImportProfile1->OnClick = [this](TObject* s) { profileClick(s); };
    profile->OnClick = [this](TObject* s) { ebutClick(s); };
    SavecurrentvaluesasProfile1->OnClick = [this](TObject* s) { ebutClick(s); };
}

void TForm1::profileClick(TObject*) {
    imp->InitialDir = ProfilesFolder();
    if (!imp->Execute()) return;
    PrepareGrid(pgrid);
    try {
        pgrid->LoadCellsFromFile(imp->FileName);
    } catch (const Exception& e) {
        // Nothing has reached the fields yet.
        Application->ShowException(e);
        return;
    }
    const auto fields = ProfileFields(this);
    for (int r = 0; r < pgrid->RowCount(); ++r) {
        const String key = LowerCase(Trim(pgrid->Cells(0, r)));
        const String value = Trim(pgrid->Cells(1, r));
        if (value.empty()) continue;
        for (const auto& [fieldKey, field] : fields) {
            if (fieldKey != key) continue;
            field->SetText(value);
            break;
        }
    }
}

void TForm1::ebutClick(TObject*) {
    exp->InitialDir = ProfilesFolder();
    if (!exp->Execute()) return;
    const String templateFile = BesideProgram(STemplate);
    PrepareGrid(pgrid);
    try {
        pgrid->LoadCellsFromFile(templateFile);
    } catch (const std::exception&) {
        // Once more before giving up.
        PrepareGrid(pgrid);
        try {
            pgrid->LoadCellsFromFile(templateFile);
        } catch (const Exception& e) {
            Application->ShowException(e);
            return;
        }
    }
    // A template that lists only keys still gets a value column.
    if (pgrid->ColCount() < 2) pgrid->SetColCount(2);
    const auto fields = ProfileFields(this);
    for (int r = 0; r < pgrid->RowCount(); ++r) {
        const String key = Trim(LowerCase(pgrid->Cells(0, r)));
        if (key.empty()) continue;
        for (const auto& [fieldKey, field] : fields)
            if (fieldKey == key) pgrid->SetCells(1, r, Trim(field->Text()));
    }
    try {
        pgrid->SaveCellsToFile(exp->FileName);
    } catch (const std::exception&) {
        MessageDlg(SSaveError, mtError, mbOK, 0);
        return;
    }
    MessageDlg(SSaved + exp->FileName, mtInformation, mbOK, 0);
}
