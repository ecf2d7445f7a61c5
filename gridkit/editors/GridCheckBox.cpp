#include "gridkit/editors/GridCheckBox.h"

#include "gridkit/grid/GkStringGrid.h"

TGridCheckBox::TGridCheckBox(TComponent* owner, TGkStringGrid* grid) : TCheckBox(owner), FGrid(grid) {
    SetVisible(false);
    SetEnabled(false);
    SetTabStop(false);
}

void TGridCheckBox::KeyDown(Word& key, TShiftState shift) {
    if (key == VK_SPACE) {
        // Space toggles at once and is then the control's like any key;
        // the box's own click on release would toggle it back, so the key
        // goes no further than the control's handlers.
        Toggle();
        TCheckBox::KeyDown(key, shift);
        key = 0;
        return;
    }
    if (FGrid->EditorClosingKey(this, key, shift)) {
        key = 0;
        return;
    }
    TCheckBox::KeyDown(key, shift);
}

void TGridCheckBox::KeyPress(char& key) { TCheckBox::KeyPress(key); }

void TGridCheckBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCheckBox::MouseDown(button, shift, x, y);
}

void TGridCheckBox::DoExit() {
    TCheckBox::DoExit();
    FGrid->EditorFocusLost(this);
}
