#include "framework/controls/Edit.h"

#include "framework/controls/qt/WsEdits.h"

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {}

void TEdit::SetPasswordChar(char v) {
    if (v == FPasswordChar) return;
    FPasswordChar = v;
    if (FWidget) PushReadOnlyToWidget();
}

QWidget* TEdit::CreateWidget(QWidget* parent) {
    return velmor_ws::CreateLineEdit(parent, [this](const String& text, const velmor_ws::TEditSelection& sel) {
        WidgetTextChanged(text, sel.Start, sel.Length, sel.CaretAtStart);
    });
}

void TEdit::ApplyNonClient(int width) {
    velmor_ws::SetEditBorder(FWidget, width, FTextMarginLeft, FTextMarginRight);
}

void TEdit::ApplyAlignment() {
    velmor_ws::SetLineEditAlignment(FWidget, FAlignment);
}

void TEdit::InitWidget() {
    TCustomEdit::InitWidget();
    PushReadOnlyToWidget();
    FPushing = true;
    PushSelectionToWidget();
    FPushing = false;
}

void TEdit::PushTextToWidget() {
    velmor_ws::SetEditText(FWidget, FText);
}

void TEdit::PushSelectionToWidget() {
    velmor_ws::SetEditSelection(FWidget, FText, {FSelStart, FSelLength, FCaretAtStart});
}

void TEdit::PushReadOnlyToWidget() {
    velmor_ws::SetLineEditOptions(FWidget, FReadOnly, FMaxLength, FPasswordChar);
}

void TEdit::DoEnter() {
    // Tabbing into an edit selects its text, as the classic one does.
    if (AutoSelect) SelectAll();
    TCustomEdit::DoEnter();
}

void TEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case EM_SETPASSWORDCHAR:
        SetPasswordChar(static_cast<char>(m.WParam));
        return;
    case EM_GETPASSWORDCHAR:
        m.Result = static_cast<unsigned char>(FPasswordChar);
        return;
    default:
        TCustomEdit::WndProc(m);
    }
}
