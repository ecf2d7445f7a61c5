#pragma once
#include <vector>

#include "framework/classes/Persistent.h"

enum TComponentStateFlag {
    csLoading = 1,
    csReading = 2,
    csWriting = 4,
    csDestroying = 8,
    csDesigning = 16,
};
using TComponentState = int;

enum TOperation { opInsert, opRemove };

// The owner frees what it owns, in reverse order of insertion. Components
// that asked for FreeNotification are told when another goes away.
//
// The destructor: sets csDestroying (here and on everything owned), tells
// the FreeNotification subscribers (opRemove), frees the owned components
// last first, then leaves its owner, which gets Notification(opRemove) and
// passes it on to the components it owns. C++ runs a descendant's
// destructor body before all that: a descendant whose components depend on
// its own members calls Destroying(); DestroyComponents(); first.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    String ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return FOwner; }
    const String& Name() const { return FName; }
    // Raises EComponentError for a duplicate name among the owner's
    // components (case-insensitive) or an invalid identifier.
    virtual void SetName(const String& name);
    int Tag = 0;

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;  // EListError when out of range
    int ComponentIndex() const;
    TComponent* FindComponent(const String& name) const;  // case-insensitive
    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);
    void DestroyComponents();

    TComponentState ComponentState() const { return FComponentState; }
    bool HasState(TComponentStateFlag f) const { return (FComponentState & f) != 0; }
    void SetLoading(bool on);   // sets or clears csLoading
    // Marks the end of loading for this component and everything it owns:
    // clears csLoading and calls Loaded on each, owner last.
    void FinishLoading();

    void FreeNotification(TComponent* c);
    void RemoveFreeNotification(TComponent* c);

protected:
    virtual void Loaded();
    virtual void Notification(TComponent* component, TOperation operation);
    void Destroying();  // sets csDestroying on this and its components
    TComponentState FComponentState = 0;

private:
    TComponent* FOwner = nullptr;
    String FName;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

// Typed lookup by name: FindComponentAs<TButton>(form, "Button1").
template <class T>
T* FindComponentAs(const TComponent* owner, const String& name) {
    return dynamic_cast<T*>(owner->FindComponent(name));
}
