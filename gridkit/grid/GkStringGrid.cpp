#include "framework/controls/DragImage.h"
#include "framework/controls/HintWindow.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/markup/GkRichEdit.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cstring>
#include <utility>


#include "framework/classes/StringList.h"
#include "framework/controls/Form.h"
#include "framework/controls/Mouse.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/ImageList.h"
#include "framework/grids/InplaceEdit.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/FileReplacement.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/Pieces.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/IniFile.h"
#include "framework/system/Registry.h"
#include "gridkit/editors/GkInplaceEdit.h"
#include "gridkit/editors/GridButton.h"
#include "gridkit/editors/GridCheckBox.h"
#include "gridkit/editors/GridCombo.h"
#include "gridkit/editors/GridDatePicker.h"
#include "gridkit/editors/GridEditBtn.h"
#include "gridkit/editors/GridSpin.h"
#include "gridkit/editors/GridUnitEditBtn.h"
#include "gridkit/grid/BackGround.h"
#include "gridkit/grid/Bands.h"
#include "gridkit/grid/CellFileLines.h"
#include "gridkit/grid/CellGraphic.h"
#include "gridkit/grid/CellNode.h"
#include "gridkit/grid/ColumnSize.h"
#include "gridkit/grid/GkFormResizeHub.h"
#include "gridkit/grid/GkFunctions.h"
#include "gridkit/grid/GkGridError.h"
#include "gridkit/grid/GridItem.h"
#include "gridkit/grid/HTMLSettings.h"
#include "gridkit/grid/MouseActions.h"
#include "gridkit/grid/Navigation.h"
#include "gridkit/grid/PrintSettings.h"
#include "gridkit/grid/SizeWhileTyping.h"
#include "gridkit/grid/SortIndexList.h"

namespace {
bool gOleDropRTF = true;
constexpr UINT WM_GK_FOCUSLEFT = WM_USER + 0x4D1;
// The grid's own timer: blinking text (and hover) every half second.
constexpr std::uintptr_t kGridTimer = 111;
constexpr UINT kGridTimerMs = 500;

// The grid cell file's limits: beyond them a size line is taken for a
// damaged file rather than a grid anyone made. Rows are bounded by the
// cell count only, as long tables (lists of 100,000 pages) are real.
constexpr int kMaxFileCols = 65536;
constexpr long long kMaxFileCells = 4194304;
// Cells a file may ask for beyond what it holds: empty cells have no line,
// so a grid may be larger than its file, but not without bound.
constexpr long long kFreeFileCells = 262144;
constexpr long long kFileCellsPerByte = 4;
// Column widths a file may give, in pixels: wider than any screen, yet the
// widths of the most columns a file may have still add up within an int.
constexpr int kMaxFileColWidth = 16384;
// A load finds the lines of a file larger than kLoadAloneBytes in pieces of
// kLoadPieceBytes on several processors; a smaller file is one piece, read
// on the calling thread. The pieces are small so that a helper thread the
// system wakes late takes a short piece, and the others do not wait long
// for it.
constexpr size_t kLoadAloneBytes = size_t{1} << 19;
constexpr size_t kLoadPieceBytes = size_t{1} << 16;
// How far past a line's start the reading of its "col,row," may look.
constexpr size_t kPieceLookAhead = 32;

// Halves to even, as the runtime's Round.
int RoundPercent(double v) { return static_cast<int>(std::nearbyint(v)); }

int Percent(int row, int rowCount) {
    // A single-row grid is wholly done after its one row.
    if (rowCount <= 1) return 100;
    return RoundPercent(static_cast<double>(row) / (rowCount - 1) * 100.0);
}

void AppendInt(String& out, long long v) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

// Holds a grid's file flag for one load or save.
class TBusyGuard {
public:
    explicit TBusyGuard(bool& flag) : FFlag(flag) {
        if (FFlag) throw EGkGridError(GkGridTexts::SFileBusy);
        FFlag = true;
    }
    ~TBusyGuard() { FFlag = false; }

private:
    bool& FFlag;
};
}  // namespace

TGkStringGrid::TGkStringGrid(TComponent* owner)
    : TStringGrid(owner),
      FPrintSettings(new TPrintsettings),
      FHTMLSettings(new THTMLSettings),
      FNavigation(new TNavigation),
      FColumnSize(new TColumnSize(this)),
      FCellNode(new TCellNode),
      FBands(new TBands),
      FSizeWhileTyping(new TSizeWhileTyping),
      FMouseActions(new TMouseActions),
      FColumnHeaders(new TStringList),
      FRowHeaders(new TStringList),
      FLookupItems(new TStringList),
      FComboItems(new TStringList),
      FFixedFont(new TFont),
      FSortUpGlyph(new TBitmap),
      FSortDownGlyph(new TBitmap),
      FBackGround(new TBackGround),
      FSortIndexList(new TSortIndexList) {
    auto repaint = [this]() { Invalidate(); };
    FBands->OnChange = repaint;
    FCellNode->OnChange = repaint;
    FBackGround->OnChange = repaint;
    FColumnHeaders->OnChange = [this](TObject*) { ApplyColumnHeaders(); };
    FRowHeaders->OnChange = [this](TObject*) { ApplyRowHeaders(); };
    FFixedFont->Assign(Font());
    FFixedFont->OnChange = [this](TObject*) { Invalidate(); };
    FConfiguredFixedCols = TStringGrid::FixedCols();
    FConfiguredFixedRows = TStringGrid::FixedRows();
    SetDefaultRowHeight(21);
    FRichEdit = new TGkRichEdit(this);
    if (Mouse) WheelScrollLines = Mouse->WheelScrollLines();
    if (!HasState(csDesigning)) {
        if (auto* form = dynamic_cast<TForm*>(owner)) {
            FResizeHub = TGkFormResizeHub::Subscribe(form, this);
            FFormWidth = form->Width();
            FFormHeight = form->Height();
        }
    }
}

TGkStringGrid::~TGkStringGrid() {
    if (FColumnSize->Save) {
        try {
            SaveColumnWidths();
        } catch (...) {
            // A grid going away has no one to tell; the widths stay as stored.
        }
    }
    if (FResizeHub) TGkFormResizeHub::Unsubscribe(FResizeHub, this);
    FResizeHub = nullptr;
    if (HandleAllocated()) KillTimer(Handle(), kGridTimer);
    if (FGridImages) FGridImages->RemoveFreeNotification(this);
    // The graphics the cells hold go with the grid.
    for (auto& row : RowData())
        for (TObject*& obj : row.Objects)
            if (auto* graphic = dynamic_cast<TCellGraphic*>(obj)) {
                delete graphic;
                obj = nullptr;
            }
}

void TGkStringGrid::Loaded() {
    TStringGrid::Loaded();
    ApplyColumnHeaders();
    ApplyRowHeaders();
}

String TGkStringGrid::ScrollHintText(bool vertical, int thumbPos127) {
    const int index = vertical ? MulDiv(thumbPos127, RowCount() - VisibleRowCount() - FixedRows(), 127) + FixedRows()
                               : MulDiv(thumbPos127, ColCount() - VisibleColCount() - FixedCols(), 127) + FixedCols();
    String text = (vertical ? "Row : " : "Col : ") + IntToStr(index);
    if (OnScrollHint) OnScrollHint(this, index, text);
    return text;
}

void TGkStringGrid::WndProc(TMessage& m) {
    if (InputMessage(m)) return;
    if (m.Msg == WM_GK_FOCUSLEFT) {
        // Leaving the grid ends the edit like leaving the cell does.
        if (!FocusInside()) FFocusLeftEditor = false;
        if (FEntered && !FocusInside()) ValidateCell(String());
        return;
    }
    if (m.Msg == WM_TIMER && m.WParam == kGridTimer) {
        HoverTick();
        BlinkTick();
        return;
    }
    if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL) {
        const bool vertical = m.Msg == WM_VSCROLL;
        const bool wanted = ScrollHints == shBoth || ScrollHints == (vertical ? shVertical : shHorizontal);
        const int code = static_cast<int>(m.WParam & 0xFFFF);
        const int pos = static_cast<int>((m.WParam >> 16) & 0xFFFF);
        if (wanted && code == SB_THUMBTRACK) {
            if (FFlatActive) {
                ShowScrollHint(ScrollHintText(vertical, pos));
            } else {
                // The toolkit's own bars run over rows (columns), not 0..127.
                String text = (vertical ? "Row : " : "Col : ") + IntToStr(pos);
                if (OnScrollHint) OnScrollHint(this, pos, text);
                ShowScrollHint(text);
            }
        } else if (code == SB_ENDSCROLL || code == SB_THUMBPOSITION) {
            HideScrollHint();
        }
    }
    TStringGrid::WndProc(m);
}

void TGkStringGrid::ShowScrollHint(const String& text) {
    if (!FScrollHint) FScrollHint = new THintWindow(this);
    FScrollHint->SetColor(HintColor);
    const TRect need = FScrollHint->CalcHintRect(100, text);
    // Beside the hand that drags the thumb.
    const TPoint at = ScrollBarMousePos();
    FScrollHint->ActivateHint(Bounds(at.X + 10, at.Y, need.Width(), need.Height()), text);
    FScrollHintShown = text;
}

void TGkStringGrid::HideScrollHint() {
    if (FScrollHint) FScrollHint->ReleaseHandle();
    FScrollHintShown.clear();
}

void TGkStringGrid::SetScrollProportional(bool v) {
    if (v == FScrollProportional) return;
    FScrollProportional = v;
    if (v) {
        FFlatActive = InitializeFlatSB();
        UpdateFlatScrollBars();
    } else if (FFlatActive) {
        UninitializeFlatSB();
        FFlatActive = false;
    }
}

void TGkStringGrid::SetScrollType(TScrollType v) {
    FScrollType = v;
    ApplyFlatLook();
}

void TGkStringGrid::SetScrollColor(TColor v) {
    FScrollColor = v;
    ApplyFlatLook();
}

void TGkStringGrid::SetScrollWidth(int v) {
    FScrollWidth = v;
    ApplyFlatLook();
}

void TGkStringGrid::ApplyFlatLook() {
    if (!FFlatActive) return;
    const int mode = FScrollType == ssFlat      ? FSB_FLAT_MODE
                     : FScrollType == ssEncarta ? FSB_ENCARTA_MODE
                                                : FSB_REGULAR_MODE;
    FlatSB_SetScrollProp(WSB_PROP_VSTYLE, mode);
    FlatSB_SetScrollProp(WSB_PROP_HSTYLE, mode);
    // clNone gives the bars their usual background back.
    FlatSB_SetScrollProp(WSB_PROP_VBKGCOLOR, static_cast<int>(FScrollColor));
    FlatSB_SetScrollProp(WSB_PROP_HBKGCOLOR, static_cast<int>(FScrollColor));
    FlatSB_SetScrollProp(WSB_PROP_CXVSCROLL, FScrollWidth);
    FlatSB_SetScrollProp(WSB_PROP_CYHSCROLL, FScrollWidth);
}

