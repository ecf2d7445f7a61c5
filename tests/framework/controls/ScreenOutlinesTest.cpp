// Outlines over the screen: a rectangle drawn twice vanishes, and on a
// display they show, dotted, in a window that comes and goes with them.
#include <gtest/gtest.h>

#include "framework/controls/Screen.h"
#include "framework/controls/ScreenOutlines.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace {

TEST(ScreenOutlines, ARectangleDrawnTwiceVanishes) {
    TScreenOutlines o;
    const TRect a = Rect(10, 10, 60, 40), b = Rect(20, 15, 90, 70);
    o.Toggle(a);
    o.Toggle(b);
    EXPECT_EQ(o.Shown(), (std::vector<TRect>{a, b}));
    o.Toggle(a);
    EXPECT_EQ(o.Shown(), std::vector<TRect>{b});
    o.Toggle(Rect(5, 5, 5, 9));  // an empty one shows nothing
    EXPECT_EQ(o.Shown(), std::vector<TRect>{b});
    o.Clear();
    EXPECT_TRUE(o.Shown().empty());
    EXPECT_FALSE(o.WindowShowing());
}

TEST(ScreenOutlines, ShowDottedOnTheScreenOnlyWhileThereAreAny) {
    if (!Screen->HasDisplay()) GTEST_SKIP() << "needs a display (xvfb-run -a)";
    TScreenOutlines o;
    const TRect r = Rect(40, 30, 240, 130);
    o.Toggle(r);
    o.Flush();
    EXPECT_TRUE(o.WindowShowing());
    TBitmap shot;
    ASSERT_TRUE(Screen->Capture(Rect(0, 0, 300, 200), &shot));
    int white = 0, black = 0;
    for (int x = r.Left; x < r.Right; ++x) {
        const TColor c = shot.Canvas()->Pixels(x, r.Top);
        if (c == clWhite) ++white;
        if (c == clBlack) ++black;
    }
    // Every other pixel of the edge, black and white by turns.
    EXPECT_NEAR(white, r.Width() / 2, 2);
    EXPECT_NEAR(black, r.Width() / 2, 2);
    // Inside the outline the screen is what it was.
    const TColor inside = shot.Canvas()->Pixels(140, 80);
    o.Toggle(r);
    o.Flush();
    EXPECT_FALSE(o.WindowShowing());
    ASSERT_TRUE(Screen->Capture(Rect(0, 0, 300, 200), &shot));
    EXPECT_EQ(shot.Canvas()->Pixels(140, 80), inside);
}

}  // namespace
