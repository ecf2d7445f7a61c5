#pragma once
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

inline std::unique_ptr<TBitmap> FilledBitmap(int w, int h, TColor color = clWhite) {
    auto b = std::make_unique<TBitmap>(w, h);
    b->Canvas()->Brush()->SetColor(color);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

inline TColor Px(TBitmap& b, int x, int y) { return b.Canvas()->Pixels(x, y); }
inline TColor Rgb(TColor c) { return ColorToRGB(c); }

// The smallest rectangle holding every pixel of `color` (or, with
// `except`, every pixel that is not `color`).
inline TRect ColorBox(TBitmap& b, TColor color, bool except = false) {
    TRect box{b.Width(), b.Height(), 0, 0};
    const TColor c = ColorToRGB(color);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if ((Px(b, x, y) == c) != except) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box.IsEmpty() ? TRect{} : box;
}

inline int Count(TBitmap& b, TColor color, const TRect& area) {
    int n = 0;
    const TColor c = ColorToRGB(color);
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (Px(b, x, y) == c) ++n;
    return n;
}

inline TRect Whole(TBitmap& b) { return Rect(0, 0, b.Width(), b.Height()); }
