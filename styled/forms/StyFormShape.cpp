#include "styled/forms/StyFormShape.h"

#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"
#include "styled/base/StyApplication.h"
#include "styled/controls/StyPictureRef.h"
#include "styled/forms/StyBorderRegion.h"
#include "styled/forms/StyRegionMask.h"
#include "styled/graphics/StyFillObject.h"
#include "styled/graphics/StyShadow.h"
#include "styled/graphics/StyStoredProperties.h"
#include "styled/storage/StyCustomImageList.h"

TStyFormShape::TStyFormShape(TComponent* AOwner)
    : TStyWndProcComponent(RequireOnePerForm<TStyFormShape>(AOwner, "TStyFormShape")),
      FRegion(std::make_unique<TStyBorderRegion>(this)),
      FFillObject(std::make_unique<TStyFillObject>()),
      FBackground(std::make_unique<TBitmap>()),
      FPicture(std::make_unique<TStyPictureRef>(this, [this] { PictureChanged(); })) {
    FRegion->OnChange = [this](TObject* s) { GetChange(s); };
    FFillObject->OnChange = [this](TObject* s) { GetChange(s); };
}

TStyFormShape::~TStyFormShape() = default;

TForm* TStyFormShape::Form() const { return dynamic_cast<TForm*>(Owner()); }

void TStyFormShape::SetRegion(TStyBorderRegion* Value) { FRegion->Assign(Value); }
void TStyFormShape::SetFillObject(TStyFillObject* Value) { FFillObject->Assign(Value); }

void TStyFormShape::SetShowFormCaption(bool Value) {
    if (Value == FShowFormCaption) return;
    FShowFormCaption = Value;
    ApplyShape();
}

void TStyFormShape::SetUseRgnBitmap(bool Value) {
    if (Value == FUseRgnBitmap) return;
    FUseRgnBitmap = Value;
    if (TForm* f = Form()) f->Invalidate();
}

TStyCustomImageList* TStyFormShape::ImageList() const { return FPicture->ImageList(); }
void TStyFormShape::SetImageList(TStyCustomImageList* Value) { FPicture->SetImageList(Value); }
int TStyFormShape::ListIndex() const { return FPicture->ListIndex(); }
void TStyFormShape::SetListIndex(int Value) { FPicture->SetListIndex(Value); }
int TStyFormShape::ImageIndex() const { return FPicture->ImageIndex(); }
void TStyFormShape::SetImageIndex(int Value) { FPicture->SetImageIndex(Value); }

void TStyFormShape::PictureChanged() {
    FBackgroundDirty = true;
    if (TForm* f = Form(); f && !HasState(csDestroying)) f->Invalidate();
}

void TStyFormShape::Notification(TComponent* Component, TOperation Operation) {
    TStyWndProcComponent::Notification(Component, Operation);
    if (Operation == opRemove) FPicture->Removed(Component);
}

void TStyFormShape::Loaded() {
    TStyWndProcComponent::Loaded();
    if (!Enabled()) return;
    // A bordered form gets the frame the program draws: its size is known
    // at once, and without ShowFormCaption the caption really goes (a
    // window manager's would stay whatever the window's outline says).
    TForm* form = Form();
    if (form && form->BorderStyle() != bsNone && !HasState(csDesigning)) form->SetDrawnFrame(true);
    ApplyShape();
}

void TStyFormShape::WriteStored(TStyStoredProperties& P) const {
    if (!Enabled()) P.WriteBool("Enabled", false);
    if (!FShowFormCaption) P.WriteBool("ShowFormCaption", false);
    if (!FFormDragable) P.WriteBool("FormDragable", false);
    if (!FUseRgnBitmap) P.WriteBool("UseRgnBitmap", false);
    TStyStoredProperties fill = P.Nested("FillObject");
    FFillObject->WriteStored(fill);
    FPicture->WriteStored(P);
}

void TStyFormShape::ReadStored(const TStyStoredProperties& P) {
    const bool enabled = P.ReadBool("Enabled", true);
    const bool caption = P.ReadBool("ShowFormCaption", true);
    const bool dragable = P.ReadBool("FormDragable", true);
    const bool rgnBitmap = P.ReadBool("UseRgnBitmap", true);
    TStyFillObject fill;
    fill.ReadStored(P.Nested("FillObject"));
    FPicture->ReadStored(P);
    FFormDragable = dragable;
    SetUseRgnBitmap(rgnBitmap);
    SetShowFormCaption(caption);
    SetFillObject(&fill);
    SetEnabled(enabled);
}

void TStyFormShape::GetChange(TObject* Sender) {
    FBackgroundDirty = true;
    if (!HasState(csLoading) && !HasState(csDestroying)) {
        ApplyShape();
        if (TForm* f = Form()) f->Invalidate();
    }
    TStyWndProcComponent::GetChange(Sender);
}

