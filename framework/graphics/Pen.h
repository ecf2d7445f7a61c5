#pragma once
#include "framework/classes/Persistent.h"
#include "framework/graphics/Color.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate };

// How the pen's colour meets the pixels under it (the classic binary raster
// operations R2_BLACK .. R2_WHITE, in that order from 1).
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen : public TPersistent {
public:
    TPen() = default;
    String ClassName() const override { return "TPen"; }
    void Assign(TPersistent* source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    int Width() const { return FWidth; }
    void SetWidth(int v);  // values below 1 mean 1
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle v);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode v);

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};
