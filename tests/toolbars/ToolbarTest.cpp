#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/controls/Form.h"
#include "framework/controls/Panel.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "toolbars/TbSpacer.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

namespace {

struct TItem {
    int W, H;
    bool Visible = true;
};

struct TLayoutCase {
    const char* Name;
    TOrientation Orientation;
    TAlign Align;
    int BarWidth, BarHeight;
    int RowHeight;
    std::vector<TItem> Items;
    std::vector<TPoint> Expected;  // left, top of each item
    int ExpectedRows;
    TSize ExpectedSize;
};

void PrintTo(const TLayoutCase& c, std::ostream* os) { *os << c.Name; }

class ToolbarLayout : public ::testing::TestWithParam<TLayoutCase> {};

}  // namespace

TEST_P(ToolbarLayout, PositionControlsPlacesRowsAndSizesTheBar) {
    const TLayoutCase& c = GetParam();
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 600, 400);
    auto* bar = new TTbToolbar(form.get());
    bar->SetOrientation(c.Orientation);
    bar->SetAlign(c.Align);
    bar->SetBounds(0, 0, c.BarWidth, c.BarHeight);
    bar->SetRowHeight(c.RowHeight);
    std::vector<TControl*> items;
    for (const TItem& it : c.Items) {
        auto* b = new TTbToolbarButton(form.get());
        b->SetBounds(0, 0, it.W, it.H);
        b->SetVisible(it.Visible);
        b->SetParent(bar);
        items.push_back(b);
    }
    // The bar stands alone so the form's alignment does not stretch it.
    bar->SetAutoResize(false);
    bar->SetBounds(0, 0, c.BarWidth, c.BarHeight);
    bar->SetAutoResize(true);
    ASSERT_EQ(bar->ToolbarControls()->Count(), static_cast<int>(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->Left(), c.Expected[i].X) << "item " << i;
        EXPECT_EQ(items[i]->Top(), c.Expected[i].Y) << "item " << i;
    }
    EXPECT_EQ(bar->RowCount(), c.ExpectedRows);
    EXPECT_EQ(bar->Width(), c.ExpectedSize.cx);
    EXPECT_EQ(bar->Height(), c.ExpectedSize.cy);
}

// Margin 4, TopMargin 4. A 22-high control in a 25 row sits at
// 4 + 12 - 11 = 5.
INSTANTIATE_TEST_SUITE_P(
    Table, ToolbarLayout,
    ::testing::Values(
        TLayoutCase{"OneRow", orHorizontal, alTop, 200, 32, 25, {{40, 22}, {8, 25}, {40, 22}},
                    {{4, 5}, {44, 4}, {52, 5}}, 1, {200, 31}},
        TLayoutCase{"Wraps", orHorizontal, alTop, 100, 32, 25, {{40, 22}, {40, 22}, {40, 22}},
                    {{4, 5}, {44, 5}, {4, 30}}, 2, {100, 56}},
        TLayoutCase{"FirstNeverWraps", orHorizontal, alTop, 30, 32, 25, {{50, 22}, {10, 22}},
                    {{4, 5}, {4, 30}}, 2, {30, 56}},
        // A hidden first entry still is index 0: the next one may wrap.
        TLayoutCase{"InvisibleFirstEntry", orHorizontal, alTop, 100, 32, 25,
                    {{40, 22, false}, {200, 22}, {10, 22}}, {{0, 0}, {4, 30}, {4, 55}}, 3, {100, 81}},
        TLayoutCase{"RowHeight40", orHorizontal, alBottom, 200, 32, 40, {{36, 36}},
                    {{4, 6}}, 1, {200, 46}},
        TLayoutCase{"HorizontalOnTheLeftKeepsItsWidth", orHorizontal, alLeft, 60, 200, 25,
                    {{20, 20}, {20, 20}}, {{4, 6}, {24, 6}}, 1, {60, 200}},
        TLayoutCase{"HorizontalOnTheLeftWrapped", orHorizontal, alLeft, 60, 200, 25,
                    {{30, 20}, {30, 20}}, {{4, 6}, {4, 31}}, 2, {38, 200}},
        TLayoutCase{"Vertical", orVertical, alLeft, 32, 100, 25, {{22, 40}, {22, 40}, {22, 40}},
                    {{5, 4}, {5, 44}, {30, 4}}, 2, {56, 100}}),
    [](const ::testing::TestParamInfo<TLayoutCase>& i) { return String(i.param.Name); });

