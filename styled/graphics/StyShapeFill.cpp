#include "styled/graphics/StyShapeFill.h"

#include "framework/graphics/Bitmap.h"
#include "styled/graphics/StyGradient.h"
#include "styled/graphics/StyStoredProperties.h"

TStyShapeFill::TStyShapeFill()
    : FBitmap(std::make_unique<TBitmap>()),
      FListBitmap(std::make_unique<TBitmap>()),
      FGradient(std::make_unique<TStyGradient>()) {
    FBitmap->OnChange = [this](TObject* s) { GetChange(s); };
    FGradient->OnChange = [this](TObject* s) { GetChange(s); };
}

TStyShapeFill::~TStyShapeFill() {
    FBitmap->OnChange = nullptr;
    FGradient->OnChange = nullptr;
}

void TStyShapeFill::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyShapeFill*>(Source)) {
        BeginUpdate();
        FBitmap->Assign(s->FBitmap.get());
        FListBitmap->Assign(s->FListBitmap.get());
        FGradient->Assign(s->FGradient.get());
        FStyle = s->FStyle;
        FTileMode = s->FTileMode;
        EndUpdate(true);
        return;
    }
    TStyObject::Assign(Source);
}

void TStyShapeFill::SetBitmap(TGraphic* Value) { FBitmap->Assign(Value); }

void TStyShapeFill::SetListBitmap(TGraphic* Value) { FListBitmap->Assign(Value); }

void TStyShapeFill::SetGradient(TStyGradient* Value) { FGradient->Assign(Value); }

void TStyShapeFill::SetStyle(TStyFillStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Change();
}

void TStyShapeFill::SetTileMode(TStyTileMode Value) {
    if (Value == FTileMode) return;
    FTileMode = Value;
    Change();
}

bool TStyShapeFill::IsEmpty() const {
    switch (FStyle) {
        case sfNone: return true;
        case sfBitmap: return FBitmap->Empty();
        case sfBitmapList: return FListBitmap->Empty();
        default: return false;
    }
}

const TStyPalette* TStyShapeFill::Palette() const {
    // The framework's bitmaps carry no palette of their own.
    return FStyle == sfGradient ? FGradient->Palette() : nullptr;
}

void TStyShapeFill::WriteStored(TStyStoredProperties& P) const {
    P.WriteBitmap("Bitmap.Data", FBitmap.get());
    P.WriteIdent("Style", FStyle, StyNames::FillStyle);
    TStyStoredProperties gradient = P.Nested("Gradient");
    FGradient->WriteStored(gradient);
    if (FTileMode != tmTile) P.WriteIdent("TileMode", FTileMode, StyNames::TileMode);
}

void TStyShapeFill::LoadStored(const TStyStoredProperties& P) {
    P.ReadBitmap("Bitmap.Data", FBitmap.get());
    FStyle = TStyFillStyle(P.ReadIdent("Style", FStyle, StyNames::FillStyle));
    FGradient->ReadStored(P.Nested("Gradient"));
    FTileMode = TStyTileMode(P.ReadIdent("TileMode", FTileMode, StyNames::TileMode));
}

void TStyShapeFill::ReadStored(const TStyStoredProperties& P) {
    TStyShapeFill t;
    t.FListBitmap->Assign(FListBitmap.get());  // the owner's, not stored
    t.LoadStored(P);
    Assign(&t);
}
