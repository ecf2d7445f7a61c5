#pragma once
#include "styled/controls/StyCustomSpeedButton.h"

// A flat speed button that lets its parent show through around its face.
class TStyOfficeButton : public TStyCustomSpeedButton {
public:
    explicit TStyOfficeButton(TComponent* AOwner);
    String ClassName() const override { return "TStyOfficeButton"; }
};
