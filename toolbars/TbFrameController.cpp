#include "toolbars/TbFrameController.h"

#include <algorithm>

#include "framework/controls/Control.h"
#include "toolbars/TbFrameControllable.h"

TTbFrameController::TTbFrameController(TComponent* owner) : TComponent(owner) {}

// The registered controls hear of the end through the free notices and
// drop their reference then.
TTbFrameController::~TTbFrameController() {
    Destroying();
    FControls.clear();
}

void TTbFrameController::AddControl(TControl* control) {
    if (!control || std::find(FControls.begin(), FControls.end(), control) != FControls.end()) return;
    FControls.push_back(control);
    control->FreeNotification(this);
    UpdateControl(control, fcsAll);
}

void TTbFrameController::RemoveControl(TControl* control) {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
}

void TTbFrameController::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    // Compared by address: the control may be half destroyed already.
    FControls.erase(std::remove_if(FControls.begin(), FControls.end(),
                                   [component](TControl* c) { return static_cast<TComponent*>(c) == component; }),
                    FControls.end());
}

void TTbFrameController::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) UpdateControls(fcsAll);
}

void TTbFrameController::UpdateControl(TControl* control, int setting) {
    auto* target = dynamic_cast<TTbFrameControllable*>(control);
    if (!target || !target->UseFrameController()) return;
    if (setting != fcsAll) {
        target->ApplyFrameSetting(setting, *this);
        return;
    }
    for (int s = fcsColor; s <= fcsFrameVisible; ++s) target->ApplyFrameSetting(s, *this);
}

void TTbFrameController::UpdateControls(int setting) {
    if (FUpdateCount > 0) return;
    for (TControl* c : std::vector<TControl*>(FControls)) UpdateControl(c, setting);
}

void TTbFrameController::Loaded() {
    TComponent::Loaded();
    UpdateControls(fcsAll);
}

void TTbFrameController::SetColor(TColor v) {
    if (SetIfChanged(FColor, v)) UpdateControls(fcsColor);
}

void TTbFrameController::SetFlatButtons(bool v) {
    if (SetIfChanged(FFlatButtons, v)) UpdateControls(fcsFlatButtons);
}

void TTbFrameController::SetFrameColor(TColor v) {
    if (SetIfChanged(FFrameColor, v)) UpdateControls(fcsFrameColor);
}

void TTbFrameController::SetFrameFlatStyle(TFrameStyle v) {
    if (SetIfChanged(FFrameFlatStyle, v)) UpdateControls(fcsFrameFlatStyle);
}

void TTbFrameController::SetFrameFocusStyle(TFrameStyle v) {
    if (SetIfChanged(FFrameFocusStyle, v)) UpdateControls(fcsFrameFocusStyle);
}

void TTbFrameController::SetFrameSides(TSides v) {
    if (SetIfChanged(FFrameSides, v)) UpdateControls(fcsFrameSides);
}

void TTbFrameController::SetFrameStyle(TFrameStyle v) {
    if (SetIfChanged(FFrameStyle, v)) UpdateControls(fcsFrameStyle);
}

void TTbFrameController::SetFrameVisible(bool v) {
    if (SetIfChanged(FFrameVisible, v)) UpdateControls(fcsFrameVisible);
}

void TTbFrameController::SetFrameFlat(bool v) {
    if (v == FFrameFlat) return;
    FFrameFlat = v;
    if (v) {
        SetFrameVisible(true);
        if (!HasState(csLoading)) {
            // The controller's own look; the controls derive theirs from
            // the flat setting itself.
            FFrameSides = AllSides;
            FFrameStyle = FFrameFlatStyle;
        }
    }
    UpdateControls(fcsFrameFlat);
}
