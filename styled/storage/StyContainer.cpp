#include "styled/storage/StyContainer.h"

#include <memory>

#include "styled/storage/StyBitmapList.h"
#include "styled/storage/StyImageList.h"
#include "styled/storage/StyStringList.h"
#include "styled/storage/StyWaveList.h"

TStyContainer::TStyContainer(TComponent* AOwner)
    : TStyBaseContainer(AOwner),
      FBitmapList(new TStyBitmapList(this)),
      FImageList(new TStyImageList(this)),
      FWaveList(new TStyWaveList(this)),
      FStringList(new TStyStringList(this)) {
    auto relay = [this](TObject* s) { GetChange(s); };
    FBitmapList->OnChange = relay;
    FImageList->OnChange = relay;
    FWaveList->OnChange = relay;
    FStringList->OnChange = relay;
}

TStyContainer::~TStyContainer() {
    FBitmapList->OnChange = nullptr;
    FImageList->OnChange = nullptr;
    FWaveList->OnChange = nullptr;
    FStringList->OnChange = nullptr;
}

TStyContainer* StyDefaultContainer() {
    static std::unique_ptr<TStyContainer> container = std::make_unique<TStyContainer>(nullptr);
    return container.get();
}

String InternalListName(const TStyCustomImageList* List) {
    if (!List) return String();
    TStyContainer* d = StyDefaultContainer();
    if (List == d->BitmapList() || List == d->ImageList()) return ContainerSignature(List->Kind());
    return String();
}

TStyCustomImageList* InternalList(const String& Name) {
    TStyContainer* d = StyDefaultContainer();
    if (Name == ContainerSignature(ckBitmapList)) return d->BitmapList();
    if (Name == ContainerSignature(ckImageList)) return d->ImageList();
    return nullptr;
}
