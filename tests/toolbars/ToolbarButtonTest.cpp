#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

namespace {

// A strip of `count` square images of `size`, image i filled with colours[i].
std::unique_ptr<TBitmap> Strip(int size, std::vector<TColor> colours) {
    auto b = std::make_unique<TBitmap>(size * static_cast<int>(colours.size()), size);
    for (size_t i = 0; i < colours.size(); ++i) {
        b->Canvas()->Brush()->SetColor(colours[i]);
        b->Canvas()->FillRect(Bounds(static_cast<int>(i) * size, 0, size, size));
    }
    // The bottom-left pixel of each image is its see-through colour.
    for (size_t i = 0; i < colours.size(); ++i)
        b->Canvas()->SetPixels(static_cast<int>(i) * size, size - 1, clFuchsia);
    return b;
}

struct TButtonFixture : ::testing::Test {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TTbToolbarButton* Button = nullptr;
    void SetUp() override {
        Form->SetColor(clWhite);
        Button = new TTbToolbarButton(Form.get());
        Button->SetParent(Form.get());
        Button->SetBounds(0, 0, 24, 24);
    }
    TColor CentrePixel() {
        TBitmap bmp(24, 24);
        Button->PaintTo(bmp.Canvas(), 0, 0);
        return bmp.Canvas()->Pixels(12, 12);
    }
};

}  // namespace

TEST(ToolbarButtonHotGlyph, CountFollowsTheBitmapAndIsHeldToOneToFour) {
    struct TCase {
        int W, H, Expected;
    };
    for (const TCase& c : {TCase{32, 16, 2}, TCase{100, 16, 3}, TCase{96, 16, 1}, TCase{64, 16, 4}}) {
        TTbToolbarButton b(nullptr);
        b.SetHotNumGlyphs(3);
        TBitmap bmp(c.W, c.H);
        b.SetHotGlyph(&bmp);
        EXPECT_EQ(b.HotNumGlyphs(), c.Expected) << c.W << "x" << c.H;
        EXPECT_TRUE(b.UseHotGlyph());
    }
    TTbToolbarButton b(nullptr);
    b.SetHotNumGlyphs(0);
    EXPECT_EQ(b.HotNumGlyphs(), 1);
    b.SetHotNumGlyphs(9);
    EXPECT_EQ(b.HotNumGlyphs(), 4);
}

TEST_F(TButtonFixture, HotGlyphShowsWhileTheMouseIsInsideAndGlyphIsNeverSwapped) {
    auto normal = Strip(16, {clBlue, clGray});
    auto hot = Strip(16, {clRed, clGray});
    Button->SetGlyph(normal.get());
    Button->SetNumGlyphs(2);
    Button->SetHotGlyph(hot.get());
    TBitmap* glyph = Button->Glyph();

    // Leaving before ever entering changes nothing.
    Button->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(Button->HotGlyphShown());
    EXPECT_EQ(CentrePixel(), clBlue);

    struct TStep {
        UINT Msg;
        bool Hot;
    };
    const TStep steps[] = {
        {CM_MOUSEENTER, true},  {WM_LBUTTONDOWN, true}, {WM_LBUTTONUP, true},
        {CM_MOUSELEAVE, false}, {CM_MOUSEENTER, true},  {CM_MOUSELEAVE, false},
    };
    for (const TStep& s : steps) {
        const WPARAM keys = s.Msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
        Button->Perform(s.Msg, keys, MakeLParam(5, 5));
        EXPECT_EQ(Button->HotGlyphShown(), s.Hot) << "after message " << s.Msg;
        EXPECT_EQ(Button->Glyph(), glyph);
        EXPECT_EQ(Button->NumGlyphs(), 2);
        EXPECT_EQ(Button->Glyph()->Canvas()->Pixels(8, 8), clBlue);
    }
    Button->Perform(CM_MOUSEENTER);
    EXPECT_EQ(CentrePixel(), clRed);
    // Disabled, the normal strip's disabled image shows, hot or not.
    Button->SetEnabled(false);
    EXPECT_FALSE(Button->HotGlyphShown());
    EXPECT_EQ(CentrePixel(), clGray);
    Button->SetEnabled(true);
    Button->SetUseHotGlyph(false);
    EXPECT_EQ(CentrePixel(), clBlue);
}

TEST_F(TButtonFixture, CaptionIsSetAsideWhileHidden) {
    Button->SetCaption("Save");
    Button->SetShowCaption(false);
    EXPECT_EQ(Button->Caption(), "");
    EXPECT_EQ(Button->SaveCaption(), "Save");
    EXPECT_TRUE(Button->StoresSaveCaption());
    Button->SetShowCaption(true);
    EXPECT_EQ(Button->Caption(), "Save");
    EXPECT_FALSE(Button->StoresSaveCaption());
    // Setting the caption while hidden keeps it hidden and replaces the
    // saved one by what was displayed: nothing.
    Button->SetShowCaption(false);
    Button->SetCaption("Other");
    EXPECT_EQ(Button->Caption(), "");
    EXPECT_EQ(Button->SaveCaption(), "");
}

TEST_F(TButtonFixture, MouseClicksOnlyWhenEnabledAndAcceleratorClicks) {
    int clicks = 0;
    Button->OnClick = [&](TObject*) { ++clicks; };
    auto press = [&] {
        Button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
        Button->Perform(WM_LBUTTONUP, 0, MakeLParam(5, 5));
    };
    press();
    EXPECT_EQ(clicks, 1);
    Button->SetEnabled(false);
    press();
    EXPECT_EQ(clicks, 1);
    Button->SetEnabled(true);
    Button->SetCaption("&Open");
    EXPECT_EQ(Button->Perform(CM_DIALOGCHAR, 'x'), 0);
    EXPECT_EQ(clicks, 1);
    // The accelerator needs a showing parent.
    Form->Show();
    EXPECT_EQ(Button->Perform(CM_DIALOGCHAR, 'O'), 1);
    EXPECT_EQ(clicks, 2);
    // On a disabled bar it does not answer, though it is enabled itself.
    auto* bar = new TTbToolbar(Form.get());
    bar->SetParent(Form.get());
    Button->SetParent(bar);
    bar->SetEnabled(false);
    EXPECT_EQ(Button->Perform(CM_DIALOGCHAR, 'o'), 0);
    EXPECT_EQ(clicks, 2);
    Form->Hide();
}

TEST_F(TButtonFixture, GroupedButtonTogglesDown) {
    Button->SetGroupIndex(1);
    Button->SetAllowAllUp(true);
    Button->Click();
    EXPECT_TRUE(Button->Down());
    Button->Click();
    EXPECT_FALSE(Button->Down());
}
