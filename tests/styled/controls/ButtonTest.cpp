// The graphic buttons' state machine: hot tracking and its poll, holding,
// latched groups, repeated clicks on the pool's ticks, the drop-down menu,
// accelerators, and what the face shows.
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "framework/controls/Button.h"
#include "framework/controls/Menus.h"
#include "framework/controls/ModalSeam.h"
#include "framework/controls/Mouse.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/messages/MessageQueue.h"
#include "styled/base/StyApplication.h"
#include "styled/base/StyTimerPool.h"
#include "styled/controls/StyOfficeButton.h"
#include "styled/controls/StySpeedButton.h"

namespace {

class Buttons : public ControlsFixture {
protected:
    TStySpeedButton* NewButton(int left, int group = 0) {
        auto* b = new TStySpeedButton(Form.get());
        b->SetParent(Form.get());
        b->SetBounds(left, 10, 40, 30);
        b->SetGroupIndex(group);
        b->OnClick = [this](TObject* s) { Clicks.push_back(s); };
        return b;
    }
    // One tick of the shared pool, as its system timer delivers it.
    static void Tick(int n = 1) {
        for (int i = 0; i < n; ++i) SendMessage(StyApplication->TimerPool()->WindowHandle(), WM_TIMER, 1, 0);
    }
    static void Press(TControl* c, int x = 5, int y = 5) { SimulateMouseDown(c, mbLeft, x, y); }
    static void Release(TControl* c, int x = 5, int y = 5) { SimulateMouseUp(c, mbLeft, x, y); }
    void ClickOn(TControl* c, int x = 5, int y = 5) {
        Press(c, x, y);
        Release(c, x, y);
    }
    std::vector<TObject*> Clicks;
};

TEST_F(Buttons, HotWhileTheMouseIsOverAndPolledBackWhenItLeft) {
    auto* b = NewButton(10);
    Mouse->SetCursorPos(Point(0, 0));  // far from the button
    b->Perform(CM_MOUSEENTER);
    EXPECT_EQ(b->State(), gsHot);
    ASSERT_NE(b->TimerId(0), 0);
    // The leave notice never came: the poll finds the mouse gone.
    Tick(2);
    EXPECT_EQ(b->State(), gsUp);
    EXPECT_EQ(b->TimerId(0), 0);
    // Pressing and dragging out shows held, then up; back in, held again.
    Press(b);
    EXPECT_EQ(b->State(), gsHeld);
    SimulateMouseMove(b, 100, 5, ssLeft);
    EXPECT_EQ(b->State(), gsUp);
    SimulateMouseMove(b, 5, 5, ssLeft);
    EXPECT_EQ(b->State(), gsHeld);
    Release(b);
    EXPECT_EQ(b->State(), gsHot);
    EXPECT_EQ(Clicks.size(), 1u);
    // Released outside: no click.
    Press(b);
    Release(b, 100, 5);
    EXPECT_EQ(Clicks.size(), 1u);
    EXPECT_EQ(b->State(), gsUp);
}

TEST_F(Buttons, PressedNeedsAGroup) {
    auto* b = NewButton(10);
    b->SetPressed(true);
    EXPECT_FALSE(b->Pressed());
    ClickOn(b);
    EXPECT_FALSE(b->Pressed());
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(Buttons, LatchedGroupKeepsOneDown) {
    auto* a = NewButton(10, 1);
    auto* b = NewButton(60, 1);
    auto* other = NewButton(110, 2);
    ClickOn(a);
    EXPECT_TRUE(a->Pressed());
    EXPECT_EQ(a->State(), gsDown);
    other->SetPressed(true);
    ClickOn(b);
    EXPECT_TRUE(b->Pressed());
    EXPECT_FALSE(a->Pressed());
    EXPECT_EQ(a->State(), gsUp);
    EXPECT_TRUE(other->Pressed());  // another group
    // Without AllowAllUp the user cannot release the latched one...
    ClickOn(b);
    EXPECT_TRUE(b->Pressed());
    b->SetPressed(false);
    EXPECT_TRUE(b->Pressed());
    // ...and AllowAllUp set on one button reaches the whole group.
    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp());
    EXPECT_FALSE(other->AllowAllUp());
    ClickOn(b);
    EXPECT_FALSE(b->Pressed());
    EXPECT_EQ(Clicks.size(), 4u);
}

TEST_F(Buttons, RepeatedClicksFollowDelayThenInterval) {
    auto* b = NewButton(10);
    b->RepeatedClick = true;
    b->RepeatingDelay = 500;     // ten ticks of 50 ms
    b->RepeatingInterval = 100;  // two ticks
    Press(b);
    EXPECT_EQ(Clicks.size(), 1u);  // at once
    Tick(9);
    EXPECT_EQ(Clicks.size(), 1u);
    Tick(1);
    EXPECT_EQ(Clicks.size(), 2u);
    Tick(4);
    EXPECT_EQ(Clicks.size(), 4u);
    // Off the button the ticks go on without clicks.
    SimulateMouseMove(b, 100, 5, ssLeft);
    Tick(4);
    EXPECT_EQ(Clicks.size(), 4u);
    SimulateMouseMove(b, 5, 5, ssLeft);
    Tick(2);
    EXPECT_EQ(Clicks.size(), 5u);
    // Releasing stops the timer and adds no click of its own.
    Release(b);
    EXPECT_EQ(b->TimerId(1), 0);
    Tick(20);
    EXPECT_EQ(Clicks.size(), 5u);
}

TEST_F(Buttons, DropDownMenuOpensBelowOrBeside) {
    auto* b = NewButton(10);
    auto* menu = new TPopupMenu(Form.get());
    b->SetDropDownMenu(menu);
    b->DropDownIndent = 4;
    // On a display the menu would wait for a person; here it is only
    // recorded where it opens.
    TModalAnswer nobodyPicks([](TForm*) {});
    int drops = 0;
    b->OnDropDown = [&](TObject*) {
        ++drops;
        EXPECT_EQ(b->State(), gsMenuOpen);
        EXPECT_TRUE(b->MenuOpen());
    };
    ClickOn(b);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(menu->PopupCount(), 1);
    EXPECT_EQ(menu->LastPopupPoint(), b->ClientToScreen(Point(4, b->Height())));
    EXPECT_FALSE(b->MenuOpen());
    EXPECT_TRUE(Clicks.empty());
    b->DropDownRight = true;
    ClickOn(b);
    EXPECT_EQ(menu->LastPopupPoint(), b->ClientToScreen(Point(b->Width(), 4)));

    // As a combo only the arrow part opens it; the rest clicks.
    b->SetDropDownCombo(true);
    EXPECT_EQ(b->Width(), 52);
    ClickOn(b, 5, 5);
    EXPECT_EQ(menu->PopupCount(), 2);
    EXPECT_EQ(Clicks.size(), 1u);
    ClickOn(b, 45, 5);
    EXPECT_EQ(menu->PopupCount(), 3);
    b->SetDropDownCombo(false);
    EXPECT_EQ(b->Width(), 40);
    // Freeing the menu clears the reference.
    delete menu;
    EXPECT_EQ(b->DropDownMenu(), nullptr);
}

TEST_F(Buttons, AcceleratorClicksOrToggles) {
    auto* b = NewButton(10);
    b->SetCaption("&Go");
    EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'x'), 0);
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'g'), 1);
    EXPECT_EQ(Clicks.size(), 1u);
    b->SetGroupIndex(3);
    b->Perform(CM_DIALOGCHAR, 'G');
    EXPECT_TRUE(b->Pressed());
    b->SetEnabled(false);
    EXPECT_EQ(b->State(), gsDisabledDown);
    EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'g'), 0);
    b->SetEnabled(true);
    EXPECT_EQ(b->State(), gsDown);
}

