#include "framework/controls/ListColumn.h"

#include "framework/controls/ListView.h"

void TListColumn::SetCaption(const String& v) {
    if (v == FCaption) return;
    FCaption = v;
    if (FOwner) FOwner->ColumnsChanged();
}

void TListColumn::SetWidth(int v) {
    if (v == FWidth) return;
    FWidth = v;
    if (FOwner) FOwner->ColumnsChanged();
}

void TListColumn::SetAlignment(TAlignment v) {
    // The first column stays left-aligned, as the classic control keeps it.
    if (FIndex == 0) v = taLeftJustify;
    if (v == FAlignment) return;
    FAlignment = v;
    if (FOwner) FOwner->ColumnsChanged();
}
