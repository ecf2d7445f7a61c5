#pragma once
// Frames of the styled library: the custom bevel styles, the drop-shadow
// frame, the fifteen standard borders, the drop-down arrow and the frames
// of the graphic buttons. They change the canvas's pen and brush and leave
// them so; rectangles passed by reference come back moved inward past what
// was drawn, so frames chain from the outside in.
#include "framework/graphics/Color.h"
#include "framework/rtl/Types.h"
#include "styled/graphics/StyGraphTypes.h"

class TCanvas;

// False (and nothing drawn) for width 0, bvNone and bvShadow. The frame
// styles take Width + 1 pixels on each side.
bool DrawBevelStyle(TCanvas* Canvas, TRect& R, TStyBevelStyle Style, TColor Light, TColor Shadow, Byte Width);

// The shadow of Depth pixels falls to the right and below; R becomes the
// face inside FrameWidth plain frames. Transparent leaves the two corner
// squares beside the shadow alone.
bool DrawShadowFrame(TCanvas* Canvas, TRect& R, TColor FrameColor, TColor ShadowColor, TColor CornerColor,
                     int Depth, int FrameWidth, bool Transparent);

int StandardBorderWidth(TStyBorderStyle Style);
// Flags are OR-ed into the edge calls' flags; a style value past
// lsDoubleLowered draws nothing.
bool DrawStandardBorder(TCanvas* Canvas, TRect& R, int Style, Word Flags);

// A filled triangle of Size rows (2..15; other sizes draw nothing).
void DrawDropArrow(TCanvas* Canvas, int X, int Y, int Size, TColor Color, bool Down, bool Enabled);

// Button states the frame tells apart.
enum : int {
    bfsHot = 2,
    bfsLatched = 3,
    bfsPressed = 4,
    bfsPressed2 = 6,
    bfsPressed3 = 7,
};
// Flags of DrawButtonFrame.
enum : int {
    bffCutCorners = 0x01,
    bffFocused = 0x02,
    bffVariant = 0x04,
    bffVariant2 = 0x08,
    bffFillMiddle = 0x10,
    bffDefault = 0x20,
};
// Draws the frame of a graphic button and returns its face rectangle in R
// (inset by 3, moved by (1, 1) when down).
void DrawButtonFrame(TCanvas* Canvas, bool Inverted, TRect& R, TStyUserButtonStyle Style, int State, int Flags,
                     TColor Color);
