#include "toolbars/TbCustomProgressBar.h"

#include <algorithm>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"

TTbCustomProgressBar::TTbCustomProgressBar(TComponent* owner) : TGraphicControl(owner) {
    ControlStyle |= csOpaque;
    FWidth = 200;
    FHeight = 24;
    FFrame.BorderOuter = TFrameStyle::fsLowered;
    FFrame.BorderSides = AllSides;
}

void TTbCustomProgressBar::SetBackColor(TColor v) {
    if (SetIfChanged(FBackColor, v)) Invalidate();
}

void TTbCustomProgressBar::SetBorderColor(TColor v) {
    if (SetIfChanged(FFrame.BorderColor, v)) Invalidate();
}

void TTbCustomProgressBar::SetBorderInner(TFrameStyle v) {
    if (SetIfChanged(FFrame.BorderInner, v)) Invalidate();
}

void TTbCustomProgressBar::SetBorderOuter(TFrameStyle v) {
    if (SetIfChanged(FFrame.BorderOuter, v)) Invalidate();
}

void TTbCustomProgressBar::SetOrientation(TOrientation v) {
    if (SetIfChanged(FOrientation, v)) Invalidate();
}

void TTbCustomProgressBar::SetShowPercent(bool v) {
    if (SetIfChanged(FShowPercent, v)) Invalidate();
}

void TTbCustomProgressBar::SetBarColor(TColor v) {
    if (v == FBarColor) return;
    FBarColor = v;
    Font()->SetColor(v);
    Invalidate();
}

void TTbCustomProgressBar::SetBarStyle(TProgressBarStyle v) {
    if (v == FBarStyle) return;
    FBarStyle = v;
    SetShowPercent(v == bsTraditional);
    SetInteriorOffset(v == bsLED ? 1 : 0);
    Invalidate();
}

void TTbCustomProgressBar::SetBevelWidth(int v) {
    v = std::max(v, 1);
    if (v == FFrame.BevelWidth) return;
    FFrame.BevelWidth = v;
    Invalidate();
}

void TTbCustomProgressBar::SetBorderWidth(int v) {
    v = std::max(v, 0);
    if (v == FFrame.BorderWidth) return;
    FFrame.BorderWidth = v;
    Invalidate();
}

void TTbCustomProgressBar::SetInteriorOffset(int v) {
    v = std::clamp(v, 0, 255);
    if (v == FInteriorOffset) return;
    FInteriorOffset = v;
    Invalidate();
}

void TTbCustomProgressBar::SetNumSegments(int v) {
    v = std::clamp(v, 1, 100);
    if (v == FNumSegments) return;
    FNumSegments = v;
    Invalidate();
}

void TTbCustomProgressBar::SetTotalParts(int v) {
    v = std::max(v, 0);
    if (v == FTotalParts) return;
    FTotalParts = v;
    if (!HasState(csLoading)) {
        FPartsComplete = 0;
        SetPercent(0);
    }
    Invalidate();
}

void TTbCustomProgressBar::SetPartsComplete(int v) {
    v = std::max(v, 0);
    if (v == FPartsComplete) return;
    FPartsComplete = std::min(v, FTotalParts);
    if (!HasState(csLoading) && FTotalParts != 0)
        SetPercent(static_cast<Word>(RoundHalfEven(static_cast<double>(FPartsComplete) / FTotalParts * 100.0)));
    Invalidate();
}

void TTbCustomProgressBar::SetPercent(Word v) {
    if (v == FPercent) return;
    FPercent = v;
    if (OnChange) OnChange(this, v);
    Invalidate();
}

void TTbCustomProgressBar::Resize() {
    FOrientation = Height() <= Width() ? orHorizontal : orVertical;
    TGraphicControl::Resize();
}

void TTbCustomProgressBar::SegmentLayout(int length, int numSegments, int& count, int& size, int& margin) {
    count = std::max(numSegments, 1);
    size = length / count;
    // Short bars get fewer, larger segments.
    if (length <= 80 && count >= 11) {
        count = 10;
        size = length / 10;
    }
    if (size > 0) {
        const int extra = (length - count * size) / size;
        if (extra >= 1) count += extra;
    }
    margin = (length - count * size) / 2;
}

void TTbCustomProgressBar::Paint() {
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    TRect r = ClientRect();
    r = DrawBorder(c, r, FFrame.BorderOuter);
    if (FFrame.BorderWidth > 0) r = DrawBevel(c, r, FFrame.BorderColor, FFrame.BorderColor, FFrame.BorderWidth, AllSides);
    r = DrawBorder(c, r, FFrame.BorderInner);
    if (FInteriorOffset > 0) {
        r = DrawBevel(c, r, FBackColor, FBackColor, FInteriorOffset, AllSides);
    }
    if (r.IsEmpty()) return;
    if (FBarStyle == bsLED)
        PaintLED(c, r);
    else
        PaintTraditional(c, r);
}

void TTbCustomProgressBar::PaintTraditional(TCanvas* c, const TRect& r) {
    const String text = FShowPercent ? std::to_string(FPercent) + "%" : String();
    TRect filled = r;
    if (FPercent < 100) {
        if (FOrientation == orHorizontal)
            filled.Right = r.Left + RoundHalfEven(FPercent * r.Width() / 100.0);
        else
            filled.Top = r.Bottom - RoundHalfEven(FPercent * r.Height() / 100.0);
    }
    TRect rest = r;
    if (FOrientation == orHorizontal)
        rest.Left = filled.Right;
    else
        rest.Bottom = filled.Top;
    const int tx = (r.Left + r.Right) / 2 - c->TextWidth(text) / 2;
    const int ty = r.Top + (r.Height() - c->TextHeight("X")) / 2;
    // The text changes colour where the bar ends.
    auto part = [&](const TRect& area, TColor fill, TColor ink) {
        if (area.IsEmpty()) return;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(fill);
        c->FillRect(area);
        if (text.empty()) return;
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(ink);
        c->TextRect(area, tx, ty, text);
    };
    part(filled, FBarColor, FBackColor);
    part(rest, FBackColor, FBarColor);
}

void TTbCustomProgressBar::PaintLED(TCanvas* c, const TRect& r) {
    const bool horizontal = FOrientation == orHorizontal;
    const int length = horizontal ? r.Width() : r.Height();
    int count = 0, size = 0, margin = 0;
    SegmentLayout(length, FNumSegments, count, size, margin);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FBackColor);
    c->FillRect(r);
    if (size <= 0) return;
    const int lit = RoundHalfEven(FPercent * count / 100.0);
    c->Pen()->SetColor(FBackColor);
    c->Pen()->SetWidth(1);
    for (int i = 1; i <= count; ++i) {
        const TRect seg = horizontal ? Rect(r.Left + margin + (i - 1) * size, r.Top,
                                            r.Left + margin + i * size, r.Bottom)
                                     : Rect(r.Left, r.Top + margin + (count - i) * size, r.Right,
                                            r.Top + margin + (count - i + 1) * size);
        c->Brush()->SetColor(i <= lit ? FBarColor : FBackColor);
        c->Rectangle(seg);
    }
}
