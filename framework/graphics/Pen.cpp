#include "framework/graphics/Pen.h"

void TPen::Assign(TPersistent* source) {
    if (auto* p = dynamic_cast<TPen*>(source)) {
        FColor = p->FColor;
        FWidth = p->FWidth;
        FStyle = p->FStyle;
        FMode = p->FMode;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TPen::Changed() {
    if (OnChange) OnChange(this);
}

void TPen::SetColor(TColor v) {
    if (v == FColor) return;
    FColor = v;
    Changed();
}

void TPen::SetWidth(int v) {
    if (v < 1) v = 1;
    if (v == FWidth) return;
    FWidth = v;
    Changed();
}

void TPen::SetStyle(TPenStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    Changed();
}

void TPen::SetMode(TPenMode v) {
    if (v == FMode) return;
    FMode = v;
    Changed();
}
