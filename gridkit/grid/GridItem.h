#pragma once
// One hidden row: its real index and its cell texts (column 0 first).
#include <memory>

#include "framework/classes/Collection.h"
#include "framework/classes/StringList.h"

class TGridItem : public TCollectionItem {
public:
    explicit TGridItem(TCollection* c) : TCollectionItem(c), FItems(std::make_unique<TStringList>()) {}
    String ClassName() const override { return "TGridItem"; }
    int Idx = 0;
    TStringList* Items() const { return FItems.get(); }

private:
    std::unique_ptr<TStringList> FItems;
};
