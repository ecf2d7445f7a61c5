#include "styled/storage/StyStringListItem.h"

#include "framework/classes/StringList.h"
#include "styled/storage/StreamRoutines.h"

TStyStringListItem::TStyStringListItem(TComponent* AOwner)
    : TStyListItem(AOwner), FItems(std::make_unique<TStringList>()) {
    FItems->OnChange = [this](TObject* s) { GetChange(s); };
}

TStyStringListItem::~TStyStringListItem() { FItems->OnChange = nullptr; }

TStrings* TStyStringListItem::Items() const { return FItems.get(); }

void TStyStringListItem::SetItems(TStrings* Value) { FItems->Assign(Value); }

void TStyStringListItem::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyStringListItem*>(Source)) {
        BeginUpdate();
        SetDescription(s->Description());
        SetIdent(s->Ident());
        SetCompressed(s->Compressed());
        FItems->Assign(s->FItems.get());
        EndUpdate(true);
        return;
    }
    if (auto* l = dynamic_cast<TStrings*>(Source)) {
        FItems->Assign(l);
        return;
    }
    TStyListItem::Assign(Source);
}

bool TStyStringListItem::HasData() const { return FItems->Count() > 0; }

void TStyStringListItem::WriteData(TStream* Stream, bool DataPresent) {
    if (DataPresent) WriteStringsToStream(Stream, FItems.get(), Compressed());
}

void TStyStringListItem::ReadData(TStream* Stream, bool DataPresent) {
    TStringList lines;
    if (DataPresent) ReadStringsFromStream(Stream, &lines, Compressed());
    FItems->Assign(&lines);
}
