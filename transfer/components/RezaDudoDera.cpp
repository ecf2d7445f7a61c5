#include "transfer/components/RezaDudoDera.h"

#include <string>

RezaDudoDera::RezaDudoDera(int code, const String& text)
    : Exception(std::to_string(code) + ": " + text), Code(code) {}
