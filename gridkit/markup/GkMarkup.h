#pragma once
// The small HTML-like markup a grid cell may hold: one renderer that draws
// it into a rectangle, measures it, or finds the anchor under the mouse,
// and the helpers around it (colour names, "#rrggbb" colours, tag removal).
// The renderer keeps nothing between calls.
#include "framework/graphics/Color.h"
#include "framework/rtl/Types.h"

class TCanvas;
class TImageList;

struct TMarkupParams {
    // The target; its font is the base font of the text and its brush the
    // cell's background. Both come back as they were.
    TCanvas* Canvas = nullptr;
    String Text;
    // Lines start 1 pixel right of its left edge and wrap at its right edge.
    TRect Rect{};
    // Client position for the anchor hit test; (-1, -1) tests nothing.
    int MouseX = -1, MouseY = -1;
    TColor URLColor = clBlue;
    TColor ShadowColor = clGray;
    int ShadowOffset = 1;
    // Colours of a hovered anchor; clNone leaves the anchor colours alone.
    TColor HoverFontColor = clNone, HoverColor = clNone;
    // Anchors are counted from 0 in text order; -1 is none.
    int HoverAnchor = -1, FocusAnchor = -1;
    // Lay out twice but draw nothing (the hit test sees the aligned lines).
    bool NoDraw = false;
    // One pass only: sizes, no drawing, no hit test.
    bool MeasureOnly = false;
    bool ScaledImages = false;
    // The markup's own colour settings are ignored.
    bool KeepColors = false;
    // The blink phase: false hides BLINK text in the background colour.
    bool BlinkOn = true;
    // Hover colours for the hovered anchor only, instead of every anchor.
    bool HoverOnly = false;
    double ImageScale = 0;
    TImageList* Images = nullptr;
};

struct TMarkupResult {
    bool OverAnchor = false;
    String Anchor;      // href of the anchor under the mouse
    String PlainText;   // tags removed, a CR for each BR
    int Width = 0;      // widest line
    int Height = 0;     // all lines
    int AnchorIndex = -1;
    TRect AnchorRect{};
    TRect FocusRect{};
};

// Draws, measures or hit-tests params.Text; true when an anchor lies under
// the mouse (its href in result.Anchor).
bool RenderMarkup(const TMarkupParams& params, TMarkupResult& result);

// The colour of a lower-case name ("clred", "clbtnface"…); black for any
// other text.
TColor MarkupColorByName(const String& name);
// "#rrggbb" as a colour; digits that are not hex count as 0.
TColor MarkupHexColor(const String& text);
// The text with every tag removed. Text after a "<" that is never closed
// is dropped.
String StripMarkupTags(const String& text);
// The high 32 bits of a program file's fixed version information (major
// in the high word, minor in the low), -1 without version information.
long long GetFileVersionMS(const String& fileName);
