#include "toolbars/TbCommon.h"

#include <cmath>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"

namespace {

// Lines are filled as one-pixel rectangles: the result does not depend on
// the pen the caller left on the canvas.
void Line(TCanvas* c, int x1, int y1, int x2, int y2, TColor color) {
    if (x2 <= x1 || y2 <= y1) return;
    c->Brush()->SetColor(color);
    c->FillRect(Rect(x1, y1, x2, y2));
}

struct TBrushKeeper {
    TCanvas* Canvas;
    TColor Color;
    TBrushStyle Style;
    explicit TBrushKeeper(TCanvas* c) : Canvas(c), Color(c->Brush()->Color()), Style(c->Brush()->Style()) {}
    ~TBrushKeeper() {
        Canvas->Brush()->SetColor(Color);
        Canvas->Brush()->SetStyle(Style);
    }
};

TRect Etched(TCanvas* c, TRect r, TSides sides, TColor d, TColor e) {
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    auto pixel = [c](int x, int y, TColor color) { Line(c, x, y, x + 1, y + 1, color); };
    if (sides & sdRight) pixel(R - 1, T, e);
    if ((sides & sdTop) && !(sides & sdRight)) pixel(R - 1, T, d);
    if (sides & sdBottom) pixel(L, B - 1, e);
    if ((sides & sdLeft) && !(sides & sdBottom)) pixel(L, B - 1, d);
    if ((sides & sdTop) && !(sides & sdLeft)) pixel(L, T + 1, e);
    if ((sides & sdLeft) && !(sides & sdTop)) pixel(L + 1, T, e);
    if ((sides & sdBottom) && !(sides & sdRight)) pixel(R - 1, B - 2, d);
    if ((sides & sdRight) && !(sides & sdBottom)) pixel(R - 2, B - 1, d);
    TRect light = Rect(L + 1, T + 1, R, B);
    DrawSides(c, light, e, sides, e);
    DrawSides(c, Rect(L, T, R - 1, B - 1), d, sides, d);
    if (sides & sdLeft) r.Left += 2;
    if (sides & sdTop) r.Top += 2;
    if (sides & sdRight) r.Right -= 2;
    if (sides & sdBottom) r.Bottom -= 2;
    return r;
}

TRect Edge(TCanvas* c, TRect r, TFrameStyle style, TSides sides, const TTbFrameLook& look) {
    switch (style) {
    case TFrameStyle::fsNone: return r;
    case TFrameStyle::fsFlat: return DrawBevel(c, r, look.FlatColor, look.FlatColor, 1, sides);
    case TFrameStyle::fsPopup:
        return DrawBevel(c, r, look.BorderHighlight, look.BorderShadow, look.BevelWidth, sides);
    case TFrameStyle::fsStatus:
        return DrawBevel(c, r, look.BorderShadow, look.BorderHighlight, look.BevelWidth, sides);
    default: return DrawBorderSides(c, r, style, sides);
    }
}

}  // namespace

TRect DrawSides(TCanvas* canvas, TRect r, TColor ulColor, TSides sides, TColor lrColor) {
    TBrushKeeper keep(canvas);
    canvas->Brush()->SetStyle(bsSolid);
    if (sides & sdLeft) Line(canvas, r.Left, r.Top, r.Left + 1, r.Bottom, ulColor);
    if (sides & sdTop) Line(canvas, r.Left, r.Top, r.Right, r.Top + 1, ulColor);
    if (sides & sdRight) Line(canvas, r.Right - 1, r.Top, r.Right, r.Bottom, lrColor);
    if (sides & sdBottom) Line(canvas, r.Left, r.Bottom - 1, r.Right, r.Bottom, lrColor);
    if (sides & sdLeft) ++r.Left;
    if (sides & sdTop) ++r.Top;
    if (sides & sdRight) --r.Right;
    if (sides & sdBottom) --r.Bottom;
    return r;
}

