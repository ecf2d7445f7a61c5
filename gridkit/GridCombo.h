#pragma once
// The grid's combo editor for the combo kinds of a cell.
#include "gridkit/GkComboBox.h"

class TGkStringGrid;

class TGridCombo : public TGkComboBox {
public:
    TGridCombo(TComponent* owner, TGkStringGrid* grid);
    String ClassName() const override { return "TGridCombo"; }
    TGkStringGrid* Grid() const { return FGrid; }

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoExit() override;
    void KeyUp(Word& key, TShiftState shift) override;
private:
    TGkStringGrid* FGrid;
};
