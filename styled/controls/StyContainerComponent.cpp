#include "styled/controls/StyContainerComponent.h"

#include "styled/controls/StyPictureRef.h"

TStyContainerComponent::TStyContainerComponent(TComponent* AOwner)
    : TStyComponent(AOwner), FPicture(std::make_unique<TStyPictureRef>(this, [this] { PictureChanged(); })) {}

TStyContainerComponent::~TStyContainerComponent() = default;

TStyCustomImageList* TStyContainerComponent::ImageList() const { return FPicture->ImageList(); }
void TStyContainerComponent::SetImageList(TStyCustomImageList* Value) { FPicture->SetImageList(Value); }
int TStyContainerComponent::ImageIndex() const { return FPicture->ImageIndex(); }
void TStyContainerComponent::SetImageIndex(int Value) { FPicture->SetImageIndex(Value); }
int TStyContainerComponent::ListIndex() const { return FPicture->ListIndex(); }
void TStyContainerComponent::SetListIndex(int Value) { FPicture->SetListIndex(Value); }
bool TStyContainerComponent::PictureValid() const { return FPicture->Valid(); }

void TStyContainerComponent::PictureChanged() {
    if (!HasState(csLoading) && !HasState(csDestroying)) Change();
}

void TStyContainerComponent::Notification(TComponent* Component, TOperation Operation) {
    TStyComponent::Notification(Component, Operation);
    if (Operation == opRemove) FPicture->Removed(Component);
}
