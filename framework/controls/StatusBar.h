#pragma once
#include <memory>

#include "framework/controls/CustomControl.h"

class TStatusPanels;

// The bar along a window's bottom edge: panels side by side, or one
// SimpleText across the whole bar while SimplePanel is on.
class TStatusBar : public TCustomControl {
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;
    String ClassName() const override { return "TStatusBar"; }

    TStatusPanels* Panels() const { return FPanels.get(); }
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool v);
    const String& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const String& v);
    // A grip in the bottom-right corner that resizes the form by dragging;
    // it shows only while the form can be resized and is not maximised.
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool v);
    bool GripShown() const;
    TRect GripRect() const;
    // The rectangle a panel takes (client coordinates).
    TRect PanelRect(int index) const;

    // Framework-internal: a panel changed.
    void PanelsChanged() { Invalidate(); }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    std::unique_ptr<TStatusPanels> FPanels;
    bool FSimplePanel = false;
    String FSimpleText;
    bool FSizeGrip = true;
    bool FGripping = false;
    TPoint FGripStart;  // screen point where the drag began
    int FGripWidth = 0;  // the form's size then
    int FGripHeight = 0;
};
