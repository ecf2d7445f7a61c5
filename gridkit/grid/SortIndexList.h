#pragma once
// The columns of a sort, in order: each entry is a column number whose
// top bit marks a descending column.
#include "gridkit/grid/IntList.h"

class TSortIndexList : public TIntList {
public:
    static constexpr unsigned DescendingBit = 0x80000000u;
    TSortIndexList() : TIntList(0, 0) {}
    void AddIndex(int column, bool ascending);
    int FindIndex(int column) const;  // -1 when the column is not there
    void ToggleIndex(int column);
    static int ColumnOf(int entry) { return static_cast<int>(static_cast<unsigned>(entry) & ~DescendingBit); }
    static bool Ascending(int entry) { return (static_cast<unsigned>(entry) & DescendingBit) == 0; }
};
