#include "styled/graphics/TextDrawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"
#include "styled/base/RectHelpers.h"
#include "styled/graphics/BitmapDrawing.h"
#include "styled/graphics/FrameDrawing.h"
#include "styled/graphics/GradientDrawing.h"
#include "styled/graphics/StyButtonLayout.h"
#include "styled/graphics/StyClipSaver.h"
#include "styled/graphics/StyFxCaption.h"
#include "styled/graphics/StyGlyphTextLayout.h"

namespace {

TRect Moved(const TRect& r, int dx, int dy) { return Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy); }

TRect Union(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return Rect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                std::max(a.Bottom, b.Bottom));
}

TRect Grown(const TRect& r, int d) { return Rect(r.Left - d, r.Top - d, r.Right + d, r.Bottom + d); }

// Gives the canvas back its font and character spacing.
class TFontSaver {
public:
    explicit TFontSaver(TCanvas* c) : FCanvas(c), FExtra(c->TextCharacterExtra()) { FFont.Assign(c->Font()); }
    ~TFontSaver() {
        FCanvas->Font()->Assign(&FFont);
        FCanvas->SetTextCharacterExtra(FExtra);
    }

private:
    TCanvas* FCanvas;
    TFont FFont;
    int FExtra;
};

// How far the copies of a turned caption push its centre off, so that the
// text sits in the middle of its box.
int DepthCorrection(const TSty3DCaption& c) {
    int d = 0;
    switch (c.Style()) {
        case tdSunken:
        case tdRaised: d = c.LightDepth() / 2 - 1; break;
        case tdSunkenShadow:
        case tdRaisedShadow:
        case tdPColorSunken:
        case tdPColorRaised: d = (c.LightDepth() + c.ShadowDepth()) / 2 - 1; break;
        case tdShadow: d = c.ShadowDepth() / 2 - 1; break;
        default: break;
    }
    return std::max(d, 0);
}

}  // namespace

void Draw3DText(TCanvas* Canvas, const String& Text, TSty3DCaption* Caption, const TRect& R, unsigned Format,
                Word Flags, const TRect* Clip) {
    if (!Canvas || Text.empty() || R.IsEmpty()) return;
    if (!Caption) {
        TRect r = R;
        DrawTextEx(Canvas, Text, r, Format, nullptr);
        return;
    }
    auto* fx = dynamic_cast<TStyFxCaption*>(Caption);
    const bool rotated = fx && fx->Angle() != 0;

    TStyClipSaver clip(Canvas);
    if (Flags & tfClip) clip.Select(Clip ? *Clip : R);
    TFontSaver keepFont(Canvas);

    TStyThreeDStyle style = Caption->Style();
    TColor textColor;
    if (!(Flags & tfEnabled) && Caption->DisabledStyle() != dsNone) {
        textColor = clGrayText;
        if (Caption->DisabledStyle() == ds3d || (Caption->DisabledStyle() == dsAuto && (Flags & tfDisabledSunken)))
            style = tdSunken;
    } else {
        textColor = (style == tdPColorSunken || style == tdPColorRaised) ? Canvas->Brush()->Color()
                                                                         : Canvas->Font()->Color();
    }

    if (rotated) Canvas->Font()->SetOrientation(fx->Angle() * 10);
    TRect r = fx ? Rect(R.Left + fx->PosX(), R.Top + fx->PosY(), R.Right, R.Bottom) : R;
    if (Caption->Tracing() != 0) Canvas->SetTextCharacterExtra(Caption->Tracing());
    Canvas->Brush()->SetStyle(bsClear);

    const int L = Caption->LightDepth(), S = Caption->ShadowDepth();
    auto copy = [&](int delta, TColor color) {
        Canvas->Font()->SetColor(color);
        r = Moved(r, delta, delta);
        if (rotated) {
            Canvas->TextOut(r.Left, r.Top, Text);
        } else {
            TRect t = r;
            DrawTextEx(Canvas, Text, t, Format, nullptr);
        }
    };
    const TColor light = Caption->LightColor(), shadow = Caption->ShadowColor();
    switch (style) {
        case tdNone: copy(0, textColor); break;
        case tdSunken:
            r.Right -= L;
            copy(L, light);
            copy(-L, textColor);
            break;
        case tdRaised:
            r.Right -= L;
            copy(0, light);
            copy(L, textColor);
            break;
        case tdSunkenShadow:
        case tdPColorSunken:
            r.Right -= L + S;
            copy(0, shadow);
            copy(L + S, light);
            copy(-L, textColor);
            break;
        case tdRaisedShadow:
        case tdPColorRaised:
            r.Right -= L + S;
            copy(L + S, shadow);
            copy(-(L + S), light);
            copy(L, textColor);
            break;
        case tdShadow:
            r.Right -= S;
            copy(S, shadow);
            copy(-S, textColor);
            break;
    }
}

