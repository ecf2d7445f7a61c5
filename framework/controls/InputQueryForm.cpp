#include "framework/controls/InputQueryForm.h"

#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"

TInputQueryForm::TInputQueryForm(TComponent* owner, const String& caption, const String& prompt,
                                 const String& value)
    : TForm(owner), FPrompt(prompt) {
    SetCaption(caption);
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    SetClientWidth(290);
    SetClientHeight(110);
    FLabel = new TLabel(this);
    FLabel->SetBounds(12, 12, 266, 16);
    FLabel->SetCaption(prompt);
    FLabel->SetParent(this);
    FEdit = new TEdit(this);
    FEdit->SetBounds(12, 34, 266, 22);
    FEdit->SetText(value);
    FEdit->SetParent(this);
    FLabel->SetFocusControl(FEdit);
    auto* ok = new TButton(this);
    ok->SetCaption("OK");
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    ok->SetBounds(122, 72, 75, 25);
    ok->SetParent(this);
    auto* cancel = new TButton(this);
    cancel->SetCaption("Cancel");
    cancel->SetModalResult(mrCancel);
    cancel->SetCancel(true);
    cancel->SetBounds(203, 72, 75, 25);
    cancel->SetParent(this);
    FEdit->SelectAll();
    SetActiveControl(FEdit);
}

String TInputQueryForm::Value() const { return FEdit->Text(); }
