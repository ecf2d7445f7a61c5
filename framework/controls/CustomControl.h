#pragma once
#include <memory>

#include "framework/controls/WinControl.h"

class TCanvas;

// A windowed control that paints itself: override Paint and draw on
// Canvas. The background is filled with Color first unless csOpaque is in
// ControlStyle (the control then covers every pixel itself).
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    String ClassName() const override { return "TCustomControl"; }

    // Valid while Paint runs.
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void WMPaint(TMessage& message) override;

private:
    std::unique_ptr<TCanvas> FCanvas;
};
