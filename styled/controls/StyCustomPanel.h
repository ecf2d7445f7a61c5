#pragma once
#include "styled/controls/StyCustomControl.h"

// A control that holds others; its background questions go to its parent
// (or to the form's shape component on a form).
class TStyCustomPanel : public TStyCustomControl {
public:
    explicit TStyCustomPanel(TComponent* AOwner);
    String ClassName() const override { return "TStyCustomPanel"; }

    bool HasBackground() override;
    TBitmap* GetBackground() override;
    TPoint BackgroundOffset(const TPoint& P) override;
    bool CopyBackground(TCanvas* Canvas, const TRect& R, const TPoint& Offset) override;
};
