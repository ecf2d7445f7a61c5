// The cell markup renderer: what it reads out of the text, how large it
// lays it out, which anchor lies under a point, and what it leaves on the
// pixels. Sizes are compared with the same font's own measures, never with
// fixed numbers.
#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BitmapResources.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/rtl/FileUtils.h"
#include "gridkit/markup/GkMarkup.h"
#include "support/TempDir.h"

namespace {

class GkMarkup : public ::testing::Test {
protected:
    void SetUp() override {
        bmp = std::make_unique<TBitmap>(300, 200);
        canvas = bmp->Canvas();
        canvas->Font()->SetName("Arial");
        canvas->Font()->SetSize(10);
        canvas->Font()->SetColor(clBlack);
        canvas->Brush()->SetColor(clWhite);
        canvas->FillRect(Rect(0, 0, 300, 200));
        gh = canvas->TextHeight("gh");
    }

    TMarkupResult Measure(const String& text, int width = 65535) {
        TMarkupParams p;
        p.Canvas = canvas;
        p.Text = text;
        p.Rect = Rect(0, 0, width, 65535);
        p.MeasureOnly = true;
        p.KeepColors = true;
        p.Images = images.get();
        TMarkupResult r;
        RenderMarkup(p, r);
        return r;
    }

    TMarkupResult Draw(const String& text, const TRect& rect, bool keepColors = false, bool blink = true) {
        TMarkupParams p;
        p.Canvas = canvas;
        p.Text = text;
        p.Rect = rect;
        p.KeepColors = keepColors;
        p.BlinkOn = blink;
        p.Images = images.get();
        TMarkupResult r;
        RenderMarkup(p, r);
        return r;
    }

    TMarkupResult HitTest(const String& text, const TRect& rect, int x, int y) {
        TMarkupParams p;
        p.Canvas = canvas;
        p.Text = text;
        p.Rect = rect;
        p.NoDraw = true;
        p.KeepColors = true;
        p.MouseX = x;
        p.MouseY = y;
        p.Images = images.get();
        TMarkupResult r;
        RenderMarkup(p, r);
        return r;
    }

    int Count(const TRect& r, TColor colour) {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (canvas->Pixels(x, y) == colour) ++n;
        return n;
    }

    int Width(const String& s) { return canvas->TextWidth(s); }

