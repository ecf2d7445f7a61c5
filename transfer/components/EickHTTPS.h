#pragma once
// Raised by the HTTPS client component.
#include "transfer/components/RezaDudoDera.h"

class EickHTTPS : public RezaDudoDera {
public:
    using RezaDudoDera::RezaDudoDera;
};
