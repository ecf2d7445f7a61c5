#pragma once
#include <memory>
#include <vector>

#include "framework/classes/Persistent.h"

class TListColumn;
class TListView;

// The columns of a list view.
class TListColumns : public TPersistent {
public:
    explicit TListColumns(TListView* owner);
    ~TListColumns() override;
    String ClassName() const override { return "TListColumns"; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TListColumn* Items(int index) const;
    TListColumn* operator[](int index) const { return Items(index); }
    TListColumn* Add();
    void Delete(int index);
    void Clear();

private:
    TListView* FOwner;
    std::vector<std::unique_ptr<TListColumn>> FItems;
};
