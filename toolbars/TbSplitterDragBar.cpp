#include "toolbars/TbSplitterDragBar.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"

TTbSplitterDragBar::TTbSplitterDragBar(TComponent* owner) : TCustomControl(owner) {
    ControlStyle = csOpaque;
    SetTabStop(false);
}

void TTbSplitterDragBar::Paint() {
    // White with black where x + y is odd: the pattern reads as a grey bar
    // over any background and never hides what lies under it for long.
    TBitmap pattern(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) pattern.Canvas()->SetPixels(x, y, (x + y) % 2 ? clBlack : clWhite);
    TCanvas* c = Canvas();
    c->Brush()->SetBitmap(&pattern);
    c->FillRect(ClientRect());
    c->Brush()->SetBitmap(nullptr);
}
