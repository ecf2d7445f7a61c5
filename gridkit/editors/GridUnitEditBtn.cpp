#include "gridkit/editors/GridUnitEditBtn.h"

#include "gridkit/grid/GkStringGrid.h"

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* owner, TGkStringGrid* grid)
    : TGkeUnitEditBtn(owner), FGrid(grid) {
    SetButtonCaption("...");
    SetVisible(false);
    SetEnabled(false);
    SetTabStop(false);
}

void TGridUnitEditBtn::KeyDown(Word& key, TShiftState shift) {
    if (FGrid->EditorClosingKey(this, key, shift)) {
        key = 0;
        return;
    }
    TGkeUnitEditBtn::KeyDown(key, shift);
}

void TGridUnitEditBtn::KeyPress(char& key) {
    if (key == '\r') {
        key = 0;
        return;
    }
    TGkeUnitEditBtn::KeyPress(key);
}

void TGridUnitEditBtn::DoExit() {
    TGkeUnitEditBtn::DoExit();
    FGrid->EditorFocusLost(this);
}
