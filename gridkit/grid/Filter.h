#pragma once
// The conditions a row must meet to stay in view while FilterActive is on.
#include "framework/classes/Collection.h"
#include "gridkit/grid/FilterData.h"

class TGkStringGrid;

class TFilter : public TCollection {
public:
    explicit TFilter(TGkStringGrid* grid);
    String ClassName() const override { return "TFilter"; }
    TGkStringGrid* Grid() const { return FGrid; }
    TFilterData* Add() { return static_cast<TFilterData*>(TCollection::Add()); }
    TFilterData* Items(int i) const { return static_cast<TFilterData*>(TCollection::Items(i)); }

private:
    TGkStringGrid* FGrid;
};
