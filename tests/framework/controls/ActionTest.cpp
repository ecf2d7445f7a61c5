#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/ActionList.h"
#include "framework/controls/Button.h"
#include "framework/controls/ControlActionLink.h"
#include "framework/controls/CustomAction.h"
#include "framework/controls/Form.h"
#include "framework/controls/SpeedButton.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/messages/MessageQueue.h"

namespace {

struct ActionFixture : ::testing::Test {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TActionList* List = new TActionList(Form.get());
    TAction* Save = new TAction(Form.get());
    TButton* Button = new TButton(Form.get());
    int Executed = 0;
    void SetUp() override {
        Save->SetActionList(List);
        Save->SetCaption("&Save");
        Save->SetHint("Save the page");
        Save->OnExecute = [this](TObject*) { ++Executed; };
        Button->SetParent(Form.get());
    }
};

TEST_F(ActionFixture, LinkingTakesTheActionsValuesAndAClickExecutesIt) {
    Button->SetCaption("Old");
    Button->SetAction(Save);
    EXPECT_EQ(Button->Caption(), "&Save");
    EXPECT_EQ(Button->Hint(), "Save the page");
    Button->Click();
    EXPECT_EQ(Executed, 1);
    EXPECT_EQ(Save->ActionComponent, Button);

    // The control's own handler wins over the action.
    int own = 0;
    Button->OnClick = [&](TObject*) { ++own; };
    Button->Click();
    EXPECT_EQ(own, 1);
    EXPECT_EQ(Executed, 1);
}

TEST_F(ActionFixture, ChangesReachEveryLinkedControl) {
    auto* second = new TButton(Form.get());
    second->SetParent(Form.get());
    Button->SetAction(Save);
    second->SetAction(Save);
    Save->SetEnabled(false);
    Save->SetCaption("Save &As");
    for (TButton* b : {Button, second}) {
        EXPECT_FALSE(b->Enabled());
        EXPECT_EQ(b->Caption(), "Save &As");
    }
    // A disabled action does nothing when a control asks.
    Button->OnClick = nullptr;
    Button->Click();
    EXPECT_EQ(Executed, 0);
}

TEST_F(ActionFixture, FreeingTheActionOrTheControlLeavesNoDanglingLink) {
    auto* other = new TButton(Form.get());
    other->SetParent(Form.get());
    other->SetAction(Save);
    delete other;  // the action forgets the link
    EXPECT_EQ(Save->ClientCount(), 0);

    Button->SetAction(Save);
    delete Save;
    EXPECT_EQ(Button->Action(), nullptr);
    EXPECT_EQ(List->ActionCount(), 0);
    EXPECT_EQ(Button->Caption(), "&Save");  // what it showed stays
    Button->Click();                         // and nothing runs
}

TEST_F(ActionFixture, TheListHandlesFirstAndUpdateDisablesActionsWithoutHandler) {
    List->OnExecute = [](TBasicAction*, bool& handled) { handled = true; };
    EXPECT_TRUE(Save->Execute());
    EXPECT_EQ(Executed, 0);

    auto* idle = new TAction(Form.get());
    idle->SetActionList(List);
    List->UpdateActions();
    EXPECT_FALSE(idle->Enabled());
    EXPECT_TRUE(Save->Enabled());
}

TEST_F(ActionFixture, TheMessageLoopUpdatesActionsWhenItWaits) {
    bool canSave = false;
    Save->OnUpdate = [&](TObject*) { Save->SetEnabled(canSave); };
    Button->SetAction(Save);
    EXPECT_TRUE(PumpMessagesUntil([&] { return !Button->Enabled(); }, 2000));
    canSave = true;
    EXPECT_TRUE(PumpMessagesUntil([&] { return Button->Enabled(); }, 2000));
}

TEST_F(ActionFixture, OneCheckedActionPerGroupAndAutoCheckToggles) {
    auto* left = new TAction(Form.get());
    auto* right = new TAction(Form.get());
    for (TAction* a : {left, right}) {
        a->SetActionList(List);
        a->SetGroupIndex(3);
    }
    left->SetChecked(true);
    right->SetChecked(true);
    EXPECT_FALSE(left->Checked());
    EXPECT_TRUE(right->Checked());

    Save->AutoCheck = true;
    Save->Execute();
    EXPECT_TRUE(Save->Checked());
    Save->Execute();
    EXPECT_FALSE(Save->Checked());
}

TEST_F(ActionFixture, SpeedButtonFollowsCheckedGroupAndTakesTheImage) {
    auto images = std::make_unique<TImageList>(nullptr, 8, 8);
    TBitmap red(8, 8);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(Rect(0, 0, 8, 8));
    images->Add(&red, nullptr);
    List->SetImages(images.get());
    Save->SetImageIndex(0);
    Save->SetGroupIndex(2);
    Save->SetChecked(true);

    auto* b = new TSpeedButton(Form.get());
    b->SetParent(Form.get());
    b->SetAction(Save);
    EXPECT_EQ(b->GroupIndex(), 2);
    EXPECT_TRUE(b->Down());
    ASSERT_EQ(b->Glyph()->Width(), 8);
    EXPECT_EQ(b->Glyph()->Canvas()->Pixels(3, 3), clRed);

    Save->SetChecked(false);
    EXPECT_FALSE(b->Down());
    List->SetImages(nullptr);
}

}  // namespace
