// TComponent ownership, names, notifications and loading; TPersistent.Assign.
#include <gtest/gtest.h>

#include "framework/classes/Component.h"
#include "framework/rtl/Exception.h"

namespace {

std::vector<String>* gLog = nullptr;

void Log(const String& s) {
    if (gLog) gLog->push_back(s);
}

// Records what happens to it in the global log.
class TProbe : public TComponent {
public:
    explicit TProbe(TComponent* owner, const String& name = String()) : TComponent(owner) {
        if (!name.empty()) SetName(name);
    }
    ~TProbe() override {
        Log("destroy " + Name() + (HasState(csDestroying) ? " (destroying)" : "") +
            (Owner() && Owner()->HasState(csDestroying) ? " (owner destroying)" : ""));
    }
    String ClassName() const override { return "TProbe"; }
    TComponent* Watched = nullptr;

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove && c == Watched) Watched = nullptr;
        // Only pointers are compared: the component may be half gone.
        Log(Name() + (op == opInsert ? " +" : " -") + (c == this ? String("self") : String("other")));
        if (op == opRemove) Removed.push_back(c);
        else Inserted.push_back(c);
    }
    void Loaded() override {
        TComponent::Loaded();
        Log("loaded " + Name());
    }

public:
    std::vector<TComponent*> Removed, Inserted;
};

class ComponentTest : public testing::Test {
protected:
    void SetUp() override { gLog = &log_; }
    void TearDown() override { gLog = nullptr; }
    std::vector<String> log_;
};

TEST_F(ComponentTest, OwnerFreesWhatItOwnsLastFirst) {
    auto* owner = new TProbe(nullptr, "Owner");
    new TProbe(owner, "A");
    auto* b = new TProbe(owner, "B");
    new TProbe(b, "B1");
    new TProbe(owner, "C");
    EXPECT_EQ(owner->ComponentCount(), 3);
    EXPECT_EQ(b->ComponentCount(), 1);
    log_.clear();
    delete owner;
    std::vector<String> destroyed;
    for (const String& l : log_)
        if (l.rfind("destroy", 0) == 0) destroyed.push_back(l);
    // C++ runs a derived destructor's body before TComponent's, so the owner
    // logs first; then its components go, last first, each marked as
    // destroying, and each one's own components after its body.
    EXPECT_EQ(destroyed, (std::vector<String>{"destroy Owner",
                                              "destroy C (destroying) (owner destroying)",
                                              "destroy B (destroying) (owner destroying)",
                                              "destroy B1 (destroying) (owner destroying)",
                                              "destroy A (destroying) (owner destroying)"}));
}

// A descendant that needs its components gone before its own members calls
// Destroying() and DestroyComponents() first in its destructor.
class TEarlyOwner : public TProbe {
public:
    using TProbe::TProbe;
    ~TEarlyOwner() override {
        Destroying();
        DestroyComponents();
        Log("members of " + Name() + (ComponentCount() == 0 ? " after components" : ""));
    }
};

TEST_F(ComponentTest, DescendantCanFreeComponentsFirst) {
    auto* owner = new TEarlyOwner(nullptr, "Form");
    new TProbe(owner, "A");
    new TProbe(owner, "B");
    log_.clear();
    delete owner;
    std::vector<String> lines;
    for (const String& l : log_)
        if (l.rfind("destroy", 0) == 0 || l.rfind("members", 0) == 0) lines.push_back(l);
    EXPECT_EQ(lines, (std::vector<String>{"destroy B (destroying) (owner destroying)",
                                          "destroy A (destroying) (owner destroying)",
                                          "members of Form after components", "destroy Form (destroying)"}));
}

