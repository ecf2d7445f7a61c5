#include "gridkit/grid/IntList.h"

void TIntList::SetItems(int index, int value) {
    FItems.at(static_cast<size_t>(index)) = value;
    Changed();
}

int TIntList::Add(int value) {
    FItems.push_back(value);
    Changed();
    return Count() - 1;
}

void TIntList::Delete(int index) { FItems.erase(FItems.begin() + index); }

void TIntList::Changed() {
    if (OnChange) OnChange(this, FParam1, FParam2);
}
