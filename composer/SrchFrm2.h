#pragma once
// The Custom Field Data Editor: the value list of one drop-down field, the
// lines its cell offers in the main window's custom grid. The custom field
// editor fills it (path and lines) and shows it for each Edit click.
#include "framework/controls/Form.h"

class TEdit;
class TTbMemo;
class TTbToolbar;
class TTbToolbarButton;

class TSrchFrm2 : public TForm {
public:
    explicit TSrchFrm2(TComponent* owner);
    ~TSrchFrm2() override;
    String ClassName() const override { return "TSrchFrm2"; }

    TTbToolbar* TbToolbar1;
    TEdit* ComboBox1;  // the path of the value list; read-only
    TTbToolbarButton* ct;
    TTbToolbarButton* cp;
    TTbToolbarButton* pt;
    TTbToolbarButton* TbToolbarButton4;  // "Save"
    TTbToolbarButton* TbToolbarButton5;  // "Exit"
    TTbToolbarButton* TbToolbarButton6;  // "Help"
    TTbMemo* terms1;

    // The value list being edited; "N" while there is none.
    String CurrentPath = "N";

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void TbToolbarButton1Click(TObject* Sender);
    void TbToolbarButton2Click(TObject* Sender);
    void TbToolbarButton3Click(TObject* Sender);
    void ctClick(TObject* Sender);
    void cpClick(TObject* Sender);
    void ptClick(TObject* Sender);

    // The folder of the value lists: "data" beside the program.
    static String DataFolder();
};

// The data editor of the running program.
extern TSrchFrm2* SrchFrm2;

namespace DataEditorTexts {
inline constexpr const char* SNoFile = "There is no file selected";
inline constexpr const char* SSaved = " Saved Successfully";
inline constexpr const char* SSaveError = "An Error Occurred Loading Saving: ";
inline constexpr int HelpContextDataEditor = 9;
}  // namespace DataEditorTexts
