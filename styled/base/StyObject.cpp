#include "styled/base/StyObject.h"

void TStyObject::Change() {
    if (OnChange && !FUpdating) OnChange(this);
}

void TStyObject::GetChange(TObject* Sender) {
    (void)Sender;
    Change();
}

void TStyObject::BeginUpdate() { FUpdating = true; }

void TStyObject::EndUpdate(bool DoChange) {
    FUpdating = false;
    if (DoChange) Change();
}
