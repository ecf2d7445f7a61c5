#pragma once
// The grid's date and time editor.
#include "framework/controls/DateTimePicker.h"

class TGkStringGrid;

class TGridDatePicker : public TDateTimePicker {
public:
    TGridDatePicker(TComponent* owner, TGkStringGrid* grid);
    String ClassName() const override { return "TGridDatePicker"; }
    TGkStringGrid* Grid() const { return FGrid; }
    // The user changed the value since the editor opened.
    bool Edited = false;

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoExit() override;

private:
    TGkStringGrid* FGrid;
};
