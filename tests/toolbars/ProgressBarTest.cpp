#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "toolbars/TbProgressBar.h"

TEST(ProgressBar, PartsGivePercentRoundedHalfToEven) {
    struct TCase {
        int Total, Done;
        int Percent, Stored;
    };
    const std::vector<TCase> cases = {
        {15, 1, 7, 1}, {15, 2, 13, 2}, {8, 1, 12, 1}, {8, 3, 38, 3}, {200, 1, 0, 1},
        {200, 3, 2, 3}, {4, 9, 100, 4}, {1, 1, 100, 1},
    };
    for (const TCase& c : cases) {
        TTbProgressBar bar(nullptr);
        bar.SetTotalParts(c.Total);
        bar.SetPartsComplete(c.Done);
        EXPECT_EQ(bar.Percent(), c.Percent) << c.Total << "/" << c.Done;
        EXPECT_EQ(bar.PartsComplete(), c.Stored);
    }
}

TEST(ProgressBar, TotalResetsAndZeroTotalLeavesPercent) {
    TTbProgressBar bar(nullptr);
    std::vector<Word> changes;
    bar.OnChange = [&](TObject*, Word p) { changes.push_back(p); };
    bar.SetPercent(40);
    bar.SetPartsComplete(3);  // no total yet: nothing to measure against
    EXPECT_EQ(bar.Percent(), 40);
    bar.SetTotalParts(10);
    EXPECT_EQ(bar.Percent(), 0);
    EXPECT_EQ(bar.PartsComplete(), 0);
    bar.SetPartsComplete(5);
    EXPECT_EQ(changes, (std::vector<Word>{40, 0, 50}));
    bar.SetPercent(150);  // nothing caps it
    EXPECT_EQ(bar.Percent(), 150);
}

TEST(ProgressBar, StyleAndOrientationFollowSettings) {
    TTbProgressBar bar(nullptr);
    bar.SetBarStyle(bsLED);
    EXPECT_FALSE(bar.ShowPercent());
    EXPECT_EQ(bar.InteriorOffset(), 1);
    bar.SetBarStyle(bsTraditional);
    EXPECT_TRUE(bar.ShowPercent());
    EXPECT_EQ(bar.InteriorOffset(), 0);
    bar.SetBounds(0, 0, 20, 100);
    EXPECT_EQ(bar.Orientation(), orVertical);
    bar.SetBounds(0, 0, 100, 20);
    EXPECT_EQ(bar.Orientation(), orHorizontal);
    bar.SetBarColor(clBlue);
    EXPECT_EQ(bar.Font()->Color(), clBlue);
}

TEST(ProgressBar, SegmentLayoutTable) {
    struct TCase {
        int Length, Segments;
        int Count, Size, Margin;
    };
    for (const TCase& c : {TCase{60, 15, 10, 6, 0}, TCase{200, 20, 20, 10, 0}, TCase{196, 20, 21, 9, 3},
                           TCase{80, 11, 10, 8, 0}, TCase{81, 11, 11, 7, 2}, TCase{5, 10, 10, 0, 2}}) {
        int count = 0, size = 0, margin = 0;
        TTbCustomProgressBar::SegmentLayout(c.Length, c.Segments, count, size, margin);
        EXPECT_EQ(count, c.Count) << c.Length << "/" << c.Segments;
        EXPECT_EQ(size, c.Size) << c.Length << "/" << c.Segments;
        EXPECT_EQ(margin, c.Margin) << c.Length << "/" << c.Segments;
    }
}

TEST(ProgressBar, PaintsTheFilledShareAndFullBarAboveHundred) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* bar = new TTbProgressBar(form.get());
    bar->SetParent(form.get());
    bar->SetBounds(0, 0, 104, 20);
    bar->SetBackColor(clWhite);
    bar->SetBarColor(clBlue);
    bar->SetShowPercent(false);
    bar->SetPercent(25);
    TBitmap bmp(104, 20);
    bar->PaintTo(bmp.Canvas(), 0, 0);
    // Inside the lowered edge (2 pixels): 100 pixels, 25 filled.
    EXPECT_EQ(bmp.Canvas()->Pixels(2, 10), clBlue);
    EXPECT_EQ(bmp.Canvas()->Pixels(26, 10), clBlue);
    EXPECT_EQ(bmp.Canvas()->Pixels(27, 10), clWhite);
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), ColorToRGB(clBtnShadow));
    bar->SetPercent(130);
    bar->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_EQ(bmp.Canvas()->Pixels(101, 10), clBlue);
    // Segments: 100 pixels inside edge and interior offset 1 -> 98 long.
    bar->SetBarStyle(bsLED);
    bar->SetNumSegments(7);
    bar->SetPercent(50);
    bar->PaintTo(bmp.Canvas(), 0, 0);
    // 7 segments of 14, lit = round(3.5) = 4: the fourth is filled, the fifth not.
    EXPECT_EQ(bmp.Canvas()->Pixels(3 + 3 * 14 + 7, 10), clBlue);
    EXPECT_EQ(bmp.Canvas()->Pixels(3 + 4 * 14 + 7, 10), clWhite);
}
