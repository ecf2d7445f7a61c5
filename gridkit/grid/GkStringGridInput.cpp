// The grid's keyboard and mouse: clipboard and row keys, presses and
// releases (fixed cells as buttons, anchors, selection by fixed cells,
// direct editing, header sorting), double-click sizing, the cursor zones,
// hover, the wheel, zoom and middle-button panning.
#include <algorithm>
#include <cstdlib>

#include "framework/classes/Strings.h"
#include "framework/controls/Application.h"
#include "framework/controls/DragImage.h"
#include "framework/controls/Mouse.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/DrawText.h"
#include "framework/grids/InplaceEdit.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/ShellOpener.h"
#include "gridkit/editors/GridCombo.h"
#include "gridkit/grid/ArrowWindow.h"
#include "gridkit/grid/ColumnSize.h"
#include "gridkit/grid/GkFunctions.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/MouseActions.h"
#include "gridkit/grid/Navigation.h"

namespace {

// A press this close to a selected cell's edge picks the selection up.
constexpr int kDragEdge = 2;
// Within this many pixels of a column border a header click sizes.
constexpr int kSizeEdge = 4;
constexpr int kPanDeadZone = 5;
constexpr int kMarkerSize = 32;

bool IsArrowKey(Word key) { return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN; }

// The cursors and pan markers are drawn here rather than loaded: the
// program carries no resource section.
void DrawArrowHead(TCanvas* c, int cx, int cy, int dx, int dy) {
    // A small filled triangle pointing along (dx, dy).
    const int px = -dy, py = dx;
    c->Polygon({{cx + dx * 5, cy + dy * 5}, {cx + px * 4, cy + py * 4}, {cx - px * 4, cy - py * 4}});
}

std::unique_ptr<TBitmap> NewCanvasBitmap(int size) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(size, size);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect{0, 0, size, size});
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clBlack);
    b->SetTransparentColor(clWhite);
    b->SetTransparent(true);
    return b;
}

// The pan cursors: a ring with the direction's arrow (dx, dy) or, for
// none, arrows on all four sides.
std::unique_ptr<TBitmap> PanCursorBitmap(int dx, int dy) {
    auto b = NewCanvasBitmap(32);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clWhite);
    c->Ellipse(12, 12, 21, 21);
    c->Brush()->SetColor(clBlack);
    if (dx == 0 && dy == 0) {
        DrawArrowHead(c, 16, 6, 0, -1);
        DrawArrowHead(c, 16, 26, 0, 1);
        DrawArrowHead(c, 6, 16, -1, 0);
        DrawArrowHead(c, 26, 16, 1, 0);
    } else {
        DrawArrowHead(c, 16 + dx * 10, 16 + dy * 10, dx, dy);
    }
    return b;
}

// The marker left at the pan origin: arrows for the directions it pans.
std::unique_ptr<TBitmap> PanMarkerBitmap(TIntelliPan pan) {
    auto b = NewCanvasBitmap(kMarkerSize);
    TCanvas* c = b->Canvas();
    c->Pen()->SetColor(clGray);
    c->Brush()->SetColor(clSilver);
    c->Ellipse(0, 0, kMarkerSize, kMarkerSize);
    c->Brush()->SetColor(clBlack);
    c->Ellipse(13, 13, 19, 19);
    if (pan != ipHorizontal) {
        DrawArrowHead(c, 16, 5, 0, -1);
        DrawArrowHead(c, 16, 27, 0, 1);
    }
    if (pan != ipVertical) {
        DrawArrowHead(c, 5, 16, -1, 0);
        DrawArrowHead(c, 27, 16, 1, 0);
    }
    return b;
}

std::unique_ptr<TBitmap> ZoneCursorBitmap(int zone) {
    auto b = NewCanvasBitmap(32);
    TCanvas* c = b->Canvas();
    if (zone == 1) {  // a column: pointing down
        c->Polygon({{13, 2}, {19, 2}, {19, 18}, {24, 18}, {16, 28}, {8, 18}, {13, 18}});
    } else if (zone == 2) {  // a row: pointing right
        c->Polygon({{2, 13}, {2, 19}, {18, 19}, {18, 24}, {28, 16}, {18, 8}, {18, 13}});
    } else {  // everything: pointing down and right
        c->Polygon({{4, 4}, {20, 8}, {15, 12}, {26, 23}, {23, 26}, {12, 15}, {8, 20}});
    }
    return b;
}

TCursor PanCursorFor(int dx, int dy) {
    if (dx == 0 && dy == 0) return 8000;
    if (dx == 0) return dy > 0 ? 8001 : 8004;
    if (dy == 0) return dx > 0 ? 8003 : 8002;
    if (dy > 0) return dx > 0 ? 8007 : 8008;
    return dx > 0 ? 8005 : 8006;
}

}  // namespace

