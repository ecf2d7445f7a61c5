// How TGkStringGrid draws its cells: colours, bands and selection, the
// background bitmap, markup, rich and plain text, the sort glyph, borders
// and the frames of fixed cells.
#include <algorithm>

#include "framework/controls/TextAttributes.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/rtl/StrUtils.h"
#include "gridkit/grid/BackGround.h"
#include "gridkit/grid/GkFunctions.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/MouseActions.h"
#include "gridkit/grid/SortIndexList.h"
#include "gridkit/markup/GkLineFit.h"
#include "gridkit/markup/GkMarkup.h"
#include "gridkit/markup/GkRichEdit.h"

namespace {

// Room the sort glyph takes in a heading.
constexpr int kGlyphRoom = 14;

unsigned VAlignFlag(TVAlignment v) {
    switch (v) {
    case vtaCenter: return DT_VCENTER;
    case vtaBottom: return DT_BOTTOM;
    default: return DT_TOP;
    }
}

int GlyphY(TVAlignment v, const TRect& r) {
    switch (v) {
    case vtaBottom: return r.Bottom - 8;
    case vtaCenter: return r.Top + (r.Bottom - r.Top) / 2;
    default: return r.Top + 8;
    }
}

// Drops the last character, not just its last byte.
void DropLastChar(String& s) {
    while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0x80) s.pop_back();
    if (!s.empty()) s.pop_back();
}

TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}

}  // namespace

void TGkStringGrid::SetZoomLevel(int v) {
    v = std::clamp(v, -10, 10);
    if (v == FZoomLevel) return;
    FZoomLevel = v;
    Invalidate();
}

void TGkStringGrid::SetBlinkPhase(bool v) {
    if (v == FBlinkPhase) return;
    FBlinkPhase = v;
    Invalidate();
}

void TGkStringGrid::BlinkTick() {
    FBlinkPhase = !FBlinkPhase;
    if (!EnableHTML) return;
    // Only the cells that blink are drawn again.
    auto blinks = [this](int c, int r) {
        const std::string_view text = CellText(RealColIndex(c), r);
        return text.find('<') != std::string_view::npos && UpperCase(String(text)).find("<BLINK") != String::npos;
    };
    auto each = [this](int fixed, int first, int visible, int count, auto&& fn) {
        for (int i = 0; i < fixed && i < count; ++i) fn(i);
        for (int i = first; i <= first + visible && i < count; ++i) fn(i);
    };
    each(FixedRows(), TopRow(), VisibleRowCount(), RowCount(), [&](int r) {
        each(FixedCols(), LeftCol(), VisibleColCount(), ColCount(), [&](int c) {
            if (blinks(c, r)) InvalidateCell(c, r);
        });
    });
}

void TGkStringGrid::Paint() {
    TStringGrid::Paint();
    // Cells that the hooks or the footer and right counts make fixed get
    // the lines the framework draws only around its own fixed cells.
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    const bool horz = Options() & goFixedHorzLine;
    const bool vert = Options() & goFixedVertLine;
    auto around = [&](const TRect& r) {
        if (r.IsEmpty()) return;
        if (horz) {
            canvas->MoveTo(r.Left, r.Bottom);
            canvas->LineTo(r.Right, r.Bottom);
        }
        if (vert) {
            canvas->MoveTo(r.Right, r.Top);
            canvas->LineTo(r.Right, r.Bottom);
            canvas->MoveTo(r.Left - 1, r.Top);
            canvas->LineTo(r.Left - 1, r.Bottom);
        }
    };
    const int c1 = std::max(LeftCol(), FixedCols());
    const int c2 = std::min(LeftCol() + VisibleColCount(), ColCount() - 1 - FFixedRightCols);
    const int r1 = std::max(TopRow(), FixedRows());
    const int r2 = std::min(TopRow() + VisibleRowCount(), RowCount() - 1 - FFixedFooters);
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c)
            if (CellIsFixed(RealColIndex(c), r)) around(CellRect(c, r));
    if (FFixedRightCols >= 1 && FFixedRightCols < ColCount())
        for (int c = ColCount() - 1; c >= ColCount() - FFixedRightCols; --c)
            for (int r = 0; r < RowCount(); ++r) around(CellRect(c, r));
    if (FFixedFooters >= 1 && FFixedFooters < RowCount()) {
        for (int r = RowCount() - 1; r >= RowCount() - FFixedFooters; --r) {
            const TRect last = CellRect(ColCount() - 1, r);
            if (horz && !last.IsEmpty()) {
                canvas->MoveTo(0, last.Top - 1);
                canvas->LineTo(last.Right, last.Top - 1);
                canvas->MoveTo(0, last.Bottom);
                canvas->LineTo(last.Right, last.Bottom);
            }
            if (vert)
                for (int c = 0; c < ColCount(); ++c) {
                    const TRect cr = CellRect(c, r);
                    if (cr.IsEmpty()) continue;
                    canvas->MoveTo(cr.Right, cr.Top);
                    canvas->LineTo(cr.Right, cr.Bottom);
                }
        }
    }
    PaintPanMarker();
}

