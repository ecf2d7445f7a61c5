#include "framework/controls/ListColumns.h"

#include "framework/controls/ListColumn.h"
#include "framework/controls/ListView.h"
#include "framework/rtl/Exception.h"

TListColumns::TListColumns(TListView* owner) : FOwner(owner) {}
TListColumns::~TListColumns() = default;

TListColumn* TListColumns::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(RtlConsts::SListIndexError, {index});
    return FItems[static_cast<size_t>(index)].get();
}

TListColumn* TListColumns::Add() {
    FItems.push_back(std::make_unique<TListColumn>(FOwner, Count()));
    if (FOwner) FOwner->ColumnsChanged();
    return FItems.back().get();
}

void TListColumns::Delete(int index) {
    Items(index);
    FItems.erase(FItems.begin() + index);
    for (int i = 0; i < Count(); ++i) FItems[static_cast<size_t>(i)]->SetIndexFromList(i);
    if (FOwner) FOwner->ColumnsChanged();
}

void TListColumns::Clear() {
    FItems.clear();
    if (FOwner) FOwner->ColumnsChanged();
}
