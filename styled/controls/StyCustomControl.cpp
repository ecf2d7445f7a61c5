#include "styled/controls/StyCustomControl.h"

#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Pen.h"
#include "framework/messages/MessageQueue.h"
#include "styled/controls/StyControlMessages.h"
#include "styled/controls/StyPictureRef.h"
#include "styled/forms/StyFormShape.h"

TStyCustomControl::TStyCustomControl(TComponent* AOwner)
    : TCustomControl(AOwner), FPicture(std::make_unique<TStyPictureRef>(this, [this] { PictureChanged(); })) {
    SetBounds(Left(), Top(), 100, 40);
    SetTabStop(false);
}

TStyCustomControl::~TStyCustomControl() = default;

TStyCustomImageList* TStyCustomControl::ImageList() const { return FPicture->ImageList(); }
void TStyCustomControl::SetImageList(TStyCustomImageList* Value) { FPicture->SetImageList(Value); }
int TStyCustomControl::ImageIndex() const { return FPicture->ImageIndex(); }
void TStyCustomControl::SetImageIndex(int Value) { FPicture->SetImageIndex(Value); }
int TStyCustomControl::ListIndex() const { return FPicture->ListIndex(); }
void TStyCustomControl::SetListIndex(int Value) { FPicture->SetListIndex(Value); }
bool TStyCustomControl::PictureValid() const { return FPicture->Valid(); }

void TStyCustomControl::Notification(TComponent* Component, TOperation Operation) {
    TCustomControl::Notification(Component, Operation);
    if (Operation == opRemove && FPicture->Removed(Component)) FBackgroundDirty = true;
}

void TStyCustomControl::SetFlat(bool Value) {
    if (Value == FFlat) return;
    FFlat = Value;
    if (FFlat)
        PaintFlatBorder();
    else
        PaintHotBorder();
}

void TStyCustomControl::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    if (FTransparent)
        ControlStyle &= ~csOpaque;
    else
        ControlStyle |= csOpaque;
    Invalidate();
}

TStyFormShape* TStyCustomControl::FormShapeOf(TForm* Form) {
    TStyFormShape* found = nullptr;
    if (!Form) return nullptr;
    for (int i = 0; i < Form->ComponentCount(); ++i)
        if (auto* s = dynamic_cast<TStyFormShape*>(Form->Components(i))) found = s;
    return found;
}

bool TStyCustomControl::ParentHasBackground() {
    if (auto* p = dynamic_cast<TStyCustomControl*>(Parent())) return p->HasBackground();
    if (auto* s = FormShapeOf(dynamic_cast<TForm*>(Parent()))) return s->Background() != nullptr;
    return false;
}

TBitmap* TStyCustomControl::ParentBackground() {
    if (auto* p = dynamic_cast<TStyCustomControl*>(Parent())) return p->GetBackground();
    if (auto* s = FormShapeOf(dynamic_cast<TForm*>(Parent()))) return s->Background();
    return nullptr;
}

TPoint TStyCustomControl::ParentBackgroundOffset(const TPoint& P) {
    const TPoint here{P.X + Left(), P.Y + Top()};
    if (auto* p = dynamic_cast<TStyCustomControl*>(Parent())) return p->BackgroundOffset(here);
    return here;
}

bool TStyCustomControl::IsTransparentNow() { return FTransparent && ParentHasBackground(); }

void TStyCustomControl::PaintBackground(TCanvas* Canvas) {
    const TRect r = Rect(0, 0, Width(), Height());
    if (IsTransparentNow() && CopyBackground(Canvas, r, Point(0, 0))) return;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect(r);
}

void TStyCustomControl::ObjectChanged(TObject* Sender) {
    (void)Sender;
    if (FBackgroundDirty) Invalidate();
}

bool TStyCustomControl::ShowDesignFrame() { return true; }

void TStyCustomControl::PictureChanged() { ObjectChanged(this); }

void TStyCustomControl::MouseEnter() {
    FMouseInside = true;
    TCustomControl::MouseEnter();
    if (FFlat && !FFocused) PaintHotBorder();
}

void TStyCustomControl::MouseLeave() {
    TCustomControl::MouseLeave();
    MouseExit();
}

