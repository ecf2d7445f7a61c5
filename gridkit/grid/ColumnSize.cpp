#include "gridkit/grid/ColumnSize.h"

#include "gridkit/grid/GkStringGrid.h"

void TColumnSize::SetStretch(bool v) {
    FStretch = v;
    if (v && FGrid && FGrid->ColCount() > 0) FGrid->StretchLastColumn();
}

void TColumnSize::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TColumnSize*>(source)) {
        Save = s->Save;
        Key = s->Key;
        Section = s->Section;
        Location = s->Location;
        SetStretch(s->FStretch);
        return;
    }
    TPersistent::Assign(source);
}
