#include "styled/calendar/StyCalendarCell.h"

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"
#include "styled/graphics/Sty3DCaption.h"
#include "styled/graphics/StyBevel.h"
#include "styled/graphics/StyFillObject.h"
#include "styled/graphics/TextDrawing.h"

TStyCalendarCell::TStyCalendarCell()
    : FFont(std::make_unique<TFont>()),
      FFont3D(std::make_unique<TSty3DCaption>()),
      FBevel(std::make_unique<TStyBevel>()),
      FFillObject(std::make_unique<TStyFillObject>()) {
    FFillObject->SetStyle(sfNone);
    FFont->OnChange = [this](TObject*) { Change(); };
    FFont3D->OnChange = [this](TObject*) { Change(); };
    FBevel->OnChange = [this](TObject*) { Change(); };
    FFillObject->OnChange = [this](TObject*) { Change(); };
}

TStyCalendarCell::~TStyCalendarCell() = default;

void TStyCalendarCell::Assign(TPersistent* Source) {
    if (auto* s = dynamic_cast<TStyCalendarCell*>(Source)) {
        FFont->Assign(s->FFont.get());
        FFont3D->Assign(s->FFont3D.get());
        FBevel->Assign(s->FBevel.get());
        FFillObject->Assign(s->FFillObject.get());
        SetMask(s->FMask);
        return;
    }
    TStyObject::Assign(Source);
}

void TStyCalendarCell::SetMask(const String& Value) {
    if (Value == FMask) return;
    FMask = Value;
    Change();
}

void TStyCalendarCell::SetAlignment(TStyAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Change();
}

void TStyCalendarCell::Draw(TCanvas* Canvas, const TRect& R, const String& Text, TColor BackColor, bool Enabled) {
    FFillObject->FillCanvas(Canvas, R, BackColor);
    const TRect inner = FBevel->PaintBevel(Canvas, R, true);
    Canvas->Font()->Assign(FFont.get());
    const String text = ApplyCellMask(FMask, Text);
    const unsigned format = DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS;
    const TRect place = AlignTextRect(FAlignment, text, FFont3D.get(), format, FFont.get(), false, inner);
    Canvas->Brush()->SetStyle(bsClear);
    Draw3DText(Canvas, text, FFont3D.get(), place, format, Word(tfClip | (Enabled ? tfEnabled : 0)), &inner);
}

String ApplyCellMask(const String& Mask, const String& Text) {
    const String mask = Mask.empty() ? String("d") : Mask;
    for (size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] == 'd' && (i == 0 || mask[i - 1] != '/')) return mask.substr(0, i) + Text + mask.substr(i + 1);
    }
    return mask.substr(0, mask.size() - 1) + Text;
}
