#include "framework/controls/ActionList.h"

#include <algorithm>

#include "framework/controls/CustomAction.h"
#include "framework/graphics/ImageList.h"

TActionList::TActionList(TComponent* owner) : TComponent(owner) {}

TActionList::~TActionList() {
    Destroying();
    for (TContainedAction* a : std::vector<TContainedAction*>(FActions)) a->SetActionList(nullptr);
    SetImages(nullptr);
}

int TActionList::IndexOfAction(const TContainedAction* a) const {
    auto it = std::find(FActions.begin(), FActions.end(), a);
    return it == FActions.end() ? -1 : static_cast<int>(it - FActions.begin());
}

void TActionList::SetImages(TImageList* v) {
    if (v == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = v;
    if (FImages) FImages->FreeNotification(this);
    if (OnChange) OnChange(this);
}

void TActionList::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FImages) FImages = nullptr;
}

bool TActionList::ExecuteAction(TBasicAction* action) {
    bool handled = false;
    if (OnExecute) OnExecute(action, handled);
    return handled;
}

bool TActionList::UpdateAction(TBasicAction* action) {
    bool handled = false;
    if (OnUpdate) OnUpdate(action, handled);
    return handled;
}

void TActionList::UpdateActions() {
    for (TContainedAction* a : std::vector<TContainedAction*>(FActions))
        if (IndexOfAction(a) >= 0) a->Update();
}

void TActionList::AddAction(TContainedAction* a) {
    if (IndexOfAction(a) < 0) FActions.push_back(a);
}

void TActionList::RemoveAction(TContainedAction* a) {
    FActions.erase(std::remove(FActions.begin(), FActions.end(), a), FActions.end());
}
