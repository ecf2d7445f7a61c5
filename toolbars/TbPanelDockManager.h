#pragma once
#include <memory>

#include "framework/controls/DockTree.h"

class TFont;
class TTbCustomPanel;

// The dock manager of a panel that is a dock site: the usual dock tree
// with a 13-pixel grabber. With the panel's ShowDockClientCaptions the
// grabber is a caption bar in the active caption colours that carries the
// client's caption (turned by 90 degrees in a grabber at the side) and a
// close button; without it the classic dock frame is drawn.
class TTbPanelDockManager : public TDockTree {
public:
    explicit TTbPanelDockManager(TTbCustomPanel* panel);
    ~TTbPanelDockManager() override;

    // 8-point "Arial".
    TFont* CaptionFont() const { return FFont.get(); }

protected:
    void PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& grabber) override;

private:
    TTbCustomPanel* FPanel;
    std::unique_ptr<TFont> FFont;
};
