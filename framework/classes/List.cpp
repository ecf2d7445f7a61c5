#include "framework/classes/List.h"

#include "framework/rtl/Exception.h"

namespace {
[[noreturn]] void ListError(int index) { throw EListError(RtlConsts::SListIndexError, {index}); }

// The runtime's quick sort, kept so that equal items end where they did there.
void QuickSort(std::vector<void*>& a, int l, int r, const std::function<int(void*, void*)>& cmp) {
    int i, j;
    do {
        i = l;
        j = r;
        void* p = a[static_cast<size_t>((l + r) >> 1)];
        do {
            while (cmp(a[static_cast<size_t>(i)], p) < 0) ++i;
            while (cmp(a[static_cast<size_t>(j)], p) > 0) --j;
            if (i <= j) {
                std::swap(a[static_cast<size_t>(i)], a[static_cast<size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j) QuickSort(a, l, j, cmp);
        l = i;
    } while (i < r);
}
}  // namespace

void* TList::Items(int index) const {
    if (index < 0 || index >= Count()) ListError(index);
    return FItems[static_cast<size_t>(index)];
}

void TList::SetItems(int index, void* item) {
    if (index < 0 || index >= Count()) ListError(index);
    FItems[static_cast<size_t>(index)] = item;
}

int TList::Add(void* item) {
    FItems.push_back(item);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count()) ListError(index);
    FItems.insert(FItems.begin() + index, item);
}

void TList::Delete(int index) {
    if (index < 0 || index >= Count()) ListError(index);
    FItems.erase(FItems.begin() + index);
}

int TList::Remove(void* item) {
    int i = IndexOf(item);
    if (i >= 0) Delete(i);
    return i;
}

int TList::IndexOf(void* item) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i] == item) return static_cast<int>(i);
    return -1;
}

void TList::Exchange(int a, int b) {
    if (a < 0 || a >= Count()) ListError(a);
    if (b < 0 || b >= Count()) ListError(b);
    std::swap(FItems[static_cast<size_t>(a)], FItems[static_cast<size_t>(b)]);
}

void TList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    if (curIndex < 0 || curIndex >= Count()) ListError(curIndex);
    if (newIndex < 0 || newIndex >= Count()) ListError(newIndex);
    void* item = FItems[static_cast<size_t>(curIndex)];
    FItems.erase(FItems.begin() + curIndex);
    FItems.insert(FItems.begin() + newIndex, item);
}

void TList::Pack() {
    std::vector<void*> kept;
    kept.reserve(FItems.size());
    for (void* p : FItems)
        if (p) kept.push_back(p);
    FItems.swap(kept);
}

void TList::Sort(const std::function<int(void*, void*)>& compare) {
    if (FItems.size() > 1 && compare) QuickSort(FItems, 0, Count() - 1, compare);
}
