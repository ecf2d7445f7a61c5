#pragma once
// The grid's check box editor; it never writes into the cell.
#include "framework/controls/CheckBox.h"

class TGkStringGrid;

class TGridCheckBox : public TCheckBox {
public:
    TGridCheckBox(TComponent* owner, TGkStringGrid* grid);
    String ClassName() const override { return "TGridCheckBox"; }
    TGkStringGrid* Grid() const { return FGrid; }

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoExit() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
private:
    TGkStringGrid* FGrid;
};
