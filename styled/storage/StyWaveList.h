#pragma once
#include "styled/storage/StyCustomContainer.h"

class TStyWaveListItem;

// Sounds.
class TStyWaveList : public TStyCustomContainer {
public:
    explicit TStyWaveList(TComponent* AOwner) : TStyCustomContainer(AOwner, ckWaveList) {}
    String ClassName() const override { return "TStyWaveList"; }
    std::unique_ptr<TStyListItem> CreateItem() const override;
    TStyWaveListItem* Waves(int Index) const;
};
