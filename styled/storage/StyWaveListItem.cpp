#include "styled/storage/StyWaveListItem.h"

#include "styled/storage/StreamRoutines.h"
#include "styled/storage/StyWave.h"

TStyWaveListItem::TStyWaveListItem(TComponent* AOwner) : TStyListItem(AOwner), FWave(std::make_unique<TStyWave>()) {
    FWave->OnChange = [this](TObject* s) { GetChange(s); };
}

TStyWaveListItem::~TStyWaveListItem() { FWave->OnChange = nullptr; }

void TStyWaveListItem::SetWave(TStyWave* Value) { FWave->Assign(Value); }

void TStyWaveListItem::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyWaveListItem*>(Source)) {
        BeginUpdate();
        SetDescription(s->Description());
        SetIdent(s->Ident());
        SetCompressed(s->Compressed());
        FWave->Assign(s->FWave.get());
        EndUpdate(true);
        return;
    }
    TStyListItem::Assign(Source);
}

bool TStyWaveListItem::HasData() const { return !FWave->Empty(); }

void TStyWaveListItem::WriteData(TStream* Stream, bool DataPresent) {
    if (DataPresent) WriteWaveToStream(Stream, FWave.get(), Compressed());
}

void TStyWaveListItem::ReadData(TStream* Stream, bool DataPresent) {
    if (DataPresent)
        ReadWaveFromStream(Stream, FWave.get(), Compressed());
    else
        FWave->Clear();
}
