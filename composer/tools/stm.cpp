#include "composer/tools/stm.h"
#include "composer/windows/WindowParts.h"

#include <exception>

#include "composer/windows/ToolGlyph.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/SaveDialog.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/TreeNode.h"
#include "framework/controls/TreeNodes.h"
#include "framework/controls/TreeView.h"
#include "framework/messages/Messages.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "toolbars/TbSplitter.h"
#include "toolbars/TbSplitterPane.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

using namespace SubjectTreeTexts;

Tstm* stm = nullptr;

namespace {

String ListsFolder() { return BesideProgram("lists"); }

// A node's text as its line of the file. The reader counts each blank and
// TAB at the start of a line as a level and ends a node at every line
// break, so a text that starts with blanks or holds a break (typed or
// pasted) would come back at another level or as other nodes, or stop the
// reading with the rest of the tree unread. Line breaks become blanks and
// the text starts at its first character that is neither: the leading
// blanks are lost, as the format loses them anyway, and every node keeps
// its place.
String NodeLine(const String& text) {
    String line;
    line.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            if (!line.empty()) line += ' ';
        } else if (!line.empty() || (text[i] != ' ' && text[i] != '\t')) {
            line += text[i];
        }
    }
    return line;
}

constexpr const char* SHowTo =
    "Working with subject trees\r\n\r\n"
    "Add: \"Item\" adds a subject beside the selected one, \"Sub Item\" adds one below it. "
    "Type the subject's name and press Enter.\r\n\r\n"
    "Delete: select a subject and press Delete or click \"Delete\"; the subjects below it go "
    "with it.\r\n\r\n"
    "Rename: select a subject and click \"Rename\" (or press F2).\r\n\r\n"
    "Sort: Special, Autosort Tree keeps every branch in alphabetical order.\r\n\r\n"
    "Expand: click the sign before a subject to open or close its branch.\r\n\r\n"
    "Save the tree as a KDTF file in the lists folder to offer it in the Subject Selector.";

}  // namespace

