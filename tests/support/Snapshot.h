#pragma once
// What a control paints, as a bitmap of its size, and whether two pictures
// are the same pixel for pixel.
#include <memory>

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

inline std::unique_ptr<TBitmap> Snapshot(TControl* c) {
    auto bmp = std::make_unique<TBitmap>(c->Width(), c->Height());
    c->PaintTo(bmp->Canvas(), 0, 0);
    return bmp;
}

inline bool SamePicture(TBitmap& a, TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y)) return false;
    return true;
}
