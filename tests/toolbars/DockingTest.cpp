// Docking in the toolbar library: a toolbar dragged between the two panes
// of a splitter that are dock sites, floated and brought back, with the
// panes' events reaching the splitter; the panel dock manager's grabbers
// and caption bars; the client rectangle of dock sites.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "framework/controls/FloatingDockForm.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "support/ColourBox.h"
#include "support/DockingRig.h"
#include "toolbars/TbCustomPanel.h"
#include "toolbars/TbPaneData.h"
#include "toolbars/TbPanelDockManager.h"
#include "toolbars/TbSplitter.h"
#include "toolbars/TbSplitterPane.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.Left << "," << r.Top << " " << r.Width() << "x" << r.Height() << ")";
}

namespace {

using TLines = std::vector<std::string>;

// A window filled by a splitter whose panes are dock sites, and a toolbar
// that starts docked in the upper-left pane. The log holds what the
// splitter hears from its panes and what the toolbar hears.
struct TSplitRig {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TTbSplitter* Split = nullptr;
    TTbSplitterPane* UL = nullptr;
    TTbSplitterPane* LR = nullptr;
    TTbToolbar* Bar = nullptr;
    TDockLog Log;
    std::map<std::string, int> SiteInfoAsked;  // by pane

    TSplitRig() {
        Form->SetBounds(100, 100, 640, 360);
        Split = new TTbSplitter(Form.get());
        Split->SetParent(Form.get());
        Split->SetAlign(alClient);
        Split->SetPosition(300);
        UL = Split->UpperLeftPane();
        LR = Split->LowerRightPane();
        UL->SetName("UpperLeft");
        LR->SetName("LowerRight");
        Split->UpperLeft()->SetDockSite(true);
        Split->LowerRight()->SetDockSite(true);
        Bar = new TTbToolbar(Form.get());
        Bar->SetName("Bar");
        Bar->SetCaption("Standard");
        for (int i = 0; i < 3; ++i) {
            auto* b = new TTbToolbarButton(Form.get());
            b->SetBounds(0, 0, 40, 24);
            b->SetParent(Bar);
        }
        Bar->SetBounds(0, 0, 180, 31);
        Bar->DragKind = dkDock;
        Bar->DragMode = dmAutomatic;
        Log.Watch(Bar);
        Form->Show();
        EXPECT_TRUE(Bar->ManualDock(UL));
        WatchSplitter();
    }
    ~TSplitRig() { CancelDrag(); }

