#include "styled/controls/StyPictureRef.h"

#include "styled/storage/StyChangeLink.h"
#include "styled/storage/StyCustomImageList.h"

TStyPictureRef::TStyPictureRef(TComponent* Holder, std::function<void()> PictureChanged)
    : FHolder(Holder), FPictureChanged(std::move(PictureChanged)), FLink(std::make_unique<TStyChangeLink>()) {
    FLink->OnChange = [this](TObject*) {
        if (FPictureChanged) FPictureChanged();
    };
}

TStyPictureRef::~TStyPictureRef() {
    if (FImageList) {
        FImageList->UnRegisterChangeLink(FLink.get());
        if (FHolder) FImageList->RemoveFreeNotification(FHolder);
    }
}

void TStyPictureRef::SetImageList(TStyCustomImageList* Value) {
    if (Value == FImageList) return;
    if (FImageList) {
        FImageList->UnRegisterChangeLink(FLink.get());
        if (FHolder) FImageList->RemoveFreeNotification(FHolder);
    }
    FImageList = Value;
    if (FImageList) {
        FImageList->RegisterChangeLink(FLink.get());
        if (FHolder) FImageList->FreeNotification(FHolder);
    }
    if (FPictureChanged) FPictureChanged();
}

void TStyPictureRef::SetIndex(int Which, int Value) {
    if (Value < 0 || Value == FIndex[Which]) return;
    FIndex[Which] = Value;
    if (FImageList && FPictureChanged) FPictureChanged();
}

bool TStyPictureRef::Valid() const { return FImageList && FImageList->IsValid(FIndex[1], FIndex[0]); }

bool TStyPictureRef::Removed(TComponent* Component) {
    if (!Component || Component != static_cast<TComponent*>(FImageList)) return false;
    // The list is going: it has let go of its links already, so only the
    // reference is dropped.
    FImageList = nullptr;
    if (FPictureChanged) FPictureChanged();
    return true;
}
