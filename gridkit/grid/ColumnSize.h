#pragma once
// Column-width persistence and stretching of the last column.
#include "framework/classes/Persistent.h"
#include "gridkit/grid/GkTypes.h"

class TGkStringGrid;

class TColumnSize : public TPersistent {
public:
    explicit TColumnSize(TGkStringGrid* grid) : FGrid(grid) {}
    String ClassName() const override { return "TColumnSize"; }
    void Assign(TPersistent* source) override;

    bool Save = false;
    String Key;
    String Section;
    TColumnSizeLocation Location = clRegistry;
    bool Stretch() const { return FStretch; }
    // Turning it on fits the columns to the grid at once.
    void SetStretch(bool v);
    TGkStringGrid* Grid() const { return FGrid; }

private:
    TGkStringGrid* FGrid;
    bool FStretch = false;
};
