#pragma once
#include "styled/base/StyCustomComponent.h"

// The class the concrete styled components derive from.
class TStyComponent : public TStyCustomComponent {
public:
    explicit TStyComponent(TComponent* AOwner);
    String ClassName() const override { return "TStyComponent"; }
};
