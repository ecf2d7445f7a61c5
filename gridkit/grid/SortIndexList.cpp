#include "gridkit/grid/SortIndexList.h"

void TSortIndexList::AddIndex(int column, bool ascending) {
    unsigned v = static_cast<unsigned>(column) & ~DescendingBit;
    if (!ascending) v |= DescendingBit;
    Add(static_cast<int>(v));
}

int TSortIndexList::FindIndex(int column) const {
    for (int i = 0; i < Count(); ++i)
        if (ColumnOf(Items(i)) == ColumnOf(column)) return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int column) {
    const int i = FindIndex(column);
    if (i >= 0) SetItems(i, static_cast<int>(static_cast<unsigned>(Items(i)) ^ DescendingBit));
}
