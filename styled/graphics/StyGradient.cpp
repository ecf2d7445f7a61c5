#include "styled/graphics/StyGradient.h"

#include <algorithm>

#include "styled/graphics/GradientDrawing.h"
#include "styled/graphics/StyPalette.h"
#include "styled/graphics/StyStoredProperties.h"

TStyGradient::TStyGradient() { Rebuild(); }

TStyGradient::~TStyGradient() = default;

void TStyGradient::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyGradient*>(Source)) {
        BeginUpdate();
        SetColorCount(s->FColorCount);
        SetColor(s->FColor);
        SetStyle(s->FStyle);
        SetEndColor(s->FEndColor);
        SetPaletteRealize(s->FPaletteRealize);
        EndUpdate(true);
        return;
    }
    TStyObject::Assign(Source);
}

void TStyGradient::Change() {
    Rebuild();
    TStyObject::Change();
}

void TStyGradient::Rebuild() {
    FPalette.reset();
    FColors.clear();
    MakeGradientColors(FColor, FEndColor, FColorCount, &FColors);
    if (FPaletteRealize) FPalette = CreateGradientPalette(&FColors);
}

void TStyGradient::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Change();
}

void TStyGradient::SetColorCount(TStyColorCount Value) {
    Value = std::clamp<TStyColorCount>(Value, 2, 236);
    if (Value == FColorCount) return;
    FColorCount = Value;
    Change();
}

void TStyGradient::SetStyle(TStyGradientStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Change();
}

void TStyGradient::SetEndColor(TColor Value) {
    if (Value == FEndColor) return;
    FEndColor = Value;
    Change();
}

void TStyGradient::SetPaletteRealize(bool Value) {
    if (Value == FPaletteRealize) return;
    FPaletteRealize = Value;
    Change();
}

void TStyGradient::WriteStored(TStyStoredProperties& P) const {
    const TStyGradient d;
    if (FColor != d.FColor) P.WriteColor("Color", FColor);
    if (FColorCount != d.FColorCount) P.WriteInteger("ColorCount", FColorCount);
    if (FStyle != d.FStyle) P.WriteIdent("Style", FStyle, StyNames::GradientStyle);
    if (FEndColor != d.FEndColor) P.WriteColor("EndColor", FEndColor);
    if (FPaletteRealize != d.FPaletteRealize) P.WriteBool("PaletteRealize", FPaletteRealize);
}

void TStyGradient::ReadStored(const TStyStoredProperties& P) {
    TStyGradient t;
    t.FColor = P.ReadColor("Color", t.FColor);
    t.FColorCount = TStyColorCount(P.ReadInteger("ColorCount", t.FColorCount, 2, 236));
    t.FStyle = TStyGradientStyle(P.ReadIdent("Style", t.FStyle, StyNames::GradientStyle));
    t.FEndColor = P.ReadColor("EndColor", t.FEndColor);
    t.FPaletteRealize = P.ReadBool("PaletteRealize", t.FPaletteRealize);
    Assign(&t);
}
