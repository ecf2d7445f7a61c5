#include "composer/tools/ListEditorForm.h"

#include <exception>

#include "composer/windows/ToolGlyph.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Dialogs.h"
#include "toolbars/TbMemo.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

using namespace ListEditorTexts;

TListEditorForm::TListEditorForm(TComponent* owner, const char* name, const char* caption, int width,
                                 int helpContext)
    : TForm(owner), FHelpContext(helpContext) {
    SetName(name);
    HelpContext = helpContext;  // F1 opens the window's topic
    SetCaption(caption);
    SetBounds(0, 0, width, 362);
    SetPosition(poScreenCenter);
    TbToolbar1 = WindowToolbar(this, this, "TbToolbar1", alTop);
}

void TListEditorForm::AddEditor(int buttonWidth, bool captionHints) {
    auto button = [&](const char* name, const char* caption, const char* icon) {
        return ToolButton(this, TbToolbar1, name, caption, captionHints ? caption : nullptr, icon, buttonWidth);
    };
    ct = button("ct", "Cut", "edit-cut");
    cp = button("cp", "Copy", "edit-copy");
    pt = button("pt", "Paste", "edit-paste");
    TbToolbarButton4 = button("TbToolbarButton4", "Save", "document-save");
    TbToolbarButton5 = button("TbToolbarButton5", "Exit", "application-exit");
    TbToolbarButton6 = button("TbToolbarButton6", "Help", "help-contents");

    terms1 = new TTbMemo(this);
    terms1->SetName("terms1");
    terms1->SetParent(this);
    terms1->SetAlign(alClient);
    terms1->SetScrollBars(ssBoth);
    terms1->SetWordWrap(false);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    ct->OnClick = [this](TObject* s) { ctClick(s); };
    cp->OnClick = [this](TObject* s) { cpClick(s); };
    pt->OnClick = [this](TObject* s) { ptClick(s); };
    TbToolbarButton4->OnClick = [this](TObject* s) { TbToolbarButton1Click(s); };
    TbToolbarButton5->OnClick = [this](TObject* s) { TbToolbarButton2Click(s); };
    TbToolbarButton6->OnClick = [this](TObject* s) { TbToolbarButton3Click(s); };
}

void TListEditorForm::FormCreate(TObject*) { CurrentPath = "N"; }

void TListEditorForm::TbToolbarButton1Click(TObject*) {
    if (CurrentPath == "N") {
        MessageDlg(SNoFile, mtInformation, mbOK, 0);
        return;
    }
    bool saved = false;
    if (InItsFolder(CurrentPath)) {
        try {
            // Every value ends its line, the last one too, as the lists are read.
            TStringList lines;
            lines.Assign(terms1->Lines());
            lines.SaveToFile(CurrentPath);
            saved = true;
        } catch (const std::exception&) {
            // Reported below, with the path the user sees.
        }
    }
    if (!saved) {
        MessageDlg(SSaveError + CurrentPath, mtError, mbOK, 0);
        return;
    }
    MessageDlg(CurrentPath + SSaved, mtInformation, mbOK, 0);
}

void TListEditorForm::TbToolbarButton2Click(TObject*) { Close(); }

void TListEditorForm::TbToolbarButton3Click(TObject*) { Application->HelpContext(FHelpContext); }

void TListEditorForm::ctClick(TObject*) { terms1->CutToClipboard(); }
void TListEditorForm::cpClick(TObject*) { terms1->CopyToClipboard(); }
void TListEditorForm::ptClick(TObject*) { terms1->PasteFromClipboard(); }
