#pragma once
#include "framework/graphics/Color.h"
#include "styled/base/StyObject.h"
#include "styled/graphics/StyGraphTypes.h"

class TStyStoredProperties;

// The three-dimensional look of a caption: sunken, raised, shadowed or
// engraved copies of the text, and how a disabled caption shows.
class TSty3DCaption : public TStyObject {
public:
    TSty3DCaption() = default;
    String ClassName() const override { return "TSty3DCaption"; }
    void Assign(TPersistent* Source) override;

    TStyDisabledStyle DisabledStyle() const { return FDisabledStyle; }
    void SetDisabledStyle(TStyDisabledStyle Value);
    Byte LightDepth() const { return FDepth[0]; }
    void SetLightDepth(Byte Value) { SetDepth(0, Value); }
    Byte ShadowDepth() const { return FDepth[1]; }
    void SetShadowDepth(Byte Value) { SetDepth(1, Value); }
    TColor LightColor() const { return FColors[0]; }
    void SetLightColor(TColor Value) { SetColor(0, Value); }
    TColor ShadowColor() const { return FColors[1]; }
    void SetShadowColor(TColor Value) { SetColor(1, Value); }
    TStyThreeDStyle Style() const { return FStyle; }
    void SetStyle(TStyThreeDStyle Value);
    // Extra pixels after each character.
    int Tracing() const { return FTracing; }
    void SetTracing(int Value);

    // How far the copies reach right and down past the text.
    int EffectDepth() const;

    // The stored form: what differs from the defaults.
    virtual void WriteStored(TStyStoredProperties& P) const;
    // Reads the stored form into a copy and assigns it: one change report,
    // and a bad line leaves this object as it was.
    virtual void ReadStored(const TStyStoredProperties& P);

protected:
    void CopyFrom(const TSty3DCaption& s);
    void LoadStored(const TStyStoredProperties& P);

private:
    void SetDepth(int Index, Byte Value);
    void SetColor(int Index, TColor Value);

    TStyDisabledStyle FDisabledStyle = dsAuto;
    Byte FDepth[2] = {1, 1};
    TColor FColors[2] = {clBtnHighlight, clBtnShadow};
    TStyThreeDStyle FStyle = tdNone;
    int FTracing = 0;
};
