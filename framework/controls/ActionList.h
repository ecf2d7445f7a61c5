#pragma once
#include <functional>
#include <vector>

#include "framework/classes/Component.h"

class TContainedAction;
class TBasicAction;
class TImageList;

using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;

// The actions of a window, with the images their controls take. Whenever
// the message loop is about to wait, every list updates its actions (their
// OnUpdate, or the list's), so enabled states follow the program's state.
class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* owner);
    ~TActionList() override;
    String ClassName() const override { return "TActionList"; }

    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TContainedAction* Actions(int i) const { return FActions[static_cast<size_t>(i)]; }
    int IndexOfAction(const TContainedAction* a) const;
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v);

    // Lets the list handle an action first; true when it did.
    bool ExecuteAction(TBasicAction* action);
    bool UpdateAction(TBasicAction* action);
    // Runs the update of every action (what the idle pass does).
    void UpdateActions();

    TActionEvent OnExecute;
    TActionEvent OnUpdate;
    TNotifyEvent OnChange;

    // Framework-internal: actions enter and leave through SetActionList.
    void AddAction(TContainedAction* a);
    void RemoveAction(TContainedAction* a);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::vector<TContainedAction*> FActions;
    TImageList* FImages = nullptr;
};
