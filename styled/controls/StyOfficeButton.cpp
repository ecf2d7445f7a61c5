#include "styled/controls/StyOfficeButton.h"

TStyOfficeButton::TStyOfficeButton(TComponent* AOwner) : TStyCustomSpeedButton(AOwner) {
    SetStyle(ubsFlat);
    ControlStyle &= ~csOpaque;
}
