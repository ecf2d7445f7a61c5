#pragma once
// The grid's edit-with-button editor; the button runs the grid's ellipsis step.
#include "gridkit/editors/GkeEditBtn.h"

class TGkStringGrid;

class TGridEditBtn : public TGkeEditBtn {
public:
    TGridEditBtn(TComponent* owner, TGkStringGrid* grid);
    String ClassName() const override { return "TGridEditBtn"; }
    TGkStringGrid* Grid() const { return FGrid; }
    void ClickBtn() override;

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoExit() override;

private:
    TGkStringGrid* FGrid;
};
