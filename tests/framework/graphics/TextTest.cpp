#include <gtest/gtest.h>

#include "PixelHelpers.h"
#include "framework/graphics/DrawText.h"

namespace {

std::unique_ptr<TBitmap> TextBitmap(int w, int h) {
    auto b = WhiteBitmap(w, h);
    b->Canvas()->Font()->SetColor(clBlack);
    b->Canvas()->Font()->SetSize(10);
    return b;
}

TEST(CanvasText, OpaqueBrushFillsTheCellClearBrushLeavesTheBackground) {
    auto bmp = TextBitmap(120, 40);
    TCanvas* c = bmp->Canvas();
    TSize ext = c->TextExtent("Hello");
    c->Brush()->SetColor(clYellow);
    c->TextOut(5, 5, "Hello");
    // Every pixel of the cell is either ink or the brush colour.
    int ink = CountColor(*bmp, clBlack, Bounds(5, 5, ext.cx, ext.cy));
    EXPECT_GT(ink, 0);
    EXPECT_EQ(CountColor(*bmp, clYellow, Bounds(5, 5, ext.cx, ext.cy)) + ink, ext.cx * ext.cy);
    EXPECT_EQ(InkBox(*bmp), Bounds(5, 5, ext.cx, ext.cy));
    EXPECT_EQ(c->PenPos(), Point(5 + ext.cx, 5));

    auto clear = TextBitmap(120, 40);
    clear->Canvas()->Brush()->SetStyle(bsClear);
    clear->Canvas()->TextOut(5, 5, "Hello");
    EXPECT_EQ(CountColor(*clear, clBlack, Bounds(5, 5, ext.cx, ext.cy)), ink);
    EXPECT_EQ(CountColor(*clear, clWhite, Bounds(5, 5, ext.cx, ext.cy)), ext.cx * ext.cy - ink);
}

TEST(CanvasText, TextRectClipsToItsRectangle) {
    auto bmp = TextBitmap(120, 40);
    bmp->Canvas()->Brush()->SetColor(clAqua);
    bmp->Canvas()->TextRect(Rect(10, 10, 30, 25), 12, 10, "Wide text that overflows");
    EXPECT_EQ(InkBox(*bmp), Rect(10, 10, 30, 25));
}

// The classic platform measured rotated text as if it were not rotated;
// the ink of a quarter turn runs upwards from the starting point.
TEST(CanvasText, RotatedTextKeepsItsUnrotatedExtent) {
    auto bmp = TextBitmap(80, 120);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetStyle(bsClear);
    TSize flat = c->TextExtent("Rotate");
    c->Font()->SetOrientation(900);
    EXPECT_EQ(c->TextExtent("Rotate"), flat);
    c->TextOut(20, 100, "Rotate");
    TRect ink = InkBox(*bmp);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, 20);
    EXPECT_LE(ink.Right, 20 + flat.cy);
    EXPECT_LE(ink.Bottom, 100);
    EXPECT_GE(ink.Top, 100 - flat.cx);
    EXPECT_GT(ink.Height(), ink.Width());
}

TEST(DrawTextCalcRect, MeasuresWithoutDrawing) {
    auto bmp = TextBitmap(200, 100);
    TCanvas* c = bmp->Canvas();
    int h = c->TextHeight("Xg");
    struct Case {
        const char* text;
        unsigned flags;
        int width;  // the rectangle's width going in
        int lines;
        const char* widest;  // the line whose width the result takes
    } cases[] = {
        {"Plain", DT_SINGLELINE, 200, 1, "Plain"},
        {"One\ntwo lines\r\nthree", 0, 200, 3, "two lines"},
        {"One\r\n", 0, 200, 1, "One"},
        {"One\n\nthree", 0, 200, 3, "three"},
        {"&File", DT_SINGLELINE, 200, 1, "File"},
        {"&File", DT_SINGLELINE | DT_NOPREFIX, 200, 1, "&File"},
        {"Fish && Chips", DT_SINGLELINE, 200, 1, "Fish & Chips"},
        {"alpha beta gamma", DT_WORDBREAK, c->TextWidth("alpha beta") + 2, 2, "alpha beta"},
        {"alpha beta gamma", DT_WORDBREAK | DT_SINGLELINE, 10, 1, "alpha beta gamma"},
        {"unbreakable", DT_WORDBREAK, 10, 1, "unbreakable"},
    };
    for (const auto& k : cases) {
        TRect r = Bounds(7, 9, k.width, 50);
        int result = DrawText(c, k.text, r, k.flags | DT_CALCRECT);
        EXPECT_EQ(result, k.lines * h) << k.text;
        EXPECT_EQ(r, Bounds(7, 9, c->TextWidth(k.widest), k.lines * h)) << k.text;
    }
    EXPECT_EQ(InkBox(*bmp), TRect{});
}