TEST(Toolbar, StoredOrderIsResolvedAfterLoading) {
    struct TCase {
        const char* Name;
        std::vector<String> Stored;
        bool Store;
        std::vector<String> Expected;
    };
    const std::vector<TCase> cases = {
        {"StoredOrder", {"B3", "B1", "B2"}, true, {"B3", "B1", "B2"}},
        {"NothingStored", {}, false, {"B1", "B2", "B3"}},
        {"UnknownNamesDropped", {"B2", "Gone", "B1"}, true, {"B2", "B1"}},
        // A name of a control on another parent: the rest follow in child order.
        {"StrangerAppendsTheRest", {"B2", "Other"}, true, {"B2", "B1", "B3"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::unique_ptr<TForm> form(new TForm(nullptr));
        form->SetLoading(true);
        auto* bar = new TTbToolbar(form.get());
        bar->SetLoading(true);
        bar->SetName("Bar");
        bar->SetParent(form.get());
        for (const char* n : {"B1", "B2", "B3"}) {
            auto* b = new TTbToolbarButton(form.get());
            b->SetLoading(true);
            b->SetName(n);
            b->SetParent(bar);
        }
        auto* other = new TTbToolbarButton(form.get());
        other->SetName("Other");
        other->SetParent(form.get());
        if (c.Store) bar->ReadToolbarControls(c.Stored);
        form->FinishLoading();
        EXPECT_EQ(bar->ToolbarControlNames(), c.Expected);
    }
}

TEST(Toolbar, ListFollowsChildrenAndIsStoredOnlyWhenNotEmpty) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* bar = new TTbToolbar(form.get());
    bar->SetParent(form.get());
    EXPECT_FALSE(bar->StoresToolbarControls());
    auto* a = new TTbToolbarButton(form.get());
    a->SetName("A");
    a->SetParent(bar);
    auto* b = new TTbToolbarButton(form.get());
    b->SetName("B");
    b->SetParent(bar);
    EXPECT_TRUE(bar->StoresToolbarControls());
    EXPECT_EQ(bar->ToolbarControlNames(), (std::vector<String>{"A", "B"}));
    EXPECT_EQ(b->Left(), 4 + a->Width());
    delete a;
    EXPECT_EQ(bar->ToolbarControlNames(), (std::vector<String>{"B"}));
    EXPECT_EQ(b->Left(), 4);
}

TEST(Toolbar, AutomaticStyleFollowsAlignmentUntilAnEdgeIsSetByHand) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* bar = new TTbToolbar(form.get());
    bar->SetParent(form.get());
    EXPECT_EQ(bar->BorderOuter(), TFrameStyle::fsGroove);
    EXPECT_EQ(bar->BorderSides(), sdTop);
    EXPECT_EQ(bar->Height(), 31);
    bar->SetAlign(alBottom);
    EXPECT_EQ(bar->BorderSides(), sdBottom);
    bar->SetShowDivider(false);
    EXPECT_EQ(bar->BorderOuter(), TFrameStyle::fsNone);
    EXPECT_TRUE(bar->AutoStyle());
    bar->SetBorderSides(AllSides);
    EXPECT_FALSE(bar->AutoStyle());
    bar->SetAlign(alLeft);
    EXPECT_EQ(bar->BorderSides(), AllSides);
}

TEST(Toolbar, DisablingTheBarLeavesTheButtonsOwnEnabledAlone) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* bar = new TTbToolbar(form.get());
    bar->SetParent(form.get());
    auto* on = new TTbToolbarButton(form.get());
    on->SetParent(bar);
    auto* off = new TTbToolbarButton(form.get());
    off->SetParent(bar);
    off->SetEnabled(false);
    int clicks = 0;
    on->OnClick = [&](TObject*) { ++clicks; };
    bar->SetEnabled(false);
    EXPECT_TRUE(on->Enabled());
    on->Click();
    EXPECT_EQ(clicks, 0);  // a button on a disabled bar does nothing
    bar->SetEnabled(true);
    EXPECT_TRUE(on->Enabled());
    EXPECT_FALSE(off->Enabled());
    on->Click();
    EXPECT_EQ(clicks, 1);
}

TEST(Toolbar, RelayoutWithoutSizeChangeDoesNotResizeTheBar) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 300, 200);
    auto* bar = new TTbToolbar(form.get());
    bar->SetParent(form.get());
    auto* b = new TTbToolbarButton(form.get());
    b->SetParent(bar);
    int resizes = 0;
    bar->OnResize = [&](TObject*) { ++resizes; };
    bar->PositionControls();
    bar->SetMargin(6);
    form->Realign();
    EXPECT_EQ(resizes, 0);
    bar->SetRowHeight(40);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(bar->Height(), 46);
}

