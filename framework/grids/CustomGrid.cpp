#include "framework/grids/CustomGrid.h"

#include <algorithm>
#include <functional>

#include "framework/controls/Form.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/controls/qt/WsGrids.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/grids/InplaceEdit.h"
#include "framework/rtl/Exception.h"

namespace {
constexpr int kBarExtent = 16;  // the classic scroll bar thickness
}  // namespace

// The toolkit's scroll bars live inside the grid's widget; the grid keeps
// whether each one shows, so layout answers the same with or without a
// window. Flat bars keep their look and their own scale here too.
struct TGridScrollBars : velmor_ws::TGridBarLook {
    QWidget* Vert = nullptr;
    QWidget* Horz = nullptr;
    bool VertShown = false;
    bool HorzShown = false;
    int VertWidth = kBarExtent, HorzHeight = kBarExtent;
    bool Scaled[2] = {false, false};
    TCustomGrid::TScrollInfo Info[2];
    int VertExtent() const { return Flat ? VertWidth : kBarExtent; }
    int HorzExtent() const { return Flat ? HorzHeight : kBarExtent; }
};

namespace {

constexpr int kSizingMargin = 3;

}  // namespace

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner), FBars(new TGridScrollBars) {
    FColWidths.assign(FColCount, FDefaultColWidth);
    FRowHeights.assign(FRowCount, FDefaultRowHeight);
    ControlStyle |= csOpaque;
    SetTabStop(true);
    FWidth = 320;
    FHeight = 120;
}

TCustomGrid::~TCustomGrid() = default;

// ---- size in cells -------------------------------------------------------

void TCustomGrid::ChangeSize(int newColCount, int newRowCount) {
    newColCount = std::max(1, newColCount);
    newRowCount = std::max(1, newRowCount);
    const int oldCols = FColCount, oldRows = FRowCount;
    if (newColCount == oldCols && newRowCount == oldRows) return;
    if (FEditorMode) HideEditor();
    FColCount = newColCount;
    FRowCount = newRowCount;
    FColWidths.resize(FColCount, FDefaultColWidth);
    FRowHeights.resize(FRowCount, FDefaultRowHeight);
    if (FFixedCols >= FColCount) FFixedCols = FColCount - 1;
    if (FFixedRows >= FRowCount) FFixedRows = FRowCount - 1;
    auto clampCell = [this](TGridCoord& c) {
        c.X = std::clamp(c.X, std::min(FFixedCols, FColCount - 1), FColCount - 1);
        c.Y = std::clamp(c.Y, std::min(FFixedRows, FRowCount - 1), FRowCount - 1);
    };
    clampCell(FCurrent);
    clampCell(FAnchor);
    FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, std::max(FFixedCols, MaxLeftCol()));
    FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, std::max(FFixedRows, MaxTopRow()));
    SizeChanged(oldCols, oldRows);
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetColCount(int v) { ChangeSize(v, FRowCount); }
void TCustomGrid::SetRowCount(int v) { ChangeSize(FColCount, v); }

