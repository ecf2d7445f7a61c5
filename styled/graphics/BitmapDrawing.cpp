#include "styled/graphics/BitmapDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "framework/classes/Stream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphic.h"
#include "styled/base/StyApplication.h"
#include "styled/base/SysHelpers.h"
#include "styled/graphics/StyClipSaver.h"
#include "styled/graphics/StyGraphTypes.h"

namespace {

// D and not S: clears the destination wherever the mask is white.
constexpr TCopyMode cmMaskOut = 0x00220326;
// D xor (P and (S xor D)): the brush where the source is white, the
// destination elsewhere.
constexpr TCopyMode cmBrushThroughWhite = 0x00E20746;

class TCopyModeSaver {
public:
    explicit TCopyModeSaver(TCanvas* c) : FCanvas(c), FMode(c->CopyMode()) {}
    ~TCopyModeSaver() { FCanvas->SetCopyMode(FMode); }

private:
    TCanvas* FCanvas;
    TCopyMode FMode;
};

int RoundDiv(double v) { return static_cast<int>(std::lround(v)); }

// One target of a placement: where it goes and which part of the source
// (relative to the source rectangle's origin) fills it.
struct TTarget {
    TRect Dest;
    TRect Part;
};

void MaskedCopy(TCanvas* canvas, const TRect& dest, TCanvas* mask, TCanvas* image, const TRect& src) {
    TCopyModeSaver keep(canvas);
    canvas->SetCopyMode(cmSrcAnd);
    canvas->CopyRect(dest, mask, src);
    canvas->SetCopyMode(cmSrcPaint);
    canvas->CopyRect(dest, image, src);
}

TRect Shifted(const TRect& r, int dx, int dy) { return Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy); }

TRect Intersect(const TRect& a, const TRect& b) {
    return Rect(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                std::min(a.Bottom, b.Bottom));
}

}  // namespace

bool StyPaletteWanted(Word Flags) {
    if (!(Flags & dfUsePalette)) return false;
    if (StyApplication && (StyApplication->Options & 1) && GetColorDepth() < 9) return false;
    return true;
}

void PlaceBitmap(TCanvas* Canvas, const TRect& Dest, TCanvas* SrcCanvas, const TRect& Src, Word Flags,
                 TColor Color, const TStyPalette* Palette, TPersistent* Extra, TRect& Result) {
    (void)Palette;  // true-colour surfaces: selecting a palette changes no pixel
    Result = TRect{};
    if (!Canvas || Dest.IsEmpty()) return;
    const int w = Src.Width(), h = Src.Height();
    const int W = Dest.Width(), H = Dest.Height();

    std::vector<TTarget> targets;
    const TRect whole = Rect(0, 0, w, h);
    if ((Flags & dfTile) && w > 0 && h > 0) {
        const int columns = W / w + 1, rows = H / h + 1;
        for (int j = 0; j < rows; ++j)
            for (int i = 0; i < columns; ++i) {
                const TRect tile = Bounds(Dest.Left + i * w, Dest.Top + j * h, w, h);
                const TRect cut = Intersect(tile, Dest);
                if (cut.IsEmpty()) continue;
                targets.push_back({cut, Shifted(cut, -tile.Left, -tile.Top)});
            }
        Result = Dest;
    } else {
        TRect place;
        if (Flags & dfStretch) {
            place = Dest;
            if (w > 0 && h > 0) {
                if ((Flags & dfKeepAspect) == dfKeepAspect) {
                    const double scale = std::min(double(W) / w, double(H) / h);
                    place = Bounds(Dest.Left, Dest.Top, RoundDiv(w * scale), RoundDiv(h * scale));
                } else {
                    if (Flags & dfKeepWidth) place.Bottom = place.Top + RoundDiv(double(W) / w * h);
                    if (Flags & dfKeepHeight) place.Right = place.Left + RoundDiv(double(H) / h * w);
                }
            }
        } else if (Flags & dfCenter) {
            place = Bounds(Dest.Left + (W - w) / 2, Dest.Top + (H - h) / 2, w, h);
        } else {
            place = Bounds(Dest.Left, Dest.Top, w, h);
        }
        Result = place.IsEmpty() ? Dest : place;
        if (!place.IsEmpty()) targets.push_back({place, whole});
    }
    if (targets.empty() || w <= 0 || h <= 0) return;

    // Where a target's part lies in a canvas whose image starts at `origin`.
    auto partIn = [](const TTarget& t, const TPoint& origin) { return Shifted(t.Part, origin.X, origin.Y); };

    if (Flags & dfTransparentBrush) {
        auto* bitmap = dynamic_cast<TBitmap*>(Extra);
        if (!bitmap && SrcCanvas) bitmap = SrcCanvas->Bitmap();
        if (!bitmap || bitmap->Empty()) return;
        Canvas->Brush()->SetColor(Color);
        const TColor key = bitmap->TransparentColor();
        for (const TTarget& t : targets) Canvas->BrushCopy(t.Dest, bitmap, partIn(t, Point(Src.Left, Src.Top)), key);
    } else if ((Flags & dfTransparentMask) && dynamic_cast<TCanvas*>(Extra)) {
        auto* mask = static_cast<TCanvas*>(Extra);
        if (!SrcCanvas) return;
        for (const TTarget& t : targets) {
            const TRect part = partIn(t, Point(Src.Left, Src.Top));
            MaskedCopy(Canvas, t.Dest, mask, SrcCanvas, part);
        }
    } else if (Flags & dfTransparentColor) {
        if (!SrcCanvas) return;
        // Both are freed by their owners whatever the drawing does.
        auto image = std::make_unique<TBitmap>();
        auto mask = std::make_unique<TBitmap>();
        MakeMaskedImage(SrcCanvas, Src, mask.get(), image.get(), Color);
        for (const TTarget& t : targets) MaskedCopy(Canvas, t.Dest, mask->Canvas(), image->Canvas(), t.Part);
    } else {
        if (!SrcCanvas) return;
        for (const TTarget& t : targets) Canvas->CopyRect(t.Dest, SrcCanvas, partIn(t, Point(Src.Left, Src.Top)));
    }
}