int TGkStringGrid::ProportionalPage(bool vertical) const {
    const int count = vertical ? RowCount() : ColCount();
    const int shown = vertical ? VisibleRowCount() : VisibleColCount();
    return count > 0 ? static_cast<int>(std::nearbyint(shown * 128.0 / count)) : 0;
}

void TGkStringGrid::UpdateFlatScrollBars() {
    if (!FFlatActive) return;
    ApplyFlatLook();
    for (bool vertical : {true, false}) {
        const TScrollStyle bars = ScrollBars();
        if (bars != ssBoth && bars != (vertical ? ssVertical : ssHorizontal)) continue;
        TScrollInfo info;
        FlatSB_GetScrollInfo(vertical ? SB_VERT : SB_HORZ, info);
        if (info.Pos < 0 || info.Pos > 127) info.Pos = 0;
        info.Min = 0;
        info.Max = 127;
        info.Page = ProportionalPage(vertical);
        FlatSB_SetScrollInfo(vertical ? SB_VERT : SB_HORZ, info);
    }
}

void TGkStringGrid::WidgetCreated() {
    TStringGrid::WidgetCreated();
    SetTimer(Handle(), kGridTimer, kGridTimerMs);
    if (FColumnSize->Save) LoadColumnWidths();
}

void TGkStringGrid::SaveColumnWidths() {
    if (FColumnSize->Key.empty() || FColumnSize->Section.empty() || HasState(csDesigning)) return;
    if (FColumnSize->Location == clInifile) {
        TIniFile ini(FColumnSize->Key);
        for (int c = 0; c < ColCount(); ++c)
            ini.WriteInteger(FColumnSize->Section, "col" + IntToStr(c), ColWidths(c));
        ini.UpdateFile();
        return;
    }
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKey(FColumnSize->Key + "\\" + FColumnSize->Section, true)) return;
    for (int c = 0; c < ColCount(); ++c) reg.WriteInteger("col" + IntToStr(c), ColWidths(c));
    reg.CloseKey();
}

void TGkStringGrid::LoadColumnWidths() {
    if (FColumnSize->Key.empty() || FColumnSize->Section.empty() || HasState(csDesigning)) return;
    if (FColumnSize->Location == clInifile) {
        TIniFile ini(FColumnSize->Key);
        for (int c = 0; c < ColCount(); ++c) {
            const int w = ini.ReadInteger(FColumnSize->Section, "col" + IntToStr(c), -1);
            if (w != -1) SetColWidths(c, w);
        }
        return;
    }
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKeyReadOnly(FColumnSize->Key + "\\" + FColumnSize->Section)) return;
    for (int c = 0; c < ColCount(); ++c) {
        const String name = "col" + IntToStr(c);
        if (!reg.ValueExists(name)) continue;
        int w = -1;
        try {
            w = reg.ReadInteger(name);
        } catch (const Exception&) {
            w = -1;  // a value of another kind reads as missing
        }
        if (w != -1) SetColWidths(c, w);
    }
    reg.CloseKey();
}

void TGkStringGrid::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == FGridImages) FGridImages = nullptr;
    TStringGrid::Notification(component, operation);
}

// ---- property setters ---------------------------------------------------------

void TGkStringGrid::SetAutoSize(bool v) {
    FAutoSize = v;
    if (v) AutoSizeColumns(false, 10);
}

void TGkStringGrid::SetVAlignment(TVAlignment v) {
    if (v == FVAlignment) return;
    FVAlignment = v;
    Invalidate();
}

void TGkStringGrid::SetMultilinecells(bool v) {
    if (v == FMultilinecells) return;
    FMultilinecells = v;
    Invalidate();
}

void TGkStringGrid::SetSortShow(bool v) {
    FSortShow = v;
    InvalidateRow(0);
}

void TGkStringGrid::SetSortIndexShow(bool v) {
    FSortIndexShow = v;
    InvalidateRow(0);
}

void TGkStringGrid::SetSortColumn(int v) {
    FSortColumn = v;
    InvalidateRow(0);
}

void TGkStringGrid::SetSortUpGlyph(TBitmap* v) { FSortUpGlyph->Assign(v); }
void TGkStringGrid::SetSortDownGlyph(TBitmap* v) { FSortDownGlyph->Assign(v); }

void TGkStringGrid::SetSelectionColor(TColor v) {
    FSelectionColor = v;
    Invalidate();
}

void TGkStringGrid::SetSelectionTextColor(TColor v) {
    FSelectionTextColor = v;
    Invalidate();
}

void TGkStringGrid::SetSelectionRectangle(bool v) {
    FSelectionRectangle = v;
    Invalidate();
}

void TGkStringGrid::SetShowSelection(bool v) {
    if (v == FShowSelection) return;
    FShowSelection = v;
    Invalidate();
}

bool TGkStringGrid::OleDropRTF() { return gOleDropRTF; }
void TGkStringGrid::SetOleDropRTF(bool v) { gOleDropRTF = v; }

void TGkStringGrid::SetGridImages(TImageList* v) {
    if (v == FGridImages) return;
    if (FGridImages) FGridImages->RemoveFreeNotification(this);
    FGridImages = v;
    if (v) v->FreeNotification(this);
    Invalidate();
}

void TGkStringGrid::SetURLColor(TColor v) {
    if (v == FURLColor) return;
    FURLColor = v;
    if (FURLShow) Invalidate();
}

void TGkStringGrid::SetURLShow(bool v) {
    if (v == FURLShow) return;
    FURLShow = v;
    Invalidate();
}

void TGkStringGrid::SetURLFull(bool v) {
    if (v == FURLFull) return;
    FURLFull = v;
    if (FURLShow) Invalidate();
}

void TGkStringGrid::SetFixedFooters(int v) {
    if (v == FFixedFooters) return;
    FFixedFooters = std::max(0, v);
    Invalidate();
}

void TGkStringGrid::SetFixedRightCols(int v) {
    if (v == FFixedRightCols) return;
    FFixedRightCols = std::max(0, v);
    Invalidate();
}

void TGkStringGrid::SetFixedColWidth(int v) {
    for (int c = 0; c < FixedCols(); ++c) SetColWidths(c, v);
}

void TGkStringGrid::SetFixedRowHeight(int v) {
    for (int r = 0; r < FixedRows(); ++r) SetRowHeights(r, v);
}

void TGkStringGrid::SetFixedFont(TFont* v) {
    FFixedFont->Assign(v);
    Invalidate();
}

void TGkStringGrid::SetWordWrap(bool v) {
    if (v == FWordWrap) return;
    FWordWrap = v;
    Invalidate();
}

void TGkStringGrid::SetColumnHeaders(TStringList* v) {
    auto keep = std::move(FColumnHeaders->OnChange);
    FColumnHeaders->OnChange = nullptr;
    FColumnHeaders->Assign(v);
    FColumnHeaders->OnChange = std::move(keep);
    if (FixedRows() > 0)
        for (int c = 0; c < ColCount(); ++c) SetCells(c, 0, String());
    ApplyColumnHeaders();
}

void TGkStringGrid::SetRowHeaders(TStringList* v) {
    auto keep = std::move(FRowHeaders->OnChange);
    FRowHeaders->OnChange = nullptr;
    FRowHeaders->Assign(v);
    FRowHeaders->OnChange = std::move(keep);
    if (HasState(csDesigning) && FixedCols() > 0)
        for (int r = 0; r < RowCount(); ++r) SetCells(0, r, String());
    ApplyRowHeaders();
}

void TGkStringGrid::SetLookupItems(TStringList* v) {
    if (v) FLookupItems->Assign(v);
}

void TGkStringGrid::ApplyColumnHeaders() {
    if (FixedRows() <= 0) return;
    const int n = std::min(FColumnHeaders->Count(), ColCount());
    for (int c = 0; c < n; ++c) SetCells(c, 0, DecodeHeaderBreaks(FColumnHeaders->Strings(c)));
}

void TGkStringGrid::ApplyRowHeaders() {
    if (FixedCols() <= 0) return;
    const int n = std::min(FRowHeaders->Count(), RowCount());
    for (int r = 0; r < n; ++r) SetCells(0, r, DecodeHeaderBreaks(FRowHeaders->Strings(r)));
}

// ---- size and fixed counts ------------------------------------------------------

void TGkStringGrid::RestoreFixedCounts() {
    FRestoringFixed = true;
    try {
        const int wantRows = std::min(FConfiguredFixedRows, RowCount() - 1);
        if (TStringGrid::FixedRows() < wantRows) TStringGrid::SetFixedRows(wantRows);
        const int wantCols = std::min(FConfiguredFixedCols, ColCount() - 1);
        if (TStringGrid::FixedCols() < wantCols) TStringGrid::SetFixedCols(wantCols);
    } catch (...) {
        FRestoringFixed = false;
        throw;
    }
    FRestoringFixed = false;
}

void TGkStringGrid::SetColCount(int v) {
    TStringGrid::SetColCount(v);
    RestoreFixedCounts();
}

void TGkStringGrid::SetRowCount(int v) {
    const int oldCount = RowCount();
    TStringGrid::SetRowCount(v);
    // The rows cut off the end are shown rows; the hidden ones stay.
    if (RowCount() < oldCount) ShownRowsRemoved(RowCount(), oldCount - RowCount());
    RestoreFixedCounts();
}

void TGkStringGrid::SetFixedCols(int v) {
    TStringGrid::SetFixedCols(v);
    if (!FRestoringFixed) FConfiguredFixedCols = TStringGrid::FixedCols();
}

void TGkStringGrid::SetFixedRows(int v) {
    TStringGrid::SetFixedRows(v);
    if (!FRestoringFixed) FConfiguredFixedRows = TStringGrid::FixedRows();
}

void TGkStringGrid::SizeChanged(int oldColCount, int oldRowCount) {
    TStringGrid::SizeChanged(oldColCount, oldRowCount);
    if (static_cast<int>(FRowMarks.size()) > RowCount()) FRowMarks.resize(RowCount());
    if (FColumnSize->Stretch()) StretchLastColumn();
    UpdateFlatScrollBars();
}

void TGkStringGrid::ColWidthsChanged() {
    if (FColumnSize->Stretch()) StretchLastColumn();
    TStringGrid::ColWidthsChanged();
    const int sized = FSizingCol;
    if (CarryAlong(FSizingCol, FSizingColStart, FMouseActions->AllColumnSize, ColWidthList(),
                   FixedCols(), ColCount(), ColWidths(sized)))
        TStringGrid::ColWidthsChanged();
    if (sized >= 0 && OnEndColumnSize) OnEndColumnSize(this, sized);
}