    std::unique_ptr<TBitmap> bmp;
    std::unique_ptr<TImageList> images;
    TCanvas* canvas = nullptr;
    int gh = 0;
};

TEST_F(GkMarkup, PlainTextOfTagsAndEntities) {
    struct Case {
        const char* markup;
        const char* plain;
    } cases[] = {
        {"<B>bold</B> text", "bold text"},
        {"a<BR>b", "a\rb"},
        {"one<br>two<BR>three", "one\rtwo\rthree"},
        {"&amp;lt;", "&lt;"},           // a replaced character is not read again
        {"&lt;&gt;", "<>"},             // adjacent entities
        {"&QUOT;x&Amp;y", "\"x&y"},     // any letter case
        {"&nbsp;&", "&nbsp;&"},         // others stay as written
        {"<#abc>def", "#abcdef"},       // "<#" is no tag
        {"x <WHATEVER a=\"1\">y", "x y"},
        {"a <B", "a "},                  // an unclosed tag drops the rest
        {"<UL><LI>one<LI>two</UL>", "onetwo"},
        {"<FONT color=\"clred\">r</FONT>&gt;", "r>"},
    };
    for (const Case& c : cases) EXPECT_EQ(Measure(c.markup).PlainText, c.plain) << c.markup;
}

TEST_F(GkMarkup, ExtentFollowsTheFont) {
    EXPECT_EQ(Measure("").Height, gh);
    EXPECT_EQ(Measure("").Width, 0);
    EXPECT_EQ(Measure("plain words").Width, Width("plain words"));
    EXPECT_EQ(Measure("plain words").Height, gh);
    // A closing blank is not part of the line.
    EXPECT_EQ(Measure("ab </B>").Width, Width("ab"));
    EXPECT_GT(Measure("<B>WWWW</B>").Width, Measure("WWWW").Width);
    EXPECT_GT(Measure("<FONT size=\"24\">W</FONT>").Height, gh);
    // A size that is no number leaves the font as it is.
    EXPECT_EQ(Measure("<FONT size=\"big\">W</FONT>").Height, gh);
    EXPECT_EQ(Measure("<FONT size=24>W</FONT>").Width, Width("W"));
    EXPECT_EQ(Measure("a<BR>b<BR>c").Height, 3 * gh);
    EXPECT_EQ(Measure("a<HR>b").Height, 2 * gh);
    EXPECT_EQ(Measure("<P>a</P>b").Height, 2 * gh);
    // Sub- and superscripts make room below and above the line.
    EXPECT_GT(Measure("a<SUB>2</SUB>").Height, gh);
    EXPECT_GT(Measure("a<SUP>2</SUP>").Height, gh);
    // Closing SUP ends SUB too: the next line is an ordinary one.
    EXPECT_EQ(Measure("<SUB>a</SUP><BR>b").Height, Measure("<SUB>a</SUB><BR>b").Height);
    EXPECT_LT(Measure("<SUB>a</SUP><BR>b").Height, Measure("<SUB>a<BR>b").Height);
    EXPECT_EQ(Measure("<SUP>a</SUB><BR>b").Height, Measure("<SUP>a</SUP><BR>b").Height);
}

TEST_F(GkMarkup, LinesWrapAtTheRightEdge) {
    const int w = Width("aaaa bbbb") + 4;
    EXPECT_EQ(Measure("aaaa bbbb cccc", w).Height, 2 * gh);
    EXPECT_EQ(Measure("aaaa bbbb cccc", w).PlainText, "aaaa bbbb cccc");
    // A word wider than the whole rectangle gets a line of its own and
    // overflows it, instead of being pushed on for ever.
    const TMarkupResult wide = Measure("a WWWWWWWWWWWWWWWWWWWW b", Width("WWW"));
    EXPECT_EQ(wide.Height, 3 * gh);
    EXPECT_GT(wide.Width, Width("WWW"));
    // A second LI on one line starts a new one.
    EXPECT_EQ(Measure("<UL><LI>a<LI>b</UL>").Height, 2 * gh);
    EXPECT_EQ(Measure("<UL><LI>a</UL>").Height, gh);
}

TEST_F(GkMarkup, ListLevelsIndentByTwelve) {
    const int one = Measure("<UL><LI>a</UL>").Width;
    const int two = Measure("<UL><UL><LI>a</UL></UL>").Width;
    EXPECT_EQ(one, 12 + Width("a"));
    EXPECT_EQ(two, 24 + Width("a"));
    // The first level's bullet sits in its 12 pixels, the second's 12 further.
    canvas->Font()->SetSize(14);
    Draw("<UL><LI>a<UL><LI>b</UL></UL>", Rect(0, 0, 300, 200));
    const int line = canvas->TextHeight("gh");
    auto inkIn = [&](const TRect& r) { return r.Width() * r.Height() - Count(r, clWhite); };
    EXPECT_GT(inkIn(Rect(1, 0, 13, line)), 0);         // level 1 bullet
    EXPECT_EQ(inkIn(Rect(1, line, 13, 2 * line)), 0);  // level 2 leaves the first 12 free
    EXPECT_GT(inkIn(Rect(13, line, 25, 2 * line)), 0);
}

TEST_F(GkMarkup, AnchorUnderThePoint) {
    const TRect r = Rect(10, 10, 290, 190);
    const int x0 = r.Left + 1;
    const String text = "see <A href=\"http://x.test/\">the link</A> here";
    const int linkLeft = x0 + Width("see "), linkRight = linkLeft + Width("the link");
    struct Case {
        int x, y;
        bool over;
    } cases[] = {
        {linkLeft + 2, r.Top + gh / 2, true},
        {linkRight - 2, r.Top + gh / 2, true},
        {x0 + 2, r.Top + gh / 2, false},           // "see"
        {linkRight + 8, r.Top + gh / 2, false},    // "here"
        {linkLeft + 2, r.Top + gh + 5, false},     // below the line
    };
    for (const Case& c : cases) {
        const TMarkupResult res = HitTest(text, r, c.x, c.y);
        EXPECT_EQ(res.OverAnchor, c.over) << c.x << "," << c.y;
        EXPECT_EQ(res.Anchor, c.over ? "http://x.test/" : "") << c.x << "," << c.y;
        if (c.over) {
            EXPECT_EQ(res.AnchorIndex, 0);
        }
    }
    // The second anchor is number 1, and a right-aligned line is tested
    // where it is drawn.
    const String two = "<P align=\"right\"><A href=\"a\">x</A> <A href=\"b\">y</A></P>";
    const int lineWidth = Width("x y");
    const TMarkupResult b = HitTest(two, r, r.Right - Width("y") / 2 - 1, r.Top + gh / 2);
    EXPECT_EQ(b.Anchor, "b");
    EXPECT_EQ(b.AnchorIndex, 1);
    EXPECT_FALSE(HitTest(two, r, x0 + 1, r.Top + gh / 2).OverAnchor);
    EXPECT_EQ(HitTest(two, r, r.Right - lineWidth + 1, r.Top + gh / 2).Anchor, "a");
    // A wrapped anchor is still one on its second line.
    const TRect narrow = Rect(0, 0, Width("aaaa bbbb") + 4, 200);
    const TMarkupResult wrapped = HitTest("<A href=\"w\">aaaa bbbb cccc</A>", narrow, 3, gh + gh / 2);
    EXPECT_EQ(wrapped.Anchor, "w");
}

TEST_F(GkMarkup, AnImageInsideAnAnchorIsPartOfIt) {
    images = std::make_unique<TImageList>(nullptr, 20, 20);
    TBitmap picture(20, 20);
    picture.Canvas()->Brush()->SetColor(clRed);
    picture.Canvas()->FillRect(Rect(0, 0, 20, 20));
    images->Add(&picture, nullptr);
    const String text = "<A href=\"pic\"><IMG src=\"idx:0\"></A> after";
    EXPECT_EQ(Measure(text).Height, std::max(20, gh));
    const TMarkupResult hit = HitTest(text, Rect(0, 0, 200, 100), 10, 3);
    EXPECT_EQ(hit.Anchor, "pic");
    EXPECT_FALSE(HitTest(text, Rect(0, 0, 200, 100), 30 + Width("after"), 3).OverAnchor);
    Draw(text, Rect(0, 0, 200, 100));
    EXPECT_EQ(Count(Rect(1, 0, 21, 20), clRed), 400);
    // An index beyond the list takes no room.
    EXPECT_EQ(HitTest("<IMG src=\"idx:5\">x", Rect(0, 0, 200, 100), -1, -1).Width, Width("x"));
}

TEST_F(GkMarkup, ShellIconsAndRegisteredBitmaps) {
    // A bitmap the program registered, found whatever the case of its name.
    TBitmap logo(12, 10);
    logo.Canvas()->Brush()->SetColor(clLime);
    logo.Canvas()->FillRect(Rect(0, 0, 12, 10));
    RegisterBitmapResource("Logo", &logo);
    EXPECT_EQ(Measure("<IMG src=\"res://LOGO\">x").Width, 12 + Width("x"));
    Draw("<IMG src=\"res://logo\">", Rect(0, 0, 200, 100));
    EXPECT_EQ(Count(Rect(0, 0, 40, 40), clLime), 120);
    UnregisterBitmapResource("logo");
    EXPECT_EQ(Measure("<IMG src=\"res://logo\">x").Width, Width("x"));

    // The icon theme's icons by file type, small and large; a folder that
    // exists gets a folder's icon.
    TTempDir dir;
    struct Case {
        String src;
        int size;
    } cases[] = {{"ssys:page.html", 16}, {"lsys:page.html", 32}, {"ssys:no/such/report.txt", 16},
                 {"ssys:" + dir.Path(), 16}, {"ssys:3", 0}, {"ssys:", 0}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.src);
        const TMarkupResult m = Measure("<IMG src=\"" + k.src + "\">x");
        EXPECT_EQ(m.Width, k.size + Width("x"));
        EXPECT_EQ(m.Height, std::max(k.size, gh));
    }
    canvas->FillRect(Rect(0, 0, 300, 200));
    Draw("<IMG src=\"lsys:page.html\">", Rect(0, 0, 200, 100));
    EXPECT_GT(32 * 32 - Count(Rect(0, 0, 32, 32), clWhite), 100);  // the icon is drawn
    EXPECT_EQ(Count(Rect(32, 0, 100, 40), clWhite), 68 * 40);  // and nothing beside it
}

