#include "styled/graphics/StyShadow.h"

#include <algorithm>

#include "styled/graphics/StyStoredProperties.h"

void TStyShadow::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyShadow*>(Source)) {
        FStyle = s->FStyle;
        FColor = s->FColor;
        FDepth = s->FDepth;
        Change();
        return;
    }
    TStyObject::Assign(Source);
}

void TStyShadow::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Change();
}

void TStyShadow::SetDepth(TStyShadowDepth Value) {
    Value = std::min<TStyShadowDepth>(Value, 40);
    if (Value == FDepth) return;
    FDepth = Value;
    Change();
}

void TStyShadow::SetStyle(TStyShadowStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Change();
}

void TStyShadow::WriteStored(TStyStoredProperties& P) const {
    const TStyShadow d;
    if (FColor != d.FColor) P.WriteColor("Color", FColor);
    if (FDepth != d.FDepth) P.WriteInteger("Depth", FDepth);
    if (FStyle != d.FStyle) P.WriteIdent("Style", FStyle, StyNames::ShadowStyle);
}

void TStyShadow::ReadStored(const TStyStoredProperties& P) {
    TStyShadow t;
    t.FColor = P.ReadColor("Color", t.FColor);
    t.FDepth = TStyShadowDepth(P.ReadInteger("Depth", t.FDepth, 0, 40));
    t.FStyle = TStyShadowStyle(P.ReadIdent("Style", t.FStyle, StyNames::ShadowStyle));
    Assign(&t);
}
