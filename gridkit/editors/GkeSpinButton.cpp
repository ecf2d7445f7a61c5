#include "gridkit/editors/GkeSpinButton.h"

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "gridkit/editors/GkTimerSpeedButton.h"

std::unique_ptr<TBitmap> TGkeSpinButton::MakeArrowGlyph(TArrowKind kind) {
    // A button draws its glyph see-through in the colour of the glyph's
    // bottom-left pixel. The triangle keeps a one-pixel ground margin all
    // round, so that pixel is the ground for every direction: the wide
    // base of an up or right arrow would otherwise make the arrow itself
    // see-through.
    const bool upright = kind == akUp || kind == akDown;
    auto bmp = std::make_unique<TBitmap>(upright ? 11 : 7, upright ? 7 : 11);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(TRect{0, 0, bmp->Width(), bmp->Height()});
    for (int step = 0; step < 5; ++step) {
        const int half = (kind == akUp || kind == akLeft) ? step : 4 - step;
        for (int k = 4 - half; k <= 4 + half; ++k) {
            if (upright) c->SetPixels(1 + k, 1 + step, clBlack);
            else c->SetPixels(1 + step, 1 + k, clBlack);
        }
    }
    return bmp;
}

TGkeSpinButton::TGkeSpinButton(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 15, 25);
    FUpButton = new TGkTimerSpeedButton(this);
    FDownButton = new TGkTimerSpeedButton(this);
    for (TGkTimerSpeedButton* b : {FUpButton, FDownButton}) {
        b->SetParent(this);
        b->TimeBtnState = tbAllowTimer;
        b->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { Pressed(); };
    }
    ApplyGlyphs();
    FUpButton->OnClick = [this](TObject*) {
        if (OnUpClick) OnUpClick(this);
    };
    FDownButton->OnClick = [this](TObject*) {
        if (OnDownClick) OnDownClick(this);
    };
    FFocusedButton = FUpButton;
    LayoutButtons();
}

TGkeSpinButton::~TGkeSpinButton() = default;

void TGkeSpinButton::SetDirection(TSpinDirection v) {
    if (v == FDirection) return;
    FDirection = v;
    ApplyGlyphs();
    LayoutButtons();
}

TBitmap* TGkeSpinButton::UpGlyph() const { return FUpButton->Glyph(); }
void TGkeSpinButton::SetUpGlyph(TBitmap* v) {
    FOwnUpGlyph = v == nullptr;
    if (v) FUpButton->SetGlyph(v);
    else ApplyGlyphs();
}
TBitmap* TGkeSpinButton::DownGlyph() const { return FDownButton->Glyph(); }
void TGkeSpinButton::SetDownGlyph(TBitmap* v) {
    FOwnDownGlyph = v == nullptr;
    if (v) FDownButton->SetGlyph(v);
    else ApplyGlyphs();
}

void TGkeSpinButton::ApplyGlyphs() {
    const bool vertical = FDirection == spVertical;
    if (FOwnUpGlyph) FUpButton->SetGlyph(MakeArrowGlyph(vertical ? akUp : akRight).get());
    if (FOwnDownGlyph) FDownButton->SetGlyph(MakeArrowGlyph(vertical ? akDown : akLeft).get());
}

void TGkeSpinButton::Resize() {
    TWinControl::Resize();
    LayoutButtons();
}

void TGkeSpinButton::LayoutButtons() {
    if (!FUpButton || !FDownButton) return;
    const int minWidth = FDirection == spHorizontal ? 20 : 15;
    const int w = std::max(Width(), minWidth);
    const int h = Height();
    if (FDirection == spVertical) {
        const int half = h / 2;
        FUpButton->SetBounds(0, 0, w, half);
        FDownButton->SetBounds(0, half, w, h - half);
    } else {
        const int half = w / 2;
        FDownButton->SetBounds(0, 0, half, h);
        FUpButton->SetBounds(half, 0, w - half, h);
    }
}

void TGkeSpinButton::Pressed() {
    TWinControl* target = FocusControl ? FocusControl : this;
    if (target->CanFocus() && !target->Focused()) target->SetFocus();
}

void TGkeSpinButton::KeyDown(Word& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    switch (key) {
    case VK_UP: FFocusedButton = FUpButton; FUpButton->Click(); key = 0; break;
    case VK_DOWN: FFocusedButton = FDownButton; FDownButton->Click(); key = 0; break;
    case VK_SPACE: FFocusedButton->Click(); key = 0; break;
    default: break;
    }
}
