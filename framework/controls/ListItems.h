#pragma once
#include <memory>
#include <vector>

#include "framework/classes/Persistent.h"

class TListItem;
class TListView;

// The lines of a list view.
class TListItems : public TPersistent {
public:
    explicit TListItems(TListView* owner);
    ~TListItems() override;
    String ClassName() const override { return "TListItems"; }

    TListView* Owner() const { return FOwner; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    TListItem* Add();
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int IndexOf(const TListItem* item) const;
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

    // Framework-internal.
    std::vector<std::unique_ptr<TListItem>>& List() { return FItems; }

private:
    TListView* FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FUpdateCount = 0;
};
