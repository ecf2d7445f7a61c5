#include "framework/classes/Persistent.h"

#include "framework/rtl/Exception.h"

namespace {
const char* const SAssignError = "Cannot assign a %s to a %s";
}

void TPersistent::Assign(TPersistent* source) {
    if (source) {
        source->AssignTo(this);
        return;
    }
    throw EConvertError(SAssignError, {String("nil"), ClassName()});
}

void TPersistent::AssignTo(TPersistent* dest) {
    throw EConvertError(SAssignError, {ClassName(), dest ? dest->ClassName() : String("nil")});
}
