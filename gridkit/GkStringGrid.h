#pragma once
// The kit's string grid: the framework's string grid with per-cell
// colours, borders, alignment, editors and fixed/read-only/password
// answers asked through overridable hooks that fire events, row bands,
// typed cell accessors, headers, row marks, the cell file and the row and
// column operations. Column and row indexes are absolute and 0-based,
// fixed cells included.
#include <memory>
#include <vector>

#include "framework/grids/StringGrid.h"
#include "gridkit/GkTypes.h"

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
class TStringList;
class TGkFormResizeHub;
class TGridCombo;
class TGridSpin;
class TGridDatePicker;
class TGridCheckBox;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridButton;
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
    bool OleDropTarget = false;
    bool OleDropSource = false;
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
    TScrollType ScrollType = ssNormal;
    TColor ScrollColor = clNone;
    int ScrollWidth = 16;
    bool ScrollProportional = false;
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
    // Widths of the normal columns fitted to their texts plus padding.
    void AutoSizeColumns(int padding);
    // The shared editors' lists: what a combo or spin editor would offer.
    TStringList* ComboItems() const { return FComboItems.get(); }
    void ClearComboItems();
    int SpinMinValue = 0, SpinMaxValue = 0, SpinIncrement = 0;

    // The scroll hint for a thumb at position 0..127 of a proportional
    // bar: "Row : n" or "Col : n", as OnScrollHint leaves it.
    String ScrollHintText(bool vertical, int thumbPos127);
    // The hint shown while a thumb is dragged; empty when none shows.
    const String& ScrollHintShown() const { return FScrollHintShown; }

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

    virtual int KitVersionNumber() const { return 0x0104; }
    virtual String KitVersionText() const { return "1.04"; }

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
    void DrawCell(int aCol, int aRow, const TRect& aRect, TGridDrawState aState) override;
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
    void KeyDown(Word& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

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

    bool FCaretClickSet = false;
    TGridCoord FCaretClickCell{-1, -1};
    int FCaretClickChar = 0;
    int FSizingCol = -1, FSizingColStart = 0, FSizingRow = -1, FSizingRowStart = 0;
    String FEditStartText;
    int FEditStartCol = -1, FEditStartRow = -1;
    int FHiddenCols = 0;  // no operation of the program hides a column
    // The text the cell had when its editor opened: Escape brings it back.
    String FEscapeText;
    int FEscapeCol = -1, FEscapeRow = -1;

private:
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
    int FFormWidth = 0, FFormHeight = 0;
};
