#include "framework/controls/Shape.h"

#include <algorithm>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Pen.h"

TShape::TShape(TComponent* owner) : TGraphicControl(owner), FPen(new TPen), FBrush(new TBrush) {
    FWidth = 65;
    FHeight = 65;
    FPen->OnChange = [this](TObject*) { Invalidate(); };
    FBrush->OnChange = [this](TObject*) { Invalidate(); };
}

TShape::~TShape() {
    FPen->OnChange = nullptr;
    FBrush->OnChange = nullptr;
}

void TShape::SetShape(TShapeType v) {
    if (v == FShape) return;
    FShape = v;
    Invalidate();
}

void TShape::Paint() {
    TCanvas* c = Canvas();
    c->SetPen(FPen.get());
    c->SetBrush(FBrush.get());
    // The pen stays inside the control.
    const int pw = FPen->Width();
    int x = pw / 2, y = pw / 2;
    int w = FWidth - pw + 1, h = FHeight - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        const int s = std::min(w, h);
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = h = s;
    }
    switch (FShape) {
    case stRectangle:
    case stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: {
        const int r = std::min(w, h) / 4;
        c->RoundRect(x, y, x + w, y + h, r, r);
        break;
    }
    case stEllipse:
    case stCircle: c->Ellipse(x, y, x + w, y + h); break;
    }
}
