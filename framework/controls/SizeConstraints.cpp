#include "framework/controls/SizeConstraints.h"

#include <algorithm>

void TSizeConstraints::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TSizeConstraints*>(source)) {
        FMinWidth = s->FMinWidth;
        FMaxWidth = s->FMaxWidth;
        FMinHeight = s->FMinHeight;
        FMaxHeight = s->FMaxHeight;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

// A maximum below the minimum would make every size wrong; the limit that
// was set last wins and drags the other along.
void TSizeConstraints::SetMinWidth(int v) {
    v = std::max(v, 0);
    if (v == FMinWidth) return;
    FMinWidth = v;
    if (FMaxWidth > 0 && FMaxWidth < v) FMaxWidth = v;
    Changed();
}

void TSizeConstraints::SetMaxWidth(int v) {
    v = std::max(v, 0);
    if (v == FMaxWidth) return;
    FMaxWidth = v;
    if (v > 0 && FMinWidth > v) FMinWidth = v;
    Changed();
}

void TSizeConstraints::SetMinHeight(int v) {
    v = std::max(v, 0);
    if (v == FMinHeight) return;
    FMinHeight = v;
    if (FMaxHeight > 0 && FMaxHeight < v) FMaxHeight = v;
    Changed();
}

void TSizeConstraints::SetMaxHeight(int v) {
    v = std::max(v, 0);
    if (v == FMaxHeight) return;
    FMaxHeight = v;
    if (v > 0 && FMinHeight > v) FMinHeight = v;
    Changed();
}

void TSizeConstraints::Apply(int& width, int& height) const {
    if (FMaxWidth > 0 && width > FMaxWidth) width = FMaxWidth;
    if (width < FMinWidth) width = FMinWidth;
    if (FMaxHeight > 0 && height > FMaxHeight) height = FMaxHeight;
    if (height < FMinHeight) height = FMinHeight;
}

void TSizeConstraints::Changed() {
    if (OnChange) OnChange(this);
}
