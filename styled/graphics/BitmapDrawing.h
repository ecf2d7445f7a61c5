#pragma once
// Placing bitmaps (unscaled, centred, stretched, tiled; opaque or
// transparent), disabled looks of glyphs, and the bitmap file image the
// library stores graphics as. Flag values are the dfXxx of StyGraphTypes.h.
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/rtl/Types.h"

class TBitmap;
class TCanvas;
class TPersistent;
class TStream;
class TStyPalette;

// Puts Src of SrcCanvas into Dest of Canvas. Extra is the bitmap for
// dfTransparentBrush (painted through the canvas brush, which takes Color)
// or the mask canvas for dfTransparentMask. Result is the rectangle drawn
// into (Dest when the placement has no area or the source was tiled); it
// stays empty when Dest is.
//
// Tiles never paint outside Dest: the last row and column are cut there.
void PlaceBitmap(TCanvas* Canvas, const TRect& Dest, TCanvas* SrcCanvas, const TRect& Src, Word Flags,
                 TColor Color, const TStyPalette* Palette, TPersistent* Extra, TRect& Result);

// The whole bitmap through PlaceBitmap.
void DrawBitmap(TCanvas* Canvas, const TRect& Dest, TBitmap* Bitmap, Word Flags, TColor Color, TRect& Result);

// DrawBitmap; with dfClip the drawing stays inside Dest moved by Origin (X
// in the low, Y in the high 16 bits). The canvas's own clip is kept.
void DrawBitmapClipped(TCanvas* Canvas, const TRect& Dest, TBitmap* Bitmap, Word Flags, DWORD Origin,
                       TColor Color);

// Image receives Src of SrcCanvas with its TransparentColor pixels black;
// Mask a monochrome mask, white where that colour was.
void MakeMaskedImage(TCanvas* SrcCanvas, const TRect& Src, TBitmap* Mask, TBitmap* Image,
                     TColor TransparentColor);
void MakeBitmapMask(TBitmap* Source, TBitmap* Mask, TBitmap* Image, TColor TransparentColor);

// The etched look of a disabled glyph: Dest (given Src's size when empty)
// is filled with Src's transparent colour, and Src's black pixels are drawn
// in clBtnHighlight one pixel right and down of (X, Y), then in
// clBtnShadow at (X, Y).
void DrawDisabledBitmap(TBitmap* Dest, TBitmap* Src, int X, int Y);

// Dest becomes a four-tone copy of Src (white, clBtnHighlight, clBtnShadow,
// black by brightness); the colour of pixel (0, 0) is the background and
// stays.
void Make3DBitmap(TBitmap* Dest, TBitmap* Src);

// A complete bitmap file image (file header, 40-byte info header, colour
// table below 24 bits, bottom-up rows). Colors picks the depth: 2 one bit,
// 16 four bits, 256 eight bits, anything else the bitmap's own depth, 16
// and 32 bits being written as 24. Raises EInvalidGraphic "Bitmap image is
// not valid" for a missing or empty bitmap. The palette is accepted for the
// callers' sake; colour tables are those of the framework's pixel formats.
std::vector<Byte> BitmapToDIB(TBitmap* Bitmap, const TStyPalette* Palette, int Colors);
void WriteDIB(TStream* Stream, TBitmap* Bitmap, const TStyPalette* Palette, bool WithSize, int Colors);
// A monochrome bitmap is written with one bit whatever Colors says; the
// stream is rewound to its beginning afterwards.
void SaveBitmapToStream(TStream* Stream, TBitmap* Bitmap, int Colors);

// Whether a drawing asking for dfUsePalette gets it: not when the
// application object's first option is set and the screen has 8 bits per
// pixel or fewer.
bool StyPaletteWanted(Word Flags);
