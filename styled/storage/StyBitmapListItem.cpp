#include "styled/storage/StyBitmapListItem.h"

#include "framework/graphics/Bitmap.h"
#include "styled/storage/StreamRoutines.h"

TStyBitmapListItem::TStyBitmapListItem(TComponent* AOwner)
    : TStyListItem(AOwner), FBitmap(std::make_unique<TBitmap>()) {
    FBitmap->OnChange = [this](TObject* s) { GetChange(s); };
}

TStyBitmapListItem::~TStyBitmapListItem() { FBitmap->OnChange = nullptr; }

void TStyBitmapListItem::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyBitmapListItem*>(Source)) {
        BeginUpdate();
        SetDescription(s->Description());
        SetIdent(s->Ident());
        SetCompressed(s->Compressed());
        SetPixelFormat(s->PixelFormat());
        FBitmap->Assign(s->FBitmap.get());
        EndUpdate(true);
        return;
    }
    TStyListItem::Assign(Source);
}

void TStyBitmapListItem::SetBitmap(TGraphic* Value) { FBitmap->Assign(Value); }

bool TStyBitmapListItem::HasData() const { return !FBitmap->Empty(); }

void TStyBitmapListItem::WriteData(TStream* Stream, bool DataPresent) {
    if (DataPresent) WriteGraphicToStream(Stream, FBitmap.get(), Compressed(), StoredColorCount(PixelFormat()));
}

void TStyBitmapListItem::ReadData(TStream* Stream, bool DataPresent) {
    TBitmap b;
    if (DataPresent) ReadGraphicFromStream(Stream, &b, Compressed());
    FBitmap->Assign(&b);
}
