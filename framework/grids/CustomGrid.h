#pragma once
// The grid every grid of the program stands on: cell layout (column widths,
// row heights, fixed rows and columns), scrolling, the current cell and the
// selection, keyboard and mouse navigation, sizing and moving by mouse, the
// paint cycle and the hosting of one in-place editor. It stores no cell
// data; TStringGrid does.
#include <memory>
#include <vector>

#include "framework/controls/CustomControl.h"
#include "framework/controls/StdCtrlsTypes.h"
#include "framework/grids/GridTypes.h"

class TInplaceEdit;
struct TGridScrollBars;

class TCustomGrid : public TCustomControl {
public:
    // Scroll codes of WM_HSCROLL / WM_VSCROLL (low word of WParam).
    static constexpr int SB_LINEUP = 0;
    static constexpr int SB_LINEDOWN = 1;
    static constexpr int SB_PAGEUP = 2;
    static constexpr int SB_PAGEDOWN = 3;
    static constexpr int SB_THUMBPOSITION = 4;
    static constexpr int SB_THUMBTRACK = 5;
    static constexpr int SB_TOP = 6;
    static constexpr int SB_BOTTOM = 7;
    static constexpr int SB_ENDSCROLL = 8;

    explicit TCustomGrid(TComponent* owner);
    ~TCustomGrid() override;
    String ClassName() const override { return "TCustomGrid"; }

    // Size in cells. Both stay at least 1; shrinking below the fixed
    // counts lowers them to count - 1.
    int ColCount() const { return FColCount; }
    virtual void SetColCount(int v);
    int RowCount() const { return FRowCount; }
    virtual void SetRowCount(int v);
    int FixedCols() const { return FFixedCols; }
    virtual void SetFixedCols(int v);
    int FixedRows() const { return FFixedRows; }
    virtual void SetFixedRows(int v);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor v);

    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int v);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int v);
    int ColWidths(int c) const;
    void SetColWidths(int c, int w);
    int RowHeights(int r) const;
    void SetRowHeights(int r, int h);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int v);
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions v);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool v);

    // The current cell and the selection (inclusive cell rectangle).
    int Col() const { return FCurrent.X; }
    void SetCol(int v);
    int Row() const { return FCurrent.Y; }
    void SetRow(int v);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& v);
    // Moves the current cell; with extend (goRangeSelect) the anchor stays.
    void FocusCell(int col, int row, bool moveAnchor);

    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int v);
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int v);
    // Scrolling cells that are wholly visible, at least 1 when any shows.
    int VisibleColCount() const;
    int VisibleRowCount() const;
    int GridWidth() const;   // pixels the drawn cells take
    int GridHeight() const;

    // Client rectangle of a visible cell; an empty rectangle otherwise.
    TRect CellRect(int col, int row) const;
    // The cell under a client point; (-1, -1) outside the cells.
    TGridCoord MouseCoord(int x, int y) const;
    void MouseToCell(int x, int y, int& col, int& row) const;

    void MoveColumn(int fromIndex, int toIndex);
    void MoveRow(int fromIndex, int toIndex);
    virtual void DeleteColumn(int aCol);
    virtual void DeleteRow(int aRow);

    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool v);
    void ShowEditor();
    void HideEditor();
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

    void InvalidateCell(int col, int row);
    void InvalidateRow(int row);
    void InvalidateCol(int col);
    void InvalidateGrid() { Invalidate(); }

    TRect ClientRect() const override;

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TNotifyEvent OnTopLeftChanged;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;

    TCanvas* Canvas() const { return TCustomControl::Canvas(); }

    // Flat scroll bars, as the classic common controls offered them: once
    // InitializeFlatSB has run, the framework draws the grid's bars itself
    // in the style, colour and size set through FlatSB_SetScrollProp, and
    // a bar may get a range and page of its own (FlatSB_SetScrollInfo): its
    // thumb then stands for the first shown row (column) on that scale,
    // Min for the first scrolling one and Max for the last top row.
    static constexpr int SB_HORZ = 0;
    static constexpr int SB_VERT = 1;
    static constexpr int WSB_PROP_CYHSCROLL = 0x4;   // height of the horizontal bar
    static constexpr int WSB_PROP_CXVSCROLL = 0x8;   // width of the vertical bar
    static constexpr int WSB_PROP_VBKGCOLOR = 0x40;  // TColor behind the vertical bar's thumb
    static constexpr int WSB_PROP_HBKGCOLOR = 0x80;
    static constexpr int WSB_PROP_VSTYLE = 0x100;    // FSB_… mode of the vertical bar
    static constexpr int WSB_PROP_HSTYLE = 0x200;
    static constexpr int FSB_REGULAR_MODE = 0;  // raised buttons and thumb
    static constexpr int FSB_ENCARTA_MODE = 1;  // flat, raised under the mouse
    static constexpr int FSB_FLAT_MODE = 2;     // flat, inverted under the mouse
    struct TScrollInfo {
        int Min = 0, Max = 0, Page = 0, Pos = 0, TrackPos = 0;
    };
    bool InitializeFlatSB();
    void UninitializeFlatSB();
    bool FlatScrollBars() const;
    // False for an unknown property or while the bars are not flat.
    bool FlatSB_SetScrollProp(int index, int value);
    int FlatSB_GetScrollProp(int index) const;
    bool FlatSB_GetScrollInfo(int bar, TScrollInfo& info) const;
    void FlatSB_SetScrollInfo(int bar, const TScrollInfo& info);
    // The screen point where the mouse last was on one of the bars (while
    // a thumb is dragged: where the hand is).
    TPoint ScrollBarMousePos() const;
    // Where a bar's thumb is, in client coordinates of the grid's window
    // (empty while the bar is hidden).
    TRect ScrollThumbRect(int bar) const;

    // Everything else stays protected, as the kit builds on it; the
    // editor talks to its grid through these.
    friend class TInplaceEdit;