void TGkStringGrid::RegisterGridCursors() {
    if (!Screen || Screen->HasCursor(crGkAllSelect)) return;
    struct TDir {
        TCursor Id;
        int Dx, Dy;
    };
    for (const TDir& d : {TDir{8000, 0, 0}, TDir{8001, 0, 1}, TDir{8002, -1, 0}, TDir{8003, 1, 0},
                          TDir{8004, 0, -1}, TDir{8005, 1, -1}, TDir{8006, -1, -1}, TDir{8007, 1, 1},
                          TDir{8008, -1, 1}})
        Screen->SetCursorImage(d.Id, PanCursorBitmap(d.Dx, d.Dy).get(), 16, 16);
    Screen->SetCursorImage(crGkColSelect, ZoneCursorBitmap(1).get(), 16, 28);
    Screen->SetCursorImage(crGkRowSelect, ZoneCursorBitmap(2).get(), 28, 16);
    Screen->SetCursorImage(crGkAllSelect, ZoneCursorBitmap(3).get(), 4, 4);
}

// ---- updates -------------------------------------------------------------

void TGkStringGrid::BeginUpdate() { ++FUpdateCount; }

void TGkStringGrid::EndUpdate() {
    if (FUpdateCount <= 0) return;
    if (--FUpdateCount == 0) Invalidate();
}

// ---- keys -----------------------------------------------------------------

void TGkStringGrid::KeyDown(Word& key, TShiftState shift) {
    FCaretClickSet = false;  // an editor the keyboard opens has no click to follow
    const int c = Col(), r = Row();
    const TGridRect oldSel = Selection();
    TStringGrid::KeyDown(key, shift);
    // A keyboard move is a click on the new cell, as the mouse's is.
    if (Col() != c || Row() != r) Click();
    // A key the application's OnKeyDown swallowed (or navigation used) is
    // not the grid's to act on again.
    const Word pressed = key;
    if (pressed == 0) {
        if (FSelectionRectangle && !(Selection() == oldSel)) Invalidate();
        return;
    }

    const bool ctrl = shift & ssCtrl, shiftKey = shift & ssShift, alt = shift & ssAlt;
    TNavigation* nav = FNavigation.get();
    if (nav->AllowClipboardShortCuts) {
        bool allow = true;
        if ((ctrl && pressed == 'X') || (shiftKey && pressed == VK_DELETE)) {
            if (OnClipboardCut) OnClipboardCut(this, allow);
            if (allow) CutSelection();
            key = 0;
            return;
        }
        if ((ctrl && pressed == 'V') || (shiftKey && pressed == VK_INSERT)) {
            if (OnClipboardPaste) OnClipboardPaste(this, allow);
            if (allow) PasteIntoSelection();
            key = 0;
            return;
        }
        if ((ctrl && pressed == 'C') || (ctrl && pressed == VK_INSERT)) {
            if (OnClipboardCopy) OnClipboardCopy(this, allow);
            if (allow) CopySelection();
            key = 0;
            return;
        }
    }
    if (pressed == VK_INSERT && nav->AllowInsertRow && !ctrl && !shiftKey && !alt) {
        bool allow = true;
        if (OnCanInsertRow) OnCanInsertRow(this, Row(), allow);
        if (allow) {
            const int at = Row();
            if (nav->InsertPosition == pInsertAfter) {
                InsertRowRange(at + 1, 1);
                if (OnAutoInsertRow) OnAutoInsertRow(this, at + 1);
                SetRow(at + 1);
            } else {
                InsertRowRange(at, 1);
                if (OnAutoInsertRow) OnAutoInsertRow(this, at);
            }
        }
        key = 0;
    } else if (pressed == VK_DELETE && nav->AllowDeleteRow && !alt &&
               RowCount() - FixedRows() - FFixedFooters >= 1 && Row() >= FixedRows() &&
               Row() < RowCount() - FFixedFooters) {
        // A current row outside the data rows (the grid has none to show)
        // is never deleted: the footers are not the user's rows.
        bool allow = true;
        if (OnCanDeleteRow) OnCanDeleteRow(this, Row(), allow);
        if (allow) {
            const int at = Row();
            const int dataRows = RowCount() - FixedRows() - FFixedFooters;
            if (dataRows > 1) {
                DeleteRowRange(at, 1);
            } else {
                // The last data row stays, empty, so the grid keeps a row
                // to type into.
                ClearCellRect(0, at, ColCount() + FHiddenCols - 1, at);
                InvalidateRow(at);
            }
            // The framework may already have pulled the current row back
            // inside; the notice still names the row that went.
            if (at >= RowCount() - FFixedFooters && RowCount() - FixedRows() - FFixedFooters > 1) {
                if (Row() != at - 1) SetRow(at - 1);
                if (OnAutoDeleteRow) OnAutoDeleteRow(this, at);
            } else if (OnAutoDeleteRow) {
                OnAutoDeleteRow(this, Row());
            }
        }
        key = 0;
    }
    if (FSelectionRectangle && !(Selection() == oldSel)) Invalidate();
}

