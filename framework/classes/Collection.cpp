#include "framework/classes/Collection.h"

#include <algorithm>

#include "framework/rtl/Exception.h"

// --- TCollectionItem ----------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* c) {
    if (c == FCollection) return;
    if (FCollection) FCollection->RemoveItem(this);
    if (c) c->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    const auto& v = FCollection->FItems;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TCollectionItem::SetIndex(int index) {
    const int cur = Index();
    if (cur < 0 || cur == index) return;
    auto& v = FCollection->FItems;
    if (index < 0 || index >= static_cast<int>(v.size()))
        throw EListError(RtlConsts::SListIndexError, {index});
    v.erase(v.begin() + cur);
    v.insert(v.begin() + index, this);
    Changed(true);
}

String TCollectionItem::DisplayName() const { return ClassName(); }

void TCollectionItem::Changed(bool allItems) {
    if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(allItems ? nullptr : this);
}

// --- TCollection ----------------------------------------------------------------

TCollection::TCollection(TItemFactory factory) : FFactory(std::move(factory)) {}

TCollection::~TCollection() {
    FUpdateCount = 1;  // no notices while going away
    while (!FItems.empty()) delete FItems.back();
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(RtlConsts::SListIndexError, {index});
    return FItems[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add() {
    // Updates are held while the factory runs, so the notice comes once the
    // item is whole rather than from inside its base constructor.
    BeginUpdate();
    TCollectionItem* item = nullptr;
    try {
        item = FFactory ? FFactory(this) : new TCollectionItem(this);
        if (item && item->Collection() != this) item->SetCollection(this);
    } catch (...) {
        --FUpdateCount;
        throw;
    }
    EndUpdate();
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
    if (FItems.empty()) return;
    BeginUpdate();
    while (!FItems.empty()) delete FItems.back();
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : FItems)
        if (item->FID == id) return item;
    return nullptr;
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
    if (FUpdateCount > 0) --FUpdateCount;
    Changed();
}

void TCollection::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* src : other->FItems) Add()->Assign(src);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Update(TCollectionItem* item) {
    if (OnUpdate) OnUpdate(item);
}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
    FItems.push_back(item);
    item->FCollection = this;
    item->FID = FNextID++;
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it != FItems.end()) FItems.erase(it);
    item->FCollection = nullptr;
    Changed();
}
