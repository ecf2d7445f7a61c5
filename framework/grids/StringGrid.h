#pragma once
// A grid of text cells with one object per cell. Cells are addressed
// (column, row), 0-based, fixed cells included; reading outside the grid
// gives an empty text, writing outside it does nothing.
//
// The texts are kept without a heap string per cell (TRowCells): a row
// holds its texts in one block, or refers to a row of a table that a file
// read at once filled, until it is first written.
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/grids/CellTexts.h"
#include "framework/grids/DrawGrid.h"

class TStrings;

class TStringGrid : public TDrawGrid {
public:
    explicit TStringGrid(TComponent* owner);
    ~TStringGrid() override;
    String ClassName() const override { return "TStringGrid"; }

    String Cells(int aCol, int aRow) const { return String(CellText(aCol, aRow)); }
    // The cell's text without a copy: valid until the cell's row changes.
    std::string_view CellText(int aCol, int aRow) const {
        if (aRow < 0 || aRow >= static_cast<int>(FData.size()) || aCol < 0) return {};
        return FData[static_cast<size_t>(aRow)].Cells.Text(static_cast<size_t>(aCol));
    }
    void SetCells(int aCol, int aRow, const String& value);
    TObject* Objects(int aCol, int aRow) const;
    void SetObjects(int aCol, int aRow, TObject* obj);
    // Live views of one row or column: reading and writing them reads and
    // writes the cells. The grid owns them.
    TStrings* Rows(int aRow);
    TStrings* Cols(int aCol);

protected:
    void DrawCell(int aCol, int aRow, const TRect& aRect, TGridDrawState aState) override;
    String GetEditText(int aCol, int aRow) override;
    void SetEditText(int aCol, int aRow, const String& value) override;
    void SizeChanged(int oldColCount, int oldRowCount) override;
    void ColumnMoved(int fromIndex, int toIndex) override;
    void RowMoved(int fromIndex, int toIndex) override;

    // One row's texts and objects; the objects grow on the first one set.
    struct TRowData {
        TRowCells Cells;
        std::vector<TObject*> Objects;
    };
    std::vector<TRowData>& RowData() { return FData; }
    const std::vector<TRowData>& RowData() const { return FData; }
    // Writes a cell without repainting, for the kit's bulk operations.
    void StoreCell(int aCol, int aRow, std::string_view value);

private:
    std::vector<TRowData> FData;
    std::map<int, std::unique_ptr<TStrings>> FRowViews, FColViews;
};