void TStyCustomControl::MouseExit() {
    FMouseInside = false;
    if (!FFocused) PaintFlatBorder();
    if (OnMouseExit) OnMouseExit(this);
}

void TStyCustomControl::PaintFlatBorder() {
    if (FFocused || !FFlat || FMouseInside) return;
    FHotShown = false;
    Invalidate();
}

void TStyCustomControl::PaintHotBorder() {
    FHotShown = true;
    Invalidate();
}

void TStyCustomControl::DrawFlatBorder(TCanvas* Canvas) {
    TRect r = Rect(0, 0, Width(), Height());
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FrameRect(r);
    if (Ctl3D) Canvas->FrameRect(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
}

void TStyCustomControl::DrawHotBorder(TCanvas* Canvas) {
    TRect r = Rect(0, 0, Width(), Height());
    Canvas->Brush()->SetStyle(bsSolid);
    if (Ctl3D) {
        Canvas->Brush()->SetColor(clWindowFrame);
        Canvas->FrameRect(Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1));
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->FrameRect(Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1));
        DrawEdge(Canvas, r, BDR_SUNKENOUTER, BF_RECT);
    } else {
        Canvas->Brush()->SetColor(clWindowFrame);
        Canvas->FrameRect(r);
    }
}

void TStyCustomControl::DrawDesignFrame(TCanvas* Canvas, const TRect& R) {
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psDash);
    Canvas->Pen()->SetMode(pmCopy);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Rectangle(R);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Brush()->SetStyle(bsSolid);
}

TBitmap* TStyCustomControl::GetBackground() { return nullptr; }
bool TStyCustomControl::HasBackground() { return false; }

bool TStyCustomControl::CopyBackground(TCanvas* Canvas, const TRect& R, const TPoint& Offset) {
    (void)Canvas;
    (void)R;
    (void)Offset;
    return false;
}

TPoint TStyCustomControl::BackgroundOffset(const TPoint& P) { return P; }

const TStyPalette* TStyCustomControl::BackgroundPalette() {
    // Every surface here is true colour: there is no palette to realise.
    return nullptr;
}

void TStyCustomControl::DoEnter() {
    FFocused = true;
    if (FFlat) PaintHotBorder();
    TCustomControl::DoEnter();
}

void TStyCustomControl::DoExit() {
    FFocused = false;
    PaintFlatBorder();
    TCustomControl::DoExit();
}

void TStyCustomControl::NotifyChildren(UINT Msg) {
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->Perform(Msg);
}

void TStyCustomControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        if (HandleAllocated()) PostMessage(Handle(), CM_STYFOCUSDONE, Message.Msg == WM_SETFOCUS ? 1 : 0);
        return;
    case CM_STYFOCUSDONE:
        if (Message.WParam) {
            if (OnGotFocus) OnGotFocus(this);
        } else if (OnLostFocus) {
            OnLostFocus(this);
        }
        return;
    case WM_ERASEBKGND:
        if (IsTransparentNow()) {
            Message.Result = 1;
            return;
        }
        break;
    case WM_SIZE:
    case WM_MOVE:
        TCustomControl::WndProc(Message);
        if (IsTransparentNow()) {
            // The copied background must follow the control.
            Invalidate();
            NotifyChildren(CM_STYBACKGROUNDCHANGED);
        } else if (Message.Msg == WM_SIZE) {
            Invalidate();
        }
        return;
    case CM_STYBACKGROUNDCHANGED:
        if (HasState(csLoading)) return;
        Invalidate();
        if (IsTransparentNow()) NotifyChildren(CM_STYBACKGROUNDCHANGED);
        return;
    case CM_SYSCOLORCHANGE:
        TCustomControl::WndProc(Message);
        if (!FTransparent) Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TStyCustomControl::Paint() {
    if (HasState(csLoading)) return;
    PaintBackground(Canvas());
    if (!HasState(csDesigning)) {
        if (FFlat) {
            if (FHotShown)
                DrawHotBorder(Canvas());
            else
                DrawFlatBorder(Canvas());
        }
    } else if (ShowDesignFrame()) {
        DrawDesignFrame(Canvas(), Rect(0, 0, Width(), Height()));
    }
}
