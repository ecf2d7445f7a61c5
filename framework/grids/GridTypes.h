#pragma once
// The types the grids share: options, draw state, cell coordinates and
// the event signatures. Sets are bit flags.
#include <functional>

#include "framework/rtl/Types.h"

enum TGridOption : int {
    goFixedVertLine = 1 << 0,
    goFixedHorzLine = 1 << 1,
    goVertLine = 1 << 2,
    goHorzLine = 1 << 3,
    goRangeSelect = 1 << 4,
    goDrawFocusSelected = 1 << 5,
    goRowSizing = 1 << 6,
    goColSizing = 1 << 7,
    goRowMoving = 1 << 8,
    goColMoving = 1 << 9,
    goEditing = 1 << 10,
    goTabs = 1 << 11,
    goRowSelect = 1 << 12,
    goAlwaysShowEditor = 1 << 13,
    goThumbTracking = 1 << 14,
};
using TGridOptions = int;

inline constexpr TGridOptions DefaultGridOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

enum TGridDrawStateFlag : int { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = int;

struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

// Left/Top and Right/Bottom are inclusive cell indexes.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect,
                                          TGridDrawState State)>;
using TSelectCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TSetEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
