#include "framework/graphics/Brush.h"

void TBrush::Assign(TPersistent* source) {
    if (auto* b = dynamic_cast<TBrush*>(source)) {
        FColor = b->FColor;
        FStyle = b->FStyle;
        FBitmap = b->FBitmap;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TBrush::Changed() {
    if (OnChange) OnChange(this);
}

void TBrush::SetColor(TColor v) {
    if (v == FColor && FStyle != bsClear) return;
    FColor = v;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    Changed();
}

void TBrush::SetBitmap(TBitmap* v) {
    if (v == FBitmap) return;
    FBitmap = v;
    Changed();
}
