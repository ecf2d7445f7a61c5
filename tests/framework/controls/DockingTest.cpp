// Docking through the toolkit's own mouse and key events: two panels that
// are dock sites side by side on a window, a dockable panel dragged
// between them, floated and brought back.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "framework/controls/DockTree.h"
#include "framework/controls/FloatingDockForm.h"
#include "framework/controls/Form.h"
#include "framework/controls/Panel.h"
#include "framework/controls/Screen.h"
#include "framework/messages/MessageQueue.h"
#include "support/DockingRig.h"

void PrintTo(const TRect& r, std::ostream* os);

namespace {

using TLines = std::vector<std::string>;

struct TSites {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TPanel* Left = nullptr;
    TPanel* Right = nullptr;
    TPanel* Tool = nullptr;
    TDockLog Log;

    TSites() {
        Form->SetBounds(100, 100, 600, 300);
        Left = MakeSite("Left", alLeft);
        Left->SetWidth(300);
        Right = MakeSite("Right", alClient);
        Tool = MakeTool("Tool");
        Form->Show();
        EXPECT_TRUE(Tool->ManualDock(Left));
        Log.Lines.clear();
    }
    ~TSites() { CancelDrag(); }

    TPanel* MakeSite(const char* name, TAlign align) {
        auto* p = new TPanel(Form.get());
        p->SetName(name);
        p->SetParent(Form.get());
        p->SetAlign(align);
        p->SetDockSite(true);
        Log.WatchSite(p);
        return p;
    }
    TPanel* MakeTool(const char* name) {
        auto* t = new TPanel(Form.get());
        t->SetName(name);
        t->SetCaption(name);
        t->SetBounds(0, 0, 120, 40);
        t->DragKind = dkDock;
        t->DragMode = dmAutomatic;
        Log.Watch(t);
        return t;
    }
    // Somewhere on the screen that no window covers.
    TPoint Outside() const { return Point(Form->Left() + Form->Width() + 150, Form->Top() + 60); }
};

TPoint Offset(const TPoint& p, int dx, int dy) { return Point(p.X + dx, p.Y + dy); }

TEST(Docking, DockTreeLaysClientsOutBelowTheirGrabbers) {
    TSites s;
    const TRect area = velmor_internal::DockArea(s.Left);
    EXPECT_EQ(area, Rect(1, 1, 299, s.Left->Height() - 1));  // inside the panel's bevel
    EXPECT_EQ(s.Tool->Parent(), s.Left);
    EXPECT_EQ(s.Tool->HostDockSite(), s.Left);
    EXPECT_EQ(s.Tool->BoundsRect(), Rect(area.Left, area.Top + 12, area.Right, area.Bottom));
    auto* tree = dynamic_cast<TDockTree*>(s.Left->DockManager());
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->GrabberRect(s.Tool), Rect(area.Left, area.Top, area.Right, area.Top + 12));

    // Below the first, then to the right of the second: each takes half
    // of the zone it was dropped on.
    TPanel* second = s.MakeTool("Second");
    TPanel* third = s.MakeTool("Third");
    ASSERT_TRUE(second->ManualDock(s.Left, s.Tool, alBottom));
    ASSERT_TRUE(third->ManualDock(s.Left, second, alRight));
    const int mid = area.Top + area.Height() / 2;
    const int centre = area.Left + area.Width() / 2;
    EXPECT_EQ(s.Tool->BoundsRect(), Rect(area.Left, area.Top + 12, area.Right, mid));
    EXPECT_EQ(second->BoundsRect(), Rect(area.Left, mid + 12, centre, area.Bottom));
    EXPECT_EQ(third->BoundsRect(), Rect(centre, mid + 12, area.Right, area.Bottom));
    EXPECT_EQ(s.Left->DockClientCount(), 3);

    // A hidden client gives its room away and gets it back when shown.
    second->Hide();
    EXPECT_EQ(third->BoundsRect(), Rect(area.Left, mid + 12, area.Right, area.Bottom));
    second->Show();
    EXPECT_EQ(second->BoundsRect(), Rect(area.Left, mid + 12, centre, area.Bottom));

