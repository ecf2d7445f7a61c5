#pragma once
// The grid's spin editor for the spin kinds of a cell.
#include "gridkit/editors/GkeSpinEdit.h"

class TGkStringGrid;

class TGridSpin : public TGkeSpinEdit {
public:
    TGridSpin(TComponent* owner, TGkStringGrid* grid);
    String ClassName() const override { return "TGridSpin"; }
    TGkStringGrid* Grid() const { return FGrid; }
    void UpClick(TObject* sender) override;
    void DownClick(TObject* sender) override;

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoExit() override;

private:
    TGkStringGrid* FGrid;
};
