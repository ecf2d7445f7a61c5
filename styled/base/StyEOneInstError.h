#pragma once
#include "framework/rtl/Exception.h"

// Raised by the components of which a form or a program may hold only one.
// Kind 0: a wrong owner or a second one on a form; kind 1: a second one in
// the program.
class StyEOneInstError : public Exception {
public:
    StyEOneInstError(const String& ClassName, int Kind);
};
