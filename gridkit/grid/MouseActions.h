#pragma once
// What the mouse may do in a grid. Plain settings.
#include "framework/classes/Persistent.h"

class TMouseActions : public TPersistent {
public:
    String ClassName() const override { return "TMouseActions"; }
    void Assign(TPersistent* source) override;

    bool AllSelect = false;
    bool ColSelect = false;
    bool RowSelect = false;
    bool DirectEdit = false;
    bool DirectComboDrop = false;
    bool DisjunctRowSelect = false;
    bool AllColumnSize = false;
    bool AllRowSize = false;
    bool CaretPositioning = false;
};
