#pragma once
// A grid of text cells with one object per cell. Cells are addressed
// (column, row), 0-based, fixed cells included; reading outside the grid
// gives an empty text, writing outside it does nothing.
//
// A row may keep its texts as the bytes they were read from (a row
// source) until it is first read or written: a large file then costs its
// reading and the finding of its rows, and a row's texts are made when it
// is shown or used.
#include <map>
#include <memory>
#include <vector>

#include "framework/grids/DrawGrid.h"

class TStrings;

class TStringGrid : public TDrawGrid {
public:
    explicit TStringGrid(TComponent* owner);
    ~TStringGrid() override;
    String ClassName() const override { return "TStringGrid"; }

    String Cells(int aCol, int aRow) const { return CellRef(aCol, aRow); }
    const String& CellRef(int aCol, int aRow) const;
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

    // One row's cells; both vectors grow on the first write. Bytes
    // [SourceBegin, SourceEnd) of the row source hold texts of the row
    // that are not made yet.
    struct TRowData {
        std::vector<String> Cells;
        std::vector<TObject*> Objects;
        size_t SourceBegin = 0, SourceEnd = 0;
    };
    // Every row's texts made: what the kit changes through these is final.
    std::vector<TRowData>& RowData() {
        if (FRowSource) MakeAllRows();
        return FData;
    }
    const std::vector<TRowData>& RowData() const {
        if (FRowSource) MakeAllRows();
        return FData;
    }
    // The rows as they stand, texts perhaps not made yet: for work on the
    // objects alone.
    std::vector<TRowData>& RowObjectData() { return FData; }
    // Writes a cell without repainting, for the kit's bulk operations.
    void StoreCell(int aCol, int aRow, String&& value);

    // The bytes rows take their texts from until they are first used.
    class TRowSource {
    public:
        virtual ~TRowSource() = default;
        // Writes the texts held in bytes [begin, end) into `cells`, which
        // grows to `colCount` before its first text; a text at or beyond
        // `colCount` is left out.
        virtual void MakeRow(size_t begin, size_t end, std::vector<String>& cells, int colCount) const = 0;
    };
    // Row `aRow` takes the texts in bytes [begin, end) of `source` over
    // the texts it has, when it is first used. Rows that wait for another
    // source, and this row if it waits, have their texts made first.
    void SetRowBytes(const std::shared_ptr<const TRowSource>& source, int aRow, size_t begin, size_t end);
    // Makes the rows that wait for another source and takes `source`: then
    // a load may set SourceBegin and SourceEnd of rows that wait for
    // nothing (RowObjectData), from several threads at once as long as no
    // two touch one row and nothing else touches the grid meanwhile.
    void TakeRowSource(const std::shared_ptr<const TRowSource>& source);

private:
    void MakeRow(TRowData& row) const;
    void MakeAllRows() const;

    // Rows waiting for their texts change when they are first read.
    mutable std::vector<TRowData> FData;
    mutable std::shared_ptr<const TRowSource> FRowSource;
    std::map<int, std::unique_ptr<TStrings>> FRowViews, FColViews;
};
