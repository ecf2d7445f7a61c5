#pragma once
// One condition of a grid's filter: the column whose text is tested and
// the filter expression it must satisfy.
#include "framework/classes/Collection.h"

class TFilterData : public TCollectionItem {
public:
    explicit TFilterData(TCollection* c) : TCollectionItem(c) {}
    String ClassName() const override { return "TFilterData"; }
    void Assign(TPersistent* source) override;
    short Column = 0;
    String Condition;
};
