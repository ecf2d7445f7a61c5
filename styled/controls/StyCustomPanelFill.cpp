#include "styled/controls/StyCustomPanelFill.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"
#include "styled/controls/StyControlMessages.h"
#include "styled/graphics/Sty3DCaption.h"
#include "styled/graphics/StyFillObject.h"
#include "styled/graphics/TextDrawing.h"
#include "styled/storage/StyCustomImageList.h"

TStyCustomPanelFill::TStyCustomPanelFill(TComponent* AOwner)
    : TStyCustomParentPanel(AOwner),
      FFillObject(std::make_unique<TStyFillObject>()),
      FCaption(std::make_unique<TSty3DCaption>()) {
    FFillObject->OnChange = [this](TObject* s) { FillChanged(s); };
    FCaption->OnChange = [this](TObject*) { Invalidate(); };
}

TStyCustomPanelFill::~TStyCustomPanelFill() = default;

void TStyCustomPanelFill::SetFillObject(TStyFillObject* Value) { FFillObject->Assign(Value); }
void TStyCustomPanelFill::SetCaptionAttr(TSty3DCaption* Value) { FCaption->Assign(Value); }

void TStyCustomPanelFill::SetAlignment(TStyAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TStyCustomPanelFill::RebuildBackground() {
    const TRect inner = InnerRect();
    if (!FFillObject->IsEmpty() && !Transparent() && !inner.IsEmpty()) {
        if (!FBackground) FBackground = std::make_unique<TBitmap>();
        const TRect r = Rect(0, 0, inner.Width(), inner.Height());
        FBackground->SetSize(r.Width(), r.Height());
        FBackground->Canvas()->Brush()->SetStyle(bsSolid);
        FBackground->Canvas()->Brush()->SetColor(Color());
        FBackground->Canvas()->FillRect(r);
        FFillObject->FillCanvas(FBackground->Canvas(), r, Color());
        FBackgroundDirty = false;
        return;
    }
    TStyCustomParentPanel::RebuildBackground();
}

void TStyCustomPanelFill::PictureChanged() {
    if (PictureValid()) {
        TBitmap pic;
        ImageList()->CopyPicture(ListIndex(), ImageIndex(), &pic);
        FFillObject->SetListBitmap(&pic);
    } else {
        TBitmap none;
        FFillObject->SetListBitmap(&none);
    }
    TStyCustomParentPanel::PictureChanged();
}

void TStyCustomPanelFill::FillChanged(TObject* Sender) {
    (void)Sender;
    RebuildBackground();
    Invalidate();
    NotifyChildren(CM_STYBACKGROUNDCHANGED);
}

void TStyCustomPanelFill::BevelChanged(TObject* Sender) {
    FBackgroundDirty = true;
    TStyCustomParentPanel::BevelChanged(Sender);
    NotifyChildren(CM_STYBACKGROUNDCHANGED);
}

void TStyCustomPanelFill::FontChanged() {
    TStyCustomParentPanel::FontChanged();
    Invalidate();
}

void TStyCustomPanelFill::TextChanged() {
    TStyCustomParentPanel::TextChanged();
    Invalidate();
}

void TStyCustomPanelFill::Paint() {
    if (HasState(csLoading)) return;
    TStyCustomParentPanel::Paint();
    const String text = Caption();
    if (text.empty()) return;
    unsigned format = DT_SINGLELINE | DT_NOPREFIX;
    if (UseRightToLeftReading()) format |= DT_RTLREADING;
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    const TRect r = AlignTextRect(FAlignment, text, FCaption.get(), format, Font(), false, InnerRect());
    Draw3DText(c, text, FCaption.get(), r, format, Enabled() ? tfEnabled : 0);
}