    void WatchSplitter() {
        static const char* states[] = {"enter", "leave", "move"};
        auto* log = &Log.Lines;
        auto* asked = &SiteInfoAsked;
        for (const char* side : {"UL", "LR"}) {
            const std::string s = side;
            TGetSiteInfoEvent info = [asked](TObject* sender, TControl*, TRect&, TPoint, bool&) {
                ++(*asked)[TDockLog::NameOf(sender)];
            };
            TDockOverEvent over = [log, s](TObject* sender, TDragDockObject*, int, int, TDragState st, bool&) {
                log->push_back(s + "DockOver " + TDockLog::NameOf(sender) + " " + states[st]);
            };
            TDockDropEvent drop = [log, s](TObject* sender, TDragDockObject* source, int, int) {
                log->push_back(s + "DockDrop " + TDockLog::NameOf(sender) + " " + TDockLog::NameOf(source->Control()));
            };
            TUnDockEvent undock = [log, s](TObject* sender, TControl* client, TWinControl* target, bool&) {
                log->push_back(s + "UnDock " + TDockLog::NameOf(sender) + " " + TDockLog::NameOf(client) + " " +
                               TDockLog::NameOf(target));
            };
            if (s == "UL") {
                Split->OnULGetSiteInfo = info;
                Split->OnULDockOver = over;
                Split->OnULDockDrop = drop;
                Split->OnULUnDock = undock;
            } else {
                Split->OnLRGetSiteInfo = info;
                Split->OnLRDockOver = over;
                Split->OnLRDockDrop = drop;
                Split->OnLRUnDock = undock;
            }
        }
    }
    TPoint Outside() const { return Point(Form->Left() + Form->Width() + 150, Form->Top() + 80); }
    // The client's place in a pane: its share of the pane below the
    // 13-pixel grabber.
    static TRect DockedIn(TTbSplitterPane* pane) {
        const TRect area = velmor_internal::DockArea(pane);
        return Rect(area.Left, area.Top + 13, area.Right, area.Bottom);
    }
};

TPoint Offset(const TPoint& p, int dx, int dy) { return Point(p.X + dx, p.Y + dy); }

// One move of a journey: the toolbar is taken by the grabber of the pane it
// is docked in, or by its own body, and dropped somewhere. The moves run in
// order on one window, each from where the one before left the toolbar.
struct TMove {
    const char* Name;
    enum { Grabber, Body } Take;
    enum { ToUpperLeft, ToLowerRight, ToOutside } To;
    bool Escape;
    const char* Lands;  // "UpperLeft", "LowerRight" or "floating"
    TLines Events;      // repeated moves over one pane left out
};

const TMove kJourney[] = {
    {"grabber: from the upper-left pane into the lower-right", TMove::Grabber, TMove::ToLowerRight, false,
     "LowerRight",
     {"StartDock", "ULDockOver UpperLeft enter", "ULDockOver UpperLeft leave", "LRDockOver LowerRight enter",
      "ULUnDock UpperLeft Bar LowerRight", "LRDockDrop LowerRight Bar", "EndDock LowerRight"}},
    {"grabber: out of the lower-right pane, it floats", TMove::Grabber, TMove::ToOutside, false, "floating",
     {"StartDock", "LRDockOver LowerRight enter", "LRDockOver LowerRight leave",
      "LRUnDock LowerRight Bar TFloatingDockForm", "EndDock TFloatingDockForm"}},
    {"body: Escape over the upper-left pane leaves it floating", TMove::Body, TMove::ToUpperLeft, true, "floating",
     {"StartDock", "ULDockOver UpperLeft enter", "ULDockOver UpperLeft leave", "EndDock -"}},
    {"body: from its window into the upper-left pane", TMove::Body, TMove::ToUpperLeft, false, "UpperLeft",
     {"StartDock", "ULDockOver UpperLeft enter", "ULDockDrop UpperLeft Bar", "EndDock UpperLeft"}},
};

TEST(ToolbarDocking, DraggedBetweenThePanesFloatedAndBack) {
    TSplitRig rig;
    EXPECT_EQ(rig.Bar->BoundsRect(), TSplitRig::DockedIn(rig.UL));
    EXPECT_EQ(rig.Bar->Align(), alNone);
    for (const TMove& m : kJourney) {
        SCOPED_TRACE(m.Name);
        rig.Log.Lines.clear();
        TPoint start;
        TControl* pressed = rig.Bar;
        if (m.Take == TMove::Grabber) {
            auto* pane = dynamic_cast<TTbSplitterPane*>(rig.Bar->HostDockSite());
            ASSERT_NE(pane, nullptr);
            auto* manager = dynamic_cast<TTbPanelDockManager*>(pane->DockManager());
            ASSERT_NE(manager, nullptr);
            const TRect g = manager->GrabberRect(rig.Bar);
            start = pane->ClientToScreen(Point(g.Left + 30, g.Top + 6));
            pressed = pane;
        } else {
            start = rig.Bar->ClientToScreen(Point(rig.Bar->Width() - 6, rig.Bar->Height() - 3));
        }
        const TPoint end = m.To == TMove::ToUpperLeft    ? ScreenCentre(rig.UL)
                           : m.To == TMove::ToLowerRight ? ScreenCentre(rig.LR)
                                                         : rig.Outside();
        TMouseDrag drag{pressed};
        drag.Press(start);
        drag.Move(Offset(start, 8, 0));
        drag.Move(end);
        // The drag holds the keyboard: Escape reaches it wherever the
        // focus is, on a display with no window manager too.
        if (m.Escape) SimulateKey(rig.Form.get(), VK_ESCAPE);
        drag.Release(end);
        EXPECT_EQ(rig.Log.WithoutMoves(), m.Events);
        const std::string lands = m.Lands;
        if (lands == "floating") {
            ASSERT_TRUE(rig.Bar->Floating());
            // It floats at the size it had before it was first docked.
            EXPECT_EQ(rig.Bar->Width(), 180);
            EXPECT_EQ(rig.Bar->Height(), 31);
            EXPECT_EQ(rig.Bar->Align(), alClient);
            EXPECT_EQ(rig.Bar->Parent()->ClientWidth(), 180);
            EXPECT_EQ(rig.UL->DockClientCount() + rig.LR->DockClientCount(), 0);
        } else {
            TTbSplitterPane* pane = lands == "UpperLeft" ? rig.UL : rig.LR;
            EXPECT_EQ(rig.Bar->Parent(), pane);
            EXPECT_EQ(rig.Bar->HostDockSite(), pane);
            EXPECT_EQ(rig.Bar->BoundsRect(), TSplitRig::DockedIn(pane));
            EXPECT_EQ(pane->DockClientCount(), 1);
        }
    }
    // Both panes were asked where they take a client, each as itself.
    EXPECT_GT(rig.SiteInfoAsked["UpperLeft"], 0);
    EXPECT_GT(rig.SiteInfoAsked["LowerRight"], 0);
}

TEST(ToolbarDocking, TheSplittersAnswersReachThePanes) {
    TSplitRig rig;
    // The lower-right pane is no site for this drag, then refuses the
    // toolbar; the upper-left pane will not let it go.
    bool canDock = false, accept = true, allow = true;
    rig.Split->OnLRGetSiteInfo = [&](TObject* sender, TControl* client, TRect& influence, TPoint pos, bool& can) {
        EXPECT_EQ(sender, rig.LR);
        EXPECT_EQ(client, rig.Bar);
        (void)influence;
        (void)pos;
        can = canDock;
    };
    rig.Split->OnLRDockOver = [&](TObject*, TDragDockObject* source, int, int, TDragState, bool& a) {
        EXPECT_EQ(source->Control(), rig.Bar);
        a = accept;
    };
    rig.Split->OnULUnDock = [&](TObject*, TControl*, TWinControl*, bool& a) { a = allow; };
    auto dragToLowerRight = [&] {
        TMouseDrag drag{rig.Bar};
        const TPoint start = ScreenCentre(rig.Bar);
        drag.Press(start);
        drag.Move(Offset(start, 8, 0));
        drag.Move(ScreenCentre(rig.LR));
        TRect frame;
        int width = 0;
        EXPECT_TRUE(DockDropFrame(frame, width));
        drag.Release(ScreenCentre(rig.LR));
        return width;
    };
    EXPECT_EQ(dragToLowerRight(), 4);  // no site there: it would float
    ASSERT_TRUE(rig.Bar->Floating());
    ASSERT_TRUE(rig.Bar->ManualDock(rig.UL));
    canDock = true;
    accept = false;
    EXPECT_EQ(dragToLowerRight(), 4);
    ASSERT_TRUE(rig.Bar->Floating());
    ASSERT_TRUE(rig.Bar->ManualDock(rig.UL));
    accept = true;
    allow = false;
    EXPECT_EQ(dragToLowerRight(), 1);
    EXPECT_EQ(rig.Bar->HostDockSite(), rig.UL);
}

TEST(ToolbarDocking, PaneDataForwardsDockSiteAndPanesThatAreSitesKeepTheirMouse) {
    TSplitRig rig;
    EXPECT_TRUE(rig.Split->UpperLeft()->DockSite());
    EXPECT_TRUE(rig.Split->LowerRight()->ShowDockClientCaptions());
    rig.Split->LowerRight()->SetShowDockClientCaptions(false);
    EXPECT_FALSE(rig.LR->ShowDockClientCaptions());
    int splitterDowns = 0;
    rig.Split->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++splitterDowns; };
    const TPoint emptyLR = Point(rig.LR->Width() / 2, rig.LR->Height() / 2);
    SimulateClick(rig.LR, emptyLR.X, emptyLR.Y);
    EXPECT_EQ(splitterDowns, 0);
    rig.Split->LowerRight()->SetDockSite(false);
    SimulateClick(rig.LR, emptyLR.X, emptyLR.Y);
    EXPECT_EQ(splitterDowns, 1);
}

