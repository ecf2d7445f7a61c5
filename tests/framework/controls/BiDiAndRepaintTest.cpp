#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/Button.h"
#include "framework/controls/Form.h"
#include "framework/controls/Panel.h"

namespace {

TEST(BiDiMode, FollowsTheParentUntilSetOnTheControl) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* button = new TButton(form.get());
    button->SetParent(panel);

    form->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(panel->BiDiMode(), bdRightToLeft);
    EXPECT_EQ(button->BiDiMode(), bdRightToLeft);
    EXPECT_TRUE(button->UseRightToLeftAlignment());

    button->SetBiDiMode(bdRightToLeftReadingOnly);
    EXPECT_FALSE(button->ParentBiDiMode());
    form->SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(panel->BiDiMode(), bdLeftToRight);
    EXPECT_EQ(button->BiDiMode(), bdRightToLeftReadingOnly);
    EXPECT_TRUE(button->UseRightToLeftReading());
    EXPECT_FALSE(button->UseRightToLeftAlignment());

    // A control placed later takes its new parent's mode.
    auto* late = new TButton(form.get());
    form->SetBiDiMode(bdRightToLeftNoAlign);
    late->SetParent(form.get());
    EXPECT_EQ(late->BiDiMode(), bdRightToLeftNoAlign);
}

// Opens the protected repaint areas to the test.
struct TProbePanel : TPanel {
    using TPanel::TPanel;
    using TPanel::CaptionBand;
    using TPanel::ResizeRepaintAreas;
};

bool Covers(const std::vector<TRect>& areas, const TRect& r) {
    for (const TRect& a : areas)
        if (a.Left <= r.Left && a.Top <= r.Top && a.Right >= r.Right && a.Bottom >= r.Bottom) return true;
    return false;
}

TEST(PanelRepaint, ResizeRepaintsBothEdgesAndBothCaptionPlaces) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* panel = new TProbePanel(form.get());
    panel->SetParent(form.get());
    panel->SetCaption("Pages");
    panel->SetFullRepaint(false);
    panel->SetBounds(0, 0, 150, 60);  // grown from 100 x 40
    std::vector<TRect> areas = panel->ResizeRepaintAreas(100, 40);
    // The old right and bottom edges (now inside) and the new ones.
    EXPECT_TRUE(Covers(areas, Rect(98, 0, 150, 60)));
    EXPECT_TRUE(Covers(areas, Rect(0, 38, 150, 60)));
    // The caption moved down with the new middle; its old line is repainted.
    EXPECT_TRUE(Covers(areas, Rect(0, 18, 150, 22)));
    EXPECT_TRUE(Covers(areas, Rect(0, 28, 150, 32)));
    // Untouched: the left part of the top row.
    EXPECT_FALSE(Covers(areas, Rect(0, 0, 10, 2)));
}

}  // namespace