void TStyFormShape::ApplyShape() {
    TForm* form = Form();
    if (!form || HasState(csLoading) || HasState(csDestroying) || FApplying) return;
    FApplying = true;
    const bool designing = HasState(csDesigning);
    const bool minimised = form->WindowState() == wsMinimized;
    const bool bordered = form->BorderStyle() != bsNone;
    // The frame as the window has it: what the outer size has beyond the
    // client area, the caption taking the rest at the top.
    const int fx = bordered ? std::max(0, (form->Width() - form->ClientWidth()) / 2) : 0;
    const int fy = fx;
    const int ch = bordered ? std::max(0, form->Height() - form->ClientHeight() - 2 * fy) : 0;
    const int depth = FRegion->Shadow()->Depth();

    if (!minimised && FRegion->Shape() == rsBitmap) {
        TBitmap* b = FRegion->Mask()->BorderBmp();
        if (!b->Empty())
            form->SetBounds(form->Left(), form->Top(), b->Width() + depth + 2 * fx, b->Height() + depth + ch + 2 * fy);
    }
    TRect r = Rect(0, 0, form->Width() - 2 * fx, form->Height() - 2 * fy - ch);
    r = Rect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
    FLastRect = r;
    const TRect strip = Rect(0, 0, form->Width(), fy + ch);

    std::unique_ptr<TRegion> result;
    if (!minimised) {
        FRegion->CreateRegion(r);
        if (const TRegion* shape = FRegion->Region()) {
            result = std::make_unique<TRegion>(*shape);
            result->Offset(fx, fy + ch);
            if (FRegion->Shadow()->Style() != hssNone) {
                TRegion moved(*result);
                moved.Offset(depth, depth);
                result->CombineWith(moved, RGN_OR);
            }
            if ((FShowFormCaption && bordered) || designing)
                result->CombineWith(TRegion(strip), RGN_OR);
            else
                result->CombineWith(TRegion(strip), RGN_DIFF);
        }
    } else {
        FRegion->SetRectRegion(strip);
        result = std::make_unique<TRegion>(strip);
    }
    if (!designing) {
        // A shape without data (a bitmap or user shape left empty) gives no
        // outline; the form then keeps its whole rectangle rather than
        // vanishing.
        form->SetWindowRgn(nullptr);
        if (result) form->SetWindowRgn(result.get());
        FApplied = std::move(result);
    }
    FCaptionHeight = ch;
    FApplying = false;
}

void TStyFormShape::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCHITTEST: {
        CallPrevious(Message);
        TForm* form = Form();
        if (form && FFormDragable && Message.Result == HTCLIENT && !FNCButtonDown) {
            const TPoint p = form->ScreenToClient(PointFromLParam(Message.LParam));
            if (!form->ControlAtPos(p, true)) Message.Result = HTCAPTION;
        }
        return;
    }
    case WM_NCLBUTTONDOWN:
        CallPrevious(Message);
        FNCButtonDown = true;
        return;
    case WM_NCLBUTTONUP:
    case WM_CAPTURECHANGED:
        CallPrevious(Message);
        FNCButtonDown = false;
        return;
    case WM_SHOWWINDOW:
        // The frame is known only once the window shows.
        CallPrevious(Message);
        if (Message.WParam) ApplyShape();
        return;
    case WM_SIZE:
        CallPrevious(Message);
        ApplyShape();
        if (TForm* f = Form()) f->Invalidate();
        return;
    case WM_ERASEBKGND: {
        if (FFillObject->IsEmpty() && FRegion->Shape() != rsBitmap) CallPrevious(Message);
        PaintBackground(reinterpret_cast<TCanvas*>(Message.WParam));
        Message.Result = 1;
        return;
    }
    default:
        CallPrevious(Message);
    }
}

bool TStyFormShape::BuildBackground() {
    TForm* form = Form();
    if (!form || FFillObject->Style() == sfNone) return false;
    const TRect client = Rect(0, 0, form->ClientWidth(), form->ClientHeight());
    if (client.IsEmpty()) return false;
    // Panels copy from the background on every paint; it is made again
    // only when something it shows has changed.
    if (!FBackgroundDirty && FBackground->Width() == client.Width() && FBackground->Height() == client.Height() &&
        FBackgroundColor == form->Color())
        return true;
    FBackgroundDirty = false;
    FBackgroundColor = form->Color();
    FBackground->SetSize(client.Width(), client.Height());
    if (FFillObject->Style() == sfBitmapList) {
        if (FPicture->Valid()) {
            TBitmap pic;
            ImageList()->CopyPicture(ListIndex(), ImageIndex(), &pic);
            FFillObject->SetListBitmap(&pic);
        } else {
            TBitmap none;
            FFillObject->SetListBitmap(&none);
        }
    }
    FBackground->Canvas()->Brush()->SetColor(form->Color());
    FBackground->Canvas()->FillRect(client);
    FFillObject->FillCanvas(FBackground->Canvas(), client, form->Color());
    return true;
}

TBitmap* TStyFormShape::Background() {
    if (FFillObject->IsEmpty() && FFillObject->Style() != sfBitmapList) return nullptr;
    if (!BuildBackground()) return nullptr;
    return FBackground.get();
}

void TStyFormShape::PaintBackground(TCanvas* Canvas) {
    TForm* form = Form();
    if (!form || !Canvas) return;
    const TRect client = Rect(0, 0, form->ClientWidth(), form->ClientHeight());
    const bool designing = HasState(csDesigning);
    if (!(FUseRgnBitmap && FRegion->Shape() == rsBitmap)) {
        if (BuildBackground() && !designing) Canvas->Draw(0, 0, FBackground.get());
    } else if (designing) {
        if (const TRegion* r = FRegion->Region()) {
            Canvas->Brush()->SetColor(clBlack);
            for (const TRect& part : r->GetRects()) Canvas->FrameRect(part);
        }
    } else {
        Canvas->Draw(0, 0, FRegion->Mask()->BorderBmp());
    }
    FRegion->PaintBorder(Canvas, client);
}
