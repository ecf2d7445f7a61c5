#pragma once
// The grid's button editor: pressing it runs the grid's ellipsis step.
#include "framework/controls/Button.h"

class TGkStringGrid;

class TGridButton : public TButton {
public:
    TGridButton(TComponent* owner, TGkStringGrid* grid);
    String ClassName() const override { return "TGridButton"; }
    TGkStringGrid* Grid() const { return FGrid; }

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoExit() override;
    void KeyUp(Word& key, TShiftState shift) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
private:
    TGkStringGrid* FGrid;
};
