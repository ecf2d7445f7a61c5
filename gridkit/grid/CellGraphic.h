#pragma once
// What a cell's object slot may hold when the grid's EnableGraphics is on:
// one picture-like thing and the data it needs. The object owns what it
// holds; the grid frees it when the cell is cleared.
#include <memory>
#include <vector>

#include "framework/rtl/Types.h"

class TBitmap;
class TPicture;
class TStringList;

enum TCellGraphicKind : unsigned char {
    cgNone, cgBitmap, cgIcon, cgImageIndex, cgImageList, cgCheckBox, cgNode, cgRadio, cgPicture, cgHint
};

enum TCellPictureStretch { psNoStretch, psStretch, psShrink };

class TCellGraphic : public TObject {
public:
    TCellGraphic();
    ~TCellGraphic() override;

    TCellGraphicKind Kind = cgNone;
    // cgBitmap and cgIcon keep their image here, cgPicture its picture.
    std::unique_ptr<TBitmap> Bitmap;
    std::unique_ptr<TPicture> Picture;
    TCellPictureStretch Stretch = psNoStretch;
    // cgImageIndex: one image of the grid's image list; cgImageList: several.
    int ImageIndex = -1;
    std::vector<int> ImageIndexes;
    bool Checked = false;       // cgCheckBox
    int NodeSpan = 0;           // cgNode: rows the node covers
    bool Expanded = true;
    std::unique_ptr<TStringList> Items;  // cgRadio items, cgHint lines
    int ItemIndex = -1;         // cgRadio

    // The room the graphic takes in its cell; images of the list are
    // imageWidth x imageHeight each.
    TSize Size(int imageWidth, int imageHeight) const;
};
