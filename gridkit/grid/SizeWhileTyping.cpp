#include "gridkit/grid/SizeWhileTyping.h"

void TSizeWhileTyping::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TSizeWhileTyping*>(source)) {
        *this = *s;
        return;
    }
    TPersistent::Assign(source);
}