void TCustomGrid::SetFixedCols(int v) {
    if (v < 0) v = 0;
    if (v >= FColCount) throw EInvalidOperation("Fixed column count must be less than column count");
    if (v == FFixedCols) return;
    FFixedCols = v;
    FTopLeft.X = std::max(FTopLeft.X, v);
    FCurrent.X = std::max(FCurrent.X, v);
    FAnchor.X = std::max(FAnchor.X, v);
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetFixedRows(int v) {
    if (v < 0) v = 0;
    if (v >= FRowCount) throw EInvalidOperation("Fixed row count must be less than row count");
    if (v == FFixedRows) return;
    FFixedRows = v;
    FTopLeft.Y = std::max(FTopLeft.Y, v);
    FCurrent.Y = std::max(FCurrent.Y, v);
    FAnchor.Y = std::max(FAnchor.Y, v);
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetFixedColor(TColor v) {
    if (v == FFixedColor) return;
    FFixedColor = v;
    Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int v) {
    if (v == FDefaultColWidth) return;
    FDefaultColWidth = v;
    std::fill(FColWidths.begin(), FColWidths.end(), v);
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int v) {
    if (v == FDefaultRowHeight) return;
    FDefaultRowHeight = v;
    std::fill(FRowHeights.begin(), FRowHeights.end(), v);
    RowHeightsChanged();
}

int TCustomGrid::ColWidths(int c) const {
    return c >= 0 && c < FColCount ? FColWidths[c] : FDefaultColWidth;
}

int TCustomGrid::RowHeights(int r) const {
    return r >= 0 && r < FRowCount ? FRowHeights[r] : FDefaultRowHeight;
}

void TCustomGrid::SetColWidths(int c, int w) {
    if (c < 0 || c >= FColCount) return;
    w = std::max(w, -1);
    if (FColWidths[c] == w) return;
    FColWidths[c] = w;
    ColWidthsChanged();
}

void TCustomGrid::SetRowHeights(int r, int h) {
    if (r < 0 || r >= FRowCount) return;
    h = std::max(h, -1);
    if (FRowHeights[r] == h) return;
    FRowHeights[r] = h;
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int v) {
    v = std::max(0, v);
    if (v == FGridLineWidth) return;
    FGridLineWidth = v;
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions v) {
    if (v == FOptions) return;
    FOptions = v;
    if (FOptions & goRowSelect) {
        FOptions &= ~goAlwaysShowEditor;
        FAnchor.X = FFixedCols;
        FCurrent.X = std::max(FCurrent.X, FFixedCols);
    }
    if ((!(FOptions & goEditing) || (FOptions & goRowSelect)) && FEditorMode) HideEditor();
    if (FOptions & goAlwaysShowEditor) SetEditorMode(true);
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle v) {
    if (v == FScrollBars) return;
    FScrollBars = v;
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool v) {
    if (v == FDefaultDrawing) return;
    FDefaultDrawing = v;
    Invalidate();
}

// ---- virtual notifications ----------------------------------------------

bool TCustomGrid::SelectCell(int aCol, int aRow) {
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, aCol, aRow, can);
    return can;
}

void TCustomGrid::TopLeftChanged() {
    if (FEditorMode) PlaceEditor();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomGrid::SizeChanged(int, int) {}

void TCustomGrid::ColWidthsChanged() {
    if (FUpdateLock) return;
    UpdateScrollRange();
    if (FEditorMode) PlaceEditor();
    Invalidate();
}

void TCustomGrid::RowHeightsChanged() {
    if (FUpdateLock) return;
    UpdateScrollRange();
    if (FEditorMode) PlaceEditor();
    Invalidate();
}

void TCustomGrid::ColumnMoved(int fromIndex, int toIndex) {
    if (OnColumnMoved) OnColumnMoved(this, fromIndex, toIndex);
}

void TCustomGrid::RowMoved(int fromIndex, int toIndex) {
    if (OnRowMoved) OnRowMoved(this, fromIndex, toIndex);
}

// ---- current cell, selection, scrolling ----------------------------------

TGridRect TCustomGrid::Selection() const {
    TGridRect r{std::min(FCurrent.X, FAnchor.X), std::min(FCurrent.Y, FAnchor.Y),
                std::max(FCurrent.X, FAnchor.X), std::max(FCurrent.Y, FAnchor.Y)};
    if (FOptions & goRowSelect) {
        r.Left = FFixedCols;
        r.Right = FColCount - 1;
    }
    return r;
}

void TCustomGrid::SetSelection(const TGridRect& v) {
    // Cells outside the grid are allowed: the kit parks the selection there.
    InvalidateRect(Selection());
    FAnchor = {v.Left, v.Top};
    FCurrent = {v.Right, v.Bottom};
    if (FCurrent.X >= 0 && FCurrent.X < FColCount && FCurrent.Y >= 0 && FCurrent.Y < FRowCount)
        ClampInView(FCurrent.X, FCurrent.Y);
    InvalidateRect(Selection());
}

void TCustomGrid::SetCol(int v) {
    if (v == FCurrent.X) return;
    FocusCell(v, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int v) {
    if (v == FCurrent.Y) return;
    FocusCell(FCurrent.X, v, true);
}

void TCustomGrid::FocusCell(int col, int row, bool moveAnchor) {
    MoveCurrent(col, row, moveAnchor, true);
}

void TCustomGrid::MoveCurrent(int col, int row, bool moveAnchor, bool show) {
    if (col < 0 || row < 0 || col >= FColCount || row >= FRowCount) return;
    if (!SelectCell(col, row)) return;
    const TGridRect oldSel = Selection();
    const bool cellChanged = col != FCurrent.X || row != FCurrent.Y;
    FCurrent = {col, row};
    if (moveAnchor || !(FOptions & goRangeSelect)) FAnchor = FCurrent;
    if (FOptions & goRowSelect) FAnchor.X = FFixedCols;
    if (show) ClampInView(col, row);
    InvalidateRect(oldSel);
    InvalidateRect(Selection());
    if (cellChanged) UpdateEdit();
}

void TCustomGrid::ClampInView(int col, int row) {
    if (!FWidth || !FHeight) return;
    TGridCoord tl = FTopLeft;
    if (col >= FFixedCols) {
        if (col < tl.X) {
            tl.X = col;
        } else {
            // Walk the left column on until col fits wholly.
            const int avail = ClientRect().Width() - FixedWidth();
            while (tl.X < col) {
                int w = 0;
                for (int c = tl.X; c <= col; ++c) w += ColWidths(c) + FGridLineWidth;
                if (w <= avail) break;
                ++tl.X;
            }
        }
    }
    if (row >= FFixedRows) {
        if (row < tl.Y) {
            tl.Y = row;
        } else {
            const int avail = ClientRect().Height() - FixedHeight();
            int h = 0;
            for (int r = tl.Y; r <= row; ++r) h += RowHeights(r) + FGridLineWidth;
            while (tl.Y < row && h > avail) {
                h -= RowHeights(tl.Y) + FGridLineWidth;
                ++tl.Y;
            }
        }
    }
    MoveTopLeft(tl.X, tl.Y);
}

int TCustomGrid::MaxTopRow() const {
    const int avail = ClientRect().Height() - FixedHeight();
    int h = 0;
    int r = FRowCount - 1;
    for (; r >= FFixedRows; --r) {
        h += RowHeights(r) + FGridLineWidth;
        if (h > avail) break;
    }
    return std::clamp(r + 1, FFixedRows, std::max(FFixedRows, FRowCount - 1));
}

int TCustomGrid::MaxLeftCol() const {
    const int avail = ClientRect().Width() - FixedWidth();
    int w = 0;
    int c = FColCount - 1;
    for (; c >= FFixedCols; --c) {
        w += ColWidths(c) + FGridLineWidth;
        if (w > avail) break;
    }
    return std::clamp(c + 1, FFixedCols, std::max(FFixedCols, FColCount - 1));
}

void TCustomGrid::MoveTopLeft(int col, int row) {
    col = std::clamp(col, FFixedCols, std::max(FFixedCols, MaxLeftCol()));
    row = std::clamp(row, FFixedRows, std::max(FFixedRows, MaxTopRow()));
    if (col == FTopLeft.X && row == FTopLeft.Y) return;
    FTopLeft = {col, row};
    UpdateScrollRange();
    Invalidate();
    TopLeftChanged();
}

void TCustomGrid::SetTopRow(int v) { MoveTopLeft(FTopLeft.X, v); }
void TCustomGrid::SetLeftCol(int v) { MoveTopLeft(v, FTopLeft.Y); }

int TCustomGrid::FixedWidth() const {
    int w = 0;
    for (int c = 0; c < FFixedCols; ++c) w += ColWidths(c) + FGridLineWidth;
    return w;
}

int TCustomGrid::FixedHeight() const {
    int h = 0;
    for (int r = 0; r < FFixedRows; ++r) h += RowHeights(r) + FGridLineWidth;
    return h;
}

int TCustomGrid::VisibleColCount() const {
    const int avail = ClientRect().Width() - FixedWidth();
    int n = 0, w = 0;
    for (int c = FTopLeft.X; c < FColCount; ++c) {
        w += ColWidths(c) + FGridLineWidth;
        if (w > avail) break;
        ++n;
    }
    return FColCount > FFixedCols ? std::max(1, n) : 0;
}

int TCustomGrid::VisibleRowCount() const {
    const int avail = ClientRect().Height() - FixedHeight();
    int n = 0, h = 0;
    for (int r = FTopLeft.Y; r < FRowCount; ++r) {
        h += RowHeights(r) + FGridLineWidth;
        if (h > avail) break;
        ++n;
    }
    return FRowCount > FFixedRows ? std::max(1, n) : 0;
}

int TCustomGrid::GridWidth() const {
    int w = FixedWidth();
    const int limit = ClientRect().Width();
    for (int c = FTopLeft.X; c < FColCount && w < limit; ++c) w += ColWidths(c) + FGridLineWidth;
    return std::min(w, limit);
}

int TCustomGrid::GridHeight() const {
    int h = FixedHeight();
    const int limit = ClientRect().Height();
    for (int r = FTopLeft.Y; r < FRowCount && h < limit; ++r) h += RowHeights(r) + FGridLineWidth;
    return std::min(h, limit);
}

int TCustomGrid::ColumnLeft(int c) const {
    if (c < 0 || c >= FColCount) return -1;
    int x = 0;
    if (c < FFixedCols) {
        for (int i = 0; i < c; ++i) x += ColWidths(i) + FGridLineWidth;
        return x;
    }
    if (c < FTopLeft.X) return -1;
    x = FixedWidth();
    const int limit = ClientRect().Width();
    for (int i = FTopLeft.X; i < c; ++i) {
        x += ColWidths(i) + FGridLineWidth;
        if (x >= limit) return -1;
    }
    return x < limit ? x : -1;
}

int TCustomGrid::RowTop(int r) const {
    if (r < 0 || r >= FRowCount) return -1;
    int y = 0;
    if (r < FFixedRows) {
        for (int i = 0; i < r; ++i) y += RowHeights(i) + FGridLineWidth;
        return y;
    }
    if (r < FTopLeft.Y) return -1;
    y = FixedHeight();
    const int limit = ClientRect().Height();
    for (int i = FTopLeft.Y; i < r; ++i) {
        y += RowHeights(i) + FGridLineWidth;
        if (y >= limit) return -1;
    }
    return y < limit ? y : -1;
}

TRect TCustomGrid::CellRect(int col, int row) const {
    const int x = ColumnLeft(col), y = RowTop(row);
    if (x < 0 || y < 0) return TRect{};
    return Rect(x, y, x + ColWidths(col), y + RowHeights(row));
}

int TCustomGrid::ColumnAtX(int x) const {
    if (x < 0 || x >= ClientRect().Width()) return -1;
    int pos = 0;
    for (int c = 0; c < FFixedCols; ++c) {
        pos += ColWidths(c) + FGridLineWidth;
        if (x < pos) return c;
    }
    for (int c = FTopLeft.X; c < FColCount; ++c) {
        pos += ColWidths(c) + FGridLineWidth;
        if (x < pos) return c;
    }
    return -1;
}

int TCustomGrid::RowAtY(int y) const {
    if (y < 0 || y >= ClientRect().Height()) return -1;
    int pos = 0;
    for (int r = 0; r < FFixedRows; ++r) {
        pos += RowHeights(r) + FGridLineWidth;
        if (y < pos) return r;
    }
    for (int r = FTopLeft.Y; r < FRowCount; ++r) {
        pos += RowHeights(r) + FGridLineWidth;
        if (y < pos) return r;
    }
    return -1;
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const {
    const int c = ColumnAtX(x), r = RowAtY(y);
    if (c < 0 || r < 0) return {-1, -1};
    return {c, r};
}

void TCustomGrid::MouseToCell(int x, int y, int& col, int& row) const {
    const TGridCoord c = MouseCoord(x, y);
    col = c.X;
    row = c.Y;
}

// ---- moving and deleting rows and columns ---------------------------------

void TCustomGrid::MoveColumn(int fromIndex, int toIndex) {
    if (fromIndex == toIndex || fromIndex < 0 || toIndex < 0 || fromIndex >= FColCount ||
        toIndex >= FColCount)
        return;
    if (FEditorMode) HideEditor();
    const int w = FColWidths[fromIndex];
    FColWidths.erase(FColWidths.begin() + fromIndex);
    FColWidths.insert(FColWidths.begin() + toIndex, w);
    ColumnMoved(fromIndex, toIndex);
    ColWidthsChanged();
    Invalidate();
}

void TCustomGrid::MoveRow(int fromIndex, int toIndex) {
    if (fromIndex == toIndex || fromIndex < 0 || toIndex < 0 || fromIndex >= FRowCount ||
        toIndex >= FRowCount)
        return;
    if (FEditorMode) HideEditor();
    const int h = FRowHeights[fromIndex];
    FRowHeights.erase(FRowHeights.begin() + fromIndex);
    FRowHeights.insert(FRowHeights.begin() + toIndex, h);
    RowMoved(fromIndex, toIndex);
    RowHeightsChanged();
    Invalidate();
}

void TCustomGrid::DeleteColumn(int aCol) {
    if (aCol < 0 || aCol >= FColCount) return;
    MoveColumn(aCol, FColCount - 1);
    SetColCount(FColCount - 1);
}

void TCustomGrid::DeleteRow(int aRow) {
    if (aRow < 0 || aRow >= FRowCount) return;
    MoveRow(aRow, FRowCount - 1);
    SetRowCount(FRowCount - 1);
}

// ---- invalidation -----------------------------------------------------------

void TCustomGrid::InvalidateCell(int col, int row) { InvalidateRect({col, row, col, row}); }
void TCustomGrid::InvalidateRow(int row) { InvalidateRect({0, row, FColCount - 1, row}); }
void TCustomGrid::InvalidateCol(int col) { InvalidateRect({col, 0, col, FRowCount - 1}); }

void TCustomGrid::InvalidateRect(const TGridRect&) {
    // The toolkit merges repaint requests; one whole-window request costs
    // no more than a union of cell rectangles here.
    if (!FUpdateLock) Invalidate();
}

// ---- scroll bars -------------------------------------------------------------

TRect TCustomGrid::ClientRect() const {
    TRect r = TCustomControl::ClientRect();
    if (FBars->VertShown) r.Right = std::max(r.Left, r.Right - FBars->VertExtent());
    if (FBars->HorzShown) r.Bottom = std::max(r.Top, r.Bottom - FBars->HorzExtent());
    return r;
}

void TCustomGrid::UpdateScrollRange() {
    if (FInScrollUpdate || FUpdateLock) return;
    FInScrollUpdate = true;
    const bool wantV = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const bool wantH = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    // Showing one bar narrows the room for the other: settle in two passes.
    FBars->VertShown = FBars->HorzShown = false;
    for (int pass = 0; pass < 2; ++pass) {
        FBars->VertShown = wantV && MaxTopRow() > FFixedRows;
        FBars->HorzShown = wantH && MaxLeftCol() > FFixedCols;
    }
    FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, std::max(FFixedCols, MaxLeftCol()));
    FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, std::max(FFixedRows, MaxTopRow()));
    if (FBars->Vert) {
        const TRect outer = TCustomControl::ClientRect();
        const int vw = FBars->VertExtent(), hh = FBars->HorzExtent();
        for (bool vertical : {true, false}) {
            QWidget* bar = vertical ? FBars->Vert : FBars->Horz;
            const int i = vertical ? SB_VERT : SB_HORZ;
            if (FBars->Flat && FBars->Scaled[i]) {
                const TScrollInfo& info = FBars->Info[i];
                velmor_ws::SetGridBarRange(bar, info.Min, std::max(info.Min, info.Max), std::max(1, info.Page),
                                           BarPosition(vertical));
            } else if (vertical) {
                velmor_ws::SetGridBarRange(bar, FFixedRows, MaxTopRow(), std::max(1, VisibleRowCount()),
                                           BarPosition(vertical));
            } else {
                velmor_ws::SetGridBarRange(bar, FFixedCols, MaxLeftCol(), std::max(1, VisibleColCount()),
                                           BarPosition(vertical));
            }
        }
        velmor_ws::SetGeometry(FBars->Vert, outer.Right - vw, 0, vw, outer.Height() - (FBars->HorzShown ? hh : 0));
        velmor_ws::SetVisible(FBars->Vert, FBars->VertShown);
        velmor_ws::SetGeometry(FBars->Horz, 0, outer.Bottom - hh, outer.Width() - (FBars->VertShown ? vw : 0), hh);
        velmor_ws::SetVisible(FBars->Horz, FBars->HorzShown);
    }
    FInScrollUpdate = false;
}

QWidget* TCustomGrid::CreateWidget(QWidget* parent) {
    QWidget* w = TCustomControl::CreateWidget(parent);
    FPlainFocus = false;  // a click always focuses a grid
    velmor_ws::SetFocusByClickAndTab(w);
    return w;
}

void TCustomGrid::WidgetCreated() {
    TCustomControl::WidgetCreated();
    QWidget* w = WidgetIfAllocated();
    if (!w || FBars->Vert) return;
    auto onScroll = [this](QWidget* bar, int code, int pos) {
        const bool vertical = bar == FBars->Vert;
        Perform(vertical ? WM_VSCROLL : WM_HSCROLL, static_cast<WPARAM>(code) | (static_cast<WPARAM>(pos) << 16));
        if (code == SB_THUMBPOSITION) {
            velmor_ws::SetGridBarValue(bar, BarPosition(vertical));
        } else if (code != SB_ENDSCROLL && (code != SB_THUMBTRACK || (FOptions & goThumbTracking))) {
            // The toolkit commits the slider position after the move; a
            // thumb dragged without tracking stays where the hand holds it.
            velmor_ws::SetGridBarSlider(bar, BarPosition(vertical));
        }
    };
    FBars->Vert = velmor_ws::CreateGridScrollBar(w, true, FBars.get(), onScroll);
    FBars->Horz = velmor_ws::CreateGridScrollBar(w, false, FBars.get(), onScroll);
    UpdateScrollRange();
}

void TCustomGrid::ScrollMessage(bool vertical, int code, int pos) {
    TGridCoord tl = FTopLeft;
    int& v = vertical ? tl.Y : tl.X;
    const int page = vertical ? VisibleRowCount() : VisibleColCount();
    switch (code) {
    case SB_LINEUP: --v; break;
    case SB_LINEDOWN: ++v; break;
    case SB_PAGEUP: v -= std::max(1, page); break;
    case SB_PAGEDOWN: v += std::max(1, page); break;
    case SB_THUMBTRACK:
        if (!(FOptions & goThumbTracking)) return;
        v = TopFromBarPosition(vertical, pos);
        break;
    case SB_THUMBPOSITION: v = TopFromBarPosition(vertical, pos); break;
    case SB_TOP: v = vertical ? FFixedRows : FFixedCols; break;
    case SB_BOTTOM: v = vertical ? MaxTopRow() : MaxLeftCol(); break;
    default: return;
    }
    MoveTopLeft(tl.X, tl.Y);
}

int TCustomGrid::BarPosition(bool vertical) const {
    const int top = vertical ? FTopLeft.Y : FTopLeft.X;
    const int i = vertical ? SB_VERT : SB_HORZ;
    if (!FBars->Flat || !FBars->Scaled[i]) return top;
    const TScrollInfo& info = FBars->Info[i];
    const int fixed = vertical ? FFixedRows : FFixedCols;
    const int last = vertical ? MaxTopRow() : MaxLeftCol();
    if (last <= fixed) return info.Min;
    return info.Min + MulDiv(top - fixed, info.Max - info.Min, last - fixed);
}

int TCustomGrid::TopFromBarPosition(bool vertical, int pos) const {
    const int i = vertical ? SB_VERT : SB_HORZ;
    if (!FBars->Flat || !FBars->Scaled[i]) return pos;
    const TScrollInfo& info = FBars->Info[i];
    const int fixed = vertical ? FFixedRows : FFixedCols;
    const int last = vertical ? MaxTopRow() : MaxLeftCol();
    if (info.Max <= info.Min) return fixed;
    return fixed + MulDiv(std::clamp(pos, info.Min, info.Max) - info.Min, last - fixed, info.Max - info.Min);
}

bool TCustomGrid::InitializeFlatSB() {
    if (!FBars->Flat) {
        FBars->Flat = true;
        UpdateScrollRange();
        Invalidate();
    }
    return true;
}

void TCustomGrid::UninitializeFlatSB() {
    if (!FBars->Flat) return;
    FBars->Flat = false;
    FBars->Scaled[0] = FBars->Scaled[1] = false;
    UpdateScrollRange();
    Invalidate();
}

bool TCustomGrid::FlatScrollBars() const { return FBars->Flat; }

bool TCustomGrid::FlatSB_SetScrollProp(int index, int value) {
    if (!FBars->Flat) return false;
    switch (index) {
    case WSB_PROP_VSTYLE: FBars->Style[SB_VERT] = std::clamp(value, 0, 2); break;
    case WSB_PROP_HSTYLE: FBars->Style[SB_HORZ] = std::clamp(value, 0, 2); break;
    case WSB_PROP_VBKGCOLOR: FBars->Back[SB_VERT] = static_cast<TColor>(value); break;
    case WSB_PROP_HBKGCOLOR: FBars->Back[SB_HORZ] = static_cast<TColor>(value); break;
    case WSB_PROP_CXVSCROLL: FBars->VertWidth = std::clamp(value, 1, 200); break;
    case WSB_PROP_CYHSCROLL: FBars->HorzHeight = std::clamp(value, 1, 200); break;
    default: return false;
    }
    UpdateScrollRange();
    Invalidate();
    return true;
}

int TCustomGrid::FlatSB_GetScrollProp(int index) const {
    switch (index) {
    case WSB_PROP_VSTYLE: return FBars->Style[SB_VERT];
    case WSB_PROP_HSTYLE: return FBars->Style[SB_HORZ];
    case WSB_PROP_VBKGCOLOR: return static_cast<int>(FBars->Back[SB_VERT]);
    case WSB_PROP_HBKGCOLOR: return static_cast<int>(FBars->Back[SB_HORZ]);
    case WSB_PROP_CXVSCROLL: return FBars->VertExtent();
    case WSB_PROP_CYHSCROLL: return FBars->HorzExtent();
    default: return 0;
    }
}

bool TCustomGrid::FlatSB_GetScrollInfo(int bar, TScrollInfo& info) const {
    if (!FBars->Flat || (bar != SB_VERT && bar != SB_HORZ)) return false;
    const bool vertical = bar == SB_VERT;
    if (FBars->Scaled[bar]) {
        info = FBars->Info[bar];
    } else {
        info.Min = vertical ? FFixedRows : FFixedCols;
        info.Page = std::max(1, vertical ? VisibleRowCount() : VisibleColCount());
        info.Max = (vertical ? MaxTopRow() : MaxLeftCol()) + info.Page - 1;
    }
    info.Pos = BarPosition(vertical);
    const QWidget* q = vertical ? FBars->Vert : FBars->Horz;
    info.TrackPos = info.Pos;
    if (q) velmor_ws::GridBarTracking(q, info.TrackPos);
    return true;
}

void TCustomGrid::FlatSB_SetScrollInfo(int bar, const TScrollInfo& info) {
    if (!FBars->Flat || (bar != SB_VERT && bar != SB_HORZ)) return;
    FBars->Info[bar] = info;
    FBars->Scaled[bar] = true;
    UpdateScrollRange();
}

TPoint TCustomGrid::ScrollBarMousePos() const { return FBars->MouseScreen; }

TRect TCustomGrid::ScrollThumbRect(int bar) const {
    const QWidget* q = bar == SB_VERT ? FBars->Vert : FBars->Horz;
    if (!q || !(bar == SB_VERT ? FBars->VertShown : FBars->HorzShown)) return TRect{};
    return velmor_ws::GridBarThumbRect(q);
}

void TCustomGrid::WndProc(TMessage& m) {
    if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL) {
        ScrollMessage(m.Msg == WM_VSCROLL, static_cast<int>(m.WParam & 0xFFFF),
                      static_cast<int>((m.WParam >> 16) & 0xFFFF));
        m.Result = 0;
        return;
    }
    TCustomControl::WndProc(m);
}

void TCustomGrid::Resize() {
    UpdateScrollRange();
    if (FEditorMode) PlaceEditor();
    TCustomControl::Resize();
}

// ---- painting -------------------------------------------------------------

void TCustomGrid::Paint() {
    TCanvas* canvas = Canvas();
    const TRect client = ClientRect();
    const TGridRect sel = Selection();
    const bool focused = IsActiveControl();
    std::vector<std::pair<int, int>> cols, rows;  // index, left/top
    {
        int x = 0;
        for (int c = 0; c < FFixedCols && x < client.Right; ++c) {
            cols.push_back({c, x});
            x += ColWidths(c) + FGridLineWidth;
        }
        for (int c = FTopLeft.X; c < FColCount && x < client.Right; ++c) {
            cols.push_back({c, x});
            x += ColWidths(c) + FGridLineWidth;
        }
        int y = 0;
        for (int r = 0; r < FFixedRows && y < client.Bottom; ++r) {
            rows.push_back({r, y});
            y += RowHeights(r) + FGridLineWidth;
        }
        for (int r = FTopLeft.Y; r < FRowCount && y < client.Bottom; ++r) {
            rows.push_back({r, y});
            y += RowHeights(r) + FGridLineWidth;
        }
    }
    for (const auto& [r, y] : rows) {
        for (const auto& [c, x] : cols) {
            const TRect rect = Rect(x, y, x + ColWidths(c), y + RowHeights(r));
            TGridDrawState state = 0;
            const bool fixed = c < FFixedCols || r < FFixedRows;
            const bool isCurrent = c == FCurrent.X && r == FCurrent.Y;
            if (fixed) {
                state |= gdFixed;
            } else {
                if (isCurrent && focused) state |= gdFocused;
                const bool inSel = c >= sel.Left && c <= sel.Right && r >= sel.Top && r <= sel.Bottom;
                if (inSel && (!isCurrent || (FOptions & (goDrawFocusSelected | goRowSelect)) ||
                              !focused))
                    state |= gdSelected;
                // The current cell of an unfocused grid shows as selected, as
                // a list box keeps its selection visible.
                if (isCurrent && !focused) state |= gdSelected;
                if (isCurrent && focused && !(FOptions & (goDrawFocusSelected | goRowSelect)))
                    state &= ~gdSelected;
            }
            canvas->Font()->Assign(Font());
            if (fixed) {
                canvas->Brush()->SetColor(FFixedColor);
            } else if (state & gdSelected) {
                canvas->Brush()->SetColor(clHighlight);
                canvas->Font()->SetColor(clHighlightText);
            } else {
                canvas->Brush()->SetColor(Color());
            }
            // With DefaultDrawing off the owner paints the whole cell.
            if (FDefaultDrawing) canvas->FillRect(rect);
            DrawCell(c, r, rect, state);
            if (FDefaultDrawing && fixed) {
                // A raised look for the headings: light top-left, shadow below.
                canvas->Brush()->SetColor(clBtnHighlight);
                canvas->FillRect(Rect(rect.Left, rect.Top, rect.Right, rect.Top + 1));
                canvas->FillRect(Rect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom));
            }
            if (FDefaultDrawing && isCurrent && focused && !fixed && !FEditorMode &&
                !(FOptions & goRowSelect)) {
                canvas->Brush()->SetColor(Color());
                canvas->DrawFocusRect(rect);
            }
        }
    }
    DrawGridLines(canvas);
    // The area beyond the last column and row.
    canvas->Brush()->SetColor(Color());
    int right = 0, bottom = 0;
    if (!cols.empty()) right = cols.back().second + ColWidths(cols.back().first) + FGridLineWidth;
    if (!rows.empty()) bottom = rows.back().second + RowHeights(rows.back().first) + FGridLineWidth;
    if (right < client.Right) canvas->FillRect(Rect(right, 0, client.Right, client.Bottom));
    if (bottom < client.Bottom) canvas->FillRect(Rect(0, bottom, std::min(right, client.Right), client.Bottom));
    if (FBars->VertShown && FBars->HorzShown) {
        // The corner between two bars.
        const TRect outer = TCustomControl::ClientRect();
        canvas->Brush()->SetColor(clBtnFace);
        canvas->FillRect(Rect(outer.Right - kBarExtent, outer.Bottom - kBarExtent, outer.Right, outer.Bottom));
    }
}

