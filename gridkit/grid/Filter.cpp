#include "gridkit/grid/Filter.h"

TFilter::TFilter(TGkStringGrid* grid)
    : TCollection([](TCollection* c) { return new TFilterData(c); }), FGrid(grid) {}

void TFilterData::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TFilterData*>(source)) {
        Column = s->Column;
        Condition = s->Condition;
        return;
    }
    TCollectionItem::Assign(source);
}
