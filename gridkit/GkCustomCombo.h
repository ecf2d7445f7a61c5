#pragma once
// The kit's combo box base: the look settings of the flat combo.
#include <algorithm>

#include "framework/controls/ComboBox.h"

class TGkCustomCombo : public TComboBox {
public:
    explicit TGkCustomCombo(TComponent* owner);
    String ClassName() const override { return "TGkCustomCombo"; }

    // Only 14..32 pixels are taken.
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool Etched() const { return FEtched; }
    void SetEtched(bool v);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool v);

private:
    int FButtonWidth = 18;
    bool FFlat = true, FEtched = false, FFocusBorder = false;
};
