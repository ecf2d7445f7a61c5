#pragma once
// Enumerations, subranges and flag words of the styled library's drawing:
// the paint attributes publish them, the drawing routines take them. The
// numeric values are the ones stored in window descriptions and flag words,
// so they must not move.
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/rtl/Types.h"

enum TStyBevelStyle { bvNone, bvLowered, bvRaised, bvFrameLowered, bvFrameRaised, bvNormal, bvShadow };
enum TStyBevelMode { bmCustom, bmStandard, bmEdge, bmWindows };
enum TStyBorderStyle {
    lsNone,
    lsSingle,
    lsLowered,
    lsRaised,
    lsRaisedspb,
    lsLoweredspb,
    lsRaisedExt,
    lsLoweredExt,
    lsFrameInset,
    lsFrameOffset,
    lsWindowBorder,
    lsSingleRaised,
    lsSingleLowered,
    lsDoubleRaised,
    lsDoubleLowered,
};
enum TStyEdgeStyle { etRaisedInner, etRaisedOuter, etSunkenInner, etSunkenOuter, etBump, etEtched, etRaised, etSunken };

// A set of sides, one bit per side in the order of the enumeration.
enum TStyFrameSide { fsBottom, fsLeft, fsRight, fsTop };
using TStyFrameSides = Byte;
inline constexpr TStyFrameSides FrameSide(TStyFrameSide s) { return static_cast<TStyFrameSides>(1u << s); }
inline constexpr TStyFrameSides AllFrameSides = 0x0F;

enum TStyAlignment {
    agTopLeft,
    agTopCenter,
    agTopRight,
    agCenterLeft,
    agCenter,
    agCenterRight,
    agBottomLeft,
    agBottomCenter,
    agBottomRight,
};
enum TStyTextArrange { taLeft, taLeftTop, taRight, taRightTop, taTop, taTopLeft, taBottom, taBottomLeft };
enum TStyArrowPosition { apRightText, apLeftText, apRightGlyph, apLeftGlyph };
enum TStyGradientStyle {
    gstHorizontal,
    gstVertical,
    gstSquare,
    gstElliptic,
    gstTopLeft,
    gstTopRight,
    gstBottomLeft,
    gstBottomRight,
};
enum TStyDisabledStyle { dsAuto, dsStandard, ds3d, dsNone };
enum TStyThreeDStyle {
    tdNone,
    tdSunken,
    tdRaised,
    tdSunkenShadow,
    tdRaisedShadow,
    tdPColorSunken,
    tdPColorRaised,
    tdShadow,
};
enum TStyFillStyle { sfNone, sfBrushBitmap, sfBrush, sfBitmap, sfBitmapList, sfGradient };
enum TStyTileMode { tmNone, tmCenter, tmStretch, tmTile };

enum TStyFillOption { foFillInner, foQuickDraw, foGrUseBitmap };
using TStyFillOptions = Byte;
inline constexpr TStyFillOptions FillOption(TStyFillOption o) { return static_cast<TStyFillOptions>(1u << o); }

enum TStyShadowStyle { hssNone, hssSolid, hssTracing };

enum TStyUserButtonStyle {
    ubsAutoDetect,
    ubsWin31,
    ubsWin40,
    ubsClassic,
    ubsClassicFlat,
    ubsFlat,
    ubsFlatUnColored,
    ubsNavigator,
    ubsExplorer,
    ubsExplorerColored,
    ubsIntegrated,
};

// Subranges; setters keep values inside them.
using TStyBevelWidth = Byte;    // 0..50
using TStyBorderWidth = Byte;   // 0..255
using TStyColorCount = Byte;    // 2..236
using TStyDDArrowSize = Byte;   // 2..10
using TStyAngle = Word;         // 0..360
using TStyShadowDepth = Byte;   // 0..40

// The drawing flag word shared by the bitmap placement and the gradient
// fill (the text routines have their own, below).
enum : Word {
    dfClip = 0x0001,
    dfUseBitmap = 0x0004,        // gradient: paint off-screen first
    dfCenter = 0x0008,
    dfStretch = 0x0010,
    dfTile = 0x0020,
    dfTransparentColor = 0x0040,  // the given colour is the transparent one
    dfTransparentBrush = 0x0080,  // the bitmap's transparent colour takes the brush
    dfTransparentMask = 0x0100,   // through the caller's mask canvas
    dfKeepHeight = 0x0200,        // with dfStretch
    dfKeepWidth = 0x0400,         // with dfStretch
    dfKeepAspect = 0x0600,        // with dfStretch: fit inside
    dfUsePalette = 0x1000,
};

// Flags of the text routines.
enum : Word {
    tfEnabled = 0x0002,
    tfDisabledSunken = 0x0004,  // dsAuto draws a disabled caption sunken
    tfClip = 0x0008,
    tfMeasureOnly = 0x0020,
    tfTextFeedback = 0x0040,
    tfGlyphFeedback = 0x0080,
    tfUnionFeedback = 0x0100,
};

// Colours from a start to an end colour, index 0 the start.
using TStyColorTable = std::vector<TColor>;
