#include "gridkit/grid/GkFormResizeHub.h"

#include <algorithm>
#include <map>

#include "framework/controls/Form.h"
#include "gridkit/grid/GkStringGrid.h"

namespace {
std::map<TForm*, TGkFormResizeHub*>& Hubs() {
    static std::map<TForm*, TGkFormResizeHub*> hubs;
    return hubs;
}
}  // namespace

// The form's handler points at its hub through this type, so the hub can
// tell whether the form still calls it.
struct TGkFormResizeHub::THandler {
    TGkFormResizeHub* Hub;
    void operator()(TObject* sender) const { Hub->FormResize(sender); }
};

TGkFormResizeHub::TGkFormResizeHub(TForm* form) : FForm(form), FPrevious(form->OnResize) {
    form->OnResize = THandler{this};
}

TGkFormResizeHub* TGkFormResizeHub::Subscribe(TForm* form, TGkStringGrid* grid) {
    TGkFormResizeHub*& hub = Hubs()[form];
    if (!hub) hub = new TGkFormResizeHub(form);
    hub->FGrids.push_back(grid);
    return hub;
}

void TGkFormResizeHub::Unsubscribe(TGkFormResizeHub* hub, TGkStringGrid* grid) {
    auto& grids = hub->FGrids;
    grids.erase(std::remove(grids.begin(), grids.end(), grid), grids.end());
    if (!grids.empty()) return;
    // The last grid leaves: give the form back the handler it had, unless
    // the form has taken another one since. A form that is going away frees
    // its grids after its own members are gone: its handler is not touched.
    if (!hub->FForm->HasState(csDestroying)) {
        const THandler* current = hub->FForm->OnResize.target<THandler>();
        if (current && current->Hub == hub) hub->FForm->OnResize = hub->FPrevious;
    }
    Hubs().erase(hub->FForm);
    delete hub;
}

int TGkFormResizeHub::SubscriberCount(TForm* form) {
    auto it = Hubs().find(form);
    return it == Hubs().end() ? 0 : static_cast<int>(it->second->FGrids.size());
}

void TGkFormResizeHub::FormResize(TObject* sender) {
    // A grid's resize may free nothing, but handlers may; walk a copy and
    // skip grids that left meanwhile.
    const std::vector<TGkStringGrid*> grids = FGrids;
    auto alive = [this](TGkStringGrid* g) {
        return std::find(FGrids.begin(), FGrids.end(), g) != FGrids.end();
    };
    const int w = FForm->Width(), h = FForm->Height();
    for (TGkStringGrid* g : grids)
        if (alive(g)) g->FormResized(w, h);
    TForm* form = FForm;
    if (FPrevious) FPrevious(sender);
    // The form's handler may have freed the last grid, and this hub with it.
    auto it = Hubs().find(form);
    if (it == Hubs().end() || it->second != this) return;
    for (TGkStringGrid* g : grids)
        if (alive(g)) g->StretchLastColumn();
}