Tstm::Tstm(TComponent* owner) : TForm(owner) {
    if (!stm) stm = this;
    SetName("stm");
    HelpContext = HelpContextTreeManager;  // F1 opens the window's topic
    SetCaption(SDefaultTitle);
    SetBounds(0, 0, 568, 382);
    SetPosition(poScreenCenter);

    TbToolbar1 = WindowToolbar(this, this, "TbToolbar1", alTop);
    TbToolbarButton1 = ToolButton(this, TbToolbar1, "TbToolbarButton1", "New", "New", "document-new", 56);
    TbToolbarButton2 = ToolButton(this, TbToolbar1, "TbToolbarButton2", "Open", "Open ", "document-open", 56);
    save2 = ToolButton(this, TbToolbar1, "save2", "Save", "Save", "document-save", 56);
    TbToolbarButton4 = ToolButton(this, TbToolbar1, "TbToolbarButton4", "Item", "Add Item", "list-add", 56);
    TbToolbarButton5 =
        ToolButton(this, TbToolbar1, "TbToolbarButton5", "Sub Item", "Add Sub Item", "format-justify-left", 56);
    TbToolbarButton6 =
        ToolButton(this, TbToolbar1, "TbToolbarButton6", "Delete", "Delete Selected Item", "edit-delete", 56);
    TbToolbarButton7 = ToolButton(this, TbToolbar1, "TbToolbarButton7", "Rename", "Rename Selected Item",
                                  "accessories-text-editor", 56);
    TbToolbarButton8 = ToolButton(this, TbToolbar1, "TbToolbarButton8", "Exit", "Exit the Subject Tree Manager",
                                  "application-exit", 56);
    TbToolbarButton9 = ToolButton(this, TbToolbar1, "TbToolbarButton9", "Help", "Help", "help-contents", 56);

    StatusBar1 = new TStatusBar(this);
    StatusBar1->SetName("StatusBar1");
    StatusBar1->SetParent(this);
    StatusBar1->SetAlign(alBottom);
    StatusBar1->SetSimplePanel(true);

    TbSplitter1 = new TTbSplitter(this);
    TbSplitter1->SetName("TbSplitter1");
    TbSplitter1->SetParent(this);
    TbSplitter1->SetAlign(alClient);
    TbSplitter1->SetUsePercent(true);
    TbSplitter1->SetPercent(80);

    TreeView1 = new TTreeView(this);
    TreeView1->SetName("TreeView1");
    TreeView1->SetParent(TbSplitter1->UpperLeftPane());
    TreeView1->SetAlign(alClient);
    TreeView1->HideSelection = false;

    Memo1 = new TMemo(this);
    Memo1->SetName("Memo1");
    Memo1->SetParent(TbSplitter1->LowerRightPane());
    Memo1->SetAlign(alClient);
    Memo1->SetReadOnly(true);
    Memo1->SetColor(clInfoBk);
    Memo1->SetScrollBars(ssVertical);
    Memo1->SetText(SHowTo);

    OpenTreeView1 = new TOpenDialog(this);
    OpenTreeView1->SetName("OpenTreeView1");
    OpenTreeView1->Title = SOpenTitle;
    OpenTreeView1->DefaultExt = SExtension;
    OpenTreeView1->Filter = SFilter;
    OpenTreeView1->FileName = "*.KDTF";
    SaveAsTreeView1 = new TSaveDialog(this);
    SaveAsTreeView1->SetName("SaveAsTreeView1");
    SaveAsTreeView1->Title = SSaveTitle;
    SaveAsTreeView1->DefaultExt = SExtension;
    SaveAsTreeView1->Filter = SFilter;
    SaveAsTreeView1->Options = SaveAsTreeView1->Options | ofOverwritePrompt;

    MainMenu1 = new TMainMenu(this);
    MainMenu1->SetName("MainMenu1");
    TMenuItem* root = MainMenu1->Items();
    File1 = MenuItem(this, root, "File1", "&File");
    New1 = MenuItem(this, File1, "New1", "&New");
    Open1 = MenuItem(this, File1, "Open1", "&Open ...");
    Save1 = MenuItem(this, File1, "Save1", "&Save");
    SaveAs1 = MenuItem(this, File1, "SaveAs1", "Save &As ...");
    N1 = MenuItem(this, File1, "N1", "-");
    Exit1 = MenuItem(this, File1, "Exit1", "E&xit");
    Edit1 = MenuItem(this, root, "Edit1", "&Edit");
    AddItem1 = MenuItem(this, Edit1, "AddItem1", "&New Item");
    AddItem1->SetShortCut(ShortCut('N', ssCtrl));
    AddSubitem1 = MenuItem(this, Edit1, "AddSubitem1", "New &Subitem");
    AddSubitem1->SetShortCut(ShortCut('S', ssCtrl));
    Delete1 = MenuItem(this, Edit1, "Delete1", "Delete Item");
    Rename2 = MenuItem(this, Edit1, "Rename2", "&Rename");
    Rename2->SetShortCut(ShortCut('R', ssCtrl));
    Special1 = MenuItem(this, root, "Special1", "&Special");
    Sorted1 = MenuItem(this, Special1, "Sorted1", "&Autosort Tree");
    Showfulldescription1 = MenuItem(this, Special1, "Showfulldescription1", "&Full Description");
    Showfulldescription1->SetChecked(true);
    Help1 = MenuItem(this, root, "Help1", "&Help");
    UsingtheTreeManager1 = MenuItem(this, Help1, "UsingtheTreeManager1", "Using the Tree Manager");
    About1 = MenuItem(this, Help1, "About1", "&About");

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    AddItem2 = MenuItem(this, PopupMenu1->Items(), "AddItem2", "&Add Item");
    AddSubitem2 = MenuItem(this, PopupMenu1->Items(), "AddSubitem2", "Add &Subitem");
    Delete2 = MenuItem(this, PopupMenu1->Items(), "Delete2", "&Delete");
    Rename1 = MenuItem(this, PopupMenu1->Items(), "Rename1", "&Rename");
    TreeView1->SetPopupMenu(PopupMenu1);

    save2->SetEnabled(false);
    Save1->SetEnabled(false);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    TbToolbarButton1->OnClick = [this](TObject* s) { New1Click(s); };
    New1->OnClick = [this](TObject* s) { New1Click(s); };
    TbToolbarButton2->OnClick = [this](TObject* s) { Open1Click(s); };
    Open1->OnClick = [this](TObject* s) { Open1Click(s); };
    save2->OnClick = [this](TObject* s) { Save1Click(s); };
    Save1->OnClick = [this](TObject* s) { Save1Click(s); };
    SaveAs1->OnClick = [this](TObject* s) { SaveAs1Click(s); };
    TbToolbarButton8->OnClick = [this](TObject* s) { Exit1Click(s); };
    Exit1->OnClick = [this](TObject* s) { Exit1Click(s); };
    for (TMenuItem* m : {AddItem1, AddItem2}) m->OnClick = [this](TObject* s) { AddItem1Click(s); };
    TbToolbarButton4->OnClick = [this](TObject* s) { AddItem1Click(s); };
    for (TMenuItem* m : {AddSubitem1, AddSubitem2}) m->OnClick = [this](TObject* s) { AddSubitem1Click(s); };
    TbToolbarButton5->OnClick = [this](TObject* s) { AddSubitem1Click(s); };
    for (TMenuItem* m : {Delete1, Delete2}) m->OnClick = [this](TObject* s) { Delete1Click(s); };
    TbToolbarButton6->OnClick = [this](TObject* s) { Delete1Click(s); };
    // The pop-up's Rename does what its caption says.
    for (TMenuItem* m : {Rename2, Rename1}) m->OnClick = [this](TObject* s) { Rename2Click(s); };
    TbToolbarButton7->OnClick = [this](TObject* s) { Rename2Click(s); };
    Sorted1->OnClick = [this](TObject* s) { Sorted1Click(s); };
    Showfulldescription1->OnClick = [this](TObject* s) { Showfulldescription1Click(s); };
    TbToolbarButton9->OnClick = [this](TObject* s) { TbToolbarButton9Click(s); };
    UsingtheTreeManager1->OnClick = [this](TObject* s) { UsingtheTreeManager1Click(s); };
    About1->OnClick = [this](TObject* s) { About1Click(s); };
    TreeView1->OnChange = [this](TObject* s, TTreeNode* n) { TreeView1Change(s, n); };
    TreeView1->OnClick = [this](TObject* s) { TreeView1Click(s); };
    TreeView1->OnEdited = [this](TObject* s, TTreeNode* n, String& t) { TreeView1Edited(s, n, t); };
    TreeView1->OnKeyUp = [this](TObject* s, Word& k, TShiftState sh) { TreeView1KeyUp(s, k, sh); };
}

