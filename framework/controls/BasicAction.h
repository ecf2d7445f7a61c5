#pragma once
#include <vector>

#include "framework/classes/Component.h"

class TBasicActionLink;

// A command that several controls can share: executing it runs OnExecute,
// updating it runs OnUpdate, and every change reaches the links of the
// controls that use it.
class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* owner);
    ~TBasicAction() override;
    String ClassName() const override { return "TBasicAction"; }

    // True when something handled it.
    virtual bool Execute();
    virtual bool Update();
    // The control that executed it last (set by the link).
    TComponent* ActionComponent = nullptr;

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

    // Framework-internal: the links that follow this action.
    void RegisterChanges(TBasicActionLink* link);
    void UnRegisterChanges(TBasicActionLink* link);
    int ClientCount() const { return static_cast<int>(FClients.size()); }
    TBasicActionLink* Client(int i) const { return FClients[static_cast<size_t>(i)]; }

protected:
    // Tells every link that the action changed.
    virtual void Change();

private:
    std::vector<TBasicActionLink*> FClients;
};

// What ties one client to an action. The client owns it; the action only
// knows it while linked.
class TBasicActionLink {
public:
    TBasicActionLink() = default;
    virtual ~TBasicActionLink();
    TBasicActionLink(const TBasicActionLink&) = delete;
    TBasicActionLink& operator=(const TBasicActionLink&) = delete;

    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* v);
    // Executes the action on behalf of `component`.
    virtual bool Execute(TComponent* component = nullptr);
    virtual bool Update();

    TNotifyEvent OnChange;

protected:
    friend class TBasicAction;
    virtual void Change();
    TBasicAction* FAction = nullptr;
};
