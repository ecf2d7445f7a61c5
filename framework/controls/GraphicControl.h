#pragma once
#include <memory>

#include "framework/controls/Control.h"

class TCanvas;

// A control that only paints: labels, bevels, speed buttons. It gets a
// see-through child widget of its own, so the toolkit routes the mouse to
// it and keeps it in its place among its siblings, while whatever its
// parent paints shows through where it paints nothing. It never takes the
// focus and has no handle to send messages to.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    String ClassName() const override { return "TGraphicControl"; }

    // Valid while Paint runs.
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void WMPaint(TMessage& message) override;
    QWidget* CreateWidget(QWidget* parent) override;

private:
    std::unique_ptr<TCanvas> FCanvas;
};