TEST_F(GkMarkup, ColoursFontsAndBackgrounds) {
    const TRect r = Rect(0, 0, 300, 40);
    Draw("<FONT bgcolor=\"clyellow\" color=\"clred\">WWW</FONT>", r);
    EXPECT_GT(Count(r, clRed), 10);
    EXPECT_GT(Count(r, clYellow), 10);
    canvas->FillRect(r);
    Draw("<FONT color=\"#0000FF\">WWW</FONT>", r, /*keepColors*/ true);
    EXPECT_EQ(Count(r, clBlue), 0);
    EXPECT_GT(Count(r, clBlack), 10);
    canvas->FillRect(r);
    Draw("<FONT color=\"#0000FF\">WWW</FONT>", r);
    EXPECT_GT(Count(r, clBlue), 10);
    // BLINK text in its off phase takes the background colour.
    canvas->FillRect(r);
    Draw("<BLINK>WWW</BLINK>", r, false, /*blink*/ false);
    EXPECT_EQ(Count(r, clWhite), 300 * 40);
    // Anchors are drawn in the URL colour.
    canvas->FillRect(r);
    Draw("<A href=\"x\">WWW</A>", r);
    EXPECT_GT(Count(r, clBlue), 10);
    // A paragraph band fills across the rectangle; BODY fills all of it.
    canvas->FillRect(Rect(0, 0, 300, 200));
    Draw("<P bgcolor=\"clLime\">a</P>b", Rect(0, 0, 300, 200));
    EXPECT_EQ(canvas->Pixels(290, 1), clLime);
    EXPECT_EQ(canvas->Pixels(290, gh + 1), clWhite);
    Draw("<BODY bgcolor=\"#00FFFF\">x", Rect(0, 100, 300, 200));
    EXPECT_EQ(canvas->Pixels(250, 180), clAqua);
    EXPECT_EQ(canvas->Pixels(250, 90), clWhite);
    // The canvas comes back as it was given.
    EXPECT_EQ(canvas->Font()->Color(), clBlack);
    EXPECT_EQ(canvas->Font()->Style(), 0);
    EXPECT_EQ(canvas->Brush()->Color(), clWhite);
}

