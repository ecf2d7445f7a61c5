// What the paint cycle leaves on the pixels: headings in the fixed
// colour, cell text, grid lines and the unused area.
#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/grids/StringGrid.h"

namespace {

int DarkPixels(TCanvas* c, const TRect& r) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const TColor p = c->Pixels(x, y);
            if ((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF) < 200) ++n;
        }
    return n;
}

TEST(GridPaint, HeadingsTextLinesAndUnusedArea) {
    auto form = std::make_unique<TForm>(nullptr);
    auto* g = new TStringGrid(form.get());
    g->SetParent(form.get());
    g->SetBounds(0, 0, 200, 120);
    g->SetScrollBars(ssNone);
    g->SetColCount(2);
    g->SetRowCount(4);
    g->SetColor(clWhite);
    g->SetCells(1, 1, "WWWW");
    g->FocusCell(1, 2, true);
    TBitmap bmp(200, 120);
    g->PaintTo(bmp.Canvas(), 0, 0);
    TCanvas* c = bmp.Canvas();
    EXPECT_EQ(c->Pixels(30, 12), ColorToRGB(clBtnFace));     // heading cell
    EXPECT_GT(DarkPixels(c, Rect(65, 25, 129, 49)), 10);     // the text of (1, 1)
    EXPECT_EQ(DarkPixels(c, Rect(66, 76, 128, 98)), 0);      // (1, 3) holds nothing
    // The current cell of a grid without focus keeps showing as selected.
    EXPECT_EQ(c->Pixels(100, 60), ColorToRGB(clHighlight));
    EXPECT_EQ(c->Pixels(129, 30), ColorToRGB(clSilver));     // line after column 1
    EXPECT_EQ(c->Pixels(64, 30), ColorToRGB(clBlack));       // line after the fixed column
    EXPECT_EQ(c->Pixels(180, 100), ColorToRGB(clWhite));     // beyond the last column
    g->SetDefaultDrawing(false);
    g->OnDrawCell = [g](TObject*, int, int, TRect r, TGridDrawState) {
        g->Canvas()->Brush()->SetColor(clRed);
        g->Canvas()->FillRect(r);
    };
    TBitmap bare(200, 120);
    g->PaintTo(bare.Canvas(), 0, 0);
    // The owner draws every cell now, and no text comes from the grid.
    EXPECT_EQ(bare.Canvas()->Pixels(70, 30), ColorToRGB(clRed));
    EXPECT_EQ(DarkPixels(bare.Canvas(), Rect(65, 25, 129, 49)), 0);
}

}  // namespace