TEST_F(ComponentTest, ComponentsListAndIndex) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    EXPECT_EQ(owner.Components(0), a);
    EXPECT_EQ(owner.Components(1), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(owner.ComponentIndex(), -1);
    EXPECT_EQ(a->Owner(), &owner);
    try {
        owner.Components(2);
        ADD_FAILURE();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (2)");
    }
    EXPECT_THROW(owner.Components(-1), EListError);
    owner.RemoveComponent(a);
    EXPECT_EQ(a->Owner(), nullptr);
    EXPECT_EQ(owner.ComponentCount(), 1);
    delete a;  // no longer owned: ours to free
    TComponent other(nullptr);
    other.InsertComponent(b);  // moves it from its old owner
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(b->Owner(), &other);
    owner.DestroyComponents();
}

TEST_F(ComponentTest, NamesAreUniqueAmongTheOwnersComponents) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("Button1");
    EXPECT_EQ(a->Name(), "Button1");
    struct {
        const char* name;
        bool ok;
    } cases[] = {{"button1", false}, {"BUTTON1", false}, {"Button2", true}, {"", true},
                 {"1abc", false},    {"a b", false},      {"_x9", true},     {"\xc3\xa9", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.ok) {
            EXPECT_NO_THROW(b->SetName(c.name));
            EXPECT_EQ(b->Name(), c.name);
        } else {
            EXPECT_THROW(b->SetName(c.name), EComponentError);
        }
    }
    try {
        b->SetName("button1");
        ADD_FAILURE();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message, "A component named button1 already exists");
    }
    a->SetName("BUTTON1");  // a component may change the case of its own name
    EXPECT_EQ(a->Name(), "BUTTON1");
    // Two unnamed components are fine; components without an owner never clash.
    auto* c = new TComponent(&owner);
    EXPECT_EQ(c->Name(), "");
    TComponent free1(nullptr), free2(nullptr);
    free1.SetName("Same");
    free2.SetName("Same");
    // Inserting a component whose name is taken fails and leaves it where it was.
    TComponent other(nullptr);
    auto* d = new TComponent(&other);
    d->SetName("button1");
    EXPECT_THROW(owner.InsertComponent(d), EComponentError);
    EXPECT_EQ(d->Owner(), &other);
}

TEST_F(ComponentTest, FindComponentIgnoresCase) {
    TComponent owner(nullptr);
    auto* edit = new TProbe(&owner, "Edit1");
    new TProbe(&owner, "Memo1");
    EXPECT_EQ(owner.FindComponent("edit1"), edit);
    EXPECT_EQ(owner.FindComponent("EDIT1"), edit);
    EXPECT_EQ(owner.FindComponent("Edit2"), nullptr);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    EXPECT_EQ(FindComponentAs<TProbe>(&owner, "memo1")->Name(), "Memo1");
    EXPECT_EQ(FindComponentAs<TProbe>(&owner, "nothing"), nullptr);
}