void CalcTextRect(const String& Text, TSty3DCaption* Caption, TRect& R, unsigned Format, TFont* Font, int Margin,
                  bool WordBreak) {
    // Measuring needs no screen: any canvas with the font measures alike.
    TBitmap scratch(1, 1);
    TCanvas* c = scratch.Canvas();
    if (Font) c->Font()->Assign(Font);
    c->Font()->SetOrientation(0);
    if (Caption && Caption->Tracing() != 0) c->SetTextCharacterExtra(Caption->Tracing());
    auto* fx = dynamic_cast<TStyFxCaption*>(Caption);
    const int depth = Caption ? Caption->EffectDepth() : 0;

    if (fx && fx->Angle() != 0) {
        const TSize size = c->TextExtent(Text);
        const int w = size.cx, h = size.cy;
        TRect box = Rect(0, 0, w + depth, h + depth);
        RotatedBounds(box, fx->Angle());
        const double a = fx->Angle() * std::numbers::pi / 180.0;
        const double cx = box.Width() / 2.0, cy = box.Height() / 2.0;
        const int hw = w / 2, hh = h / 2;
        const int d = DepthCorrection(*fx);
        const long px = std::lround(cx - hw * std::cos(a) - hh * std::sin(a)) - d;
        const long py = std::lround(cy + hw * std::sin(a) - hh * std::cos(a)) - d;
        fx->SetPosX(static_cast<Word>(std::clamp<long>(px, 0, 0xFFFF)));
        fx->SetPosY(static_cast<Word>(std::clamp<long>(py, 0, 0xFFFF)));
        R = Bounds(R.Left, R.Top, box.Width(), box.Height());
    } else {
        if (fx) fx->SetPos(0, 0);
        unsigned format = Format | DT_CALCRECT | DT_EXPANDTABS;
        if (WordBreak) format |= DT_WORDBREAK;
        TRect t = R;
        if (Text.empty())
            t = Rect(R.Left, R.Top, R.Left, R.Top);
        else
            DrawTextEx(c, Text, t, format, nullptr);
        R = Rect(R.Left, R.Top, t.Right + depth, t.Bottom + depth);
    }
    R.Right += 2 * (Margin + 1);
    R.Bottom += 2 * (Margin + 1);
}

TRect AlignTextRect(TStyAlignment Alignment, const String& Text, TSty3DCaption* Caption, unsigned Format,
                    TFont* Font, bool WordBreak, const TRect& R) {
    TRect measured = Rect(R.Left, R.Top, R.Right - 1, R.Bottom);
    CalcTextRect(Text, Caption, measured, Format, Font, 0, WordBreak);
    return AlignRect(Alignment, measured, R);
}

bool IsTrueTypeFont(TCanvas* Canvas) {
    (void)Canvas;
    return true;
}