void DrawBitmap(TCanvas* Canvas, const TRect& Dest, TBitmap* Bitmap, Word Flags, TColor Color, TRect& Result) {
    Result = TRect{};
    if (!Canvas || !Bitmap || Bitmap->Empty()) return;
    const TRect src = Rect(0, 0, Bitmap->Width(), Bitmap->Height());
    if (Flags & dfTransparentBrush)
        PlaceBitmap(Canvas, Dest, nullptr, src, Flags, Color, nullptr, Bitmap, Result);
    else
        PlaceBitmap(Canvas, Dest, Bitmap->Canvas(), src, Flags, Color, nullptr, nullptr, Result);
}

void DrawBitmapClipped(TCanvas* Canvas, const TRect& Dest, TBitmap* Bitmap, Word Flags, DWORD Origin,
                       TColor Color) {
    if (!Canvas) return;
    TRect result;
    if (!(Flags & dfClip)) {
        DrawBitmap(Canvas, Dest, Bitmap, Flags, Color, result);
        return;
    }
    TStyClipSaver clip(Canvas);
    clip.Select(Origin ? Shifted(Dest, int(Origin & 0xFFFF), int(Origin >> 16)) : Dest);
    DrawBitmap(Canvas, Dest, Bitmap, Flags, Color, result);
}

void MakeMaskedImage(TCanvas* SrcCanvas, const TRect& Src, TBitmap* Mask, TBitmap* Image,
                     TColor TransparentColor) {
    if (!Mask || !Image || !SrcCanvas) return;
    const TRect whole = Rect(0, 0, Src.Width(), Src.Height());
    if (whole.IsEmpty()) return;
    Image->SetSize(whole.Right, whole.Bottom);
    {
        TCopyModeSaver keep(Image->Canvas());
        Image->Canvas()->SetCopyMode(cmSrcCopy);
        Image->Canvas()->CopyRect(whole, SrcCanvas, Src);
    }
    Mask->SetPixelFormat(pfDevice);
    Mask->SetSize(whole.Right, whole.Bottom);
    {
        TCopyModeSaver keep(Mask->Canvas());
        Mask->Canvas()->SetCopyMode(cmSrcCopy);
        Mask->Canvas()->CopyRect(whole, SrcCanvas, Src);
    }
    Mask->Mask(TransparentColor);
    TCopyModeSaver keep(Image->Canvas());
    Image->Canvas()->SetCopyMode(cmMaskOut);
    Image->Canvas()->CopyRect(whole, Mask->Canvas(), whole);
}

void MakeBitmapMask(TBitmap* Source, TBitmap* Mask, TBitmap* Image, TColor TransparentColor) {
    if (!Source || Source->Empty()) return;
    MakeMaskedImage(Source->Canvas(), Rect(0, 0, Source->Width(), Source->Height()), Mask, Image,
                    TransparentColor);
}

void DrawDisabledBitmap(TBitmap* Dest, TBitmap* Src, int X, int Y) {
    if (!Dest || !Src || Src->Empty()) return;
    const int w = Src->Width(), h = Src->Height();
    // The monochrome copy is white where the glyph is black, the colour
    // that turns into the etched lines; the other colours drop out.
    TBitmap mono(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            mono.Canvas()->SetPixels(x, y, Src->Canvas()->Pixels(x, y) == clBlack ? clWhite : clBlack);
    if (Dest->Empty()) Dest->SetSize(w, h);
    TCanvas* c = Dest->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Src->TransparentColor());
    c->FillRect(Rect(0, 0, Dest->Width(), Dest->Height()));
    TCopyModeSaver keep(c);
    c->SetCopyMode(cmBrushThroughWhite);
    c->Brush()->SetColor(clBtnHighlight);
    c->CopyRect(Bounds(X + 1, Y + 1, w, h), mono.Canvas(), Rect(0, 0, w, h));
    c->Brush()->SetColor(clBtnShadow);
    c->CopyRect(Bounds(X, Y, w, h), mono.Canvas(), Rect(0, 0, w, h));
}

