#include "gridkit/editors/GkeEditBtn.h"

#include <algorithm>

#include "gridkit/editors/GkeEditButton.h"

TGkeEditBtn::TGkeEditBtn(TComponent* owner) : TEdit(owner) {
    FButton = new TGkeEditButton(this);
    FButton->SetParent(this);
    FButton->SetBounds(0, 0, kButtonWidth, 17);
    FButton->OnClick = [this](TObject*) { ClickBtn(); };
    SetText("0");
    ApplyTextMargins();
}

TBitmap* TGkeEditBtn::Glyph() const { return FButton->Glyph(); }
void TGkeEditBtn::SetGlyph(TBitmap* v) { FButton->SetGlyph(v); }
String TGkeEditBtn::ButtonCaption() const { return FButton->ButtonCaption(); }
void TGkeEditBtn::SetButtonCaption(const String& v) { FButton->SetButtonCaption(v); }

void TGkeEditBtn::SetRightAlign(bool v) {
    if (v == FRightAlign) return;
    FRightAlign = v;
    SetAlignment(v ? taRightJustify : taLeftJustify);
}

void TGkeEditBtn::ApplyTextMargins() {
    // The text stops short of the button (and of what a descendant shows
    // beside it), so nothing typed runs underneath.
    SetTextMargins(1, kButtonWidth + 3 + ReservedSpace());
}

void TGkeEditBtn::ClickBtn() {
    if (OnClickBtn) OnClickBtn(this);
}

void TGkeEditBtn::Resize() {
    TEdit::Resize();
    FButton->SetBounds(std::max(0, Width() - kButtonWidth - 1), 0, kButtonWidth, std::max(1, Height()));
    ApplyTextMargins();
}

void TGkeEditBtn::WndProc(TMessage& m) {
    if ((m.Msg == WM_PASTE || m.Msg == WM_CUT) && (!EditorEnabled || ReadOnly())) return;
    TEdit::WndProc(m);
}

void TGkeEditBtn::KeyPress(char& key) {
    if (!EditorEnabled && static_cast<unsigned char>(key) >= 32) key = 0;
    TEdit::KeyPress(key);
}
