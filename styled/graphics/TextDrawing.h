#pragma once
// Captions with three-dimensional effects, turned and placed captions,
// their measuring, and a glyph laid out together with a caption. Flag
// values are the tfXxx of StyGraphTypes.h; draw-text formats are DrawText's.
#include "framework/graphics/Color.h"
#include "framework/rtl/Types.h"
#include "styled/graphics/StyGraphTypes.h"

class TBitmap;
class TCanvas;
class TFont;
class TSty3DCaption;
class TStyGlyphTextLayout;

// Draws Text in R with the copies Caption's style asks for (plain DrawTextEx
// without a caption). A TStyFxCaption moves the text by (PosX, PosY) and,
// with an Angle, turns it about the top-left corner of that rectangle.
// With tfClip the drawing stays inside Clip (or R when Clip is nullptr).
// The canvas brush is left clear; font and spacing are given back.
void Draw3DText(TCanvas* Canvas, const String& Text, TSty3DCaption* Caption, const TRect& R, unsigned Format,
                Word Flags, const TRect* Clip = nullptr);

// Measures Text in Font: R keeps its top-left corner and gets the size the
// caption needs, its effects included, plus 2 * (Margin + 1) on the right
// and at the bottom. A turned TStyFxCaption gets the box of the turned text
// and PosX/PosY that centre the text in it; an unturned one is put back at
// (0, 0) without a change report.
void CalcTextRect(const String& Text, TSty3DCaption* Caption, TRect& R, unsigned Format, TFont* Font, int Margin,
                  bool WordBreak);

// The measured caption placed in R by Alignment.
TRect AlignTextRect(TStyAlignment Alignment, const String& Text, TSty3DCaption* Caption, unsigned Format,
                    TFont* Font, bool WordBreak, const TRect& R);

// Whether the canvas font can be turned. Every font the framework draws
// with is an outline font, so this is always true here.
bool IsTrueTypeFont(TCanvas* Canvas);

// The glyph as the caller wants it placed: PlaceBitmap's transparency
// flags, colour and mask canvas.
struct TStyGlyphSource {
    TBitmap* Glyph = nullptr;
    Word Flags = 0;
    TColor Color = clNone;
    TCanvas* Mask = nullptr;
};

// Lays out Glyph and Text as one block by Layout (a TStyButtonLayout adds
// its drop-down arrow) in R, draws them (unless tfMeasureOnly) and returns
// where they went in TextRect and GlyphRect. The result is the feedback
// rectangle the flags ask for: the text rectangle grown by 1
// (tfTextFeedback), the glyph rectangle (tfGlyphFeedback), or both
// together grown by 1 (tfUnionFeedback); without those flags, both
// together.
TRect DrawGlyphText(TCanvas* Canvas, const String& Text, TSty3DCaption* Caption, Word Flags, unsigned Format,
                    const TStyGlyphSource& Glyph, TStyGlyphTextLayout* Layout, const TRect& R, TRect& TextRect,
                    TRect& GlyphRect);