protected:
    // The cell drawing of a kind of grid; the brush and font are prepared.
    virtual void DrawCell(int aCol, int aRow, const TRect& aRect, TGridDrawState aState) = 0;
    virtual bool SelectCell(int aCol, int aRow);
    virtual void TopLeftChanged();
    virtual void SizeChanged(int oldColCount, int oldRowCount);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void ColumnMoved(int fromIndex, int toIndex);
    virtual void RowMoved(int fromIndex, int toIndex);
    virtual bool CanEditShow();
    virtual bool CanEditModify() { return true; }
    virtual TInplaceEdit* CreateEditor();
    virtual String GetEditText(int aCol, int aRow);
    virtual void SetEditText(int aCol, int aRow, const String& value);
    virtual String GetEditMask(int aCol, int aRow);
    virtual int GetEditLimit();
    // Whether a mouse press at (x, y) starts sizing; sets the state, the
    // index and the line position.
    virtual void CalcSizingState(int x, int y, TGridState& state, int& index, int& sizingPos,
                                 int& sizingOfs);

    void Paint() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, const TPoint& mousePos) override;
    void WndProc(TMessage& message) override;
    void Resize() override;
    void DoEnter() override;
    void DoExit() override;
    QWidget* CreateWidget(QWidget* parent) override;
    void WidgetCreated() override;

    void MoveCurrent(int col, int row, bool moveAnchor, bool show);
    void MoveTopLeft(int col, int row);
    void ClampInView(int col, int row);
    void ScrollMessage(bool vertical, int code, int pos);
    // A bar's position for the current top row (column), and back.
    int BarPosition(bool vertical) const;
    int TopFromBarPosition(bool vertical, int pos) const;
    void UpdateScrollRange();
    void UpdateEdit();
    void InvalidateEditor();
    void InvalidateRect(const TGridRect& r);
    bool IsActiveControl() const;
    int MaxTopRow() const;
    int MaxLeftCol() const;
    TGridState GridState() const { return FGridState; }
    // True while the in-place editor hands a key to the grid.
    bool KeyFromEditor() const { return FKeyFromEditor; }

    // Column and row widths without the observers, for the kit's bulk moves.
    std::vector<int>& ColWidthList() { return FColWidths; }
    std::vector<int>& RowHeightList() { return FRowHeights; }
    int FUpdateLock = 0;  // >0 while a bulk change runs: no repaint, no scroll update

private:
    void ChangeSize(int newColCount, int newRowCount);
    int FixedWidth() const;
    int FixedHeight() const;
    int ColumnAtX(int x) const;   // -1 beyond the last drawn column
    int RowAtY(int y) const;
    int ColumnLeft(int c) const;  // -1 when not drawn
    int RowTop(int r) const;
    void DrawGridLines(TCanvas* canvas);
    void EditorKey(Word& key, TShiftState shift);
    void PlaceEditor();

    int FColCount = 5, FRowCount = 5;
    int FFixedCols = 1, FFixedRows = 1;
    int FDefaultColWidth = 64, FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    TColor FFixedColor = clBtnFace;
    std::vector<int> FColWidths, FRowHeights;
    TGridOptions FOptions = DefaultGridOptions;
    TScrollStyle FScrollBars = ssBoth;
    bool FDefaultDrawing = true;
    TGridCoord FCurrent{1, 1}, FAnchor{1, 1}, FTopLeft{1, 1};
    TGridState FGridState = gsNormal;
    int FSizingIndex = -1, FSizingPos = 0, FSizingOfs = 0;
    int FMoveIndex = -1, FMovePos = -1;
    bool FEditorMode = false;
    bool FInEditorUpdate = false;
    TInplaceEdit* FInplaceEdit = nullptr;
    std::unique_ptr<TGridScrollBars> FBars;
    bool FInScrollUpdate = false;
    bool FKeyFromEditor = false;
};
