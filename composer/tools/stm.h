#pragma once
// The Subject Tree Manager: creates, edits and saves subject trees, the
// controlled vocabularies (KDTF files in the lists folder) the Subject
// Selector offers.
#include "framework/controls/Form.h"

class TMainMenu;
class TMemo;
class TMenuItem;
class TOpenDialog;
class TPopupMenu;
class TSaveDialog;
class TStatusBar;
class TTbSplitter;
class TTbToolbar;
class TTbToolbarButton;
class TTreeNode;
class TTreeView;

class Tstm : public TForm {
public:
    explicit Tstm(TComponent* owner);
    ~Tstm() override;
    String ClassName() const override { return "Tstm"; }

    TTbToolbar* TbToolbar1;
    TTbToolbarButton* TbToolbarButton1;  // "New"
    TTbToolbarButton* TbToolbarButton2;  // "Open"
    TTbToolbarButton* save2;             // "Save": enabled while the tree has unsaved changes
    TTbToolbarButton* TbToolbarButton4;  // "Item"
    TTbToolbarButton* TbToolbarButton5;  // "Sub Item"
    TTbToolbarButton* TbToolbarButton6;  // "Delete"
    TTbToolbarButton* TbToolbarButton7;  // "Rename"
    TTbToolbarButton* TbToolbarButton8;  // "Exit"
    TTbToolbarButton* TbToolbarButton9;  // "Help"
    TTbSplitter* TbSplitter1;
    TTreeView* TreeView1;
    TMemo* Memo1;  // how to work with the tree
    TStatusBar* StatusBar1;
    TOpenDialog* OpenTreeView1;
    TSaveDialog* SaveAsTreeView1;

    TMainMenu* MainMenu1;
    TMenuItem* File1;
    TMenuItem* New1;
    TMenuItem* Open1;
    TMenuItem* Save1;
    TMenuItem* SaveAs1;
    TMenuItem* N1;
    TMenuItem* Exit1;
    TMenuItem* Edit1;
    TMenuItem* AddItem1;
    TMenuItem* AddSubitem1;
    TMenuItem* Delete1;
    TMenuItem* Rename2;
    TMenuItem* Special1;
    TMenuItem* Sorted1;
    TMenuItem* Showfulldescription1;
    TMenuItem* Help1;
    TMenuItem* UsingtheTreeManager1;
    TMenuItem* About1;
    TPopupMenu* PopupMenu1;
    TMenuItem* AddItem2;
    TMenuItem* AddSubitem2;
    TMenuItem* Delete2;
    TMenuItem* Rename1;

    // The caption the window had when it was made: the title while no
    // file is current.
    String DefaultTitle;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void New1Click(TObject* Sender);
    void Open1Click(TObject* Sender);
    void Save1Click(TObject* Sender);
    void SaveAs1Click(TObject* Sender);
    void Exit1Click(TObject* Sender);
    void AddItem1Click(TObject* Sender);
    void AddSubitem1Click(TObject* Sender);
    void Delete1Click(TObject* Sender);
    void Rename2Click(TObject* Sender);
    void Sorted1Click(TObject* Sender);
    void Showfulldescription1Click(TObject* Sender);
    void TbToolbarButton9Click(TObject* Sender);
    void UsingtheTreeManager1Click(TObject* Sender);
    void About1Click(TObject* Sender);
    void TreeView1Change(TObject* Sender, TTreeNode* Node);
    void TreeView1Click(TObject* Sender);
    void TreeView1Edited(TObject* Sender, TTreeNode* Node, String& S);
    void TreeView1KeyUp(TObject* Sender, Word& Key, TShiftState Shift);

    // The tree has changes that are not saved: the Save command is enabled.
    bool Changed() const;
    void SetChanged(bool changed);
    // The file the tree belongs to: the open dialog's file name.
    const String& CurrentFile() const;

    // "Save changes made to the tree?" when the tree has unsaved changes.
    // True when the command that asked may go on: the changes were saved,
    // or the user chose not to save them.
    bool AskToSave();
    // Save and Save As; true when the tree was written.
    bool SaveTree();
    bool SaveTreeAs();

    // The texts from a root down to `node`, joined by `separator`.
    static String SubjectPath(const TTreeNode* node, const String& separator);

private:
    bool WriteTree(const String& fileName);
    void ShowStatus(const TTreeNode* node, const String& text);
    bool FShown = false;
};

// The subject tree manager of the running program.
extern Tstm* stm;

namespace SubjectTreeTexts {
inline constexpr const char* SFilter = "VREK Tree file|*.KDTF|All|*.*";
inline constexpr const char* SExtension = "KDTF";
inline constexpr const char* SOpenTitle = "Open Tree file";
inline constexpr const char* SSaveTitle = "Save Tree file as";
inline constexpr const char* SDefaultTitle = "Subject Tree Manager";
inline constexpr const char* SSaveChanges = "Save changes made to the tree?";
inline constexpr const char* SCreateIt = " does not exist. Create it?";
inline constexpr const char* SNotSaved =
    "There was an error while saving your changes. The file was not saved.";
inline constexpr const char* SAbout = "Velmor Subject Tree Manager\r\nVersion 4.0";
inline constexpr const char* SPathSeparator = "/";
inline constexpr int HelpContextTreeManager = 2001;
}  // namespace SubjectTreeTexts
