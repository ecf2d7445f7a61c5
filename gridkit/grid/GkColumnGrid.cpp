#include "gridkit/grid/GkColumnGrid.h"

#include "framework/classes/StringList.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "gridkit/grid/GridColumnCollection.h"
#include "gridkit/grid/GridColumnItem.h"
#include "gridkit/grid/PrintSettings.h"

TGkColumnGrid::TGkColumnGrid(TComponent* owner)
    : TGkStringGrid(owner), FColumns(new TGridColumnCollection(this)) {
    AdjustColumns();
}

TGkColumnGrid::~TGkColumnGrid() {
    // The items must not reach back into a grid that is half gone.
    FColumns->Updating = true;
}

void TGkColumnGrid::Loaded() {
    TGkStringGrid::Loaded();
    AdjustColumns();
}

void TGkColumnGrid::SetColumns(TGridColumnCollection* v) {
    FColumns->Assign(v);
    AdjustColumns();
}

void TGkColumnGrid::SetColCount(int v) {
    const bool was = FColumns ? FColumns->Updating : false;
    if (FColumns) FColumns->Updating = true;
    try {
        TGkStringGrid::SetColCount(v);
    } catch (...) {
        if (FColumns) FColumns->Updating = was;
        throw;
    }
    if (FColumns) {
        AdjustColumns();
        FColumns->Updating = was;
    }
}

void TGkColumnGrid::AdjustColumns() {
    if (!FColumns) return;
    const bool was = FColumns->Updating;
    FColumns->Updating = true;
    while (FColumns->Count() < ColCount()) FColumns->Add();
    while (FColumns->Count() > ColCount()) FColumns->Delete(FColumns->Count() - 1);
    if (FixedRows() > 0)
        for (int c = 0; c < FColumns->Count(); ++c) FColumns->Items(c)->FHeader = Cells(c, 0);
    FColumns->Updating = was;
}

TGridColumnItem* TGkColumnGrid::ItemOf(int aCol) const {
    if (!FColumns || aCol < 0 || aCol >= FColumns->Count()) return nullptr;
    return FColumns->Items(aCol);
}

bool TGkColumnGrid::IsDataCell(int aCol, int aRow) const {
    return ItemOf(aCol) && aCol >= FixedCols() && aRow >= FixedRows();
}

void TGkColumnGrid::ColWidthsChanged() {
    TGkStringGrid::ColWidthsChanged();
    if (!FColumns) return;
    const int n = std::min(ColCount(), FColumns->Count());
    for (int c = 0; c < n; ++c) FColumns->Items(c)->FWidth = ColWidths(c);
}

void TGkColumnGrid::ColumnMoved(int fromIndex, int toIndex) {
    AdjustColumns();
    const int top = TopRow();
    TGkStringGrid::ColumnMoved(fromIndex, toIndex);
    ++FUpdateLock;
    const bool was = FColumns->Updating;
    FColumns->Updating = true;
    if (TGridColumnItem* item = ItemOf(fromIndex); item && toIndex < FColumns->Count())
        item->SetIndex(toIndex);
    FColumns->Updating = was;
    --FUpdateLock;
    SetTopRow(top);
    ParkSelection();
    Invalidate();
}

void TGkColumnGrid::GetCellColor(int aCol, int aRow, TGridDrawState aState, TBrush* aBrush, TFont* aFont) {
    if (IsDataCell(aCol, aRow) && aCol < ColCount() - FixedRightCols() &&
        aRow < RowCount() - FixedFooters()) {
        TGridColumnItem* item = ItemOf(aCol);
        aBrush->SetColor(item->Fixed() ? FixedColor() : item->Color());
        aFont->Assign(item->Font());
    }
    TGkStringGrid::GetCellColor(aCol, aRow, aState, aBrush, aFont);
}

