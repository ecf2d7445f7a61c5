// What the grid leaves on the pixels: bands, selection, alignment, fixed
// cells, the sort glyph, line breaks, borders and backgrounds. Positions
// are checked against the grid's own cell rectangles and text widths.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/testkit/SimulatedInput.h"
#include "gridkit/grid/BackGround.h"
#include "gridkit/grid/Bands.h"
#include "gridkit/grid/GkStringGrid.h"
#include "gridkit/grid/SortIndexList.h"

namespace {

// The protected steps a test looks at directly.
class TOpenGrid : public TGkStringGrid {
public:
    using TGkStringGrid::TGkStringGrid;
    using TGkStringGrid::FitCellText;
    String Formula;
    String GetDisplayText(int aCol, int aRow) override {
        return Formula.empty() ? TGkStringGrid::GetDisplayText(aCol, aRow) : Formula;
    }
};

bool Dark(TColor p) { return (p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF) < 300; }

class GkPaint : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 360, 260);
        g = new TOpenGrid(form.get());
        g->SetParent(form.get());
        g->SetBounds(0, 0, 340, 240);
        g->SetScrollBars(ssNone);
        g->SetColCount(4);
        g->SetRowCount(6);
        g->SetColor(clWhite);
        g->SetFixedColor(clBtnFace);
        g->Font()->SetName("Arial");
        g->Font()->SetSize(10);
        g->Font()->SetColor(clBlack);
        g->FixedFont()->Assign(g->Font());
        g->SetColWidths(2, 100);
    }

    void Paint() {
        bmp = std::make_unique<TBitmap>(340, 240);
        g->PaintTo(bmp->Canvas(), 0, 0);
    }
    TColor At(int x, int y) { return bmp->Canvas()->Pixels(x, y); }
    TColor Mid(int c, int r) {
        const TRect cr = g->CellRect(c, r);
        return At(cr.Right - 3, cr.Bottom - 3);
    }
    int Count(const TRect& r, TColor colour) {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (At(x, y) == colour) ++n;
        return n;
    }
    // The box around the dark pixels of a rectangle (empty when none).
    TRect Ink(const TRect& r) {
        TRect box{r.Right, r.Bottom, r.Left - 1, r.Top - 1};
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (Dark(At(x, y))) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1);
                    box.Bottom = std::max(box.Bottom, y + 1);
                }
        if (box.Right <= box.Left) return TRect{};
        return box;
    }
    // Runs of rows holding dark pixels: the text lines drawn.
    int InkLines(const TRect& r) {
        int lines = 0;
        bool in = false;
        for (int y = r.Top; y < r.Bottom; ++y) {
            bool any = false;
            for (int x = r.Left; x < r.Right && !any; ++x) any = Dark(At(x, y));
            if (any && !in) ++lines;
            in = any;
        }
        return lines;
    }
    // The inside of a cell, clear of its edges.
    TRect Inside(int c, int r) {
        const TRect cr = g->CellRect(c, r);
        return TRect{cr.Left + 1, cr.Top + 1, cr.Right - 1, cr.Bottom - 1};
    }

    std::unique_ptr<TForm> form;
    TOpenGrid* g = nullptr;
    std::unique_ptr<TBitmap> bmp;
};