void TGkStringGrid::RowHeightsChanged() {
    TStringGrid::RowHeightsChanged();
    UpdateFlatScrollBars();
    const int sized = FSizingRow;
    if (CarryAlong(FSizingRow, FSizingRowStart, FMouseActions->AllRowSize, RowHeightList(),
                   FixedRows(), RowCount(), RowHeights(sized)))
        TStringGrid::RowHeightsChanged();
    if (sized >= 0 && OnEndRowSize) OnEndRowSize(this, sized);
}

bool TGkStringGrid::CarryAlong(int& sizing, int start, bool sizeAll, std::vector<int>& sizes,
                               int first, int count, int now) {
    // The sizing ends here: the sizes set below are not another one.
    const int sized = std::exchange(sizing, -1);
    if (sized < 0 || !sizeAll || start < 1) return false;
    for (int i = first; i < count; ++i)
        if (i != sized) sizes[i] = RoundPercent(static_cast<double>(sizes[i]) * now / start);
    return true;
}

void TGkStringGrid::StretchLastColumn() {
    if (!FColumnSize->Stretch() || ColCount() <= 0 || FStretching) return;
    FStretching = true;
    const int client = ClientRect().Width();
    if (ColCount() == 1) {
        SetColWidths(0, client);
    } else {
        int sum = 0;
        for (int c = 0; c < ColCount() - 1; ++c) sum += ColWidths(c) + GridLineWidth();
        if (sum < client) SetColWidths(ColCount() - 1, client - sum - 1);
    }
    FStretching = false;
}

void TGkStringGrid::FormResized(int formWidth, int formHeight) {
    if (HasState(csDesigning) || !SizeWithForm) return;
    const int w = Width() + (formWidth - FFormWidth);
    const int h = Height() + (formHeight - FFormHeight);
    if (w > 0 && h > 0) {
        SetBounds(Left(), Top(), w, h);
        FFormWidth = formWidth;
        FFormHeight = formHeight;
    }
}

// ---- hooks ---------------------------------------------------------------------

void TGkStringGrid::GetCellColor(int aCol, int aRow, TGridDrawState aState, TBrush* aBrush, TFont* aFont) {
    if (FBands->Active() && aCol >= FixedCols() && aCol < ColCount() - FFixedRightCols &&
        aRow >= FixedRows() && aRow < RowCount() - FFixedFooters) {
        const int period = std::max(1, FBands->Period());
        const int k = (aRow - FixedRows()) % period;
        aBrush->SetColor(k >= FBands->PrimaryLength() ? FBands->SecondaryColor() : FBands->PrimaryColor());
    }
    if (OnGetCellColor) OnGetCellColor(this, aRow, aCol, aState, aBrush, aFont);
}

void TGkStringGrid::GetCellPrintColor(int aCol, int aRow, TGridDrawState aState, TBrush* aBrush,
                                      TFont* aFont) {
    if (FBands->Active() && FBands->Print && aCol >= FixedCols() &&
        aCol < ColCount() - FFixedRightCols && aRow >= FixedRows() &&
        aRow < RowCount() - FFixedFooters) {
        const int period = std::max(1, FBands->Period());
        const int k = (aRow - FixedRows()) % period;
        aBrush->SetColor(k >= FBands->PrimaryLength() ? FBands->SecondaryColor() : FBands->PrimaryColor());
    }
    if (OnGetCellPrintColor) OnGetCellPrintColor(this, aRow, aCol, aState, aBrush, aFont);
}

void TGkStringGrid::GetCellBorder(int aCol, int aRow, TPen* aPen, TCellBorders& borders) {
    if (OnGetCellBorder) OnGetCellBorder(this, aRow, aCol, aPen, borders);
}

void TGkStringGrid::GetCellPrintBorder(int aCol, int aRow, TPen* aPen, TCellBorders& borders) {
    if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, aRow, aCol, aPen, borders);
}

void TGkStringGrid::GetCellAlignment(int aCol, int aRow, TAlignment& alignment) {
    if (OnGetAlignment) OnGetAlignment(this, aRow, aCol, alignment);
}

void TGkStringGrid::GetColumnFormat(int aCol, TSortStyle& style, String& prefix, String& suffix) {
    if (OnGetFormat) OnGetFormat(this, aCol, style, prefix, suffix);
}

void TGkStringGrid::GetCellEditor(int aCol, int aRow, TEditorType& editor) {
    if (OnGetEditorType) OnGetEditorType(this, aCol, aRow, editor);
}

void TGkStringGrid::IsFixedCell(int aCol, int aRow, bool& isFixed) {
    if (OnIsFixedCell) OnIsFixedCell(this, aRow, aCol, isFixed);
}

void TGkStringGrid::CanEditCell(int aCol, int aRow, bool& canEdit) {
    if (OnCanEditCell) OnCanEditCell(this, aRow, aCol, canEdit);
}

void TGkStringGrid::IsPasswordCell(int aCol, int aRow, bool& isPassword) {
    if (OnIsPasswordCell) OnIsPasswordCell(this, aRow, aCol, isPassword);
}

void TGkStringGrid::AfterPaste(const TGridCoord&, const TGridRect&, bool) {}

// ---- typed accessors -------------------------------------------------------------

int TGkStringGrid::CellAsInteger(int aCol, int aRow) const {
    String s = Trim(Cells(aCol, aRow));
    if (s.empty()) s = "0";
    size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
    if (i == s.size()) throw EGkGridError(GkGridTexts::SNotInteger);
    for (size_t k = i; k < s.size(); ++k)
        if (s[k] < '0' || s[k] > '9') throw EGkGridError(GkGridTexts::SNotInteger);
    int v = 0;
    if (!TryStrToInt(s, v)) throw EGkGridError(GkGridTexts::SNotInteger);
    return v;
}

void TGkStringGrid::SetCellAsInteger(int aCol, int aRow, int v) { SetCells(aCol, aRow, IntToStr(v)); }

double TGkStringGrid::CellAsFloat(int aCol, int aRow) const {
    const TFormatSettings& fs = FormatSettings();
    String s = Cells(aCol, aRow);
    if (s.empty()) s = "0";
    String n;
    n.reserve(s.size());
    for (char c : s) {
        if (c == fs.ThousandSeparator) continue;
        n += c == fs.DecimalSeparator ? '.' : c;
    }
    n = Trim(n);
    double v = 0;
    const char* first = n.data();
    if (!n.empty() && *first == '+') ++first;
    const auto res = std::from_chars(first, n.data() + n.size(), v);
    if (n.empty() || res.ec != std::errc() || res.ptr != n.data() + n.size())
        throw EGkGridError(GkGridTexts::SNotInteger);
    return v;
}

void TGkStringGrid::SetCellAsFloat(int aCol, int aRow, double v) {
    SetCells(aCol, aRow, Format(FloatFormat, v));
}

TDateTime TGkStringGrid::CellAsDate(int aCol, int aRow) const { return StrToDate(Cells(aCol, aRow)); }

// ---- row marks ---------------------------------------------------------------------

bool TGkStringGrid::RowMarked(int aRow) const {
    if (aRow < 0 || aRow >= RowCount()) throw EGkGridError(GkGridTexts::SInvalidRow);
    return aRow < static_cast<int>(FRowMarks.size()) && FRowMarks[aRow];
}

void TGkStringGrid::SetRowMarked(int aRow, bool v) {
    if (aRow < 0 || aRow >= RowCount()) throw EGkGridError(GkGridTexts::SInvalidRow);
    if (aRow >= static_cast<int>(FRowMarks.size())) FRowMarks.resize(aRow + 1, false);
    if (FRowMarks[aRow] == v) return;
    FRowMarks[aRow] = v;
    RefreshRow(aRow);
}

void TGkStringGrid::ClearRowMarks() {
    for (size_t r = 0; r < FRowMarks.size(); ++r)
        if (FRowMarks[r]) {
            FRowMarks[r] = false;
            RefreshRow(static_cast<int>(r));
        }
}

void TGkStringGrid::MarkSelectedRows() {
    const TGridRect s = Selection();
    if (s.Top < 0 || s.Bottom < 0) return;
    for (int r = s.Top; r <= s.Bottom && r < RowCount(); ++r)
        if (!RowMarked(r)) SetRowMarked(r, true);
}

// ---- cell operations ------------------------------------------------------------------

void TGkStringGrid::ClearAllCells() {
    if (RowCount() > 0 && ColCount() > 0) ClearCellRect(0, 0, ColCount() - 1, RowCount() - 1);
    // Hidden rows are the grid's cells too: they come back empty, in their
    // places, rather than bring old texts into a cleared grid.
    if (FHiddenRows)
        for (int i = 0; i < FHiddenRows->Count(); ++i) {
            TStringList* texts = static_cast<TGridItem*>(FHiddenRows->Items(i))->Items();
            for (int c = 0; c < texts->Count(); ++c) texts->Put(c, String());
        }
}

void TGkStringGrid::RefreshCell(int aCol, int aRow) { InvalidateCell(aCol, aRow); }
void TGkStringGrid::RefreshRow(int aRow) { InvalidateRow(aRow); }
void TGkStringGrid::RefreshCellRange(const TGridRect&) { Invalidate(); }

void TGkStringGrid::CenterCellInView(int aCol, int aRow) {
    if (aCol < 0 || aRow < 0 || aCol >= ColCount() || aRow >= RowCount()) return;
    int left = LeftCol(), top = TopRow();
    const int visCols = VisibleColCount(), visRows = VisibleRowCount();
    if (aCol < left || aCol >= left + visCols) left = std::max(FixedCols(), aCol - visCols / 2);
    if (aRow < top || aRow >= top + visRows) top = std::max(FixedRows(), aRow - visRows / 2);
    MoveTopLeft(left, top);
}

void TGkStringGrid::ParkSelection() {
    FParkedSelection = Selection();
    SetSelection({ColCount(), RowCount(), ColCount(), RowCount()});
}

bool TGkStringGrid::IsOnSizingEdge(int x, int y) {
    const TGridCoord cell = MouseCoord(x, y);
    if (cell.X < 0) return false;
    const TRect r = CellRect(cell.X, cell.Y);
    if ((Options() & goColSizing) && cell.Y < FixedRows() &&
        (x - r.Left < 4 || r.Right - x < 4))
        return true;
    if ((Options() & goRowSizing) && cell.X < FixedCols() && (y - r.Top < 4 || r.Bottom - y < 4))
        return true;
    return false;
}

TAlignment TGkStringGrid::CellAlignment(int aCol, int aRow) {
    TAlignment a = taLeftJustify;
    if (AutoNumAlign) {
        const String t = Cells(aCol, aRow);
        if (!t.empty() && ClassifyNumberText(t) < 2) a = taRightJustify;
    }
    GetCellAlignment(aCol, aRow, a);
    return a;
}

