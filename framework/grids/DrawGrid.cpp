#include "framework/grids/DrawGrid.h"

TDrawGrid::TDrawGrid(TComponent* owner) : TCustomGrid(owner) {}

void TDrawGrid::DrawCell(int aCol, int aRow, const TRect& aRect, TGridDrawState aState) {
    if (OnDrawCell) OnDrawCell(this, aCol, aRow, aRect, aState);
}

String TDrawGrid::GetEditMask(int aCol, int aRow) {
    String s;
    if (OnGetEditMask) OnGetEditMask(this, aCol, aRow, s);
    return s;
}

String TDrawGrid::GetEditText(int aCol, int aRow) {
    String s;
    if (OnGetEditText) OnGetEditText(this, aCol, aRow, s);
    return s;
}

void TDrawGrid::SetEditText(int aCol, int aRow, const String& value) {
    if (OnSetEditText) OnSetEditText(this, aCol, aRow, value);
}
