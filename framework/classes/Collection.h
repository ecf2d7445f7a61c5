#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "framework/classes/Persistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;
    TCollection* Collection() const { return FCollection; }
    void SetCollection(TCollection* c);
    int Index() const;
    void SetIndex(int index);
    int ID() const { return FID; }
    virtual String DisplayName() const;
    String ClassName() const override { return "TCollectionItem"; }

protected:
    // Tells the collection that this item changed (allItems=false) or that
    // the whole list changed.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

// Owns its items. Update(item) is called after a change of one item
// (nullptr: the whole collection), unless updates are held with BeginUpdate.
class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
    explicit TCollection(TItemFactory factory);
    ~TCollection() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int index) const;  // EListError when out of range
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    void Assign(TPersistent* source) override;
    String ClassName() const override { return "TCollection"; }

    // Called after changes; the default does nothing.
    std::function<void(TCollectionItem* item)> OnUpdate;

protected:
    virtual void Update(TCollectionItem* item);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    TItemFactory FFactory;
    std::vector<TCollectionItem*> FItems;
    int FUpdateCount = 0;
    int FNextID = 0;
};

template <class T>
T* CollectionItemAs(const TCollection* c, int index) {
    return static_cast<T*>(c->Items(index));
}