TSize TGkStringGrid::CellGraphicSize(int aCol, int aRow) const {
    if (!EnableGraphics || aCol < 0 || aRow < 0 || aCol >= ColCount() || aRow >= RowCount())
        return TSize{0, 0};
    const auto* graphic = dynamic_cast<const TCellGraphic*>(Objects(aCol, aRow));
    if (!graphic) return TSize{0, 0};
    return graphic->Size(FGridImages ? FGridImages->Width() : 0, FGridImages ? FGridImages->Height() : 0);
}

bool TGkStringGrid::TakeCaretClick(int aCol, int aRow, int& charIndex) {
    if (!FCaretClickSet) return false;
    FCaretClickSet = false;
    if (FCaretClickCell.X != aCol || FCaretClickCell.Y != aRow) return false;
    charIndex = FCaretClickChar;
    return true;
}

int TGkStringGrid::CharAtCellX(int aCol, int aRow, int x) {
    const int real = RealColIndex(aCol);
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(aRow < FixedRows() || aCol < FixedCols() ? FFixedFont.get() : Font());
    const String text = FirstLine(Cells(real, aRow));
    const TRect r = CellRect(aCol, aRow);
    // The same 2-pixel inset and alignment as DrawCell.
    const int width = canvas->TextWidth(text);
    int left = r.Left + 2;
    switch (CellAlignment(real, aRow)) {
    case taRightJustify: left = r.Right - 2 - width; break;
    case taCenter: left = r.Left + 2 + (r.Width() - 4 - width) / 2; break;
    default: break;
    }
    int best = 0;
    int bestDistance = std::abs(left - x);
    for (size_t i = 1; i <= text.size(); ++i) {
        const int distance = std::abs(left + canvas->TextWidth(text.substr(0, i)) - x);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

void TGkStringGrid::LoadRichCell(const String& text) { FRichEdit->LoadCellText(text); }

void TGkStringGrid::ClearComboItems() { FComboItems->Clear(); }

// A formula cell shows what a descendant computes; the base shows the text.
String TGkStringGrid::GetDisplayText(int aCol, int aRow) { return Cells(aCol, aRow); }

void TGkStringGrid::StepToNextCell(int aCol, int aRow, bool forward, bool showEditor, bool force) {
    if (!FNavigation->AdvanceOnEnter && !force) return;
    const int lastCol = ColCount() - 1 - FFixedRightCols;
    const int lastRow = RowCount() - 1 - FFixedFooters;
    const bool leftRight = FNavigation->AdvanceDirection == adLeftRight;
    int c = aCol, r = aRow;
    // Every cell refusing selection must not hold the grid in a loop.
    for (long long guard = static_cast<long long>(ColCount()) * RowCount() + 1; guard > 0; --guard) {
        if (forward) {
            if (leftRight ? c < lastCol : r < lastRow) {
                leftRight ? ++c : ++r;
            } else if (leftRight ? r < lastRow : c < lastCol) {
                if (leftRight) {
                    c = FixedCols();
                    ++r;
                } else {
                    r = FixedRows();
                    ++c;
                }
            } else if (FNavigation->AdvanceInsert) {
                if (leftRight) {
                    bool canAdd = true;
                    if (OnCanAddRow) OnCanAddRow(this, canAdd);
                    if (!canAdd) return;
                    SetRowCount(RowCount() + 1);
                    const int newRow = RowCount() - 1 - FFixedFooters;
                    FocusCell(FixedCols(), newRow, true);
                    if (OnAutoAddRow) OnAutoAddRow(this, newRow);
                } else {
                    SetColCount(ColCount() + 1);
                    const int newCol = ColCount() - 1 - FFixedRightCols;
                    FocusCell(newCol, FixedRows(), true);
                    if (OnAutoInsertCol) OnAutoInsertCol(this, newCol);
                    Invalidate();
                }
                if (showEditor) ShowEditor();
                return;
            } else {
                c = FixedCols();
                r = FixedRows();
                if (!leftRight) Invalidate();
            }
        } else {
            if (leftRight) {
                if (c > FixedCols()) {
                    --c;
                } else if (r > FixedRows()) {
                    c = lastCol;
                    --r;
                } else {
                    return;
                }
            } else {
                if (r > FixedRows()) {
                    --r;
                } else if (c > FixedCols()) {
                    r = lastRow;
                    --c;
                } else {
                    return;
                }
            }
        }
        if (SelectCell(c, r)) {
            FocusCell(c, r, true);
            break;
        }
    }
    if (showEditor) ShowEditor();
}

// ---- base grid overrides --------------------------------------------------------------

bool TGkStringGrid::SelectCell(int aCol, int aRow) {
    bool allow = true;
    if (aRow != Row() && OnRowChanging) OnRowChanging(this, Row(), aRow, allow);
    if (aCol != Col() && OnColChanging) OnColChanging(this, Col(), aCol, allow);
    if ((aRow != Row() || aCol != Col()) && OnCellChanging)
        OnCellChanging(this, Row(), Col(), aRow, aCol, allow);
    if (allow) {
        const int real = RealColIndex(aCol);
        FSelectionText = Cells(real, aRow);
        // Editability is decided cell by cell. A cell that refused editing
        // takes goEditing away only while it is selected: the next cell
        // starts from the grid's own setting again.
        bool canEdit = (Options() & goEditing) != 0 || FEditingTakenByCell;
        CanEditCell(real, aRow, canEdit);
        const bool had = (Options() & goEditing) != 0;
        if (canEdit != had) {
            FEditingTakenByCell = !canEdit;
            SetOptions(canEdit ? (Options() | goEditing) : (Options() & ~goEditing));
        } else if (canEdit) {
            FEditingTakenByCell = false;
        }
    }
    if (CellIsFixed(aCol, aRow)) return false;
    const bool base = TStringGrid::SelectCell(aCol, aRow);
    return allow && base;
}

bool TGkStringGrid::CanEditShow() {
    bool base = TStringGrid::CanEditShow();
    if (HasState(csDesigning)) return base;
    if (!base || FSeparateEditorShown) return false;
    const int real = RealColIndex(Col());
    bool canEdit = true;
    CanEditCell(real, Row(), canEdit);
    if (!canEdit) return false;
    FSelectionText = Cells(real, Row());
    FEditorType = edNormal;
    GetCellEditor(real, Row(), FEditorType);
    switch (FEditorType) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase: return true;
    case edDataCheckBox: return false;
    default: OpenCellEditor(Col(), Row()); return false;
    }
}

String TGkStringGrid::GetEditText(int aCol, int aRow) {
    FEscapeText = Cells(aCol, aRow);
    FEscapeCol = aCol;
    FEscapeRow = aRow;
    if (auto* edit = dynamic_cast<TGkInplaceEdit*>(InplaceEditor())) {
        bool password = FEditorType == edPassword;
        IsPasswordCell(aCol, aRow, password);
        edit->SetPasswordChar(password ? PasswordChar : 0);
        // Numbers stay where the cell shows them while they are edited.
        edit->valign = CellAlignment(aCol, aRow) == taRightJustify;
        edit->SetAlignment(edit->valign ? taRightJustify : taLeftJustify);
    }
    return TStringGrid::GetEditText(aCol, aRow);
}

int TGkStringGrid::GetEditLimit() { return MaxEditLength; }

void TGkStringGrid::KeyPress(char& key) {
    if (key == 27 && (Options() & goEditing)) {
        if (EditorMode() && FEscapeCol == Col() && FEscapeRow == Row())
            SetCells(Col(), Row(), FEscapeText);
        HideEditor();
        key = 0;
        return;
    }
    if (key == '\r' && KeyFromEditor()) StepToNextCell(Col(), Row(), true, false, false);
    if (key != 0 && !(Options() & goEditing) && FNavigation->AutoGotoWhenSorted) {
        if (!FNavigation->AutoGotoIncremental) {
            FLookupText = String(1, UpCase(key));
        } else if (key == '\b') {
            if (!FLookupText.empty()) FLookupText.pop_back();
        } else {
            FLookupText += UpCase(key);
        }
        const int col = FSortShow ? FSortColumn : 1;
        if (RowCount() >= 2 && !FLookupText.empty()) {
            for (int r = FixedRows(); r < RowCount(); ++r) {
                if (UpperCase(Cells(col, r).substr(0, FLookupText.size())) == FLookupText) {
                    SetRow(r);
                    break;
                }
            }
        }
    }
    TStringGrid::KeyPress(key);
    // A character that opened the combo editor is the combo's first key.
    if (static_cast<unsigned char>(key) >= 32 && FSeparateEditorShown &&
        (FEditorType == edComboEdit || FEditorType == edComboList) && FComboEditor && FComboEditor->Visible()) {
        FComboEditor->TypedOnCell(key);
        key = 0;
    }
}

// ---- the cell file ------------------------------------------------------------------------

void TGkStringGrid::SaveCellsToFile(const String& fileName) {
    TBusyGuard busy(FFileBusy);
    std::unique_ptr<TFileReplacement> file;
    try {
        CheckWritableTarget(fileName);
        file = std::make_unique<TFileReplacement>(fileName);
    } catch (const EFCreateError&) {
        throw EGkGridError(String(GkGridTexts::SCannotCreate) + fileName);
    }
    const int cols = ColCount() + FHiddenCols;
    const int rows = RowCount();
    String head;
    AppendInt(head, cols);
    head += ',';
    AppendInt(head, rows);
    head += "\r\n";
    for (int c = 0; c < cols; ++c) {
        head += "cw ";
        AppendInt(head, c);
        head += ',';
        AppendInt(head, ColWidths(c));
        head += "\r\n";
    }
    file->Write(head);
    // The cell lines go out in pieces of about this size: memory stays flat
    // however large the grid, and the file is put in place only whole. A
    // line is put together in place from the column's and the row's number
    // texts, made once.
    constexpr size_t kPiece = 256 * 1024;
    String out(kPiece, '\0');
    size_t at = 0;
    std::vector<String> colTexts(static_cast<size_t>(cols));
    for (int c = 0; c < cols; ++c) {
        AppendInt(colTexts[static_cast<size_t>(c)], c);
        colTexts[static_cast<size_t>(c)] += ',';
    }
    String rowText;
    int lastProgress = -1;
    for (int r = 0; r < rows; ++r) {
        rowText.clear();
        AppendInt(rowText, r);
        rowText += ',';
        for (int c = 0; c < cols; ++c) {
            const std::string_view text = CellText(c, r);
            if (text.empty()) continue;
            const String& colText = colTexts[static_cast<size_t>(c)];
            const size_t need = colText.size() + rowText.size() + text.size() + 2;
            if (at + need > out.size()) {
                file->Write(out.data(), at);
                at = 0;
                if (need > out.size()) out.resize(need);
            }
            char* w = out.data() + at;
            std::memcpy(w, colText.data(), colText.size());
            w += colText.size();
            std::memcpy(w, rowText.data(), rowText.size());
            w += rowText.size();
            std::memcpy(w, text.data(), text.size());
            // CR and LF have stand-ins of the same length (EncodeCellText).
            if (std::memchr(w, '\r', text.size())) {
                for (char* p = w; p < w + text.size(); ++p) {
                    if (*p == '\r') *p = '\t';
                    else if (*p == '\n') *p = '\b';
                }
            }
            w += text.size();
            w[0] = '\r';
            w[1] = '\n';
            at += need;
        }
        if (OnFileProgress) {
            const int p = Percent(r, rows);
            if (p != lastProgress) {
                lastProgress = p;
                OnFileProgress(this, static_cast<short>(p));
            }
        }
    }
    file->Write(out.data(), at);
    file->Commit();
}

// A loaded cell file: its bytes, where its cells' texts stay (decoded in
// place, as a decoded text is never longer), and a table of their spans.
class TGkStringGrid::TCellFileRows {
public:
    TCellFileRows(String&& data, bool lfLines, int cols, int rows, bool multiline)
        : FTable(new TCellTable(std::move(data), static_cast<size_t>(rows), static_cast<size_t>(cols))),
          FLfLines(lfLines), FCols(cols), FMultiline(multiline), FColLimit(static_cast<unsigned>(std::min(cols, 10))) {}

    const TCellTable::TRef& Table() const { return FTable; }
    const char* Bytes() const { return FTable->Bytes().data(); }
    size_t Size() const { return FTable->Bytes().size(); }
    TCellSpan* Spans(int row) const { return FTable->RowSpans(static_cast<size_t>(row)); }

    // The cell lines of `row` in [begin, end): put(col, span) gets each
    // one's span in the file's bytes, as stored, in file order. Lines of
    // other rows, columns beyond the file's and lines that are no cells
    // are passed over.
    template <class Put>
    void Lines(int row, size_t begin, size_t end, Put&& put) const {
        const char* data = Bytes();
        const size_t n = Size();
        ForEachCellLine(data, begin, std::min(end, n), FLfLines, [&](size_t b, size_t e) {
            int col, r;
            size_t text;
            if (n - b >= 8 && ReadPlainCellHead(data + b, FColLimit, col, r, text)) {
                text += b;
            } else if (IsWidthLine(data, b, e) || !ParseCellLine(data, b, e, col, r, text)) {
                return;
            }
            if (r != row || col < 0 || col >= FCols) return;
            put(col, TCellSpan{static_cast<uint32_t>(text), static_cast<uint32_t>(e - text)});
        });
    }
    // Whether a stored text reads otherwise than it stands (DecodeCellText).
    bool Coded(TCellSpan s) const {
        const char* t = Bytes() + s.Offset;
        return std::memchr(t, '\b', s.Size) || (!FMultiline && std::memchr(t, '\r', s.Size));
    }
    // Decodes a stored text where it lies (a decoded text is never longer)
    // and gives its span; each text is decoded once.
    TCellSpan Decode(TCellSpan s) const {
        return {s.Offset,
                static_cast<uint32_t>(DecodeCellTextInPlace(FTable->MutableBytes() + s.Offset, s.Size, FMultiline))};
    }
    // Reads a run of `row` on the calling thread: each text decoded, then
    // put(col, span).
    template <class Put>
    void DecodedLines(int row, size_t begin, size_t end, Put&& put) const {
        Lines(row, begin, end, [&](int col, TCellSpan s) { put(col, Coded(s) ? Decode(s) : s); });
    }

private:
    TCellTable::TRef FTable;
    bool FLfLines;
    int FCols;
    bool FMultiline;
    unsigned FColLimit;
};

// The rows of a large file are found in pieces on several processors at
// once, each piece giving its rows their bytes itself: a row goes to the
// first piece that finds a run of it, and a row with more than one run
// (cut by a piece's end, or lines written out of order) takes the others
// here afterwards, in file order, as a walk from start to end would.
bool TGkStringGrid::ReadWidthLine(std::string_view line) {
    const size_t wc = line.find(',');
    const std::string_view idxText =
        line.size() > 3 ? line.substr(3, wc == std::string_view::npos ? wc : wc - 3) : std::string_view();
    const int idx = CellFileNumber(idxText);
    const int width = wc == std::string_view::npos ? 0 : CellFileNumber(line.substr(wc + 1, 255));
    if (idx < 0 || idx >= ColCount()) return false;
    ColWidthList()[idx] = std::clamp(width, -1, kMaxFileColWidth);
    return true;
}

bool TGkStringGrid::LoadRowsInPieces(const TCellFileRows& file, size_t pos, unsigned colLimit) {
    // A cell line's text: its cell, where it lies, and whether it is still
    // to be decoded.
    struct TLine {
        int Row, Col;
        TCellSpan Span;
        bool Coded;
    };
    struct TPieceRest {
        std::vector<TLine> Coded;   // lines of rows this piece took
        std::vector<TLine> Others;  // lines of rows another piece took
        std::vector<std::pair<size_t, size_t>> Widths;
        std::vector<int> Merge;  // rows taken that hold texts of their own
    };
    const char* bytes = file.Bytes();
    const size_t n = file.Size();
    const int colCount = ColCount(), rowCount = RowCount();
    // Which piece (counted from 1) took each row: only that one writes
    // the row's spans while the pieces run.
    const std::unique_ptr<std::atomic<uint32_t>[]> taken(new std::atomic<uint32_t>[rowCount]());
    const std::vector<size_t> cuts = CellFilePieces(bytes, pos, n, n - pos > kLoadAloneBytes ? kLoadPieceBytes : n);
    std::vector<TPieceRest> rest(cuts.size() - 1);
    // A row that holds nothing refers to the file's texts as soon as a
    // piece takes it; the table learns how many rows do once they are done.
    TCellTable* table = file.Table().get();
    TRowData* rows = RowData().data();
    std::atomic<size_t> referring{0};
    auto walk = [&](size_t k) {
        TPieceRest& out = rest[k];
        const uint32_t me = static_cast<uint32_t>(k) + 1;
        size_t referred = 0;
        struct TCount {
            std::atomic<size_t>& Total;
            size_t& Rows;
            ~TCount() { Total += Rows; }
        } count{referring, referred};
        const size_t pieceEnd = cuts[k + 1];
        TCellLineState state;
        int lastRow = -1;
        bool mine = false;
        TCellSpan* spans = nullptr;
        // The next #8 of the piece: few texts hold one.
        const char* coded = static_cast<const char*>(std::memchr(bytes + cuts[k], '\b', pieceEnd - cuts[k]));
        // A cell line's text [text, e) for (col, row), both within the grid.
        auto cell = [&](int col, int row, size_t text, size_t e) {
            bool isCoded = false;
            if (coded && coded < bytes + e) {
                isCoded = coded >= bytes + text || std::memchr(bytes + text, '\b', e - text);
                coded = static_cast<const char*>(std::memchr(bytes + e, '\b', pieceEnd - e));
            }
            TCellSpan span{static_cast<uint32_t>(text), static_cast<uint32_t>(e - text)};
            // A text is decoded where it lies, unless the piece before may
            // still read it (it reads a few bytes past its last line's start).
            if (isCoded && (k == 0 || text >= cuts[k] + kPieceLookAhead)) {
                span = file.Decode(span);
                isCoded = false;
            }
            if (row != lastRow) {
                lastRow = row;
                uint32_t owner = 0;
                if (taken[row].compare_exchange_strong(owner, me, std::memory_order_relaxed)) {
                    mine = true;
                    table->ClearRow(static_cast<size_t>(row));
                    TRowCells& cells = rows[row].Cells;
                    if (cells.Empty()) {
                        cells.ReferUncounted(table, static_cast<size_t>(row));
                        ++referred;
                    } else {
                        out.Merge.push_back(row);
                    }
                } else {
                    mine = owner == me;
                }
                spans = file.Spans(row);
            }
            if (!mine) {
                out.Others.push_back({row, col, span, isCoded});
                return;
            }
            spans[col] = span;
            if (isCoded) out.Coded.push_back({row, col, span, true});
        };
        // The first eight bytes of the last line in the form the grid
        // writes ("d,row,") whose row is within the grid, the mask of its
        // ",row," and where its text starts: a line with the same bytes
        // there and a column digit below the limit goes on with that row,
        // as most lines do, and is read in a few operations.
        uint64_t rowWord = 0, rowMask = 0;
        unsigned rowLimit = 0;
        size_t head = 0;
        ForEachCellLine(bytes, cuts[k], pieceEnd, false, [&](size_t b, size_t e) {
            uint64_t w = 0;
            if (n - b >= 8) {
                w = CellFileDetail::Load8(bytes + b);
                const unsigned digit = static_cast<unsigned>(w & 0xFF) - 0x30u;
                if (((w ^ rowWord) & rowMask) == 0 && digit < rowLimit) {
                    cell(static_cast<int>(digit), lastRow, b + head, e);
                    return;
                }
            }
            rowLimit = 0;
            int col, row;
            size_t text;
            if (n - b >= 8 && ReadPlainCellHead(bytes + b, colLimit, col, row, text)) {
                if (row < rowCount) {
                    rowWord = w;
                    rowMask = CellFileDetail::PlainHeadMask(w, colLimit);
                    rowLimit = colLimit;
                    head = text;
                }
                text += b;  // the form the grid writes, read at once
            } else if (IsWidthLine(bytes, b, e)) {
                out.Widths.emplace_back(b, e);
                return;
            } else if (!ParseCellLineFast(bytes, b, e, n, state, col, row, text)) {
                return;  // no cell line at all
            }
            if (col < 0 || col >= colCount || row < 0 || row >= rowCount) return;
            cell(col, row, text, e);
        });
    };
    try {
        RunPieces(rest.size(), walk);
    } catch (...) {
        table->AddUsers(referring);
        throw;
    }
    table->AddUsers(referring);
    bool widthsChanged = false;
    for (const TPieceRest& piece : rest) {
        for (const TLine& line : piece.Coded) {
            TCellSpan& span = file.Spans(line.Row)[line.Col];
            const TCellSpan decoded = file.Decode(line.Span);
            if (span.Offset == decoded.Offset) span = decoded;
        }
        for (const auto& [b, e] : piece.Widths) widthsChanged |= ReadWidthLine(std::string_view(bytes + b, e - b));
    }
    // A row's lines in other pieces: a text stands where the line latest
    // in the file puts it, whichever piece read it first.
    for (const TPieceRest& piece : rest)
        for (const TLine& line : piece.Others) {
            TCellSpan& span = file.Spans(line.Row)[line.Col];
            if (line.Span.Offset > span.Offset) span = line.Coded ? file.Decode(line.Span) : line.Span;
        }
    for (const TPieceRest& piece : rest)
        for (int row : piece.Merge) TakeFileRow(file, row);
    return widthsChanged;
}

void TGkStringGrid::TakeFileRow(const TCellFileRows& file, int row) {
    TRowCells& cells = RowData()[static_cast<size_t>(row)].Cells;
    const TCellSpan* spans = file.Spans(row);
    const size_t cols = std::min(file.Table()->Cols(), static_cast<size_t>(ColCount()));
    for (size_t c = 0; c < cols; ++c)
        if (spans[c].Offset) cells.Set(c, file.Table()->Text(spans[c]), static_cast<size_t>(ColCount()));
}

void TGkStringGrid::LoadCellsFromFile(const String& fileName) {
    TBusyGuard busy(FFileBusy);
    String data;
    try {
        data = ReadFileToStringInPieces(fileName);
    } catch (const EFOpenError&) {
        throw EGkGridError(String(GkGridTexts::SCannotOpen) + fileName);
    }
    const size_t n = data.size();
    const size_t firstBreak = data.find_first_of("\r\n");
    const bool lfLines = firstBreak != String::npos && data[firstBreak] == '\n';

    // The size line.
    const String corrupt = String(GkGridTexts::SCorruptFile) + fileName;
    if (n == 0) throw EGkGridError(corrupt);
    size_t headEnd = n, pos = n;
    if (firstBreak != String::npos) {
        headEnd = firstBreak;
        pos = firstBreak + 1;
        if (lfLines) {
            if (headEnd > 0 && data[headEnd - 1] == '\r') --headEnd;
        } else if (pos < n && data[pos] == '\n') {
            ++pos;
        }
    }
    const std::string_view sizeLine = std::string_view(data).substr(0, headEnd);
    const size_t comma = sizeLine.find(',');
    if (comma == std::string_view::npos) throw EGkGridError(corrupt);
    bool colDigits = false, rowDigits = false;
    const int cols = CellFileNumber(sizeLine.substr(0, comma), &colDigits);
    const int rows = CellFileNumber(sizeLine.substr(comma + 1), &rowDigits);
    const long long cells = static_cast<long long>(cols) * rows;
    if (!colDigits || !rowDigits || cols < 1 || rows < 1 || cols > kMaxFileCols || cells > kMaxFileCells ||
        cells > kFreeFileCells + kFileCellsPerByte * static_cast<long long>(n))
        throw EGkGridError(corrupt);

    if (n > TCellTable::kMaxBytes) throw EGkGridError(corrupt);

    DropHiddenRows();
    SetColCount(cols - FHiddenCols);
    SetRowCount(rows);
    const int colCount = ColCount(), rowCount = RowCount();
    bool widthsChanged = false;

    // Each row's lines are found here and their texts decoded where they
    // lie; the rows then refer to the file's bytes. A row's lines usually
    // follow each other (the grid writes them so); a row whose lines come
    // in several runs takes them in turn.
    const TCellFileRows file(std::move(data), lfLines, colCount, rowCount, FMultilinecells);
    const char* bytes = file.Bytes();
    const unsigned colLimit = static_cast<unsigned>(std::clamp(colCount, 0, 10));
    auto width = [&](size_t b, size_t e) { widthsChanged |= ReadWidthLine(std::string_view(bytes + b, e - b)); };
    ++FUpdateLock;
    try {
        if (lfLines || OnFileProgress) {
            // One walk on this thread: the progress handler may look at the
            // grid between lines, and change it.
            int lastProgress = -1;
            auto run = [&](int row, size_t b, size_t e) {
                if (row >= RowCount()) return;
                TRowCells& cells = RowData()[static_cast<size_t>(row)].Cells;
                if (cells.Empty() && file.Table()->Cols() <= static_cast<size_t>(ColCount())) {
                    file.Table()->ClearRow(static_cast<size_t>(row));
                    cells.Refer(file.Table(), static_cast<size_t>(row));
                }
                if (cells.RefersTo(file.Table().get(), static_cast<size_t>(row))) {
                    TCellSpan* spans = file.Spans(row);
                    file.DecodedLines(row, b, e, [&](int col, TCellSpan span) { spans[col] = span; });
                } else {
                    file.DecodedLines(row, b, e, [&](int col, TCellSpan span) {
                        if (col < ColCount()) cells.Set(col, file.Table()->Text(span), ColCount());
                    });
                }
            };
            auto cell = [&](int row) {
                if (!OnFileProgress) return;
                const int p = Percent(row, rowCount);
                if (p != lastProgress) {
                    lastProgress = p;
                    OnFileProgress(this, static_cast<short>(p));
                }
            };
            TCellRowGather gather(bytes, n, colCount, rowCount, colLimit, run, width, cell);
            if (lfLines) {
                size_t before = pos;
                ForEachCellLine(bytes, pos, n, true, [&](size_t b, size_t e) {
                    gather.Line(b, e, before);
                    before = e;
                });
                gather.Finish(before);
            } else {
                gather.Finish(ForEachCellRowChange(bytes, pos, n, colLimit,
                                                   [&](size_t b, size_t e, size_t before) { gather.Line(b, e, before); }));
            }
        } else {
            widthsChanged = LoadRowsInPieces(file, pos, colLimit);
        }
    } catch (...) {
        --FUpdateLock;
        throw;
    }
    --FUpdateLock;
    if (widthsChanged) ColWidthsChanged();
    UpdateScrollRange();
    Invalidate();
}

// ---- row and column operations ------------------------------------------------------------

void TGkStringGrid::ClearCellRect(int aCol1, int aRow1, int aCol2, int aRow2) {
    if (aRow2 < aRow1) return;
    auto& data = RowData();
    const int r1 = std::max(0, aRow1), r2 = std::min(RowCount() - 1, aRow2);
    const int c1 = std::max(0, aCol1);
    for (int r = r1; r <= r2; ++r) {
        auto& cells = data[r].Cells;
        const int c2 = std::min(static_cast<int>(cells.Count()) - 1, aCol2);
        if (c1 == 0 && c2 == static_cast<int>(cells.Count()) - 1) {
            cells.Clear();  // the whole row: nothing kept for it
        } else {
            for (int c = c1; c <= c2; ++c)
                if (!cells.Text(c).empty()) cells.Set(c, {}, ColCount());
        }
        if (EnableGraphics) {
            auto& objs = data[r].Objects;
            const int o2 = std::min(static_cast<int>(objs.size()) - 1, aCol2);
            for (int c = c1; c <= o2; ++c) {
                delete dynamic_cast<TCellGraphic*>(objs[c]);
                objs[c] = nullptr;
            }
        }
    }
    Invalidate();
}

void TGkStringGrid::ClearRowRange(int aRow, int aCount) {
    if (RowCount() > 0 && ColCount() > 0 && aCount >= 1)
        ClearCellRect(0, aRow, ColCount() - 1 + FHiddenCols, aRow + aCount - 1);
}

void TGkStringGrid::ClearColumnRange(int aCol, int aCount) {
    if (RowCount() > 0 && ColCount() > 0 && aCount >= 1)
        ClearCellRect(aCol, 0, aCol + aCount - 1, RowCount() - 1);
}

void TGkStringGrid::InsertRowRange(int aRow, int aCount) {
    if (aCount < 1) return;
    aRow = std::clamp(aRow, 0, RowCount());
    if (EditorMode()) HideEditor();
    ShownRowsInserted(aRow, aCount);
    const int oldCount = RowCount();
    ++FUpdateLock;
    SetRowCount(oldCount + aCount);
    auto& data = RowData();
    std::rotate(data.begin() + aRow, data.begin() + oldCount, data.end());
    auto& heights = RowHeightList();
    std::rotate(heights.begin() + aRow, heights.begin() + oldCount, heights.end());
    for (int r = aRow; r < aRow + aCount; ++r) {
        heights[r] = DefaultRowHeight();
        data[r].Objects.clear();
    }
    if (aRow < static_cast<int>(FRowMarks.size()))
        FRowMarks.insert(FRowMarks.begin() + aRow, aCount, false);
    --FUpdateLock;
    ClearRowRange(aRow, aCount);
    RowHeightsChanged();
}

void TGkStringGrid::DeleteRowRange(int aRow, int aCount) {
    if (aCount < 1 || aRow < 0 || aRow >= RowCount()) return;
    if (EditorMode()) HideEditor();
    // The heading rows stay headings: the grid keeps one data row below
    // them and empties it instead of deleting it.
    const int minRows = FConfiguredFixedRows + 1;
    const int wanted = std::min(aCount, RowCount() - aRow);
    const int removable = std::clamp(RowCount() - minRows, 0, wanted);
    ++FUpdateLock;
    if (removable > 0) {
        ShownRowsRemoved(aRow, removable);
        TStoreMoving moving(FStoreMoving);
        auto& data = RowData();
        data.erase(data.begin() + aRow, data.begin() + aRow + removable);
        auto& heights = RowHeightList();
        heights.erase(heights.begin() + aRow, heights.begin() + aRow + removable);
        if (FMouseActions->DisjunctRowSelect && aRow < static_cast<int>(FRowMarks.size()))
            FRowMarks.erase(FRowMarks.begin() + aRow,
                            FRowMarks.begin() + std::min<int>(aRow + removable, FRowMarks.size()));
        SetRowCount(RowCount() - removable);
    }
    --FUpdateLock;
    if (wanted > removable) ClearRowRange(aRow, wanted - removable);
    const int lastRow = RowCount() - 1 - FFixedFooters;
    if (Row() >= lastRow && lastRow >= FixedRows()) FocusCell(Col(), lastRow, true);
    RowHeightsChanged();
}

void TGkStringGrid::DeleteRow(int aRow) { DeleteRowRange(aRow, 1); }

void TGkStringGrid::RemoveRowsShifted(int aRow, int aCount) {
    if (aCount < 1 || aRow < 0 || aRow >= RowCount()) return;
    if (EditorMode()) HideEditor();
    const int minRows = FConfiguredFixedRows + 1;
    const int wanted = std::min(aCount, RowCount() - aRow);
    const int removable = std::clamp(RowCount() - minRows, 0, wanted);
    const int keepRow = Row();
    ++FUpdateLock;
    if (removable > 0) {
        ShownRowsRemoved(aRow, removable);
        TStoreMoving moving(FStoreMoving);
        auto& data = RowData();
        data.erase(data.begin() + aRow, data.begin() + aRow + removable);
        auto& heights = RowHeightList();
        heights.erase(heights.begin() + aRow, heights.begin() + aRow + removable);
        SetRowCount(RowCount() - removable);
    }
    --FUpdateLock;
    if (wanted > removable) ClearRowRange(aRow, wanted - removable);
    if (keepRow >= RowCount()) {
        FocusCell(Col(), FixedRows(), true);
        SetTopRow(FixedRows());
    }
    RowHeightsChanged();
}

void TGkStringGrid::RemoveColumnRange(int aCol, int aCount) {
    if (aCount < 1 || aCol < 0 || aCol >= ColCount()) return;
    if (EditorMode()) HideEditor();
    const int minCols = FConfiguredFixedCols + 1;
    const int wanted = std::min(aCount, ColCount() - aCol);
    ClearColumnRange(aCol, wanted);
    const int removable = std::clamp(ColCount() - minCols, 0, wanted);
    if (removable <= 0) return;
    ++FUpdateLock;
    for (auto& row : RowData()) {
        row.Cells.Erase(aCol, removable);
        if (static_cast<int>(row.Objects.size()) > aCol)
            row.Objects.erase(row.Objects.begin() + aCol,
                              row.Objects.begin() + std::min<int>(aCol + removable, row.Objects.size()));
    }
    auto& widths = ColWidthList();
    widths.erase(widths.begin() + aCol, widths.begin() + aCol + removable);
    SetColCount(ColCount() - removable);
    --FUpdateLock;
    ColWidthsChanged();
}

void TGkStringGrid::InsertColumnRange(int aCol, int aCount) {
    if (aCount < 1) return;
    aCol = std::clamp(aCol, 0, ColCount());
    if (EditorMode()) HideEditor();
    const int oldCount = ColCount();
    ++FUpdateLock;
    SetColCount(oldCount + aCount);
    for (auto& row : RowData()) {
        row.Cells.InsertEmpty(aCol, aCount, ColCount());
        if (static_cast<int>(row.Objects.size()) > aCol) {
            row.Objects.resize(ColCount(), nullptr);
            std::rotate(row.Objects.begin() + aCol, row.Objects.begin() + oldCount, row.Objects.end());
        }
    }
    auto& widths = ColWidthList();
    std::rotate(widths.begin() + aCol, widths.begin() + oldCount, widths.end());
    for (int c = aCol; c < aCol + aCount; ++c) widths[c] = DefaultColWidth();
    --FUpdateLock;
    ClearColumnRange(aCol, aCount);
    ColWidthsChanged();
}

// ---- editors: choice, write-back, end-of-edit validation ------------------------------

namespace {
bool IsSpinKind(TEditorType k) {
    return k == edSpinEdit || k == edFloatSpinEdit || k == edTimeSpinEdit || k == edDateSpinEdit;
}
bool IsComboKind(TEditorType k) { return k == edComboEdit || k == edComboList; }
bool IsEditBtnKind(TEditorType k) {
    return k == edEditBtn || k == edNumericEditBtn || k == edFloatEditBtn;
}
bool IsDateKind(TEditorType k) { return k == edDateEdit || k == edDateEditUpDown; }

// Splits a unit cell ("12.5 cm") into its number and unit parts.
void SplitUnitText(const String& text, String& number, String& unit) {
    number.clear();
    unit.clear();
    for (char c : text) {
        if (c == ',' || c == '-' || c == '.' || (c >= '0' && c <= '9')) number += c;
        else unit += c;
    }
}

void PlaceControl(TControl* c, const TRect& r, bool height) {
    c->SetBounds(r.Left, r.Top, r.Width(), height ? r.Height() : c->Height());
}

void ShowControl(TWinControl* c) {
    c->SetEnabled(true);
    c->SetVisible(true);
    if (c->CanFocus()) c->SetFocus();
}
}  // namespace

TInplaceEdit* TGkStringGrid::CreateEditor() { return new TGkInplaceEdit(this); }

template <class T>
static T* EnsureEditor(T*& slot, TGkStringGrid* grid) {
    if (!slot) {
        slot = new T(grid, grid);
        slot->SetParent(grid);
    }
    return slot;
}

TGridCombo* TGkStringGrid::ComboEditor() {
    if (!FComboEditor) {
        EnsureEditor(FComboEditor, this);
        FComboEditor->OnChange = [this](TObject*) { ComboEditorChanged(); };
    }
    return FComboEditor;
}
TGridSpin* TGkStringGrid::SpinEditor() { return EnsureEditor(FSpinEditor, this); }
TGridDatePicker* TGkStringGrid::DateEditor() { return EnsureEditor(FDateEditor, this); }
TGridCheckBox* TGkStringGrid::CheckBoxEditor() { return EnsureEditor(FCheckBoxEditor, this); }
TGridEditBtn* TGkStringGrid::EditBtnEditor() { return EnsureEditor(FEditBtnEditor, this); }
TGridUnitEditBtn* TGkStringGrid::UnitEditBtnEditor() { return EnsureEditor(FUnitEditBtnEditor, this); }
TGridButton* TGkStringGrid::ButtonEditor() { return EnsureEditor(FButtonEditor, this); }

bool TGkStringGrid::CellIsFixed(int aCol, int aRow) {
    if (aRow >= RowCount() - FFixedFooters || aCol >= ColCount() + FHiddenCols - FFixedRightCols)
        return true;
    bool fixed = false;
    IsFixedCell(aCol, aRow, fixed);
    return fixed;
}

bool TGkStringGrid::CellIsEditable(int aCol, int aRow) {
    if (!(Options() & goEditing)) return false;
    bool canEdit = true;
    CanEditCell(aCol, aRow, canEdit);
    return canEdit;
}

bool TGkStringGrid::CellIsPassword(int aCol, int aRow) {
    bool password = false;
    IsPasswordCell(aCol, aRow, password);
    return password;
}

void TGkStringGrid::OpenCellEditor(int aCol, int aRow) {
    const TRect r = CellRect(aCol, aRow);
    const int c = RealColIndex(aCol);
    const String cell = Cells(c, aRow);
    FSkipWriteBack = false;
    switch (FEditorType) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
        TGridSpin* spin = SpinEditor();
        FSeparateEditorShown = true;
        PlaceControl(spin, r, true);
        spin->SetEnabled(true);
        spin->SetVisible(true);
        if (SpinMinValue != SpinMaxValue || SpinIncrement != 0) {
            spin->MinValue = SpinMinValue;
            spin->MaxValue = SpinMaxValue;
            if (SpinIncrement != 0) spin->Increment = SpinIncrement;
        }
        // A cell that holds no number (date, time) starts the editor from
        // its fall-back value; only a change made in the editor goes back.
        spin->SetText(cell);
        switch (FEditorType) {
        case edSpinEdit:
            spin->SetSpinType(sptNormal);
            spin->SetValue(spin->Value());
            break;
        case edFloatSpinEdit:
            spin->SetSpinType(sptFloat);
            spin->SetFloatValue(spin->FloatValue());
            break;
        case edTimeSpinEdit:
            spin->SetSpinType(sptTime);
            spin->SetTimeValue(spin->TimeValue());
            break;
        default: {
            TDateTime d = 0;
            spin->SetText(TryStrToDate(cell, d) ? cell : String());
            spin->SetDateValue(TryStrToDate(cell, d) ? d : spin->MinDateValue);
            spin->SetSpinType(sptDate);
        }
        }
        FOpenedValue = spin->Text();
        if (spin->CanFocus()) spin->SetFocus();
        break;
    }
    case edComboEdit:
    case edComboList: {
        TGridCombo* combo = ComboEditor();
        FSeparateEditorShown = true;
        combo->Items()->Assign(FComboItems.get());
        combo->SetStyle(FEditorType == edComboList ? csDropDownList : csDropDown);
        FComboOpenIndex = FEditorType == edComboList ? combo->Items()->IndexOf(cell) : -1;
        if (FEditorType == edComboList && FComboOpenIndex < 0 && !cell.empty()) {
            // A list can show only its items: the cell's own text joins them
            // for this edit, so it is shown and picking it changes nothing.
            combo->Items()->Insert(0, cell);
            FComboOpenIndex = 0;
        }
        if (FEditorType == edComboList) combo->SetItemIndex(FComboOpenIndex);
        PlaceControl(combo, r, false);
        combo->SetText(cell);
        if (FNavigation->AutoComboDropSize) {
            int w = combo->Width();
            for (int i = 0; i < combo->Items()->Count(); ++i)
                w = std::max(w, Canvas()->TextWidth(combo->Items()->Get(i)) + 6);
            combo->SetDroppedWidth(w);
        }
        ShowControl(combo);
        if (FMouseActions->DirectComboDrop) combo->SetDroppedDown(true);
        break;
    }
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn: {
        TGridEditBtn* edit = EditBtnEditor();
        FSeparateEditorShown = true;
        PlaceControl(edit, r, true);
        edit->SetText(cell);
        FOpenedValue = cell;
        ShowControl(edit);
        break;
    }
    case edCheckBox: {
        TGridCheckBox* box = CheckBoxEditor();
        FSeparateEditorShown = true;
        PlaceControl(box, r, true);
        {
            // The cell's own colours, as the text editor takes them.
            TBrush brush;
            brush.SetColor(Color());
            TFont font;
            font.Assign(Font());
            GetCellColor(Col(), Row(), 0, &brush, &font);
            box->SetColor(brush.Color());
            box->Font()->Assign(&font);
        }
        box->SetCaption(cell);
        box->SetChecked(false);
        ShowControl(box);
        break;
    }
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: {
        TGridDatePicker* picker = DateEditor();
        FSeparateEditorShown = true;
        if (FEditorType == edTimeEdit) {
            TDateTime t = 0;
            try {
                t = StrToTime(cell);
                FDateWasValid = true;
            } catch (const Exception&) {
                t = Now();
                FDateWasValid = false;
            }
            picker->SetKind(dtkTime);
            picker->SetDateTime(t);
        } else {
            TDateTime d = 0;
            FDateWasValid = TryStrToDate(cell, d);
            picker->SetKind(dtkDate);
            picker->SetDateTime(FDateWasValid ? d : Now());
        }
        picker->Edited = false;
        PlaceControl(picker, r, false);
        ShowControl(picker);
        break;
    }
    case edButton: {
        TGridButton* button = ButtonEditor();
        FSeparateEditorShown = true;
        button->SetBounds(r.Left - 1, r.Top - 1, r.Width() + 2, r.Height() + 2);
        button->SetCaption(cell);
        ShowControl(button);
        break;
    }
    case edUnitEditBtn: {
        TGridUnitEditBtn* edit = UnitEditBtnEditor();
        FSeparateEditorShown = true;
        PlaceControl(edit, r, true);
        String number, unit;
        SplitUnitText(cell, number, unit);
        edit->SetUnitID(unit);
        edit->SetText(number);
        FOpenedValue = number + '\x01' + unit;
        ShowControl(edit);
        break;
    }
    default: break;
    }
}

