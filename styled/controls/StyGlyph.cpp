#include "styled/controls/StyGlyph.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "styled/controls/StyGlyphCache.h"
#include "styled/controls/StyGlyphList.h"
#include "styled/graphics/BitmapDrawing.h"

TStyGlyph::TStyGlyph() : FOriginal(std::make_unique<TBitmap>()) {
    TStyGlyphCache::Acquire();
    FOriginal->OnChange = [this](TObject*) { GlyphChanged(); };
}

TStyGlyph::~TStyGlyph() {
    FOriginal->OnChange = nullptr;
    DropImages();
    TStyGlyphCache::ReleaseIfEmpty();
}

void TStyGlyph::DropImages() {
    if (!FGlyphList) {
        for (int& i : FIndexs) i = -1;
        return;
    }
    for (int& i : FIndexs) {
        if (i >= 0) FGlyphList->Delete(i);
        i = -1;
    }
    if (TStyGlyphCache* cache = TStyGlyphCache::Instance()) cache->ReturnList(FGlyphList);
    FGlyphList = nullptr;
}

void TStyGlyph::GlyphChanged() {
    if (FAssigning) return;
    DropImages();
    FTransparentColor = FOriginal->Empty() ? clOlive : FOriginal->TransparentColor();
    if (OnChange) OnChange(this);
}

void TStyGlyph::SetGlyph(TBitmap* Value) {
    DropImages();
    FAssigning = true;
    if (Value) {
        FOriginal->Assign(Value);
    } else {
        TBitmap empty;
        FOriginal->Assign(&empty);
    }
    FAssigning = false;
    FTransparentColor = FOriginal->Empty() ? clOlive : FOriginal->TransparentColor();
    if (Value && !Value->Empty() && Value->Height() > 0 && Value->Width() % Value->Height() == 0) {
        const int q = Value->Width() / Value->Height();
        FNumGlyphs = q < 6 ? q : 1;
    }
    if (OnChange) OnChange(this);
}

void TStyGlyph::SetNumGlyphs(int Value) {
    if (Value == 0 || Value == FNumGlyphs) return;
    DropImages();
    FNumGlyphs = Value;
    if (OnChange) OnChange(this);
}

void TStyGlyph::SetGreyWhenUp(bool Value) {
    if (Value == FGreyWhenUp) return;
    DropImages();
    FGreyWhenUp = Value;
    if (OnChange) OnChange(this);
}

int TStyGlyph::GetStateImage(int State) {
    if (State < 0 || State > 7) State = gsUp;
    if (State == gsDisabledDown) {
        State = gsDisabled;
    } else if (State != gsDisabled && State > FNumGlyphs - 1) {
        if (FGreyWhenUp)
            State = State == gsMenuOpen ? gsHeld : gsHot;
        else
            State = gsUp;
    }
    if (FIndexs[State] >= 0) return FIndexs[State];
    if (FOriginal->Empty() || FNumGlyphs <= 0) return -1;
    const int w = FOriginal->Width() / FNumGlyphs;
    const int h = FOriginal->Height();
    if (w <= 0 || h <= 0) return -1;
    if (!FGlyphList) FGlyphList = TStyGlyphCache::Acquire()->GetList(w, h);

    TBitmap cell(w, h);
    const bool ownCell = State < FNumGlyphs && !(State == gsUp && FGreyWhenUp);
    const int from = ownCell ? State : 0;
    cell.Canvas()->CopyRect(Rect(0, 0, w, h), FOriginal->Canvas(), Rect(from * w, 0, (from + 1) * w, h));
    cell.SetTransparentColor(FTransparentColor);
    TBitmap made;
    TBitmap* image = &cell;
    if (!ownCell) {
        if (State == gsDisabled) {
            // The embossed copy keeps the strip's transparent colour as its
            // background, so it is left out the same way.
            DrawDisabledBitmap(&made, &cell, 0, 0);
            image = &made;
        } else if (State == gsUp && FGreyWhenUp) {
            Make3DBitmap(&made, &cell);
            image = &made;
        }
    }
    FIndexs[State] = FGlyphList->Add(image, FTransparentColor);
    return FIndexs[State];
}

TBitmap* TStyGlyph::StateBitmap(int State) {
    const int i = GetStateImage(State);
    return i >= 0 && FGlyphList ? FGlyphList->Bitmap(i) : nullptr;
}
