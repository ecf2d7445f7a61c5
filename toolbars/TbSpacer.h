#pragma once
#include "framework/controls/GraphicControl.h"
#include "toolbars/TbTypes.h"

// A fixed gap between toolbar controls, optionally with an etched groove.
class TTbSpacer : public TGraphicControl {
public:
    explicit TTbSpacer(TComponent* owner);
    String ClassName() const override { return "TTbSpacer"; }

    bool Grooved() const { return FGrooved; }
    void SetGrooved(bool v);
    TOrientation Orientation() const { return FOrientation; }
    // Turning the spacer swaps its width and height (not while loading).
    void SetOrientation(TOrientation v);

protected:
    void Paint() override;

private:
    bool FGrooved = false;
    TOrientation FOrientation = orHorizontal;
};
