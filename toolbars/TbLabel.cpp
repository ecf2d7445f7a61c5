#include "toolbars/TbLabel.h"

#include <cmath>
#include <numbers>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"
#include "framework/rtl/StrUtils.h"
#include "toolbars/TbBlinkingControlsList.h"

namespace {

// Bitmap faces cannot be turned; the classic ones are swapped for an
// outline face when the text is rotated.
bool IsOutlineFace(const String& name) {
    for (const char* f : {"MS Sans Serif", "MS Serif", "System", "Terminal", "Fixedsys", "Small Fonts", "Courier"})
        if (SameText(name, f)) return false;
    return true;
}

// Splits UTF-8 text into its characters, so a curve never cuts one.
std::vector<String> Characters(const String& s) {
    std::vector<String> out;
    for (size_t i = 0; i < s.size();) {
        size_t n = 1;
        while (i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80) ++n;
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

// The top-left corner of a text turned by `radians` whose point
// (alongX, downY) in its own frame is to land on `anchor`.
TPoint TurnedOrigin(double radians, double anchorX, double anchorY, double alongX, double downY) {
    const double ux = std::cos(radians), uy = -std::sin(radians);
    const double vx = std::sin(radians), vy = std::cos(radians);
    return Point(static_cast<int>(std::lround(anchorX - ux * alongX - vx * downY)),
                 static_cast<int>(std::lround(anchorY - uy * alongX - vy * downY)));
}

}  // namespace

TTbLabel::TTbLabel(TComponent* owner) : TLabel(owner) {
    FNormalColor = FDrawnColor = Font()->Color();
    TTbBlinkingControlsList::Register(this);
    AdjustSize();
}

TTbLabel::~TTbLabel() { TTbBlinkingControlsList::Unregister(this); }

void TTbLabel::Changed() {
    AdjustSize();
    Invalidate();
}

// --- text look -------------------------------------------------------------------

void TTbLabel::SetAngle(int v) {
    // A negative angle turns once the other way round (-30 is 330, -400
    // stays -40); any other is taken within one turn.
    v = v < 0 ? v + 360 : v % 360;
    if (v == FAngle) return;
    FAngle = v;
    if (v != 0 && FRotation == roNone) FRotation = roFlat;
    if (v != 0) EnsureOutlineFont();
    Changed();
}

void TTbLabel::SetRotation(TRotation v) {
    if (v == FRotation) return;
    FRotation = v;
    // A stored angle survives loading; a rotation chosen afterwards starts
    // level (and, turned flat, about the centre).
    if (!HasState(csLoading)) {
        if (v == roNone || v == roFlat) FAngle = 0;
        if (v == roFlat) FCenterPoint = cpCenter;
    }
    if (v != roNone) EnsureOutlineFont();
    Changed();
}

void TTbLabel::EnsureOutlineFont() {
    if (HasState(csLoading)) return;
    if (!IsOutlineFace(Font()->Name())) Font()->SetName("Arial");
}

void TTbLabel::SetCenterPoint(TCenterPoint v) {
    if (v == FCenterPoint) return;
    FCenterPoint = v;
    Invalidate();
}

void TTbLabel::SetTextStyle(TTextStyle v) {
    if (v == FTextStyle) return;
    FTextStyle = v;
    Changed();
}

void TTbLabel::SetLightTextStyle(bool v) {
    if (v == FLightTextStyle) return;
    FLightTextStyle = v;
    Invalidate();
}

void TTbLabel::SetHighlightColor(TColor v) {
    if (v == FHighlightColor) return;
    FHighlightColor = v;
    Invalidate();
}

void TTbLabel::SetShadowColor(TColor v) {
    if (v == FShadowColor) return;
    FShadowColor = v;
    Invalidate();
}

void TTbLabel::SetShadowDepth(int v) {
    if (v == FShadowDepth) return;
    FShadowDepth = v;
    Changed();
}

// --- blinking and fly-by -------------------------------------------------------------

void TTbLabel::SetBlinking(bool v) {
    if (v == FBlinking) return;
    FBlinking = v;
    // Switched off in the blink phase, the text comes back at once.
    if (!v) FDrawnColor = FNormalColor;
    Invalidate();
}

void TTbLabel::SetBlinkColor(TColor v) {
    if (v == FBlinkColor) return;
    FBlinkColor = v;
    if (FBlinking && FDrawnColor != FNormalColor) FDrawnColor = v;
    Invalidate();
}

Word TTbLabel::BlinkIntervalOn() const {
    auto* list = TTbBlinkingControlsList::Instance();
    return list ? list->BlinkIntervalOn() : 500;
}

void TTbLabel::SetBlinkIntervalOn(Word v) {
    if (auto* list = TTbBlinkingControlsList::Instance()) list->SetBlinkIntervalOn(v);
}

Word TTbLabel::BlinkIntervalOff() const {
    auto* list = TTbBlinkingControlsList::Instance();
    return list ? list->BlinkIntervalOff() : 500;
}

void TTbLabel::SetBlinkIntervalOff(Word v) {
    if (auto* list = TTbBlinkingControlsList::Instance()) list->SetBlinkIntervalOff(v);
}

void TTbLabel::Blink(bool phase) {
    FDrawnColor = phase ? FBlinkColor : FNormalColor;
    Invalidate();
}

void TTbLabel::WndProc(TMessage& m) {
    if (m.Msg == TBM_BLINKQUERY) {
        m.Result = FBlinking ? 1 : 0;
        return;
    }
    if (m.Msg == TBM_BLINK) {
        if (FBlinking) Blink(m.WParam != 0);
        return;
    }
    TLabel::WndProc(m);
}

void TTbLabel::SetFlyByEnabled(bool v) {
    if (v == FFlyByEnabled) return;
    FFlyByEnabled = v;
    Invalidate();
}

void TTbLabel::SetFlyByColor(TColor v) {
    if (v == FFlyByColor) return;
    FFlyByColor = v;
    Invalidate();
}

void TTbLabel::MouseEnter() {
    if (FFlyByEnabled && !FFlyByActive) {
        FFlyBySaved = Font()->Color();
        FFlyByActive = true;
        Font()->SetColor(FFlyByColor);
    }
    TLabel::MouseEnter();
}

void TTbLabel::MouseLeave() {
    if (FFlyByActive) {
        FFlyByActive = false;
        Font()->SetColor(FFlyBySaved);
    }
    TLabel::MouseLeave();
}

void TTbLabel::FontChanged() {
    TLabel::FontChanged();
    // A bitmap face cannot be turned: the text goes back to level.
    if (FAngle != 0 && !HasState(csLoading) && !IsOutlineFace(Font()->Name())) FAngle = 0;
    FNormalColor = Font()->Color();
    if (!FBlinking || FDrawnColor != FBlinkColor) FDrawnColor = FNormalColor;
    AdjustSize();
}

void TTbLabel::TextChanged() {
    TLabel::TextChanged();
    AdjustSize();
}

void TTbLabel::Loaded() {
    TLabel::Loaded();
    if (FAngle != 0 && FRotation == roNone) FRotation = roFlat;
    AdjustSize();
}

// --- frame ---------------------------------------------------------------------------

void TTbLabel::SetBevelWidth(int v) {
    if (SetIfChanged(FFrame.BevelWidth, v)) Changed();
}

void TTbLabel::SetBorderColor(TColor v) {
    if (SetIfChanged(FFrame.BorderColor, v)) Invalidate();
}

void TTbLabel::SetBorderInner(TFrameStyle v) {
    if (SetIfChanged(FFrame.BorderInner, v)) Changed();
}

void TTbLabel::SetBorderOuter(TFrameStyle v) {
    if (SetIfChanged(FFrame.BorderOuter, v)) Changed();
}

void TTbLabel::SetBorderSides(TSides v) {
    if (SetIfChanged(FFrame.BorderSides, v)) Changed();
}

void TTbLabel::SetBorderHighlight(TColor v) {
    if (SetIfChanged(FFrame.BorderHighlight, v)) Invalidate();
}

void TTbLabel::SetBorderShadow(TColor v) {
    if (SetIfChanged(FFrame.BorderShadow, v)) Invalidate();
}

void TTbLabel::SetBorderWidth(int v) {
    if (SetIfChanged(FFrame.BorderWidth, v)) Changed();
}

void TTbLabel::SetFlatColor(TColor v) {
    if (SetIfChanged(FFrame.FlatColor, v)) Invalidate();
}

void TTbLabel::SetFrameSides(TSides v) {
    if (SetIfChanged(FFrame.FrameSides, v)) Changed();
}

void TTbLabel::AdjustForBorders(TRect& rect, bool includeBorderWidth) const {
    rect = AdjustRectForFrame(rect, FFrame, includeBorderWidth);
}

// --- size ------------------------------------------------------------------------------

void TTbLabel::SetAutoSize(bool v) {
    TLabel::SetAutoSize(v);
    AdjustSize();
}

void TTbLabel::SetWordWrap(bool v) {
    TLabel::SetWordWrap(v);
    AdjustSize();
}

void TTbLabel::AdjustSizeForBorders(TRect& rect) const {
    double w = rect.Width(), h = rect.Height();
    if (FRotation == roFlat) {
        if (FTextStyle == tsShadow) {
            w += FShadowDepth / 2;
            h += FShadowDepth / 2;
        }
        // The box that holds the turned text, whatever quadrant it is in.
        const double a = FAngle * std::numbers::pi / 180.0;
        const double c = std::fabs(std::cos(a)), s = std::fabs(std::sin(a));
        const double nw = c * w + s * h, nh = s * w + c * h;
        w = std::round(nw);
        h = std::round(nh);
    } else if (FTextStyle == tsShadow && FRotation == roNone) {
        w += FShadowDepth;
        h += FShadowDepth;
    }
    auto add = [&](TSides sides, int n) {
        if (sides & sdLeft) w += n;
        if (sides & sdRight) w += n;
        if (sides & sdTop) h += n;
        if (sides & sdBottom) h += n;
    };
    add(FFrame.FrameSides, 1);
    add(FFrame.BorderSides, FrameStyleWidth(FFrame.BorderOuter, FFrame.BevelWidth) +
                                FrameStyleWidth(FFrame.BorderInner, FFrame.BevelWidth) + FFrame.BorderWidth);
    rect = Bounds(rect.Left, rect.Top, static_cast<int>(w), static_cast<int>(h));
}

void TTbLabel::AdjustSize() {
    if (!AutoSize() || HasState(csLoading) || FSizing) return;
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    TRect r = Rect(0, 0, WordWrap() ? Width() : 0, 0);
    const String text = FText.empty() ? String(" ") : FText;
    unsigned flags = DT_CALCRECT | DT_EXPANDTABS;
    if (WordWrap()) flags |= DT_WORDBREAK;
    if (!ShowAccelChar()) flags |= DT_NOPREFIX;
    DrawText(measure.Canvas(), text, r, flags);
    r = Rect(0, 0, r.Width(), r.Height());
    AdjustSizeForBorders(r);
    const int left = Alignment() == taRightJustify ? Left() + Width() - r.Width() : Left();
    FSizing = true;
    SetBounds(left, Top(), r.Width(), r.Height());
    FSizing = false;
}

void TTbLabel::CurveGeometry(TPoint& centre, int& rx, int& ry) const {
    const int bw = FFrame.BorderWidth, W = Width(), H = Height();
    switch (FCenterPoint) {
    case cpUpperLeft: centre = Point(bw, bw); break;
    case cpUpperRight: centre = Point(W - bw, bw); break;
    case cpLowerLeft: centre = Point(bw, H - bw); break;
    case cpLowerRight: centre = Point(W - bw, H - bw); break;
    case cpUpperCenter: centre = Point(W / 2, bw); break;
    case cpLowerCenter: centre = Point(W / 2, H - bw); break;
    case cpLeftCenter: centre = Point(bw, H / 2); break;
    case cpRightCenter: centre = Point(W - bw, H / 2); break;
    case cpCenter: centre = Point(W / 2, H / 2); break;
    }
    rx = W - 2 * bw;
    ry = H - 2 * bw;
    if (FCenterPoint == cpUpperCenter || FCenterPoint == cpLowerCenter || FCenterPoint == cpCenter) rx = W / 2 - 2 * bw;
    if (FCenterPoint == cpLeftCenter || FCenterPoint == cpRightCenter || FCenterPoint == cpCenter) ry = H / 2 - 2 * bw;
}

// --- painting --------------------------------------------------------------------------

void TTbLabel::DrawEffects(TCanvas* c, const std::function<void(int dx, int dy)>& draw) {
    if (!EnabledWithParents(this)) {
        c->Font()->SetColor(clBtnHighlight);
        draw(1, 1);
        c->Font()->SetColor(clGrayText);
        draw(0, 0);
        return;
    }
    switch (FTextStyle) {
    case tsRaised:
        if (!FLightTextStyle) {
            c->Font()->SetColor(FShadowColor);
            draw(1, 1);
        }
        c->Font()->SetColor(FHighlightColor);
        draw(-1, -1);
        break;
    case tsRecessed:
        c->Font()->SetColor(FHighlightColor);
        draw(1, 1);
        if (!FLightTextStyle) {
            c->Font()->SetColor(FShadowColor);
            draw(-1, -1);
        }
        break;
    case tsShadow:
        c->Font()->SetColor(FShadowColor);
        draw(FShadowDepth, FShadowDepth);
        break;
    case tsNormal: break;
    }
    c->Font()->SetColor(FDrawnColor);
    draw(0, 0);
}

void TTbLabel::Paint() {
    TCanvas* c = Canvas();
    const TRect inner = DrawFrame(c, ClientRect(), FFrame);
    if (!Transparent()) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color());
        c->FillRect(inner);
    }
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    if (FRotation == roCurve) return PaintCurve(c);
    if (FRotation == roFlat) return PaintFlat(c, inner);

