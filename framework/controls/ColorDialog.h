#pragma once
#include "framework/controls/CommonDialog.h"
#include "framework/graphics/Color.h"

// Picks a colour; Color holds the choice (and the starting point).
class TColorDialog : public TCommonDialog {
public:
    explicit TColorDialog(TComponent* owner) : TCommonDialog(owner) {}
    String ClassName() const override { return "TColorDialog"; }
    bool Execute() override;
    TColor Color = clBlack;
};
