#pragma once
#include <memory>

#include "framework/graphics/Color.h"
#include "framework/rtl/Types.h"

class TBitmap;
class TStyGlyphList;

// Button states, one byte.
enum : Byte {
    gsUp = 0,
    gsDisabled = 1,
    gsHot = 2,
    gsDown = 3,        // latched
    gsHeld = 4,        // the mouse button pressed on it
    gsMenuOpen = 6,    // its drop-down menu is open
    gsDisabledDown = 7,
};

// One glyph strip turned into state images, each made on first use and
// kept in the cache's list for its cell size.
class TStyGlyph : public TObject {
public:
    TStyGlyph();
    ~TStyGlyph() override;
    String ClassName() const { return "TStyGlyph"; }

    TBitmap* Glyph() const { return FOriginal.get(); }
    // Copies Value; a strip whose width is a whole multiple of its height
    // below 6 sets NumGlyphs to that quotient (1 for six or more).
    void SetGlyph(TBitmap* Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    // The up state drawn as a four-tone grey copy of the first cell.
    bool GreyWhenUp() const { return FGreyWhenUp; }
    void SetGreyWhenUp(bool Value);
    TColor TransparentColor() const { return FTransparentColor; }

    // The index in GlyphList of the image for State; -1 for no glyph.
    int GetStateImage(int State);
    TStyGlyphList* GlyphList() const { return FGlyphList; }
    // The state image itself (nullptr for no glyph).
    TBitmap* StateBitmap(int State);

    TNotifyEvent OnChange;

private:
    void DropImages();
    void GlyphChanged();

    std::unique_ptr<TBitmap> FOriginal;
    int FNumGlyphs = 1;
    bool FGreyWhenUp = false;
    bool FAssigning = false;
    TColor FTransparentColor = clOlive;
    int FIndexs[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    TStyGlyphList* FGlyphList = nullptr;
};