TEST(DrawTextEditControl, BreaksLongWordsAndDropsAPartlyVisibleLine) {
    auto bmp = TextBitmap(200, 100);
    TCanvas* c = bmp->Canvas();
    int h = c->TextHeight("Xg"), limit = c->TextWidth("unbreak");
    TRect r = Bounds(0, 0, limit, 100);
    int height = DrawText(c, "unbreakableword", r, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT);
    EXPECT_GE(height, 2 * h);
    EXPECT_LE(r.Width(), limit);

    auto lines = [&](unsigned extra) {
        auto b = TextBitmap(200, 100);
        TRect box = Bounds(0, 0, b->Canvas()->TextWidth("word") + 2, h * 5 / 2);
        DrawText(b->Canvas(), "word word word", box, DT_WORDBREAK | extra);
        return InkBox(*b).Bottom;
    };
    EXPECT_LE(lines(DT_EDITCONTROL), 2 * h);
    EXPECT_GT(lines(0), 2 * h);
}

TEST(DrawTextCalcRect, EllipsisKeepsTheLineWithinTheRectangle) {
    auto bmp = TextBitmap(200, 40);
    TCanvas* c = bmp->Canvas();
    String text = "A rather long caption for a small cell";
    int limit = c->TextWidth(text) / 2;
    for (unsigned f : {DT_END_ELLIPSIS, DT_PATH_ELLIPSIS}) {
        TRect r = Bounds(0, 0, limit, 20);
        DrawText(c, text, r, f | DT_SINGLELINE | DT_CALCRECT);
        EXPECT_LE(r.Width(), limit) << f;
        EXPECT_GT(r.Width(), limit / 2) << f;
    }
    TRect r = Bounds(0, 0, limit, 20);
    DrawText(c, "C:/some/folder/file.htm", r, DT_PATH_ELLIPSIS | DT_SINGLELINE | DT_CALCRECT);
    EXPECT_GE(r.Width(), c->TextWidth(".../file.htm"));
}

struct AlignCase {
    unsigned flags;
    // Expected ink position, from the text cell's size and the rectangle.
    int (*left)(const TRect& box, int w);
    int (*top)(const TRect& box, int h);
};

TEST(DrawTextAlign, PlacesTheTextCellInTheRectangle) {
    const TRect box = Rect(10, 10, 150, 60);
    AlignCase cases[] = {
        {DT_LEFT | DT_TOP, [](const TRect& b, int) { return b.Left; }, [](const TRect& b, int) { return b.Top; }},
        {DT_CENTER | DT_VCENTER, [](const TRect& b, int w) { return b.Left + (b.Width() - w) / 2; },
         [](const TRect& b, int h) { return b.Top + (b.Height() - h) / 2; }},
        {DT_RIGHT | DT_BOTTOM, [](const TRect& b, int w) { return b.Right - w; },
         [](const TRect& b, int h) { return b.Bottom - h; }},
    };
    for (const auto& k : cases) {
        auto bmp = TextBitmap(160, 70);
        TCanvas* c = bmp->Canvas();
        c->Brush()->SetColor(clYellow);  // an opaque brush shows the whole cell
        TSize ext = c->TextExtent("Align");
        TRect r = box;
        int result = DrawText(c, "Align", r, k.flags | DT_SINGLELINE);
        int top = k.top(box, ext.cy);
        EXPECT_EQ(InkBox(*bmp), Bounds(k.left(box, ext.cx), top, ext.cx, ext.cy)) << k.flags;
        EXPECT_EQ(result, (k.flags & (DT_VCENTER | DT_BOTTOM)) ? top - box.Top + ext.cy : ext.cy) << k.flags;
    }
}