Tstm::~Tstm() {
    if (stm == this) stm = nullptr;
}

bool Tstm::Changed() const { return Save1->Enabled(); }

void Tstm::SetChanged(bool changed) {
    Save1->SetEnabled(changed);
    save2->SetEnabled(changed);
}

const String& Tstm::CurrentFile() const { return OpenTreeView1->FileName; }

String Tstm::SubjectPath(const TTreeNode* node, const String& separator) {
    String path;
    for (const TTreeNode* n = node; n; n = n->Parent()) path = n == node ? n->Text() : n->Text() + separator + path;
    return path;
}

void Tstm::FormCreate(TObject*) { DefaultTitle = Caption(); }

void Tstm::FormShow(TObject*) {
    if (FShown) return;
    FShown = true;
    New1Click(this);
}

void Tstm::FormClose(TObject*, TCloseAction& Action) {
    if (!AskToSave()) Action = caNone;
}

bool Tstm::AskToSave() {
    if (!Changed()) return true;
    switch (MessageDlg(SSaveChanges, mtConfirmation, mbYes | mbNo | mbCancel, 0)) {
    case mrYes:
        // The user asked for the changes to be kept: a save that did not
        // happen (its name dialog cancelled, the file not written) must not
        // let the command throw them away.
        return SaveTree();
    case mrNo: return true;
    default: return false;
    }
}

bool Tstm::WriteTree(const String& fileName) {
    // The tree view's own writer puts each text down as it is.
    TStringList lines;
    for (TTreeNode* n = TreeView1->Items()->GetFirstNode(); n; n = n->GetNext())
        lines.Add(String(static_cast<size_t>(n->Level()), '\t') + NodeLine(n->Text()));
    try {
        lines.SaveToFile(fileName);
    } catch (const EFCreateError& e) {
        Application->ShowException(e);
        return false;
    } catch (const std::exception&) {
        MessageDlg(SNotSaved, mtInformation, mbOK, 0);
        return false;
    }
    return true;
}

bool Tstm::SaveTree() {
    const String file = OpenTreeView1->FileName;
    SaveAsTreeView1->FileName = file;
    if (file.empty()) return SaveTreeAs();
    if (!WriteTree(file)) return false;
    SetCaption(ExpandFileName(file));
    SetChanged(false);
    return true;
}

bool Tstm::SaveTreeAs() {
    if (!SaveAsTreeView1->Execute()) return false;
    const String file = SaveAsTreeView1->FileName;
    if (!WriteTree(file)) return false;
    OpenTreeView1->FileName = file;
    SetCaption(file.empty() ? DefaultTitle : ExpandFileName(file));
    SetChanged(false);
    return true;
}

