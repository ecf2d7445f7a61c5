#include "gridkit/grid/MouseActions.h"

void TMouseActions::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TMouseActions*>(source)) {
        *this = *s;
        return;
    }
    TPersistent::Assign(source);
}
