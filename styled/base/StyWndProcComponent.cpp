#include "styled/base/StyWndProcComponent.h"

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/WinControl.h"
#include "framework/messages/MessageQueue.h"

namespace styled_internal {
// One hook in a window's chain. Component is cleared when the hook goes;
// a node still reachable then simply passes messages on.
struct THookNode {
    TStyWndProcComponent* Component = nullptr;
    TWndMethod Prev;
};
}  // namespace styled_internal

using styled_internal::THookNode;

namespace {

// The procedure installed for a hook. A type of its own, so a chain can be
// walked: std::function::target tells our links from anyone else's.
struct THookThunk {
    std::shared_ptr<THookNode> Node;
    void operator()(TMessage& m) const {
        // Held here: unhooking from inside the message may replace the
        // procedure that holds this thunk.
        const std::shared_ptr<THookNode> node = Node;
        if (node->Component) {
            node->Component->WndProc(m);
        } else {
            const TWndMethod prev = node->Prev;
            if (prev) prev(m);
        }
    }
};

const THookThunk* ThunkOf(const TWndMethod& proc) { return proc ? proc.target<THookThunk>() : nullptr; }

}  // namespace

TStyWndProcComponent::TStyWndProcComponent(TComponent* AOwner) : TStyComponent(AOwner) {
    if (auto* form = dynamic_cast<TForm*>(AOwner)) {
        if (form->FormStyle() == fsMDIChild)
            FFormKind = 1;
        else if (form->FormStyle() == fsMDIForm)
            FFormKind = 2;
    }
}

TStyWndProcComponent::~TStyWndProcComponent() { Unhook(); }

void TStyWndProcComponent::Loaded() {
    TStyComponent::Loaded();
    if (!HasState(csDesigning)) Init();
}

void TStyWndProcComponent::Init() {
    if (FEnabled && !Hooked()) Hook();
}

void TStyWndProcComponent::Done() {}

void TStyWndProcComponent::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    if (HasState(csDesigning)) return;
    if (Value)
        Init();
    else
        Done();
}

HWND TStyWndProcComponent::TargetHandle() {
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (!owner || owner->HasState(csDestroying)) return 0;
    try {
        return owner->Handle();
    } catch (...) {
        return 0;
    }
}

bool TStyWndProcComponent::Hook() {
    if (Hooked() || HasState(csDesigning)) return false;
    const HWND wnd = TargetHandle();
    if (!wnd) return false;
    try {
        FDestroyed = false;
        if (FHookMainWindow && Application)
            FMainHookId = Application->HookMainWindow([this](TMessage& m) { return MainWindowHook(m); });
        auto node = std::make_shared<THookNode>();
        node->Component = this;
        TControl* control = FindControl(wnd);
        if (control) {
            node->Prev = control->WindowProc;
            control->WindowProc = THookThunk{node};
        } else {
            node->Prev = GetWindowProc(wnd);
            SetWindowProc(wnd, THookThunk{node});
        }
        FNode = node;
        FHookedControl = control;
        FHookedWnd = wnd;
        return true;
    } catch (...) {
        Unhook();
        return false;
    }
}

bool TStyWndProcComponent::Unhook() {
    if (FNode) {
        const std::shared_ptr<THookNode> node = std::move(FNode);
        // When the owner is on its way out its window goes with it; the
        // control must not be touched, and the node left in its chain
        // passes messages straight on.
        const bool ownerGoing = Owner() && Owner()->HasState(csDestroying) &&
                                static_cast<TComponent*>(FHookedControl) == Owner();
        if (!ownerGoing && (FHookedControl || IsWindow(FHookedWnd))) {
            auto get = [&]() -> TWndMethod {
                return FHookedControl ? FHookedControl->WindowProc : GetWindowProc(FHookedWnd);
            };
            auto set = [&](TWndMethod p) {
                if (FHookedControl)
                    FHookedControl->WindowProc = std::move(p);
                else
                    SetWindowProc(FHookedWnd, std::move(p));
            };
            const TWndMethod top = get();
            const THookThunk* t = ThunkOf(top);
            if (t && t->Node == node) {
                set(node->Prev);
            } else {
                // Find the hook made after ours and let it call what ours
                // called. A foreign procedure on the way hides the rest of
                // the chain; our node then stays as a pass-through.
                std::shared_ptr<THookNode> cur = t ? t->Node : nullptr;
                while (cur) {
                    const THookThunk* below = ThunkOf(cur->Prev);
                    if (!below) break;
                    if (below->Node == node) {
                        cur->Prev = node->Prev;
                        break;
                    }
                    cur = below->Node;
                }
            }
        }
        node->Component = nullptr;
        FHookedControl = nullptr;
        FHookedWnd = 0;
    }
    if (FMainHookId) {
        if (Application) Application->UnhookMainWindow(FMainHookId);
        FMainHookId = 0;
    }
    FDestroyed = false;
    return true;
}

void TStyWndProcComponent::CallPrevious(TMessage& Message) {
    // A copy: the chain may change while the message is under way.
    const TWndMethod prev = FNode ? FNode->Prev : TWndMethod();
    if (prev)
        prev(Message);
    else
        Message.Result = DefWindowProc(FHookedWnd, Message.Msg, Message.WParam, Message.LParam);
}

bool TStyWndProcComponent::CanPaint() const {
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (!owner || !owner->HandleAllocated()) return false;
    return !HasState(csLoading) && !HasState(csDestroying);
}

bool TStyWndProcComponent::MainWindowHook(TMessage& Message) {
    (void)Message;
    return true;
}

void TStyWndProcComponent::WndProc(TMessage& Message) {
    if (Message.Msg == WM_DESTROY && !FDestroyed) {
        FDestroyed = true;
        // An MDI child's window goes without its form: let go at once, and
        // still let the form see its own end.
        if (FFormKind == 1) {
            const TWndMethod prev = FNode ? FNode->Prev : TWndMethod();
            Unhook();
            FDestroyed = true;
            if (prev) prev(Message);
            return;
        }
    }
    // Messages after WM_DESTROY pass on as well: the framework still has
    // its own cleaning up to do for the window.
    CallPrevious(Message);
}
