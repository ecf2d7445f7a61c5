#pragma once
#include "framework/controls/CustomControl.h"
#include "framework/controls/StdCtrlsTypes.h"

// A raised (or lowered) surface that holds other controls, with its
// caption in the middle.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);
    String ClassName() const override { return "TPanel"; }

    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut v);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v);
    TControlBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TControlBorderStyle v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) override;

private:
    void Changed();
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TControlBorderStyle FBorderStyle = bsNoneBorder;
    TAlignment FAlignment = taCenter;
};
