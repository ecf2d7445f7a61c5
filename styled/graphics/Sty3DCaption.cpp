#include "styled/graphics/Sty3DCaption.h"

#include <cstdint>

#include "styled/graphics/StyStoredProperties.h"

void TSty3DCaption::CopyFrom(const TSty3DCaption& s) {
    FDisabledStyle = s.FDisabledStyle;
    FDepth[0] = s.FDepth[0];
    FDepth[1] = s.FDepth[1];
    FColors[0] = s.FColors[0];
    FColors[1] = s.FColors[1];
    FStyle = s.FStyle;
    FTracing = s.FTracing;
}

void TSty3DCaption::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TSty3DCaption*>(Source)) {
        CopyFrom(*s);
        Change();
        return;
    }
    TStyObject::Assign(Source);
}

void TSty3DCaption::SetDisabledStyle(TStyDisabledStyle Value) {
    if (Value == FDisabledStyle) return;
    FDisabledStyle = Value;
    Change();
}

void TSty3DCaption::SetDepth(int Index, Byte Value) {
    if (FDepth[Index] == Value) return;
    FDepth[Index] = Value;
    Change();
}

void TSty3DCaption::SetColor(int Index, TColor Value) {
    if (FColors[Index] == Value) return;
    FColors[Index] = Value;
    Change();
}

void TSty3DCaption::SetStyle(TStyThreeDStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Change();
}

void TSty3DCaption::SetTracing(int Value) {
    if (Value == FTracing) return;
    FTracing = Value;
    Change();
}

int TSty3DCaption::EffectDepth() const {
    switch (FStyle) {
        case tdSunken:
        case tdRaised: return LightDepth();
        case tdSunkenShadow:
        case tdRaisedShadow:
        case tdPColorSunken:
        case tdPColorRaised: return LightDepth() + ShadowDepth();
        case tdShadow: return ShadowDepth();
        default: return 0;
    }
}

void TSty3DCaption::WriteStored(TStyStoredProperties& P) const {
    const TSty3DCaption d;
    if (FDisabledStyle != d.FDisabledStyle) P.WriteIdent("DisabledStyle", FDisabledStyle, StyNames::DisabledStyle);
    if (FDepth[0] != d.FDepth[0]) P.WriteInteger("LightDepth", FDepth[0]);
    if (FDepth[1] != d.FDepth[1]) P.WriteInteger("ShadowDepth", FDepth[1]);
    if (FColors[0] != d.FColors[0]) P.WriteColor("LightColor", FColors[0]);
    if (FColors[1] != d.FColors[1]) P.WriteColor("ShadowColor", FColors[1]);
    if (FStyle != d.FStyle) P.WriteIdent("Style", FStyle, StyNames::ThreeDStyle);
    if (FTracing != d.FTracing) P.WriteInteger("Tracing", FTracing);
}

void TSty3DCaption::LoadStored(const TStyStoredProperties& P) {
    FDisabledStyle = TStyDisabledStyle(P.ReadIdent("DisabledStyle", FDisabledStyle, StyNames::DisabledStyle));
    FDepth[0] = Byte(P.ReadInteger("LightDepth", FDepth[0], 0, 255));
    FDepth[1] = Byte(P.ReadInteger("ShadowDepth", FDepth[1], 0, 255));
    FColors[0] = P.ReadColor("LightColor", FColors[0]);
    FColors[1] = P.ReadColor("ShadowColor", FColors[1]);
    FStyle = TStyThreeDStyle(P.ReadIdent("Style", FStyle, StyNames::ThreeDStyle));
    FTracing = P.ReadInteger("Tracing", FTracing, INT32_MIN, INT32_MAX);
}

void TSty3DCaption::ReadStored(const TStyStoredProperties& P) {
    TSty3DCaption t;
    t.LoadStored(P);
    Assign(&t);
}