TEST_F(GkMarkup, DrawingStopsBelowTheRectangle) {
    const TRect r = Rect(0, 0, 300, gh);
    const TMarkupResult res = Draw("a<BR>b<BR>c", r);
    EXPECT_EQ(res.PlainText, "a\r");  // only the line that shows was laid out
}

TEST(GkMarkupColours, NamesAndHexValues) {
    struct Case {
        const char* text;
        TColor colour;
    } names[] = {
        {"clred", clRed},           {"clnavy", clNavy},         {"clwhite", clWhite},
        {"clbtnface", clBtnFace},   {"clinfobk", clInfoBk},     {"cl3ddkshadow", cl3DDkShadow},
        {"clhighlighttext", clHighlightText},                    {"clRed", clBlack},
        {"red", clBlack},           {"", clBlack},
    };
    for (const Case& c : names) EXPECT_EQ(MarkupColorByName(c.text), c.colour) << c.text;
    Case hex[] = {
        {"#FF8000", 0x0080FF}, {"#ff8000", 0x0080FF}, {"#000001", 0x010000},
        {"#zz0000", 0x000000}, {"#12", 0x000012},     {"", 0},
    };
    for (const Case& c : hex) EXPECT_EQ(MarkupHexColor(c.text), c.colour) << c.text;
}

TEST(GkMarkupStrip, TagsGoTextStays) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"<B>x</B>y", "xy"},
        {"no tags", "no tags"},
        {"a<br>b", "ab"},
        {"<A href=\"u\">link</A> text", "link text"},
        {"keep <this", "keep "},
        {"", ""},
        {"1 > 0", "1 > 0"},
    };
    for (const Case& c : cases) EXPECT_EQ(StripMarkupTags(c.in), c.out) << c.in;
}

TEST(GkMarkupVersion, TheFixedVersionRecordOrNothing) {
    TTempDir dir;
    EXPECT_EQ(GetFileVersionMS(dir.File("missing.dll")), -1);
    SafeWriteFile(dir.File("plain.dll"), String("MZ no version here"));
    EXPECT_EQ(GetFileVersionMS(dir.File("plain.dll")), -1);
    // Signature, structure version, then the file version's high word pair:
    // 4.70 as comctl32 4.70 stores it.
    const char record[] = {'M', 'Z', 0, 0, '\xBD', '\x04', '\xEF', '\xFE', 0, 0, 1, 0, 0x46, 0, 0x04, 0, 0, 0, 0, 0};
    SafeWriteFile(dir.File("v.dll"), String(record, sizeof record));
    EXPECT_EQ(GetFileVersionMS(dir.File("v.dll")), 0x00040046);
}

}  // namespace
