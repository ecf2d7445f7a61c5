#pragma once
// The editor a grid shows over its current cell. It writes into the cell
// as the text changes and leaves the keys that move between cells to the
// grid.
#include "framework/controls/Edit.h"

class TCustomGrid;

class TInplaceEdit : public TEdit {
public:
    explicit TInplaceEdit(TComponent* owner);
    String ClassName() const override { return "TInplaceEdit"; }

    TCustomGrid* Grid() const { return FGrid; }
    void SetGrid(TCustomGrid* grid) { FGrid = grid; }
    // Stored for the kit's masked editors; the plain editor ignores it.
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& v) { FEditMask = v; }
    // The cell the editor currently stands for, (-1, -1) when none.
    int EditCol() const { return FCol; }
    int EditRow() const { return FRow; }

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void Change() override;

private:
    friend class TCustomGrid;
    TCustomGrid* FGrid = nullptr;
    String FEditMask;
    int FCol = -1, FRow = -1;
};
