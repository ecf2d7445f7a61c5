#pragma once
#include <vector>

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
    // Off: a resize repaints only what ResizeRepaintAreas names instead of
    // the whole panel.
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool v);
    // Locked kept a panel in place when an embedded document's own
    // toolbars took over the form; nothing is embedded here, so the value
    // is only kept for the windows that set it.
    bool Locked = false;

protected:
    void Paint() override;
    void Resize() override;
    void TextChanged() override;
    // The parts to repaint after a resize from (oldWidth, oldHeight) when
    // FullRepaint is off; empty means the whole panel.
    virtual std::vector<TRect> ResizeRepaintAreas(int oldWidth, int oldHeight) const;
    void InitWidget() override;
    void AdjustClientRect(TRect& rect) override;

    // The band the caption may occupy at a size: its line across the
    // whole width, since the caption moves with the size.
    virtual TRect CaptionBand(int width, int height) const;

private:
    void Changed();
    void ApplyRepaintMode();
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TControlBorderStyle FBorderStyle = bsNoneBorder;
    TAlignment FAlignment = taCenter;
    bool FFullRepaint = true;
    int FPaintedWidth = 0, FPaintedHeight = 0;
};
