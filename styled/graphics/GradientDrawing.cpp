#include "styled/graphics/GradientDrawing.h"

#include <cmath>
#include <cstdlib>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "styled/graphics/BitmapDrawing.h"
#include "styled/graphics/StyClipSaver.h"
#include "styled/graphics/StyPalette.h"

void MakeGradientColors(TColor Start, TColor End, int Count, TStyColorTable* Table) {
    if (!Table || Count <= 0) return;
    Table->clear();
    const TColor s = ColorToRGB(Start), e = ColorToRGB(End);
    const int r0 = GetRValue(s), g0 = GetGValue(s), b0 = GetBValue(s);
    const int dr = GetRValue(e) - r0, dg = GetGValue(e) - g0, db = GetBValue(e) - b0;
    const int steps = Count - 1;
    for (int i = 0; i < Count; ++i) {
        // One step only: MulDiv by 0 would answer -1; the start colour is
        // what a table of one holds.
        if (steps == 0) {
            Table->push_back(RGB(r0, g0, b0));
            break;
        }
        Table->push_back(RGB(r0 + MulDiv(i, dr, steps), g0 + MulDiv(i, dg, steps), b0 + MulDiv(i, db, steps)));
    }
}

std::unique_ptr<TStyPalette> CreateGradientPalette(const TStyColorTable* Table) {
    if (!Table || Table->empty()) return nullptr;
    std::vector<TStyPalette::TEntry> entries;
    entries.reserve(Table->size());
    for (TColor c : *Table) {
        const TColor rgb = ColorToRGB(c);
        entries.push_back({GetRValue(rgb), GetGValue(rgb), GetBValue(rgb), TStyPalette::NoCollapse});
    }
    return std::make_unique<TStyPalette>(std::move(entries));
}

namespace {

TRect Moved(const TRect& r, int dx, int dy) { return Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy); }

// The bands and nested shapes, drawn on `c` around `base` (in c's
// coordinates).
void PaintSteps(TCanvas* c, const TRect& base, int W, int H, TStyGradientStyle Style, const TStyColorTable& table) {
    const int n = static_cast<int>(table.size());
    c->Brush()->SetStyle(bsSolid);
    c->Pen()->SetStyle(psClear);
    auto dX = [&](int i) { return MulDiv(i + 1, W, n); };
    auto dY = [&](int i) { return MulDiv(i + 1, H, n); };
    const int cx = base.Left, cy = base.Top;
    if (Style == gstHorizontal) {
        for (int i = 0; i < n; ++i) {
            c->Brush()->SetColor(table[size_t(i)]);
            c->FillRect(Rect(base.Left + MulDiv(i, W, n), base.Top, base.Left + dX(i), base.Bottom));
        }
    } else if (Style == gstVertical) {
        for (int i = n - 1; i >= 0; --i) {
            c->Brush()->SetColor(table[size_t(i)]);
            c->FillRect(Rect(base.Left, base.Top + MulDiv(i, H, n), base.Right, base.Top + dY(i)));
        }
    } else {
        for (int i = n - 1; i >= 0; --i) {
            c->Brush()->SetColor(table[size_t(i)]);
            const int x = dX(i), y = dY(i);
            switch (Style) {
                case gstSquare: c->Rectangle(cx - x / 2, cy - y / 2, cx + x / 2 + 2, cy + y / 2 + 2); break;
                case gstElliptic: {
                    const int rx = static_cast<int>(std::lround(x / 1.4));
                    const int ry = static_cast<int>(std::lround(y / 1.4));
                    c->Ellipse(cx - rx, cy - ry, cx + rx, cy + ry);
                    break;
                }
                case gstTopLeft: c->Rectangle(base.Left, base.Top, base.Left + 1 + x, base.Top + 1 + y); break;
                case gstTopRight:
                    c->Rectangle(base.Left - x, base.Top, base.Left + 1, base.Top + 1 + y);
                    break;
                case gstBottomLeft:
                    c->Rectangle(base.Left, base.Top - y, base.Left + 1 + x, base.Top + 1);
                    break;
                case gstBottomRight: c->Rectangle(base.Left - x, base.Top - y, base.Left + 1, base.Top + 1); break;
                default: break;
            }
        }
    }
    c->Pen()->SetStyle(psSolid);
}

}  // namespace

void FillGradient(TCanvas* Canvas, const TRect& Rect_, TStyGradientStyle Style, const TStyColorTable* Table,
                  const TStyPalette* Palette, Word Flags, DWORD Origin) {
    (void)Palette;  // true-colour surfaces: a realised palette changes no colour
    if (!Canvas || !Table || Table->empty() || Rect_.IsEmpty()) return;
    const int W = Rect_.Width(), H = Rect_.Height();

    // The anchor of the shapes, relative to the rectangle's corner.
    TRect base;
    switch (Style) {
        case gstHorizontal:
        case gstVertical: base = Rect(0, 0, W, H); break;
        case gstSquare:
        case gstElliptic: base = Rect(W / 2, H / 2, W / 2, H / 2); break;
        case gstTopLeft: base = Rect(0, 0, 1, 1); break;
        case gstTopRight: base = Rect(W, 0, W + 1, 1); break;
        case gstBottomLeft: base = Rect(0, H, 1, H + 1); break;
        case gstBottomRight: base = Rect(W, H, W + 1, H + 1); break;
    }

    if (Flags & dfUseBitmap) {
        TBitmap buffer(W, H);
        PaintSteps(buffer.Canvas(), base, W, H, Style, *Table);
        Canvas->Draw(Rect_.Left, Rect_.Top, &buffer);
        return;
    }
    // The outer shapes reach past the rectangle (the ellipses well past
    // it, to cover the corners); they never paint outside it.
    TStyClipSaver clip(Canvas);
    clip.Select(Rect_);
    if ((Flags & dfClip) && Origin) clip.Select(Moved(Rect_, int(Origin & 0xFFFF), int(Origin >> 16)));
    PaintSteps(Canvas, Moved(base, Rect_.Left, Rect_.Top), W, H, Style, *Table);
}

void FillGradientColors(TCanvas* Canvas, const TRect& Rect_, TColor Start, TColor End, int Count,
                        TStyGradientStyle Style, Word Flags, DWORD Origin) {
    TStyColorTable table;
    MakeGradientColors(Start, End, Count, &table);
    std::unique_ptr<TStyPalette> palette;
    if (Flags & dfUsePalette) palette = CreateGradientPalette(&table);
    FillGradient(Canvas, Rect_, Style, &table, palette.get(), Flags, Origin);
}

TRect AlignRect(TStyAlignment Alignment, const TRect& SizeRect, const TRect& DestRect) {
    const int w = SizeRect.Width(), h = SizeRect.Height();
    const int dw = DestRect.Width(), dh = DestRect.Height();
    const int row = static_cast<int>(Alignment) / 3, column = static_cast<int>(Alignment) % 3;
    const int y = row == 0 ? 0 : row == 1 ? (dh - h) / 2 : dh - h;
    const int x = column == 0 ? 0 : column == 1 ? (dw - w) / 2 : dw - w;
    return Bounds(DestRect.Left + x, DestRect.Top + y, w, h);
}

void FillBitmapRect(TBitmap* Bitmap, const TRect& Rect_, TColor Color) {
    if (!Bitmap || Rect_.IsEmpty()) return;
    Bitmap->SetSize(Rect_.Width(), Rect_.Height());
    TCanvas* c = Bitmap->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color);
    c->FillRect(Rect(0, 0, Rect_.Width(), Rect_.Height()));
}
