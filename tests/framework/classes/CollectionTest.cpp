// TCollection with update notices, and TList.
#include <gtest/gtest.h>

#include "framework/classes/Collection.h"
#include "framework/classes/List.h"
#include "framework/rtl/Exception.h"

namespace {

class TValueItem : public TCollectionItem {
public:
    explicit TValueItem(TCollection* c) : TCollectionItem(c) {}
    String ClassName() const override { return "TValueItem"; }
    int Value() const { return FValue; }
    void SetValue(int v) {
        if (v == FValue) return;
        FValue = v;
        Changed(false);
    }
    void Assign(TPersistent* source) override {
        if (auto* o = dynamic_cast<TValueItem*>(source)) {
            FValue = o->FValue;
            Changed(false);
            return;
        }
        TCollectionItem::Assign(source);
    }

private:
    int FValue = 0;
};

// Counts Update calls as the virtual method sees them.
class TValues : public TCollection {
public:
    TValues() : TCollection([](TCollection* c) { return new TValueItem(c); }) {}
    TValueItem* At(int i) const { return CollectionItemAs<TValueItem>(this, i); }
    std::vector<TCollectionItem*> Updates;

protected:
    void Update(TCollectionItem* item) override {
        Updates.push_back(item);
        TCollection::Update(item);
    }
};

TEST(Collection, AddInsertDeleteAndIDs) {
    TValues c;
    auto* a = static_cast<TValueItem*>(c.Add());
    auto* b = static_cast<TValueItem*>(c.Add());
    auto* z = static_cast<TValueItem*>(c.Insert(0));
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(c.At(0), z);
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ(b->Index(), 2);
    EXPECT_EQ(a->ID(), 0);
    EXPECT_EQ(b->ID(), 1);
    EXPECT_EQ(z->ID(), 2);
    EXPECT_EQ(c.FindItemID(1), b);
    EXPECT_EQ(c.FindItemID(9), nullptr);
    EXPECT_EQ(a->Collection(), &c);
    EXPECT_EQ(a->DisplayName(), "TValueItem");
    c.Delete(0);
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(c.At(0), a);
    auto* d = static_cast<TValueItem*>(c.Add());
    EXPECT_EQ(d->ID(), 3);  // IDs are not reused
    b->SetIndex(0);
    EXPECT_EQ(c.At(0), b);
    EXPECT_EQ(c.At(1), a);
    EXPECT_THROW(b->SetIndex(5), EListError);
    try {
        c.Items(3);
        ADD_FAILURE();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (3)");
    }
    EXPECT_THROW(c.Delete(-1), EListError);
    delete a;  // an item freed on its own leaves the collection
    EXPECT_EQ(c.Count(), 2);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
}

TEST(Collection, UpdateNotices) {
    TValues c;
    std::vector<TCollectionItem*> seen;
    c.OnUpdate = [&](TCollectionItem* item) { seen.push_back(item); };
    auto* a = static_cast<TValueItem*>(c.Add());
    EXPECT_EQ(c.Updates, (std::vector<TCollectionItem*>{nullptr}));  // once, for the whole list
    EXPECT_EQ(seen, c.Updates);
    c.Updates.clear();
    a->SetValue(5);
    EXPECT_EQ(c.Updates, (std::vector<TCollectionItem*>{a}));  // one item changed
    c.Updates.clear();
    c.BeginUpdate();
    a->SetValue(6);
    c.Add();
    c.Add();
    c.Delete(1);
    c.BeginUpdate();
    a->SetValue(7);
    c.EndUpdate();
    EXPECT_TRUE(c.Updates.empty());  // held while updating
    EXPECT_EQ(c.UpdateCount(), 1);
    c.EndUpdate();
    EXPECT_EQ(c.Updates, (std::vector<TCollectionItem*>{nullptr}));  // once at the end, for all
    c.Updates.clear();
    c.Clear();
    EXPECT_EQ(c.Updates, (std::vector<TCollectionItem*>{nullptr}));
}

TEST(Collection, AssignCopiesItems) {
    TValues a, b;
    for (int v : {1, 2, 3}) static_cast<TValueItem*>(a.Add())->SetValue(v);
    b.Add();
    b.Updates.clear();
    b.Assign(&a);
    ASSERT_EQ(b.Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(b.At(i)->Value(), i + 1);
    EXPECT_EQ(b.Updates, (std::vector<TCollectionItem*>{nullptr}));
    TPersistent other;
    try {
        b.Assign(&other);
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Cannot assign a TPersistent to a TCollection");
    }
}

TEST(Collection, ItemsMoveBetweenCollections) {
    TValues a, b;
    auto* item = a.Add();
    item->SetCollection(&b);
    EXPECT_EQ(a.Count(), 0);
    EXPECT_EQ(b.Count(), 1);
    EXPECT_EQ(item->Collection(), &b);
    item->SetCollection(nullptr);
    EXPECT_EQ(b.Count(), 0);
    EXPECT_EQ(item->Index(), -1);
    delete item;
}

TEST(List, Operations) {
    int v[5] = {};
    TList l;
    EXPECT_EQ(l.Add(&v[0]), 0);
    EXPECT_EQ(l.Add(&v[1]), 1);
    l.Insert(0, &v[2]);
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(l.Items(0), &v[2]);
    EXPECT_EQ(l.First(), &v[2]);
    EXPECT_EQ(l.Last(), &v[1]);
    EXPECT_EQ(l.IndexOf(&v[0]), 1);
    EXPECT_EQ(l.IndexOf(&v[4]), -1);
    l.Exchange(0, 2);
    EXPECT_EQ(l.Items(0), &v[1]);
    l.Move(0, 2);
    EXPECT_EQ(l.Items(2), &v[1]);
    EXPECT_EQ(l.Remove(&v[0]), 0);  // [v0, v2, v1] after the move
    EXPECT_EQ(l.Remove(&v[0]), -1);
    l.SetItems(0, nullptr);
    l.Add(nullptr);
    l.Pack();
    EXPECT_EQ(l.Count(), 1);
    l.Delete(0);
    EXPECT_EQ(l.Count(), 0);
    struct {
        std::function<void()> op;
        int index;
    } bad[] = {
        {[&] { l.Items(0); }, 0},       {[&] { l.First(); }, 0},        {[&] { l.Last(); }, -1},
        {[&] { l.Delete(-1); }, -1},    {[&] { l.Insert(1, nullptr); }, 1}, {[&] { l.SetItems(3, nullptr); }, 3},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.index);
        try {
            b.op();
            ADD_FAILURE();
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message, "List index out of bounds (" + std::to_string(b.index) + ")");
        }
    }
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
}

TEST(List, Sort) {
    std::vector<int> values = {5, 3, 9, 1, 3, 7, 0, 8};
    TList l;
    for (int& v : values) l.Add(&v);
    l.Sort([](void* a, void* b) { return *static_cast<int*>(a) - *static_cast<int*>(b); });
    std::vector<int> got;
    for (int i = 0; i < l.Count(); ++i) got.push_back(*static_cast<int*>(l.Items(i)));
    EXPECT_EQ(got, (std::vector<int>{0, 1, 3, 3, 5, 7, 8, 9}));
}

}  // namespace
