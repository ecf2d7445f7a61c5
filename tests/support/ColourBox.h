#pragma once
// Where a colour was painted: the smallest rectangle inside `area` that
// holds every pixel of `colour` on the canvas (empty when there is none).
#include <algorithm>

#include "framework/graphics/Canvas.h"

inline TRect ColourBox(TCanvas* canvas, const TRect& area, TColor colour) {
    const TColor rgb = ColorToRGB(colour);
    TRect box{area.Right, area.Bottom, area.Left, area.Top};
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (canvas->Pixels(x, y) == rgb) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box.IsEmpty() ? TRect{} : box;
}
