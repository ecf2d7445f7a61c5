#include "styled/base/StyEOneInstError.h"

namespace {
String OneInstMessage(const String& className, int kind) {
    if (kind == 0) return className + ":\r" + "Invalid owner (<>TForm) or second instance on a form";
    return className + ":\r" + "Already one " + className + " control in this project!";
}
}  // namespace

StyEOneInstError::StyEOneInstError(const String& ClassName, int Kind)
    : Exception(OneInstMessage(ClassName, Kind)) {}
