#include <gtest/gtest.h>

#include "DrawHelpers.h"
#include "framework/graphics/DrawText.h"
#include "styled/graphics/GradientDrawing.h"
#include "styled/graphics/StyButtonLayout.h"
#include "styled/graphics/StyFxCaption.h"
#include "styled/graphics/TextDrawing.h"

namespace {

constexpr unsigned kFormat = DT_SINGLELINE | DT_NOPREFIX;

std::unique_ptr<TBitmap> TextCanvas(int w = 140, int h = 50) {
    auto b = FilledBitmap(w, h);
    b->Canvas()->Font()->SetSize(14);
    b->Canvas()->Font()->SetStyle(fsBold);
    b->Canvas()->Font()->SetColor(clBlack);
    return b;
}

TRect Moved(const TRect& r, int d) { return Rect(r.Left + d, r.Top + d, r.Right + d, r.Bottom + d); }

// Where plain text lands; every effect is measured against it.
TRect PlainInk() {
    auto b = TextCanvas();
    b->Canvas()->Brush()->SetStyle(bsClear);
    TRect r = Rect(10, 10, 130, 45);
    DrawTextEx(b->Canvas(), "Wave", r, kFormat, nullptr);
    return ColorBox(*b, clBlack);
}

TEST(Draw3DText, CopiesOfEachStyle) {
    const TRect plain = PlainInk();
    ASSERT_FALSE(plain.IsEmpty());
    struct Case {
        TStyThreeDStyle style;
        int light, shadow;
        int text;                 // offset of the text copy
        int lightAt, shadowAt;    // offsets of the copies (-1: none)
    } cases[] = {
        {tdNone, 1, 1, 0, -1, -1},        {tdSunken, 2, 1, 0, 2, -1},       {tdRaised, 2, 1, 2, 0, -1},
        {tdSunkenShadow, 1, 2, 2, 3, 0},  {tdRaisedShadow, 1, 2, 1, 0, 3},  {tdShadow, 1, 3, 0, -1, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        TSty3DCaption caption;
        caption.SetStyle(c.style);
        caption.SetLightDepth(Byte(c.light));
        caption.SetShadowDepth(Byte(c.shadow));
        caption.SetLightColor(clRed);
        caption.SetShadowColor(clBlue);
        auto b = TextCanvas();
        Draw3DText(b->Canvas(), "Wave", &caption, Rect(10, 10, 130, 45), kFormat, tfEnabled);
        EXPECT_EQ(ColorBox(*b, clBlack), Moved(plain, c.text));
        // A copy under the text shows where the text does not cover it:
        // past the text's far corner when it lies further down and right,
        // before its near corner otherwise.
        auto check = [&](TColor color, int at) {
            const TRect box = ColorBox(*b, color);
            if (at < 0) {
                EXPECT_TRUE(box.IsEmpty());
            } else if (at > c.text) {
                EXPECT_EQ(box.Right, plain.Right + at);
                EXPECT_EQ(box.Bottom, plain.Bottom + at);
            } else {
                EXPECT_EQ(box.Left, plain.Left + at);
                EXPECT_EQ(box.Top, plain.Top + at);
            }
        };
        check(clRed, c.lightAt);
        check(clBlue, c.shadowAt);
        EXPECT_EQ(b->Canvas()->Font()->Color(), clBlack);
    }
}

TEST(Draw3DText, EngravedStylesUseTheBrushColour) {
    const TRect plain = PlainInk();
    TSty3DCaption caption;
    caption.SetStyle(tdPColorRaised);
    caption.SetLightColor(clRed);
    caption.SetShadowColor(clBlue);
    auto b = TextCanvas();
    b->Canvas()->Brush()->SetColor(clYellow);
    Draw3DText(b->Canvas(), "Wave", &caption, Rect(10, 10, 130, 45), kFormat, tfEnabled);
    EXPECT_EQ(ColorBox(*b, clYellow), Moved(plain, 1));
    EXPECT_EQ(ColorBox(*b, clBlack), TRect{});
    EXPECT_EQ(b->Canvas()->Brush()->Style(), bsClear);
}

TEST(Draw3DText, DisabledLooks) {
    const TRect plain = PlainInk();
    struct Case {
        TStyDisabledStyle style;
        Word flags;
        TColor text;
        bool sunken;
    } cases[] = {
        {dsNone, 0, clBlack, false},     {dsStandard, 0, clGrayText, false}, {ds3d, 0, clGrayText, true},
        {dsAuto, 0, clGrayText, false},  {dsAuto, tfDisabledSunken, clGrayText, true},
        {ds3d, tfEnabled, clBlack, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.style << " flags " << c.flags);
        TSty3DCaption caption;
        caption.SetDisabledStyle(c.style);
        caption.SetLightColor(clRed);
        auto b = TextCanvas();
        Draw3DText(b->Canvas(), "Wave", &caption, Rect(10, 10, 130, 45), kFormat, c.flags);
        EXPECT_EQ(ColorBox(*b, c.text), plain);
        EXPECT_EQ(ColorBox(*b, clRed).IsEmpty(), !c.sunken);
        if (c.sunken) {
            EXPECT_EQ(ColorBox(*b, clRed).Right, plain.Right + 1);
        }
    }
}

TEST(Draw3DText, NothingForEmptyTextOrRectangle) {
    TSty3DCaption caption;
    auto b = TextCanvas();
    Draw3DText(b->Canvas(), "", &caption, Rect(0, 0, 100, 40), kFormat, tfEnabled);
    Draw3DText(b->Canvas(), "Wave", &caption, Rect(10, 10, 10, 40), kFormat, tfEnabled);
    Draw3DText(b->Canvas(), "", nullptr, Rect(0, 0, 100, 40), kFormat, tfEnabled);
    EXPECT_EQ(ColorBox(*b, clWhite, true), TRect{});
    Draw3DText(b->Canvas(), "Wave", nullptr, Rect(10, 10, 130, 45), kFormat, tfEnabled);
    EXPECT_EQ(ColorBox(*b, clWhite, true), PlainInk());
}

TEST(Draw3DText, ClipTracingAndPosition) {
    const TRect plain = PlainInk();
    TStyFxCaption caption;
    auto b = TextCanvas();
    const TRect clip = Rect(0, 0, plain.Left + 10, 50);
    Draw3DText(b->Canvas(), "Wave", &caption, Rect(10, 10, 130, 45), kFormat, tfEnabled | tfClip, &clip);
    EXPECT_EQ(ColorBox(*b, clBlack).Right, clip.Right);
    EXPECT_FALSE(b->Canvas()->HasClip());

    caption.SetTracing(4);
    caption.SetPos(5, 2);
    auto t = TextCanvas();
    Draw3DText(t->Canvas(), "Wave", &caption, Rect(10, 10, 130, 45), kFormat, tfEnabled);
    const TRect traced = ColorBox(*t, clBlack);
    EXPECT_EQ(traced.Left, plain.Left + 5);
    EXPECT_EQ(traced.Top, plain.Top + 2);
    EXPECT_GE(traced.Width(), plain.Width() + 3 * 4);
    EXPECT_EQ(t->Canvas()->TextCharacterExtra(), 0);
}

TEST(CalcTextRect, MeasuresWithEffectsAndMargin) {
    auto b = TextCanvas();
    const TSize ext = b->Canvas()->TextExtent("Wave");
    TRect r = Rect(5, 6, 500, 500);
    CalcTextRect("Wave", nullptr, r, kFormat, b->Canvas()->Font(), 0, false);
    EXPECT_EQ(r, Bounds(5, 6, ext.cx + 2, ext.cy + 2));

    TStyFxCaption fx;
    fx.SetStyle(tdRaisedShadow);
    fx.SetLightDepth(2);
    fx.SetShadowDepth(3);
    fx.SetTracing(2);
    fx.SetPosX(9);
    int changes = 0;
    fx.OnChange = [&](TObject*) { ++changes; };
    r = Rect(0, 0, 500, 500);
    CalcTextRect("Wave", &fx, r, kFormat, b->Canvas()->Font(), 2, false);
    EXPECT_GE(r.Width(), ext.cx + 3 * 2 + 5 + 6);
    EXPECT_EQ(r.Height(), ext.cy + 5 + 6);
    EXPECT_EQ(fx.PosX(), 0);
    EXPECT_EQ(changes, 0);

    const TRect placed = AlignTextRect(agBottomRight, "Wave", nullptr, kFormat, b->Canvas()->Font(), false,
                                       Rect(0, 0, 200, 100));
    EXPECT_EQ(placed, Rect(200 - ext.cx - 2, 100 - ext.cy - 2, 200, 100));
}

// A turned caption measured into a box is drawn inside that box, whatever
// the angle, and the box is as large as the turned text.
TEST(RotatedText, DrawsInsideTheBoxItWasMeasuredInto) {
    auto probe = TextCanvas();
    const TSize ext = probe->Canvas()->TextExtent("Turned");
    struct Case {
        int angle;
        TSize box;  // 0: only checked to hold the ink
    } cases[] = {{90, {ext.cy + 2, ext.cx + 2}}, {180, {ext.cx + 2, ext.cy + 2}}, {270, {ext.cy + 2, ext.cx + 2}},
                 {30, {0, 0}}, {135, {0, 0}}, {315, {0, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        TStyFxCaption fx;
        fx.SetAngle(TStyAngle(c.angle));
        auto b = TextCanvas(160, 160);
        TRect r = Rect(20, 20, 20, 20);
        CalcTextRect("Turned", &fx, r, kFormat, b->Canvas()->Font(), 0, false);
        if (c.box.cx) {
            EXPECT_EQ(r.Width(), c.box.cx);
            EXPECT_EQ(r.Height(), c.box.cy);
        }
        Draw3DText(b->Canvas(), "Turned", &fx, r, kFormat, tfEnabled);
        const TRect ink = ColorBox(*b, clBlack);
        ASSERT_FALSE(ink.IsEmpty());
        EXPECT_GE(ink.Left, r.Left - 1);
        EXPECT_GE(ink.Top, r.Top - 1);
        EXPECT_LE(ink.Right, r.Right + 1);
        EXPECT_LE(ink.Bottom, r.Bottom + 1);
        EXPECT_EQ(ink.Width() > ink.Height(), c.angle % 180 < 45 || c.angle % 180 > 135);
    }
    EXPECT_TRUE(IsTrueTypeFont(probe->Canvas()));
}

std::unique_ptr<TBitmap> Glyph() { return FilledBitmap(16, 12, clRed); }

TEST(DrawGlyphText, LayoutTable) {
    auto probe = TextCanvas();
    TRect m = Rect(0, 0, 200, 100);
    CalcTextRect("Go", nullptr, m, kFormat, probe->Canvas()->Font(), 0, false);
    const int tw = m.Width(), th = m.Height(), gw = 16, gh = 12;
    const TRect area = Rect(10, 10, 210, 110);
    struct Case {
        TStyTextArrange arrange;
        TStyAlignment alignment;
        int spacing, offset;
        // Block-relative places of glyph and text, and the block size.
        TPoint glyph, text;
        TSize block;
    };
    const int bhSide = std::max(gh, th), bwStack = std::max(gw, tw);
    const Case cases[] = {
        {taRight, agTopLeft, 2, 0, {0, (bhSide - gh) / 2}, {gw + 2, (bhSide - th) / 2}, {gw + 2 + tw, bhSide}},
        {taRightTop, agTopLeft, 5, 0, {0, 0}, {gw + 5, 0}, {gw + 5 + tw, bhSide}},
        {taLeft, agCenter, 4, 0, {tw + 4, (bhSide - gh) / 2}, {0, (bhSide - th) / 2}, {gw + 4 + tw, bhSide}},
        {taLeftTop, agBottomRight, 0, 3, {tw, 0}, {0, 0}, {gw + tw, bhSide}},
        {taTop, agTopCenter, 2, 0, {(bwStack - gw) / 2, th + 2}, {(bwStack - tw) / 2, 0}, {bwStack, gh + 2 + th}},
        {taTopLeft, agCenterLeft, 2, 0, {0, th + 2}, {0, 0}, {bwStack, gh + 2 + th}},
        {taBottom, agBottomCenter, 6, -2, {(bwStack - gw) / 2, 0}, {(bwStack - tw) / 2, gh + 6},
         {bwStack, gh + 6 + th}},
        {taBottomLeft, agCenterRight, 1, 0, {0, 0}, {0, gh + 1}, {bwStack, gh + 1 + th}},
    };
    auto glyph = Glyph();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "arrange " << c.arrange << " alignment " << c.alignment);
        TStyGlyphTextLayout layout;
        layout.SetAlignText2Glyph(c.arrange);
        layout.SetAlignment(c.alignment);
        layout.SetSpacing(c.spacing);
        layout.SetOffsetX(c.offset);
        layout.SetOffsetY(c.offset);
        auto b = TextCanvas(240, 130);
        TRect textRect, glyphRect;
        DrawGlyphText(b->Canvas(), "Go", nullptr, tfEnabled, kFormat, {glyph.get()}, &layout, area, textRect,
                      glyphRect);
        const TRect block = AlignRect(c.alignment, Rect(0, 0, c.block.cx, c.block.cy), area);
        const int ox = block.Left + c.offset, oy = block.Top + c.offset;
        EXPECT_EQ(glyphRect, Bounds(ox + c.glyph.X, oy + c.glyph.Y, gw, gh));
        EXPECT_EQ(textRect, Bounds(ox + c.text.X + 1, oy + c.text.Y + 1, tw, th));
        EXPECT_EQ(ColorBox(*b, clRed), glyphRect);
        const TRect ink = ColorBox(*b, clBlack);
        ASSERT_FALSE(ink.IsEmpty());
        EXPECT_GE(ink.Left, textRect.Left);
        EXPECT_GE(ink.Top, textRect.Top);
        EXPECT_LE(ink.Right, textRect.Right);
        EXPECT_LE(ink.Bottom, textRect.Bottom);
    }
}

TEST(DrawGlyphText, MissingPartsFeedbackAndMeasuring) {
    auto glyph = Glyph();
    TStyGlyphTextLayout layout;
    layout.SetAlignment(agCenter);
    layout.SetSpacing(10);
    auto b = TextCanvas(100, 100);
    TRect t, g;
    // A glyph alone takes no spacing: it is centred by itself.
    TRect fb = DrawGlyphText(b->Canvas(), "", nullptr, tfEnabled | tfGlyphFeedback, kFormat, {glyph.get()}, &layout,
                             Rect(0, 0, 100, 100), t, g);
    EXPECT_EQ(g, Rect(42, 44, 58, 56));
    EXPECT_EQ(fb, g);

    fb = DrawGlyphText(b->Canvas(), "Go", nullptr, tfEnabled | tfTextFeedback, kFormat, {}, &layout,
                       Rect(0, 0, 100, 100), t, g);
    EXPECT_EQ(fb, Rect(t.Left - 1, t.Top - 1, t.Right + 1, t.Bottom + 1));
    fb = DrawGlyphText(b->Canvas(), "Go", nullptr, tfEnabled | tfUnionFeedback, kFormat, {glyph.get()}, &layout,
                       Rect(0, 0, 100, 100), t, g);
    EXPECT_EQ(fb, Rect(std::min(t.Left, g.Left) - 1, std::min(t.Top, g.Top) - 1, std::max(t.Right, g.Right) + 1,
                       std::max(t.Bottom, g.Bottom) + 1));

    auto m = TextCanvas(100, 100);
    DrawGlyphText(m->Canvas(), "Go", nullptr, tfEnabled | tfMeasureOnly, kFormat, {glyph.get()}, &layout,
                  Rect(7, 8, 100, 100), t, g);
    EXPECT_EQ(ColorBox(*m, clWhite, true), TRect{});
    EXPECT_EQ(g.Left, 7);
    EXPECT_EQ(t.Left, 7 + 16 + 10);
}

TEST(DrawGlyphText, DropDownArrowBesideTheCaption) {
    TStyButtonLayout layout;
    layout.SetArrow(true);
    layout.SetArrowColor(clBlue);
    layout.SetArrowSize(4);
    auto glyph = Glyph();
    struct Case {
        TStyArrowPosition position;
    } cases[] = {{apRightText}, {apLeftText}, {apRightGlyph}, {apLeftGlyph}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        layout.SetArrowPosition(c.position);
        auto b = TextCanvas(200, 60);
        TRect t, g;
        DrawGlyphText(b->Canvas(), "Go", nullptr, tfEnabled, kFormat, {glyph.get()}, &layout, Rect(0, 0, 200, 60), t,
                      g);
        const TRect arrow = ColorBox(*b, clBlue);
        ASSERT_FALSE(arrow.IsEmpty());
        EXPECT_EQ(arrow.Width(), 7);
        EXPECT_EQ(arrow.Height(), 4);
        const TRect near = c.position <= apLeftText ? t : g;
        EXPECT_EQ(arrow.Top, near.Top + near.Height() / 2 - 2);
        // The caption's ink and the arrow never overlap.
        const TRect ink = ColorBox(*b, clBlack);
        EXPECT_TRUE(ink.Right <= arrow.Left || arrow.Right <= ink.Left);
        switch (c.position) {
            case apRightText: EXPECT_EQ(arrow.Right, t.Right - 1); break;
            case apLeftText: EXPECT_EQ(arrow.Left, t.Left - 3 - 7); break;
            case apRightGlyph: EXPECT_EQ(arrow.Right, g.Right); break;
            case apLeftGlyph: EXPECT_EQ(arrow.Left, g.Left - 3 - 7); break;
        }
    }
}

}  // namespace
