#pragma once
#include <memory>

#include "framework/messages/Messages.h"
#include "styled/base/StyComponent.h"

class TControl;

namespace styled_internal {
struct THookNode;
}

// A component that takes over the window procedure of the form that owns
// it, so that form-level behaviour (a shaped window, caption styling, a
// background) comes by dropping a component on the form. Descendants
// override WndProc, handle their messages and end with the inherited one.
//
// Several components may hook one window, and other code may subclass it
// too. Each hook sits in the chain as a node of its own; unhooking takes
// the node out wherever it sits, so a hook made later is never cut off, and
// a node that cannot be reached (a foreign procedure above it) stays as a
// plain pass-through.
class TStyWndProcComponent : public TStyComponent {
public:
    explicit TStyWndProcComponent(TComponent* AOwner);
    ~TStyWndProcComponent() override;
    String ClassName() const override { return "TStyWndProcComponent"; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);

    bool MainHooked() const { return FMainHookId != 0; }
    bool Hooked() const { return static_cast<bool>(FNode); }
    // 0 ordinary form, 1 MDI child, 2 MDI parent; fixed at creation.
    int FormKind() const { return FFormKind; }
    // Set once the hooked window received WM_DESTROY.
    bool Destroyed() const { return FDestroyed; }

    // The window hooked: the owner's (made if needed); 0 without a
    // windowed owner. This framework gives an MDI parent no separate
    // client window, so UseFormHandle changes nothing here.
    HWND TargetHandle();
    bool Hook();
    // Always true.
    bool Unhook();
    // Hands the message to the procedure that was there before this hook.
    void CallPrevious(TMessage& Message);
    TComponent* OwnerForm() const { return Owner(); }
    // The owner's window exists and the component is neither loading nor
    // going away.
    bool CanPaint() const;

    // What the hooks call; public so the chain can reach them.
    virtual bool MainWindowHook(TMessage& Message);
    virtual void WndProc(TMessage& Message);

protected:
    void Loaded() override;
    virtual void Init();
    virtual void Done();

    bool FHookMainWindow = false;
    bool FUseFormHandle = false;

private:
    bool FEnabled = true;
    bool FDestroyed = false;
    int FFormKind = 0;
    int FMainHookId = 0;
    HWND FHookedWnd = 0;
    TControl* FHookedControl = nullptr;
    std::shared_ptr<styled_internal::THookNode> FNode;
};
