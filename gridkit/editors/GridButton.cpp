#include "gridkit/editors/GridButton.h"

#include "gridkit/grid/GkStringGrid.h"

TGridButton::TGridButton(TComponent* owner, TGkStringGrid* grid) : TButton(owner), FGrid(grid) {
    SetVisible(false);
    SetEnabled(false);
    SetTabStop(false);
}

void TGridButton::KeyDown(Word& key, TShiftState shift) {
    if (key == VK_SPACE) {
        String s = Caption();
        FGrid->EllipsClick(s);
        SetCaption(s);
        key = 0;
        return;
    }
    if (key == VK_ESCAPE) {
        key = 0;
        FGrid->EditorClosingKey(this, VK_ESCAPE, shift);
        return;
    }
    TButton::KeyDown(key, shift);
}

void TGridButton::KeyUp(Word& key, TShiftState shift) {
    if (key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) {
        FGrid->EditorClosingKey(this, key, shift);
        key = 0;
        return;
    }
    TButton::KeyUp(key, shift);
}

void TGridButton::KeyPress(char& key) { TButton::KeyPress(key); }

void TGridButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TButton::MouseUp(button, shift, x, y);
    if (button == mbLeft && Visible()) {
        String s = Caption();
        FGrid->EllipsClick(s);
        SetCaption(s);
    }
}

void TGridButton::DoExit() {
    TButton::DoExit();
    FGrid->EditorFocusLost(this);
}
