#pragma once
#include "framework/rtl/Types.h"

// Window and screen metrics under the classic numbers. The screen sizes are
// the primary screen's; the frame and caption sizes are those of the
// classic window look that the styled forms draw themselves, because the
// desktop's own window manager decorates real windows and does not tell.
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYCAPTION = 4;
inline constexpr int SM_CXBORDER = 5;
inline constexpr int SM_CYBORDER = 6;
inline constexpr int SM_CXDLGFRAME = 7;
inline constexpr int SM_CYDLGFRAME = 8;
inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;
inline constexpr int SM_CXSIZE = 30;
inline constexpr int SM_CYSIZE = 31;
inline constexpr int SM_CXFRAME = 32;
inline constexpr int SM_CYFRAME = 33;
inline constexpr int SM_CXSMICON = 49;
inline constexpr int SM_CYSMICON = 50;
inline constexpr int SM_CYSMCAPTION = 51;
inline constexpr int SM_CXSMSIZE = 52;
inline constexpr int SM_CYSMSIZE = 53;

// 0 for a number it does not know.
int GetSystemMetrics(int index);
// Bits per pixel of the primary screen (24 when there is no toolkit yet).
int ScreenColorDepth();
