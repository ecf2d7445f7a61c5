#pragma once
// The kit's string grid: the framework's string grid with per-cell
// colours, borders, alignment, editors and fixed/read-only/password
// answers asked through overridable hooks that fire events, row bands,
// typed cell accessors, headers, row marks, the cell file and the row and
// column operations. Column and row indexes are absolute and 0-based,
// fixed cells included.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/grids/StringGrid.h"
#include "gridkit/grid/GkTypes.h"

class TBands;
class TBackGround;
class TBitmap;
class TCellNode;
class TColumnSize;
class THTMLSettings;
class TImageList;
class TMouseActions;
class TNavigation;
class TPrintsettings;
class TSizeWhileTyping;
class TSortIndexList;
class TFilter;
class TCollection;
class TStringList;
class TGkFormResizeHub;
class TGridCombo;
class TGridSpin;
class TGridDatePicker;
class TGridCheckBox;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridButton;
class TGkRichEdit;
class THintWindow;
class TDragImage;
class TWinControl;

class TGkStringGrid : public TStringGrid {
public:
    explicit TGkStringGrid(TComponent* owner);
    ~TGkStringGrid() override;
    String ClassName() const override { return "TGkStringGrid"; }
    void Loaded() override;

    // ---- settings objects ----
    TBands* Bands() const { return FBands.get(); }
    TCellNode* CellNode() const { return FCellNode.get(); }
    TColumnSize* ColumnSize() const { return FColumnSize.get(); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
    TPrintsettings* PrintSettings() const { return FPrintSettings.get(); }
    THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
    TBackGround* BackGround() const { return FBackGround.get(); }

    // ---- published properties ----
    bool AutoNumAlign = false;
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment v);
    bool EnhTextSize = false;
    bool EnhRowColMove = false;
    bool SortFixedCols = false;
    bool SortNormalCellsOnly = false;
    bool SizeWithForm = false;
    bool Multilinecells() const { return FMultilinecells; }
    void SetMultilinecells(bool v);
    TSortDirection SortDirection = sdAscending;
    bool SortFull = true;
    bool SortAutoFormat = true;
    bool SortShow() const { return FSortShow; }
    void SetSortShow(bool v);
    bool SortIndexShow() const { return FSortIndexShow; }
    void SetSortIndexShow(bool v);
    int SortColumn() const { return FSortColumn; }
    void SetSortColumn(int v);
    TBitmap* SortUpGlyph() const { return FSortUpGlyph.get(); }
    void SetSortUpGlyph(TBitmap* v);
    TBitmap* SortDownGlyph() const { return FSortDownGlyph.get(); }
    void SetSortDownGlyph(TBitmap* v);
    bool EnableGraphics = false;
    bool EnableHTML = true;
    TColor HintColor = clYellow;
    bool HintShowCells = false;
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor v);
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor v);
    bool SelectionRectangle() const { return FSelectionRectangle; }
    void SetSelectionRectangle(bool v);
    bool SelectionRTFKeep = false;
    bool ShowSelection() const { return FShowSelection; }
    void SetShowSelection(bool v);
    bool HideFocusRect = false;
    // On: the grid takes dropped text, rich text and one CSV or XLS file.
    bool OleDropTarget() const { return FOleDropTarget; }
    void SetOleDropTarget(bool v);
    bool OleDropSource = false;
    // Drags the selection's text (and the cell's text as rich text) out
    // of the grid, after OnOleDrag; true when a drag ran.
    bool StartOleDrag(int aCol, int aRow);
    // One flag for every grid of the process.
    static bool OleDropRTF();
    static void SetOleDropRTF(bool v);
    int MaxEditLength = 0;
    TImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TImageList* v);
    TIntelliPan IntelliPan = ipVertical;
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor v);
    bool URLShow() const { return FURLShow; }
    void SetURLShow(bool v);
    bool URLFull() const { return FURLFull; }
    void SetURLFull(bool v);
    bool URLEdit = false;
    // Flat scroll bars: ScrollProportional switches them on, with thumbs
    // as long as the share of rows (columns) shown; style, background and
    // thickness apply while they are on.
    TScrollType ScrollType() const { return FScrollType; }
    void SetScrollType(TScrollType v);
    TColor ScrollColor() const { return FScrollColor; }
    void SetScrollColor(TColor v);
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int v);
    bool ScrollProportional() const { return FScrollProportional; }
    void SetScrollProportional(bool v);
    // The page of 128 a proportional thumb takes: shown × 128 ÷ count.
    int ProportionalPage(bool vertical) const;
    TScrollHintType ScrollHints = shNone;
    bool OemConvert = false;
    int FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(int v);
    int FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(int v);
    int FixedColWidth() const { return ColWidths(0); }
    void SetFixedColWidth(int v);
    int FixedRowHeight() const { return RowHeights(0); }
    void SetFixedRowHeight(int v);
    TFont* FixedFont() const { return FFixedFont.get(); }
    void SetFixedFont(TFont* v);
    bool FixedAsButtons = false;
    String FloatFormat = "%.2f";
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
    void SetColumnHeaders(TStringList* v);
    TStringList* RowHeaders() const { return FRowHeaders.get(); }
    void SetRowHeaders(TStringList* v);
    TStringList* LookupItems() const { return FLookupItems.get(); }
    void SetLookupItems(TStringList* v);
    bool Lookup = false;
    bool LookupCaseSensitive = false;
    bool LookupHistory = false;
    bool Hovering = false;
    char PasswordChar = '*';
    // Fixed cells draw a raised edge; off, a black frame.
    bool Ctl3D = true;
    // Steps (-10..10) added to every font size while cells are drawn and
    // columns are fitted.
    int ZoomLevel() const { return FZoomLevel; }
    void SetZoomLevel(int v);
    // Whether BLINK text shows at the moment.
    bool BlinkPhase() const { return FBlinkPhase; }
    void SetBlinkPhase(bool v);
    // The half-second tick: the blink phase turns, blinking cells repaint.
    void BlinkTick();
    // The columns of a multi-column sort, with their directions.
    TSortIndexList* SortIndexList() const { return FSortIndexList.get(); }

    // Size changes keep the configured fixed counts: the base grid lowers
    // them while the grid is too small, and they come back with the room.
    void SetColCount(int v) override;
    void SetRowCount(int v) override;
    void SetFixedCols(int v) override;
    void SetFixedRows(int v) override;

    // ---- typed accessors ----
    int CellAsInteger(int aCol, int aRow) const;
    void SetCellAsInteger(int aCol, int aRow, int v);
    double CellAsFloat(int aCol, int aRow) const;
    void SetCellAsFloat(int aCol, int aRow, double v);
    TDateTime CellAsDate(int aCol, int aRow) const;

    // ---- row marks ----
    bool RowMarked(int aRow) const;
    void SetRowMarked(int aRow, bool v);
    void ClearRowMarks();
    void MarkSelectedRows();

    // ---- operations on cells ----
    void ClearAllCells();
    void StepToNextCell(int aCol, int aRow, bool forward, bool showEditor, bool force);
    void RefreshCell(int aCol, int aRow);
    void RefreshRow(int aRow);
    void RefreshCellRange(const TGridRect& r);
    void CenterCellInView(int aCol, int aRow);
    void ParkSelection();
    bool IsOnSizingEdge(int x, int y);
    TAlignment CellAlignment(int aCol, int aRow);
    TSize MeasureCellText(int aCol, int aRow);
    TSize CellGraphicSize(int aCol, int aRow) const;
    // The hidden rich edit that rich-text (RTF) cells are loaded into, and
    // loading one: its plain text is then the edit's Text.
    TGkRichEdit* RichEdit() const { return FRichEdit; }
    void LoadRichCell(const String& text);
    // The character of cell (aCol, aRow) whose left edge lies nearest x
    // (client coordinates) as the cell's first line is drawn.
    int CharAtCellX(int aCol, int aRow, int x);
    // Where the click that opened the text editor on cell (aCol, aRow) put
    // the caret, recorded with MouseActions.CaretPositioning; taking it
    // clears it. False when no click on that cell is recorded.
    bool TakeCaretClick(int aCol, int aRow, int& charIndex);
    void ForgetCaretClick() { FCaretClickSet = false; }
    void StretchLastColumn();
    // Column widths kept under ColumnSize's Key and Section (an INI file
    // or the registry); nothing without both.
    void SaveColumnWidths();
    void LoadColumnWidths();
    // ---- sizing ----
    // Every column fitted to its cells (the fixed ones too with
    // doFixedCols), each widened by padding.
    void AutoSizeColumns(bool doFixedCols, int padding);
    // One column fitted to its widest cell plus 4; with onlyGrow it only
    // ever widens.
    void AutoSizeColumn(int aCol, bool onlyGrow = false);
    // One row fitted to its tallest cell, never below DefaultRowHeight.
    void AutoSizeRow(int aRow);
    void SetRowHeightForLines(int aRow, int lines, int extra);
    int MaxLinesInRow(int aRow);
    // Swaps two rows with their heights and marks; returns the tracked row
    // as it was, which follows the rows it was on.
    int ExchangeRows(int r1, int r2);
    // The row a sort keeps track of (-1 none).
    int TrackedRow() const { return FTrackedRow; }
    void SetTrackedRow(int v) { FTrackedRow = v; }
    void InvalidateGridRect(const TGridRect& r);
    bool IsCellSelected(int aCol, int aRow) const;
    // The shared editors' lists: what a combo or spin editor would offer.
    TStringList* ComboItems() const { return FComboItems.get(); }
    void ClearComboItems();
    int SpinMinValue = 0, SpinMaxValue = 0, SpinIncrement = 0;

    // The scroll hint for a thumb at position 0..127 of a proportional
    // bar: "Row : n" or "Col : n", as OnScrollHint leaves it.
    String ScrollHintText(bool vertical, int thumbPos127);
    // The hint shown while a thumb is dragged; empty when none shows.
    const String& ScrollHintShown() const { return FScrollHintShown; }
    // The picture of the column or row being moved (nullptr before the
    // first move).
    const TDragImage* MoveDragImage() const { return FMoveImage.get(); }
    // Its window (nullptr until a hint first showed).
    THintWindow* ScrollHintWindow() const { return FScrollHint; }

    // ---- sorting ----
    // -1, 0 or 1: cell (aCol, aRow1) against (aCol, aRow2) by the column's
    // sort style; never throws, a text that does not convert compares as
    // the style says (dates as 0, numbers as equal).
    int CompareSortCells(int aCol, int aRow1, int aRow2);
    // Rows FixedRows .. the last before the footers, by SortColumn and
    // SortDirection (ties go on to the next column with SortFull).
    void QSort();
    // The same within each group of rows under a node row.
    void QSortGroup();
    // By the columns of SortIndexList, each with its own direction.
    void QSortIndexed();
    // What a click on the header of column aCol does (OnCanSort, the
    // direction or the index, the sort, OnClickSort).
    void ClickSort(int aCol, TShiftState shift);
    // A row that opens a group of rows (none in this program: no cell
    // holds a node).
    virtual bool IsNodeRow(int aRow) const;

    // ---- clipboard and import ----
    // Cells go out as tab-separated text (a cell's RTF too, with
    // Navigation.AllowRTFClipboard); pastes write editable cells only.
    void CopyCellBlock(const TGridRect& r);
    void CopySelection();
    void CutSelection();
    // The selection's text as a copy would make it, tags kept.
    String SelectionAsText();
    // Returns the number of fields pasted.
    int PasteAtCell(int aCol, int aRow);
    int PasteTextAt(int aCol, int aRow, const String& text);
    // Pastes at the selection; with Navigation.AllowSmartClipboard one
    // value fills the selection and two continue as a series.
    void PasteIntoSelection();
    // Delimited text; the delimiter is detected when Delimiter is 0.
    void ImportDelimitedFile(const String& fileName, bool append = false);
    // A workbook's sheet (the active one when no name is given) fills the
    // grid from A1 to its used range's far corner.
    void ImportWorkbook(const String& fileName, const String& sheetName = String());
    char Delimiter = 0;

    // ---- hidden rows and the filter ----
    // Rows taken out of view keep their texts in a store and come back in
    // their old places. Display rows are what the grid shows; real rows
    // count the hidden ones too.
    TFilter* Filter() const;
    bool FilterActive() const { return FFilterActive; }
    void SetFilterActive(bool v);
    int RowToReal(int displayRow) const;
    int RowToDisplay(int realRow) const;
    bool RowIsHidden(int realRow) const;
    int HiddenRowTotal() const;
    void HideRowSpan(int firstReal, int lastReal);
    void RestoreRowSpan(int firstReal, int lastReal);
    void RestoreAllHiddenRows();
    static bool MatchFilterExpression(const String& condition, const String& text);
    static bool MatchPattern(const String& term, const String& text);

    // ---- the cell file ----
    void SaveCellsToFile(const String& fileName);
    void LoadCellsFromFile(const String& fileName);

    // ---- row and column operations (virtual, in this order) ----
    void DeleteRow(int aRow) override;  // goes through DeleteRowRange
    virtual void RemoveRowsShifted(int aRow, int aCount);
    virtual void DeleteRowRange(int aRow, int aCount);
    virtual void InsertRowRange(int aRow, int aCount);
    virtual void RemoveColumnRange(int aCol, int aCount);
    virtual void InsertColumnRange(int aCol, int aCount);
    virtual void ClearCellRect(int aCol1, int aRow1, int aCol2, int aRow2);
    void ClearRowRange(int aRow, int aCount);
    void ClearColumnRange(int aCol, int aCount);
    virtual void AfterPaste(const TGridCoord& origin, const TGridRect& pasted, bool copied);
    virtual String GetDisplayText(int aCol, int aRow);
    // The href of the markup anchor under client point (x, y) in cell
    // (aCol, aRow), laid out as the cell is drawn; empty when none.
    String CellAnchorAt(int aCol, int aRow, int x, int y);
    // The sort glyph of column aCol centred on (x, y).
    void DrawSortGlyph(TCanvas* canvas, int aCol, int x, int y);

    // ---- per-cell hooks (column first) ----
    virtual void GetCellColor(int aCol, int aRow, TGridDrawState aState, TBrush* aBrush, TFont* aFont);
    virtual void GetCellPrintColor(int aCol, int aRow, TGridDrawState aState, TBrush* aBrush,
                                   TFont* aFont);
    virtual void GetCellBorder(int aCol, int aRow, TPen* aPen, TCellBorders& borders);
    virtual void GetCellPrintBorder(int aCol, int aRow, TPen* aPen, TCellBorders& borders);
    virtual void GetCellAlignment(int aCol, int aRow, TAlignment& alignment);
    virtual void GetColumnFormat(int aCol, TSortStyle& style, String& prefix, String& suffix);
    virtual void GetCellEditor(int aCol, int aRow, TEditorType& editor);
    virtual void IsFixedCell(int aCol, int aRow, bool& isFixed);
    virtual void CanEditCell(int aCol, int aRow, bool& canEdit);
    virtual void IsPasswordCell(int aCol, int aRow, bool& isPassword);

    // ---- editing: choice of editor, write-back, end-of-edit validation ----
    // The editor kind asked for when editing of the current cell started.
    TEditorType CurrentEditorType() const { return FEditorType; }
    // One of the separate editor controls is over the current cell.
    bool SeparateEditorShown() const { return FSeparateEditorShown; }
    // Raised while a spin or combo editor hands the focus back.
    bool ClosingEditor() const { return FClosingEditor; }
    // The cell text remembered on selecting a cell and on asking its editor.
    const String& SelectionText() const { return FSelectionText; }
    void OpenCellEditor(int aCol, int aRow);
    void CloseCellEditor(int aCol, int aRow);
    void RestoreEditText();
    bool CellIsFixed(int aCol, int aRow);
    bool CellIsEditable(int aCol, int aRow);
    bool CellIsPassword(int aCol, int aRow);
    // The real column behind a display column (they differ only while
    // columns are hidden).
    int RealColIndex(int aCol) const { return aCol; }
    virtual void RememberEditText(int aCol, int aRow);
    virtual void BeforeValidate(int aCol, int aRow);
    // Validates the cell remembered by RememberEditText; the argument is
    // not consulted. False when the handler refused the new text.
    virtual bool ValidateCell(const String& text);
    void Click() override;
    bool Entered() const { return FEntered; }
    void SetEntered(bool v) { FEntered = v; }
    // The ellipsis step of the button editors: OnEllipsClick with the
    // real column, the row and the text, which the handler may change.
    void EllipsClick(String& text);
    // The separate editor controls (created on first use, owned by the grid).
    TGridCombo* ComboEditor();
    TGridSpin* SpinEditor();
    TGridDatePicker* DateEditor();
    TGridCheckBox* CheckBoxEditor();
    TGridEditBtn* EditBtnEditor();
    TGridUnitEditBtn* UnitEditBtnEditor();
    TGridButton* ButtonEditor();
    // The closing sequence a separate editor runs for key; false when the
    // key is not one of that control's closing keys (the control handles
    // it). `control` is the editor the key came to.
    bool EditorClosingKey(TWinControl* control, Word key, TShiftState shift);
    // A separate editor lost the focus: its value goes back, it hides.
    void EditorFocusLost(TWinControl* control);
    // The focus left the grid or one of its editors: once the change has
    // settled, validation runs when it went elsewhere.
    void FocusMayHaveLeft();
    bool FocusInside() const;

    // 1 in the low word, 89 in the high word.
    virtual int KitVersionNumber() const { return 1 | (89 << 16); }
    virtual String KitVersionText() const { return "1.89, July 2000"; }

    // ---- keyboard and mouse input (GkStringGridInput.cpp) ----
    // While the count is above 0 the grid paints nothing; the last
    // EndUpdate repaints it whole.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    // What a press on the fixed cell under the mouse would select.
    TSelectZone SelectZone() const { return FSelectZone; }
    // Adds step to the zoom level when the result stays within -10..10,
    // and to every column width and row height that stays above 0.
    void ZoomBy(int step);
    // Rows (or zoom steps) one wheel notch moves; the system's setting.
    int WheelScrollLines = 3;
    bool Panning() const { return FPanning; }
    TPoint PanOrigin() const { return FPanOrigin; }
    void StopPanning();
    // The cell hint for client point (x, y): startText (the grid's own
    // hint) after OnGridHint, where it shows (screen coordinates) and its
    // colour. The cell becomes the hint cell. CM_HINTSHOW asks this.
    struct TCellHint {
        bool Show = false;
        String Text;
        TPoint ScreenPos;
        TColor Color = clYellow;
    };
    TCellHint CellHintAt(int x, int y, const String& startText = String());
    TGridCoord HintCell() const { return FHintCell; }
    // The anchor last reported to OnAnchorEnter (empty when none).
    const String& AnchorUnderMouse() const { return FAnchorUnder; }
    // The fixed cell drawn pressed while the button is down ((-1, -1) none).
    TGridCoord PressedFixedCell() const { return FPressedFixed; }
    // Timer identifiers of the grid's window: the column/row move and the
    // middle-button pan.
    static constexpr std::uintptr_t kMoveTimer = 1;
    static constexpr std::uintptr_t kPanTimer = 999;
    // The program's cursors: pan directions 8000..8008 (none, down, left,
    // right, up, up-right, up-left, down-right, down-left), row, column and
    // all selection 8010..8012. Registered with the screen on first use.
    static constexpr TCursor crGkPanNone = 8000;
    static constexpr TCursor crGkRowSelect = 8010;
    static constexpr TCursor crGkColSelect = 8011;
    static constexpr TCursor crGkAllSelect = 8012;
    static void RegisterGridCursors();

    // ---- events ----
    TGkCellColorEvent OnGetCellColor, OnGetCellPrintColor;
    TGkCellBorderEvent OnGetCellBorder, OnGetCellPrintBorder;
    TGkAlignmentEvent OnGetAlignment;
    TGkFormatEvent OnGetFormat;
    TGkEditorTypeEvent OnGetEditorType;
    TGkCellBoolEvent OnIsFixedCell, OnCanEditCell, OnIsPasswordCell;
    TGkGridHintEvent OnGridHint;
    TGkChangingEvent OnRowChanging, OnColChanging;
    TGkCellChangingEvent OnCellChanging;
    TGkCanAddRowEvent OnCanAddRow;
    TGkRowEvent OnAutoAddRow, OnAutoInsertRow, OnAutoDeleteRow;
    TGkRowVetoEvent OnCanInsertRow, OnCanDeleteRow;
    TGkColEvent OnAutoInsertCol;
    TGkColEvent OnClickSort;
    TGkColVetoEvent OnCanSort;
    TGkCustomCompareEvent OnCustomCompare;
    TGkRawCompareEvent OnRawCompare;
    TGkNodeEvent OnExpandNode, OnContractNode;
    TGkClickCellEvent OnClickCell, OnRightClickCell, OnDblClickCell;
    TGkAnchorClickEvent OnAnchorClick;
    TGkAnchorEvent OnAnchorEnter, OnAnchorExit;
    TGkClipboardEvent OnClipboardPaste, OnClipboardCopy, OnClipboardCut;
    TGkCellValidateEvent OnCellValidate;
    TGkFileProgressEvent OnFileProgress;
    TGkEllipsClickEvent OnEllipsClick;
    TGkButtonClickEvent OnButtonClick;
    TGkCheckBoxClickEvent OnCheckBoxClick, OnCheckBoxMouseUp;
    TGkRadioClickEvent OnRadioClick, OnRadioMouseUp;
    TGkComboChangeEvent OnComboChange;
    TGkSpinClickEvent OnSpinClick;
    TGkFloatSpinClickEvent OnFloatSpinClick;
    TGkDateTimeSpinClickEvent OnTimeSpinClick, OnDateSpinClick;
    TGkOleDragDropEvent OnOleDrop, OnOleDrag;
    TGkScrollHintEvent OnScrollHint;
    TGkColVetoEvent OnColumnSize;
    TGkColEvent OnEndColumnSize;
    TGkRowEvent OnEndRowSize;
    // Printing events: kept for stored windows, never fired.
    TNotifyEvent OnPrintPage, OnPrintStart, OnFitToPage, OnPrintNewPage, OnPrintSetColumnWidth,
        OnPrintSetRowHeight;