TEST_F(GkPaint, BandsFixedCellsAndFooters) {
    g->SetFixedFooters(1);
    g->Bands()->SetActive(true);
    g->Bands()->SetPrimaryLength(2);
    g->Bands()->SetSecondaryLength(1);
    g->Bands()->SetPrimaryColor(clYellow);
    g->Bands()->SetSecondaryColor(clLime);
    g->OnIsFixedCell = [](TObject*, int r, int c, bool& fixed) { fixed = r == 4 && c == 3; };
    Paint();
    const TColor rows[] = {clBtnFace, clYellow, clYellow, clLime, clYellow, clBtnFace};
    for (int r = 0; r < 6; ++r) EXPECT_EQ(Mid(2, r), ColorToRGB(rows[r])) << "row " << r;
    EXPECT_EQ(Mid(0, 2), ColorToRGB(clBtnFace));
    // The bands know only the grid's own fixed areas; out of them a cell
    // the hook makes fixed takes the fixed colour.
    EXPECT_EQ(Mid(3, 4), ColorToRGB(clYellow));
    g->Bands()->SetActive(false);
    Paint();
    EXPECT_EQ(Mid(3, 4), ColorToRGB(clBtnFace));
    // ...and the black lines of a fixed cell where the others have grey ones.
    const TRect fixedCell = g->CellRect(3, 4), normalCell = g->CellRect(3, 3);
    EXPECT_EQ(At(fixedCell.Right, fixedCell.Top + 5), clBlack);
    EXPECT_EQ(At(fixedCell.Left + 5, fixedCell.Bottom), clBlack);
    EXPECT_EQ(At(normalCell.Right, normalCell.Top + 5), clSilver);
    // Fixed cells of the grid's own making get the raised edge.
    const TRect footer = g->CellRect(2, 5);
    EXPECT_EQ(At(footer.Right - 1, footer.Top + 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(footer.Left + 5, footer.Bottom - 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(footer.Left, footer.Top + 5), ColorToRGB(clBtnHighlight));
    // Without Ctl3D a black frame runs just outside the cell.
    g->Ctl3D = false;
    Paint();
    const TRect hooked = g->CellRect(3, 4);
    EXPECT_EQ(At(hooked.Left - 1, hooked.Top + 5), clBlack);
    EXPECT_EQ(At(hooked.Right - 1, hooked.Top + 5), ColorToRGB(clBtnFace));
}

TEST_F(GkPaint, SelectionColours) {
    g->SetCells(2, 2, "WWW");
    g->SetSelectionColor(clNavy);
    g->SetSelectionTextColor(clYellow);
    g->FocusCell(1, 1, true);
    g->SetSelection(TGridRect{1, 1, 2, 2});
    Paint();  // the grid has no focus: the whole selection shows
    EXPECT_EQ(Mid(1, 1), clNavy);
    EXPECT_EQ(Mid(2, 2), clNavy);
    EXPECT_GT(Count(Inside(2, 2), clYellow), 5);
    EXPECT_EQ(Mid(2, 3), clWhite);
    g->SetShowSelection(false);
    Paint();
    EXPECT_EQ(Mid(2, 2), clWhite);
    EXPECT_EQ(Count(Inside(2, 2), clYellow), 0);
    EXPECT_FALSE(Ink(Inside(2, 2)).IsEmpty());
    // The selection rectangle runs round the outside cells only.
    g->SetShowSelection(true);
    g->SetSelectionRectangle(true);
    Paint();
    const TRect first = g->CellRect(1, 1), last = g->CellRect(2, 2);
    EXPECT_EQ(At(first.Left + 1, first.Top + 10), clBlack);
    EXPECT_EQ(At(first.Left + 10, first.Top + 1), clBlack);
    EXPECT_EQ(At(last.Right - 1, last.Bottom - 10), clBlack);
    EXPECT_EQ(At(last.Left + 1, last.Top + 10), clNavy);  // not an outside edge
    g->SetSelectionRectangle(false);
    g->SetSelectionColor(clNone);
    Paint();
    EXPECT_EQ(Mid(2, 2), ColorToRGB(clHighlight));
    // Rows marked with row selection show as selected too.
    g->SetSelectionColor(clNavy);
    g->SetOptions(g->Options() | goRowSelect);
    g->FocusCell(1, 1, true);
    g->SetRowMarked(4, true);
    Paint();
    EXPECT_EQ(Mid(2, 4), clNavy);
    EXPECT_EQ(Mid(0, 4), ColorToRGB(clBtnFace));
}

TEST_F(GkPaint, TextAlignment) {
    g->SetRowHeights(2, 60);
    g->SetCells(2, 2, "WW");
    g->FocusCell(1, 4, true);
    struct Case {
        TAlignment h;
        TVAlignment v;
    } cases[] = {{taLeftJustify, vtaTop}, {taRightJustify, vtaCenter}, {taCenter, vtaBottom}};
    for (const Case& c : cases) {
        g->OnGetAlignment = [&c](TObject*, int, int, TAlignment& a) { a = c.h; };
        g->SetVAlignment(c.v);
        Paint();
        const TRect cell = g->CellRect(2, 2);
        const TRect ink = Ink(Inside(2, 2));
        ASSERT_FALSE(ink.IsEmpty());
        switch (c.h) {
        case taLeftJustify: EXPECT_LE(ink.Left - cell.Left, 4); break;
        case taRightJustify: EXPECT_LE(cell.Right - ink.Right, 4); break;
        default: EXPECT_LE(std::abs((ink.Left + ink.Right) / 2 - (cell.Left + cell.Right) / 2), 2);
        }
        switch (c.v) {
        case vtaTop: EXPECT_LT(ink.Top - cell.Top, 8); break;
        case vtaBottom: EXPECT_LT(cell.Bottom - ink.Bottom, 8); break;
        default: EXPECT_LE(std::abs((ink.Top + ink.Bottom) / 2 - (cell.Top + cell.Bottom) / 2), 4);
        }
    }
}

// A cell holding one very long line shows exactly what it shows when it
// holds only the part in view: its start, its end when right-aligned, its
// start with the dots, the first lines when wrapped.
TEST_F(GkPaint, LongLineShowsTheSameAsThePartInView) {
    const char* const words[] = {"index ", "follow ", "Wg ", "meta ", "a ", "keywords, "};
    String line = "BEGIN ";
    for (unsigned k = 0; line.size() < 100000; k = k * 7 + 3) line += words[k % 6];
    line += " END";
    const String head = line.substr(0, 400), tail = line.substr(line.size() - 400);
    // One wide cell, so that a cut short of its width shows.
    g->SetColWidths(0, 10);
    g->SetColWidths(1, 10);
    g->SetColWidths(2, 300);
    g->SetRowHeights(2, 40);
    struct Case {
        const char* name;
        TAlignment h;
        bool dots, wrap;
        String inView;
    } cases[] = {{"left", taLeftJustify, false, false, head},
                 {"right", taRightJustify, false, false, tail},
                 {"with dots", taRightJustify, true, false, head},
                 {"wrapped", taLeftJustify, false, true, head}};
    auto cellPixels = [&](const String& text) {
        g->SetCells(2, 2, text);
        Paint();
        std::vector<TColor> px;
        const TRect r = Inside(2, 2);
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) px.push_back(At(x, y));
        return px;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g->OnGetAlignment = [&c](TObject*, int, int, TAlignment& a) { a = c.h; };
        g->EnhTextSize = c.dots;
        g->SetWordWrap(c.wrap);
        const std::vector<TColor> part = cellPixels(c.inView);
        EXPECT_EQ(cellPixels(line), part);
        EXPECT_EQ(cellPixels(line), part);  // painted again from what was measured
        ASSERT_FALSE(Ink(Inside(2, 2)).IsEmpty());
    }
    // Centred, the line overflows the cell on both sides (a blank may
    // fall at either edge).
    g->OnGetAlignment = [](TObject*, int, int, TAlignment& a) { a = taCenter; };
    g->EnhTextSize = false;
    g->SetWordWrap(false);
    cellPixels(line);
    const TRect ink = Ink(Inside(2, 2));
    EXPECT_LE(ink.Left - Inside(2, 2).Left, 6);
    EXPECT_LE(Inside(2, 2).Right - ink.Right, 6);
}

TEST_F(GkPaint, SortGlyphBesideTheHeading) {
    g->SetCells(2, 0, "Name");
    g->SetSortColumn(2);
    auto glyphBox = [&](int x) {
        const TRect cell = g->CellRect(2, 0);
        return TRect{x - 5, cell.Top + 8 - 5, x + 6, cell.Top + 8 + 6};
    };
    g->Canvas()->Font()->Assign(g->FixedFont());
    const int textWidth = g->Canvas()->TextWidth("Name");
    const int left = g->CellRect(2, 0).Left;
    Paint();
    EXPECT_EQ(Count(glyphBox(left + textWidth + 10), clGray), 0);  // SortShow off: none
    g->SetSortShow(true);
    Paint();
    EXPECT_GT(Count(glyphBox(left + textWidth + 10), clGray), 2);
    EXPECT_GT(Count(glyphBox(left + textWidth + 10), clWhite), 2);
    EXPECT_EQ(Count(Inside(1, 0), clGray), 0);  // only the sort column
    // Centred headings keep the glyph at the left and move the text on.
    g->OnGetAlignment = [](TObject*, int, int, TAlignment& a) { a = taCenter; };
    Paint();
    EXPECT_GT(Count(glyphBox(left + 8), clGray), 2);
    // The multi-column index shows a yellow arrow per column in it.
    g->OnGetAlignment = nullptr;
    g->SetSortIndexShow(true);
    Paint();
    EXPECT_EQ(Count(Inside(2, 0), clYellow), 0);
    g->SortIndexList()->AddIndex(2, false);
    Paint();
    EXPECT_GT(Count(glyphBox(left + textWidth + 10), clYellow), 10);
}

TEST_F(GkPaint, LineBreaks) {
    g->FocusCell(1, 5, true);
    g->SetRowHeights(2, 100);
    g->Canvas()->Font()->Assign(g->Font());
    const int twoWords = g->Canvas()->TextWidth("one two") + 8;
    const int oneWord = g->Canvas()->TextWidth("three") + 8;
    struct Case {
        const char* text;
        int width;
        bool wrap, multi;
        int lines;
    } cases[] = {
        {"one two three", twoWords, false, false, 1},
        {"one two three", twoWords, true, false, 2},
        {"one two three", oneWord, true, false, 3},
        {"one\r\ntwo", 200, false, false, 1},  // one line only without multi-line cells
        {"one\r\ntwo", 200, false, true, 2},
        {"one\r\ntwo one", twoWords, true, true, 2},
        {"one\r\ntwo one", oneWord, true, true, 3},
    };
    for (const Case& c : cases) {
        g->SetColWidths(2, c.width);
        g->SetWordWrap(c.wrap);
        g->SetMultilinecells(c.multi);
        g->SetCells(2, 2, c.text);
        Paint();
        EXPECT_EQ(InkLines(Inside(2, 2)), c.lines) << c.text << " width " << c.width << " wrap " << c.wrap
                                                   << " multi " << c.multi;
    }
}

TEST_F(GkPaint, FittedTextEndsInDots) {
    g->Canvas()->Font()->Assign(g->Font());
    TCanvas* c = g->Canvas();
    const String text = "a rather long text";
    EXPECT_EQ(g->FitCellText(text, 10), text);  // only with EnhTextSize
    g->EnhTextSize = true;
    EXPECT_EQ(g->FitCellText(text, c->TextWidth(text)), text);
    const String cut = g->FitCellText(text, c->TextWidth("a rather") + 2);
    ASSERT_GE(cut.size(), 4u);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_LE(c->TextWidth(cut), c->TextWidth("a rather") + 2);
    EXPECT_EQ(g->FitCellText(text, c->TextWidth("...") - 1), "");  // too narrow for anything
    EXPECT_EQ(g->FitCellText("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", c->TextWidth("\xC3\xA9...") + 1),
              "\xC3\xA9...");  // whole characters are dropped
    g->SetURLShow(true);
    EXPECT_EQ(g->FitCellText("mailto:me@example.test", 500), "me@example.test");
    g->SetURLFull(true);
    EXPECT_EQ(g->FitCellText("mailto:me@example.test", 500), "mailto:me@example.test");
}

TEST_F(GkPaint, TextKindsPasswordsAndUrls) {
    g->FocusCell(1, 5, true);
    g->SetColWidths(2, 200);
    g->SetCells(2, 1, "=1+2");
    g->Formula = " ";
    g->SetCells(2, 2, "<B>x</B>");
    g->SetCells(2, 3, "<FONT color=\"clred\">WWW</FONT>");
    g->SetCells(2, 4, "mailto:me@example.test");
    g->SetURLShow(true);
    g->SetURLColor(clBlue);
    Paint();
    EXPECT_TRUE(Ink(Inside(2, 1)).IsEmpty());  // the formula's value, not its text
    const int markupWidth = Ink(Inside(2, 2)).Width();
    EXPECT_GT(Count(Inside(2, 3), clRed), 10);
    EXPECT_GT(Count(Inside(2, 4), clBlue), 10);
    // Blinking markup disappears on every other tick.
    g->SetCells(1, 2, "<BLINK>WW</BLINK>");
    Paint();
    EXPECT_FALSE(Ink(Inside(1, 2)).IsEmpty());
    g->BlinkTick();
    Paint();
    EXPECT_TRUE(Ink(Inside(1, 2)).IsEmpty());
    g->BlinkTick();
    g->EnableHTML = false;
    Paint();
    EXPECT_GT(Ink(Inside(2, 2)).Width(), 3 * markupWidth);  // tags and all
    EXPECT_EQ(Count(Inside(2, 3), clRed), 0);
    // A rich-text cell shows its text, not its control words.
    g->SetCells(2, 1, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 WW\\par}");
    Paint();
    g->Canvas()->Font()->Assign(g->Font());
    EXPECT_NEAR(Ink(Inside(2, 1)).Width(), g->Canvas()->TextWidth("WW"), 3);
    // A password cell shows one mark per character.
    g->SetCells(2, 1, "abc");
    g->OnIsPasswordCell = [](TObject*, int r, int c, bool& p) { p = r == 1 && c == 2; };
    Paint();
    g->Canvas()->Font()->Assign(g->Font());
    EXPECT_NEAR(Ink(Inside(2, 1)).Width(), g->Canvas()->TextWidth("***"), 3);
}

TEST_F(GkPaint, MarkupAndPlainTextStandAtOneHeight) {
    g->SetRowHeights(2, 40);
    g->SetCells(1, 2, "Wg");
    g->SetCells(2, 2, "Wg<B></B>");
    for (TVAlignment v : {vtaTop, vtaCenter, vtaBottom}) {
        g->SetVAlignment(v);
        Paint();
        const TRect plain = Ink(Inside(1, 2)), markup = Ink(Inside(2, 2));
        ASSERT_FALSE(plain.IsEmpty());
        ASSERT_FALSE(markup.IsEmpty());
        EXPECT_EQ(markup.Top, plain.Top) << v;
        EXPECT_EQ(markup.Bottom, plain.Bottom) << v;
    }
}

TEST_F(GkPaint, RichTextCellsKeepTheirFormatting) {
    // Red then bold blue on the first line, a right-aligned second line.
    g->SetCells(2, 2,
                "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                "\\f0\\fs20\\cf1 RED \\cf2\\b BLUE\\par\\pard\\qr\\cf0\\b0 right\\par}");
    g->AutoSizeRow(2);
    const int line = g->RowHeights(2) / 2;
    EXPECT_GT(line, 10);  // measured from the layout: two lines high
    g->FocusCell(1, 5, true);
    Paint();
    const TRect cell = Inside(2, 2);
    const TRect first{cell.Left, cell.Top, cell.Right, cell.Top + line};
    const TRect second{cell.Left, cell.Top + line, cell.Right, cell.Bottom};
    auto inkOf = [&](const TRect& r, TColor colour) {
        TRect box{r.Right, r.Bottom, r.Left, r.Top};
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (At(x, y) == colour) {
                    box.Left = std::min(box.Left, x);
                    box.Right = std::max(box.Right, x + 1);
                }
        return box;
    };
    const TRect red = inkOf(first, clRed), blue = inkOf(first, clBlue);
    ASSERT_LT(red.Left, red.Right);
    ASSERT_LT(blue.Left, blue.Right);
    EXPECT_NEAR(red.Left, g->CellRect(2, 2).Left + 2, 2);  // 2 pixels in from the cell's edge
    EXPECT_LT(red.Right, blue.Left);
    EXPECT_GT(Count(second, clBlack), 10);
    EXPECT_GT(Ink(second).Left, cell.Left + cell.Width() / 2);  // right-aligned
    EXPECT_EQ(Count(first, clBlack), 0);

    // Selected (not the focused cell), the text takes the selection's text
    // colour, unless the cell keeps its own.
    g->SetSelectionTextColor(clLime);
    g->SetSelection(TGridRect{1, 1, 3, 3});
    Paint();
    EXPECT_EQ(Count(first, clRed), 0);
    EXPECT_GT(Count(first, clLime), 10);
    g->SelectionRTFKeep = true;
    Paint();
    EXPECT_GT(Count(first, clRed), 10);
    EXPECT_EQ(Count(first, clLime), 0);
}

TEST_F(GkPaint, AnchorsAreFoundWhereTheCellDrawsThem) {
    g->SetCells(2, 2, "go <A href=\"http://x.test/\">there</A>");
    g->SetCells(2, 3, "go there");
    g->Canvas()->Font()->Assign(g->Font());
    const TRect cell = g->CellRect(2, 2);
    const int y = cell.Top + 2 + g->Canvas()->TextHeight("gh") / 2;
    const int link = cell.Left + 3 + g->Canvas()->TextWidth("go ") + 2;
    EXPECT_EQ(g->CellAnchorAt(2, 2, link, y), "http://x.test/");
    EXPECT_EQ(g->CellAnchorAt(2, 2, cell.Left + 4, y), "");
    EXPECT_EQ(g->CellAnchorAt(2, 3, link, g->CellRect(2, 3).Top + 8), "");  // no markup
    EXPECT_EQ(g->CellAnchorAt(9, 2, link, y), "");
    // What the hit test finds is what is drawn in the URL colour.
    g->SetURLColor(clGreen);
    g->FocusCell(1, 5, true);
    Paint();
    EXPECT_GT(Count(TRect{link - 2, cell.Top, cell.Right, cell.Bottom}, clGreen), 5);
    EXPECT_EQ(Count(TRect{cell.Left, cell.Top, link - 2, cell.Bottom}, clGreen), 0);
}

TEST_F(GkPaint, BordersBackgroundAndOwnerDrawing) {
    g->FocusCell(1, 5, true);
    g->OnGetCellBorder = [](TObject*, int r, int c, TPen* pen, TCellBorders& b) {
        if (r != 2 || c != 2) return;
        pen->SetColor(clRed);
        b = cbLeft | cbBottom;
    };
    Paint();
    const TRect cell = g->CellRect(2, 2);
    EXPECT_EQ(At(cell.Left, cell.Top + 5), clRed);
    EXPECT_EQ(At(cell.Left + 10, cell.Bottom - 1), clRed);
    EXPECT_EQ(At(cell.Right - 1, cell.Top + 5), clWhite);
    EXPECT_EQ(At(cell.Left + 10, cell.Top), clWhite);
    // A background bitmap placed once shows where it lies, in normal cells.
    TBitmap back(30, 30);
    back.Canvas()->Brush()->SetColor(clFuchsia);
    back.Canvas()->FillRect(Rect(0, 0, 30, 30));
    g->BackGround()->SetDisplay(bdFixed);
    g->BackGround()->SetLeft(cell.Left + 40);
    g->BackGround()->SetTop(cell.Top);
    g->BackGround()->SetBitmap(&back);
    Paint();
    EXPECT_EQ(At(cell.Left + 45, cell.Top + 5), clFuchsia);
    EXPECT_EQ(At(cell.Left + 30, cell.Top + 5), clWhite);
    // Tiled, it fills every normal cell but not the headings.
    g->BackGround()->SetDisplay(bdTile);
    Paint();
    EXPECT_EQ(Mid(3, 3), clFuchsia);
    EXPECT_EQ(Mid(3, 0), ColorToRGB(clBtnFace));
    // The owner draws: no content, OnDrawCell once per cell.
    g->BackGround()->Bitmap()->SetSize(0, 0);
    g->SetCells(3, 3, "WWW");
    g->SetDefaultDrawing(false);
    int calls = 0;
    g->OnDrawCell = [&calls](TObject*, int c, int r, TRect, TGridDrawState) { calls += c == 3 && r == 3; };
    Paint();
    EXPECT_EQ(calls, 1);
}

TEST_F(GkPaint, HideFocusRectLeavesTheCurrentCellClean) {
    form->Show();
    g->SetCells(2, 2, "");
    g->FocusCell(2, 2, true);
    g->SetFocus();
    ASSERT_TRUE(WaitForFocus(g));
    const TRect cell = g->CellRect(2, 2);
    auto edgeMarks = [&] {
        int n = 0;
        for (int x = cell.Left; x < cell.Right; ++x) n += At(x, cell.Top) != clWhite;
        return n;
    };
    Paint();
    EXPECT_GT(edgeMarks(), 5);  // the framework's dotted frame
    g->HideFocusRect = true;
    Paint();
    EXPECT_EQ(edgeMarks(), 0);
    // Where the framework draws no frame, none is drawn to cancel it.
    g->SetDefaultDrawing(false);
    g->OnDrawCell = [this](TObject*, int, int, TRect r, TGridDrawState) {
        g->Canvas()->Brush()->SetColor(clWhite);
        g->Canvas()->FillRect(r);
    };
    Paint();
    EXPECT_EQ(edgeMarks(), 0);
}

}  // namespace
