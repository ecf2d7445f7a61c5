// How TGkStringGrid fits columns and rows to what their cells show, and
// the small layout operations around it.
#include <algorithm>
#include <utility>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "gridkit/grid/GkFunctions.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/MouseActions.h"
#include "gridkit/markup/GkMarkup.h"
#include "gridkit/markup/GkRichEdit.h"

namespace {

// Room a cell keeps around its text.
constexpr int kCellMargin = 4;
// As tall as any cell could want: markup is laid out without a bottom.
constexpr int kUnbounded = 65535;

// The lines a cell shows: one unless cells may hold several.
std::vector<String> ShownLines(const String& text, bool multiLine) {
    std::vector<String> lines;
    if (!multiLine) {
        lines.push_back(FirstLine(text));
        return lines;
    }
    String rest = text;
    while (true) {
        String next;
        lines.push_back(FirstLine(rest, &next));
        if (rest.find('\r') == String::npos) break;
        rest = std::move(next);
    }
    return lines;
}

}  // namespace

TSize TGkStringGrid::MeasureMarkup(const String& text, const TRect& r) {
    TMarkupParams p;
    p.Canvas = Canvas();
    p.Text = text;
    p.Rect = r;
    p.URLColor = FURLColor;
    p.Images = FGridImages;
    p.MeasureOnly = true;
    p.KeepColors = true;
    p.BlinkOn = true;
    TMarkupResult res;
    RenderMarkup(p, res);
    return TSize{res.Width, res.Height};
}

TSize TGkStringGrid::MeasureCellText(int aCol, int aRow) {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(aRow < FixedRows() || aCol < FixedCols() ? FFixedFont.get() : Font());
    GetCellColor(aCol, aRow, 0, canvas->Brush(), canvas->Font());
    return MeasurePreparedText(aCol, aRow);
}

TSize TGkStringGrid::MeasurePreparedText(int aCol, int aRow) {
    TCanvas* canvas = Canvas();
    String text = Cells(aCol, aRow);
    switch (TextKind(text, EnableHTML)) {
    case TCellTextKind::Markup: return MeasureMarkup(text, TRect{0, 0, kUnbounded, kUnbounded});
    case TCellTextKind::RichText:
        // As the formatted text is laid out, each line at its own width.
        LoadRichCell(text);
        return FRichEdit->FormattedExtent(0);
    default: break;
    }
    std::vector<String> lines = ShownLines(text, FMultilinecells);
    TSize size{0, 0};
    for (String& l : lines) {
        if (FURLShow && !FURLFull && IsURL(l)) l = StripURLProtocol(l);
        size.cx = std::max(size.cx, canvas->TextWidth(l));
    }
    size.cy = canvas->TextHeight("gh") * static_cast<int>(lines.size());
    return size;
}

void TGkStringGrid::AutoSizeColumn(int aCol, bool onlyGrow) {
    if (aCol < 0 || aCol >= ColCount()) return;
    const int col = RealColIndex(aCol);
    TCanvas* canvas = Canvas();
    int w = 0;
    for (int r = 0; r < RowCount(); ++r) {
        canvas->Font()->Assign(aCol < FixedCols() || r < FixedRows() ? FFixedFont.get() : Font());
        GetCellColor(col, r, 0, canvas->Brush(), canvas->Font());
        if (FZoomLevel != 0) canvas->Font()->SetSize(canvas->Font()->Size() + FZoomLevel);
        w = std::max(w, MeasurePreparedText(col, r).cx + CellGraphicSize(col, r).cx);
    }
    const int width = w + kCellMargin;
    if (!onlyGrow || width > ColWidths(aCol)) SetColWidths(aCol, width);
}

void TGkStringGrid::AutoSizeColumns(bool doFixedCols, int padding) {
    auto fit = [&](int c) {
        AutoSizeColumn(c);
        if (padding != 0) SetColWidths(c, ColWidths(c) + padding);
    };
    if (doFixedCols)
        for (int c = 0; c < FixedCols(); ++c) fit(c);
    for (int c = FixedCols(); c < ColCount(); ++c) fit(c);
}

void TGkStringGrid::AutoSizeRow(int aRow) {
    if (aRow < 0 || aRow >= RowCount()) return;
    TCanvas* canvas = Canvas();
    int h = DefaultRowHeight();
    for (int c = 0; c < ColCount(); ++c) {
        const int rc = RealColIndex(c);
        canvas->Font()->Assign(c >= FixedCols() && aRow >= FixedRows() ? Font() : FFixedFont.get());
        GetCellColor(rc, aRow, 0, canvas->Brush(), canvas->Font());
        String text = Cells(rc, aRow);
        int need = 0;
        const TCellTextKind kind = TextKind(text, EnableHTML);
        if (kind == TCellTextKind::Markup) {
            need = MeasureMarkup(text, TRect{0, 0, ColWidths(c), kUnbounded}).cy;
        } else if (kind == TCellTextKind::RichText) {
            LoadRichCell(text);
            need = FRichEdit->FormattedExtent(ColWidths(c) - 2).cy;
        } else if (kind != TCellTextKind::Formula) {
            TRect r{0, 0, ColWidths(c) - kCellMargin, DefaultRowHeight()};
            unsigned flags = DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK;
            if (FVAlignment == vtaCenter) flags |= DT_VCENTER;
            else if (FVAlignment == vtaBottom) flags |= DT_BOTTOM;
            if (UseRightToLeftAlignment()) flags |= DT_RTLREADING;
            need = DrawText(canvas, text, r, flags);
        }
        need += CellGraphicSize(rc, aRow).cy;
        if (need + 2 > h) h = need + kCellMargin;
    }
    SetRowHeights(aRow, h);
}

void TGkStringGrid::SetRowHeightForLines(int aRow, int lines, int extra) {
    const int t = Canvas()->TextHeight("gh");
    SetRowHeights(aRow, (t + t / 4) * lines + extra);
}

int TGkStringGrid::MaxLinesInRow(int aRow) {
    if (ColCount() < 1 || !FMultilinecells || aRow < 0 || aRow >= RowCount()) return 1;
    int most = 1;
    for (int c = 0; c < ColCount(); ++c) most = std::max(most, LineCount(Cells(c, aRow), true));
    return most;
}

int TGkStringGrid::ExchangeRows(int r1, int r2) {
    const int before = FTrackedRow;
    if (r1 < 0 || r2 < 0 || r1 >= RowCount() || r2 >= RowCount() || r1 == r2) return before;
    const int h1 = RowHeights(r1), h2 = RowHeights(r2);
    std::swap(RowData()[r1], RowData()[r2]);
    if (h1 != h2) {
        SetRowHeights(r1, h2);
        SetRowHeights(r2, h1);
    }
    if (FMouseActions->DisjunctRowSelect) {
        const size_t need = static_cast<size_t>(std::max(r1, r2)) + 1;
        if (FRowMarks.size() < need) FRowMarks.resize(need, false);
        const bool m1 = FRowMarks[r1];
        FRowMarks[r1] = FRowMarks[r2];
        FRowMarks[r2] = m1;
    }
    if (FTrackedRow == r1) FTrackedRow = r2;
    else if (FTrackedRow == r2) FTrackedRow = r1;
    InvalidateRow(r1);
    InvalidateRow(r2);
    return before;
}

void TGkStringGrid::InvalidateGridRect(const TGridRect& r) { InvalidateRect(r); }

bool TGkStringGrid::IsCellSelected(int aCol, int aRow) const {
    const TGridRect s = Selection();
    return aCol >= s.Left && aCol <= s.Right && aRow >= s.Top && aRow <= s.Bottom;
}
