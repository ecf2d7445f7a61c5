#include "gridkit/grid/HTMLSettings.h"

void THTMLSettings::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<THTMLSettings*>(source)) {
        *this = *s;
        return;
    }
    TPersistent::Assign(source);
}
