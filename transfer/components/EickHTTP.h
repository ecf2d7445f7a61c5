#pragma once
// Raised by the HTTP client component.
#include "transfer/components/RezaDudoDera.h"

class EickHTTP : public RezaDudoDera {
public:
    using RezaDudoDera::RezaDudoDera;
};