    TRect r = ClientRect();
    AdjustForBorders(r, true);
    unsigned flags = DT_EXPANDTABS;
    if (Alignment() == taCenter) flags |= DT_CENTER;
    if (Alignment() == taRightJustify) flags |= DT_RIGHT;
    if (WordWrap()) flags |= DT_WORDBREAK;
    if (!ShowAccelChar()) flags |= DT_NOPREFIX;
    TRect calc = Rect(0, 0, r.Width(), 0);
    DrawText(c, FText, calc, flags | DT_CALCRECT);
    const int free = r.Height() - calc.Height();
    if (Layout() == tlCenter) r.Top += free / 2;
    if (Layout() == tlBottom) r.Top += free;
    // Leave room for the effect on the side the text is pushed to.
    const int room = FTextStyle == tsShadow ? FShadowDepth : (FTextStyle == tsNormal ? 0 : 1);
    if (Alignment() == taRightJustify) r.Right -= room;
    if (Layout() == tlBottom) r.Top -= room;
    r.Bottom = r.Top + calc.Height();
    DrawEffects(c, [&](int dx, int dy) {
        TRect t = Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
        DrawText(c, FText, t, flags);
    });
}

void TTbLabel::PaintFlat(TCanvas* c, const TRect& inner) {
    TFont turned;
    CreateRotatedFont(&turned, Font(), FAngle);
    c->Font()->Assign(&turned);
    c->Font()->SetOrientation(0);
    const TSize size = c->TextExtent(FText);
    c->Font()->SetOrientation(FAngle * 10);
    const double a = FAngle * std::numbers::pi / 180.0;
    double cx = (inner.Left + inner.Right) / 2.0, cy = (inner.Top + inner.Bottom) / 2.0;
    // Along a right angle the text can start at either end of the label;
    // at any other angle it stays centred.
    if (FAngle % 90 == 0 && Alignment() != taCenter) {
        const int d = FTextStyle == tsShadow ? FShadowDepth / 2 : 0;
        const int extent = (FAngle % 180 == 0) ? inner.Width() : inner.Height();
        double shift = (extent - size.cx) / 2.0 - d;
        if (Alignment() == taLeftJustify) shift = -shift;
        cx += std::cos(a) * shift;
        cy -= std::sin(a) * shift;
    }
    const TPoint origin = TurnedOrigin(a, cx, cy, size.cx / 2.0, size.cy / 2.0);
    DrawEffects(c, [&](int dx, int dy) { c->TextOut(origin.X + dx, origin.Y + dy, FText); });
}

void TTbLabel::PaintCurve(TCanvas* c) {
    TPoint centre;
    int rx = 0, ry = 0;
    CurveGeometry(centre, rx, ry);
    // No curve to lay the text on.
    if (rx <= 0 || ry <= 0) return;
    const int t = c->TextHeight("Yy");
    const int step = c->TextWidth("w") + 2;
    const int ascent = c->TextMetrics().tmAscent;
    double a = FAngle * std::numbers::pi / 180.0;
    for (const String& ch : Characters(FText)) {
        const double x = centre.X - std::lround(std::sin(a) * (rx - t));
        const double y = centre.Y - std::lround(std::cos(a) * (ry - t));
        c->Font()->SetOrientation(0);
        const int w = c->TextWidth(ch);
        c->Font()->SetOrientation(static_cast<int>(std::lround(a * 1800.0 / std::numbers::pi)));
        const TPoint origin = TurnedOrigin(a, x, y, w / 2.0, ascent);
        DrawEffects(c, [&](int dx, int dy) { c->TextOut(origin.X + dx, origin.Y + dy, ch); });
        a -= static_cast<double>(step) / rx;
    }
}
