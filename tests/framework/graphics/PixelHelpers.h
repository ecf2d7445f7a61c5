#pragma once
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

// A white bitmap of the given size.
inline std::unique_ptr<TBitmap> WhiteBitmap(int w, int h) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(w, h);
    return b;
}

// The smallest rectangle holding every pixel that is not `background`
// (empty when there is none).
inline TRect InkBox(TBitmap& b, TColor background = clWhite) {
    TRect box{b.Width(), b.Height(), 0, 0};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Canvas()->Pixels(x, y) != background) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box.IsEmpty() ? TRect{} : box;
}

inline int CountColor(TBitmap& b, TColor c, const TRect& area) {
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (b.Canvas()->Pixels(x, y) == c) ++n;
    return n;
}
