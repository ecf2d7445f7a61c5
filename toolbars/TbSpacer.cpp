#include "toolbars/TbSpacer.h"

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Pen.h"
#include "toolbars/TbCommon.h"

TTbSpacer::TTbSpacer(TComponent* owner) : TGraphicControl(owner) {
    FWidth = 8;
    FHeight = 25;
}

void TTbSpacer::SetGrooved(bool v) {
    if (v == FGrooved) return;
    FGrooved = v;
    Invalidate();
}

void TTbSpacer::SetOrientation(TOrientation v) {
    if (v == FOrientation) return;
    FOrientation = v;
    if (!HasState(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TTbSpacer::Paint() {
    TCanvas* c = Canvas();
    const TRect r = ClientRect();
    if (!FGrooved) {
        if (HasState(csDesigning)) {
            c->Pen()->SetColor(clBlack);
            c->Pen()->SetStyle(psDot);
            c->Brush()->SetStyle(bsClear);
            c->Rectangle(r);
        }
        return;
    }
    if (r.Width() <= r.Height()) {
        const int x = r.Left + r.Width() / 2 - 1;
        DrawSides(c, Rect(x, r.Top + 1, x + 1, r.Bottom), clBtnShadow, sdLeft, clBtnShadow);
        DrawSides(c, Rect(x + 1, r.Top + 1, x + 2, r.Bottom), clBtnHighlight, sdLeft, clBtnHighlight);
    } else {
        const int y = r.Top + r.Height() / 2 - 1;
        DrawSides(c, Rect(r.Left + 1, y, r.Right, y + 1), clBtnShadow, sdTop, clBtnShadow);
        DrawSides(c, Rect(r.Left + 1, y + 1, r.Right, y + 2), clBtnHighlight, sdTop, clBtnHighlight);
    }
}
