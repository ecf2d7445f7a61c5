#include "styled/storage/StyBaseContainer.h"

#include <algorithm>

#include "styled/storage/StyChangeLink.h"

TStyBaseContainer::TStyBaseContainer(TComponent* AOwner) : TStyComponent(AOwner) {}

TStyBaseContainer::~TStyBaseContainer() {
    for (TStyChangeLink* link : FLinks) link->FContainer = nullptr;
    FLinks.clear();
}

void TStyBaseContainer::RegisterChangeLink(TStyChangeLink* Link) {
    if (!Link) return;
    if (Link->FContainer && Link->FContainer != this) Link->FContainer->UnRegisterChangeLink(Link);
    if (std::find(FLinks.begin(), FLinks.end(), Link) != FLinks.end()) return;
    Link->FContainer = this;
    FLinks.push_back(Link);
}

void TStyBaseContainer::UnRegisterChangeLink(TStyChangeLink* Link) {
    auto it = std::find(FLinks.begin(), FLinks.end(), Link);
    if (it == FLinks.end()) return;
    Link->FContainer = nullptr;
    FLinks.erase(it);
}

void TStyBaseContainer::Change() {
    if (Updating()) return;
    // A handler may unregister links: walk a copy.
    const std::vector<TStyChangeLink*> links = FLinks;
    for (TStyChangeLink* link : links)
        if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end() && link->OnChange) link->OnChange(this);
    TStyComponent::Change();
}
