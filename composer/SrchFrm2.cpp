#include "composer/SrchFrm2.h"

#include "composer/SrchFrm.h"

#include <exception>

#include "composer/ToolGlyph.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edit.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "toolbars/TbMemo.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

using namespace DataEditorTexts;

TSrchFrm2* SrchFrm2 = nullptr;

namespace {

// A value list lies directly in the data folder: a field name holding a
// path (a separator, "..") forms no file name there and is not written.
bool InDataFolder(const String& path) {
    return ExtractFileDir(NormalizePath(path)) == ExcludeTrailingPathDelimiter(TSrchFrm2::DataFolder());
}

}  // namespace

TSrchFrm2::TSrchFrm2(TComponent* owner) : TForm(owner) {
    if (!SrchFrm2) SrchFrm2 = this;
    SetName("SrchFrm2");
    HelpContext = HelpContextDataEditor;  // F1 opens the window's topic
    SetCaption("Custom Field Data Editor");
    SetBounds(0, 0, 458, 362);
    SetPosition(poScreenCenter);

    TbToolbar1 = WindowToolbar(this, this, "TbToolbar1", alTop);
    ComboBox1 = new TEdit(this);
    ComboBox1->SetName("ComboBox1");
    ComboBox1->SetParent(TbToolbar1);
    ComboBox1->SetBounds(0, 0, 237, 22);
    ComboBox1->SetReadOnly(true);
    ct = ToolButton(this, TbToolbar1, "ct", "Cut", nullptr, "edit-cut", 34);
    cp = ToolButton(this, TbToolbar1, "cp", "Copy", nullptr, "edit-copy", 34);
    pt = ToolButton(this, TbToolbar1, "pt", "Paste", nullptr, "edit-paste", 34);
    TbToolbarButton4 = ToolButton(this, TbToolbar1, "TbToolbarButton4", "Save", nullptr, "document-save", 34);
    TbToolbarButton5 = ToolButton(this, TbToolbar1, "TbToolbarButton5", "Exit", nullptr, "application-exit", 34);
    TbToolbarButton6 = ToolButton(this, TbToolbar1, "TbToolbarButton6", "Help", nullptr, "help-contents", 34);

    terms1 = new TTbMemo(this);
    terms1->SetName("terms1");
    terms1->SetParent(this);
    terms1->SetAlign(alClient);
    terms1->SetScrollBars(ssBoth);
    terms1->SetWordWrap(false);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    ct->OnClick = [this](TObject* s) { ctClick(s); };
    cp->OnClick = [this](TObject* s) { cpClick(s); };
    pt->OnClick = [this](TObject* s) { ptClick(s); };
    TbToolbarButton4->OnClick = [this](TObject* s) { TbToolbarButton1Click(s); };
    TbToolbarButton5->OnClick = [this](TObject* s) { TbToolbarButton2Click(s); };
    TbToolbarButton6->OnClick = [this](TObject* s) { TbToolbarButton3Click(s); };
}

TSrchFrm2::~TSrchFrm2() {
    if (SrchFrm2 == this) SrchFrm2 = nullptr;
}

String TSrchFrm2::DataFolder() {
    const String path = PathJoin(ProgramFolder(), "data");
    const String found = FindPathNoCase(path);
    return IncludeTrailingPathDelimiter(found.empty() ? path : found);
}

void TSrchFrm2::FormCreate(TObject*) { CurrentPath = "N"; }

void TSrchFrm2::FormShow(TObject*) { CurrentPath = ComboBox1->Text(); }

void TSrchFrm2::TbToolbarButton1Click(TObject*) { SaveEditedList(terms1, CurrentPath, InDataFolder(CurrentPath)); }

void TSrchFrm2::TbToolbarButton2Click(TObject*) { Close(); }

void TSrchFrm2::TbToolbarButton3Click(TObject*) { Application->HelpContext(HelpContextDataEditor); }

void TSrchFrm2::ctClick(TObject*) { terms1->CutToClipboard(); }
void TSrchFrm2::cpClick(TObject*) { terms1->CopyToClipboard(); }
void TSrchFrm2::ptClick(TObject*) { terms1->PasteFromClipboard(); }
