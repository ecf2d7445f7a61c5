#include "framework/controls/Splitter.h"

#include <algorithm>

#include "framework/controls/WinControl.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
    FWidth = 3;
    FHeight = 100;
    SetAlign(alLeft);
    SetCursor(crHSplit);
}

TControl* TSplitter::ResizeControl() const {
    if (!FParent) return nullptr;
    const TAlign a = Align();
    TControl* best = nullptr;
    for (int i = 0; i < FParent->ControlCount(); ++i) {
        TControl* c = FParent->Controls(i);
        if (c == this || !c->Visible() || c->Align() != a) continue;
        bool touches = false;
        switch (a) {
        case alLeft: touches = c->Left() + c->Width() == FLeft; break;
        case alRight: touches = c->Left() == FLeft + FWidth; break;
        case alTop: touches = c->Top() + c->Height() == FTop; break;
        case alBottom: touches = c->Top() == FTop + FHeight; break;
        default: break;
        }
        if (touches) best = c;
    }
    return best;
}

int TSplitter::MoveSplit(int delta) {
    TControl* c = ResizeControl();
    if (!c || !FParent) return 0;
    const TAlign a = Align();
    const bool horizontal = a == alLeft || a == alRight;
    const int size = horizontal ? c->Width() : c->Height();
    // Growing the left or top control moves the split right or down; a
    // control on the far side grows the other way.
    int newSize = (a == alLeft || a == alTop) ? size + delta : size - delta;
    // What the parent has left besides the other aligned controls.
    const int client = horizontal ? FParent->ClientWidth() : FParent->ClientHeight();
    int taken = 0;
    for (int i = 0; i < FParent->ControlCount(); ++i) {
        TControl* o = FParent->Controls(i);
        if (o == c || !o->Visible() || o->Align() == alClient || o->Align() == alNone) continue;
        if (horizontal && (o->Align() == alLeft || o->Align() == alRight)) taken += o->Width();
        if (!horizontal && (o->Align() == alTop || o->Align() == alBottom)) taken += o->Height();
    }
    const int maxSize = std::max(MinSize, client - taken - MinSize);
    newSize = std::clamp(newSize, MinSize, maxSize);
    bool accept = true;
    if (OnCanResize) OnCanResize(this, newSize, accept);
    if (!accept || newSize == size) return size;
    if (horizontal)
        c->SetWidth(newSize);
    else
        c->SetHeight(newSize);
    if (OnMoved) OnMoved(this);
    return newSize;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    FDragging = true;
    FStart = ClientToScreen(Point(x, y));
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!FDragging || ResizeStyle == rsNone) return;
    const TPoint p = ClientToScreen(Point(x, y));
    const bool horizontal = Align() == alLeft || Align() == alRight;
    const int delta = horizontal ? p.X - FStart.X : p.Y - FStart.Y;
    if (delta == 0) return;
    MoveSplit(delta);
    FStart = p;
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    FDragging = false;
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSplitter::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    if (Beveled) {
        TRect r = ClientRect();
        Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
    }
}
