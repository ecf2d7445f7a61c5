#pragma once
// The grid's number-and-unit editor.
#include "gridkit/editors/GkeUnitEditBtn.h"

class TGkStringGrid;

class TGridUnitEditBtn : public TGkeUnitEditBtn {
public:
    TGridUnitEditBtn(TComponent* owner, TGkStringGrid* grid);
    String ClassName() const override { return "TGridUnitEditBtn"; }
    TGkStringGrid* Grid() const { return FGrid; }

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoExit() override;

private:
    TGkStringGrid* FGrid;
};