    // The site grows: the zones keep their shares.
    s.Left->SetWidth(400);
    EXPECT_EQ(third->BoundsRect(), Rect(200, mid + 12, 399, area.Bottom));

    // Taking the first away leaves the row below the whole height.
    s.Tool->ManualDock(s.Right);
    EXPECT_EQ(second->BoundsRect(), Rect(1, 13, 200, area.Bottom));
    EXPECT_EQ(third->BoundsRect(), Rect(200, 13, 399, area.Bottom));
}

TEST(Docking, GrabbersSitAtTheLeftOfABarAtTheTop) {
    TSites s;
    s.Left->SetAlign(alTop);
    s.Left->SetHeight(60);
    const TRect area = velmor_internal::DockArea(s.Left);
    EXPECT_EQ(s.Tool->BoundsRect(), Rect(area.Left + 12, area.Top, area.Right, area.Bottom));
    TPanel* second = s.MakeTool("Second");
    second->ManualDock(s.Left);  // no side: along the bar
    EXPECT_EQ(second->Left(), area.Left + area.Width() / 2 + 12);
    auto* tree = dynamic_cast<TDockTree*>(s.Left->DockManager());
    EXPECT_EQ(tree->CloseButtonRect(s.Tool), Rect(area.Left + 1, area.Top + 1, area.Left + 11, area.Top + 12));
}

TEST(Docking, GrabberDragsTheClientAndCloseButtonPutsItAway) {
    TSites s;
    TPanel* second = s.MakeTool("Second");
    ASSERT_TRUE(second->ManualDock(s.Left, s.Tool, alBottom));
    auto* tree = dynamic_cast<TDockTree*>(s.Left->DockManager());
    const TRect grabber = tree->GrabberRect(second);
    // Pressing the grabber takes the client, not the site.
    int siteDowns = 0;
    s.Left->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++siteDowns; };
    TMouseDrag drag{s.Left};
    const TPoint start = s.Left->ClientToScreen(Point(grabber.Left + 20, grabber.Top + 5));
    drag.Press(start);
    drag.Move(Offset(start, 0, 10));
    drag.Move(ScreenCentre(s.Right));
    drag.Release(ScreenCentre(s.Right));
    EXPECT_EQ(siteDowns, 0);
    EXPECT_EQ(second->HostDockSite(), s.Right);
    const TRect area = velmor_internal::DockArea(s.Left);
    EXPECT_EQ(s.Tool->BoundsRect(), Rect(area.Left, area.Top + 12, area.Right, area.Bottom));

    // The close button: pressed and released on it, the client leaves the
    // site (which is asked, with no new site) and is hidden. Released
    // elsewhere, nothing happens.
    s.Log.Lines.clear();
    const TRect close = tree->CloseButtonRect(s.Tool);
    SimulateMouseDown(s.Left, mbLeft, close.Left + 3, close.Top + 3);
    SimulateMouseUp(s.Left, mbLeft, close.Left - 20, close.Top + 3);
    EXPECT_EQ(s.Tool->HostDockSite(), s.Left);
    SimulateClick(s.Left, close.Left + 3, close.Top + 3);
    EXPECT_EQ(s.Log.Lines, TLines({"UnDock Left -"}));
    EXPECT_FALSE(s.Tool->Visible());
    EXPECT_EQ(s.Tool->Parent(), nullptr);
    EXPECT_EQ(s.Tool->HostDockSite(), nullptr);
    EXPECT_EQ(s.Left->DockClientCount(), 0);

    // A site that keeps its client keeps it shown.
    s.Right->OnUnDock = [](TObject*, TControl*, TWinControl*, bool& allow) { allow = false; };
    const TRect secondClose = dynamic_cast<TDockTree*>(s.Right->DockManager())->CloseButtonRect(second);
    SimulateClick(s.Right, secondClose.Left + 3, secondClose.Top + 3);
    EXPECT_TRUE(second->Visible());
    EXPECT_EQ(second->HostDockSite(), s.Right);
}

