#pragma once
#include "styled/controls/StyBaseGraphicButton.h"
#include "styled/graphics/StyGraphTypes.h"

// A graphic button drawn in one of the library's button styles.
class TStyCustomSpeedButton : public TStyBaseGraphicButton {
public:
    explicit TStyCustomSpeedButton(TComponent* AOwner);
    String ClassName() const override { return "TStyCustomSpeedButton"; }

    TStyUserButtonStyle Style() const { return FStyle; }
    void SetStyle(TStyUserButtonStyle Value);
    // ubsAutoDetect is the new-style platform look.
    TStyUserButtonStyle EffectiveStyle() const { return FStyle == ubsAutoDetect ? ubsWin40 : FStyle; }
    void SetTransparent(bool Value) override;

protected:
    void Paint() override;
    bool HotLookDiffers() override;

private:
    TStyUserButtonStyle FStyle = ubsAutoDetect;
};
