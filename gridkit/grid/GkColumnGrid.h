#pragma once
// A string grid whose per-cell answers come from one column item per
// column; the item answers first, then the string grid's own hook fires
// the public event, which may change the answer.
#include <memory>

#include "gridkit/grid/GkStringGrid.h"

class TGridColumnCollection;
class TGridColumnItem;

class TGkColumnGrid : public TGkStringGrid {
public:
    explicit TGkColumnGrid(TComponent* owner);
    ~TGkColumnGrid() override;
    String ClassName() const override { return "TGkColumnGrid"; }
    void Loaded() override;

    TGridColumnCollection* Columns() const { return FColumns.get(); }
    void SetColumns(TGridColumnCollection* v);
    void SetColCount(int v) override;

    void GetCellColor(int aCol, int aRow, TGridDrawState aState, TBrush* aBrush, TFont* aFont) override;
    void GetCellPrintColor(int aCol, int aRow, TGridDrawState aState, TBrush* aBrush,
                           TFont* aFont) override;
    void GetCellBorder(int aCol, int aRow, TPen* aPen, TCellBorders& borders) override;
    void GetCellPrintBorder(int aCol, int aRow, TPen* aPen, TCellBorders& borders) override;
    void GetCellAlignment(int aCol, int aRow, TAlignment& alignment) override;
    void GetColumnFormat(int aCol, TSortStyle& style, String& prefix, String& suffix) override;
    void GetCellEditor(int aCol, int aRow, TEditorType& editor) override;
    void IsFixedCell(int aCol, int aRow, bool& isFixed) override;
    void CanEditCell(int aCol, int aRow, bool& canEdit) override;
    void IsPasswordCell(int aCol, int aRow, bool& isPassword) override;
    String KitVersionText() const override { return "1.04, August 2000"; }

protected:
    String GetEditMask(int aCol, int aRow) override;
    int GetEditLimit() override;
    void ColWidthsChanged() override;
    void ColumnMoved(int fromIndex, int toIndex) override;

private:
    void AdjustColumns();
    TGridColumnItem* ItemOf(int aCol) const;  // nullptr beyond the items
    bool IsDataCell(int aCol, int aRow) const;
    std::unique_ptr<TGridColumnCollection> FColumns;
    bool FMovingColumn = false;
};
