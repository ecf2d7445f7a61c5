#include "framework/classes/Component.h"

#include <algorithm>

#include "framework/rtl/Exception.h"
#include "framework/rtl/StrUtils.h"

namespace {
bool IsValidIdent(const String& s) {
    if (s.empty()) return false;
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(s[0])) return false;
    for (char c : s)
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

void EraseOne(std::vector<TComponent*>& v, TComponent* c) {
    auto it = std::find(v.begin(), v.end(), c);
    if (it != v.end()) v.erase(it);
}
}  // namespace

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Subscribers learn of the end first; each link is dropped on both sides
    // before the call so that no list keeps a pointer to this component.
    while (!FFreeNotifies.empty()) {
        TComponent* c = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        EraseOne(c->FFreeNotifies, this);
        c->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SetName(const String& name) {
    if (name == FName) return;
    if (!name.empty() && !IsValidIdent(name)) throw EComponentError(RtlConsts::SInvalidName, {name});
    if (FOwner && !name.empty() && !SameText(name, FName)) {
        TComponent* other = FOwner->FindComponent(name);
        if (other && other != this) throw EComponentError(RtlConsts::SDuplicateName, {name});
    }
    FName = name;
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) throw EListError(RtlConsts::SListIndexError, {index});
    return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    const auto& v = FOwner->FComponents;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

TComponent* TComponent::FindComponent(const String& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* c) {
    if (!c || c->FOwner == this) return;
    if (!c->FName.empty() && FindComponent(c->FName))
        throw EComponentError(RtlConsts::SDuplicateName, {c->FName});
    if (c->FOwner) c->FOwner->RemoveComponent(c);
    FComponents.push_back(c);
    c->FOwner = this;
    Notification(c, opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
    if (!c || c->FOwner != this) return;
    Notification(c, opRemove);
    EraseOne(FComponents, c);
    c->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    // Last first; each one takes itself off the list as it goes.
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        delete c;
        if (!FComponents.empty() && FComponents.back() == c) FComponents.pop_back();
    }
}

void TComponent::SetLoading(bool on) {
    if (on)
        FComponentState |= csLoading;
    else
        FComponentState &= ~csLoading;
}

void TComponent::FinishLoading() {
    // Owned components first, the owner last, as a form's reader does.
    const std::vector<TComponent*> owned = FComponents;
    for (TComponent* c : owned) c->FinishLoading();
    FComponentState &= ~csLoading;
    Loaded();
}

void TComponent::FreeNotification(TComponent* c) {
    if (!c || c == this) return;
    // Components of the same owner hear of each other through it.
    if (!FOwner || c->FOwner != FOwner) {
        if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), c) == FFreeNotifies.end())
            FFreeNotifies.push_back(c);
        if (std::find(c->FFreeNotifies.begin(), c->FFreeNotifies.end(), this) == c->FFreeNotifies.end())
            c->FFreeNotifies.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* c) {
    if (!c) return;
    EraseOne(FFreeNotifies, c);
    EraseOne(c->FFreeNotifies, this);
}

void TComponent::Loaded() { FComponentState &= ~csLoading; }

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
    // Passed down to everything owned, so siblings can drop references.
    int i = ComponentCount() - 1;
    while (i >= 0) {
        FComponents[static_cast<size_t>(i)]->Notification(component, operation);
        --i;
        if (i >= ComponentCount()) i = ComponentCount() - 1;
    }
}

void TComponent::Destroying() {
    if (FComponentState & csDestroying) return;
    FComponentState |= csDestroying;
    for (TComponent* c : FComponents) c->Destroying();
}
