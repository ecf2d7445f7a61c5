#pragma once
#include "styled/storage/StyCustomImageList.h"

class TStyBitmapListItem;

// One bitmap per item.
class TStyBitmapList : public TStyCustomImageList {
public:
    explicit TStyBitmapList(TComponent* AOwner);
    String ClassName() const override { return "TStyBitmapList"; }
    std::unique_ptr<TStyListItem> CreateItem() const override;
    TStyBitmapListItem* Bitmaps(int Index) const;

    TCanvas* ItemCanvas(int ListIndex) const override;
    TRect PictureRect(int ListIndex, int ImageIndex) const override;
    int Dimension(int ListIndex, int Which) const override;
    int ImageCount(int ListIndex) const override;
    bool IsValid(int ListIndex, int ImageIndex) const override;
    void CopyPicture(int ListIndex, int ImageIndex, TBitmap* Dest) const override;
    bool IsMasked(int ListIndex) const override { (void)ListIndex; return false; }
    TColor TransparentColor(int ListIndex, int ImageIndex) const override;
    TColor PixelColor(int ListIndex, int ImageIndex, int X, int Y) const override;
    void Draw(TCanvas* Canvas, int X, int Y, int ListIndex, int ImageIndex) const override;
    void DrawRect(TCanvas* Canvas, const TRect& R, int ListIndex, int ImageIndex) const override;
};