String TGkStringGrid::EditorText() const {
    switch (FEditorType) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: return FSpinEditor ? FSpinEditor->Text() : String();
    case edComboEdit:
    case edComboList: return FComboEditor ? FComboEditor->Text() : String();
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn: return FEditBtnEditor ? FEditBtnEditor->Text() : String();
    case edUnitEditBtn:
        return FUnitEditBtnEditor ? FUnitEditBtnEditor->Text() + FUnitEditBtnEditor->UnitID() : String();
    default: return String();
    }
}

void TGkStringGrid::WriteEditorBack(int aCol, int aRow) {
    if (FSkipWriteBack) return;
    auto put = [&](const String& v) {
        if (Cells(aCol, aRow) != v) SetCells(aCol, aRow, v);
    };
    if (IsSpinKind(FEditorType) && FSpinEditor) {
        if (FSpinEditor->Text() != FOpenedValue) put(FSpinEditor->Text());
    } else if (FEditorType == edComboEdit && FComboEditor) {
        put(FComboEditor->Text());
    } else if (FEditorType == edComboList && FComboEditor) {
        // Only an item the user picked goes in: a text that is not among
        // the items stays as it was.
        const int index = FComboEditor->ItemIndex();
        if (index >= 0 && index < FComboEditor->Items()->Count()) put(FComboEditor->Items()->Get(index));
    } else if (IsEditBtnKind(FEditorType) && FEditBtnEditor) {
        put(FEditBtnEditor->Text());
    } else if (IsDateKind(FEditorType) && FDateEditor) {
        if (FDateWasValid || FDateEditor->Edited) put(DateToStr(FDateEditor->Date()));
    } else if (FEditorType == edTimeEdit && FDateEditor) {
        if (FDateWasValid || FDateEditor->Edited)
            put(FormatDateTime(FormatSettings().LongTimeFormat, FDateEditor->Time()));
    } else if (FEditorType == edUnitEditBtn && FUnitEditBtnEditor) {
        const String now = FUnitEditBtnEditor->Text() + '\x01' + FUnitEditBtnEditor->UnitID();
        if (now != FOpenedValue) put(FUnitEditBtnEditor->Text() + FUnitEditBtnEditor->UnitID());
    }
}

