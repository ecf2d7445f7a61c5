#include "framework/controls/CustomAction.h"

#include "framework/controls/ActionList.h"
#include "framework/controls/ControlActionLink.h"

// --- contained --------------------------------------------------------------

TContainedAction::~TContainedAction() { SetActionList(nullptr); }

void TContainedAction::SetActionList(TActionList* v) {
    if (v == FActionList) return;
    if (FActionList) FActionList->RemoveAction(this);
    FActionList = v;
    if (FActionList) FActionList->AddAction(this);
}

int TContainedAction::Index() const { return FActionList ? FActionList->IndexOfAction(this) : -1; }

bool TContainedAction::Execute() {
    if (FActionList && FActionList->ExecuteAction(this)) return true;
    return TBasicAction::Execute();
}

bool TContainedAction::Update() {
    if (FActionList && FActionList->UpdateAction(this)) return true;
    return TBasicAction::Update();
}

// --- custom ------------------------------------------------------------------

namespace {
// Runs `set` on every link that is a TActionLink, before the action's own
// value changes: each link compares its control with the old value.
template <class F>
void ForLinks(TBasicAction* a, F set) {
    for (int i = 0; i < a->ClientCount(); ++i)
        if (auto* link = dynamic_cast<TActionLink*>(a->Client(i))) set(link);
}
}  // namespace

void TCustomAction::SetCaption(const String& v) {
    if (v == FCaption) return;
    ForLinks(this, [&](TActionLink* l) { l->SetCaption(v); });
    FCaption = v;
    Change();
}

void TCustomAction::SetChecked(bool v) {
    if (v == FChecked) return;
    ForLinks(this, [&](TActionLink* l) { l->SetChecked(v); });
    FChecked = v;
    // One checked action per group within the list.
    if (v && FGroupIndex > 0 && ActionList()) {
        for (int i = 0; i < ActionList()->ActionCount(); ++i) {
            auto* other = dynamic_cast<TCustomAction*>(ActionList()->Actions(i));
            if (other && other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
        }
    }
    Change();
}

void TCustomAction::SetEnabled(bool v) {
    if (v == FEnabled) return;
    ForLinks(this, [&](TActionLink* l) { l->SetEnabled(v); });
    FEnabled = v;
    Change();
}

void TCustomAction::SetGroupIndex(int v) {
    if (v == FGroupIndex) return;
    ForLinks(this, [&](TActionLink* l) { l->SetGroupIndex(v); });
    FGroupIndex = v;
    Change();
}

void TCustomAction::SetHelpContext(int v) {
    if (v == FHelpContext) return;
    ForLinks(this, [&](TActionLink* l) { l->SetHelpContext(v); });
    FHelpContext = v;
    Change();
}

void TCustomAction::SetHint(const String& v) {
    if (v == FHint) return;
    ForLinks(this, [&](TActionLink* l) { l->SetHint(v); });
    FHint = v;
    Change();
}

void TCustomAction::SetImageIndex(int v) {
    if (v == FImageIndex) return;
    ForLinks(this, [&](TActionLink* l) { l->SetImageIndex(v); });
    FImageIndex = v;
    Change();
}

void TCustomAction::SetShortCut(int v) {
    if (v == FShortCut) return;
    ForLinks(this, [&](TActionLink* l) { l->SetShortCut(v); });
    FShortCut = v;
    Change();
}

void TCustomAction::SetVisible(bool v) {
    if (v == FVisible) return;
    ForLinks(this, [&](TActionLink* l) { l->SetVisible(v); });
    FVisible = v;
    Change();
}

bool TCustomAction::Execute() {
    // A disabled action does nothing, whoever asks.
    if (!FEnabled) return false;
    if (AutoCheck) SetChecked(!FChecked);
    return TContainedAction::Execute();
}

bool TCustomAction::Update() {
    bool handled = TContainedAction::Update();
    if (!handled && DisableIfNoHandler) SetEnabled(static_cast<bool>(OnExecute));
    return handled;
}