void TGkStringGrid::DrawCell(int aCol, int aRow, const TRect& aRect, TGridDrawState aState) {
    const int col = RealColIndex(aCol);
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(aCol < FixedCols() || aRow < FixedRows() ? FFixedFont.get() : Font());
    const bool fixed = CellIsFixed(col, aRow);
    if (fixed) {
        canvas->Brush()->SetColor(FixedColor());
        aState = gdFixed;
    }
    GetCellColor(col, aRow, aState, canvas->Brush(), canvas->Font());
    if ((aState & gdSelected) && !(aState & gdFocused) && FSelectionColor == clNone)
        canvas->Brush()->SetColor(clHighlight);
    if (FZoomLevel != 0) canvas->Font()->SetSize(canvas->Font()->Size() + FZoomLevel);
    canvas->Brush()->SetStyle(bsSolid);
    if (DefaultDrawing()) DrawCellContents(col, aRow, aRect, aState);
    DrawCellBorders(col, aRow, aRect);
    if (fixed) {
        const bool horz = Options() & goFixedHorzLine;
        const bool vert = Options() & goFixedVertLine;
        if (Ctl3D) {
            TRect r = aRect;
            DrawEdge(canvas, r, BDR_RAISEDINNER, (vert ? BF_RIGHT : 0u) | (horz ? BF_BOTTOM : 0u));
            r = aRect;
            DrawEdge(canvas, r, BDR_RAISEDINNER, (vert ? BF_LEFT : 0u) | (horz ? BF_TOP : 0u));
        } else {
            canvas->Pen()->SetColor(clBlack);
            canvas->Pen()->SetWidth(1);
            const TRect& r = aRect;
            if (horz) {
                canvas->MoveTo(r.Left - 1, r.Top - 1);
                canvas->LineTo(r.Right + 1, r.Top - 1);
                canvas->MoveTo(r.Left - 1, r.Bottom + 1);
                canvas->LineTo(r.Right + 1, r.Bottom + 1);
            }
            if (vert) {
                canvas->MoveTo(r.Left - 1, r.Top - 1);
                canvas->LineTo(r.Left - 1, r.Bottom + 1);
                canvas->MoveTo(r.Right + 1, r.Top - 1);
                canvas->LineTo(r.Right + 1, r.Bottom + 1);
            }
        }
    }
    if (OnDrawCell) OnDrawCell(this, aCol, aRow, aRect, aState);
    // The framework inverts a focus frame over the current cell after this;
    // inverting it here first leaves nothing. Only where it will draw one.
    if (HideFocusRect && (aState & gdFocused) && DefaultDrawing() && !EditorMode() &&
        !(Options() & goRowSelect))
        canvas->DrawFocusRect(aRect);
}