protected:
    void Paint() override;
    void DrawCell(int aCol, int aRow, const TRect& aRect, TGridDrawState aState) override;
    void DrawCellContents(int aCol, int aRow, const TRect& aRect, TGridDrawState aState);
    void DrawCellBorders(int aCol, int aRow, const TRect& aRect);
    void DrawRichCell(int aCol, int aRow, const TRect& aRect, TCanvas* canvas);
    void DrawBackgroundTiled(int aCol, int aRow, const TRect& r);
    void DrawBackgroundFixed(const TRect& r);
    // The one line a cell shows in width: the protocol cut off a URL
    // when asked, and with EnhTextSize an ellipsis where it is too long.
    String FitCellText(const String& text, int width);
    // Whether the sort glyph belongs in this cell.
    bool SortGlyphShows(int aCol, int aRow) const;
    // Where a markup text goes in a cell (the canvas prepared for it).
    TRect MarkupPlace(const TRect& cell, const String& text);
    // The markup of a cell measured on the canvas as it is prepared.
    TSize MeasureMarkup(const String& text, const TRect& r);
    // MeasureCellText in the canvas font as it stands.
    TSize MeasurePreparedText(int aCol, int aRow);
    bool SelectCell(int aCol, int aRow) override;
    bool CanEditShow() override;
    String GetEditText(int aCol, int aRow) override;
    int GetEditLimit() override;
    void KeyPress(char& key) override;
    void SizeChanged(int oldColCount, int oldRowCount) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    void WidgetCreated() override;
    void WndProc(TMessage& message) override;
    TInplaceEdit* CreateEditor() override;
    void DoEnter() override;
    void DoExit() override;
    // ---- keyboard and mouse input (GkStringGridInput.cpp) ----
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    // A release on the header row may sort (ClickSort).
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    // With ColumnSize.Stretch the last column follows the grid's width.
    void Resize() override;
    void CalcSizingState(int x, int y, TGridState& state, int& index, int& sizingPos,
                         int& sizingOfs) override;
    void TopLeftChanged() override;
    void ColumnMoved(int fromIndex, int toIndex) override;
    void RowMoved(int fromIndex, int toIndex) override;
    // The input messages of WndProc (wheel, pan, double click, paint while
    // updating); true when the message was taken.
    bool InputMessage(TMessage& m);
    // The combo editor's text changed: a pick reports its item, typing -1.
    void ComboEditorChanged();
    // The hover step of the blink timer's tick.
    void HoverTick();
    void PanTick();
    // What the input layer draws over the cells: a pressed fixed cell and
    // the pan origin.
    void PaintPanMarker();
    TSelectZone ZoneAt(int x, int y);
    void DoubleClickAt(int x, int y, bool& handled);
    void PlaceMoveArrows(int x, int y);
    void HideMoveArrows();
    void SetInputCursor(TCursor c);
    void RestoreInputCursor();
    String AnchorAt(const TGridCoord& cell, int x, int y);
    // Shows the in-place editor once the grid has the focus (AlwaysEdit).
    static constexpr unsigned WM_GK_ALWAYSEDIT = 0x0400 + 0x4D2;
    // The focus last left one of the grid's editors (not the grid).
    bool FFocusLeftEditor = false;
    int FUpdateCount = 0;
    TSelectZone FSelectZone = TSelectZone::None;
    TGridCoord FPressedFixed{-1, -1};
    TPoint FMouseDownPt{};
    TGridCoord FMouseDownCell{-1, -1};
    TPoint FClickOffset{};
    bool FSizedOrMoved = false, FDblClkSized = false;
    int FUnmarkRow = -1;
    int FPressSizeCol = -1, FPressSizeColStart = 0, FPressSizeRow = -1, FPressSizeRowStart = 0;
    String FAnchorUnder;
    TGridCoord FAnchorCell{-1, -1};
    TGridCoord FHintCell{-1, -1};
    TPoint FLastMouse{-1, -1};
    bool FMouseInside = false;
    bool FPanning = false;
    TPoint FPanOrigin{};
    TCursor FPanSavedCursor = crDefault;
    TCursor FOwnCursor = crDefault;
    bool FCursorTaken = false;
    TWinControl* FArrows[4] = {nullptr, nullptr, nullptr, nullptr};

    // Ends the user's sizing of one column or row (sizing: its index, -1
    // when none; start: its size before, now: after). With "size all" on
    // the others from first to count - 1 follow in proportion: true then.
    bool CarryAlong(int& sizing, int start, bool sizeAll, std::vector<int>& sizes, int first,
                    int count, int now);
    void ApplyColumnHeaders();
    void ApplyRowHeaders();
    // The owner form changed size (called by the form's resize hub).
    friend class TGkFormResizeHub;
    void FormResized(int formWidth, int formHeight);
    void RestoreFixedCounts();

    // Clipboard (GkStringGridClipboard.cpp): the origin of the last copy
    // and whether it was a copy (not a cut), for AfterPaste.
    String CellBlockText(const TGridRect& r, bool keepTags);
    TGridCoord FCopyOrigin{-1, -1};
    bool FCopied = false;

    // Drag and drop (GkStringGridOle.cpp).
    bool FOleDropTarget = false;
    bool FOleRegistered = false;

    // Hidden rows and filter (GkStringGridFilter.cpp); made on first use.
    TCollection* HiddenRows() const;
    void RunFilter();
    mutable std::shared_ptr<TFilter> FFilter;
    mutable std::shared_ptr<TCollection> FHiddenRows;
    bool FFilterActive = false;
    int FFilterFixedRows = 0;
    bool FFilterAddedRow = false;
    // Every operation that adds, removes or moves shown rows moves the
    // store's real indexes with it, so a hidden row comes back between the
    // rows it stood between. A row inserted or moved stands directly
    // above the shown row that now follows it (below every row at the end).
    // Hiding and restoring move rows in and out of the store themselves:
    // while they run (FStoreMoving > 0) the row operations leave it alone.
    void ShownRowsInserted(int displayRow, int count);
    void ShownRowsRemoved(int displayRow, int count);
    // A load that replaces every row: the hidden rows go with the rows
    // they stood among, and the filter is off.
    void DropHiddenRows();
    int FStoreMoving = 0;
    struct TStoreMoving {
        explicit TStoreMoving(int& depth) : Depth(depth) { ++Depth; }
        ~TStoreMoving() { --Depth; }
        TStoreMoving(const TStoreMoving&) = delete;
        TStoreMoving& operator=(const TStoreMoving&) = delete;
        int& Depth;
    };

    // Sorting internals (GkStringGridSort.cpp).
    int CompareRowsBy(int aCol, int aRow1, int aRow2);
    int CompareRowsIndexed(int aRow1, int aRow2);
    void QuickSortRows(int lo, int hi, bool indexed);
    template <class F>
    void RunSortDriver(bool saveFixedColumn, F sortRows);

    bool FCaretClickSet = false;
    TGridCoord FCaretClickCell{-1, -1};
    int FCaretClickChar = 0;
    int FSizingCol = -1, FSizingColStart = 0, FSizingRow = -1, FSizingRowStart = 0;
    String FEditStartText;
    int FEditStartCol = -1, FEditStartRow = -1;
    int FHiddenCols = 0;  // no operation of the program hides a column
    // A plain press cleared the row marks (mouse input): marked rows then
    // keep the selection look.
    bool FMarksClearedByPress = false;
    // The text the cell had when its editor opened: Escape brings it back.
    String FEscapeText;
    int FEscapeCol = -1, FEscapeRow = -1;

