#pragma once
#include "framework/controls/GraphicControl.h"

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// A sunken or raised box, frame or line.
class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* owner);
    String ClassName() const override { return "TBevel"; }

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape v);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle v);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};
