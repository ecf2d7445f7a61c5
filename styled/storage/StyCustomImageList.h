#pragma once
#include "framework/graphics/Color.h"
#include "styled/storage/StyCustomContainer.h"

class TBitmap;
class TCanvas;

// A container of pictures addressed by (list index, image index): the
// bitmap list has one picture per item, the image list the cells of each
// item's strip. A list index out of range answers 0, an empty result or
// white (0xFFFFFF) and draws nothing.
class TStyCustomImageList : public TStyCustomContainer {
public:
    TStyCustomImageList(TComponent* AOwner, TStyContainerKind Kind);
    String ClassName() const override { return "TStyCustomImageList"; }

    bool DefaultCompressed() const { return FDefaultCompressed; }
    void SetDefaultCompressed(bool Value);
    TStySavePixelFormat DefaultPixelFormat() const { return FDefaultPixelFormat; }
    void SetDefaultPixelFormat(TStySavePixelFormat Value);

    virtual TCanvas* ItemCanvas(int ListIndex) const = 0;
    virtual TRect PictureRect(int ListIndex, int ImageIndex) const = 0;
    // Which 0: width, 1: height.
    virtual int Dimension(int ListIndex, int Which) const = 0;
    virtual int ImageCount(int ListIndex) const = 0;
    virtual bool IsValid(int ListIndex, int ImageIndex) const = 0;
    virtual void CopyPicture(int ListIndex, int ImageIndex, TBitmap* Dest) const = 0;
    virtual bool IsMasked(int ListIndex) const = 0;
    virtual TColor TransparentColor(int ListIndex, int ImageIndex) const = 0;
    virtual TColor PixelColor(int ListIndex, int ImageIndex, int X, int Y) const = 0;
    virtual void Draw(TCanvas* Canvas, int X, int Y, int ListIndex, int ImageIndex) const = 0;
    virtual void DrawRect(TCanvas* Canvas, const TRect& R, int ListIndex, int ImageIndex) const = 0;
    // The etched grey look of a disabled glyph.
    void DrawDisabled(TCanvas* Canvas, int X, int Y, int ListIndex, int ImageIndex) const;

protected:
    void CopySettings(const TStyCustomContainer& Source) override;

private:
    bool FDefaultCompressed = false;
    TStySavePixelFormat FDefaultPixelFormat = spfDefault;
};
