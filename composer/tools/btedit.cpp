#include "composer/tools/btedit.h"
#include "composer/windows/WindowParts.h"

#include "composer/windows/ToolGlyph.h"
#include "framework/controls/Menus.h"
#include "framework/controls/RichEdit.h"
#include "framework/rtl/StrUtils.h"
#include "spell/engine/SpellChecker.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

using namespace BulletinEditorTexts;


Tbtedit::Tbtedit(TComponent* owner) : TForm(owner) {
    SetName("btedit");
    SetCaption(SCaption);
    SetBounds(0, 0, 480, 300);
    SetPosition(poScreenCenter);

    TbToolbar1 = WindowToolbar(this, this, "TbToolbar1", alTop);
    TbToolbarButton1 = ToolButton(this, TbToolbar1, "TbToolbarButton1", SSpellCheck, nullptr, "tools-check-spelling", 72);
    TbToolbarButton2 = ToolButton(this, TbToolbar1, "TbToolbarButton2", SOk, SOkHint, "emblem-default", 48);
    TbToolbarButton3 = ToolButton(this, TbToolbar1, "TbToolbarButton3", SCancel, SCancelHint, "process-stop", 56);
    TbToolbarButton4 = ToolButton(this, TbToolbar1, "TbToolbarButton4", "Cut", "Cut", "edit-cut", 44);
    TbToolbarButton5 = ToolButton(this, TbToolbar1, "TbToolbarButton5", "Copy", "Copy", "edit-copy", 44);
    TbToolbarButton6 = ToolButton(this, TbToolbar1, "TbToolbarButton6", "Paste", "Paste", "edit-paste", 44);
    TbToolbarButton7 =
        ToolButton(this, TbToolbar1, "TbToolbarButton7", "Copy All", "Copy All", "edit-select-all", 56);

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    Cut1 = MenuItem(this, PopupMenu1->Items(), "Cut1", "Cut");
    Copy1 = MenuItem(this, PopupMenu1->Items(), "Copy1", "Copy");
    Paste1 = MenuItem(this, PopupMenu1->Items(), "Paste1", "Paste");
    N1 = MenuItem(this, PopupMenu1->Items(), "N1", "-");
    SelectAll1 = MenuItem(this, PopupMenu1->Items(), "SelectAll1", "Select All");

    RichEdit1 = new TRichEdit(this);
    RichEdit1->SetName("RichEdit1");
    RichEdit1->SetParent(this);
    RichEdit1->SetAlign(alClient);
    RichEdit1->SetScrollBars(ssVertical);
    RichEdit1->SetPopupMenu(PopupMenu1);

    TbToolbarButton1->OnClick = [this](TObject* s) { TbToolbarButton1Click(s); };
    TbToolbarButton2->OnClick = [this](TObject* s) { TbToolbarButton2Click(s); };
    TbToolbarButton3->OnClick = [this](TObject* s) { TbToolbarButton3Click(s); };
    TbToolbarButton4->OnClick = [this](TObject* s) { Cut1Click(s); };
    TbToolbarButton5->OnClick = [this](TObject* s) { Copy1Click(s); };
    TbToolbarButton6->OnClick = [this](TObject* s) { Paste1Click(s); };
    TbToolbarButton7->OnClick = [this](TObject* s) { TbToolbarButton7Click(s); };
    Cut1->OnClick = [this](TObject* s) { Cut1Click(s); };
    Copy1->OnClick = [this](TObject* s) { Copy1Click(s); };
    Paste1->OnClick = [this](TObject* s) { Paste1Click(s); };
    SelectAll1->OnClick = [this](TObject* s) { SelectAll1Click(s); };
}

void Tbtedit::TbToolbarButton1Click(TObject*) {
    // The spell dialog opens over this modal window and takes input.
    if (SpellChecker) SpellChecker->CheckWinControl(RichEdit1);
}

void Tbtedit::TbToolbarButton2Click(TObject*) { SetModalResult(mrOk); }

void Tbtedit::TbToolbarButton3Click(TObject*) { SetModalResult(mrCancel); }

void Tbtedit::Cut1Click(TObject*) { RichEdit1->CutToClipboard(); }

void Tbtedit::Copy1Click(TObject*) { RichEdit1->CopyToClipboard(); }

void Tbtedit::Paste1Click(TObject*) { RichEdit1->PasteFromClipboard(); }

void Tbtedit::SelectAll1Click(TObject*) { RichEdit1->SelectAll(); }

void Tbtedit::TbToolbarButton7Click(TObject*) {
    RichEdit1->SelectAll();
    RichEdit1->CopyToClipboard();
}

String Tbtedit::EditedText() const { return Trim(RichEdit1->Text()); }
