#pragma once
#include "framework/graphics/Color.h"
#include "styled/base/StyObject.h"
#include "styled/graphics/StyGraphTypes.h"

class TCanvas;
class TStyStoredProperties;

// The frame of a panel or control: an outer and an inner bevel with a
// border band between them (bmCustom), one of the standard borders, an
// edge of DrawEdge, or the platform's window border; an inner border band
// follows in every mode. The owner repaints, or recomputes its client area,
// when it reports a change.
class TStyBevel : public TStyObject {
public:
    TStyBevel();
    String ClassName() const override { return "TStyBevel"; }
    void Assign(TPersistent* Source) override;
    void Change() override;

    TStyBevelStyle StyleInner() const { return FStyleInner; }
    // bvShadow always takes both styles; leaving it leaves the other bvNone.
    void SetStyleInner(TStyBevelStyle Value);
    TStyBevelStyle StyleOuter() const { return FStyleOuter; }
    void SetStyleOuter(TStyBevelStyle Value);
    TStyBevelWidth WidthInner() const { return FWidthInner; }
    void SetWidthInner(TStyBevelWidth Value);  // 0..50
    TStyBevelWidth WidthOuter() const { return FWidthOuter; }
    void SetWidthOuter(TStyBevelWidth Value);
    TColor BorderColor() const { return FColors[0]; }
    void SetBorderColor(TColor Value) { SetColor(0, Value); }
    TStyFrameSides BorderSides() const { return FBorderSides; }
    void SetBorderSides(TStyFrameSides Value);
    TStyBorderWidth BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(TStyBorderWidth Value);
    TStyBorderWidth BorderInnerWidth() const { return FBorderInnerWidth; }
    void SetBorderInnerWidth(TStyBorderWidth Value);
    TStyEdgeStyle EdgeStyle() const { return FEdgeStyle; }
    void SetEdgeStyle(TStyEdgeStyle Value);
    TColor LightColor() const { return FColors[1]; }
    void SetLightColor(TColor Value) { SetColor(1, Value); }
    TStyBevelMode Mode() const { return FMode; }
    void SetMode(TStyBevelMode Value);
    TColor ShadowColor() const { return FColors[2]; }
    void SetShadowColor(TColor Value) { SetColor(2, Value); }
    TStyBorderStyle StandardStyle() const { return FStandardStyle; }
    // Reported only while Mode is bmStandard, where it shows.
    void SetStandardStyle(TStyBorderStyle Value);

    // Set by an owner that can give itself the platform's border through
    // its window style; bmWindows then draws nothing and takes no room.
    bool WindowsBorderByStyle() const { return FWindowsBorderByStyle; }
    void SetWindowsBorderByStyle(bool Value);

    // Frame thickness in pixels, and the same with the shadow band.
    int BevelExtend() const { return FBevelExtend; }
    int ShadowExtend() const { return FShadowExtend; }

    // The area inside the frame; a shadow takes its room right and below.
    TRect GetClientRect(const TRect& R) const;
    // Draws the frame into R and returns what is left inside it.
    // Transparent leaves the border bands and the shadow's corner squares
    // unpainted; they still take their room.
    TRect PaintBevel(TCanvas* Canvas, const TRect& R, bool Transparent);
    // True when the owner must recreate its window because the border
    // moved between its style and this object; reading it clears it.
    bool WindowsModeChanged();

    // The stored form: what differs from the defaults, Mode and
    // StandardStyle always.
    void WriteStored(TStyStoredProperties& P) const;
    // Reads the stored form into a copy and assigns it: one change report,
    // and a bad line leaves this object as it was.
    void ReadStored(const TStyStoredProperties& P);

private:
    void SetColor(int Index, TColor Value);
    void Recalc();
    void BorderBand(TCanvas* Canvas, TRect& R, int Width, bool Transparent) const;

    TStyBevelStyle FStyleInner = bvNone;
    TStyBevelStyle FStyleOuter = bvNone;
    TStyBevelWidth FWidthInner = 1;
    TStyBevelWidth FWidthOuter = 1;
    TColor FColors[3] = {clBtnFace, clBtnHighlight, clBtnShadow};  // border, light, shadow
    TStyFrameSides FBorderSides = AllFrameSides;
    TStyBorderWidth FBorderWidth = 0;
    TStyBorderWidth FBorderInnerWidth = 0;
    TStyEdgeStyle FEdgeStyle = etEtched;
    TStyBevelMode FMode = bmCustom;
    TStyBorderStyle FStandardStyle = lsSingleLowered;
    bool FWindowsBorderByStyle = false;
    bool FModeChanged = false;
    int FBevelExtend = 0;
    int FShadowExtend = 0;
};
