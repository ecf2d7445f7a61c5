#pragma once
// A list of integers that reports each addition or assignment, with the
// two numbers it was made with.
#include <functional>
#include <vector>

class TIntList {
public:
    TIntList(int param1, int param2) : FParam1(param1), FParam2(param2) {}
    virtual ~TIntList() = default;

    int Count() const { return static_cast<int>(FItems.size()); }
    int Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
    void SetItems(int index, int value);
    int Add(int value);
    void Delete(int index);
    void Clear() { FItems.clear(); }

    std::function<void(TIntList* Sender, int Param1, int Param2)> OnChange;

private:
    void Changed();
    std::vector<int> FItems;
    int FParam1, FParam2;
};