void TGkStringGrid::KeyUp(Word& key, TShiftState shift) {
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE: FLookupText.clear(); break;
    default: break;
    }
    const Word pressed = key;
    TStringGrid::KeyUp(key, shift);
    if (IsArrowKey(pressed) && FNavigation->AlwaysEdit) ShowEditor();
}

// ---- press, release, double click -----------------------------------------

TSelectZone TGkStringGrid::ZoneAt(int x, int y) {
    using enum TSelectZone;
    if (HasState(csDesigning)) return None;
    const TGridCoord cell = MouseCoord(x, y);
    if (cell.X < 0 || cell.Y < 0) return None;
    if (cell.X < FixedCols() && cell.Y < FixedRows()) return FMouseActions->AllSelect ? All : None;
    if (IsOnSizingEdge(x, y)) return None;
    if (cell.Y < FixedRows() && cell.X >= FixedCols() && FMouseActions->ColSelect) return Column;
    if (cell.X < FixedCols() && cell.Y >= FixedRows() && FMouseActions->RowSelect) return Row;
    return None;
}

String TGkStringGrid::AnchorAt(const TGridCoord& cell, int x, int y) {
    if (cell.X < 0 || cell.Y < 0) return String();
    const String text = Cells(RealColIndex(cell.X), cell.Y);
    if (TextKind(text, EnableHTML) == TCellTextKind::Markup) return CellAnchorAt(cell.X, cell.Y, x, y);
    if (FURLShow && IsURL(text)) return text;
    return String();
}

void TGkStringGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbRight) {
        TStringGrid::MouseDown(button, shift, x, y);
        const TGridCoord cell = MouseCoord(x, y);
        if (cell.X < 0) return;
        if (OnRightClickCell) OnRightClickCell(this, cell.Y, cell.X);
        if (FURLShow && URLEdit && IsURL(Cells(RealColIndex(cell.X), cell.Y)) &&
            cell.X >= FixedCols() && cell.Y >= FixedRows()) {
            // The link cannot be clicked open for editing, so the right
            // button edits it.
            FocusCell(cell.X, cell.Y, true);
            ShowEditor();
        }
        return;
    }
    if (button != mbLeft) {
        TStringGrid::MouseDown(button, shift, x, y);
        return;
    }
    FLookupText.clear();
    const TGridCoord cell = MouseCoord(x, y);
    const bool inside = cell.X >= 0 && cell.Y >= 0;
    const bool dataCell = inside && cell.X >= FixedCols() && cell.Y >= FixedRows();

    // Remembered before the base grid acts, because its click may open the
    // editor, which then asks where the caret belongs.
    FCaretClickSet = false;
    if (FMouseActions->CaretPositioning && dataCell) {
        FCaretClickSet = true;
        FCaretClickCell = cell;
        // The user aimed at the text as the grid drew it, before any
        // editor covered the cell.
        FCaretClickChar = CharAtCellX(cell.X, cell.Y, x);
    }

    bool hookFixed = false;
    if (inside) IsFixedCell(RealColIndex(cell.X), cell.Y, hookFixed);
    const bool fixedCell = inside && (!dataCell || hookFixed);
    if (fixedCell && FixedAsButtons && (Options() & goFixedVertLine) && (Options() & goFixedHorzLine)) {
        FPressedFixed = cell;
        InvalidateCell(cell.X, cell.Y);
    }

    FMouseDownPt = TPoint{x, y};
    FMouseDownCell = cell;
    FSizedOrMoved = false;

    if (!HasState(csDesigning) && inside) {
        if (hookFixed) {
            if (OnClickCell) OnClickCell(this, cell.Y, cell.X);
            return;
        }
        if (OleDropSource && IsCellSelected(cell.X, cell.Y)) {
            const TRect r = CellRect(cell.X, cell.Y);
            if (x - r.Left < kDragEdge || r.Right - 1 - x < kDragEdge || y - r.Top < kDragEdge ||
                r.Bottom - 1 - y < kDragEdge) {
                StartOleDrag(cell.X, cell.Y);
                return;
            }
        }
    }

    if (inside) {
        const TRect r = CellRect(Col(), Row());
        FClickOffset = TPoint{x - r.Left, y - r.Top};
    }

    if (FMouseActions->DisjunctRowSelect && dataCell) {
        if (!(shift & ssCtrl)) ClearRowMarks();
        else if (RowMarked(cell.Y)) FUnmarkRow = cell.Y;
    }

    // The second press of a double click does not open the link again.
    if (inside && !(shift & ssDouble)) {
        const String anchor = AnchorAt(cell, x, y);
        if (!anchor.empty()) {
            bool autoHandle = true;
            if (OnAnchorClick) OnAnchorClick(this, cell.Y, cell.X, anchor, autoHandle);
            if (autoHandle) {
                if (UpperCase(anchor).find("CELL://") == String::npos) {
                    // Failures are not reported: a link that does not open
                    // is no error of the grid's.
                    ShellOpen(anchor);
                } else {
                    int refCol = 0, refRow = 0;
                    if (ParseRowCol(Copy(anchor, 8, static_cast<int>(anchor.size())), refCol, refRow) &&
                        refCol >= 0 && refRow >= 0 && refCol < ColCount() && refRow < RowCount()) {
                        SetRow(refRow);
                        SetCol(refCol);
                        CenterCellInView(refCol, refRow);
                    }
                }
            }
            return;
        }
    }

    FSelectZone = ZoneAt(x, y);
    if ((Options() & goRangeSelect) && FSelectZone != TSelectZone::None && inside) {
        const int lastCol = ColCount() - 1 - FFixedRightCols, lastRow = RowCount() - 1 - FFixedFooters;
        bool selected = true;
        if (FSelectZone == TSelectZone::All && FMouseActions->AllSelect)
            SetSelection({FixedCols(), FixedRows(), lastCol, lastRow});
        else if (FSelectZone == TSelectZone::Row && FMouseActions->RowSelect && cell.Y <= lastRow)
            SetSelection({FixedCols(), cell.Y, lastCol, cell.Y});
        else if (FSelectZone == TSelectZone::Column && FMouseActions->ColSelect && cell.X <= lastCol)
            SetSelection({cell.X, FixedRows(), cell.X, lastRow});
        else
            selected = false;
        if (selected) {
            // Ends the edit as leaving the grid would.
            if (FEntered) ValidateCell(String());
            CloseCellEditor(Col(), Row());
            HideEditor();
        }
    }

    const bool editable = (Options() & goEditing) && dataCell && CellIsEditable(cell.X, cell.Y);
    const bool direct = editable && FMouseActions->DirectEdit;
    if (direct) HideEditor();

    TStringGrid::MouseDown(button, shift, x, y);
    if (GridState() == gsColSizing || GridState() == gsRowSizing) {
        // Noted so that the release can tell whether a size changed.
        const TGridCoord left = MouseCoord(x - kSizeEdge, y);
        const TGridCoord above = MouseCoord(x, y - kSizeEdge);
        FPressSizeCol = GridState() == gsColSizing ? left.X : -1;
        FPressSizeRow = GridState() == gsRowSizing ? above.Y : -1;
        if (FPressSizeCol >= 0) FPressSizeColStart = ColWidths(FPressSizeCol);
        if (FPressSizeRow >= 0) FPressSizeRowStart = RowHeights(FPressSizeRow);
    }
    if (inside && OnClickCell) OnClickCell(this, cell.Y, cell.X);

    if (direct) {
        const TRect r = CellRect(cell.X, cell.Y);
        if (x - r.Left >= kSizeEdge && r.Right - x >= kSizeEdge) ShowEditor();
    }
}

void TGkStringGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button != mbLeft) {
        TStringGrid::MouseUp(button, shift, x, y);
        return;
    }
    const TGridState state = GridState();
    HideMoveArrows();
    if (FPressedFixed.X >= 0) {
        InvalidateCell(FPressedFixed.X, FPressedFixed.Y);
        FPressedFixed = {-1, -1};
    }
    const TGridCoord cell = MouseCoord(x, y);
    if (FMouseActions->DisjunctRowSelect && cell.X >= FixedCols() && cell.Y >= FixedRows()) {
        MarkSelectedRows();
        if (FUnmarkRow >= 0 && FUnmarkRow < RowCount()) SetRowMarked(FUnmarkRow, false);
    }
    FUnmarkRow = -1;
    if ((state == gsColMoving || state == gsRowMoving) && HandleAllocated()) KillTimer(Handle(), kMoveTimer);

    TStringGrid::MouseUp(button, shift, x, y);

    // A sizing drag ends here: the end-of-sizing bookkeeping runs once,
    // with the size the column had when the press began.
    if (FPressSizeCol >= 0 && FPressSizeCol < ColCount() && ColWidths(FPressSizeCol) != FPressSizeColStart) {
        FSizingCol = FPressSizeCol;
        FSizingColStart = FPressSizeColStart;
        FSizedOrMoved = true;
        ColWidthsChanged();
    }
    if (FPressSizeRow >= 0 && FPressSizeRow < RowCount() && RowHeights(FPressSizeRow) != FPressSizeRowStart) {
        FSizingRow = FPressSizeRow;
        FSizingRowStart = FPressSizeRowStart;
        FSizedOrMoved = true;
        RowHeightsChanged();
    }
    FPressSizeCol = FPressSizeRow = -1;

    const bool sizedOrMoved = FSizedOrMoved || state == gsColSizing || state == gsRowSizing ||
                              state == gsColMoving || state == gsRowMoving;
    FSizedOrMoved = false;
    if (sizedOrMoved || cell.X < 0 || cell.Y < 0) return;
    if (cell.X < FixedCols() && !SortFixedCols) return;
    const int column = RealColIndex(cell.X);
    if (FDblClkSized) {
        FDblClkSized = false;
        return;
    }
    if (cell.Y == 0 && (Options() & goColSizing)) {
        const TRect r = CellRect(cell.X, cell.Y);
        if (x - r.Left < kSizeEdge || r.Right - x <= kSizeEdge) return;
    }
    if (cell.Y == 0 && FMouseDownCell.Y == 0 && FixedRows() > 0 && FSortShow && RowCount() >= 3)
        ClickSort(column, shift);  // OnCanSort, the sort and OnClickSort
}

