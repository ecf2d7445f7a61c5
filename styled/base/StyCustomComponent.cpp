#include "styled/base/StyCustomComponent.h"

TStyCustomComponent::TStyCustomComponent(TComponent* AOwner) : TComponent(AOwner) {}

void TStyCustomComponent::SetAbout(const String& Value) { FAbout = Value.substr(0, 10); }

void TStyCustomComponent::Change() {
    if (OnChange && !FUpdating) OnChange(this);
}

void TStyCustomComponent::GetChange(TObject* Sender) {
    (void)Sender;
    Change();
}

void TStyCustomComponent::BeginUpdate() { FUpdating = true; }

void TStyCustomComponent::EndUpdate(bool DoChange) {
    FUpdating = false;
    if (DoChange) Change();
}
