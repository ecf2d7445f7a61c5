#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/ActionList.h"
#include "framework/controls/ControlActionLink.h"
#include "framework/controls/CustomAction.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

namespace {

TEST(ToolbarReadingOrder, RightToLeftControlsSitFromTheRightEnd) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 400, 300);
    auto* bar = new TTbToolbar(form.get());
    bar->SetParent(form.get());
    bar->SetBounds(0, 0, 200, 32);
    auto* a = new TTbToolbarButton(form.get());
    auto* b = new TTbToolbarButton(form.get());
    for (TTbToolbarButton* x : {a, b}) {
        x->SetBounds(0, 0, 40, 22);
        x->SetParent(bar);
    }
    ASSERT_EQ(a->Left(), 4);
    ASSERT_EQ(b->Left(), 44);
    // Width - control width - offset, the offset growing as before.
    bar->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(a->Left(), bar->Width() - 40 - 4);
    EXPECT_EQ(b->Left(), bar->Width() - 40 - 44);
    // A reading-only mode still places from the right: only left-to-right
    // places from the left.
    b->SetBiDiMode(bdLeftToRight);
    bar->PositionControls();
    EXPECT_EQ(b->Left(), 44);
    bar->SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(a->Left(), 4);
}

struct TButtonActionFixture : ::testing::Test {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    std::unique_ptr<TImageList> Images = std::make_unique<TImageList>(nullptr, 16, 16);
    TActionList* List = new TActionList(Form.get());
    TAction* Bold = new TAction(Form.get());
    TTbToolbarButton* Button = new TTbToolbarButton(Form.get());
    void SetUp() override {
        TBitmap blue(16, 16);
        blue.Canvas()->Brush()->SetColor(clBlue);
        blue.Canvas()->FillRect(Rect(0, 0, 16, 16));
        Images->Add(&blue, nullptr);
        List->SetImages(Images.get());
        Bold->SetActionList(List);
        Bold->SetCaption("Bold");
        Bold->SetImageIndex(0);
        Button->SetParent(Form.get());
        Button->SetNumGlyphs(2);
    }
    void TearDown() override { List->SetImages(nullptr); }
};

TEST_F(TButtonActionFixture, IgnoreActionCaptionKeepsTheCaptionButTakesImageAndChecked) {
    Button->SetCaption("B");
    Button->IgnoreActionCaption = true;
    Button->SetGroupIndex(1);
    Button->SetAllowAllUp(true);
    Bold->SetGroupIndex(1);
    Bold->SetChecked(true);
    Button->SetAction(Bold);
    EXPECT_EQ(Button->Caption(), "B");
    EXPECT_TRUE(Button->Down());
    ASSERT_EQ(Button->Glyph()->Width(), 16);
    ASSERT_EQ(Button->Glyph()->Height(), 16);
    EXPECT_EQ(Button->Glyph()->Canvas()->Pixels(5, 5), clBlue);
    EXPECT_EQ(Button->NumGlyphs(), 1);

    // Checked is followed while the button shows the action's state.
    Bold->SetChecked(false);
    EXPECT_FALSE(Button->Down());
    Bold->SetCaption("Heavy");
    EXPECT_EQ(Button->Caption(), "B");
}

TEST_F(TButtonActionFixture, WithoutIgnoreTheCaptionComesFromTheAction) {
    Button->SetCaption("B");
    Button->SetAction(Bold);
    EXPECT_EQ(Button->Caption(), "Bold");
    int runs = 0;
    Bold->OnExecute = [&](TObject*) { ++runs; };
    Button->Click();
    EXPECT_EQ(runs, 1);
}

TEST(ToolbarButtonActionLink, CheckedIsLinkedOnlyWhileDownMatches) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* action = new TAction(form.get());
    auto* button = new TTbToolbarButton(form.get());
    button->SetParent(form.get());
    button->SetAction(action);
    button->SetGroupIndex(4);
    button->SetAllowAllUp(true);
    TActionLink* link = button->ActionLink();
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->IsCheckedLinked());
    button->SetDown(true);  // the user pressed it: no longer the action's state
    EXPECT_FALSE(link->IsCheckedLinked());
}

}  // namespace
