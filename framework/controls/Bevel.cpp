#include "framework/controls/Bevel.h"

#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Pen.h"

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    FWidth = 50;
    FHeight = 50;
}

void TBevel::SetShape(TBevelShape v) {
    if (v == FShape) return;
    FShape = v;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas* c = Canvas();
    const TColor dark = clBtnShadow, light = clBtnHighlight;
    const TColor c1 = FStyle == bsLowered ? dark : light;
    const TColor c2 = FStyle == bsLowered ? light : dark;
    auto line = [&](TColor col, int x1, int y1, int x2, int y2) {
        c->Pen()->SetColor(col);
        c->Pen()->SetWidth(1);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    TRect r = ClientRect();
    switch (FShape) {
    case bsBox: Frame3D(c, r, c1, c2, 1); break;
    case bsFrame: {
        TRect outer = Rect(0, 0, FWidth - 1, FHeight - 1);
        Frame3D(c, outer, c1, c1, 1);
        TRect inner = Rect(1, 1, FWidth, FHeight);
        Frame3D(c, inner, c2, c2, 1);
        break;
    }
    case bsTopLine:
        line(c1, 0, 0, FWidth, 0);
        line(c2, 0, 1, FWidth, 1);
        break;
    case bsBottomLine:
        line(c1, 0, FHeight - 2, FWidth, FHeight - 2);
        line(c2, 0, FHeight - 1, FWidth, FHeight - 1);
        break;
    case bsLeftLine:
        line(c1, 0, 0, 0, FHeight);
        line(c2, 1, 0, 1, FHeight);
        break;
    case bsRightLine:
        line(c1, FWidth - 2, 0, FWidth - 2, FHeight);
        line(c2, FWidth - 1, 0, FWidth - 1, FHeight);
        break;
    case bsSpacer: break;
    }
}
