#pragma once
#include <span>

#include "framework/graphics/Color.h"
#include "framework/rtl/Types.h"

class TBitmap;
class TStrings;

using TStyValueNames = std::span<const char* const>;

// The stored form of the paint attributes, as a window description lists
// them: one "Name=Value" line per stored property, a nested object's lines
// under "Owner." (Gradient.Color=clRed). Enumerations are stored by their
// value names, sets as "[fsTop,fsLeft]", colours as ColorToString writes
// them, bitmaps as the hexadecimal bytes of their file image.
//
// Reading a value the property does not take raises EConvertError
// "Invalid property value" naming the line; the objects read into a copy
// first, so a bad line leaves the object as it was.
class TStyStoredProperties {
public:
    explicit TStyStoredProperties(TStrings* Lines, const String& Prefix = String());
    TStyStoredProperties Nested(const String& Name) const;

    bool Has(const String& Name) const;

    void WriteInteger(const String& Name, int Value);
    void WriteBool(const String& Name, bool Value);
    void WriteColor(const String& Name, TColor Value);
    void WriteIdent(const String& Name, int Value, TStyValueNames Names);
    void WriteSet(const String& Name, unsigned Value, TStyValueNames Names);
    void WriteBitmap(const String& Name, TBitmap* Value);
    // A text as it is (its writer makes sure it holds no line break).
    void WriteText(const String& Name, const String& Value);

    // An absent name gives Default (and leaves a bitmap alone).
    int ReadInteger(const String& Name, int Default, int Min, int Max) const;
    bool ReadBool(const String& Name, bool Default) const;
    TColor ReadColor(const String& Name, TColor Default) const;
    int ReadIdent(const String& Name, int Default, TStyValueNames Names) const;
    unsigned ReadSet(const String& Name, unsigned Default, TStyValueNames Names) const;
    void ReadBitmap(const String& Name, TBitmap* Value) const;
    String ReadText(const String& Name, const String& Default) const;

private:
    String Value(const String& Name) const;
    [[noreturn]] void Invalid(const String& Name) const;

    TStrings* FLines;
    String FPrefix;
};

// A text in stored form: quoted, a quote doubled, control characters
// outside the quotes by number ('two'#10'lines'), so it never breaks the
// line it is stored on.
String StoredString(const String& Text);
// Reads a stored text starting at Pos (blanks before it skipped), leaving
// Pos after it; false when there is none there or it is not closed.
bool ParseStoredString(const String& Stored, size_t& Pos, String& Text);

// Value names of the stored enumerations, in the order of their values.
namespace StyNames {
inline constexpr const char* BevelStyle[] = {"bvNone", "bvLowered", "bvRaised", "bvFrameLowered",
                                             "bvFrameRaised", "bvNormal", "bvShadow"};
inline constexpr const char* BevelMode[] = {"bmCustom", "bmStandard", "bmEdge", "bmWindows"};
inline constexpr const char* BorderStyle[] = {
    "lsNone", "lsSingle", "lsLowered", "lsRaised", "lsRaisedspb", "lsLoweredspb", "lsRaisedExt", "lsLoweredExt",
    "lsFrameInset", "lsFrameOffset", "lsWindowBorder", "lsSingleRaised", "lsSingleLowered", "lsDoubleRaised",
    "lsDoubleLowered"};
inline constexpr const char* EdgeStyle[] = {"etRaisedInner", "etRaisedOuter", "etSunkenInner", "etSunkenOuter",
                                            "etBump", "etEtched", "etRaised", "etSunken"};
inline constexpr const char* FrameSide[] = {"fsBottom", "fsLeft", "fsRight", "fsTop"};
inline constexpr const char* Alignment[] = {"agTopLeft", "agTopCenter", "agTopRight", "agCenterLeft", "agCenter",
                                            "agCenterRight", "agBottomLeft", "agBottomCenter", "agBottomRight"};
inline constexpr const char* TextArrange[] = {"taLeft", "taLeftTop", "taRight", "taRightTop",
                                              "taTop", "taTopLeft", "taBottom", "taBottomLeft"};
inline constexpr const char* ArrowPosition[] = {"apRightText", "apLeftText", "apRightGlyph", "apLeftGlyph"};
inline constexpr const char* GradientStyle[] = {"gstHorizontal", "gstVertical", "gstSquare", "gstElliptic",
                                                "gstTopLeft", "gstTopRight", "gstBottomLeft", "gstBottomRight"};
inline constexpr const char* DisabledStyle[] = {"dsAuto", "dsStandard", "ds3d", "dsNone"};
inline constexpr const char* ThreeDStyle[] = {"tdNone", "tdSunken", "tdRaised", "tdSunkenShadow",
                                              "tdRaisedShadow", "tdPColorSunken", "tdPColorRaised", "tdShadow"};
inline constexpr const char* FillStyle[] = {"sfNone", "sfBrushBitmap", "sfBrush", "sfBitmap", "sfBitmapList",
                                            "sfGradient"};
inline constexpr const char* TileMode[] = {"tmNone", "tmCenter", "tmStretch", "tmTile"};
inline constexpr const char* FillOption[] = {"foFillInner", "foQuickDraw", "foGrUseBitmap"};
inline constexpr const char* ShadowStyle[] = {"hssNone", "hssSolid", "hssTracing"};
inline constexpr const char* BrushStyle[] = {"bsSolid", "bsClear", "bsHorizontal", "bsVertical",
                                             "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"};
}  // namespace StyNames
