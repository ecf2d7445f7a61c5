#include "styled/controls/StyBaseControl.h"

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Pen.h"
#include "styled/controls/StyPictureRef.h"

TStyBaseControl::TStyBaseControl(TComponent* AOwner)
    : TGraphicControl(AOwner), FPicture(std::make_unique<TStyPictureRef>(this, [this] { PictureChanged(); })) {}

TStyBaseControl::~TStyBaseControl() = default;

TStyCustomImageList* TStyBaseControl::ImageList() const { return FPicture->ImageList(); }
void TStyBaseControl::SetImageList(TStyCustomImageList* Value) { FPicture->SetImageList(Value); }
int TStyBaseControl::ImageIndex() const { return FPicture->ImageIndex(); }
void TStyBaseControl::SetImageIndex(int Value) { FPicture->SetImageIndex(Value); }
int TStyBaseControl::ListIndex() const { return FPicture->ListIndex(); }
void TStyBaseControl::SetListIndex(int Value) { FPicture->SetListIndex(Value); }
bool TStyBaseControl::PictureValid() const { return FPicture->Valid(); }

void TStyBaseControl::Notification(TComponent* Component, TOperation Operation) {
    TGraphicControl::Notification(Component, Operation);
    if (Operation == opRemove) FPicture->Removed(Component);
}

void TStyBaseControl::PictureChanged() {
    if (!HasState(csLoading)) Invalidate();
}

void TStyBaseControl::Changed(int Kind) {
    if (OnChanged) OnChanged(this, Kind);
}

void TStyBaseControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const bool moved = ALeft != Left() || ATop != Top();
    const bool sized = AWidth != Width() || AHeight != Height();
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    const int kind = (sized ? 1 : 0) | (moved ? 2 : 0);
    if (kind) Changed(kind);
}

void TStyBaseControl::MouseLeave() {
    TGraphicControl::MouseLeave();
    if (OnMouseExit) OnMouseExit(this);
}

void TStyBaseControl::DrawDesignFrame(TCanvas* Canvas) {
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psDash);
    Canvas->Pen()->SetMode(pmCopy);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Rectangle(Rect(0, 0, Width(), Height()));
    Canvas->Pen()->SetStyle(psSolid);
}

void TStyBaseControl::EraseBackground(TCanvas* Canvas) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color());
    Canvas->Pen()->SetStyle(psClear);
    Canvas->FillRect(Rect(0, 0, Width(), Height()));
    Canvas->Pen()->SetStyle(psSolid);
}
