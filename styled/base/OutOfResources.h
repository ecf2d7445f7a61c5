#pragma once
#include "framework/rtl/Exception.h"

// The system could not give what was asked for (a timer).
class EOutOfResources : public EOutOfMemory {
public:
    using EOutOfMemory::EOutOfMemory;
};