TEST(ToolbarDocking, ClientRectangleOfPanelsAndDockSites) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* panel = new TTbCustomPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 200, 100);
    panel->SetBorderOuter(TFrameStyle::fsRaised);  // 2 pixels
    panel->SetFrameSides(sdLeft);                  // 1 more on the left
    panel->SetBorderWidth(3);
    auto* child = new TTbCustomPanel(form.get());
    child->SetParent(panel);
    child->SetAlign(alClient);
    // The query leaves the frame out (not the border band); the children
    // sit inside both.
    EXPECT_EQ(panel->ClientRect(), Rect(3, 2, 198, 98));
    EXPECT_EQ(child->BoundsRect(), Rect(6, 5, 195, 95));
    // A dock site keeps its whole rectangle; its clients still sit inside
    // frame and band.
    child->SetParent(nullptr);
    panel->SetDockSite(true);
    EXPECT_EQ(panel->ClientRect(), Rect(0, 0, 200, 100));
    EXPECT_EQ(velmor_internal::DockArea(panel), Rect(6, 5, 195, 95));
    child->SetAlign(alNone);
    ASSERT_TRUE(child->ManualDock(panel));
    EXPECT_EQ(child->BoundsRect(), Rect(6, 18, 195, 95));
}

// --- the grabbers and caption bars ---------------------------------------------

