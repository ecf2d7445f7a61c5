#pragma once
#include <memory>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/rtl/Types.h"

class TBitmap;
class TCanvas;

// The state images of every glyph of one cell size. A bit per cell tells
// which cells are in use, so a freed cell is taken again before the list
// grows.
class TStyGlyphList : public TObject {
public:
    TStyGlyphList(int Width, int Height);
    ~TStyGlyphList() override;
    String ClassName() const { return "TStyGlyphList"; }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Cells in use.
    int Count() const { return FCount; }
    // Cells there are, used or not.
    int Capacity() const { return static_cast<int>(FUsed.size()); }
    bool Used(int Index) const;

    // The first free cell; the list grows by one blank cell when none is.
    int AllocateIndex();
    // Stores a copy of Bitmap at a free cell, drawn later with every pixel
    // of TransparentColor left out.
    int Add(TBitmap* Bitmap, TColor TransparentColor);
    // Frees a cell; one not in use is left alone.
    void Delete(int Index);
    // nullptr for a cell not in use.
    TBitmap* Bitmap(int Index) const;
    TColor TransparentColor(int Index) const;
    void Draw(TCanvas* Canvas, int X, int Y, int Index) const;

private:
    int FWidth;
    int FHeight;
    int FCount = 0;
    std::vector<bool> FUsed;
    std::vector<std::unique_ptr<TBitmap>> FImages;
    std::vector<TColor> FColors;
};
