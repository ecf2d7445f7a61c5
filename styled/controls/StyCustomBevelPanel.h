#pragma once
#include <memory>

#include "styled/controls/StyCustomPanel.h"

class TStyBevel;

// A panel framed by a bevel; the area inside the bevel is where children
// are aligned. The framework gives windows no frame of their own, so a
// bevel in bmWindows mode draws the platform's border itself.
class TStyCustomBevelPanel : public TStyCustomPanel {
public:
    explicit TStyCustomBevelPanel(TComponent* AOwner);
    ~TStyCustomBevelPanel() override;
    String ClassName() const override { return "TStyCustomBevelPanel"; }

    TStyBevel* Bevel() const { return FBevel.get(); }
    void SetBevel(TStyBevel* Value);
    // The area inside the bevel, in the control's coordinates.
    TRect InnerRect() const;
    bool ShowDesignFrame() override;

protected:
    void Paint() override;
    void AdjustClientRect(TRect& Rect) override;
    virtual void BevelChanged(TObject* Sender);
    void PaintBevel(TCanvas* Canvas);

private:
    std::unique_ptr<TStyBevel> FBevel;
};
