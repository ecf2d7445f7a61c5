#pragma once
#include "framework/rtl/Types.h"

class TControl;

// One entry of a toolbar's layout order: the control, or only its name
// while the name is not resolved yet.
struct TTbToolbarControl {
    TControl* Control = nullptr;
    String Name;
};