TEST(DrawTextPrefix, AmpersandUnderlinesAndDoubleAmpersandIsLiteral) {
    auto draw = [](const String& text, unsigned flags) {
        auto bmp = TextBitmap(120, 30);
        TRect r = Rect(2, 2, 118, 28);
        DrawText(bmp->Canvas(), text, r, flags | DT_SINGLELINE);
        return bmp;
    };
    auto plain = draw("Save", 0), prefixed = draw("&Save", 0), hidden = draw("&Save", DT_HIDEPREFIX);
    auto literal = draw("A&&B", 0), raw = draw("A&B", DT_NOPREFIX);
    auto same = [](TBitmap& a, TBitmap& b, int fromRow, int toRow) {
        for (int y = fromRow; y < toRow; ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y)) return false;
        return true;
    };
    EXPECT_TRUE(same(*literal, *raw, 0, 30));
    EXPECT_TRUE(same(*plain, *hidden, 0, 30));
    EXPECT_FALSE(same(*plain, *prefixed, 0, 30));
    // The underline sits below the characters and under the first one only.
    TRect extra{120, 30, 0, 0};
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x)
            if (plain->Canvas()->Pixels(x, y) != prefixed->Canvas()->Pixels(x, y)) {
                extra.Left = std::min(extra.Left, x);
                extra.Right = std::max(extra.Right, x + 1);
                extra.Top = std::min(extra.Top, y);
                extra.Bottom = std::max(extra.Bottom, y + 1);
            }
    TCanvas* c = plain->Canvas();
    EXPECT_EQ(extra.Height(), 1);
    EXPECT_EQ(extra.Left, 2);
    EXPECT_EQ(extra.Right, 2 + c->TextWidth("S"));
    EXPECT_GE(extra.Top, 2 + c->TextHeight("S") - 4);
}

TEST(DrawTextClip, ClipsUnlessNoClip) {
    auto clipped = TextBitmap(120, 30), free = TextBitmap(120, 30);
    TRect r1 = Rect(5, 5, 20, 25), r2 = r1;
    DrawText(clipped->Canvas(), "Overflowing", r1, DT_SINGLELINE);
    DrawText(free->Canvas(), "Overflowing", r2, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_LE(InkBox(*clipped).Right, 20);
    EXPECT_GT(InkBox(*free).Right, 20);
}

TEST(DrawTextTabs, ExpandTabsMovesToTheNextStop) {
    auto bmp = TextBitmap(300, 30);
    TCanvas* c = bmp->Canvas();
    TRect r = Rect(0, 0, 300, 30);
    DrawText(c, "a\tb", r, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_GT(r.Width(), c->TextWidth("a b"));
    TRect plain = Rect(0, 0, 300, 30);
    DrawText(c, "a\tb", plain, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(plain.Width(), c->TextWidth("a b"));
}

TEST(DrawTextEx, MarginsAndTabLengths) {
    auto bmp = TextBitmap(300, 30);
    TCanvas* c = bmp->Canvas();
    TDrawTextParams params;
    params.iLeftMargin = 5;
    params.iRightMargin = 7;
    TRect r = Rect(10, 0, 300, 30);
    DrawTextEx(c, "Margins", r, DT_SINGLELINE | DT_CALCRECT, &params);
    EXPECT_EQ(r, Rect(10, 0, 10 + 5 + c->TextWidth("Margins") + 7, c->TextHeight("Margins")));
    EXPECT_EQ(params.uiLengthDrawn, 7u);

    c->Brush()->SetColor(clYellow);
    TRect right = Rect(0, 0, 100, 20);
    DrawTextEx(c, "R", right, DT_SINGLELINE | DT_RIGHT, &params);
    EXPECT_EQ(InkBox(*bmp).Right, 100 - 7);

    TRect narrow = Rect(0, 0, 300, 30), wide = narrow;
    TDrawTextParams two;
    two.iTabLength = 2;
    DrawTextEx(c, "\tx", narrow, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT, &two);
    DrawText(c, "\tx", wide, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_LT(narrow.Width(), wide.Width());
    // With DT_TABSTOP the second byte is the tab length, so the flags that
    // live there (DT_CALCRECT among them) cannot be combined with it:
    // compare drawings instead.
    auto byParams = TextBitmap(300, 30), byFormat = TextBitmap(300, 30);
    TRect a = Rect(0, 0, 300, 30), b = a;
    DrawTextEx(byParams->Canvas(), "\tx", a, DT_SINGLELINE | DT_EXPANDTABS, &two);
    DrawText(byFormat->Canvas(), "\tx", b, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (2 << 8));
    EXPECT_EQ(InkBox(*byFormat), InkBox(*byParams));
    EXPECT_FALSE(InkBox(*byParams).IsEmpty());
}

TEST(CanvasText, MetricsDescribeTheFont) {
    auto bmp = TextBitmap(10, 10);
    TCanvas* c = bmp->Canvas();
    c->Font()->SetHeight(-20);
    TTextMetric tm = c->TextMetrics();
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmHeight, c->TextHeight("x"));
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 20);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    c->Font()->SetStyle(fsBold);
    EXPECT_EQ(c->TextMetrics().tmWeight, 700);
}

}  // namespace