void TGkColumnGrid::GetCellPrintColor(int aCol, int aRow, TGridDrawState aState, TBrush* aBrush,
                                      TFont* aFont) {
    if (IsDataCell(aCol, aRow)) {
        TGridColumnItem* item = ItemOf(aCol);
        aBrush->SetColor(item->Fixed() ? FixedColor() : item->PrintColor);
        aFont->Assign(item->PrintFont());
    } else if (ItemOf(aCol)) {
        aFont->Assign(PrintSettings()->FixedFont());
    }
    TGkStringGrid::GetCellPrintColor(aCol, aRow, aState, aBrush, aFont);
}

void TGkColumnGrid::GetCellBorder(int aCol, int aRow, TPen* aPen, TCellBorders& borders) {
    if (IsDataCell(aCol, aRow)) {
        TGridColumnItem* item = ItemOf(aCol);
        borders = item->Borders();
        aPen->Assign(item->BorderPen());
    }
    TGkStringGrid::GetCellBorder(aCol, aRow, aPen, borders);
}

void TGkColumnGrid::GetCellPrintBorder(int aCol, int aRow, TPen* aPen, TCellBorders& borders) {
    if (IsDataCell(aCol, aRow)) {
        TGridColumnItem* item = ItemOf(aCol);
        borders = item->PrintBorders;
        aPen->Assign(item->PrintBorderPen());
    }
    TGkStringGrid::GetCellPrintBorder(aCol, aRow, aPen, borders);
}

void TGkColumnGrid::GetCellAlignment(int aCol, int aRow, TAlignment& alignment) {
    if (TGridColumnItem* item = ItemOf(aCol)) alignment = item->Alignment();
    TGkStringGrid::GetCellAlignment(aCol, aRow, alignment);
}

void TGkColumnGrid::GetColumnFormat(int aCol, TSortStyle& style, String& prefix, String& suffix) {
    if (TGridColumnItem* item = ItemOf(aCol); item && aCol >= FixedCols()) {
        style = item->SortStyle;
        prefix = item->SortPrefix;
        suffix = item->SortSuffix;
    }
    TGkStringGrid::GetColumnFormat(aCol, style, prefix, suffix);
}

void TGkColumnGrid::GetCellEditor(int aCol, int aRow, TEditorType& editor) {
    if (IsDataCell(aCol, aRow)) {
        TGridColumnItem* item = ItemOf(aCol);
        editor = item->Editor;
        // Filled before the event, so a handler can still replace them.
        ComboItems()->Assign(item->ComboItems());
        SpinMinValue = item->SpinMin;
        SpinMaxValue = item->SpinMax;
        SpinIncrement = item->SpinStep;
    }
    TGkStringGrid::GetCellEditor(aCol, aRow, editor);
}

void TGkColumnGrid::IsFixedCell(int aCol, int aRow, bool& isFixed) {
    if (IsDataCell(aCol, aRow)) isFixed = ItemOf(aCol)->Fixed();
    TGkStringGrid::IsFixedCell(aCol, aRow, isFixed);
}

void TGkColumnGrid::CanEditCell(int aCol, int aRow, bool& canEdit) {
    if (IsDataCell(aCol, aRow)) {
        TGridColumnItem* item = ItemOf(aCol);
        canEdit = !item->ReadOnly && !item->Fixed();
    }
    TGkStringGrid::CanEditCell(aCol, aRow, canEdit);
}

void TGkColumnGrid::IsPasswordCell(int aCol, int aRow, bool& isPassword) {
    if (TGridColumnItem* item = ItemOf(aCol)) isPassword = item->Password();
    TGkStringGrid::IsPasswordCell(aCol, aRow, isPassword);
}

String TGkColumnGrid::GetEditMask(int aCol, int aRow) {
    String mask;
    if (TGridColumnItem* item = ItemOf(aCol); item && aCol >= FixedCols()) mask = item->EditMask;
    const String fromEvent = TGkStringGrid::GetEditMask(aCol, aRow);
    return fromEvent.empty() ? mask : fromEvent;
}

int TGkColumnGrid::GetEditLimit() {
    if (TGridColumnItem* item = ItemOf(Col()); item && Col() >= FixedCols()) return item->EditLength;
    return 0;
}
