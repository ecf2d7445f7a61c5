#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "framework/controls/Form.h"
#include "framework/controls/Screen.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/FileUtils.h"
#include "toolbars/TbCustomPanel.h"
#include "framework/testkit/PictureCheck.h"

namespace {

struct TProbe : TTbCustomPanel {
    using TTbCustomPanel::TTbCustomPanel;
    using TTbCustomPanel::CaptionBand;
    using TTbCustomPanel::ResizeRepaintAreas;
};

bool Covers(const std::vector<TRect>& areas, const TRect& r) {
    for (const TRect& a : areas)
        if (a.Left <= r.Left && a.Top <= r.Top && a.Right >= r.Right && a.Bottom >= r.Bottom) return true;
    return false;
}

// A panel with a caption and FullRepaint off repaints, after a resize, the
// strip from one pixel inside its inner right (bottom) edge to the outer
// edge, taken at the smaller of the two sizes so the old edge is covered
// too, and the lines of its caption at both sizes.
TEST(TbPanelRepaint, StripsFollowTheInnerEdgeAndTheCaptionPlacement) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* p = new TProbe(form.get());
    p->SetParent(form.get());
    p->SetBorderWidth(3);
    p->SetCaption("Status");
    p->SetAlignmentVertical(0);  // top
    p->SetFullRepaint(false);
    p->SetBounds(0, 0, 120, 50);
    const TRect inner = p->InnerRect();
    ASSERT_LT(inner.Right, 120);

    std::vector<TRect> wider = p->ResizeRepaintAreas(80, 50);
    const int edge = 120 - inner.Right;
    EXPECT_TRUE(Covers(wider, Rect(80 - edge - 1, 0, 120, 50)));
    EXPECT_FALSE(Covers(wider, Rect(0, 40, 120, 50)));  // height kept: no bottom strip

    std::vector<TRect> lower = p->ResizeRepaintAreas(120, 30);
    EXPECT_TRUE(Covers(lower, Rect(0, 30 - (50 - inner.Bottom) - 1, 120, 50)));

    // Top placement: the caption's line starts at the inner top.
    TRect band = p->CaptionBand(120, 50);
    EXPECT_EQ(band.Top, inner.Top);
    EXPECT_GT(band.Bottom, band.Top + 5);
    p->SetAlignmentVertical(2);
    EXPECT_GT(p->CaptionBand(120, 50).Top, band.Top);
    p->SetCaption("");
    EXPECT_TRUE(p->CaptionBand(120, 50).IsEmpty());
}

}  // namespace

namespace {

// On a real display: a captioned panel that only repaints strips must not
// leave its old caption behind when the window grows and shrinks.
TEST(TbPanelRepaint, GrowingAndShrinkingLeavesNoOldCaption) {
    if (!Screen->HasDisplay()) GTEST_SKIP() << "no display: nothing to photograph";
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(60, 60, 300, 160);
    auto* p = new TTbCustomPanel(form.get());
    p->SetParent(form.get());
    p->SetAlign(alClient);
    p->SetBorderWidth(4);
    p->SetCaption("Ready for the next page");
    p->SetFullRepaint(false);
    form->Show();
    PumpMessagesUntil([] { return false; }, 200);
    form->SetBounds(60, 60, 420, 240);
    PumpMessagesUntil([] { return false; }, 200);
    form->SetBounds(60, 60, 340, 180);
    PumpMessagesUntil([] { return false; }, 300);
    const char* dir = std::getenv("VELMOR_SCREENSHOT_DIR");
    const String file = PathJoin(dir && *dir ? String(dir) : String(VELMOR_BIN_DIR), "panel-repaint.png");
    ASSERT_TRUE(Screen->CaptureToFile(Bounds(40, 20, 460, 300), file));
    EXPECT_EQ(PictureColours(file), 2) << file << " holds one colour: the window did not show";
    form->Hide();
}

}  // namespace
