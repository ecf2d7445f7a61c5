#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/controls/SizeConstraints.h"
#include "framework/controls/WinControl.h"

void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.Left << "," << r.Top << " " << r.Width() << "x" << r.Height() << ")";
}

namespace {

struct TChildSetup {
    TAlign Align;
    TRect Initial;
    TAnchors Anchors = DefaultAnchors;
    bool Visible = true;
    int MaxWidth = 0;
    int MinHeight = 0;
};

struct TAlignCase {
    const char* Name;
    std::vector<TChildSetup> Children;
    TSize First;
    std::vector<TRect> ExpectFirst;
    TSize Second;
    std::vector<TRect> ExpectSecond;
};

class Alignment : public ::testing::TestWithParam<TAlignCase> {};

TEST_P(Alignment, LaysOutAndFollowsResize) {
    const TAlignCase& c = GetParam();
    auto parent = std::make_unique<TWinControl>(nullptr);
    parent->SetBounds(0, 0, c.First.cx, c.First.cy);
    std::vector<TControl*> children;
    parent->DisableAlign();
    for (const TChildSetup& s : c.Children) {
        auto* child = new TControl(nullptr);
        child->Constraints()->SetMaxWidth(s.MaxWidth);
        child->Constraints()->SetMinHeight(s.MinHeight);
        child->SetBoundsRect(s.Initial);
        child->SetVisible(s.Visible);
        child->SetParent(parent.get());
        child->SetAnchors(s.Anchors);
        child->SetAlign(s.Align);
        children.push_back(child);
    }
    parent->EnableAlign();
    for (size_t i = 0; i < children.size(); ++i)
        EXPECT_EQ(children[i]->BoundsRect(), c.ExpectFirst[i]) << "child " << i << " before resize";
    parent->SetBounds(0, 0, c.Second.cx, c.Second.cy);
    for (size_t i = 0; i < children.size(); ++i)
        EXPECT_EQ(children[i]->BoundsRect(), c.ExpectSecond[i]) << "child " << i << " after resize";
}

const TRect R0 = Bounds(0, 0, 10, 10);

INSTANTIATE_TEST_SUITE_P(
    Table, Alignment,
    ::testing::Values(
        // Two tops keep their vertical order, whatever the creation order.
        TAlignCase{"TopsByPosition",
                   {{alTop, Bounds(0, 50, 10, 10)}, {alTop, Bounds(0, 0, 10, 20)}},
                   {100, 100},
                   {Bounds(0, 20, 100, 10), Bounds(0, 0, 100, 20)},
                   {200, 80},
                   {Bounds(0, 20, 200, 10), Bounds(0, 0, 200, 20)}},
        TAlignCase{"AllFive",
                   {{alTop, Bounds(0, 0, 5, 10)},
                    {alBottom, Bounds(0, 0, 5, 15)},
                    {alLeft, Bounds(0, 0, 20, 5)},
                    {alRight, Bounds(0, 0, 25, 5)},
                    {alClient, R0}},
                   {100, 100},
                   {Bounds(0, 0, 100, 10), Bounds(0, 85, 100, 15), Bounds(0, 10, 20, 75), Bounds(75, 10, 25, 75),
                    Bounds(20, 10, 55, 75)},
                   {60, 50},
                   {Bounds(0, 0, 60, 10), Bounds(0, 35, 60, 15), Bounds(0, 10, 20, 25), Bounds(35, 10, 25, 25),
                    Bounds(20, 10, 15, 25)}},
        // The lower of two bottoms stays lowest; rights stack from the right edge.
        TAlignCase{"BottomsAndRights",
                   {{alBottom, Bounds(0, 90, 10, 10)},
                    {alBottom, Bounds(0, 0, 10, 12)},
                    {alRight, Bounds(0, 0, 30, 10)},
                    {alRight, Bounds(90, 0, 10, 10)}},
                   {100, 100},
                   {Bounds(0, 90, 100, 10), Bounds(0, 78, 100, 12), Bounds(60, 0, 30, 78), Bounds(90, 0, 10, 78)},
                   {120, 60},
                   {Bounds(0, 50, 120, 10), Bounds(0, 38, 120, 12), Bounds(80, 0, 30, 38),
                    Bounds(110, 0, 10, 38)}},
        // Sides wider than the parent leave the client nothing, never a negative size.
        TAlignCase{"ClientSqueezedOut",
                   {{alLeft, Bounds(0, 0, 80, 10)}, {alRight, Bounds(0, 0, 80, 10)}, {alClient, R0}},
                   {100, 40},
                   {Bounds(0, 0, 80, 40), Bounds(20, 0, 80, 40), Bounds(80, 0, 0, 40)},
                   {200, 40},
                   {Bounds(0, 0, 80, 40), Bounds(120, 0, 80, 40), Bounds(80, 0, 40, 40)}},
        // Hidden controls take no room.
        TAlignCase{"InvisibleSkipped",
                   {{alTop, Bounds(0, 0, 10, 10), DefaultAnchors, false}, {alTop, Bounds(0, 5, 10, 20)},
                    {alClient, R0}},
                   {50, 50},
                   {Bounds(0, 0, 10, 10), Bounds(0, 0, 50, 20), Bounds(0, 20, 50, 30)},
                   {50, 100},
                   {Bounds(0, 0, 10, 10), Bounds(0, 0, 50, 20), Bounds(0, 20, 50, 80)}},
        // Constraints hold against the aligner.
        TAlignCase{"Constrained",
                   {{alClient, R0, DefaultAnchors, true, 50, 120}},
                   {100, 100},
                   {Bounds(0, 0, 50, 120)},
                   {30, 200},
                   {Bounds(0, 0, 30, 200)}},
        // Unaligned controls keep the distances their anchors name.
        TAlignCase{"Anchors",
                   {{alNone, Bounds(70, 10, 20, 20), akTop | akRight},
                    {alNone, Bounds(10, 50, 80, 10), akLeft | akTop | akRight},
                    {alNone, Bounds(10, 80, 10, 10), akLeft | akBottom},
                    {alNone, Bounds(40, 0, 20, 10), akTop},
                    {alNone, Bounds(5, 5, 10, 10)}},
                   {100, 100},
                   {Bounds(70, 10, 20, 20), Bounds(10, 50, 80, 10), Bounds(10, 80, 10, 10), Bounds(40, 0, 20, 10),
                    Bounds(5, 5, 10, 10)},
                   {150, 120},
                   {Bounds(120, 10, 20, 20), Bounds(10, 50, 130, 10), Bounds(10, 100, 10, 10),
                    Bounds(65, 0, 20, 10), Bounds(5, 5, 10, 10)}}),
    [](const ::testing::TestParamInfo<TAlignCase>& info) { return std::string(info.param.Name); });

}  // namespace

