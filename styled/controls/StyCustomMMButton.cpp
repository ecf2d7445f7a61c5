#include "styled/controls/StyCustomMMButton.h"

#include "framework/classes/Stream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "styled/graphics/BitmapDrawing.h"
#include "styled/graphics/StyGraphTypes.h"
#include "styled/storage/StreamRoutines.h"
#include "styled/storage/StyChangeLink.h"
#include "styled/storage/StyCustomImageList.h"

TStyCustomMMButton::TStyCustomMMButton(TComponent* AOwner)
    : TStyBaseGraphicButton(AOwner), FFaceLink(std::make_unique<TStyChangeLink>()) {
    ControlStyle = csCaptureMouse | csOpaque | csDoubleClicks | csReplicatable;
    CustomHitTest = true;
    FFaceLink->OnChange = [this](TObject*) { Invalidate(); };
}

TStyCustomMMButton::~TStyCustomMMButton() {
    if (FFaceList) {
        FFaceList->UnRegisterChangeLink(FFaceLink.get());
        FFaceList->RemoveFreeNotification(this);
    }
}

void TStyCustomMMButton::SetFacePair(int State, int ListIndex, int ImageIndex) {
    if (State < 0 || State > 6) return;
    FFace.Indices[State][0] = ListIndex;
    FFace.Indices[State][1] = ImageIndex;
    Invalidate();
}

void TStyCustomMMButton::SetButtonFaceStyle(TStyBitmapStyle Value) {
    if (Value == FFaceStyle) return;
    FFaceStyle = Value;
    Invalidate();
}

void TStyCustomMMButton::SetForceTransparent(bool Value) {
    if (Value == FForceTransparent) return;
    FForceTransparent = Value;
    Invalidate();
}

void TStyCustomMMButton::SetQuickDraw(bool Value) {
    if (Value == FQuickDraw) return;
    FQuickDraw = Value;
    Invalidate();
}

void TStyCustomMMButton::SetButtonFaceImageList(TStyCustomImageList* Value) {
    if (Value == FFaceList) return;
    if (FFaceList) {
        FFaceList->UnRegisterChangeLink(FFaceLink.get());
        FFaceList->RemoveFreeNotification(this);
    }
    FFaceList = Value;
    if (FFaceList) {
        FFaceList->RegisterChangeLink(FFaceLink.get());
        FFaceList->FreeNotification(this);
    }
    Invalidate();
}

void TStyCustomMMButton::Notification(TComponent* Component, TOperation Operation) {
    TStyBaseGraphicButton::Notification(Component, Operation);
    if (Operation == opRemove && Component && Component == static_cast<TComponent*>(FFaceList)) {
        FFaceList = nullptr;
        Invalidate();
    }
}

bool TStyCustomMMButton::FacePairFor(int State, int& ListIndex, int& ImageIndex) const {
    if (!FFaceList) return false;
    if (State == gsDisabledDown) State = gsHeld;
    if (State < 0 || State > 6) State = gsUp;
    auto take = [&](int s) {
        ListIndex = FFace.Indices[s][0];
        ImageIndex = FFace.Indices[s][1];
        return FFaceList->IsValid(ListIndex, ImageIndex);
    };
    if (take(State)) return true;
    // Up, disabled and hot fall back to the up face; the pressed states
    // to the held one.
    const int fallback = (State == gsUp || State == gsDisabled || State == gsHot) ? gsUp : gsHeld;
    return take(fallback);
}

TRect TStyCustomMMButton::PlaceFace(TCanvas* Canvas, int ListIndex, int ImageIndex) {
    Word flags = FQuickDraw ? 0 : dfUsePalette;
    switch (FFaceStyle) {
    case sbCenter: flags |= dfCenter; break;
    case sbStretch: flags |= dfStretch; break;
    case sbTile: flags |= dfTile; break;
    case sbKeepAspRatio: flags |= dfStretch | dfKeepAspect; break;
    case sbKeepWidth: flags |= dfStretch | dfKeepHeight; break;
    case sbKeepHeight: flags |= dfStretch | dfKeepWidth; break;
    default: break;
    }
    if (FTransparent || FForceTransparent) flags |= dfTransparentColor;
    TRect placed;
    PlaceBitmap(Canvas, Rect(0, 0, Width(), Height()), FFaceList->ItemCanvas(ListIndex),
                FFaceList->PictureRect(ListIndex, ImageIndex), flags, FFaceList->TransparentColor(ListIndex, ImageIndex),
                nullptr, nullptr, placed);
    return placed;
}

