#include "toolbars/TbBlinkingControlsList.h"

#include <algorithm>

#include "framework/controls/Control.h"
#include "framework/controls/Timer.h"

namespace {
TTbBlinkingControlsList* gList = nullptr;
}

TTbBlinkingControlsList::TTbBlinkingControlsList() : FTimer(std::make_unique<TTimer>(nullptr)) {
    FTimer->SetInterval(500);
    FTimer->OnTimer = [this](TObject*) { Tick(); };
    FTimer->SetEnabled(true);
}

TTbBlinkingControlsList::~TTbBlinkingControlsList() {
    FTimer->OnTimer = nullptr;
    if (gList == this) gList = nullptr;
}

TTbBlinkingControlsList* TTbBlinkingControlsList::Instance() { return gList; }

void TTbBlinkingControlsList::Register(TControl* control) {
    if (!gList) gList = new TTbBlinkingControlsList();
    if (std::find(gList->FControls.begin(), gList->FControls.end(), control) == gList->FControls.end())
        gList->FControls.push_back(control);
}

void TTbBlinkingControlsList::Unregister(TControl* control) {
    if (!gList) return;
    auto& v = gList->FControls;
    v.erase(std::remove(v.begin(), v.end(), control), v.end());
    if (v.empty()) delete gList;
}

void TTbBlinkingControlsList::SetBlinkIntervalOn(Word v) {
    FIntervalOn = v;
    if (FPhaseOn) FTimer->SetInterval(v);
}

void TTbBlinkingControlsList::SetBlinkIntervalOff(Word v) {
    FIntervalOff = v;
    if (!FPhaseOn) FTimer->SetInterval(v);
}

void TTbBlinkingControlsList::Tick() {
    FPhaseOn = !FPhaseOn;
    FTimer->SetInterval(FPhaseOn ? FIntervalOn : FIntervalOff);
    // A copy: a member may leave the list while it is told.
    const std::vector<TControl*> members = FControls;
    for (TControl* c : members)
        if (c->Perform(TBM_BLINKQUERY) == 1) c->Perform(TBM_BLINK, FPhaseOn ? 1 : 0);
}
