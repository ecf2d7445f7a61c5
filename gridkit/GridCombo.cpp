#include "gridkit/GridCombo.h"

#include "framework/classes/Strings.h"
#include "gridkit/GkStringGrid.h"

TGridCombo::TGridCombo(TComponent* owner, TGkStringGrid* grid) : TGkComboBox(owner), FGrid(grid) {
    SetButtonWidth(16);
    SetVisible(false);
    SetEnabled(false);
    SetTabStop(false);
}

void TGridCombo::KeyDown(Word& key, TShiftState shift) {
    if (FGrid->EditorClosingKey(this, key, shift)) {
        key = 0;
        return;
    }
    TGkComboBox::KeyDown(key, shift);
}

void TGridCombo::KeyUp(Word& key, TShiftState shift) {
    // Completion from the items is the toolkit combo's own inline
    // completion, which also selects the completed part; the grid adds none.
    TGkComboBox::KeyUp(key, shift);
}

void TGridCombo::KeyPress(char& key) {
    if (key == '\r') {
        key = 0;
        return;
    }
    TGkComboBox::KeyPress(key);
}

void TGridCombo::DoExit() {
    if (FGrid->LookupHistory && !Text().empty() && Items()->IndexOf(Text()) < 0) Items()->Add(Text());
    TGkComboBox::DoExit();
    FGrid->EditorFocusLost(this);
}