bool TStyCustomMMButton::HitTest(int X, int Y) {
    int li = 0, ii = 0;
    if (!FacePairFor(State(), li, ii)) return X >= 0 && X < Width() && Y >= 0 && Y <= Height();
    if (FFaceRect.IsEmpty() && Width() > 0 && Height() > 0) {
        // Not painted yet: place the face on a scratch surface to learn
        // where it goes.
        TBitmap scratch(Width(), Height());
        FFaceRect = PlaceFace(scratch.Canvas(), li, ii);
    }
    if (!FFaceRect.Contains(Point(X, Y))) return false;
    return FFaceList->PixelColor(li, ii, X - FFaceRect.Left, Y - FFaceRect.Top) != ColorToRGB(FFace.TransColor);
}

void TStyCustomMMButton::Paint() {
    if (HasState(csLoading)) return;
    FFaceRect = TRect{};
    TCanvas* c = Canvas();
    if (!FFaceList) {
        TStyBaseGraphicButton::Paint();
        return;
    }
    int li = 0, ii = 0;
    const bool hasFace = FacePairFor(State(), li, ii);
    if (hasFace && FFaceStyle == sbAutosize) {
        const int w = FFaceList->Dimension(li, 0) > 0 ? FFaceList->Dimension(li, 0) : 20;
        const int h = FFaceList->Dimension(li, 1) > 0 ? FFaceList->Dimension(li, 1) : 20;
        const TRect pic = FFaceList->PictureRect(li, ii);
        const int pw = pic.Width() > 0 ? pic.Width() : w;
        const int ph = pic.Height() > 0 ? pic.Height() : h;
        if (pw != Width() || ph != Height()) {
            SetBounds(Left(), Top(), pw, ph);  // the resize repaints
            return;
        }
    }
    // The toolkit shows the parent through whatever a transparent button
    // leaves unpainted, so only an opaque one fills its background.
    if (!FTransparent) EraseBackground(c);
    if (hasFace) FFaceRect = PlaceFace(c, li, ii);
    TRect caption = Rect(0, 0, Width(), Height());
    if (State() == gsDown || State() == gsHeld || State() == gsMenuOpen)
        caption = Rect(caption.Left + CaptionDown, caption.Top + CaptionDown, caption.Right + CaptionDown,
                       caption.Bottom + CaptionDown);
    DrawGlyphAndCaption(c, caption);
}

void TStyCustomMMButton::ReadFaceIndices(TStream* Stream) {
    for (auto& pair : FFace.Indices)
        for (int& v : pair) v = ReadInteger(Stream);
}

void TStyCustomMMButton::ReadFaceIndicesNew(TStream* Stream) {
    for (int which = 0; which < 2; ++which)
        for (auto& pair : FFace.Indices) pair[which] = ReadInteger(Stream);
}

void TStyCustomMMButton::WriteFaceIndicesNew(TStream* Stream) const {
    for (int which = 0; which < 2; ++which)
        for (const auto& pair : FFace.Indices) WriteInteger(Stream, pair[which]);
}

void TStyCustomMMButton::ReadTransCol(TStream* Stream) { FFace.TransColor = static_cast<TColor>(ReadInteger(Stream)); }
void TStyCustomMMButton::ReadTransColNew(TStream* Stream) { ReadTransCol(Stream); }
void TStyCustomMMButton::WriteTransColNew(TStream* Stream) const {
    WriteInteger(Stream, static_cast<Integer>(FFace.TransColor));
}
