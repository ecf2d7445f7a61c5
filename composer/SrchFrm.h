#pragma once
// The List Editor: one lookup list file of the lists folder (the values
// the Web Page Options step offers) edited as plain text, one value per
// line.
#include "framework/controls/Form.h"

class TComboBox;
class TMemo;
class TTbMemo;
class TTbToolbar;
class TTbToolbarButton;

class TSrchFrm : public TForm {
public:
    explicit TSrchFrm(TComponent* owner);
    String ClassName() const override { return "TSrchFrm"; }

    TTbToolbar* TbToolbar1;
    TComboBox* ComboBox1;  // the list choice
    TTbToolbarButton* ct;
    TTbToolbarButton* cp;
    TTbToolbarButton* pt;
    TTbToolbarButton* TbToolbarButton4;  // "Save"
    TTbToolbarButton* TbToolbarButton5;  // "Exit"
    TTbToolbarButton* TbToolbarButton6;  // "Help"
    TTbMemo* terms1;

    // The list file being edited; "N" while no list is chosen.
    String CurrentPath = "N";

    void FormCreate(TObject* Sender);
    void ComboBox1Change(TObject* Sender);
    void TbToolbarButton1Click(TObject* Sender);
    void TbToolbarButton2Click(TObject* Sender);
    void TbToolbarButton3Click(TObject* Sender);
    void ctClick(TObject* Sender);
    void cpClick(TObject* Sender);
    void ptClick(TObject* Sender);

    // The file of the list named `name` in the lists folder, found
    // whatever its letter case.
    static String ListPath(const String& name);
};

namespace ListEditorTexts {
inline constexpr const char* SCaption = "List Editor";
inline constexpr const char* SSelectList = "Select List";
inline constexpr const char* SLoadError = "Error loading list";
inline constexpr const char* SNoFile = "There is no file selected";
inline constexpr const char* SSaved = " Saved Successfully";
inline constexpr const char* SSaveError = "An Error Occurred Loading Saving: ";
inline constexpr int HelpContextListEditor = 1200;
}  // namespace ListEditorTexts

// Saves the text of a list editor (the List Editor, the value-list editor)
// to path and says how it went; "N" is no file yet, and a path outside the
// editor's own folder is never written.
void SaveEditedList(TMemo* memo, const String& path, bool inItsFolder);
