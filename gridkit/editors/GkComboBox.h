#pragma once
// The kit's published combo box.
#include "gridkit/editors/GkCustomCombo.h"

class TGkComboBox : public TGkCustomCombo {
public:
    explicit TGkComboBox(TComponent* owner) : TGkCustomCombo(owner) {}
    String ClassName() const override { return "TGkComboBox"; }
};