TEST(Docking, FloatingWindowFollowsTheDragAndGoesWhenEmpty) {
    TSites s;
    ASSERT_TRUE(s.Tool->ManualFloat(Bounds(s.Outside().X, s.Outside().Y, 150, 50)));
    auto* host = dynamic_cast<TFloatingDockForm*>(s.Tool->Parent());
    ASSERT_NE(host, nullptr);
    const TPoint floated = s.Tool->ClientToScreen(Point(0, 0));
    EXPECT_EQ(s.Tool->Width(), 150);
    EXPECT_EQ(s.Left->DockClientCount(), 0);
    s.Log.Lines.clear();

    // Dropped where no site is, the same window moves with the mouse.
    TMouseDrag drag{s.Tool};
    const TPoint start = Offset(s.Outside(), 10, 10);
    drag.Press(start);
    drag.Move(Offset(start, 40, 30));
    drag.Release(Offset(start, 40, 30));
    EXPECT_EQ(s.Tool->Parent(), host);
    EXPECT_EQ(s.Tool->ClientToScreen(Point(0, 0)), Offset(floated, 40, 30));
    EXPECT_EQ(s.Log.Lines, TLines({"StartDock", "EndDock TFloatingDockForm"}));

    // Docked again, on the lower half of a client: the window is freed.
    TPanel* second = s.MakeTool("Second");
    ASSERT_TRUE(second->ManualDock(s.Right));
    const int forms = Screen->FormCount();
    TMouseDrag back{s.Tool};
    const TPoint from = s.Tool->ClientToScreen(Point(5, 5));
    const TPoint to = s.Right->ClientToScreen(Point(s.Right->Width() / 2, s.Right->Height() - 20));
    back.Press(from);
    back.Move(to);
    TRect frame;
    int width = 0;
    ASSERT_TRUE(DockDropFrame(frame, width));
    const TRect area = velmor_internal::DockArea(s.Right);
    const TPoint o = s.Right->ClientToScreen(Point(area.Left, area.Top + area.Height() - area.Height() / 2));
    EXPECT_EQ(frame, Bounds(o.X, o.Y, area.Width(), area.Height() / 2));
    back.Release(to);
    EXPECT_EQ(s.Tool->HostDockSite(), s.Right);
    EXPECT_GT(s.Tool->Top(), second->Top());
    EXPECT_TRUE(PumpMessagesUntil([&] { return Screen->FormCount() == forms - 1; }, 5000));
}

TEST(Docking, ASiteWithoutManagerKeepsTheControlWhereItWasDropped) {
    TSites s;
    s.Right->SetUseDockManager(false);
    EXPECT_EQ(s.Right->DockManager(), nullptr);
    TMouseDrag drag{s.Tool};
    const TPoint start = s.Tool->ClientToScreen(Point(0, 0));
    const TPoint to = s.Right->ClientToScreen(Point(50, 60));
    drag.Press(start);
    drag.Move(to);
    drag.Release(to);
    EXPECT_EQ(s.Tool->HostDockSite(), s.Right);
    EXPECT_EQ(s.Tool->BoundsRect(), Bounds(50, 60, 120, 40));
    EXPECT_EQ(s.Tool->Align(), alNone);
}

TEST(Docking, AControlFreedWhileDraggedEndsTheDrag) {
    TSites s;
    TMouseDrag drag{s.Tool};
    const TPoint start = ScreenCentre(s.Tool);
    drag.Press(start);
    drag.Move(ScreenCentre(s.Right));
    delete s.Tool;
    TRect frame;
    int width = 0;
    EXPECT_EQ(DragControl(), nullptr);
    EXPECT_FALSE(DockDropFrame(frame, width));
    EXPECT_EQ(s.Left->DockClientCount(), 0);
}

// One drag by the mouse from the docked client: where it ends, and what
// was said on the way.
struct TDragCase {
    const char* Name;
    enum { ToRight, ToOutside, ToRightWithCtrl, CtrlKeyOverRight, EscapeOverRight, NoMove } Move;
    const char* Parent;  // "Left", "Right" or "floating"
    TLines Events;       // repeated moves over one site left out
    // What the sites say: Right refuses to be a site here (CanDock), or
    // refuses the control (Accept), or Left refuses to let it go (Allow).
    enum { Willing, RightCannotDock, RightRefuses, LeftKeepsIt } Sites = Willing;
};