struct TGrabberCase {
    const char* Name;
    bool Captions;
    TAlign SiteAlign;  // alTop puts the grabber at the side
};

class PanelDockManagerPaint : public ::testing::TestWithParam<TGrabberCase> {};

TEST_P(PanelDockManagerPaint, GrabberCaptionAndCloseButton) {
    const TGrabberCase& c = GetParam();
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 200, 200);
    auto* site = new TTbCustomPanel(form.get());
    site->SetParent(form.get());
    site->SetAlign(c.SiteAlign);
    site->SetBounds(0, 0, 200, 80);
    site->SetBorderOuter(TFrameStyle::fsNone);
    site->SetShowDockClientCaptions(c.Captions);
    site->SetDockSite(true);
    auto* client = new TTbCustomPanel(form.get());
    client->SetCaption("Tools");
    client->SetColor(clWhite);
    client->SetBorderOuter(TFrameStyle::fsNone);
    ASSERT_TRUE(client->ManualDock(site));
    auto* manager = dynamic_cast<TTbPanelDockManager*>(site->DockManager());
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->GrabberSize(), 13);
    EXPECT_EQ(manager->CaptionFont()->Name(), "Arial");
    EXPECT_EQ(manager->CaptionFont()->Size(), 8);

    const bool side = c.SiteAlign == alTop;
    const int h = site->Height();
    const TRect grabber = side ? Rect(0, 0, 13, h) : Rect(0, 0, 200, 13);
    EXPECT_EQ(manager->GrabberRect(client), grabber);
    EXPECT_EQ(client->BoundsRect(), side ? Rect(13, 0, 200, h) : Rect(0, 13, 200, h));
    const TRect close = manager->CloseButtonRect(client);
    // The close button takes the bar's last 12 pixels: the right end of a
    // bar on top, the top of a bar at the side (its text reads upwards).
    EXPECT_EQ(close, side ? Rect(1, 1, 12, 12) : Rect(188, 1, 199, 12));

    TBitmap bmp(200, h);
    site->PaintTo(bmp.Canvas(), 0, 0);
    TCanvas* cv = bmp.Canvas();
    // The close button: a face with the cross in button text colour.
    EXPECT_FALSE(ColourBox(cv, close, clBtnText).IsEmpty());
    const TRect bar = side ? Rect(0, close.Bottom + 1, 13, h) : Rect(0, 0, close.Left - 1, 13);
    const TRect text = ColourBox(cv, bar, clCaptionText);
    if (c.Captions) {
        // A bar in the active caption colour, the caption on it from 2
        // pixels in: across the bar on top, up the bar at the side.
        EXPECT_EQ(cv->Pixels(side ? 6 : 150, side ? 20 : 6), ColorToRGB(clActiveCaption));
        ASSERT_FALSE(text.IsEmpty());
        if (side) {
            EXPECT_GT(text.Height(), text.Width());
            EXPECT_LE(text.Bottom, h - 2);
            EXPECT_GT(text.Bottom, h - 6);
        } else {
            EXPECT_GT(text.Width(), text.Height());
            EXPECT_GE(text.Left, 2);
            EXPECT_LT(text.Left, 6);
        }
    } else {
        // The classic frame: raised grip lines, no caption, no caption bar.
        EXPECT_TRUE(ColourBox(cv, bar, clActiveCaption).IsEmpty());
        EXPECT_FALSE(ColourBox(cv, bar, clBtnHighlight).IsEmpty());
        EXPECT_FALSE(ColourBox(cv, bar, clBtnShadow).IsEmpty());
    }
    // The client itself is never painted over.
    EXPECT_EQ(cv->Pixels(client->Left() + 20, client->Top() + 20), ColorToRGB(clWhite));
}

INSTANTIATE_TEST_SUITE_P(Layouts, PanelDockManagerPaint,
                         ::testing::Values(TGrabberCase{"CaptionOnTop", true, alNone},
                                           TGrabberCase{"CaptionAtTheSide", true, alTop},
                                           TGrabberCase{"FrameOnTop", false, alNone},
                                           TGrabberCase{"FrameAtTheSide", false, alTop}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
