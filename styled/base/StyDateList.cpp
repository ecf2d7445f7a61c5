#include "styled/base/StyDateList.h"

int TStyDateList::Add(const TStyDateRecord& Record) {
    TStyDateRecord copy = Record;
    if (copy.Text.size() > MaxTextLength) copy.Text.resize(MaxTextLength);
    FItems.push_back(std::move(copy));
    return Count() - 1;
}

bool TStyDateList::GetItem(int Index, TStyDateRecord& Record) const {
    if (Index < 0 || Index >= Count()) return false;
    Record = FItems[static_cast<size_t>(Index)];
    return true;
}

void TStyDateList::Delete(int Index) {
    if (Index < 0 || Index >= Count()) return;
    FItems.erase(FItems.begin() + Index);
}
