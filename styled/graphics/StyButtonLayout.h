#pragma once
#include "framework/graphics/Color.h"
#include "styled/graphics/StyGlyphTextLayout.h"

// The layout of a button face: centred by default, with an optional
// drop-down arrow beside the caption or the glyph.
class TStyButtonLayout : public TStyGlyphTextLayout {
public:
    TStyButtonLayout();
    String ClassName() const override { return "TStyButtonLayout"; }
    // A plain glyph-and-text layout as the source copies only what it has.
    void Assign(TPersistent* Source) override;

    bool Arrow() const { return FArrow; }
    void SetArrow(bool Value);
    TColor ArrowColor() const { return FArrowColor; }
    void SetArrowColor(TColor Value);
    int ArrowIndent() const { return FArrowIndent; }
    void SetArrowIndent(int Value);
    TStyArrowPosition ArrowPosition() const { return FArrowPosition; }
    void SetArrowPosition(TStyArrowPosition Value);
    TStyDDArrowSize ArrowSize() const { return FArrowSize; }
    void SetArrowSize(TStyDDArrowSize Value);  // 2..10

    // The width the arrow takes beside its element: a drop-down arrow of
    // ArrowSize is 2 * ArrowSize - 1 pixels wide.
    int ArrowWidth() const { return 2 * FArrowSize - 1; }

    void WriteStored(TStyStoredProperties& P) const override;
    void ReadStored(const TStyStoredProperties& P) override;

protected:
    TStyAlignment DefaultAlignment() const override { return agCenter; }

private:
    bool FArrow = false;
    TColor FArrowColor = clBlack;
    int FArrowIndent = 3;
    TStyArrowPosition FArrowPosition = apRightText;
    TStyDDArrowSize FArrowSize = 3;
};
