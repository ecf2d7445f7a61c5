#pragma once
#include "styled/base/StyObject.h"
#include "styled/graphics/StyGraphTypes.h"

class TStyStoredProperties;

// Where a glyph and a caption go as one block: the block's place in the
// control, the caption's place beside the glyph, a shift and the gap.
class TStyGlyphTextLayout : public TStyObject {
public:
    TStyGlyphTextLayout() = default;
    String ClassName() const override { return "TStyGlyphTextLayout"; }
    void Assign(TPersistent* Source) override;

    TStyAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TStyAlignment Value);
    TStyTextArrange AlignText2Glyph() const { return FAlignText2Glyph; }
    void SetAlignText2Glyph(TStyTextArrange Value);
    int OffsetX() const { return FOffset[0]; }
    void SetOffsetX(int Value) { SetOffset(0, Value); }
    int OffsetY() const { return FOffset[1]; }
    void SetOffsetY(int Value) { SetOffset(1, Value); }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);

    // The stored form: what differs from the defaults.
    virtual void WriteStored(TStyStoredProperties& P) const;
    // Reads the stored form into a copy and assigns it: one change report,
    // and a bad line leaves this object as it was.
    virtual void ReadStored(const TStyStoredProperties& P);

protected:
    void LoadStored(const TStyStoredProperties& P);
    // What a new object of the class starts with (a button is centred).
    virtual TStyAlignment DefaultAlignment() const { return agTopLeft; }
    void SetOffset(int Index, int Value);

    TStyAlignment FAlignment = agTopLeft;
    TStyTextArrange FAlignText2Glyph = taRight;
    int FOffset[2] = {0, 0};
    int FSpacing = 2;
};