void TGkStringGrid::DrawCellContents(int aCol, int aRow, const TRect& aRect, TGridDrawState aState) {
    TCanvas* canvas = Canvas();
    const bool drawFocusSelected = Options() & goDrawFocusSelected;
    const bool marked = aRow >= 0 && aRow < static_cast<int>(FRowMarks.size()) && FRowMarks[aRow];
    TColor urlColor = FURLColor;
    const bool selected =
        ((aState & gdSelected) || (marked && (Options() & goRowSelect) && aCol >= FixedCols())) &&
        (!(aState & gdFocused) || drawFocusSelected);
    if (selected) {
        if (FSelectionColor != clNone) canvas->Brush()->SetColor(FSelectionColor);
        if (FSelectionTextColor != clNone) {
            canvas->Font()->SetColor(FSelectionTextColor);
            urlColor = FSelectionTextColor;
        }
        if (!Focused() && !FShowSelection) {
            canvas->Brush()->SetColor(Color());
            canvas->Font()->SetColor(Font()->Color());
            urlColor = FURLColor;
        }
    }

    String text = Cells(aCol, aRow);
    const TCellTextKind kind = TextKind(text, EnableHTML);
    if (kind == TCellTextKind::Formula) text = GetDisplayText(aCol, aRow);
    if (CellIsPassword(aCol, aRow)) text = FillChars(text, PasswordChar);

    if (aCol >= FixedCols() && aRow >= FixedRows() && FMouseActions->DisjunctRowSelect && !marked &&
        !FMarksClearedByPress) {
        canvas->Brush()->SetColor(Color());
        canvas->Font()->SetColor(Font()->Color());
        GetCellColor(aCol, aRow, aState, canvas->Brush(), canvas->Font());
    }

    TRect r = aRect;
    const bool selectionLook = (((aState & gdSelected) && !(aState & gdFocused)) ||
                                ((aState & gdFocused) && drawFocusSelected)) &&
                               FShowSelection;
    if (!FBackGround->Bitmap()->Empty() && !(aState & gdFixed) && !selectionLook) {
        if (FBackGround->Display() == bdTile) DrawBackgroundTiled(aCol, aRow, r);
        else DrawBackgroundFixed(r);
    } else {
        canvas->FillRect(r);
    }

    if (FSelectionRectangle) {
        const TGridRect s = Selection();
        if (aCol >= s.Left && aCol <= s.Right && aRow >= s.Top && aRow <= s.Bottom) {
            TPen* pen = canvas->Pen();
            pen->SetColor(clBlack);
            pen->SetWidth(2);
            auto line = [canvas](int x1, int y1, int x2, int y2) {
                canvas->MoveTo(x1, y1);
                canvas->LineTo(x2, y2);
            };
            if (aCol == s.Left) line(r.Left + 1, r.Bottom - 1, r.Left + 1, r.Top + 1);
            if (aCol == s.Right) line(r.Right - 1, r.Bottom - 1, r.Right - 1, r.Top + 1);
            if (aRow == s.Top) line(r.Left + 1, r.Top + 1, r.Right - 1, r.Top + 1);
            if (aRow == s.Bottom) line(r.Left + 1, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
            pen->SetWidth(1);
        }
    }

    const bool glyph = SortGlyphShows(aCol, aRow);
    if (kind == TCellTextKind::Markup) {
        const TRect m = MarkupPlace(aRect, text);
        TMarkupParams p;
        p.Canvas = canvas;
        p.Text = text;
        p.Rect = m;
        p.URLColor = urlColor;
        p.Images = FGridImages;
        p.BlinkOn = FBlinkPhase;
        TMarkupResult res;
        RenderMarkup(p, res);
        if (glyph) DrawSortGlyph(canvas, aCol, m.Left + res.Width + 8, GlyphY(FVAlignment, m));
        return;
    }
    if (kind == TCellTextKind::RichText) {
        canvas->Pen()->SetColor(canvas->Brush()->Color());
        if (!((aState & gdSelected) && !(aState & gdFocused) && FSelectionColor == clNone))
            canvas->Rectangle(aRect);
        canvas->Brush()->SetStyle(bsClear);
        DrawRichCell(aCol, aRow, aRect, canvas);
        canvas->Brush()->SetStyle(bsSolid);
        return;
    }

    const TAlignment a = CellAlignment(aCol, aRow);
    r.Left += 2;
    r.Right -= 2;
    const bool sortHeading = aRow == 0 && FSortShow && aCol == FSortColumn;
    if (a == taCenter && sortHeading) r.Left += 10;
    int avail = r.Right - r.Left;
    if (sortHeading) avail -= kGlyphRoom;
    if (FURLShow && IsURL(Cells(aCol, aRow))) {
        canvas->Font()->SetStyle(canvas->Font()->Style() | fsUnderline);
        canvas->Font()->SetColor(urlColor);
    }
    String shown;
    unsigned extra = 0;
    // A long line is cut to what the cell can show before anything measures
    // it: its start when it is cut with an ellipsis or wraps (as many lines
    // as the cell holds), else the side its alignment puts in view.
    const TLineSide side = EnhTextSize || FWordWrap ? lsHead
                           : a == taRightJustify    ? lsTail
                           : a == taCenter          ? lsMiddle
                                                    : lsHead;
    const int reach = FWordWrap ? avail * (r.Height() / std::max(1, canvas->TextHeight("Wg")) + 1) : avail;
    if (LineCount(text, FMultilinecells) == 1) {
        shown = FitCellText(VisibleLinePart(canvas, FirstLine(text), reach, side), avail);
        if (!FWordWrap) extra = DT_SINGLELINE;
    } else if (text.size() <= GkLongLine) {
        shown = text;
    } else {
        for (size_t at = 0;;) {
            const size_t br = text.find('\r', at);
            shown += VisibleLinePart(canvas, text.substr(at, br == String::npos ? String::npos : br - at), reach, side);
            if (br == String::npos) break;
            shown += "\r\n";
            at = br + 1 < text.size() && text[br + 1] == '\n' ? br + 2 : br + 1;
        }
    }
    unsigned flags = DT_NOPREFIX | DT_EXPANDTABS | DT_NOCLIP | VAlignFlag(FVAlignment) | extra;
    if (FWordWrap) flags |= DT_WORDBREAK | DT_EDITCONTROL;
    else if (!FMultilinecells) flags |= DT_SINGLELINE;
    if (a == taRightJustify) flags |= DT_RIGHT;
    else if (a == taCenter) flags |= DT_CENTER;
    if (UseRightToLeftAlignment()) flags |= DT_RTLREADING;
    canvas->Brush()->SetStyle(bsClear);
    DrawText(canvas, shown, r, flags);
    canvas->Brush()->SetStyle(bsSolid);
    if (glyph) {
        const int w = canvas->TextWidth(shown);
        int x = aRect.Left + w + 10;
        if (a == taRightJustify) x = aRect.Right - w - kGlyphRoom;
        else if (a == taCenter) x = aRect.Left + 8;
        DrawSortGlyph(canvas, aCol, x, GlyphY(FVAlignment, aRect));
    }
}

String TGkStringGrid::CellAnchorAt(int aCol, int aRow, int x, int y) {
    if (aCol < 0 || aRow < 0 || aCol >= ColCount() || aRow >= RowCount()) return String();
    const int col = RealColIndex(aCol);
    const String text = Cells(col, aRow);
    if (TextKind(text, EnableHTML) != TCellTextKind::Markup) return String();
    const TRect cell = CellRect(aCol, aRow);
    if (cell.IsEmpty()) return String();
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(aCol < FixedCols() || aRow < FixedRows() ? FFixedFont.get() : Font());
    GetCellColor(col, aRow, 0, canvas->Brush(), canvas->Font());
    if (FZoomLevel != 0) canvas->Font()->SetSize(canvas->Font()->Size() + FZoomLevel);
    TMarkupParams p;
    p.Canvas = canvas;
    p.Text = text;
    p.Rect = MarkupPlace(cell, text);
    p.MouseX = x;
    p.MouseY = y;
    p.URLColor = FURLColor;
    p.Images = FGridImages;
    p.NoDraw = true;
    p.KeepColors = true;
    TMarkupResult res;
    return RenderMarkup(p, res) ? res.Anchor : String();
}

TRect TGkStringGrid::MarkupPlace(const TRect& cell, const String& text) {
    // Markup lines up with plain text in the same row: 2 pixels in from
    // the left, and placed up and down by VAlignment within the cell.
    TRect m{cell.Left + 2, cell.Top, cell.Right, cell.Bottom};
    if (FVAlignment == vtaTop) return m;
    const int h = MeasureMarkup(text, TRect{0, 0, m.Width(), 65535}).cy;
    if (FVAlignment == vtaCenter)
        m.Top += std::max(0, (cell.Height() - h) / 2);
    else
        m.Top = std::max(cell.Top, cell.Bottom - h);
    return m;
}

bool TGkStringGrid::SortGlyphShows(int aCol, int aRow) const {
    return FSortShow && (aCol == FSortColumn || FSortIndexList->FindIndex(aCol) >= 0) && aRow == 0 &&
           FixedRows() > 0 && (aCol >= FixedCols() || SortFixedCols);
}

String TGkStringGrid::FitCellText(const String& text, int width) {
    String t = text;
    if (FURLShow && !FURLFull && IsURL(t)) t = StripURLProtocol(t);
    TCanvas* canvas = Canvas();
    if (EnhTextSize && canvas->TextWidth(t) > width) {
        while (!t.empty() && canvas->TextWidth(t + "...") > width) DropLastChar(t);
        if (!t.empty()) t += "...";
    }
    return t;
}

void TGkStringGrid::DrawSortGlyph(TCanvas* canvas, int aCol, int x, int y) {
    if (FSortIndexShow) {
        const int i = FSortIndexList->FindIndex(aCol);
        if (i < 0) return;
        TBrush savedBrush;
        savedBrush.Assign(canvas->Brush());
        TFont savedFont;
        savedFont.Assign(canvas->Font());
        canvas->Brush()->SetColor(clYellow);
        canvas->Brush()->SetStyle(bsSolid);
        if (!TSortIndexList::Ascending(FSortIndexList->Items(i)))
            canvas->Polygon({Point(x - 7, y - 5), Point(x + 7, y - 5), Point(x, y + 8)});
        else
            canvas->Polygon({Point(x - 6, y + 8), Point(x + 6, y + 8), Point(x, y - 4)});
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(clBlack);
        canvas->Font()->SetSize(5);
        canvas->TextOut(x - 2, y - 4, IntToStr(i + 1));
        canvas->Font()->Assign(&savedFont);
        canvas->Brush()->Assign(&savedBrush);
        return;
    }
    TBitmap* picture = SortDirection == sdAscending ? FSortUpGlyph.get() : FSortDownGlyph.get();
    if (!FSortUpGlyph->Empty() && !FSortDownGlyph->Empty()) {
        picture->SetTransparentMode(tmAuto);
        picture->SetTransparent(true);
        canvas->Draw(x - 4, y - 4, picture);
        canvas->Brush()->SetColor(FixedColor());
        return;
    }
    TPen* pen = canvas->Pen();
    pen->SetWidth(1);
    pen->SetStyle(psSolid);
    if (SortDirection == sdAscending) {
        pen->SetColor(clWhite);
        canvas->MoveTo(x - 4, y + 4);
        canvas->LineTo(x + 4, y + 4);
        canvas->LineTo(x, y - 4);
        pen->SetColor(clGray);
        canvas->LineTo(x - 4, y + 4);
    } else {
        pen->SetColor(clWhite);
        canvas->MoveTo(x + 4, y - 4);
        canvas->LineTo(x, y + 4);
        pen->SetColor(clGray);
        canvas->LineTo(x - 4, y - 4);
        canvas->LineTo(x + 4, y - 4);
    }
    pen->SetColor(clBlack);
}

void TGkStringGrid::DrawCellBorders(int aCol, int aRow, const TRect& aRect) {
    TCanvas* canvas = Canvas();
    TPen saved;
    saved.Assign(canvas->Pen());
    TPen* pen = canvas->Pen();
    pen->SetColor(clBlack);
    pen->SetWidth(1);
    pen->SetStyle(psSolid);
    TCellBorders borders = 0;
    GetCellBorder(aCol, aRow, pen, borders);
    if (borders) {
        const int h = pen->Width() / 2;
        const int l = aRect.Left + h, t = aRect.Top + h, r = aRect.Right - h, b = aRect.Bottom - h;
        auto line = [canvas](int x1, int y1, int x2, int y2) {
            canvas->MoveTo(x1, y1);
            canvas->LineTo(x2, y2);
        };
        if (borders & cbLeft) line(l, t, l, b);
        if (borders & cbRight) line(r - 1, t, r - 1, b);
        if (borders & cbTop) line(l, t, r, t);
        if (borders & cbBottom) line(l, b - 1, r, b - 1);
    }
    canvas->Pen()->Assign(&saved);
}

void TGkStringGrid::DrawRichCell(int aCol, int aRow, const TRect& aRect, TCanvas* canvas) {
    LoadRichCell(Cells(aCol, aRow));
    const TGridRect s = Selection();
    const bool inSelection = aCol >= s.Left && aCol <= s.Right && aRow >= s.Top && aRow <= s.Bottom;
    const bool focusedCell = aCol == Col() && aRow == Row() && Focused() && !(Options() & goDrawFocusSelected);
    if (inSelection && !focusedCell && !SelectionRTFKeep && FSelectionTextColor != clNone) {
        // Selected, the text takes the selection's text colour unless the
        // cell keeps its own colours.
        FRichEdit->SetSelStart(0);
        FRichEdit->SetSelLength(255);
        FRichEdit->SelAttributes()->SetColor(FSelectionTextColor);
    }
    // The text starts 2 pixels in from the cell's left and top edges.
    FRichEdit->FormatRange(canvas, TRect{aRect.Left + 2, aRect.Top + 2, aRect.Right, aRect.Bottom});
}

void TGkStringGrid::DrawBackgroundFixed(const TRect& r) {
    TBitmap* bitmap = FBackGround->Bitmap();
    const int left = FBackGround->Left(), top = FBackGround->Top();
    const TRect placed{left, top, left + bitmap->Width(), top + bitmap->Height()};
    const TRect part = Intersect(r, placed);
    if (part.IsEmpty()) return;
    Canvas()->CopyRect(part, bitmap->Canvas(),
                       TRect{part.Left - left, part.Top - top, part.Right - left, part.Bottom - top});
}

void TGkStringGrid::DrawBackgroundTiled(int aCol, int aRow, const TRect& r) {
    TBitmap* bitmap = FBackGround->Bitmap();
    const int w = bitmap->Width(), h = bitmap->Height();
    if (w <= 0 || h <= 0) return;
    // The tiling starts at the first normal cell and follows the cells as
    // they scroll.
    long long dx = 0, dy = 0;
    for (int c = FixedCols(); c < aCol; ++c) dx += ColWidths(c);
    for (int rr = FixedRows(); rr < aRow; ++rr) dy += RowHeights(rr);
    const int phaseX = static_cast<int>(dx % w), phaseY = static_cast<int>(dy % h);
    TCanvas* canvas = Canvas();
    TCanvas* source = bitmap->Canvas();
    for (int y = r.Top, sy = phaseY; y < r.Bottom; y += h - sy, sy = 0) {
        for (int x = r.Left, sx = phaseX; x < r.Right; x += w - sx, sx = 0) {
            const TRect dest = Intersect(TRect{x, y, x + w - sx, y + h - sy}, r);
            if (dest.IsEmpty()) continue;
            canvas->CopyRect(dest, source,
                             TRect{sx, sy, sx + dest.Width(), sy + dest.Height()});
        }
    }
}
