#include "styled/graphics/StyGlyphTextLayout.h"

#include <cstdint>
#include "styled/graphics/StyStoredProperties.h"

void TStyGlyphTextLayout::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyGlyphTextLayout*>(Source)) {
        FAlignment = s->FAlignment;
        FAlignText2Glyph = s->FAlignText2Glyph;
        FOffset[0] = s->FOffset[0];
        FOffset[1] = s->FOffset[1];
        FSpacing = s->FSpacing;
        Change();
        return;
    }
    TStyObject::Assign(Source);
}

void TStyGlyphTextLayout::SetAlignment(TStyAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Change();
}

void TStyGlyphTextLayout::SetAlignText2Glyph(TStyTextArrange Value) {
    if (Value == FAlignText2Glyph) return;
    FAlignText2Glyph = Value;
    Change();
}

void TStyGlyphTextLayout::SetOffset(int Index, int Value) {
    if (FOffset[Index] == Value) return;
    FOffset[Index] = Value;
    Change();
}

void TStyGlyphTextLayout::SetSpacing(int Value) {
    if (Value == FSpacing) return;
    FSpacing = Value;
    Change();
}

void TStyGlyphTextLayout::WriteStored(TStyStoredProperties& P) const {
    TStyGlyphTextLayout plain;
    if (FAlignment != DefaultAlignment()) P.WriteIdent("Alignment", FAlignment, StyNames::Alignment);
    if (FAlignText2Glyph != plain.FAlignText2Glyph) P.WriteIdent("AlignText2Glyph", FAlignText2Glyph, StyNames::TextArrange);
    if (FOffset[0] != 0) P.WriteInteger("OffsetX", FOffset[0]);
    if (FOffset[1] != 0) P.WriteInteger("OffsetY", FOffset[1]);
    if (FSpacing != plain.FSpacing) P.WriteInteger("Spacing", FSpacing);
}

void TStyGlyphTextLayout::LoadStored(const TStyStoredProperties& P) {
    FAlignment = TStyAlignment(P.ReadIdent("Alignment", FAlignment, StyNames::Alignment));
    FAlignText2Glyph = TStyTextArrange(P.ReadIdent("AlignText2Glyph", FAlignText2Glyph, StyNames::TextArrange));
    FOffset[0] = P.ReadInteger("OffsetX", FOffset[0], INT32_MIN, INT32_MAX);
    FOffset[1] = P.ReadInteger("OffsetY", FOffset[1], INT32_MIN, INT32_MAX);
    FSpacing = P.ReadInteger("Spacing", FSpacing, INT32_MIN, INT32_MAX);
}

void TStyGlyphTextLayout::ReadStored(const TStyStoredProperties& P) {
    TStyGlyphTextLayout t;
    t.LoadStored(P);
    Assign(&t);
}