TRect DrawGlyphText(TCanvas* Canvas, const String& Text, TSty3DCaption* Caption, Word Flags, unsigned Format,
                    const TStyGlyphSource& Glyph, TStyGlyphTextLayout* Layout, const TRect& R, TRect& TextRect,
                    TRect& GlyphRect) {
    TextRect = GlyphRect = TRect{};
    if (!Canvas) return TRect{};
    TStyGlyphTextLayout defaults;
    TStyGlyphTextLayout* layout = Layout ? Layout : &defaults;
    auto* button = dynamic_cast<TStyButtonLayout*>(layout);
    const bool arrow = button && button->Arrow();
    const int arrowW = button ? button->ArrowWidth() : 0;
    const int arrowRoom = button ? button->ArrowIndent() + arrowW : 0;
    const bool arrowAtText = arrow && (button->ArrowPosition() == apRightText || button->ArrowPosition() == apLeftText);

    // Element sizes.
    int tw = 0, th = 0;
    if (!Text.empty()) {
        TRect t = Rect(0, 0, std::max(0, R.Width() - 2), std::max(0, R.Height() - 2));
        CalcTextRect(Text, Caption, t, Format, Canvas->Font(), 0, (Format & DT_WORDBREAK) != 0);
        tw = t.Width();
        th = t.Height();
        if (arrowAtText) tw += arrowRoom;
    }
    const bool hasGlyph = Glyph.Glyph && !Glyph.Glyph->Empty();
    const int gw = hasGlyph ? Glyph.Glyph->Width() : 0, gh = hasGlyph ? Glyph.Glyph->Height() : 0;
    const bool both = tw > 0 && hasGlyph;
    const int sp = both ? layout->Spacing() : 0;

    // The block and the elements' places in it.
    const TStyTextArrange arrange = layout->AlignText2Glyph();
    const bool sideBySide = arrange == taLeft || arrange == taLeftTop || arrange == taRight || arrange == taRightTop;
    const bool edgeAligned = arrange == taLeftTop || arrange == taRightTop || arrange == taTopLeft || arrange == taBottomLeft;
    int bw, bh;
    TRect g, t;
    if (sideBySide) {
        bw = gw + sp + tw;
        bh = std::max(gh, th);
        const int gy = edgeAligned ? 0 : (bh - gh) / 2, ty = edgeAligned ? 0 : (bh - th) / 2;
        if (arrange == taRight || arrange == taRightTop) {
            g = Bounds(0, gy, gw, gh);
            t = Bounds(gw + sp, ty, tw, th);
        } else {
            t = Bounds(0, ty, tw, th);
            g = Bounds(tw + sp, gy, gw, gh);
        }
    } else {
        bw = std::max(gw, tw);
        bh = gh + sp + th;
        const int gx = edgeAligned ? 0 : (bw - gw) / 2, tx = edgeAligned ? 0 : (bw - tw) / 2;
        if (arrange == taTop || arrange == taTopLeft) {
            t = Bounds(tx, 0, tw, th);
            g = Bounds(gx, th + sp, gw, gh);
        } else {
            g = Bounds(gx, 0, gw, gh);
            t = Bounds(tx, gh + sp, tw, th);
        }
    }
    const bool measuring = Flags & tfMeasureOnly;
    const TRect block = measuring ? Bounds(R.Left, R.Top, bw, bh)
                                  : AlignRect(layout->Alignment(), Rect(0, 0, bw, bh), R);
    g = Moved(g, block.Left, block.Top);
    t = measuring ? Moved(t, block.Left, block.Top) : Moved(t, block.Left + 1, block.Top + 1);
    if (arrow && button->ArrowPosition() == apLeftText) t = Moved(t, arrowRoom, 0);
    g = Moved(g, layout->OffsetX(), layout->OffsetY());
    t = Moved(t, layout->OffsetX(), layout->OffsetY());
    if (arrow && button->ArrowPosition() == apLeftGlyph) g = Moved(g, arrowRoom, 0);
    TextRect = t;
    GlyphRect = g;

    if (!measuring) {
        const bool multiLine = !(Format & DT_SINGLELINE);
        unsigned format = Format | DT_EXPANDTABS | DT_WORDBREAK;
        if (multiLine) {
            const int column = static_cast<int>(layout->Alignment()) % 3, row = static_cast<int>(layout->Alignment()) / 3;
            if (column == 1) format |= DT_CENTER;
            if (column == 2) format |= DT_RIGHT;
            if (row == 1) format |= DT_VCENTER;
            if (row == 2) format |= DT_BOTTOM;
        }
        Canvas->Brush()->SetStyle(bsClear);
        TRect textArea = t;
        if (arrowAtText) {
            // The arrow's room is no place for the caption.
            if (button->ArrowPosition() == apRightText)
                textArea.Right -= arrowRoom;
        }
        Draw3DText(Canvas, Text, Caption, textArea, format, Flags, nullptr);
        if (hasGlyph) {
            TRect drawn;
            TPersistent* extra = nullptr;
            if (Glyph.Flags & dfTransparentBrush) extra = Glyph.Glyph;
            if (Glyph.Flags & dfTransparentMask) extra = Glyph.Mask;
            PlaceBitmap(Canvas, g, Glyph.Glyph->Canvas(), Rect(0, 0, gw, gh), Glyph.Flags, Glyph.Color, nullptr, extra,
                        drawn);
        }
        if (arrow) {
            const int size = button->ArrowSize();
            const bool enabled = Flags & tfEnabled;
            auto arrowY = [&](const TRect& element) { return element.Top + element.Height() / 2 - size / 2; };
            switch (button->ArrowPosition()) {
                case apRightText: {
                    const int x = multiLine ? t.Right - (size + 1) : t.Right - arrowW - 1;
                    DrawDropArrow(Canvas, x, arrowY(t), size, button->ArrowColor(), true, enabled);
                    break;
                }
                case apLeftText:
                    DrawDropArrow(Canvas, t.Left - arrowRoom, arrowY(t), size, button->ArrowColor(), true, enabled);
                    break;
                case apRightGlyph:
                    DrawDropArrow(Canvas, g.Right - arrowW, arrowY(g), size, button->ArrowColor(), true, enabled);
                    break;
                case apLeftGlyph:
                    DrawDropArrow(Canvas, g.Left - arrowRoom, arrowY(g), size, button->ArrowColor(), true, enabled);
                    break;
            }
        }
    }

    if (Flags & tfTextFeedback) return Grown(t, 1);
    if (Flags & tfGlyphFeedback) return g;
    if (Flags & tfUnionFeedback) return Grown(Union(t, g), 1);
    return Union(t, g);
}
