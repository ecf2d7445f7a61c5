#include "framework/controls/ActionList.h"

#include <algorithm>

#include "framework/controls/Application.h"
#include "framework/controls/CustomAction.h"
#include "framework/controls/qt/WsApplication.h"
#include "framework/graphics/ImageList.h"

namespace {
// Every live list; the idle pass updates their actions whenever the event
// loop is about to wait, which is when the classic framework did it.
std::vector<TActionList*>& LiveLists() {
    static std::vector<TActionList*> lists;
    return lists;
}

void UpdateAllLists() {
    static bool running = false;
    if (running) return;
    running = true;
    for (TActionList* list : std::vector<TActionList*>(LiveLists())) {
        if (std::find(LiveLists().begin(), LiveLists().end(), list) == LiveLists().end()) continue;
        // Nothing may leave through the toolkit's signal.
        try {
            list->UpdateActions();
        } catch (...) {
            if (Application) Application->HandleException(list, std::current_exception());
        }
    }
    running = false;
}

void InstallIdlePass() {
    static bool installed = false;
    if (!installed) installed = velmor_ws::AddIdleHandler(UpdateAllLists);
}
}  // namespace

TActionList::TActionList(TComponent* owner) : TComponent(owner) {
    LiveLists().push_back(this);
    InstallIdlePass();
}

TActionList::~TActionList() {
    Destroying();
    LiveLists().erase(std::remove(LiveLists().begin(), LiveLists().end(), this), LiveLists().end());
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
