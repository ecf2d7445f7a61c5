#include "gridkit/grid/CellGraphic.h"

#include "framework/classes/StringList.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Picture.h"

namespace {
// Check boxes and radio buttons are drawn 13 and 12 pixels square; a
// little air around them.
constexpr int kBoxSize = 16;
}  // namespace

TCellGraphic::TCellGraphic() = default;
TCellGraphic::~TCellGraphic() = default;

TSize TCellGraphic::Size(int imageWidth, int imageHeight) const {
    switch (Kind) {
    case cgBitmap:
    case cgIcon:
        return Bitmap ? TSize{Bitmap->Width(), Bitmap->Height()} : TSize{0, 0};
    case cgPicture:
        // A stretched picture fits whatever room the cell has.
        if (!Picture || Stretch != psNoStretch) return TSize{0, 0};
        return TSize{Picture->Width(), Picture->Height()};
    case cgImageIndex: return ImageIndex >= 0 ? TSize{imageWidth, imageHeight} : TSize{0, 0};
    case cgImageList:
        if (ImageIndexes.empty()) return TSize{0, 0};
        return TSize{imageWidth * static_cast<int>(ImageIndexes.size()), imageHeight};
    case cgCheckBox: return TSize{kBoxSize, kBoxSize};
    case cgRadio: {
        const int n = Items ? Items->Count() : 0;
        return TSize{n > 0 ? kBoxSize : 0, kBoxSize * n};
    }
    default: return TSize{0, 0};
    }
}
