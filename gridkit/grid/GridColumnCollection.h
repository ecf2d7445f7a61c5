#pragma once
// The column items of a column grid, one per grid column.
#include "framework/classes/Collection.h"

class TGkColumnGrid;
class TGridColumnItem;

class TGridColumnCollection : public TCollection {
public:
    explicit TGridColumnCollection(TGkColumnGrid* grid);
    String ClassName() const override { return "TGridColumnCollection"; }

    TGkColumnGrid* Grid() const { return FGrid; }
    TGridColumnItem* Items(int index) const;
    TGridColumnItem* Add();
    // Raised while the grid itself changes its column count, so the
    // collection does not answer by changing it back.
    bool Updating = false;

protected:
    void Update(TCollectionItem* item) override;

private:
    TGkColumnGrid* FGrid;
};
