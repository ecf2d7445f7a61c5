#include "styled/controls/StyGlyphList.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "styled/graphics/BitmapDrawing.h"
#include "styled/graphics/StyGraphTypes.h"

TStyGlyphList::TStyGlyphList(int Width, int Height) : FWidth(Width), FHeight(Height) {}

TStyGlyphList::~TStyGlyphList() = default;

bool TStyGlyphList::Used(int Index) const { return Index >= 0 && Index < Capacity() && FUsed[static_cast<size_t>(Index)]; }

int TStyGlyphList::AllocateIndex() {
    for (size_t i = 0; i < FUsed.size(); ++i)
        if (!FUsed[i]) return static_cast<int>(i);
    FUsed.push_back(false);
    FImages.push_back(std::make_unique<TBitmap>(FWidth, FHeight));
    FColors.push_back(clNone);
    return Capacity() - 1;
}

int TStyGlyphList::Add(TBitmap* Bitmap, TColor TransparentColor) {
    const int i = AllocateIndex();
    const auto k = static_cast<size_t>(i);
    FImages[k]->SetSize(FWidth, FHeight);
    if (Bitmap) FImages[k]->Canvas()->CopyRect(Rect(0, 0, FWidth, FHeight), Bitmap->Canvas(), Rect(0, 0, FWidth, FHeight));
    FColors[k] = TransparentColor;
    FUsed[k] = true;
    ++FCount;
    return i;
}

void TStyGlyphList::Delete(int Index) {
    if (!Used(Index)) return;
    FUsed[static_cast<size_t>(Index)] = false;
    --FCount;
}

TBitmap* TStyGlyphList::Bitmap(int Index) const { return Used(Index) ? FImages[static_cast<size_t>(Index)].get() : nullptr; }

TColor TStyGlyphList::TransparentColor(int Index) const {
    return Used(Index) ? FColors[static_cast<size_t>(Index)] : clNone;
}

void TStyGlyphList::Draw(TCanvas* Canvas, int X, int Y, int Index) const {
    TBitmap* b = Bitmap(Index);
    if (!b || !Canvas) return;
    TRect done;
    DrawBitmap(Canvas, Bounds(X, Y, FWidth, FHeight), b, dfTransparentColor, TransparentColor(Index), done);
}
