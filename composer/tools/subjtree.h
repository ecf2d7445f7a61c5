#pragma once
// The Subject Selector: shows one vocabulary's subject tree and puts the
// path of a chosen subject into the main window's subject field.
#include "framework/controls/Form.h"

class TComboBox;
class TEdit;
class TGroupBox;
class TPanel;
class TTbToolbar;
class TTbToolbarButton;
class TTreeView;

class Tsubjtree : public TForm {
public:
    explicit Tsubjtree(TComponent* owner);
    String ClassName() const override { return "Tsubjtree"; }

    TPanel* Panel1;
    TEdit* Edit1;  // the chosen subject's path; the user may edit it
    TGroupBox* GroupBox1;
    TComboBox* ComboBox1;  // the vocabulary
    TTreeView* TreeView1;
    TTbToolbar* TbToolbar1;
    TTbToolbarButton* TbToolbarButton2;  // "Add"
    TTbToolbarButton* rep;               // "Replace"
    TTbToolbarButton* TbToolbarButton1;  // "Close"
    TTbToolbarButton* TbToolbarButton3;  // "Exit"
    TTbToolbarButton* TbToolbarButton4;  // "Help"

    // What joins the subjects of a path.
    String PathSeparator = ":";
    // The field the chosen subjects go into: the main window's subject
    // field when there is a main window.
    TEdit* SubjectField = nullptr;

    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Panel1Resize(TObject* Sender);
    void ComboBox1Change(TObject* Sender);
    void TreeView1DblClick(TObject* Sender);
    void TbToolbarButton2Click(TObject* Sender);
    void repClick(TObject* Sender);
    void TbToolbarButton1Click(TObject* Sender);
    void TbToolbarButton3Click(TObject* Sender);
    void TbToolbarButton4Click(TObject* Sender);

    // Empties the tree and loads the vocabulary `name` of the lists folder
    // into it; a file that cannot be read is reported and the tree keeps
    // what was read.
    void LoadVocabulary(const String& name);
};

namespace SubjectSelectorTexts {
inline constexpr const char* SCaption = "Subject Selector";
inline constexpr const char* SVocabulary = " Vocabulary ";
inline constexpr const char* SExtension = "kdtf";
inline constexpr const char* SBadVocabularyName = "A vocabulary name cannot contain \\, / or ..";
inline constexpr const char* SSubjectSeparator = ",";
inline constexpr int HelpContextSubjectSelector = 2002;
}  // namespace SubjectSelectorTexts