TRect DrawBevel(TCanvas* canvas, TRect rect, TColor ulColor, TColor lrColor, int width, TSides sides) {
    for (int i = 0; i < width; ++i) rect = DrawSides(canvas, rect, ulColor, sides, lrColor);
    return rect;
}

TRect DrawBorderSides(TCanvas* c, TRect r, TFrameStyle style, TSides sides) {
    switch (style) {
    case TFrameStyle::fsNone: return r;
    case TFrameStyle::fsFlat: return DrawSides(c, r, clWindowFrame, sides, clWindowFrame);
    case TFrameStyle::fsStatus: return DrawSides(c, r, clBtnShadow, sides, clBtnHighlight);
    case TFrameStyle::fsPopup: return DrawSides(c, r, clBtnHighlight, sides, clBtnShadow);
    case TFrameStyle::fsRaised:
        r = DrawSides(c, r, cl3DLight, sides, clBtnText);
        return DrawSides(c, r, clBtnHighlight, sides, clBtnShadow);
    case TFrameStyle::fsLowered:
        r = DrawSides(c, r, clBtnShadow, sides, clBtnHighlight);
        return DrawSides(c, r, clBtnText, sides, cl3DLight);
    case TFrameStyle::fsButtonUp:
        r = DrawSides(c, r, clBtnHighlight, sides, cl3DDkShadow);
        return DrawSides(c, r, cl3DLight, sides, clBtnShadow);
    case TFrameStyle::fsButtonDown:
        r = DrawSides(c, r, clBtnText, sides, clBtnText);
        return DrawSides(c, r, clBtnShadow, sides, clBtnShadow);
    case TFrameStyle::fsGroove: {
        TBrushKeeper keep(c);
        c->Brush()->SetStyle(bsSolid);
        return Etched(c, r, sides, clBtnShadow, clBtnHighlight);
    }
    case TFrameStyle::fsBump: {
        TBrushKeeper keep(c);
        c->Brush()->SetStyle(bsSolid);
        return Etched(c, r, sides, clBtnHighlight, clBtnShadow);
    }
    }
    return r;
}

TRect DrawBorder(TCanvas* canvas, TRect rect, TFrameStyle style) {
    return DrawBorderSides(canvas, rect, style, AllSides);
}

void CreateRotatedFont(TFont* font, const TFont* source, int angle) {
    font->Assign(const_cast<TFont*>(source));
    font->SetOrientation(angle * 10);
}

TRect DrawFrame(TCanvas* canvas, TRect r, const TTbFrameLook& s) {
    r = DrawSides(canvas, r, clBlack, s.FrameSides, clBlack);
    r = Edge(canvas, r, s.BorderOuter, s.BorderSides, s);
    if (s.BorderWidth > 0) r = DrawBevel(canvas, r, s.BorderColor, s.BorderColor, s.BorderWidth, s.BorderSides);
    return Edge(canvas, r, s.BorderInner, s.BorderSides, s);
}

TRect AdjustRectForFrame(TRect r, const TTbFrameLook& s, bool includeBorderWidth) {
    auto shrink = [&r](TSides sides, int n) {
        if (sides & sdLeft) r.Left += n;
        if (sides & sdTop) r.Top += n;
        if (sides & sdRight) r.Right -= n;
        if (sides & sdBottom) r.Bottom -= n;
    };
    shrink(s.FrameSides, 1);
    if (includeBorderWidth) shrink(AllSides, s.BorderWidth);
    shrink(s.BorderSides, FrameStyleWidth(s.BorderOuter, s.BevelWidth));
    shrink(s.BorderSides, FrameStyleWidth(s.BorderInner, s.BevelWidth));
    return r;
}

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

#include "framework/controls/WinControl.h"

bool EnabledWithParents(const TControl* control) {
    for (const TControl* c = control; c; c = c->Parent())
        if (!c->Enabled()) return false;
    return true;
}