// Alt with the underlined letter, pressed while another control of the
// form has the focus, reaches the button.
TEST_F(Buttons, AltLetterFromTheFocusedControlClicksTheButton) {
    auto* other = new TButton(Form.get());
    other->SetCaption("Other");
    other->SetBounds(10, 100, 75, 25);
    other->SetParent(Form.get());
    int otherClicks = 0;
    other->OnClick = [&](TObject*) { ++otherClicks; };
    auto* b = NewButton(10);
    b->SetCaption("&Go");
    ASSERT_TRUE(WaitForFocus(other));
    SimulateKey(other, 'G', "g", ssAlt);
    EXPECT_EQ(Clicks.size(), 1u);
    EXPECT_EQ(otherClicks, 0);
}

TEST_F(Buttons, FaceShowsGlyphByState) {
    auto* b = NewButton(10);
    b->SetColor(clWhite);
    TBitmap glyph(10, 10);
    glyph.Canvas()->Brush()->SetColor(clOlive);
    glyph.Canvas()->FillRect(Rect(0, 0, 10, 10));
    glyph.Canvas()->Brush()->SetColor(clBlack);
    glyph.Canvas()->FillRect(Rect(2, 2, 8, 8));
    b->SetGlyph(&glyph);
    auto count = [](TBitmap& shot, TColor c) {
        int n = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x)
                if (shot.Canvas()->Pixels(x, y) == ColorToRGB(c)) ++n;
        return n;
    };
    auto up = Shot(b);
    EXPECT_GE(count(*up, clBlack), 36);
    EXPECT_EQ(count(*up, clOlive), 0);  // the transparent colour stays out
    b->SetEnabled(false);
    // The frame has black and shadow pixels of its own in both looks; the
    // glyph's 36 black ones turn into the shadow colour.
    auto off = Shot(b);
    EXPECT_EQ(count(*off, clBlack), count(*up, clBlack) - 36);
    EXPECT_GE(count(*off, clBtnShadow), count(*up, clBtnShadow) + 36);
}

TEST_F(Buttons, ExplorerStylesAreTransparentAndOfficeIsFlat) {
    auto* b = NewButton(10);
    EXPECT_TRUE(b->IsOpaque());
    b->SetStyle(ubsExplorer);
    EXPECT_TRUE(b->Transparent());
    EXPECT_FALSE(b->IsOpaque());
    EXPECT_TRUE(b->GlyphObject()->GreyWhenUp());
    b->SetStyle(ubsClassic);
    EXPECT_FALSE(b->Transparent());
    EXPECT_TRUE(b->IsOpaque());
    EXPECT_FALSE(b->GlyphObject()->GreyWhenUp());
    TStyOfficeButton office(nullptr);
    EXPECT_EQ(office.Style(), ubsFlat);
    EXPECT_FALSE(office.IsOpaque());
    EXPECT_EQ(office.Width(), 23);
    EXPECT_EQ(office.Height(), 22);
}

}  // namespace