void TGkStringGrid::ResetEditorFromCell(int aCol, int aRow) {
    const String cell = Cells(aCol, aRow);
    if (IsSpinKind(FEditorType) && FSpinEditor) {
        FSpinEditor->SetText(cell);
        FSpinEditor->SetSelStart(FSpinEditor->GetTextLen());
        FOpenedValue = cell;
    } else if (IsComboKind(FEditorType) && FComboEditor) {
        FComboEditor->SetText(cell);
        if (FEditorType == edComboList) FComboEditor->SetItemIndex(FComboEditor->Items()->IndexOf(cell));
    } else if (IsEditBtnKind(FEditorType) && FEditBtnEditor) {
        FEditBtnEditor->SetText(cell);
        FEditBtnEditor->SetSelStart(FEditBtnEditor->GetTextLen());
    } else if (FEditorType == edUnitEditBtn && FUnitEditBtnEditor) {
        String number, unit;
        SplitUnitText(cell, number, unit);
        FUnitEditBtnEditor->SetUnitID(unit);
        FUnitEditBtnEditor->SetText(number);
        FUnitEditBtnEditor->SetSelStart(FUnitEditBtnEditor->GetTextLen());
        FOpenedValue = number + '\x01' + unit;
    }
}

void TGkStringGrid::HideSeparateControl() {
    TWinControl* c = nullptr;
    if (IsSpinKind(FEditorType)) c = FSpinEditor;
    else if (IsComboKind(FEditorType)) c = FComboEditor;
    else if (IsEditBtnKind(FEditorType)) c = FEditBtnEditor;
    else if (FEditorType == edCheckBox) c = FCheckBoxEditor;
    else if (IsDateKind(FEditorType) || FEditorType == edTimeEdit) c = FDateEditor;
    else if (FEditorType == edButton) c = FButtonEditor;
    else if (FEditorType == edUnitEditBtn) c = FUnitEditBtnEditor;
    if (!c) return;
    if (IsComboKind(FEditorType) && FComboEditor->DroppedDown()) FComboEditor->SetDroppedDown(false);
    c->SetEnabled(false);
    c->SetVisible(false);
}

