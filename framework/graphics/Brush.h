#pragma once
#include "framework/classes/Persistent.h"
#include "framework/graphics/Color.h"

class TBitmap;

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// A brush with a Bitmap paints with that bitmap as a pattern tiled from the
// surface's origin, whatever its Style says. The brush refers to the bitmap, it does not own
// it: the caller keeps it alive while the brush uses it.
class TBrush : public TPersistent {
public:
    TBrush() = default;
    String ClassName() const override { return "TBrush"; }
    void Assign(TPersistent* source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor v);  // a solid colour turns a clear brush solid
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle v);
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* v);

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};
