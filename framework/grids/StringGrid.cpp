#include "framework/grids/StringGrid.h"

#include <algorithm>

#include "framework/classes/Strings.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/Exception.h"

namespace {

// A row or column of a string grid seen as a list of strings. Its length
// is the grid's column or row count; adding and removing are not offered.
class TGridLineStrings : public TStrings {
public:
    TGridLineStrings(TStringGrid* grid, bool isRow, int index)
        : FGrid(grid), FIsRow(isRow), FIndex(index) {}
    int Count() const override { return FIsRow ? FGrid->ColCount() : FGrid->RowCount(); }
    String Get(int i) const override {
        if (i < 0 || i >= Count()) throw EStringListError("List index out of bounds (%d)", {i});
        return FIsRow ? FGrid->Cells(i, FIndex) : FGrid->Cells(FIndex, i);
    }
    void Put(int i, const String& s) override {
        if (FIsRow) FGrid->SetCells(i, FIndex, s);
        else FGrid->SetCells(FIndex, i, s);
    }
    TObject* GetObject(int i) const override {
        return FIsRow ? FGrid->Objects(i, FIndex) : FGrid->Objects(FIndex, i);
    }
    void PutObject(int i, TObject* o) override {
        if (FIsRow) FGrid->SetObjects(i, FIndex, o);
        else FGrid->SetObjects(FIndex, i, o);
    }
    // A line has a fixed length: adding fills the first empty cell, as
    // text set on the whole line (Clear, then Add) expects.
    int Add(const String& s) override { return AddObject(s, nullptr); }
    int AddObject(const String& s, TObject* obj) override {
        for (int i = 0; i < Count(); ++i) {
            if (Get(i).empty()) {
                Put(i, s);
                PutObject(i, obj);
                return i;
            }
        }
        return -1;
    }
    void Insert(int, const String&) override {
        throw EStringListError("Grid rows and columns cannot grow through their string list");
    }
    void Delete(int) override {
        throw EStringListError("Grid rows and columns cannot shrink through their string list");
    }
    void Clear() override {
        for (int i = 0; i < Count(); ++i) {
            Put(i, String());
            PutObject(i, nullptr);
        }
    }
    // Assigning a list writes its strings from the first cell on and
    // empties the rest, as a row filled from a list should look.
    void Assign(TPersistent* source) override {
        if (auto* s = dynamic_cast<TStrings*>(source)) {
            for (int i = 0; i < Count(); ++i) {
                Put(i, i < s->Count() ? s->Strings(i) : String());
                PutObject(i, i < s->Count() ? s->Objects(i) : nullptr);
            }
            return;
        }
        TStrings::Assign(source);
    }

private:
    TStringGrid* FGrid;
    bool FIsRow;
    int FIndex;
};
}  // namespace

TStringGrid::TStringGrid(TComponent* owner) : TDrawGrid(owner) { FData.resize(RowCount()); }

TStringGrid::~TStringGrid() = default;

void TStringGrid::StoreCell(int aCol, int aRow, std::string_view value) {
    if (aRow < 0 || aRow >= RowCount() || aCol < 0 || aCol >= ColCount()) return;
    FData[aRow].Cells.Set(static_cast<size_t>(aCol), value, static_cast<size_t>(ColCount()));
}

void TStringGrid::SetCells(int aCol, int aRow, const String& value) {
    if (aRow < 0 || aRow >= RowCount() || aCol < 0 || aCol >= ColCount()) return;
    if (CellText(aCol, aRow) == value) return;
    StoreCell(aCol, aRow, value);
    InvalidateCell(aCol, aRow);
    // An open editor on this cell shows the new text.
    if (EditorMode() && aCol == Col() && aRow == Row()) InvalidateEditor();
}

TObject* TStringGrid::Objects(int aCol, int aRow) const {
    if (aRow < 0 || aRow >= static_cast<int>(FData.size()) || aCol < 0) return nullptr;
    const auto& objs = FData[aRow].Objects;
    return aCol < static_cast<int>(objs.size()) ? objs[aCol] : nullptr;
}

void TStringGrid::SetObjects(int aCol, int aRow, TObject* obj) {
    if (aRow < 0 || aRow >= RowCount() || aCol < 0 || aCol >= ColCount()) return;
    auto& objs = FData[aRow].Objects;
    if (aCol >= static_cast<int>(objs.size())) {
        if (!obj) return;
        objs.resize(ColCount(), nullptr);
    }
    objs[aCol] = obj;
}

TStrings* TStringGrid::Rows(int aRow) {
    auto& v = FRowViews[aRow];
    if (!v) v = std::make_unique<TGridLineStrings>(this, true, aRow);
    return v.get();
}

TStrings* TStringGrid::Cols(int aCol) {
    auto& v = FColViews[aCol];
    if (!v) v = std::make_unique<TGridLineStrings>(this, false, aCol);
    return v.get();
}

void TStringGrid::DrawCell(int aCol, int aRow, const TRect& aRect, TGridDrawState aState) {
    if (DefaultDrawing()) Canvas()->TextRect(aRect, aRect.Left + 2, aRect.Top + 2, Cells(aCol, aRow));
    TDrawGrid::DrawCell(aCol, aRow, aRect, aState);
}

String TStringGrid::GetEditText(int aCol, int aRow) {
    String s = Cells(aCol, aRow);
    if (OnGetEditText) OnGetEditText(this, aCol, aRow, s);
    return s;
}

void TStringGrid::SetEditText(int aCol, int aRow, const String& value) {
    if (CellText(aCol, aRow) != value) {
        StoreCell(aCol, aRow, value);
        InvalidateCell(aCol, aRow);
    }
    TDrawGrid::SetEditText(aCol, aRow, value);
}

void TStringGrid::SizeChanged(int oldColCount, int oldRowCount) {
    FData.resize(RowCount());
    // Texts of columns that go must not come back with a wider grid.
    if (ColCount() < oldColCount) {
        const size_t n = ColCount();
        for (auto& row : FData) {
            row.Cells.Truncate(n);
            if (row.Objects.size() > n) row.Objects.resize(n);
        }
    }
    TDrawGrid::SizeChanged(oldColCount, oldRowCount);
}

void TStringGrid::ColumnMoved(int fromIndex, int toIndex) {
    const size_t need = static_cast<size_t>(std::max(fromIndex, toIndex)) + 1;
    for (auto& row : FData) {
        row.Cells.Move(fromIndex, toIndex, ColCount());
        if (!row.Objects.empty()) {
            if (row.Objects.size() < need) row.Objects.resize(ColCount(), nullptr);
            TObject* o = row.Objects[fromIndex];
            row.Objects.erase(row.Objects.begin() + fromIndex);
            row.Objects.insert(row.Objects.begin() + toIndex, o);
        }
    }
    TDrawGrid::ColumnMoved(fromIndex, toIndex);
}

void TStringGrid::RowMoved(int fromIndex, int toIndex) {
    if (fromIndex < toIndex)
        std::rotate(FData.begin() + fromIndex, FData.begin() + fromIndex + 1, FData.begin() + toIndex + 1);
    else
        std::rotate(FData.begin() + toIndex, FData.begin() + fromIndex, FData.begin() + fromIndex + 1);
    TDrawGrid::RowMoved(fromIndex, toIndex);
}
