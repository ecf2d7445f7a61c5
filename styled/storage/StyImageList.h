#pragma once
#include "styled/storage/StyCustomImageList.h"

class TStyImageListItem;

// Each item a strip of equal cells.
class TStyImageList : public TStyCustomImageList {
public:
    explicit TStyImageList(TComponent* AOwner);
    String ClassName() const override { return "TStyImageList"; }
    std::unique_ptr<TStyListItem> CreateItem() const override;
    TStyImageListItem* Images(int Index) const;

    TCanvas* ItemCanvas(int ListIndex) const override;
    TRect PictureRect(int ListIndex, int ImageIndex) const override;
    int Dimension(int ListIndex, int Which) const override;
    // -1 for a list index out of range.
    int ImageCount(int ListIndex) const override;
    bool IsValid(int ListIndex, int ImageIndex) const override;
    void CopyPicture(int ListIndex, int ImageIndex, TBitmap* Dest) const override;
    bool IsMasked(int ListIndex) const override;
    TColor TransparentColor(int ListIndex, int ImageIndex) const override;
    TColor PixelColor(int ListIndex, int ImageIndex, int X, int Y) const override;
    void Draw(TCanvas* Canvas, int X, int Y, int ListIndex, int ImageIndex) const override;
    void DrawRect(TCanvas* Canvas, const TRect& R, int ListIndex, int ImageIndex) const override;
};
