#include "framework/controls/Panel.h"

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    ControlStyle |= csAcceptsControls | csOpaque;
    FWidth = 185;
    FHeight = 41;
    FColor = clBtnFace;
    FParentColor = false;
}

void TPanel::Changed() {
    Realign();
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut v) {
    if (v == FBevelInner) return;
    FBevelInner = v;
    Changed();
}

void TPanel::SetBevelOuter(TBevelCut v) {
    if (v == FBevelOuter) return;
    FBevelOuter = v;
    Changed();
}

void TPanel::SetBevelWidth(int v) {
    v = std::max(v, 1);
    if (v == FBevelWidth) return;
    FBevelWidth = v;
    Changed();
}

void TPanel::SetBorderWidth(int v) {
    v = std::max(v, 0);
    if (v == FBorderWidth) return;
    FBorderWidth = v;
    Changed();
}

void TPanel::SetBorderStyle(TControlBorderStyle v) {
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    Changed();
}

void TPanel::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

void TPanel::AdjustClientRect(TRect& rect) {
    int inset = FBorderWidth;
    if (FBevelOuter != bvNone) inset += FBevelWidth;
    if (FBevelInner != bvNone) inset += FBevelWidth;
    if (FBorderStyle == bsSingleBorder) inset += 2;
    rect.Left += inset;
    rect.Top += inset;
    rect.Right -= inset;
    rect.Bottom -= inset;
}

void TPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
    if (FBorderStyle == bsSingleBorder) {
        Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
        Frame3D(c, r, cl3DDkShadow, clBtnFace, 1);
    }
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        if (cut == bvSpace) {
            r.Left += FBevelWidth;
            r.Top += FBevelWidth;
            r.Right -= FBevelWidth;
            r.Bottom -= FBevelWidth;
            return;
        }
        Frame3D(c, r, cut == bvLowered ? clBtnShadow : clBtnHighlight,
                cut == bvLowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
    };
    bevel(FBevelOuter);
    r.Left += FBorderWidth;
    r.Top += FBorderWidth;
    r.Right -= FBorderWidth;
    r.Bottom -= FBorderWidth;
    bevel(FBevelInner);
    if (!FText.empty()) {
        c->Brush()->SetStyle(bsClear);
        unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
        if (FAlignment == taCenter) flags |= DT_CENTER;
        if (FAlignment == taRightJustify) flags |= DT_RIGHT;
        TRect t = r;
        t.Left += 2;
        t.Right -= 2;
        DrawText(c, FText, t, flags);
    }
}
