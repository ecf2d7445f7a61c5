#pragma once
// Raised by the markup parser component.
#include "transfer/components/RezaDudoDera.h"

class EickXMLp : public RezaDudoDera {
public:
    using RezaDudoDera::RezaDudoDera;
};