void TCustomGrid::DrawGridLines(TCanvas* canvas) {
    if (FGridLineWidth <= 0) return;
    const TRect client = ClientRect();
    const int fw = FixedWidth(), fh = FixedHeight();
    const int gw = GridWidth(), gh = GridHeight();
    auto vline = [&](int x, int top, int bottom, TColor color) {
        canvas->Brush()->SetColor(color);
        canvas->FillRect(Rect(x, top, x + FGridLineWidth, bottom));
    };
    auto hline = [&](int y, int left, int right, TColor color) {
        canvas->Brush()->SetColor(color);
        canvas->FillRect(Rect(left, y, right, y + FGridLineWidth));
    };
    int x = 0;
    for (int c = 0; c < FColCount && x < client.Right; ++c) {
        if (c >= FFixedCols && c < FTopLeft.X) continue;
        x += ColWidths(c);
        const bool fixedCol = c < FFixedCols;
        // A fixed column's line runs the full height; a normal column's
        // line is fixed-coloured where it crosses the heading rows.
        if (fixedCol ? (FOptions & goFixedVertLine) : false) vline(x, 0, gh, clBlack);
        if (!fixedCol) {
            if (FOptions & goFixedVertLine) vline(x, 0, fh, clBlack);
            if (FOptions & goVertLine) vline(x, fh, gh, clSilver);
        }
        x += FGridLineWidth;
    }
    int y = 0;
    for (int r = 0; r < FRowCount && y < client.Bottom; ++r) {
        if (r >= FFixedRows && r < FTopLeft.Y) continue;
        y += RowHeights(r);
        const bool fixedRow = r < FFixedRows;
        if (fixedRow && (FOptions & goFixedHorzLine)) hline(y, 0, gw, clBlack);
        if (!fixedRow) {
            if (FOptions & goFixedHorzLine) hline(y, 0, fw, clBlack);
            if (FOptions & goHorzLine) hline(y, fw, gw, clSilver);
        }
        y += FGridLineWidth;
    }
}

