#include "styled/storage/StyImageList.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "styled/graphics/StyGraphTypes.h"
#include "styled/storage/StyImageListItem.h"

TStyImageList::TStyImageList(TComponent* AOwner) : TStyCustomImageList(AOwner, ckImageList) {}

std::unique_ptr<TStyListItem> TStyImageList::CreateItem() const {
    auto item = std::make_unique<TStyImageListItem>();
    item->SetCompressed(DefaultCompressed());
    item->SetPixelFormat(DefaultPixelFormat());
    return item;
}

TStyImageListItem* TStyImageList::Images(int Index) const { return static_cast<TStyImageListItem*>(Item(Index)); }

TCanvas* TStyImageList::ItemCanvas(int ListIndex) const {
    auto* i = Images(ListIndex);
    return i ? i->Strip()->Canvas() : nullptr;
}

TRect TStyImageList::PictureRect(int ListIndex, int ImageIndex) const {
    auto* i = Images(ListIndex);
    return i ? i->CellRect(ImageIndex) : TRect{};
}

int TStyImageList::Dimension(int ListIndex, int Which) const {
    auto* i = Images(ListIndex);
    if (!i) return 0;
    return Which == 0 ? i->Width() : i->Height();
}

int TStyImageList::ImageCount(int ListIndex) const {
    auto* i = Images(ListIndex);
    return i ? i->Count() : -1;
}

bool TStyImageList::IsValid(int ListIndex, int ImageIndex) const {
    auto* i = Images(ListIndex);
    return i && ImageIndex >= 0 && ImageIndex < i->Count();
}

void TStyImageList::CopyPicture(int ListIndex, int ImageIndex, TBitmap* Dest) const {
    if (auto* i = Images(ListIndex)) i->CopyCell(ImageIndex, Dest);
}

bool TStyImageList::IsMasked(int ListIndex) const {
    auto* i = Images(ListIndex);
    return i && i->Masked();
}

TColor TStyImageList::TransparentColor(int ListIndex, int ImageIndex) const {
    auto* i = Images(ListIndex);
    return i ? i->CellTransparentColor(ImageIndex) : clWhite;
}

TColor TStyImageList::PixelColor(int ListIndex, int ImageIndex, int X, int Y) const {
    auto* i = Images(ListIndex);
    if (!i || !IsValid(ListIndex, ImageIndex)) return clWhite;
    const TRect cell = i->CellRect(ImageIndex);
    return i->Strip()->Canvas()->Pixels(cell.Left + X, cell.Top + Y);
}

void TStyImageList::Draw(TCanvas* Canvas, int X, int Y, int ListIndex, int ImageIndex) const {
    auto* i = Images(ListIndex);
    if (!i) return;
    i->DrawCell(Canvas, Bounds(X, Y, i->Width(), i->Height()), ImageIndex);
}

void TStyImageList::DrawRect(TCanvas* Canvas, const TRect& R, int ListIndex, int ImageIndex) const {
    if (auto* i = Images(ListIndex)) i->DrawCell(Canvas, R, ImageIndex, dfStretch);
}
