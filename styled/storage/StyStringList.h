#pragma once
#include "styled/storage/StyCustomContainer.h"

class TStyStringListItem;

// Lists of lines.
class TStyStringList : public TStyCustomContainer {
public:
    explicit TStyStringList(TComponent* AOwner) : TStyCustomContainer(AOwner, ckStringList) {}
    String ClassName() const override { return "TStyStringList"; }
    std::unique_ptr<TStyListItem> CreateItem() const override;
    TStyStringListItem* Strings(int Index) const;
};
