#include "styled/graphics/StyButtonLayout.h"

#include <algorithm>

#include "styled/graphics/StyStoredProperties.h"

TStyButtonLayout::TStyButtonLayout() { FAlignment = DefaultAlignment(); }

void TStyButtonLayout::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyButtonLayout*>(Source)) {
        BeginUpdate();
        SetAlignment(s->Alignment());
        SetAlignText2Glyph(s->AlignText2Glyph());
        SetSpacing(s->Spacing());
        FOffset[0] = s->FOffset[0];
        FOffset[1] = s->FOffset[1];
        FArrow = s->FArrow;
        FArrowIndent = s->FArrowIndent;
        FArrowPosition = s->FArrowPosition;
        FArrowColor = s->FArrowColor;
        FArrowSize = s->FArrowSize;
        EndUpdate(true);
        return;
    }
    TStyGlyphTextLayout::Assign(Source);
}

void TStyButtonLayout::SetArrow(bool Value) {
    if (Value == FArrow) return;
    FArrow = Value;
    Change();
}

void TStyButtonLayout::SetArrowColor(TColor Value) {
    if (Value == FArrowColor) return;
    FArrowColor = Value;
    Change();
}

void TStyButtonLayout::SetArrowIndent(int Value) {
    if (Value == FArrowIndent) return;
    FArrowIndent = Value;
    Change();
}

void TStyButtonLayout::SetArrowPosition(TStyArrowPosition Value) {
    if (Value == FArrowPosition) return;
    FArrowPosition = Value;
    Change();
}

void TStyButtonLayout::SetArrowSize(TStyDDArrowSize Value) {
    Value = std::clamp<TStyDDArrowSize>(Value, 2, 10);
    if (Value == FArrowSize) return;
    FArrowSize = Value;
    Change();
}

void TStyButtonLayout::WriteStored(TStyStoredProperties& P) const {
    TStyGlyphTextLayout::WriteStored(P);
    const TStyButtonLayout d;
    if (FArrow != d.FArrow) P.WriteBool("Arrow", FArrow);
    if (FArrowColor != d.FArrowColor) P.WriteColor("ArrowColor", FArrowColor);
    if (FArrowIndent != d.FArrowIndent) P.WriteInteger("ArrowIndent", FArrowIndent);
    if (FArrowPosition != d.FArrowPosition) P.WriteIdent("ArrowPosition", FArrowPosition, StyNames::ArrowPosition);
    if (FArrowSize != d.FArrowSize) P.WriteInteger("ArrowSize", FArrowSize);
}

void TStyButtonLayout::ReadStored(const TStyStoredProperties& P) {
    TStyButtonLayout t;
    t.LoadStored(P);
    t.FArrow = P.ReadBool("Arrow", t.FArrow);
    t.FArrowColor = P.ReadColor("ArrowColor", t.FArrowColor);
    t.FArrowIndent = P.ReadInteger("ArrowIndent", t.FArrowIndent, -10000, 10000);
    t.FArrowPosition = TStyArrowPosition(P.ReadIdent("ArrowPosition", t.FArrowPosition, StyNames::ArrowPosition));
    t.FArrowSize = TStyDDArrowSize(P.ReadInteger("ArrowSize", t.FArrowSize, 2, 10));
    Assign(&t);
}