void TGkStringGrid::CloseCellEditor(int aCol, int aRow) {
    if (!FSeparateEditorShown) return;  // a second close finds nothing to do
    const int c = RealColIndex(aCol);
    FSeparateEditorShown = false;
    WriteEditorBack(c, aRow);
    FSkipWriteBack = false;
    HideSeparateControl();
}

void TGkStringGrid::RestoreEditText() {
    const int c = RealColIndex(Col());
    SetCells(c, Row(), FSelectionText);
    SetCells(c, Row(), Cells(c, Row()));
    InvalidateCell(Col(), Row());
}

void TGkStringGrid::EllipsClick(String& text) {
    if (OnEllipsClick) OnEllipsClick(this, RealColIndex(Col()), Row(), text);
}

bool TGkStringGrid::EditorClosingKey(TWinControl* control, Word key, TShiftState shift) {
    (void)control;
    if (!FSeparateEditorShown) return false;
    std::vector<Word> closing, forward;
    bool writes = false, raise = false, saveAlways = true, closeLast = false;
    const std::vector<Word> upDown{VK_UP, VK_DOWN};
    if (IsSpinKind(FEditorType)) {
        closing = {VK_RETURN, VK_ESCAPE, VK_UP, VK_DOWN};
        forward = upDown;
        writes = raise = true;
    } else if (IsComboKind(FEditorType)) {
        const bool listMode = FComboEditor->DroppedDown() || FEditorType == edComboList;
        if (listMode) {
            closing = {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_LEFT, VK_RIGHT};
            forward = {VK_TAB, VK_LEFT, VK_RIGHT};
        } else {
            closing = {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_UP, VK_DOWN};
            forward = {VK_TAB, VK_UP, VK_DOWN};
        }
        writes = raise = true;
    } else if (IsDateKind(FEditorType) || FEditorType == edTimeEdit) {
        closing = {VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_UP, VK_DOWN};
        forward = upDown;
    } else if (IsEditBtnKind(FEditorType) || FEditorType == edUnitEditBtn) {
        if (IsEditBtnKind(FEditorType) && (shift & ssCtrl)) return false;
        closing = {VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN};
        forward = upDown;
        writes = true;
    } else if (FEditorType == edCheckBox) {
        closing = {VK_RETURN, VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN};
        forward = upDown;
        saveAlways = false;
        closeLast = true;
    } else if (FEditorType == edButton) {
        closing = {VK_ESCAPE, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN};
        forward = {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN};
    } else {
        return false;
    }
    auto in = [key](const std::vector<Word>& set) {
        return std::find(set.begin(), set.end(), key) != set.end();
    };
    if (!in(closing)) return false;
    const int c = RealColIndex(Col()), r = Row();
    // Escape leaves the cell as it was, whatever the editor shows.
    if (key == VK_ESCAPE) FSkipWriteBack = true;
    if (writes && (key == VK_RETURN || key == VK_UP || key == VK_DOWN)) {
        WriteEditorBack(c, r);
        if (!ValidateCell(EditorText())) {
            ResetEditorFromCell(c, r);
            return true;
        }
    }
    if (raise) FClosingEditor = true;
    auto close = [&] {
        CloseCellEditor(Col(), Row());
        HideEditor();
    };
    if (!closeLast) close();
    const bool always = FNavigation->AlwaysEdit;
    try {
        if (in(forward)) {
            Word k = key;
            KeyDown(k, shift & ~ssCtrl);
        }
        if (saveAlways) FNavigation->AlwaysEdit = false;
        if (CanFocus()) SetFocus();
        if (key == VK_RETURN) StepToNextCell(Col(), Row(), true, false, false);
        if (closeLast) close();
        if (FEditorType == edButton && key == VK_ESCAPE) RestoreEditText();
    } catch (...) {
        FNavigation->AlwaysEdit = always;
        FClosingEditor = false;
        throw;
    }
    FNavigation->AlwaysEdit = always;
    FClosingEditor = false;
    return true;
}

