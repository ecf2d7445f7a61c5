#pragma once
// A grid whose cells the owner draws through OnDrawCell.
#include "framework/grids/CustomGrid.h"

class TDrawGrid : public TCustomGrid {
public:
    explicit TDrawGrid(TComponent* owner);
    String ClassName() const override { return "TDrawGrid"; }

    TRect CellRect(int col, int row) const { return TCustomGrid::CellRect(col, row); }

    TGetEditEvent OnGetEditMask;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;

protected:
    void DrawCell(int aCol, int aRow, const TRect& aRect, TGridDrawState aState) override;
    String GetEditMask(int aCol, int aRow) override;
    String GetEditText(int aCol, int aRow) override;
    void SetEditText(int aCol, int aRow, const String& value) override;
};
