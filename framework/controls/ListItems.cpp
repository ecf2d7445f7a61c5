#include "framework/controls/ListItems.h"

#include "framework/controls/ListItem.h"
#include "framework/controls/ListView.h"
#include "framework/rtl/Exception.h"

TListItems::TListItems(TListView* owner) : FOwner(owner) {}
TListItems::~TListItems() = default;

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count()) throw EListError(RtlConsts::SListIndexError, {index});
    return FItems[static_cast<size_t>(index)].get();
}

int TListItems::IndexOf(const TListItem* item) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == item) return static_cast<int>(i);
    return -1;
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, std::make_unique<TListItem>(this));
    TListItem* item = FItems[static_cast<size_t>(index)].get();
    if (FOwner) FOwner->ItemsChanged();
    return item;
}

void TListItems::Delete(int index) {
    TListItem* item = Item(index);
    if (FOwner) FOwner->ItemDeleting(item);
    std::unique_ptr<TListItem> gone = std::move(FItems[static_cast<size_t>(index)]);
    FItems.erase(FItems.begin() + index);
    if (FOwner) FOwner->ItemsChanged();
}

void TListItems::Clear() {
    BeginUpdate();
    while (!FItems.empty()) Delete(Count() - 1);
    EndUpdate();
}

void TListItems::BeginUpdate() { ++FUpdateCount; }

void TListItems::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FOwner) FOwner->ItemsChanged();
}
