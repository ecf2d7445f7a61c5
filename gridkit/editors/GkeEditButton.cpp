#include "gridkit/editors/GkeEditButton.h"

#include <algorithm>

#include "framework/controls/SpeedButton.h"

TGkeEditButton::TGkeEditButton(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 20, 25);
    FButton = new TSpeedButton(this);
    FButton->SetParent(this);
    FButton->OnClick = [this](TObject*) { Click(); };
    Resize();
}

TBitmap* TGkeEditButton::Glyph() const { return FButton->Glyph(); }
void TGkeEditButton::SetGlyph(TBitmap* v) { FButton->SetGlyph(v); }
String TGkeEditButton::ButtonCaption() const { return FButton->Caption(); }
void TGkeEditButton::SetButtonCaption(const String& v) { FButton->SetCaption(v); }
int TGkeEditButton::NumGlyphs() const { return FButton->NumGlyphs(); }
void TGkeEditButton::SetNumGlyphs(int v) { FButton->SetNumGlyphs(v); }

void TGkeEditButton::Resize() {
    TWinControl::Resize();
    if (FButton) FButton->SetBounds(0, 0, std::max(15, Width()), Height());
}
