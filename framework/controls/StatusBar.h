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
    bool SizeGrip = true;
    // The rectangle a panel takes (client coordinates).
    TRect PanelRect(int index) const;

    // Framework-internal: a panel changed.
    void PanelsChanged() { Invalidate(); }

protected:
    void Paint() override;

private:
    std::unique_ptr<TStatusPanels> FPanels;
    bool FSimplePanel = false;
    String FSimpleText;
};