void TGkStringGrid::EditorFocusLost(TWinControl* control) {
    (void)control;
    FocusMayHaveLeft();
    if (!FSeparateEditorShown || FClosingEditor) return;
    CloseCellEditor(Col(), Row());
    HideEditor();
}

void TGkStringGrid::RememberEditText(int aCol, int aRow) {
    FEditStartCol = aCol;
    FEditStartRow = aRow;
    FEditStartText = Cells(RealColIndex(aCol), aRow);
}

void TGkStringGrid::BeforeValidate(int, int) {}

bool TGkStringGrid::ValidateCell(const String&) {
    bool valid = true;
    const int c = RealColIndex(FEditStartCol), r = FEditStartRow;
    if (c >= 0 && r >= 0 && c < ColCount() + FHiddenCols && r < RowCount() &&
        Cells(c, r) != FEditStartText) {
        BeforeValidate(c, r);
        String value = Cells(c, r);
        if (OnCellValidate) OnCellValidate(this, c, r, value, valid);
        const bool corrected = value != Cells(c, r);
        if (valid) {
            if (corrected) SetCells(c, r, value);
        } else {
            SetCells(c, r, corrected ? value : FEditStartText);
            const int oldCol = Col();
            MoveCurrent(FEditStartCol, FEditStartRow, true, true);
            ShowEditor();
            if (!corrected && c != oldCol) InvalidateEditor();
        }
    }
    RememberEditText(Col(), Row());
    return valid;
}

void TGkStringGrid::Click() {
    try {
        TStringGrid::Click();
    } catch (...) {
        if (FEntered) ValidateCell(Cells(RealColIndex(Col()), Row()));
        throw;
    }
    if (FEntered) ValidateCell(Cells(RealColIndex(Col()), Row()));
    RememberEditText(Col(), Row());
}

void TGkStringGrid::DoEnter() {
    const bool fromEditor = FFocusLeftEditor;
    FFocusLeftEditor = false;
    FEntered = true;
    // Focus coming back from one of the grid's own editors is no new
    // entry: the edited cell's memory must survive it.
    if (!FClosingEditor && !FSeparateEditorShown) RememberEditText(Col(), Row());
    TStringGrid::DoEnter();
    // Posted: the editor cannot take the focus while the grid is still
    // receiving it. Focus handed back by the editor stays with the grid.
    if (FNavigation->AlwaysEdit && !fromEditor && !FClosingEditor && HandleAllocated())
        PostMessage(Handle(), WM_GK_ALWAYSEDIT);
}

void TGkStringGrid::FocusMayHaveLeft() {
    FFocusLeftEditor = true;
    if (FEntered && HandleAllocated()) PostMessage(Handle(), WM_GK_FOCUSLEFT);
}

bool TGkStringGrid::FocusInside() const {
    if (Focused()) return true;
    if (InplaceEditor() && InplaceEditor()->Focused()) return true;
    for (TWinControl* c : std::initializer_list<TWinControl*>{
             FComboEditor, FSpinEditor, FDateEditor, FCheckBoxEditor, FEditBtnEditor,
             FUnitEditBtnEditor, FButtonEditor})
        if (c && c->Visible() && c->Focused()) return true;
    return false;
}

void TGkStringGrid::DoExit() {
    TStringGrid::DoExit();
    FocusMayHaveLeft();
    FFocusLeftEditor = false;  // the grid itself let go, not one of its editors
}

