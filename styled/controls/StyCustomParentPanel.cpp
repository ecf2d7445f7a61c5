#include "styled/controls/StyCustomParentPanel.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "styled/controls/StyControlMessages.h"
#include "styled/storage/StyCustomImageList.h"

TStyCustomParentPanel::TStyCustomParentPanel(TComponent* AOwner) : TStyCustomBevelPanel(AOwner) {}

TStyCustomParentPanel::~TStyCustomParentPanel() = default;

void TStyCustomParentPanel::RebuildBackground() {
    const TRect inner = InnerRect();
    if (PictureValid() && !Transparent() && !inner.IsEmpty()) {
        if (!FBackground) FBackground = std::make_unique<TBitmap>();
        FBackground->SetSize(inner.Width(), inner.Height());
        FBackground->Canvas()->Brush()->SetColor(Color());
        FBackground->Canvas()->FillRect(Rect(0, 0, inner.Width(), inner.Height()));
        ImageList()->Draw(FBackground->Canvas(), 0, 0, ListIndex(), ImageIndex());
    } else {
        FBackground.reset();
    }
    FBackgroundDirty = false;
}

TBitmap* TStyCustomParentPanel::OwnBackground() {
    if (FBackgroundDirty || (FBackground && (FBackground->Width() != InnerRect().Width() ||
                                             FBackground->Height() != InnerRect().Height())))
        RebuildBackground();
    return FBackground.get();
}

bool TStyCustomParentPanel::HasBackground() {
    return OwnBackground() != nullptr || (Transparent() && ParentHasBackground());
}

TBitmap* TStyCustomParentPanel::GetBackground() {
    if (TBitmap* own = OwnBackground()) return own;
    return ParentBackground();
}

TPoint TStyCustomParentPanel::BackgroundOffset(const TPoint& P) {
    if (OwnBackground()) {
        const TRect inner = InnerRect();
        return Point(P.X - inner.Left, P.Y - inner.Top);
    }
    return TStyCustomBevelPanel::BackgroundOffset(P);
}

bool TStyCustomParentPanel::CopyBackground(TCanvas* Canvas, const TRect& R, const TPoint& Offset) {
    TBitmap* own = OwnBackground();
    if (!own) return TStyCustomBevelPanel::CopyBackground(Canvas, R, Offset);
    const TPoint at = BackgroundOffset(Point(R.Left + Offset.X, R.Top + Offset.Y));
    Canvas->CopyRect(R, own->Canvas(), Rect(at.X, at.Y, at.X + R.Width(), at.Y + R.Height()));
    return true;
}

void TStyCustomParentPanel::PaintBackground(TCanvas* Canvas) {
    TBitmap* own = OwnBackground();
    if (!own) {
        TStyCustomBevelPanel::PaintBackground(Canvas);
        return;
    }
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect(Rect(0, 0, Width(), Height()));
    const TRect inner = InnerRect();
    Canvas->Draw(inner.Left, inner.Top, own);
}

void TStyCustomParentPanel::PictureChanged() {
    RebuildBackground();
    Invalidate();
    NotifyChildren(CM_STYBACKGROUNDCHANGED);
}

void TStyCustomParentPanel::Loaded() {
    TStyCustomBevelPanel::Loaded();
    if (HasState(csDesigning)) RebuildBackground();
}

void TStyCustomParentPanel::Resize() {
    FBackgroundDirty = true;
    TStyCustomBevelPanel::Resize();
}