TEST_F(ComponentTest, OwnerHearsOfInsertionAndRemoval) {
    TProbe owner(nullptr, "Owner");
    auto* a = new TProbe(&owner, "A");
    ASSERT_EQ(owner.Inserted.size(), 1u);
    EXPECT_EQ(owner.Inserted[0], a);
    auto* b = new TProbe(&owner, "B");
    owner.Removed.clear();
    TComponent* gone = a;
    delete a;
    ASSERT_EQ(owner.Removed.size(), 1u);
    EXPECT_EQ(owner.Removed[0], gone);
    // Siblings hear of it through the owner.
    ASSERT_EQ(b->Removed.size(), 1u);
    EXPECT_EQ(b->Removed[0], gone);
    EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST_F(ComponentTest, FreeNotificationAcrossOwners) {
    TComponent form1(nullptr), form2(nullptr);
    auto* watcher = new TProbe(&form1, "Watcher");
    auto* target = new TProbe(&form2, "Target");
    watcher->Watched = target;
    target->FreeNotification(watcher);
    target->FreeNotification(watcher);  // asking twice registers once
    delete target;
    EXPECT_EQ(watcher->Watched, nullptr);
    int count = 0;
    for (TComponent* c : watcher->Removed) count += c == static_cast<TComponent*>(target) ? 1 : 0;
    EXPECT_EQ(count, 1);

    // The link goes both ways: a watcher that goes first leaves nothing behind.
    auto* t2 = new TProbe(&form2, "T2");
    auto* w2 = new TProbe(&form1, "W2");
    t2->FreeNotification(w2);
    delete w2;
    delete t2;  // must not call into the freed watcher

    // Removing the request stops the notice.
    auto* t3 = new TProbe(&form2, "T3");
    auto* w3 = new TProbe(&form1, "W3");
    t3->FreeNotification(w3);
    t3->RemoveFreeNotification(w3);
    w3->Removed.clear();
    delete t3;
    EXPECT_TRUE(w3->Removed.empty());
}

TEST_F(ComponentTest, FreeNotificationWithinOneOwnerComesOnce) {
    TComponent form(nullptr);
    auto* watcher = new TProbe(&form, "W");
    auto* target = new TProbe(&form, "T");
    watcher->Watched = target;
    target->FreeNotification(watcher);
    TComponent* gone = target;
    delete target;
    EXPECT_EQ(watcher->Watched, nullptr);
    EXPECT_EQ(std::count(watcher->Removed.begin(), watcher->Removed.end(), gone), 1);
}

TEST_F(ComponentTest, LoadingStateAndLoaded) {
    TProbe form(nullptr, "Form");
    auto* a = new TProbe(&form, "A");
    auto* a1 = new TProbe(a, "A1");
    auto* b = new TProbe(&form, "B");
    for (TComponent* c : {static_cast<TComponent*>(&form), static_cast<TComponent*>(a),
                          static_cast<TComponent*>(a1), static_cast<TComponent*>(b)})
        c->SetLoading(true);
    EXPECT_TRUE(form.HasState(csLoading));
    EXPECT_EQ(form.ComponentState() & csLoading, csLoading);
    log_.clear();
    form.FinishLoading();
    EXPECT_EQ(log_, (std::vector<String>{"loaded A1", "loaded A", "loaded B", "loaded Form"}));
    EXPECT_FALSE(form.HasState(csLoading));
    EXPECT_FALSE(a1->HasState(csLoading));
    EXPECT_FALSE(form.HasState(csDestroying));
}

TEST_F(ComponentTest, TagAndClassName) {
    TComponent c(nullptr);
    EXPECT_EQ(c.Tag, 0);
    c.Tag = 7;
    EXPECT_EQ(c.Tag, 7);
    EXPECT_EQ(c.ClassName(), "TComponent");
    TPersistent p;
    EXPECT_EQ(p.ClassName(), "TPersistent");
}

class TPoint3 : public TPersistent {
public:
    int X = 0;
    String ClassName() const override { return "TPoint3"; }
    void Assign(TPersistent* source) override {
        if (auto* p = dynamic_cast<TPoint3*>(source)) {
            X = p->X;
            return;
        }
        TPersistent::Assign(source);
    }
};

// Knows how to put itself into a TPoint3, which does not know it.
class TScalar : public TPersistent {
public:
    int V = 0;
    String ClassName() const override { return "TScalar"; }

protected:
    void AssignTo(TPersistent* dest) override {
        if (auto* p = dynamic_cast<TPoint3*>(dest)) {
            p->X = V;
            return;
        }
        TPersistent::AssignTo(dest);
    }
};

TEST(Persistent, AssignAndAssignTo) {
    TPoint3 a, b;
    a.X = 5;
    b.Assign(&a);
    EXPECT_EQ(b.X, 5);
    TScalar s;
    s.V = 9;
    b.Assign(&s);  // falls back to the source's AssignTo
    EXPECT_EQ(b.X, 9);
    struct {
        TPersistent* dest;
        TPersistent* source;
        const char* message;
    } cases[] = {
        {&s, &a, "Cannot assign a TPoint3 to a TScalar"},
        {&b, nullptr, "Cannot assign a nil to a TPoint3"},
        {&s, nullptr, "Cannot assign a nil to a TScalar"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            c.dest->Assign(c.source);
            ADD_FAILURE();
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, c.message);
        }
    }
}

}  // namespace
