#include "styled/graphics/StyFillObject.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "styled/base/SysHelpers.h"
#include "styled/graphics/BitmapDrawing.h"
#include "styled/graphics/GradientDrawing.h"
#include "styled/graphics/StyGradient.h"
#include "styled/graphics/StyStoredProperties.h"

TStyFillObject::TStyFillObject() : FBrush(std::make_unique<TBrush>()) {
    FStyle = sfNone;
    FBrush->OnChange = [this](TObject* s) { GetChange(s); };
}

TStyFillObject::~TStyFillObject() { FBrush->OnChange = nullptr; }

void TStyFillObject::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyFillObject*>(Source)) {
        BeginUpdate();
        FBrush->Assign(s->FBrush.get());
        FOptions = s->FOptions;
        FAlignment = s->FAlignment;
        FOffset[0] = s->FOffset[0];
        FOffset[1] = s->FOffset[1];
        FBitmap->Assign(s->FBitmap.get());
        FListBitmap->Assign(s->FListBitmap.get());
        FGradient->Assign(s->FGradient.get());
        SetStyle(s->FStyle);
        SetTileMode(s->FTileMode);
        EndUpdate(true);
        return;
    }
    TStyShapeFill::Assign(Source);
}

bool TStyFillObject::PositionShows() const {
    return (FStyle == sfBitmap || FStyle == sfBitmapList) && FTileMode == tmNone;
}

void TStyFillObject::SetAlignment(TStyAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    if (PositionShows()) Change();
}

void TStyFillObject::SetOffset(int Index, int Value) {
    if (FOffset[Index] == Value) return;
    FOffset[Index] = Value;
    if (PositionShows()) Change();
}

void TStyFillObject::SetBrush(TBrush* Value) { FBrush->Assign(Value); }

void TStyFillObject::SetOptions(TStyFillOptions Value) {
    if (Value == FOptions) return;
    FOptions = Value;
    Change();
}

bool TStyFillObject::FillCanvas(TCanvas* Canvas, const TRect& R, TColor BackColor) {
    if (!Canvas) return false;
    auto fillInner = [&] {
        if (!(FOptions & FillOption(foFillInner))) return;
        Canvas->Brush()->SetBitmap(nullptr);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(BackColor);
        Canvas->FillRect(R);
    };
    switch (FStyle) {
        case sfNone: return false;
        case sfBrushBitmap: {
            // The newer platform line takes the bitmap itself as the
            // pattern; the older one only its top-left 8 x 8 pixels.
            std::unique_ptr<TBitmap> pattern;
            if (!FBitmap->Empty()) {
                if (IsWinNT) {
                    Canvas->Brush()->SetBitmap(FBitmap.get());
                } else {
                    pattern = std::make_unique<TBitmap>(8, 8);
                    pattern->Canvas()->CopyRect(Rect(0, 0, 8, 8), FBitmap->Canvas(), Rect(0, 0, 8, 8));
                    Canvas->Brush()->SetBitmap(pattern.get());
                }
            }
            Canvas->FillRect(R);
            Canvas->Brush()->SetBitmap(nullptr);
            return true;
        }
        case sfBrush: {
            Canvas->Brush()->Assign(FBrush.get());
            Canvas->Pen()->SetColor(BackColor);
            const TBrushStyle style = FBrush->Style();
            if (style != bsSolid && style != bsClear && !FBrush->Bitmap()) {
                // Hatch gaps show the background colour.
                Canvas->Brush()->SetStyle(bsSolid);
                Canvas->Brush()->SetColor(BackColor);
                Canvas->FillRect(R);
                Canvas->Brush()->Assign(FBrush.get());
            }
            Canvas->FillRect(R);
            return true;
        }
        case sfBitmap:
        case sfBitmapList: {
            TBitmap* graphic = FStyle == sfBitmap ? FBitmap.get() : FListBitmap.get();
            if (graphic->Empty()) {
                fillInner();
                return false;
            }
            Word flags = (FOptions & FillOption(foQuickDraw)) ? 0 : dfUsePalette;
            TRect dest = R, drawn;
            switch (FTileMode) {
                case tmNone: {
                    fillInner();
                    dest = AlignRect(FAlignment, Rect(0, 0, graphic->Width(), graphic->Height()), R);
                    dest = Rect(dest.Left + FOffset[0], dest.Top + FOffset[1], dest.Right + FOffset[0],
                                dest.Bottom + FOffset[1]);
                    break;
                }
                case tmCenter:
                    fillInner();
                    flags |= dfCenter;
                    break;
                case tmStretch: flags |= dfStretch; break;
                case tmTile: flags |= dfTile; break;
            }
            DrawBitmap(Canvas, dest, graphic, flags, BackColor, drawn);
            return true;
        }
        case sfGradient: {
            Word flags = 0;
            if (FOptions & FillOption(foGrUseBitmap)) flags |= dfUseBitmap;
            if (FGradient->PaletteRealize()) flags |= dfUsePalette;
            FillGradient(Canvas, R, FGradient->Style(), &FGradient->Colors(), FGradient->Palette(), flags, 0);
            return true;
        }
    }
    return false;
}

void TStyFillObject::WriteStored(TStyStoredProperties& P) const {
    const TStyFillObject d;
    TStyShapeFill::WriteStored(P);
    if (FAlignment != d.FAlignment) P.WriteIdent("Alignment", FAlignment, StyNames::Alignment);
    if (FBrush->Color() != d.FBrush->Color()) P.WriteColor("Brush.Color", FBrush->Color());
    if (FBrush->Style() != d.FBrush->Style()) P.WriteIdent("Brush.Style", FBrush->Style(), StyNames::BrushStyle);
    if (FOffset[0] != 0) P.WriteInteger("OffsetX", FOffset[0]);
    if (FOffset[1] != 0) P.WriteInteger("OffsetY", FOffset[1]);
    if (FOptions != d.FOptions) P.WriteSet("Options", FOptions, StyNames::FillOption);
}

void TStyFillObject::ReadStored(const TStyStoredProperties& P) {
    TStyFillObject t;
    t.FListBitmap->Assign(FListBitmap.get());
    t.LoadStored(P);
    t.FAlignment = TStyAlignment(P.ReadIdent("Alignment", t.FAlignment, StyNames::Alignment));
    t.FBrush->SetColor(P.ReadColor("Brush.Color", t.FBrush->Color()));
    t.FBrush->SetStyle(TBrushStyle(P.ReadIdent("Brush.Style", t.FBrush->Style(), StyNames::BrushStyle)));
    t.FOffset[0] = P.ReadInteger("OffsetX", t.FOffset[0], -1000000, 1000000);
    t.FOffset[1] = P.ReadInteger("OffsetY", t.FOffset[1], -1000000, 1000000);
    t.FOptions = TStyFillOptions(P.ReadSet("Options", t.FOptions, StyNames::FillOption));
    Assign(&t);
}
