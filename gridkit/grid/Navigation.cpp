#include "gridkit/grid/Navigation.h"

void TNavigation::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TNavigation*>(source)) {
        *this = *s;
        return;
    }
    TPersistent::Assign(source);
}
