#include "gridkit/editors/GridDatePicker.h"

#include "gridkit/grid/GkStringGrid.h"

TGridDatePicker::TGridDatePicker(TComponent* owner, TGkStringGrid* grid)
    : TDateTimePicker(owner), FGrid(grid) {
    SetVisible(false);
    SetEnabled(false);
    SetTabStop(false);
    OnChange = [this](TObject*) { Edited = true; };
}

void TGridDatePicker::KeyDown(Word& key, TShiftState shift) {
    if (FGrid->EditorClosingKey(this, key, shift)) {
        key = 0;
        return;
    }
    TDateTimePicker::KeyDown(key, shift);
}

void TGridDatePicker::KeyPress(char& key) { TDateTimePicker::KeyPress(key); }

void TGridDatePicker::DoExit() {
    TDateTimePicker::DoExit();
    FGrid->EditorFocusLost(this);
}
