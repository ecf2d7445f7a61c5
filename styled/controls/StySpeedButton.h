#pragma once
#include "styled/controls/StyCustomSpeedButton.h"

// The speed button as windows place it: every property of the custom one
// is reachable (AllowAllUp, GroupIndex, Pressed, the drop-down settings,
// Style, Align).
class TStySpeedButton : public TStyCustomSpeedButton {
public:
    explicit TStySpeedButton(TComponent* AOwner) : TStyCustomSpeedButton(AOwner) {}
    String ClassName() const override { return "TStySpeedButton"; }
};
