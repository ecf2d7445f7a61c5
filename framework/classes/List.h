#pragma once
#include <functional>
#include <vector>

#include "framework/rtl/Types.h"

// A list of untyped pointers with the runtime's index checks (EListError
// "List index out of bounds (%d)").
class TList : public TObject {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    void* Items(int index) const;
    void SetItems(int index, void* item);
    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    int Remove(void* item);
    int IndexOf(void* item) const;
    void Exchange(int a, int b);
    void Move(int curIndex, int newIndex);
    void Clear() { FItems.clear(); }
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }
    void Pack();  // drops nil items
    void Sort(const std::function<int(void*, void*)>& compare);

private:
    std::vector<void*> FItems;
};
