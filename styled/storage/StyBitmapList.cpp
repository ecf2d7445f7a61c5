#include "styled/storage/StyBitmapList.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "styled/graphics/BitmapDrawing.h"
#include "styled/graphics/StyGraphTypes.h"
#include "styled/storage/StyBitmapListItem.h"

TStyBitmapList::TStyBitmapList(TComponent* AOwner) : TStyCustomImageList(AOwner, ckBitmapList) {}

std::unique_ptr<TStyListItem> TStyBitmapList::CreateItem() const {
    auto item = std::make_unique<TStyBitmapListItem>();
    item->SetCompressed(DefaultCompressed());
    item->SetPixelFormat(DefaultPixelFormat());
    return item;
}

TStyBitmapListItem* TStyBitmapList::Bitmaps(int Index) const { return static_cast<TStyBitmapListItem*>(Item(Index)); }

TCanvas* TStyBitmapList::ItemCanvas(int ListIndex) const {
    auto* b = Bitmaps(ListIndex);
    return b ? b->Bitmap()->Canvas() : nullptr;
}

TRect TStyBitmapList::PictureRect(int ListIndex, int ImageIndex) const {
    (void)ImageIndex;
    auto* b = Bitmaps(ListIndex);
    return b ? Rect(0, 0, b->Bitmap()->Width(), b->Bitmap()->Height()) : TRect{};
}

int TStyBitmapList::Dimension(int ListIndex, int Which) const {
    auto* b = Bitmaps(ListIndex);
    if (!b) return 0;
    return Which == 0 ? b->Bitmap()->Width() : b->Bitmap()->Height();
}

int TStyBitmapList::ImageCount(int ListIndex) const {
    auto* b = Bitmaps(ListIndex);
    return b && !b->Bitmap()->Empty() ? 1 : 0;
}

bool TStyBitmapList::IsValid(int ListIndex, int ImageIndex) const {
    (void)ImageIndex;
    auto* b = Bitmaps(ListIndex);
    return b && !b->Bitmap()->Empty();
}

void TStyBitmapList::CopyPicture(int ListIndex, int ImageIndex, TBitmap* Dest) const {
    (void)ImageIndex;
    if (auto* b = Bitmaps(ListIndex); b && Dest) Dest->Assign(b->Bitmap());
}

TColor TStyBitmapList::TransparentColor(int ListIndex, int ImageIndex) const {
    (void)ImageIndex;
    auto* b = Bitmaps(ListIndex);
    return b && !b->Bitmap()->Empty() ? b->Bitmap()->TransparentColor() : clWhite;
}

TColor TStyBitmapList::PixelColor(int ListIndex, int ImageIndex, int X, int Y) const {
    (void)ImageIndex;
    auto* b = Bitmaps(ListIndex);
    return b ? b->Bitmap()->Canvas()->Pixels(X, Y) : clWhite;
}

void TStyBitmapList::Draw(TCanvas* Canvas, int X, int Y, int ListIndex, int ImageIndex) const {
    if (!IsValid(ListIndex, ImageIndex)) return;
    TBitmap* b = Bitmaps(ListIndex)->Bitmap();
    DrawRect(Canvas, Bounds(X, Y, b->Width(), b->Height()), ListIndex, ImageIndex);
}

void TStyBitmapList::DrawRect(TCanvas* Canvas, const TRect& R, int ListIndex, int ImageIndex) const {
    if (!Canvas || !IsValid(ListIndex, ImageIndex)) return;
    TBitmap* b = Bitmaps(ListIndex)->Bitmap();
    TRect result;
    const Word flags = b->Transparent() ? Word(dfStretch | dfTransparentColor) : Word(dfStretch);
    PlaceBitmap(Canvas, R, b->Canvas(), Rect(0, 0, b->Width(), b->Height()), flags, b->TransparentColor(), nullptr,
                nullptr, result);
}