void Tstm::New1Click(TObject*) {
    if (!AskToSave()) return;
    TreeView1->Items()->Clear();
    OpenTreeView1->FileName.clear();
    SaveAsTreeView1->FileName.clear();
    TTreeNode* node = TreeView1->Items()->Add(nullptr, "");
    TreeView1->SetSelected(node);
    node->EditText();
    SetCaption(DefaultTitle);
    SetChanged(false);
}

void Tstm::Open1Click(TObject*) {
    OpenTreeView1->InitialDir = ListsFolder();
    if (!AskToSave()) return;
    const String previous = OpenTreeView1->FileName;
    if (OpenTreeView1->Execute()) {
        const String file = OpenTreeView1->FileName;
        if (FileExists(file)) {
            TreeView1->Items()->Clear();
            SaveAsTreeView1->FileName = file;
            try {
                TreeView1->LoadFromFile(file);
            } catch (const Exception& e) {
                Application->ShowException(e);
                // The tree holds only part of the file: saving it under the
                // file's name would cut the rest off, so it belongs to no
                // file and a save asks for a name.
                OpenTreeView1->FileName.clear();
                SaveAsTreeView1->FileName.clear();
            }
        } else if (MessageDlg(file + SCreateIt, mtWarning, mbYes | mbNo, 0) == mrYes) {
            TreeView1->Items()->Clear();
            SaveAsTreeView1->FileName = file;
        } else {
            // The tree stays, and so does the file it came from.
            OpenTreeView1->FileName = previous;
        }
    }
    const String file = OpenTreeView1->FileName;
    SetCaption(file.empty() ? DefaultTitle : ExpandFileName(file));
    SetChanged(false);
}

void Tstm::Save1Click(TObject*) { SaveTree(); }

void Tstm::SaveAs1Click(TObject*) { SaveTreeAs(); }

void Tstm::Exit1Click(TObject*) { Close(); }

void Tstm::AddItem1Click(TObject*) {
    TTreeNode* node = TreeView1->Items()->Add(TreeView1->Selected(), "");
    TreeView1->SetSelected(node);
    node->EditText();
    SetChanged(true);
}

void Tstm::AddSubitem1Click(TObject*) {
    TTreeNode* parent = TreeView1->Selected();
    TTreeNode* node = parent ? TreeView1->Items()->AddChild(parent, "") : TreeView1->Items()->Add(nullptr, "");
    if (parent) parent->Expand(false);
    TreeView1->SetSelected(node);
    node->EditText();
    SetChanged(true);
}

void Tstm::Delete1Click(TObject*) {
    TTreeNode* node = TreeView1->Selected();
    if (!node) return;
    node->Delete();
    SetChanged(true);
}

void Tstm::Rename2Click(TObject*) {
    TTreeNode* node = TreeView1->Selected();
    if (!node) return;
    node->EditText();
    SetChanged(true);
}

void Tstm::Sorted1Click(TObject*) {
    Sorted1->SetChecked(!Sorted1->Checked());
    TreeView1->SetSortType(Sorted1->Checked() ? stText : stNone);
}

void Tstm::Showfulldescription1Click(TObject*) {
    Showfulldescription1->SetChecked(!Showfulldescription1->Checked());
    TreeView1Change(TreeView1, TreeView1->Selected());
}

void Tstm::ShowStatus(const TTreeNode* node, const String& text) {
    if (!node) {
        StatusBar1->SetSimpleText("");
        return;
    }
    if (!Showfulldescription1->Checked()) {
        StatusBar1->SetSimpleText(text);
        return;
    }
    const String above = SubjectPath(node->Parent(), SPathSeparator);
    StatusBar1->SetSimpleText(node->Parent() ? above + SPathSeparator + text : text);
}

void Tstm::TreeView1Change(TObject*, TTreeNode*) {
    const TTreeNode* node = TreeView1->Selected();
    ShowStatus(node, node ? node->Text() : String());
}

void Tstm::TreeView1Click(TObject* Sender) { TreeView1Change(Sender, TreeView1->Selected()); }

void Tstm::TreeView1Edited(TObject*, TTreeNode* Node, String& S) {
    ShowStatus(Node, S);
    SetChanged(true);
}

void Tstm::TreeView1KeyUp(TObject*, Word& Key, TShiftState) {
    if (Key == VK_DELETE && !TreeView1->IsEditing()) Delete1Click(TreeView1);
}

void Tstm::TbToolbarButton9Click(TObject*) { Application->HelpContext(HelpContextTreeManager); }

void Tstm::UsingtheTreeManager1Click(TObject* Sender) { TbToolbarButton9Click(Sender); }

void Tstm::About1Click(TObject*) { MessageDlg(SAbout, mtInformation, mbOK, 0); }
