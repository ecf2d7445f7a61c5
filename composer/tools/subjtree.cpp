#include "composer/tools/subjtree.h"
#include "composer/windows/WindowParts.h"

#include "composer/engine/ComposerSettings.h"
#include "composer/engine/PageSelection.h"
#include "composer/tools/stm.h"
#include "composer/windows/Form1.h"
#include "composer/windows/ToolGlyph.h"
#include "framework/classes/Strings.h"
#include "framework/controls/Application.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edit.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/TreeNodes.h"
#include "framework/controls/TreeView.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

using namespace SubjectSelectorTexts;

namespace {

String ListsFolder() { return BesideProgram("lists"); }

}  // namespace

Tsubjtree::Tsubjtree(TComponent* owner) : TForm(owner) {
    SetName("subjtree");
    HelpContext = HelpContextSubjectSelector;  // F1 opens the window's topic
    SetCaption(SCaption);
    SetBorderStyle(bsSingle);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetPosition(poScreenCenter);
    SetClientWidth(285);
    SetClientHeight(297);
    if (Form1) SubjectField = Form1->Edit15;

    Panel1 = new TPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetParent(this);
    Panel1->SetCaption("");
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetBounds(0, 0, 285, 30);
    Panel1->SetAlign(alTop);
    Edit1 = new TEdit(this);
    Edit1->SetName("Edit1");
    Edit1->SetParent(Panel1);
    Edit1->SetBounds(4, 4, 277, 22);

    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetCaption(SVocabulary);
    GroupBox1->SetBounds(0, 30, 285, 50);
    GroupBox1->SetAlign(alTop);
    ComboBox1 = new TComboBox(this);
    ComboBox1->SetName("ComboBox1");
    ComboBox1->SetParent(GroupBox1);
    ComboBox1->SetBounds(8, 18, 269, 22);
    ComboBox1->SetAnchors(akLeft | akTop | akRight);

    TbToolbar1 = new TTbToolbar(this);
    TbToolbar1->SetName("TbToolbar1");
    TbToolbar1->SetParent(this);
    TbToolbar1->SetBounds(0, 253, 285, 44);
    TbToolbar1->SetAlign(alBottom);
    TbToolbar1->SetRowHeight(44);
    TbToolbarButton2 =
        ToolButton(this, TbToolbar1, "TbToolbarButton2", "Add", "Add to existing value", "list-add", 54);
    rep = ToolButton(this, TbToolbar1, "rep", "Replace", "Replace current value with new value",
                     "edit-find-replace", 54);
    TbToolbarButton1 = ToolButton(this, TbToolbar1, "TbToolbarButton1", "Close", "Close", "window-close", 54);
    TbToolbarButton3 = ToolButton(this, TbToolbar1, "TbToolbarButton3", "Exit", "Exit", "application-exit", 54);
    TbToolbarButton4 = ToolButton(this, TbToolbar1, "TbToolbarButton4", "Help", "Help", "help-contents", 54);

    TreeView1 = new TTreeView(this);
    TreeView1->SetName("TreeView1");
    TreeView1->SetParent(this);
    TreeView1->SetAlign(alClient);
    TreeView1->SetReadOnly(true);
    TreeView1->HideSelection = false;

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    Panel1->OnResize = [this](TObject* s) { Panel1Resize(s); };
    ComboBox1->OnChange = [this](TObject* s) { ComboBox1Change(s); };
    TreeView1->OnDblClick = [this](TObject* s) { TreeView1DblClick(s); };
    TbToolbarButton2->OnClick = [this](TObject* s) { TbToolbarButton2Click(s); };
    rep->OnClick = [this](TObject* s) { repClick(s); };
    TbToolbarButton1->OnClick = [this](TObject* s) { TbToolbarButton1Click(s); };
    TbToolbarButton3->OnClick = [this](TObject* s) { TbToolbarButton3Click(s); };
    TbToolbarButton4->OnClick = [this](TObject* s) { TbToolbarButton4Click(s); };
}

void Tsubjtree::FormCreate(TObject*) {
    PathSeparator = ":";
    TreeView1->Items()->Clear();
    ComboBox1->Items()->Clear();
    TPageSelection::ListFiles(ListsFolder(), SExtension, ComboBox1->Items(), ShowKindMessage);
    ComboBox1->SetText(ComposerSettings.vocab);
    LoadVocabulary(ComboBox1->Text());
}

void Tsubjtree::LoadVocabulary(const String& name) {
    TreeView1->Items()->Clear();
    // No vocabulary chosen yet is not an error: the tree is just empty.
    if (name.empty()) return;
    if (NamesAFolder(name)) {
        MessageDlg(SBadVocabularyName, mtError, mbOK, 0);
        return;
    }
    const String path = PathJoin(ListsFolder(), name + "." + SExtension);
    const String found = FindPathNoCase(path);
    try {
        TreeView1->LoadFromFile(found.empty() ? path : found);
    } catch (const Exception& e) {
        Application->ShowException(e);
    }
}

void Tsubjtree::FormClose(TObject*, TCloseAction&) { ComposerSettings.vocab = ComboBox1->Text(); }

void Tsubjtree::Panel1Resize(TObject*) { Edit1->SetWidth(Panel1->Width() - 2 * Edit1->Left()); }

void Tsubjtree::ComboBox1Change(TObject*) { LoadVocabulary(ComboBox1->Text()); }

void Tsubjtree::TreeView1DblClick(TObject*) {
    Edit1->SetText(Tstm::SubjectPath(TreeView1->Selected(), PathSeparator));
}

void Tsubjtree::TbToolbarButton2Click(TObject*) {
    if (!SubjectField) return;
    const String subject = Edit1->Text();
    // An empty path would only leave a stray separator in the field.
    if (subject.empty()) return;
    const String old = SubjectField->Text();
    SubjectField->SetText(old.empty() ? subject : old + SSubjectSeparator + subject);
}

void Tsubjtree::repClick(TObject*) {
    if (SubjectField) SubjectField->SetText(Edit1->Text());
    Close();
}

void Tsubjtree::TbToolbarButton1Click(TObject*) { Close(); }

void Tsubjtree::TbToolbarButton3Click(TObject*) {
    ComposerSettings.vocab = ComboBox1->Text();
    Close();
}

void Tsubjtree::TbToolbarButton4Click(TObject*) { Application->HelpContext(HelpContextSubjectSelector); }