TEST(AlignmentRules, TheControlThatAsksWinsATie) {
    TWinControl parent(nullptr);
    parent.SetBounds(0, 0, 100, 100);
    auto* first = new TControl(nullptr);
    first->SetBounds(0, 0, 10, 10);
    first->SetParent(&parent);
    first->SetAlign(alTop);
    auto* second = new TControl(nullptr);
    second->SetBounds(0, 0, 10, 30);
    second->SetParent(&parent);
    second->SetAlign(alTop);  // same Top as `first`: the newcomer goes above
    EXPECT_EQ(second->BoundsRect(), Bounds(0, 0, 100, 30));
    EXPECT_EQ(first->BoundsRect(), Bounds(0, 30, 100, 10));
    // Growing one pushes the next down.
    second->SetHeight(40);
    EXPECT_EQ(first->BoundsRect(), Bounds(0, 40, 100, 10));
    // Going back to alNone leaves it where it is and closes the gap.
    second->SetAlign(alNone);
    EXPECT_EQ(first->BoundsRect(), Bounds(0, 0, 100, 10));
    EXPECT_EQ(second->BoundsRect(), Bounds(0, 0, 100, 40));
}

TEST(AlignmentRules, ReenteringFromResizeHandlersEnds) {
    TWinControl parent(nullptr);
    parent.SetBounds(0, 0, 100, 100);
    auto* top = new TControl(nullptr);
    auto* client = new TControl(nullptr);
    top->SetBounds(0, 0, 10, 10);
    top->SetParent(&parent);
    top->SetAlign(alTop);
    client->SetParent(&parent);
    client->SetAlign(alClient);
    int resizes = 0;
    // A handler that changes the layout while the layout is running.
    client->OnResize = [&](TObject*) {
        ++resizes;
        if (top->Height() < 30) top->SetHeight(top->Height() + 10);
        parent.Realign();
    };
    parent.SetBounds(0, 0, 120, 100);
    EXPECT_LT(resizes, 10);
    // The requests made during the layout were honoured, not dropped.
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 120, 30));
    EXPECT_EQ(client->BoundsRect(), Bounds(0, 30, 120, 70));
}

TEST(AlignmentRules, PropertiesSetBeforeAWidgetExistAreKept) {
    TWinControl parent(nullptr);
    parent.SetBounds(10, 20, 200, 100);
    auto* child = new TControl(nullptr);
    child->SetParent(&parent);
    child->SetAlign(alBottom);
    child->SetHeight(25);
    child->SetCaption("Status");
    EXPECT_FALSE(parent.HandleAllocated());
    EXPECT_FALSE(child->WidgetAllocated());
    parent.HandleNeeded();
    ASSERT_TRUE(child->WidgetAllocated());
    EXPECT_EQ(child->BoundsRect(), Bounds(0, 75, 200, 25));
    EXPECT_EQ(child->Caption(), "Status");
    EXPECT_NE(parent.Handle(), 0u);
}