void TGkStringGrid::DoubleClickAt(int x, int y, bool& handled) {
    handled = false;
    const TGridCoord cell = MouseCoord(x, y);
    if (cell.X < 0 || cell.Y != 0 || !(Options() & goColSizing)) return;
    const TRect r = CellRect(cell.X, cell.Y);
    if (x - r.Left < kSizeEdge) {
        if (cell.X - 1 >= FixedCols()) AutoSizeColumn(cell.X - 1);
        FDblClkSized = handled = true;
    } else if (r.Right - x <= kSizeEdge) {
        if (cell.X >= FixedCols()) AutoSizeColumn(cell.X);
        FDblClkSized = handled = true;
    }
}

// ---- mouse move, cursors, hints ------------------------------------------------

void TGkStringGrid::SetInputCursor(TCursor c) {
    if (!FCursorTaken) {
        FOwnCursor = Cursor();
        FCursorTaken = true;
    }
    if (Cursor() != c) SetCursor(c);
}

void TGkStringGrid::RestoreInputCursor() {
    if (!FCursorTaken) return;
    FCursorTaken = false;
    SetCursor(FOwnCursor);
}

void TGkStringGrid::HideMoveArrows() {
    for (TWinControl* a : FArrows)
        if (a) a->SetVisible(false);
    if (FMoveImage) FMoveImage->Hide();
}

