#pragma once
#include "framework/graphics/Color.h"
#include "styled/base/StyObject.h"
#include "styled/forms/StyRegionTypes.h"

// How the outline of a shaped region is drawn.
class TStyRegionBorder : public TStyObject {
public:
    TStyRegionBorder() = default;
    String ClassName() const override { return "TStyRegionBorder"; }
    void Assign(TPersistent* Source) override;

    TStyRegionBorderStyle Style() const { return FStyle; }
    void SetStyle(TStyRegionBorderStyle Value);
    TColor LightColor() const { return FLightColor; }
    void SetLightColor(TColor Value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor Value);
    TColor SingleColor() const { return FSingleColor; }
    void SetSingleColor(TColor Value);

private:
    TStyRegionBorderStyle FStyle = rbSingle;
    TColor FLightColor = clBtnHighlight;
    TColor FShadowColor = clBtnShadow;
    TColor FSingleColor = clBlack;
};