void Make3DBitmap(TBitmap* Dest, TBitmap* Src) {
    if (!Dest || !Src) return;
    Dest->Assign(Src);
    if (Dest->Empty()) return;
    TCanvas* c = Dest->Canvas();
    const int w = Dest->Width(), h = Dest->Height();
    const TColor background = c->Pixels(0, 0);
    auto sum = [](TColor p) { return GetRValue(p) + GetGValue(p) + GetBValue(p); };
    long total = 0, count = 0;
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
            const TColor p = c->Pixels(x, y);
            if (p == background) continue;
            total += sum(p);
            ++count;
        }
    const int base = count ? -(200 - static_cast<int>(std::lround(double(total) / count))) : 0;
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
            const TColor p = c->Pixels(x, y);
            if (p == background) continue;
            const int s = sum(p);
            TColor tone = clBlack;
            if (s > base + 550)
                tone = clWhite;
            else if (s > base + 250)
                tone = clBtnHighlight;
            else if (s > base + 50)
                tone = clBtnShadow;
            c->SetPixels(x, y, tone);
        }
}

namespace {

int OwnDepth(const TBitmap* b) {
    switch (b->PixelFormat()) {
        case pf1bit: return 1;
        case pf4bit: return 4;
        case pf8bit: return 8;
        case pf15bit:
        case pf16bit: return 16;
        case pf24bit: return 24;
        default: return 32;
    }
}

int DepthFor(const TBitmap* b, int colors) {
    int bits;
    switch (colors) {
        case 2: bits = 1; break;
        case 16: bits = 4; break;
        case 256: bits = 8; break;
        // Other counts select no depth of their own; the bitmap's is the
        // one that keeps the image whole.
        default: bits = OwnDepth(b); break;
    }
    return bits == 16 || bits == 32 ? 24 : bits;
}

TPixelFormat FormatFor(int bits) {
    switch (bits) {
        case 1: return pf1bit;
        case 4: return pf4bit;
        case 8: return pf8bit;
        default: return pf24bit;
    }
}

void Put16(std::vector<Byte>& b, size_t at, unsigned v) {
    b[at] = Byte(v);
    b[at + 1] = Byte(v >> 8);
}
void Put32(std::vector<Byte>& b, size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = Byte(v >> (8 * i));
}

}  // namespace

std::vector<Byte> BitmapToDIB(TBitmap* Bitmap, const TStyPalette* Palette, int Colors) {
    (void)Palette;
    if (!Bitmap || Bitmap->Empty()) throw EInvalidGraphic("Bitmap image is not valid");
    const int bits = DepthFor(Bitmap, Colors);
    const int width = Bitmap->Width(), height = Bitmap->Height();
    const std::uint32_t stride = std::uint32_t(((width * bits + 31) / 32) * 4);
    const std::uint32_t imageSize = stride * std::uint32_t(height);
    const int tableEntries = bits == 24 ? 0 : 1 << bits;
    const std::uint32_t headerSize = 40 + 4 * std::uint32_t(tableEntries);
    std::vector<Byte> out(14 + headerSize + imageSize, 0);

    Put16(out, 0, 0x4D42);
    Put32(out, 2, std::uint32_t(out.size()));
    Put32(out, 10, 14 + headerSize);
    Put32(out, 14, 40);
    Put32(out, 18, std::uint32_t(width));
    Put32(out, 22, std::uint32_t(height));
    Put16(out, 26, 1);
    Put16(out, 28, unsigned(bits));
    Put32(out, 34, imageSize);

    size_t at = 54;
    for (int i = 0; i < tableEntries; ++i, at += 4) {
        TColor c = bits == 1 ? (i ? clWhite : clBlack) : TBitmap::Palette8(i);
        out[at] = GetBValue(c);
        out[at + 1] = GetGValue(c);
        out[at + 2] = GetRValue(c);
    }

    TBitmap copy;
    copy.Assign(Bitmap);
    copy.SetPixelFormat(FormatFor(bits));
    const size_t rowBytes = std::min<size_t>(stride, size_t(copy.BytesPerScanLine()));
    for (int y = 0; y < height; ++y)
        std::memcpy(out.data() + 14 + headerSize + size_t(height - 1 - y) * stride, copy.ScanLine(y), rowBytes);
    return out;
}

void WriteDIB(TStream* Stream, TBitmap* Bitmap, const TStyPalette* Palette, bool WithSize, int Colors) {
    const std::vector<Byte> dib = BitmapToDIB(Bitmap, Palette, Colors);
    if (WithSize) {
        const std::uint32_t size = std::uint32_t(dib.size());
        Byte le[4] = {Byte(size), Byte(size >> 8), Byte(size >> 16), Byte(size >> 24)};
        Stream->WriteBuffer(le, 4);
    }
    Stream->WriteBuffer(dib.data(), Int64(dib.size()));
}

void SaveBitmapToStream(TStream* Stream, TBitmap* Bitmap, int Colors) {
    const int colors = Bitmap && Bitmap->Monochrome() ? 2 : Colors;
    WriteDIB(Stream, Bitmap, nullptr, false, colors);
    Stream->SetPosition(0);
}