class DockDrag : public ::testing::TestWithParam<TDragCase> {};

TEST_P(DockDrag, EndsWhereTheFrameShowed) {
    const TDragCase& c = GetParam();
    TSites s;
    if (c.Sites == TDragCase::RightCannotDock)
        s.Right->OnGetSiteInfo = [](TObject*, TControl*, TRect&, TPoint, bool& canDock) { canDock = false; };
    if (c.Sites == TDragCase::RightRefuses) {
        auto log = s.Right->OnDockOver;
        s.Right->OnDockOver = [log](TObject* o, TDragDockObject* d, int x, int y, TDragState st, bool& accept) {
            log(o, d, x, y, st, accept);
            accept = false;
        };
    }
    if (c.Sites == TDragCase::LeftKeepsIt) {
        auto log = s.Left->OnUnDock;
        s.Left->OnUnDock = [log](TObject* o, TControl* c, TWinControl* t, bool& allow) {
            log(o, c, t, allow);
            allow = false;
        };
    }
    const bool docks = std::string(c.Parent) != "floating" && c.Sites == TDragCase::Willing;
    TMouseDrag drag{s.Tool};
    const TPoint start = Offset(s.Tool->ClientToScreen(Point(0, 0)), 30, 20);
    // Floating at 120 x 40, it stays under the mouse at the same share of
    // its size.
    const TPoint held = Point(static_cast<int>(std::lround(120 * 30.0 / s.Tool->Width())),
                              static_cast<int>(std::lround(40 * 20.0 / s.Tool->Height())));
    drag.Press(start);
    TRect frame;
    int width = 0;
    if (c.Move != TDragCase::NoMove) {
        drag.Move(Offset(start, 2, 2));  // under the threshold: nothing yet
        EXPECT_FALSE(DockDropFrame(frame, width));
        drag.Move(Offset(start, 10, 0));
        EXPECT_TRUE(DockDropFrame(frame, width));
        EXPECT_TRUE(s.Tool->Dragging());
    }
    TPoint end = start;
    switch (c.Move) {
    case TDragCase::ToRight:
        end = ScreenCentre(s.Right);
        drag.Move(end);
        ASSERT_TRUE(DockDropFrame(frame, width));
        if (!docks) break;
        EXPECT_EQ(width, 1);
        EXPECT_EQ(frame, Bounds(s.Right->ClientToScreen(Point(1, 1)).X, s.Right->ClientToScreen(Point(1, 1)).Y,
                                s.Right->Width() - 2, s.Right->Height() - 2));
        break;
    case TDragCase::ToOutside:
    case TDragCase::ToRightWithCtrl: {
        end = c.Move == TDragCase::ToOutside ? s.Outside() : ScreenCentre(s.Right);
        drag.Move(end, c.Move == TDragCase::ToRightWithCtrl ? ssCtrl : 0);
        ASSERT_TRUE(DockDropFrame(frame, width));
        EXPECT_EQ(width, 4);
        // The size it had before it was docked.
        EXPECT_EQ(frame, Bounds(end.X - held.X, end.Y - held.Y, 120, 40));
        break;
    }
    case TDragCase::CtrlKeyOverRight:
        // Ctrl pressed while the mouse rests: the frame turns at once.
        end = ScreenCentre(s.Right);
        drag.Move(end);
        ASSERT_TRUE(DockDropFrame(frame, width));
        EXPECT_EQ(width, 1);
        SimulateKeyDown(s.Form.get(), VK_CONTROL);
        ASSERT_TRUE(DockDropFrame(frame, width));
        EXPECT_EQ(width, 4);
        break;
    case TDragCase::EscapeOverRight:
        end = ScreenCentre(s.Right);
        drag.Move(end);
        SimulateKey(s.Form.get(), VK_ESCAPE);
        EXPECT_FALSE(s.Tool->Dragging());
        EXPECT_FALSE(DockDropFrame(frame, width));
        break;
    case TDragCase::NoMove:
        break;
    }
    drag.Release(end);
    if (c.Move == TDragCase::CtrlKeyOverRight) SimulateKeyUp(s.Form.get(), VK_CONTROL);
    EXPECT_FALSE(s.Tool->Dragging());
    EXPECT_FALSE(DockDropFrame(frame, width));
    EXPECT_EQ(s.Log.WithoutMoves(), c.Events);
    const std::string parent = c.Parent;
    if (parent == "floating") {
        ASSERT_TRUE(s.Tool->Floating());
        auto* host = dynamic_cast<TFloatingDockForm*>(s.Tool->Parent());
        ASSERT_NE(host, nullptr);
        EXPECT_EQ(host->Client(), s.Tool);
        // The window's frame starts where the drop frame was, the control
        // just inside it.
        const TPoint origin = s.Tool->ClientToScreen(Point(0, 0));
        EXPECT_NEAR(origin.X, frame.Left, 4);
        EXPECT_NEAR(origin.Y, frame.Top, 4);
        EXPECT_EQ(s.Tool->Width(), 120);
        EXPECT_EQ(s.Tool->Height(), 40);
        EXPECT_EQ(s.Left->DockClientCount(), 0);
    } else {
        TWinControl* site = parent == "Left" ? s.Left : s.Right;
        EXPECT_EQ(s.Tool->Parent(), site);
        EXPECT_EQ(s.Tool->HostDockSite(), site);
        EXPECT_EQ(site->DockClientCount(), 1);
        const TRect area = velmor_internal::DockArea(site);
        EXPECT_EQ(s.Tool->BoundsRect(), Rect(area.Left, area.Top + 12, area.Right, area.Bottom));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Moves, DockDrag,
    ::testing::Values(
        TDragCase{"DockedOnTheOtherSite", TDragCase::ToRight, "Right",
                  {"StartDock", "DockOver Left enter", "DockOver Left leave", "DockOver Right enter",
                   "UnDock Left Right", "DockDrop Right", "EndDock Right"}},
        TDragCase{"FloatedOutside", TDragCase::ToOutside, "floating",
                  {"StartDock", "DockOver Left enter", "DockOver Left leave", "UnDock Left TFloatingDockForm",
                   "EndDock TFloatingDockForm"}},
        TDragCase{"CtrlKeepsItFromDocking", TDragCase::ToRightWithCtrl, "floating",
                  {"StartDock", "DockOver Left enter", "DockOver Left leave", "UnDock Left TFloatingDockForm",
                   "EndDock TFloatingDockForm"}},
        TDragCase{"CtrlPressedOverASiteFloatsIt", TDragCase::CtrlKeyOverRight, "floating",
                  {"StartDock", "DockOver Left enter", "DockOver Left leave", "DockOver Right enter",
                   "DockOver Right leave", "UnDock Left TFloatingDockForm", "EndDock TFloatingDockForm"}},
        TDragCase{"EscapeCancels", TDragCase::EscapeOverRight, "Left",
                  {"StartDock", "DockOver Left enter", "DockOver Left leave", "DockOver Right enter",
                   "DockOver Right leave", "EndDock -"}},
        TDragCase{"AClickMovesNothing", TDragCase::NoMove, "Left", {"StartDock", "EndDock -"}},
        TDragCase{"ASiteThatCannotDockIsPassedOver", TDragCase::ToRight, "floating",
                  {"StartDock", "DockOver Left enter", "DockOver Left leave", "UnDock Left TFloatingDockForm",
                   "EndDock TFloatingDockForm"},
                  TDragCase::RightCannotDock},
        TDragCase{"ARefusedDropFloats", TDragCase::ToRight, "floating",
                  {"StartDock", "DockOver Left enter", "DockOver Left leave", "DockOver Right enter",
                   "DockOver Right leave", "UnDock Left TFloatingDockForm", "EndDock TFloatingDockForm"},
                  TDragCase::RightRefuses},
        TDragCase{"TheOldSiteMayKeepIt", TDragCase::ToRight, "Left",
                  {"StartDock", "DockOver Left enter", "DockOver Left leave", "DockOver Right enter",
                   "UnDock Left Right", "DockOver Right leave", "EndDock -"},
                  TDragCase::LeftKeepsIt}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
