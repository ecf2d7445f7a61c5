#include "framework/controls/StatusBar.h"

#include <algorithm>

#include "framework/controls/Form.h"
#include "framework/controls/StatusPanel.h"
#include "framework/controls/StatusPanels.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/rtl/Exception.h"

void TStatusPanel::Changed() {
    if (FOwner) FOwner->PanelsChanged();
}

void TStatusPanel::SetText(const String& v) {
    if (v == FText) return;
    FText = v;
    Changed();
}

void TStatusPanel::SetWidth(int v) {
    if (v == FWidth) return;
    FWidth = v;
    Changed();
}

void TStatusPanel::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel v) {
    if (v == FBevel) return;
    FBevel = v;
    Changed();
}

TStatusPanels::TStatusPanels(TStatusBar* owner) : FOwner(owner) {}
TStatusPanels::~TStatusPanels() = default;

TStatusPanel* TStatusPanels::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(RtlConsts::SListIndexError, {index});
    return FItems[static_cast<size_t>(index)].get();
}

TStatusPanel* TStatusPanels::Add() {
    FItems.push_back(std::make_unique<TStatusPanel>(FOwner));
    if (FOwner) FOwner->PanelsChanged();
    return FItems.back().get();
}

void TStatusPanels::Delete(int index) {
    Items(index);
    FItems.erase(FItems.begin() + index);
    if (FOwner) FOwner->PanelsChanged();
}

void TStatusPanels::Clear() {
    FItems.clear();
    if (FOwner) FOwner->PanelsChanged();
}

TStatusBar::TStatusBar(TComponent* owner) : TCustomControl(owner), FPanels(new TStatusPanels(this)) {
    ControlStyle |= csOpaque;
    FColor = clBtnFace;
    FParentColor = false;
    FWidth = 200;
    FHeight = 19;
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::SetSimplePanel(bool v) {
    if (v == FSimplePanel) return;
    FSimplePanel = v;
    Invalidate();
}

void TStatusBar::SetSimpleText(const String& v) {
    if (v == FSimpleText) return;
    FSimpleText = v;
    if (FSimplePanel) Invalidate();
}

void TStatusBar::SetSizeGrip(bool v) {
    if (v == FSizeGrip) return;
    FSizeGrip = v;
    Invalidate();
}

bool TStatusBar::GripShown() const {
    if (!FSizeGrip) return false;
    TForm* form = GetParentForm(const_cast<TStatusBar*>(this));
    if (!form || form->WindowState() == wsMaximized) return false;
    return form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin;
}

TRect TStatusBar::GripRect() const {
    if (!GripShown()) return Rect(0, 0, 0, 0);
    const int side = std::max(0, FHeight - 2);
    return Rect(FWidth - side, FHeight - side, FWidth, FHeight);
}

void TStatusBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TForm* form = GetParentForm(this);
    if (button == mbLeft && form && GripRect().Contains(Point(x, y))) {
        FGripping = true;
        FGripStart = ClientToScreen(Point(x, y));
        FGripWidth = form->Width();
        FGripHeight = form->Height();
        SetMouseCapture(true);
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TStatusBar::MouseMove(TShiftState shift, int x, int y) {
    if (FGripping) {
        if (TForm* form = GetParentForm(this)) {
            const TPoint at = ClientToScreen(Point(x, y));
            form->SetBounds(form->Left(), form->Top(), FGripWidth + at.X - FGripStart.X,
                            FGripHeight + at.Y - FGripStart.Y);
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TStatusBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (FGripping && button == mbLeft) {
        FGripping = false;
        SetMouseCapture(false);
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

TRect TStatusBar::PanelRect(int index) const {
    int left = 0;
    for (int i = 0; i < FPanels->Count(); ++i) {
        const bool last = i == FPanels->Count() - 1;
        const int w = last ? std::max(FPanels->Items(i)->Width(), FWidth - left) : FPanels->Items(i)->Width();
        if (i == index) return Rect(left, 2, left + w, FHeight);
        left += w + 2;
    }
    return Rect(0, 0, 0, 0);
}

void TStatusBar::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(ClientRect());
    c->Brush()->SetStyle(bsClear);
    auto text = [&](TRect r, const String& s, TAlignment a) {
        r.Left += 3;
        r.Right -= 3;
        unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
        if (a == taCenter) flags |= DT_CENTER;
        if (a == taRightJustify) flags |= DT_RIGHT;
        DrawText(c, s, r, flags);
    };
    // The grip is drawn last, over the end of the last panel.
    TRect grip = GripRect();
    if (FSimplePanel || FPanels->Count() == 0) {
        TRect r = Rect(0, 2, FWidth - grip.Width(), FHeight);
        text(r, FSimplePanel ? FSimpleText : String(), taLeftJustify);
    } else {
        for (int i = 0; i < FPanels->Count(); ++i) {
            TStatusPanel* p = FPanels->Items(i);
            TRect r = PanelRect(i);
            if (p->Bevel() != pbNone) {
                TRect f = r;
                Frame3D(c, f, p->Bevel() == pbLowered ? clBtnShadow : clBtnHighlight,
                        p->Bevel() == pbLowered ? clBtnHighlight : clBtnShadow, 1);
            }
            text(r, p->Text(), p->Alignment());
        }
    }
    if (grip.Width() > 0) DrawFrameControl(c, grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}