bool TCustomGrid::IsActiveControl() const {
    if (Focused()) return true;
    if (FInplaceEdit && FInplaceEdit->Focused()) return true;
    return false;
}

// ---- keyboard ----------------------------------------------------------------

void TCustomGrid::KeyDown(Word& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == 0) return;
    const bool rowSelect = (FOptions & goRowSelect) != 0;
    const int pageHeight = std::max(1, VisibleRowCount());
    const int pageWidth = std::max(1, VisibleColCount());
    TGridCoord cur = FCurrent;
    TGridCoord tl = FTopLeft;
    bool handled = true;
    if (shift & ssCtrl) {
        switch (key) {
        case VK_UP: --tl.Y; break;
        case VK_DOWN: ++tl.Y; break;
        case VK_LEFT:
            if (!rowSelect) {
                cur.X -= pageWidth;
                tl.X -= pageWidth;
            }
            break;
        case VK_RIGHT:
            if (!rowSelect) {
                cur.X += pageWidth;
                tl.X += pageWidth;
            }
            break;
        case VK_PRIOR: cur.Y = FTopLeft.Y; break;
        case VK_NEXT: cur.Y = FTopLeft.Y + VisibleRowCount() - 1; break;
        case VK_HOME: cur = {FFixedCols, FFixedRows}; break;
        case VK_END: cur = {FColCount - 1, FRowCount - 1}; break;
        default: handled = false;
        }
    } else {
        switch (key) {
        case VK_UP: --cur.Y; break;
        case VK_DOWN: ++cur.Y; break;
        case VK_LEFT:
            if (rowSelect) --tl.X;
            else --cur.X;
            break;
        case VK_RIGHT:
            if (rowSelect) ++tl.X;
            else ++cur.X;
            break;
        case VK_NEXT:
            cur.Y += pageHeight;
            tl.Y += pageHeight;
            break;
        case VK_PRIOR:
            cur.Y -= pageHeight;
            tl.Y -= pageHeight;
            break;
        case VK_HOME:
            if (rowSelect) cur.Y = FFixedRows;
            else cur.X = FFixedCols;
            break;
        case VK_END:
            if (rowSelect) cur.Y = FRowCount - 1;
            else cur.X = FColCount - 1;
            break;
        case VK_TAB:
            if (!(FOptions & goTabs) || (shift & ssAlt)) {
                handled = false;
                break;
            }
            if (shift & ssShift) {
                if (--cur.X < FFixedCols) {
                    cur.X = FColCount - 1;
                    if (--cur.Y < FFixedRows) cur.Y = FRowCount - 1;
                }
            } else {
                if (++cur.X >= FColCount) {
                    cur.X = FFixedCols;
                    if (++cur.Y >= FRowCount) cur.Y = FFixedRows;
                }
            }
            shift &= ~ssShift;  // Shift+Tab walks back, it does not extend
            break;
        case VK_F2: SetEditorMode(true); break;
        default: handled = false;
        }
    }
    if (!handled) return;
    cur.X = std::clamp(cur.X, FFixedCols, FColCount - 1);
    cur.Y = std::clamp(cur.Y, FFixedRows, FRowCount - 1);
    if (tl.X != FTopLeft.X || tl.Y != FTopLeft.Y) MoveTopLeft(tl.X, tl.Y);
    if (cur.X != FCurrent.X || cur.Y != FCurrent.Y) {
        const bool extend = (shift & ssShift) && (FOptions & goRangeSelect);
        MoveCurrent(cur.X, cur.Y, !extend, true);
    }
    key = 0;
}

