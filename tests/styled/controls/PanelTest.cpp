// The panel chain: bevels and fills on screen, transparency that copies
// the parent's picture, the picture reference and the flat look.
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/messages/Messages.h"
#include "styled/controls/StyContainerComponent.h"
#include "styled/controls/StyCustomPanelFill.h"
#include "styled/forms/StyBorderRegion.h"
#include "styled/forms/StyFormShape.h"
#include "styled/graphics/StyBevel.h"
#include "styled/graphics/StyFillObject.h"
#include "styled/graphics/StyShadow.h"
#include "styled/storage/StyBitmapList.h"
#include "styled/storage/StyBitmapListItem.h"

namespace {

class Panels : public ControlsFixture {
protected:
    TStyCustomPanelFill* NewPanel(TWinControl* parent, const TRect& r) {
        auto* p = new TStyCustomPanelFill(Form.get());
        p->SetParent(parent);
        p->SetBoundsRect(r);
        return p;
    }
    // A list holding one picture: red on the left half, green on the right.
    TStyBitmapList* TwoToneList(int w, int h) {
        auto* list = new TStyBitmapList(Form.get());
        auto pic = Solid(w, h, clRed);
        pic->Canvas()->Brush()->SetColor(clLime);
        pic->Canvas()->FillRect(Rect(w / 2, 0, w, h));
        static_cast<TStyBitmapListItem*>(list->AddNew())->SetBitmap(pic.get());
        return list;
    }
};

TEST_F(Panels, BevelAroundTheFill) {
    auto* p = NewPanel(Form.get(), Rect(10, 10, 110, 70));
    p->Bevel()->SetStyleOuter(bvRaised);
    p->Bevel()->SetWidthOuter(2);
    p->Bevel()->SetLightColor(clWhite);
    p->Bevel()->SetShadowColor(clNavy);
    p->FillObject()->SetStyle(sfBrush);
    p->FillObject()->Brush()->SetColor(clYellow);
    auto b = Shot(p);
    EXPECT_EQ(Px(b, 0, 30), ColorToRGB(clWhite));
    EXPECT_EQ(Px(b, 1, 30), ColorToRGB(clWhite));
    EXPECT_EQ(Px(b, 99, 30), ColorToRGB(clNavy));
    EXPECT_EQ(Px(b, 50, 59), ColorToRGB(clNavy));
    EXPECT_EQ(Px(b, 2, 30), ColorToRGB(clYellow));
    EXPECT_EQ(Px(b, 50, 30), ColorToRGB(clYellow));
    // Children are aligned inside the bevel.
    EXPECT_EQ(p->InnerRect(), Rect(2, 2, 98, 58));
    auto* child = NewPanel(p, Rect(0, 0, 10, 10));
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), Rect(2, 2, 98, 58));
}

TEST_F(Panels, TransparentChildCopiesTheParentsPicture) {
    auto* list = TwoToneList(100, 60);
    auto* parent = NewPanel(Form.get(), Rect(0, 0, 100, 60));
    parent->SetImageList(list);
    ASSERT_TRUE(parent->HasBackground());
    // A child over the middle shows red then green, where the parent has them.
    auto* child = NewPanel(parent, Rect(40, 10, 60, 30));
    child->SetTransparent(true);
    ASSERT_TRUE(child->IsTransparentNow());
    auto b = Shot(child);
    EXPECT_EQ(Px(b, 9, 5), ColorToRGB(clRed));
    EXPECT_EQ(Px(b, 10, 5), ColorToRGB(clLime));
    // A grandchild, transparent too, reaches through its parent.
    auto* grand = NewPanel(child, Rect(5, 5, 10, 10));
    grand->SetTransparent(true);
    auto g = Shot(grand);
    EXPECT_EQ(Px(g, 4, 0), ColorToRGB(clRed));
    EXPECT_EQ(Px(g, 5 - 5 + 4, 4), ColorToRGB(clRed));
    grand->SetLeft(6);
    g = Shot(grand);
    EXPECT_EQ(Px(g, 4, 0), ColorToRGB(clLime));
}

TEST_F(Panels, TransparentWithoutABackgroundPaintsItsColor) {
    auto* p = NewPanel(Form.get(), Rect(0, 0, 40, 30));
    p->SetColor(clTeal);
    p->SetTransparent(true);
    EXPECT_FALSE(p->IsTransparentNow());
    EXPECT_EQ(Px(Shot(p), 20, 15), ColorToRGB(clTeal));
}

