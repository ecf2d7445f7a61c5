#pragma once
// Colour steps between two colours, palettes made of them, banded gradient
// fills in eight shapes, and placing a rectangle inside another.
#include <memory>

#include "framework/graphics/Color.h"
#include "framework/rtl/Types.h"
#include "styled/graphics/StyGraphTypes.h"

class TBitmap;
class TCanvas;
class TStyPalette;

// Clears Table and fills it with Count steps from Start to End (system
// colours resolved); the first entry is Start, the last End. Nothing
// happens without a table or for a count of 0.
void MakeGradientColors(TColor Start, TColor End, int Count, TStyColorTable* Table);

// nullptr for a missing or empty table.
std::unique_ptr<TStyPalette> CreateGradientPalette(const TStyColorTable* Table);

// Paints Rect in bands of the table's colours; the start colour sits at
// the centre or in the anchoring corner of the nested shapes. Flags:
// dfClip (clip to Rect moved by Origin: X in the low, Y in the high 16
// bits), dfUseBitmap (paint off-screen, then copy), dfUsePalette.
void FillGradient(TCanvas* Canvas, const TRect& Rect, TStyGradientStyle Style, const TStyColorTable* Table,
                  const TStyPalette* Palette, Word Flags, DWORD Origin);
void FillGradientColors(TCanvas* Canvas, const TRect& Rect, TColor Start, TColor End, int Count,
                        TStyGradientStyle Style, Word Flags, DWORD Origin);

// A rectangle of SizeRect's width and height placed in DestRect; a larger
// size reaches out of DestRect on the far side (or both, when centred).
TRect AlignRect(TStyAlignment Alignment, const TRect& SizeRect, const TRect& DestRect);

// Bitmap takes Rect's size and is filled with Color.
void FillBitmapRect(TBitmap* Bitmap, const TRect& Rect, TColor Color);