void TGkStringGrid::ShowMoveImage(int x, int y) {
    const bool columns = GridState() == gsColMoving;
    const int index = columns ? FMouseDownCell.X : FMouseDownCell.Y;
    if (index < 0) return;
    if (!FMoveImage) FMoveImage = std::make_unique<TDragImage>();
    if (!FMoveImage->Showing()) {
        // The heading of the column (row) as it is drawn, taken where the
        // mouse took it.
        const int c = columns ? index : 0, r = columns ? 0 : index;
        const int w = std::max(1, ColWidths(c)), h = std::max(1, RowHeights(r));
        TBitmap picture(w, h);
        TCanvas* pc = picture.Canvas();
        pc->Brush()->SetColor(FixedColor());
        pc->FillRect(TRect{0, 0, w, h});
        pc->Brush()->SetColor(clBtnShadow);
        pc->FrameRect(TRect{0, 0, w, h});
        pc->Font()->Assign(FFixedFont.get());
        pc->Brush()->SetStyle(bsClear);
        TRect tr{2, 0, w - 2, h};
        DrawText(pc, FirstLine(Cells(c, r)), tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        FMoveImage->SetImage(&picture);
        const TRect cell = CellRect(c, r);
        FMoveGrab = cell.IsEmpty() ? 0 : columns ? FMouseDownPt.X - cell.Left : FMouseDownPt.Y - cell.Top;
    }
    const TPoint at = columns ? TPoint{x - FMoveGrab, CellRect(LeftCol(), 0).Top}
                              : TPoint{CellRect(0, TopRow()).Left, y - FMoveGrab};
    FMoveImage->Show(ClientToScreen(at));
}

void TGkStringGrid::PlaceMoveArrows(int x, int y) {
    if (HasState(csDesigning) || !Parent()) return;
    if (!FArrows[0])
        for (unsigned char d = 0; d < 4; ++d) {
            auto* a = new TArrowWindow(this, d);
            a->SetParent(Parent());
            FArrows[d] = a;
        }
    const TGridCoord cell = MouseCoord(x, y);
    if (cell.X < 0) return;
    const TRect r = CellRect(cell.X, cell.Y);
    const int gx = Left(), gy = Top();
    // The pair of arrows meets at the insertion line: the left (top) edge
    // of the column (row) under the mouse.
    if (GridState() == gsColMoving) {
        const int lx = gx + r.Left;
        FArrows[1]->SetBounds(lx - 5, gy - 10, 10, 9);
        FArrows[0]->SetBounds(lx - 5, gy + RowHeights(0) + 1, 11, 10);
        FArrows[1]->SetVisible(true);
        FArrows[0]->SetVisible(true);
    } else if (GridState() == gsRowMoving) {
        const int ty = gy + r.Top;
        FArrows[2]->SetBounds(gx - 10, ty - 5, 9, 11);
        FArrows[3]->SetBounds(gx + ColWidths(0) + 1, ty - 5, 9, 11);
        FArrows[2]->SetVisible(true);
        FArrows[3]->SetVisible(true);
    }
    for (TWinControl* a : FArrows) a->BringToFront();
}

void TGkStringGrid::MouseMove(TShiftState shift, int x, int y) {
    FLastMouse = TPoint{x, y};
    FMouseInside = ClientRect().Contains(FLastMouse);
    const TGridRect oldSel = Selection();
    const TGridState state = GridState();
    if (EnhRowColMove && (state == gsColMoving || state == gsRowMoving)) {
        PlaceMoveArrows(x, y);
        ShowMoveImage(x, y);
        // Past the edge the grid scrolls toward the rows (columns) hidden there.
        if (state == gsColMoving) {
            if (x < 0 && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
            else if (x > ClientWidth() && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
        } else {
            if (y < 0 && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
            else if (y > ClientHeight() && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
        }
    }
    FSelectZone = ZoneAt(x, y);

    const TGridCoord cell = MouseCoord(x, y);
    bool cursorSet = false;
    const String anchor = AnchorAt(cell, x, y);
    if (!anchor.empty()) {
        SetInputCursor(crHandPoint);
        cursorSet = true;
        if (anchor != FAnchorUnder) {
            if (!FAnchorUnder.empty() && OnAnchorExit) OnAnchorExit(this, FAnchorCell.Y, FAnchorCell.X, FAnchorUnder);
            FAnchorUnder = anchor;
            FAnchorCell = cell;
            if (OnAnchorEnter) OnAnchorEnter(this, cell.Y, cell.X, anchor);
        }
    } else if (!FAnchorUnder.empty()) {
        // Leaving an anchor for anything else is leaving it.
        const String left = FAnchorUnder;
        FAnchorUnder.clear();
        if (OnAnchorExit) OnAnchorExit(this, FAnchorCell.Y, FAnchorCell.X, left);
    }
    if (!cursorSet && FSelectZone != TSelectZone::None && state != gsColSizing && state != gsRowSizing) {
        RegisterGridCursors();
        SetInputCursor(FSelectZone == TSelectZone::Column ? crGkColSelect
                       : FSelectZone == TSelectZone::Row  ? crGkRowSelect
                                                          : crGkAllSelect);
        cursorSet = true;
    }
    if (!cursorSet && !FPanning) RestoreInputCursor();

    if (FHintCell.X >= 0 && !(cell == FHintCell)) {
        FHintCell = {-1, -1};
        if (Application) {
            // The next cell gets a hint of its own after the usual pause.
            Application->CancelHint();
            Application->HintMouseEnter(this);
        }
    }

    TStringGrid::MouseMove(shift, x, y);
    if (FSelectionRectangle && state == gsSelecting && !(Selection() == oldSel)) Invalidate();
}

void TGkStringGrid::MouseLeave() {
    FMouseInside = false;
    if (!FAnchorUnder.empty()) {
        const String left = FAnchorUnder;
        FAnchorUnder.clear();
        if (OnAnchorExit) OnAnchorExit(this, FAnchorCell.Y, FAnchorCell.X, left);
    }
    TStringGrid::MouseLeave();
}

TGkStringGrid::TCellHint TGkStringGrid::CellHintAt(int x, int y, const String& startText) {
    TCellHint hint;
    hint.Color = HintColor;
    const TGridCoord cell = MouseCoord(x, y);
    if (cell.X < 0 || cell.Y < 0) return hint;
    hint.Text = startText;
    if (OnGridHint) OnGridHint(this, cell.Y, cell.X, hint.Text);
    FHintCell = cell;
    const TRect r = CellRect(cell.X, cell.Y);
    TPoint pos{r.Left, r.Bottom + 6};
    const bool dataCell = cell.X >= FixedCols() && cell.X < ColCount() - FFixedRightCols &&
                          cell.Y >= FixedRows() && cell.Y < RowCount() - FFixedFooters;
    if (HintShowCells && dataCell) {
        hint.Text = Cells(RealColIndex(cell.X), cell.Y);
        pos = TPoint{r.Left, r.Top};
    }
    hint.ScreenPos = ClientToScreen(pos);
    hint.Show = !hint.Text.empty();
    return hint;
}

// ---- sizing and moving hooks ---------------------------------------------------

void TGkStringGrid::CalcSizingState(int x, int y, TGridState& state, int& index, int& sizingPos,
                                    int& sizingOfs) {
    TStringGrid::CalcSizingState(x, y, state, index, sizingPos, sizingOfs);
    if (state != gsColSizing || !OnColumnSize) return;
    const TGridCoord cell = MouseCoord(x - kSizeEdge, y);
    if (cell.Y != 0 || cell.X < 0) return;
    bool allow = true;
    OnColumnSize(this, RealColIndex(cell.X), allow);
    if (!allow) state = gsNormal;
}

void TGkStringGrid::Resize() {
    TStringGrid::Resize();
    if (ColumnSize()->Stretch()) StretchLastColumn();
    UpdateFlatScrollBars();
}

void TGkStringGrid::TopLeftChanged() {
    TStringGrid::TopLeftChanged();
    // A separate editor control does not scroll with the cells.
    if (FSeparateEditorShown) {
        CloseCellEditor(Col(), Row());
        HideEditor();
    }
}

void TGkStringGrid::ColumnMoved(int fromIndex, int toIndex) {
    TStringGrid::ColumnMoved(fromIndex, toIndex);
    FSizedOrMoved = true;
    // The sort column is a column, not a place.
    if (FSortColumn == fromIndex) SetSortColumn(toIndex);
    else if (fromIndex < FSortColumn && toIndex >= FSortColumn) SetSortColumn(FSortColumn - 1);
    else if (fromIndex > FSortColumn && toIndex <= FSortColumn) SetSortColumn(FSortColumn + 1);
}

void TGkStringGrid::RowMoved(int fromIndex, int toIndex) {
    // The framework moves the height with its row, so two rows that trade
    // places trade heights too.
    TStringGrid::RowMoved(fromIndex, toIndex);
    // Among the hidden rows the row leaves its place and takes the one
    // above the shown row it now stands over.
    ShownRowsRemoved(fromIndex, 1);
    ShownRowsInserted(toIndex, 1);
    FSizedOrMoved = true;
}

void TGkStringGrid::ComboEditorChanged() {
    if (!OnComboChange || !FComboEditor) return;
    const String text = FComboEditor->Text();
    int index = FComboEditor->ItemIndex();
    if (index < 0 || index >= FComboEditor->Items()->Count() || FComboEditor->Items()->Strings(index) != text)
        index = -1;
    OnComboChange(this, Col(), Row(), index, text);
}

// ---- timers, wheel, panning ----------------------------------------------------

void TGkStringGrid::HoverTick() {
    if (!Hovering || !FMouseInside) return;
    const TGridCoord cell = MouseCoord(FLastMouse.X, FLastMouse.Y);
    if (cell.X < FixedCols() || cell.Y < FixedRows()) return;
    if (cell.X != Col() || cell.Y != Row()) FocusCell(cell.X, cell.Y, true);
}

void TGkStringGrid::ZoomBy(int step) {
    const int level = FZoomLevel + step;
    if (level < -10 || level > 10 || step == 0) return;
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) + step > 0) SetColWidths(c, ColWidths(c) + step);
    for (int r = 0; r < RowCount(); ++r)
        if (RowHeights(r) + step > 0) SetRowHeights(r, RowHeights(r) + step);
    SetZoomLevel(level);
}

void TGkStringGrid::StopPanning() {
    if (!FPanning) return;
    FPanning = false;
    if (HandleAllocated()) KillTimer(Handle(), kPanTimer);
    SetMouseCapture(false);
    SetCursor(FPanSavedCursor);
    Invalidate(TRect{FPanOrigin.X - kMarkerSize / 2, FPanOrigin.Y - kMarkerSize / 2,
                     FPanOrigin.X + kMarkerSize / 2, FPanOrigin.Y + kMarkerSize / 2});
}

void TGkStringGrid::PanTick() {
    int dx = FLastMouse.X - FPanOrigin.X, dy = FLastMouse.Y - FPanOrigin.Y;
    dx = dx > kPanDeadZone ? 1 : dx < -kPanDeadZone ? -1 : 0;
    dy = dy > kPanDeadZone ? 1 : dy < -kPanDeadZone ? -1 : 0;
    if (IntelliPan == ipVertical) dx = 0;
    if (IntelliPan == ipHorizontal) dy = 0;
    const int lastRow = RowCount() - FFixedFooters - 1, lastCol = ColCount() - FFixedRightCols - 1;
    if (lastRow < FixedRows() || lastCol < FixedCols()) return;
    const int col = std::clamp(std::clamp(Col(), FixedCols(), lastCol) + dx, FixedCols(), lastCol);
    const int row = std::clamp(std::clamp(Row(), FixedRows(), lastRow) + dy, FixedRows(), lastRow);
    const int left = LeftCol(), top = TopRow();
    if (col != Col() || row != Row()) FocusCell(col, row, true);
    if (left != LeftCol() || top != TopRow())
        Invalidate(TRect{FPanOrigin.X - kMarkerSize / 2, FPanOrigin.Y - kMarkerSize / 2,
                         FPanOrigin.X + kMarkerSize / 2, FPanOrigin.Y + kMarkerSize / 2});
    RegisterGridCursors();
    SetCursor(PanCursorFor(dx, dy));
}

void TGkStringGrid::PaintPanMarker() {
    if (FPressedFixed.X >= 0) {
        // The fixed cell under the pressed button looks pushed in.
        TRect r = CellRect(FPressedFixed.X, FPressedFixed.Y);
        if (!r.IsEmpty()) DrawEdge(Canvas(), r, BDR_SUNKENINNER, BF_RECT);
    }
    if (!FPanning) return;
    auto marker = PanMarkerBitmap(IntelliPan);
    Canvas()->Draw(FPanOrigin.X - kMarkerSize / 2, FPanOrigin.Y - kMarkerSize / 2, marker.get());
}

bool TGkStringGrid::InputMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
    case WM_ERASEBKGND:
        if (FUpdateCount > 0) {
            m.Result = 0;
            return true;
        }
        return false;
    case CM_HINTSHOW: {
        auto* info = reinterpret_cast<THintInfo*>(m.LParam);
        if (!info) return false;
        const TCellHint hint = CellHintAt(info->CursorPos.X, info->CursorPos.Y, info->HintStr);
        if (FHintCell.X < 0) return false;  // not over a cell: the control's own hint
        info->HintStr = hint.Text;
        info->HintColor = hint.Color;
        info->HintPos = hint.ScreenPos;
        m.Result = 0;
        return true;
    }
    case WM_GK_ALWAYSEDIT:
        if (Focused() && !EditorMode()) ShowEditor();
        return true;
    case WM_TIMER:
        if (m.WParam == kPanTimer) {
            if (FPanning) PanTick();
            return true;
        }
        return false;
    case WM_MBUTTONDOWN:
        if (FPanning) {
            StopPanning();
            return true;
        }
        if (IntelliPan == ipNone) return false;
        RegisterGridCursors();
        FPanSavedCursor = Cursor();
        SetCursor(crGkPanNone);
        FPanning = true;
        FPanOrigin = PointFromLParam(m.LParam);
        FLastMouse = FPanOrigin;
        if (HandleAllocated()) SetTimer(Handle(), kPanTimer, 10);
        SetMouseCapture(true);
        Invalidate(TRect{FPanOrigin.X - kMarkerSize / 2, FPanOrigin.Y - kMarkerSize / 2,
                         FPanOrigin.X + kMarkerSize / 2, FPanOrigin.Y + kMarkerSize / 2});
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        // The press that ends panning does nothing else.
        if (!FPanning) return false;
        StopPanning();
        return true;
    case WM_KEYDOWN:
        StopPanning();
        return false;
    case WM_LBUTTONDBLCLK: {
        bool handled = false;
        DoubleClickAt(GetXLParam(m.LParam), GetYLParam(m.LParam), handled);
        if (handled) return true;
        TStringGrid::WndProc(m);
        const TGridCoord cell = MouseCoord(GetXLParam(m.LParam), GetYLParam(m.LParam));
        if (cell.X >= 0 && OnDblClickCell) OnDblClickCell(this, cell.Y, cell.X);
        return true;
    }
    case WM_MOUSEWHEEL: {
        if (FPanning) return false;
        const int delta = static_cast<std::int16_t>(HiWord(m.WParam));
        const TShiftState shift = KeysToShiftState(LoWord(m.WParam));
        m.Result = 1;
        if (delta == 0) return true;
        // The application's handler comes first, as with every wheel.
        if (OnMouseWheel) {
            bool handled = false;
            OnMouseWheel(this, shift, delta, PointFromLParam(m.LParam), handled);
            if (handled) return true;
        }
        const int lines = std::max(1, WheelScrollLines);
        if (shift & ssCtrl) {
            ZoomBy(delta < 0 ? lines : -lines);
            return true;
        }
        const int lastRow = RowCount() - FFixedFooters - 1;
        if (lastRow < FixedRows()) return true;
        const int col = std::clamp(Col(), FixedCols(), ColCount() - 1);
        const int row = std::clamp(Row() + (delta < 0 ? lines : -lines), FixedRows(), lastRow);
        if (col != Col() || row != Row()) FocusCell(col, row, true);
        return true;
    }
    default: return false;
    }
}
