#pragma once
// Value types the toolbar controls share. The frame styles are scoped:
// their short names (fsNone, fsFlat...) are taken by other enumerations
// of the framework.
#include "framework/rtl/Types.h"

enum class TFrameStyle : Byte {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
};

// Sets of sides are bit flags, bit n for side n.
enum TSide : int { sdLeft = 1, sdTop = 2, sdRight = 4, sdBottom = 8 };
using TSides = int;
inline constexpr TSides AllSides = sdLeft | sdTop | sdRight | sdBottom;

enum TOrientation { orHorizontal, orVertical };

// How many pixels an edge of this style takes on one side.
inline int FrameStyleWidth(TFrameStyle style, int bevelWidth) {
    switch (style) {
    case TFrameStyle::fsNone: return 0;
    case TFrameStyle::fsFlat: return 1;
    case TFrameStyle::fsStatus:
    case TFrameStyle::fsPopup: return bevelWidth;
    default: return 2;
    }
}
