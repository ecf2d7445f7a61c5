#include "styled/forms/StyRegionBorder.h"

void TStyRegionBorder::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyRegionBorder*>(Source)) {
        FStyle = s->FStyle;
        FLightColor = s->FLightColor;
        FShadowColor = s->FShadowColor;
        FSingleColor = s->FSingleColor;
        Change();
        return;
    }
    TStyObject::Assign(Source);
}

void TStyRegionBorder::SetStyle(TStyRegionBorderStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Change();
}

void TStyRegionBorder::SetLightColor(TColor Value) {
    if (Value == FLightColor) return;
    FLightColor = Value;
    Change();
}

void TStyRegionBorder::SetShadowColor(TColor Value) {
    if (Value == FShadowColor) return;
    FShadowColor = Value;
    Change();
}

void TStyRegionBorder::SetSingleColor(TColor Value) {
    if (Value == FSingleColor) return;
    FSingleColor = Value;
    Change();
}
