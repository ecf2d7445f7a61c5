#pragma once
// The frame routines every control of the toolbar library draws its edges
// with. Each takes a canvas and a rectangle and returns the rectangle that
// remains inside what it drew.
#include "framework/graphics/Color.h"
#include "toolbars/TbTypes.h"

class TCanvas;
class TFont;

// One-pixel lines: left and top in ulColor, right and bottom in lrColor.
TRect DrawSides(TCanvas* canvas, TRect rect, TColor ulColor, TSides sides, TColor lrColor);
// DrawSides `width` times, each inside the previous one.
TRect DrawBevel(TCanvas* canvas, TRect rect, TColor ulColor, TColor lrColor, int width, TSides sides);
// An edge of a frame style along the given sides, in the fixed colours.
TRect DrawBorderSides(TCanvas* canvas, TRect rect, TFrameStyle style, TSides sides);
TRect DrawBorder(TCanvas* canvas, TRect rect, TFrameStyle style);

// Makes `font` a copy of `source` turned by `angle` degrees
// counter-clockwise.
void CreateRotatedFont(TFont* font, const TFont* source, int angle);

// The panel look shared by panels, labels and the splitter: frame lines,
// outer edge, border band, inner edge. Returns what is left inside.
struct TTbFrameLook {
    TSides FrameSides = 0;
    TFrameStyle BorderOuter = TFrameStyle::fsNone;
    TFrameStyle BorderInner = TFrameStyle::fsNone;
    TSides BorderSides = AllSides;
    int BorderWidth = 0;
    int BevelWidth = 1;
    TColor BorderColor = clBtnFace;
    TColor BorderHighlight = clBtnHighlight;
    TColor BorderShadow = clBtnShadow;
    TColor FlatColor = clBlack;
};
TRect DrawFrame(TCanvas* canvas, TRect rect, const TTbFrameLook& look);
// The rectangle inside the frame, without drawing it.
TRect AdjustRectForFrame(TRect rect, const TTbFrameLook& look, bool includeBorderWidth);

// Round half to even, as the percentages and bars of this library round.
int RoundHalfEven(double value);

class TControl;
// Enabled here and on every parent: a panel that is switched off leaves
// its children's own Enabled alone, so they must look up the chain.
bool EnabledWithParents(const TControl* control);

// Raises a re-entrancy flag (resizing, positioning…) for the life of the
// object, then puts back what it was.
struct TTbFlagScope {
    bool& Flag;
    bool Old;
    explicit TTbFlagScope(bool& f) : Flag(f), Old(f) { f = true; }
    ~TTbFlagScope() { Flag = Old; }
    TTbFlagScope(const TTbFlagScope&) = delete;
    TTbFlagScope& operator=(const TTbFlagScope&) = delete;
};