TEST(Toolbar, SetButtonSizeSetsButtonsLayoutAndRowHeight) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* bar = new TTbToolbar(form.get());
    bar->SetParent(form.get());
    auto* b = new TTbToolbarButton(form.get());
    b->SetCaption("Open");
    b->SetParent(bar);
    auto* spacer = new TTbSpacer(form.get());
    spacer->SetParent(bar);
    bar->SetButtonSize(50, 40, true);
    EXPECT_EQ(b->Width(), 50);
    EXPECT_EQ(b->Height(), 40);
    EXPECT_EQ(b->Layout, blGlyphTop);
    EXPECT_EQ(bar->RowHeight(), 40);
    EXPECT_EQ(spacer->Width(), 8);
    bar->SetButtonSize(24, 24, false);
    EXPECT_EQ(b->Layout, blGlyphLeft);
    EXPECT_EQ(b->Caption(), "");
    bar->SetButtonSize(24, 24, true);
    EXPECT_EQ(b->Caption(), "Open");
    // Turning the bar turns its spacers.
    bar->SetOrientation(orVertical);
    EXPECT_EQ(spacer->Width(), 25);
    EXPECT_EQ(spacer->Height(), 8);
}

TEST(Toolbar, BackgroundIsTiledInsideTheEdges) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* bar = new TTbToolbar(form.get());
    bar->SetParent(form.get());
    bar->SetAlign(alNone);
    bar->SetBounds(0, 0, 20, 20);
    TBitmap tile(3, 3);
    tile.Canvas()->Brush()->SetColor(clRed);
    tile.Canvas()->FillRect(Rect(0, 0, 3, 3));
    tile.Canvas()->SetPixels(0, 0, clBlue);
    bar->SetBackground(&tile);
    TBitmap bmp(20, 20);
    bar->PaintTo(bmp.Canvas(), 0, 0);
    // The groove along the top stays; the tiles start below it.
    EXPECT_EQ(bmp.Canvas()->Pixels(5, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 2), clBlue);
    EXPECT_EQ(bmp.Canvas()->Pixels(3, 5), clBlue);
    EXPECT_EQ(bmp.Canvas()->Pixels(19, 19), clRed);
}

TEST(Spacer, GroovePaintsAShadowAndALightLine) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetColor(clWhite);
    auto* s = new TTbSpacer(form.get());
    s->SetParent(form.get());
    s->SetGrooved(true);
    TBitmap bmp(8, 25);
    s->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_EQ(bmp.Canvas()->Pixels(3, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(bmp.Canvas()->Pixels(4, 10), ColorToRGB(clBtnHighlight));
    EXPECT_NE(bmp.Canvas()->Pixels(3, 0), ColorToRGB(clBtnShadow));
}

TEST(Toolbar, StoredEdgesDecideAutoStyleAfterLoading) {
    struct TCase {
        const char* Name;
        TSides Stored;
        bool AutoStyle;
        TSides After;
    };
    for (const TCase& c : {TCase{"AutomaticValue", sdBottom, true, sdBottom},
                           TCase{"OwnValue", sdBottom | sdTop, false, sdBottom | sdTop}}) {
        SCOPED_TRACE(c.Name);
        std::unique_ptr<TForm> form(new TForm(nullptr));
        form->SetLoading(true);
        auto* bar = new TTbToolbar(form.get());
        bar->SetLoading(true);
        bar->SetParent(form.get());
        bar->SetAlign(alBottom);
        bar->SetBorderSides(c.Stored);
        form->FinishLoading();
        EXPECT_EQ(bar->AutoStyle(), c.AutoStyle);
        EXPECT_EQ(bar->BorderSides(), c.After);
    }
}

namespace {
// Stands for a host that sizes its bars itself.
class TPageScroller : public TPanel {
public:
    using TPanel::TPanel;
    String ClassName() const override { return "TPageScroller"; }
};
}  // namespace

TEST(Toolbar, AutoResizeIsRefusedInsideAScrollerAndComesBackOutside) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* scroller = new TPageScroller(form.get());
    scroller->SetParent(form.get());
    auto* bar = new TTbToolbar(form.get());
    bar->SetParent(scroller);
    EXPECT_FALSE(bar->AutoResize());
    bar->SetParent(form.get());
    EXPECT_TRUE(bar->AutoResize());
    EXPECT_EQ(bar->Height(), 31);
}