void TCustomGrid::KeyPress(char& key) {
    TCustomControl::KeyPress(key);
    if (key == 0) return;
    if (key == '\r' && !(FOptions & goAlwaysShowEditor)) {
        if (FEditorMode) HideEditor();
        else ShowEditor();
        key = 0;
        return;
    }
    if (key == 27 && FEditorMode && !(FOptions & goAlwaysShowEditor)) {
        HideEditor();
        key = 0;
        return;
    }
    if ((FOptions & goEditing) && !FEditorMode && static_cast<unsigned char>(key) >= 32) {
        ShowEditor();
        if (FEditorMode && FInplaceEdit) {
            // The typed character replaces the cell, as typing over a
            // selected text does.
            FInplaceEdit->SetText(String(1, key));
            FInplaceEdit->SetSelStart(1);
            key = 0;
        }
    }
}

bool TCustomGrid::DoMouseWheel(TShiftState shift, int wheelDelta, const TPoint& mousePos) {
    if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
    const int notches = wheelDelta / 120;
    if (notches == 0) return false;
    const int row = std::clamp(FCurrent.Y - notches, FFixedRows, FRowCount - 1);
    if (row != FCurrent.Y) MoveCurrent(FCurrent.X, row, true, true);
    return true;
}

// ---- mouse --------------------------------------------------------------------

