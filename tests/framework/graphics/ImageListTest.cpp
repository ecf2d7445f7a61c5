#include <gtest/gtest.h>

#include "PixelHelpers.h"
#include "framework/graphics/ImageList.h"

namespace {

// A strip of `cells` 8 x 8 images on a fuchsia background, each with one
// coloured 2 x 2 block at (2 + cell, 3).
std::unique_ptr<TBitmap> Strip(int cells, TColor block) {
    auto b = WhiteBitmap(8 * cells, 8);
    b->Canvas()->Brush()->SetColor(clFuchsia);
    b->Canvas()->FillRect(Rect(0, 0, 8 * cells, 8));
    b->Canvas()->Brush()->SetColor(block);
    for (int i = 0; i < cells; ++i) b->Canvas()->FillRect(Bounds(8 * i + 2 + i, 3, 2, 2));
    return b;
}

std::unique_ptr<TBitmap> GreenCanvas() {
    auto b = WhiteBitmap(20, 20);
    b->Canvas()->Brush()->SetColor(clGreen);
    b->Canvas()->FillRect(Rect(0, 0, 20, 20));
    return b;
}

TEST(ImageList, AddMaskedSplitsAStripAndDrawsOnlyUnmaskedPixels) {
    TImageList list(nullptr, 8, 8);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    auto strip = Strip(3, clBlue);
    EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(changes, 1);

    auto target = GreenCanvas();
    list.Draw(target->Canvas(), 4, 5, 2);
    EXPECT_EQ(CountColor(*target, clFuchsia, Rect(0, 0, 20, 20)), 0);
    EXPECT_EQ(InkBox(*target, clGreen), Bounds(4 + 4, 5 + 3, 2, 2));  // cell 2's block
    EXPECT_EQ(target->Canvas()->Pixels(8, 8), clBlue);

    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    auto again = GreenCanvas();
    list.Draw(again->Canvas(), 0, 0, 0);  // formerly cell 1
    EXPECT_EQ(InkBox(*again, clGreen), Bounds(3, 3, 2, 2));
    EXPECT_THROW(list.Delete(5), EInvalidOperation);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, AddWithAMaskShowsItsBlackPixels) {
    TImageList list(nullptr, 8, 8);
    auto image = Strip(1, clRed);
    auto mask = WhiteBitmap(8, 8);
    mask->Canvas()->Brush()->SetColor(clBlack);
    mask->Canvas()->FillRect(Rect(0, 0, 3, 8));  // columns 0..2 show
    list.Add(image.get(), mask.get());
    auto target = GreenCanvas();
    list.Draw(target->Canvas(), 0, 0, 0);
    EXPECT_EQ(InkBox(*target, clGreen), Rect(0, 0, 3, 8));
    EXPECT_EQ(target->Canvas()->Pixels(2, 3), clRed);
    EXPECT_EQ(target->Canvas()->Pixels(0, 0), clFuchsia);

    TBitmap copy;
    list.GetBitmap(0, &copy);
    EXPECT_EQ(copy.Width(), 8);
    EXPECT_EQ(copy.Canvas()->Pixels(2, 3), clRed);
    EXPECT_EQ(copy.Canvas()->Pixels(6, 6), clSilver);  // hidden: button face
}

TEST(ImageList, DisabledImagesAreEmbossed) {
    TImageList list(nullptr, 8, 8);
    auto image = Strip(1, clBlack);
    list.AddMasked(image.get(), clFuchsia);
    auto target = GreenCanvas();
    list.Draw(target->Canvas(), 0, 0, 0, false);
    TCanvas* c = target->Canvas();
    EXPECT_EQ(c->Pixels(2, 3), clGray);   // shadow over the shape
    EXPECT_EQ(c->Pixels(3, 4), clGray);
    EXPECT_EQ(c->Pixels(4, 5), clWhite);  // highlight one pixel down and right
    EXPECT_EQ(c->Pixels(4, 4), clWhite);
    EXPECT_EQ(c->Pixels(2, 2), clGreen);
    EXPECT_EQ(CountColor(*target, clBlack, Rect(0, 0, 20, 20)), 0);
}

}  // namespace
