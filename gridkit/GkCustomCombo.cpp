#include "gridkit/GkCustomCombo.h"

TGkCustomCombo::TGkCustomCombo(TComponent* owner) : TComboBox(owner) {}

void TGkCustomCombo::SetButtonWidth(int v) {
    if (v < 14 || v > 32 || v == FButtonWidth) return;
    FButtonWidth = v;
    Invalidate();
}

void TGkCustomCombo::SetFlat(bool v) {
    if (v == FFlat) return;
    FFlat = v;
    Invalidate();
}

void TGkCustomCombo::SetEtched(bool v) {
    if (v == FEtched) return;
    FEtched = v;
    Invalidate();
}

void TGkCustomCombo::SetFocusBorder(bool v) {
    if (v == FFocusBorder) return;
    FFocusBorder = v;
    Invalidate();
}
