#include "framework/classes/StringList.h"

#include <utility>

#include "framework/rtl/Exception.h"

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    if (OwnsObjects)
        for (Item& it : FList) delete it.Obj;
    FList.clear();
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) Error(RtlConsts::SListIndexError, index);
}

String TStringList::Get(int index) const {
    CheckIndex(index);
    return FList[static_cast<size_t>(index)].S;
}

void TStringList::Put(int index, const String& s) {
    if (FSorted) Error(RtlConsts::SSortedListError, 0);
    CheckIndex(index);
    Changing();
    FList[static_cast<size_t>(index)].S = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return FList[static_cast<size_t>(index)].Obj;
}

void TStringList::PutObject(int index, TObject* obj) {
    CheckIndex(index);
    Changing();
    FList[static_cast<size_t>(index)].Obj = obj;
    Changed();
}

void TStringList::Insert(int index, const String& s) {
    if (FSorted) Error(RtlConsts::SSortedListError, 0);
    if (index < 0 || index > Count()) Error(RtlConsts::SListIndexError, index);
    InsertItem(index, s, nullptr);
}

void TStringList::InsertItem(int index, const String& s, TObject* obj) {
    Changing();
    FList.insert(FList.begin() + index, Item{s, obj});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    TObject* obj = FList[static_cast<size_t>(index)].Obj;
    FList.erase(FList.begin() + index);
    if (OwnsObjects) delete obj;
    Changed();
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    std::vector<Item> old;
    old.swap(FList);
    if (OwnsObjects)
        for (Item& it : old) delete it.Obj;
    Changed();
}

int TStringList::Add(const String& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const String& s, TObject* obj) {
    int index;
    if (!FSorted) {
        index = Count();
    } else if (Find(s, index)) {
        switch (Duplicates) {
            case dupIgnore: return index;
            case dupError: Error(RtlConsts::SDuplicateString, 0); break;
            case dupAccept: break;
        }
    }
    InsertItem(index, s, obj);
    return index;
}

void TStringList::Exchange(int a, int b) {
    CheckIndex(a);
    CheckIndex(b);
    Changing();
    std::swap(FList[static_cast<size_t>(a)], FList[static_cast<size_t>(b)]);
    Changed();
}

void TStringList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    CheckIndex(curIndex);
    if (FSorted) Error(RtlConsts::SSortedListError, 0);
    if (newIndex < 0 || newIndex >= Count()) Error(RtlConsts::SListIndexError, newIndex);
    BeginUpdate();  // one OnChanging/OnChange pair, as the runtime gives
    Item item = std::move(FList[static_cast<size_t>(curIndex)]);
    FList.erase(FList.begin() + curIndex);
    FList.insert(FList.begin() + newIndex, std::move(item));
    EndUpdate();
}

int TStringList::IndexOf(const String& s) const {
    if (!FSorted) return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(const String& s, int& index) const {
    // Binary search; with dupAccept the first of equal strings is found.
    bool found = false;
    int l = 0, h = Count() - 1;
    while (l <= h) {
        const int i = (l + h) >> 1;
        const int c = CompareStrings(FList[static_cast<size_t>(i)].S, s);
        if (c < 0) {
            l = i + 1;
        } else {
            h = i - 1;
            if (c == 0) {
                found = true;
                if (Duplicates != dupAccept) l = i;
            }
        }
    }
    index = l;
    return found;
}

namespace {
// The runtime's quick sort, kept so that equal strings land where they did
// there. The comparer sees the list as it is being sorted.
void QuickSort(int l, int r, const std::function<int(int, int)>& cmp,
               const std::function<void(int, int)>& exchange) {
    int i, j, p;
    do {
        i = l;
        j = r;
        p = (l + r) >> 1;
        do {
            while (cmp(i, p) < 0) ++i;
            while (cmp(j, p) > 0) --j;
            if (i <= j) {
                if (i != j) exchange(i, j);
                if (p == i)
                    p = j;
                else if (p == j)
                    p = i;
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j) QuickSort(l, j, cmp, exchange);
        l = i;
    } while (i < r);
}
}  // namespace

void TStringList::Sort() {
    CustomSort([](TStringList* list, int a, int b) {
        return list->CompareStrings(list->FList[static_cast<size_t>(a)].S,
                                    list->FList[static_cast<size_t>(b)].S);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
    if (FSorted || Count() <= 1 || !compare) return;
    Changing();
    QuickSort(
        0, Count() - 1, [&](int a, int b) { return compare(this, a, b); },
        [&](int a, int b) { std::swap(FList[static_cast<size_t>(a)], FList[static_cast<size_t>(b)]); });
    Changed();
}

void TStringList::SetSorted(bool v) {
    if (v == FSorted) return;
    if (v) Sort();
    FSorted = v;
}

void TStringList::SetCaseSensitive(bool v) {
    if (v == FCaseSensitive) return;
    FCaseSensitive = v;
    if (FSorted) {
        // Re-sort under the new rule.
        FSorted = false;
        Sort();
        FSorted = true;
    }
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
    // Nothing is said while an update is open; its end reports the whole
    // update as one change.
    if (!updating) {
        Changing();
        Changed();
    }
}