void TCustomGrid::CalcSizingState(int x, int y, TGridState& state, int& index, int& sizingPos,
                                  int& sizingOfs) {
    state = gsNormal;
    index = -1;
    if ((FOptions & goColSizing) && y < FixedHeight()) {
        for (int c = 0; c < FColCount; ++c) {
            const int left = ColumnLeft(c);
            if (left < 0) continue;
            const int line = left + ColWidths(c);
            if (x >= line - kSizingMargin && x <= line + kSizingMargin) {
                state = gsColSizing;
                index = c;
                sizingPos = line;
                sizingOfs = line - x;
                return;
            }
        }
    }
    if ((FOptions & goRowSizing) && x < FixedWidth()) {
        for (int r = 0; r < FRowCount; ++r) {
            const int top = RowTop(r);
            if (top < 0) continue;
            const int line = top + RowHeights(r);
            if (y >= line - kSizingMargin && y <= line + kSizingMargin) {
                state = gsRowSizing;
                index = r;
                sizingPos = line;
                sizingOfs = line - y;
                return;
            }
        }
    }
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (CanFocus() && !Focused() && !(FInplaceEdit && FInplaceEdit->Focused())) SetFocus();
    if (button == mbLeft) {
        CalcSizingState(x, y, FGridState, FSizingIndex, FSizingPos, FSizingOfs);
        if (FGridState == gsNormal) {
            const TGridCoord cell = MouseCoord(x, y);
            if (cell.X >= 0) {
                if (cell.Y < FFixedRows && cell.X >= FFixedCols && (FOptions & goColMoving)) {
                    FGridState = gsColMoving;
                    FMoveIndex = FMovePos = cell.X;
                } else if (cell.X < FFixedCols && cell.Y >= FFixedRows && (FOptions & goRowMoving)) {
                    FGridState = gsRowMoving;
                    FMoveIndex = FMovePos = cell.Y;
                } else if (cell.X >= FFixedCols && cell.Y >= FFixedRows) {
                    const bool wasCurrent = cell.X == FCurrent.X && cell.Y == FCurrent.Y;
                    const bool extend = (shift & ssShift) && (FOptions & goRangeSelect);
                    if (wasCurrent && (FOptions & goEditing) && !extend) {
                        ShowEditor();
                    } else {
                        MoveCurrent(cell.X, cell.Y, !extend, true);
                        if (FOptions & goRangeSelect) FGridState = gsSelecting;
                    }
                }
            }
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::MouseMove(TShiftState shift, int x, int y) {
    switch (FGridState) {
    case gsSelecting: {
        const TGridCoord cell = MouseCoord(x, y);
        if (cell.X >= FFixedCols && cell.Y >= FFixedRows &&
            (cell.X != FCurrent.X || cell.Y != FCurrent.Y))
            MoveCurrent(cell.X, cell.Y, false, true);
        break;
    }
    case gsColSizing: {
        const int left = ColumnLeft(FSizingIndex);
        if (left >= 0) SetColWidths(FSizingIndex, std::max(0, x + FSizingOfs - left));
        break;
    }
    case gsRowSizing: {
        const int top = RowTop(FSizingIndex);
        if (top >= 0) SetRowHeights(FSizingIndex, std::max(0, y + FSizingOfs - top));
        break;
    }
    case gsColMoving: {
        const int c = ColumnAtX(x);
        if (c >= FFixedCols) FMovePos = c;
        break;
    }
    case gsRowMoving: {
        const int r = RowAtY(y);
        if (r >= FFixedRows) FMovePos = r;
        break;
    }
    default: break;
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const TGridState state = FGridState;
    FGridState = gsNormal;
    if (state == gsColMoving && FMoveIndex != FMovePos) MoveColumn(FMoveIndex, FMovePos);
    if (state == gsRowMoving && FMoveIndex != FMovePos) MoveRow(FMoveIndex, FMovePos);
    FMoveIndex = FMovePos = -1;
    TCustomControl::MouseUp(button, shift, x, y);
}

// The focus changes how the current cell looks.
void TCustomGrid::DoEnter() {
    Invalidate();
    TCustomControl::DoEnter();
}

void TCustomGrid::DoExit() {
    Invalidate();
    TCustomControl::DoExit();
}

// ---- in-place editor --------------------------------------------------------

bool TCustomGrid::CanEditShow() {
    return (FOptions & (goRowSelect | goEditing)) == goEditing && FEditorMode &&
           !HasState(csDesigning) && FCurrent.X >= FFixedCols && FCurrent.Y >= FFixedRows;
}

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

String TCustomGrid::GetEditText(int, int) { return String(); }
void TCustomGrid::SetEditText(int, int, const String&) {}
String TCustomGrid::GetEditMask(int, int) { return String(); }
int TCustomGrid::GetEditLimit() { return 0; }

void TCustomGrid::SetEditorMode(bool v) {
    if (v) ShowEditor();
    else HideEditor();
}

void TCustomGrid::ShowEditor() {
    if (!(FOptions & goEditing) || (FOptions & goRowSelect)) return;
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor() {
    if (!FEditorMode && !(FInplaceEdit && FInplaceEdit->Visible())) return;
    const bool hadFocus = FInplaceEdit && FInplaceEdit->Focused();
    FEditorMode = false;
    if (FInplaceEdit) {
        FInplaceEdit->FCol = FInplaceEdit->FRow = -1;
        FInplaceEdit->Hide();
    }
    if (hadFocus && CanFocus()) SetFocus();
    Invalidate();
}

void TCustomGrid::UpdateEdit() {
    if (!FEditorMode) return;
    if (!CanEditShow()) {
        if (FInplaceEdit) FInplaceEdit->Hide();
        return;
    }
    if (!FInplaceEdit) {
        FInplaceEdit = CreateEditor();
        FInplaceEdit->SetParent(this);
        FInplaceEdit->SetGrid(this);
    }
    PlaceEditor();
}

void TCustomGrid::PlaceEditor() {
    if (!FInplaceEdit || !FEditorMode) return;
    const bool newCell = FInplaceEdit->FCol != FCurrent.X || FInplaceEdit->FRow != FCurrent.Y;
    if (newCell) {
        FInEditorUpdate = true;
        FInplaceEdit->FCol = FCurrent.X;
        FInplaceEdit->FRow = FCurrent.Y;
        FInplaceEdit->SetMaxLength(GetEditLimit());
        FInplaceEdit->SetEditMask(GetEditMask(FCurrent.X, FCurrent.Y));
        FInplaceEdit->SetText(GetEditText(FCurrent.X, FCurrent.Y));
        FInplaceEdit->SelectAll();
        FInEditorUpdate = false;
    }
    const TRect r = CellRect(FCurrent.X, FCurrent.Y);
    if (r.IsEmpty()) {
        FInplaceEdit->Hide();
        return;
    }
    FInplaceEdit->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    const bool grabFocus = Focused();
    FInplaceEdit->Show();
    if (grabFocus && FInplaceEdit->CanFocus()) FInplaceEdit->SetFocus();
}

void TCustomGrid::InvalidateEditor() {
    if (FInplaceEdit) FInplaceEdit->FCol = FInplaceEdit->FRow = -1;
    PlaceEditor();
}

void TCustomGrid::EditorKey(Word& key, TShiftState shift) { KeyDown(key, shift); }
