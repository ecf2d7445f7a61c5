#pragma once
#include <memory>

#include "framework/graphics/Color.h"
#include "styled/graphics/StyShapeFill.h"

class TBrush;
class TCanvas;

// The background fill of a panel or form: the shape fill's styles plus a
// brush of its own, the placement of an unscaled bitmap, and options.
class TStyFillObject : public TStyShapeFill {
public:
    TStyFillObject();
    ~TStyFillObject() override;
    String ClassName() const override { return "TStyFillObject"; }
    // Copies the alignment and offsets too: a copy that lost them would
    // put an unscaled bitmap elsewhere. A plain shape fill as the source
    // copies only what it has.
    void Assign(TPersistent* Source) override;

    // Alignment and offsets report a change only where they show: an
    // unscaled bitmap (sfBitmap or sfBitmapList with tmNone).
    TStyAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TStyAlignment Value);
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value);
    int OffsetX() const { return FOffset[0]; }
    void SetOffsetX(int Value) { SetOffset(0, Value); }
    int OffsetY() const { return FOffset[1]; }
    void SetOffsetY(int Value) { SetOffset(1, Value); }
    TStyFillOptions Options() const { return FOptions; }
    void SetOptions(TStyFillOptions Value);

    // Paints R by Style; true when something was painted. BackColor fills
    // what the fill leaves (with foFillInner) and the gaps of a hatch.
    bool FillCanvas(TCanvas* Canvas, const TRect& R, TColor BackColor);

    void WriteStored(TStyStoredProperties& P) const override;
    void ReadStored(const TStyStoredProperties& P) override;

private:
    bool PositionShows() const;
    void SetOffset(int Index, int Value);

    std::unique_ptr<TBrush> FBrush;
    TStyAlignment FAlignment = agTopLeft;
    int FOffset[2] = {0, 0};
    TStyFillOptions FOptions = FillOption(foFillInner) | FillOption(foGrUseBitmap);
};
