#include "gridkit/GkeEditBtn.h"

#include <algorithm>

#include "gridkit/GkeEditButton.h"

TGkeEditBtn::TGkeEditBtn(TComponent* owner) : TEdit(owner) {
    FButton = new TGkeEditButton(this);
    FButton->SetParent(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->OnClick = [this](TObject*) { ClickBtn(); };
    SetText("0");
}

TBitmap* TGkeEditBtn::Glyph() const { return FButton->Glyph(); }
void TGkeEditBtn::SetGlyph(TBitmap* v) { FButton->SetGlyph(v); }
String TGkeEditBtn::ButtonCaption() const { return FButton->ButtonCaption(); }
void TGkeEditBtn::SetButtonCaption(const String& v) { FButton->SetButtonCaption(v); }

void TGkeEditBtn::SetRightAlign(bool v) {
    if (v == FRightAlign) return;
    FRightAlign = v;
    Invalidate();
}

void TGkeEditBtn::ClickBtn() {
    if (OnClickBtn) OnClickBtn(this);
}

void TGkeEditBtn::Resize() {
    TEdit::Resize();
    FButton->SetBounds(std::max(0, Width() - 16), 0, 15, std::max(1, Height()));
}

void TGkeEditBtn::WndProc(TMessage& m) {
    if ((m.Msg == WM_PASTE || m.Msg == WM_CUT) && (!EditorEnabled || ReadOnly())) return;
    TEdit::WndProc(m);
}

void TGkeEditBtn::KeyPress(char& key) {
    if (!EditorEnabled && static_cast<unsigned char>(key) >= 32) key = 0;
    TEdit::KeyPress(key);
}
