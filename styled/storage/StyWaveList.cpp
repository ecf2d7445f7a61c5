#include "styled/storage/StyWaveList.h"

#include "styled/storage/StyWaveListItem.h"

std::unique_ptr<TStyListItem> TStyWaveList::CreateItem() const { return std::make_unique<TStyWaveListItem>(); }

TStyWaveListItem* TStyWaveList::Waves(int Index) const { return static_cast<TStyWaveListItem*>(Item(Index)); }