TEST_F(Panels, TransparentOnAShapedFormCopiesTheFormsFill) {
    auto* shape = new TStyFormShape(Form.get());
    shape->Region()->SetShape(rsRect);
    shape->Region()->Shadow()->SetStyle(hssNone);
    shape->FillObject()->SetStyle(sfBrush);
    shape->FillObject()->Brush()->SetColor(clMaroon);
    auto* p = NewPanel(Form.get(), Rect(20, 20, 60, 50));
    p->SetTransparent(true);
    ASSERT_TRUE(p->IsTransparentNow());
    EXPECT_EQ(Px(Shot(p), 20, 15), ColorToRGB(clMaroon));
}

// Counts what reaches the picture-changed operation.
class CountingComponent : public TStyContainerComponent {
public:
    using TStyContainerComponent::TStyContainerComponent;
    void PictureChanged() override { ++Changes; }
    int Changes = 0;
};

TEST_F(Panels, PictureReferenceFollowsItsList) {
    auto* list = TwoToneList(10, 10);
    auto* c = new CountingComponent(Form.get());
    c->SetImageIndex(-1);
    EXPECT_EQ(c->ImageIndex(), 0);
    c->SetImageIndex(3);  // no list yet: stored, nothing to repaint
    EXPECT_EQ(c->ImageIndex(), 3);
    EXPECT_EQ(c->Changes, 0);
    c->SetImageIndex(0);
    c->SetImageList(list);
    EXPECT_EQ(c->Changes, 1);
    EXPECT_TRUE(c->PictureValid());
    c->SetListIndex(0);  // the same value
    EXPECT_EQ(c->Changes, 1);
    // A change inside the list comes through the change link.
    auto other = Solid(10, 10, clBlue);
    list->Bitmaps(0)->SetBitmap(other.get());
    EXPECT_GE(c->Changes, 2);
}

TEST_F(Panels, FreeingTheListClearsEveryReference) {
    TComponent elsewhere(nullptr);
    auto* list = new TStyBitmapList(&elsewhere);
    auto pic = Solid(20, 20, clRed);
    static_cast<TStyBitmapListItem*>(list->AddNew())->SetBitmap(pic.get());
    auto* panel = NewPanel(Form.get(), Rect(0, 0, 30, 30));
    auto* comp = new CountingComponent(Form.get());
    panel->SetImageList(list);
    comp->SetImageList(list);
    ASSERT_TRUE(panel->HasBackground());
    delete list;
    EXPECT_EQ(panel->ImageList(), nullptr);
    EXPECT_EQ(comp->ImageList(), nullptr);
    EXPECT_FALSE(panel->HasBackground());
    EXPECT_EQ(Px(Shot(panel), 15, 15), ColorToRGB(clBtnFace));
}

TEST_F(Panels, FlatLookFollowsMouseAndFocus) {
    auto* p = NewPanel(Form.get(), Rect(0, 0, 40, 30));
    p->SetFlat(true);
    EXPECT_FALSE(p->HotBorderShown());
    int exits = 0;
    p->OnMouseExit = [&](TObject*) { ++exits; };
    p->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(p->MouseInside());
    EXPECT_TRUE(p->HotBorderShown());
    auto hot = Shot(p);
    // The sunken edge of the hot look.
    EXPECT_EQ(Px(hot, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Px(hot, 39, 29), ColorToRGB(clBtnHighlight));
    p->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(p->HotBorderShown());
    auto flat = Shot(p);
    EXPECT_EQ(Px(flat, 0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(Px(flat, 39, 29), ColorToRGB(clBtnFace));
    // A focused control keeps the hot border when the mouse leaves.
    p->SetTabStop(true);
    int gained = 0;
    p->OnGotFocus = [&](TObject*) {
        EXPECT_TRUE(p->Focused());  // the change has finished
        ++gained;
    };
    ASSERT_TRUE(WaitForFocus(p));
    EXPECT_TRUE(p->HasFocusFlag());
    Application->ProcessMessages();
    EXPECT_EQ(gained, 1);
    p->Perform(CM_MOUSEENTER);
    p->Perform(CM_MOUSELEAVE);
    EXPECT_TRUE(p->HotBorderShown());
}

}  // namespace
