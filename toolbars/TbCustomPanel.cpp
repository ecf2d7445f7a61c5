#include "toolbars/TbCustomPanel.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"
#include "toolbars/TbPanelDockManager.h"

TTbCustomPanel::TTbCustomPanel(TComponent* owner) : TPanel(owner) {
    // Our own edges replace the panel's bevels; a panel's caption is not
    // taken from its name.
    SetBevelOuter(bvNone);
    ControlStyle &= ~csSetCaption;
}

void TTbCustomPanel::SetAlignmentVertical(Byte v) {
    if (v == FAlignmentVertical) return;
    FAlignmentVertical = v;
    Invalidate();
}

void TTbCustomPanel::SetBorderColor(TColor v) {
    if (v == FBorderColor) return;
    FBorderColor = v;
    Invalidate();
}

void TTbCustomPanel::SetBorderInner(TFrameStyle v) {
    if (v == FBorderInner) return;
    FBorderInner = v;
    FrameChanged();
}

void TTbCustomPanel::SetBorderOuter(TFrameStyle v) {
    if (v == FBorderOuter) return;
    FBorderOuter = v;
    FrameChanged();
}

void TTbCustomPanel::SetBorderSides(TSides v) {
    v &= AllSides;
    if (v == FBorderSides) return;
    FBorderSides = v;
    FrameChanged();
}

void TTbCustomPanel::SetBorderHighlight(TColor v) {
    if (v == FBorderHighlight) return;
    FBorderHighlight = v;
    Invalidate();
}

void TTbCustomPanel::SetBorderShadow(TColor v) {
    if (v == FBorderShadow) return;
    FBorderShadow = v;
    Invalidate();
}

void TTbCustomPanel::SetFlatColor(TColor v) {
    if (v == FFlatColor) return;
    FFlatColor = v;
    Invalidate();
}

void TTbCustomPanel::SetFrameSides(TSides v) {
    v &= AllSides;
    if (v == FFrameSides) return;
    FFrameSides = v;
    FrameChanged();
}

void TTbCustomPanel::FrameChanged() {
    Realign();
    Invalidate();
}

void TTbCustomPanel::SetBounds(int left, int top, int width, int height) {
    // A bar at the bottom or the right grows away from that edge.
    if (Align() == alBottom && height != Height() && top == Top()) top = Top() + Height() - height;
    if (Align() == alRight && width != Width() && left == Left()) left = Left() + Width() - width;
    TPanel::SetBounds(left, top, width, height);
}

TTbFrameLook TTbCustomPanel::FrameLook() const {
    TTbFrameLook s;
    s.FrameSides = FFrameSides;
    s.BorderOuter = FBorderOuter;
    s.BorderInner = FBorderInner;
    s.BorderSides = FBorderSides;
    s.BorderWidth = BorderWidth();
    s.BevelWidth = BevelWidth();
    s.BorderColor = FBorderColor;
    s.BorderHighlight = FBorderHighlight;
    s.BorderShadow = FBorderShadow;
    s.FlatColor = FFlatColor;
    return s;
}

void TTbCustomPanel::AdjustForBorders(TRect& rect, bool includeBorderWidth) const {
    rect = AdjustRectForFrame(rect, FrameLook(), includeBorderWidth);
}

TRect TTbCustomPanel::InnerRect() const {
    TRect r = GetControlRect();
    AdjustForBorders(r, true);
    return r;
}

TRect TTbCustomPanel::ClientRect() const {
    TRect r = GetControlRect();
    if (!DockSite()) AdjustForBorders(r, false);
    return r;
}

void TTbCustomPanel::AdjustClientRect(TRect& rect) {
    TPanel::AdjustClientRect(rect);
    if (DockSite()) AdjustForBorders(rect, false);
}

void TTbCustomPanel::SetShowDockClientCaptions(bool v) {
    if (v == FShowDockClientCaptions) return;
    FShowDockClientCaptions = v;
    Invalidate();
}

std::unique_ptr<IDockManager> TTbCustomPanel::CreateDockManager() {
    return std::make_unique<TTbPanelDockManager>(this);
}

void TTbCustomPanel::EnabledChanged() {
    // Only the look changes: the children keep their own Enabled, so a
    // button the program switched off stays off when the bar comes back.
    Invalidate();
    TPanel::EnabledChanged();
}

void TTbCustomPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = DrawFrame(c, GetControlRect(), FrameLook());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    c->Brush()->SetStyle(bsClear);
    DrawCaption(r);
}

namespace {
unsigned CaptionFlags(TAlignment alignment) {
    unsigned flags = DT_WORDBREAK | DT_EXPANDTABS;
    if (alignment == taCenter) flags |= DT_CENTER;
    if (alignment == taRightJustify) flags |= DT_RIGHT;
    return flags;
}

// The caption's lines inside `r` (already moved in by one pixel).
TRect PlaceCaption(TCanvas* c, const String& text, TRect r, unsigned flags, Byte alignmentVertical) {
    TRect calc = r;
    const int h = DrawText(c, text, calc, flags | DT_CALCRECT);
    if (alignmentVertical == 1) {
        r.Top = r.Top + (r.Height() - h) / 2;
        r.Bottom = r.Top + h;
    } else if (alignmentVertical == 2) {
        r.Top = r.Bottom - h - 1;
    }
    return r;
}
}  // namespace

TRect TTbCustomPanel::CaptionBand(int width, int height) const {
    const String text = GetText();
    if (text.empty()) return TRect{};
    TRect r = Rect(0, 0, width, height);
    AdjustForBorders(r, true);
    r.Left += 1;
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    TRect placed = PlaceCaption(measure.Canvas(), text, r, CaptionFlags(Alignment()), FAlignmentVertical);
    // The bottom placement ends one pixel lower than it measures.
    return Rect(0, placed.Top, width, std::max(placed.Bottom, placed.Top + 1) + 1);
}

void TTbCustomPanel::DrawCaption(TRect rect) {
    const String text = Caption();
    if (text.empty()) return;
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    TRect r = rect;
    r.Left += 1;
    const unsigned flags = CaptionFlags(Alignment());
    r = PlaceCaption(c, text, r, flags, FAlignmentVertical);
    if (!EnabledWithParents(this)) {
        TRect shadow = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
        c->Font()->SetColor(clBtnHighlight);
        DrawText(c, text, shadow, flags);
        c->Font()->SetColor(clGrayText);
    }
    DrawText(c, text, r, flags);
}
