#pragma once
// The Custom Field Editor: the field definition file (.sbf) of a schema,
// one custom field per row with its name, editor type and an Edit cell
// that opens the field's value list in the Custom Field Data Editor.
#include "framework/controls/Form.h"
#include "gridkit/grid/GkTypes.h"

class TGkColumnGrid;
class TMainMenu;
class TMenuItem;
class TOpenDialog;
class TSaveDialog;
class TSrchFrm2;
class TTbToolbar;
class TTbToolbarButton;

class TSbld : public TForm {
public:
    explicit TSbld(TComponent* owner);
    ~TSbld() override;
    String ClassName() const override { return "TSbld"; }

    TTbToolbar* TbToolbar1;
    TTbToolbarButton* BtnNew;
    TTbToolbarButton* BtnOpen;
    TTbToolbarButton* BtnSave;
    TTbToolbarButton* BtnDelete;
    TTbToolbarButton* BtnAdd;
    TTbToolbarButton* BtnExit;
    TTbToolbarButton* BtnHelp;
    TGkColumnGrid* cgrid;
    TOpenDialog* opens;
    TSaveDialog* sschema;

    TMainMenu* MainMenu1;
    TMenuItem* File1;
    TMenuItem* New1;
    TMenuItem* Open1;
    TMenuItem* Save1;
    TMenuItem* SaveAs1;
    TMenuItem* N1;
    TMenuItem* Exit1;
    TMenuItem* Help1;
    TMenuItem* BuildingSchemas1;
    TMenuItem* N2;
    TMenuItem* About1;

    void BtnNewClick(TObject* Sender);
    void BtnOpenClick(TObject* Sender);
    void BtnSaveClick(TObject* Sender);
    void SaveAs1Click(TObject* Sender);
    void BtnDeleteClick(TObject* Sender);
    void BtnAddClick(TObject* Sender);
    void BtnExitClick(TObject* Sender);
    void BtnHelpClick(TObject* Sender);
    void About1Click(TObject* Sender);
    void cgridClick(TObject* Sender);

    // The file being edited: the open dialog's file name, empty for none.
    const String& CurrentFile() const;
    // The value list file of field `name`: "data" beside the program,
    // the name, ".dat".
    static String ValueListPath(const String& name);
    // The data editor an Edit click fills and shows: the program's own, or
    // one of this window's when the program made none.
    TSrchFrm2* DataEditor();

private:
    TSrchFrm2* FDataEditor = nullptr;
};

// The custom field editor of the running program.
extern TSbld* Sbld;

namespace FieldEditorTexts {
inline constexpr const char* SFilter = "Schema File|*.sbf|All Files|*.*";
inline constexpr const char* SOpenTitle = "Open Schema";
inline constexpr const char* SSaveTitle = "Save As";
inline constexpr const char* SNewFile = "schemas/new.sbf";
inline constexpr const char* SNameHeader = "Name";
inline constexpr const char* STypeHeader = "Type";
inline constexpr const char* SEditHeader = "Edit";
inline constexpr const char* SNoFile = "You must open a file or create a new file to save a file";
inline constexpr const char* SSaved = " Saved Successfully";
inline constexpr const char* SSaveError = "Error Saving Schema File";
inline constexpr const char* SSaveAsError = " Error Saving File";
inline constexpr const char* SOpenError = "Error Opening Schema File";
inline constexpr const char* SAbout = "Velmor Custom Field Editor\r\nVersion 4.0";
inline constexpr int NameLength = 30;
inline constexpr int EditColumn = 2;
inline constexpr int HelpContextFieldEditor = 911;
}  // namespace FieldEditorTexts
