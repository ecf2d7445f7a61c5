#include "styled/storage/StyStringList.h"

#include "styled/storage/StyStringListItem.h"

std::unique_ptr<TStyListItem> TStyStringList::CreateItem() const { return std::make_unique<TStyStringListItem>(); }

TStyStringListItem* TStyStringList::Strings(int Index) const { return static_cast<TStyStringListItem*>(Item(Index)); }
