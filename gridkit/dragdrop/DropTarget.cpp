#include "gridkit/dragdrop/DropTarget.h"

#include "framework/messages/Messages.h"
#include "framework/rtl/StrUtils.h"
#include "gridkit/dragdrop/EnumFormats.h"
#include "gridkit/grid/GkStringGrid.h"

namespace {
DWORD EffectFor(bool accepted, DWORD keyState) {
    if (!accepted) return DROPEFFECT_NONE;
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
}  // namespace

HRESULT TDropTarget::DragEnter(IDataObject* data, DWORD keyState, const TPoint&, DWORD& effect) {
    TEnumFormats formats(data);
    FAccepted = formats.HasText() || formats.HasFiles() || (TGkStringGrid::OleDropRTF() && formats.HasRTF());
    effect = EffectFor(FAccepted, keyState);
    return S_OK;
}

HRESULT TDropTarget::DragOver(DWORD keyState, const TPoint&, DWORD& effect) {
    effect = EffectFor(FAccepted, keyState);
    return S_OK;
}

HRESULT TDropTarget::Drop(IDataObject* data, DWORD keyState, const TPoint& point, DWORD& effect) {
    effect = EffectFor(FAccepted, keyState);
    if (!FAccepted) return S_OK;
    TEnumFormats formats(data);
    if (TGkStringGrid::OleDropRTF() && formats.HasRTF())
        DropRTF(point, formats.RTF());
    else if (formats.HasText())
        DropText(point, formats.Text());
    if (formats.HasFiles() && formats.GetFileList()) DropFiles(point, formats.FileList());
    return S_OK;
}

void TDropTarget::DropText(const TPoint&, const String&) {}
void TDropTarget::DropRTF(const TPoint&, const String&) {}
void TDropTarget::DropFiles(const TPoint&, TStringList*) {}

void TGridDropTarget::CellAt(const TPoint& screen, int& col, int& row) const {
    const TPoint p = FGrid->ScreenToClient(screen);
    const TGridCoord cell = FGrid->MouseCoord(p.X, p.Y);
    col = cell.X;
    row = cell.Y;
}

void TGridDropTarget::DropText(const TPoint& point, const String& text) {
    int col, row;
    CellAt(point, col, row);
    bool allow = true;
    if (FGrid->OnOleDrop) FGrid->OnOleDrop(FGrid, row, col, text, allow);
    if (allow && col >= 0 && row >= 0) FGrid->PasteTextAt(col, row, text);
}

void TGridDropTarget::DropRTF(const TPoint& point, const String& text) {
    int col, row;
    CellAt(point, col, row);
    bool allow = true;
    if (FGrid->OnOleDrop) FGrid->OnOleDrop(FGrid, row, col, text, allow);
    if (allow && col >= 0 && row >= 0) FGrid->SetCells(col, row, text);
}

void TGridDropTarget::DropFiles(const TPoint&, TStringList* files) {
    if (files->Count() != 1) return;
    const String name = files->Get(0);
    const String upper = UpperCase(name);
    if (upper.find(".CSV") != String::npos) {
        bool allow = true;
        if (FGrid->OnOleDrop) FGrid->OnOleDrop(FGrid, -1, -1, name, allow);
        if (allow) FGrid->ImportDelimitedFile(name);
    }
    if (upper.find(".XLS") != String::npos) {
        bool allow = true;
        if (FGrid->OnOleDrop) FGrid->OnOleDrop(FGrid, -1, -1, name, allow);
        if (allow) FGrid->ImportWorkbook(name);
    }
}