private:
    class TCellFileRows;  // a loaded cell file's rows (GkStringGrid.cpp)
    // A width line of a cell file ("cw col,width"): true when it set a
    // column's width.
    bool ReadWidthLine(std::string_view line);
    // Finds the rows of a loaded file in pieces on several processors and
    // gives them their texts; true when a width line set a column's width.
    bool LoadRowsInPieces(const TCellFileRows& file, size_t pos, unsigned colLimit);
    // Row `row`, which held texts before the load, takes those the loaded
    // file gives it; texts the file does not mention stay.
    void TakeFileRow(const TCellFileRows& file, int row);

    std::unique_ptr<TPrintsettings> FPrintSettings;
    std::unique_ptr<THTMLSettings> FHTMLSettings;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TColumnSize> FColumnSize;
    std::unique_ptr<TCellNode> FCellNode;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TStringList> FColumnHeaders, FRowHeaders, FLookupItems, FComboItems;
    std::unique_ptr<TFont> FFixedFont;
    std::unique_ptr<TBitmap> FSortUpGlyph, FSortDownGlyph;
    std::unique_ptr<TBackGround> FBackGround;
    std::unique_ptr<TSortIndexList> FSortIndexList;
    int FZoomLevel = 0;
    bool FBlinkPhase = true;
    int FTrackedRow = -1;
    std::vector<bool> FRowMarks;
    TImageList* FGridImages = nullptr;

    bool FAutoSize = false;
    TVAlignment FVAlignment = vtaTop;
    bool FMultilinecells = false;
    bool FSortShow = false, FSortIndexShow = false;
    int FSortColumn = 0;
    TColor FSelectionColor = clHighlight, FSelectionTextColor = clHighlightText;
    bool FSelectionRectangle = false, FShowSelection = true;
    TColor FURLColor = clBlue;
    bool FURLShow = false, FURLFull = false;
    int FFixedFooters = 0, FFixedRightCols = 0;
    bool FWordWrap = false;
    int FConfiguredFixedCols = 1, FConfiguredFixedRows = 1;
    bool FRestoringFixed = false;
    bool FStretching = false;
    bool FFileBusy = false;
    String FLookupText;
    String FScrollHintShown;
    TGridRect FParkedSelection{};
    TGkFormResizeHub* FResizeHub = nullptr;
    void WriteEditorBack(int aCol, int aRow);
    void ResetEditorFromCell(int aCol, int aRow);
    String EditorText() const;
    void HideSeparateControl();
    TEditorType FEditorType = edNormal;
    bool FSeparateEditorShown = false;
    bool FClosingEditor = false;
    bool FEntered = false;
    bool FSkipWriteBack = false;
    bool FEditingTakenByCell = false;
    String FSelectionText;
    String FOpenedValue;  // the control's value as opened, for write-back on change only
    int FComboOpenIndex = -1;
    bool FDateWasValid = false;
    TGridCombo* FComboEditor = nullptr;
    TGridSpin* FSpinEditor = nullptr;
    TGridDatePicker* FDateEditor = nullptr;
    TGridCheckBox* FCheckBoxEditor = nullptr;
    TGridEditBtn* FEditBtnEditor = nullptr;
    TGridUnitEditBtn* FUnitEditBtnEditor = nullptr;
    TGridButton* FButtonEditor = nullptr;
    TGkRichEdit* FRichEdit = nullptr;
    TScrollType FScrollType = ssNormal;
    TColor FScrollColor = clNone;
    int FScrollWidth = 16;
    bool FScrollProportional = false;
    bool FFlatActive = false;
    THintWindow* FScrollHint = nullptr;
    std::unique_ptr<TDragImage> FMoveImage;
    int FMoveGrab = 0;  // where in the moved cell the mouse took it
    void ShowMoveImage(int x, int y);
    void UpdateFlatScrollBars();
    void ApplyFlatLook();
    void ShowScrollHint(const String& text);
    void HideScrollHint();
    int FFormWidth = 0, FFormHeight = 0;
};
