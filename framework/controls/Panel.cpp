#include "framework/controls/Panel.h"

#include <cstdlib>

#include "framework/controls/qt/WsControl.h"
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
    // A panel made a dock site lays its clients out with a dock manager.
    SetUseDockManager(true);
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

void TPanel::SetFullRepaint(bool v) {
    if (v == FFullRepaint) return;
    FFullRepaint = v;
    ApplyRepaintMode();
}

void TPanel::InitWidget() {
    TCustomControl::InitWidget();
    FPaintedWidth = FWidth;
    FPaintedHeight = FHeight;
    ApplyRepaintMode();
}

void TPanel::TextChanged() {
    TCustomControl::TextChanged();
    ApplyRepaintMode();
}

void TPanel::ApplyRepaintMode() {
    // Only then does the toolkit keep what is painted across a resize and
    // leave the repainting to Resize.
    if (FWidget) velmor_ws::SetStaticContents(FWidget, !FFullRepaint && !FText.empty());
}

TRect TPanel::CaptionBand(int width, int height) const {
    TRect inner = Rect(0, 0, width, height);
    const_cast<TPanel*>(this)->AdjustClientRect(inner);
    // Generous: a line and a half above and below the middle.
    int lineHeight = std::abs(Font()->Height()) * 3 / 2 + 2;
    int mid = inner.Top + inner.Height() / 2;
    return Rect(0, mid - lineHeight, width, mid + lineHeight);
}

std::vector<TRect> TPanel::ResizeRepaintAreas(int oldWidth, int oldHeight) const {
    std::vector<TRect> areas;
    TRect inner = ClientRect();
    const_cast<TPanel*>(this)->AdjustClientRect(inner);
    int edgeRight = FWidth - inner.Right, edgeBottom = FHeight - inner.Bottom;
    if (FWidth != oldWidth) areas.push_back(Rect(std::min(FWidth, oldWidth) - edgeRight - 1, 0, FWidth, FHeight));
    if (FHeight != oldHeight) areas.push_back(Rect(0, std::min(FHeight, oldHeight) - edgeBottom - 1, FWidth, FHeight));
    // The caption is placed by the size, so its old and new places both
    // need painting, or the old text would stay behind.
    areas.push_back(CaptionBand(oldWidth, oldHeight));
    areas.push_back(CaptionBand(FWidth, FHeight));
    return areas;
}

void TPanel::Resize() {
    TCustomControl::Resize();
    if (FWidget) {
        if (!FFullRepaint && !FText.empty()) {
            std::vector<TRect> areas = ResizeRepaintAreas(FPaintedWidth, FPaintedHeight);
            if (areas.empty()) Invalidate();
            for (const TRect& r : areas) Invalidate(r);
        } else {
            Invalidate();
        }
    }
    FPaintedWidth = FWidth;
    FPaintedHeight = FHeight;
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
