#include "gridkit/grid/GridColumnCollection.h"

#include "gridkit/grid/GkColumnGrid.h"
#include "gridkit/grid/GridColumnItem.h"

TGridColumnCollection::TGridColumnCollection(TGkColumnGrid* grid)
    : TCollection([](TCollection* c) { return new TGridColumnItem(c); }), FGrid(grid) {}

TGridColumnItem* TGridColumnCollection::Items(int index) const {
    return static_cast<TGridColumnItem*>(TCollection::Items(index));
}

TGridColumnItem* TGridColumnCollection::Add() { return static_cast<TGridColumnItem*>(TCollection::Add()); }

void TGridColumnCollection::Update(TCollectionItem* item) {
    TCollection::Update(item);
    if (!FGrid) return;
    if (!Updating && Count() != FGrid->ColCount() && Count() > FGrid->FixedCols())
        FGrid->SetColCount(Count());
    FGrid->Invalidate();
}
