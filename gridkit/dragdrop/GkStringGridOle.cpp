// The grid in drag and drop: as a drop target (registered while
// OleDropTarget is on) and as a drag source of its selection.
#include "gridkit/dragdrop/DropSource.h"
#include "gridkit/dragdrop/DropTarget.h"
#include "gridkit/grid/GkStringGrid.h"

void TGkStringGrid::SetOleDropTarget(bool v) {
    if (v == FOleDropTarget) return;
    FOleDropTarget = v;
    if (v) {
        // A refused registration leaves the grid without drops, silently.
        FOleRegistered = RegisterDragDrop(this, std::make_shared<TGridDropTarget>(this)) == S_OK;
    } else if (FOleRegistered) {
        RevokeDragDrop(this);
        FOleRegistered = false;
    }
}

bool TGkStringGrid::StartOleDrag(int aCol, int aRow) {
    const String cell = Cells(aCol, aRow);
    bool allow = true;
    if (OnOleDrag) OnOleDrag(this, aRow, aCol, cell, allow);
    if (!allow) return false;
    DWORD effect = DROPEFFECT_NONE;
    StartDoDragDrop(SelectionAsText(), cell, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
    return true;
}
