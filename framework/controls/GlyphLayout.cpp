#include "framework/controls/GlyphLayout.h"

#include <algorithm>

void PlaceGlyphAndText(TButtonLayout layout, int margin, int spacing, int faceW, int faceH, int gw, int gh,
                       int textW, int textH, int offset, TPoint& glyphAt, TPoint& textAt) {
    // An empty caption measures 0 x 0; any other has at least a line's height.
    spacing = gw && (textW || textH) ? spacing : 0;
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    const int totalW = horizontal ? gw + spacing + textW : std::max(gw, textW);
    const int totalH = horizontal ? std::max(gh, textH) : gh + spacing + textH;
    // The margin is measured from the edge the glyph sits at.
    int x = (faceW - totalW) / 2;
    int y = (faceH - totalH) / 2;
    if (margin >= 0) {
        if (layout == blGlyphLeft) x = margin;
        if (layout == blGlyphRight) x = faceW - margin - totalW;
        if (layout == blGlyphTop) y = margin;
        if (layout == blGlyphBottom) y = faceH - margin - totalH;
    }
    x += offset;
    y += offset;
    int gx = x, gy = y + (totalH - gh) / 2, tx = x + gw + spacing, ty = y + (totalH - textH) / 2;
    if (layout == blGlyphRight) {
        tx = x;
        gx = x + textW + spacing;
    } else if (layout == blGlyphTop) {
        gx = x + (totalW - gw) / 2;
        gy = y;
        tx = x + (totalW - textW) / 2;
        ty = y + gh + spacing;
    } else if (layout == blGlyphBottom) {
        tx = x + (totalW - textW) / 2;
        ty = y;
        gx = x + (totalW - gw) / 2;
        gy = y + textH + spacing;
    }
    glyphAt = Point(gx, gy);
    textAt = Point(tx, ty);
}
