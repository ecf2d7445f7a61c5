#include "styled/storage/StyCustomImageList.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "styled/graphics/BitmapDrawing.h"
#include "styled/graphics/StyGraphTypes.h"

TStyCustomImageList::TStyCustomImageList(TComponent* AOwner, TStyContainerKind Kind)
    : TStyCustomContainer(AOwner, Kind) {}

void TStyCustomImageList::SetDefaultCompressed(bool Value) {
    if (Value == FDefaultCompressed) return;
    FDefaultCompressed = Value;
    Change();
}

void TStyCustomImageList::SetDefaultPixelFormat(TStySavePixelFormat Value) {
    if (Value == FDefaultPixelFormat) return;
    FDefaultPixelFormat = Value;
    Change();
}

void TStyCustomImageList::CopySettings(const TStyCustomContainer& Source) {
    if (auto* s = dynamic_cast<const TStyCustomImageList*>(&Source)) {
        FDefaultCompressed = s->FDefaultCompressed;
        FDefaultPixelFormat = s->FDefaultPixelFormat;
    }
}

void TStyCustomImageList::DrawDisabled(TCanvas* Canvas, int X, int Y, int ListIndex, int ImageIndex) const {
    if (!Canvas || !IsValid(ListIndex, ImageIndex)) return;
    TBitmap picture, disabled;
    CopyPicture(ListIndex, ImageIndex, &picture);
    picture.SetTransparentColor(TransparentColor(ListIndex, ImageIndex));
    DrawDisabledBitmap(&disabled, &picture, 0, 0);
    TRect result;
    PlaceBitmap(Canvas, Bounds(X, Y, disabled.Width(), disabled.Height()), disabled.Canvas(),
                Rect(0, 0, disabled.Width(), disabled.Height()), dfTransparentColor,
                picture.TransparentColor(), nullptr, nullptr, result);
}
