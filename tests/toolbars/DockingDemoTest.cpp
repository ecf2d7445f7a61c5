// The docking demo: a window whose splitter panes are dock sites, and a
// toolbar that the mouse drags from one pane to the other, out into a
// window of its own and back. With a display (xvfb-run) every stage is
// photographed, the drop frame included.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "DemoSupport.h"
#include "framework/controls/Form.h"
#include "support/DockingRig.h"
#include "toolbars/TbPaneData.h"
#include "toolbars/TbPanelDockManager.h"
#include "toolbars/TbSpacer.h"
#include "toolbars/TbSplitter.h"
#include "toolbars/TbSplitterPane.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

namespace {

struct TDockDemo {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TTbSplitter* Split = nullptr;
    TTbToolbar* Standard = nullptr;
    TTbToolbar* Format = nullptr;

    TDockDemo() {
        TForm* f = Form.get();
        f->SetCaption("Velmor docking");
        f->SetBounds(40, 40, 640, 360);
        Split = new TTbSplitter(f);
        Split->SetParent(f);
        Split->SetAlign(alClient);
        Split->SetSplitterStyle(TSplitterStyle::ssGroove);
        Split->SetPercent(50);
        Split->UpperLeft()->SetDockSite(true);
        Split->LowerRight()->SetDockSite(true);
        Split->UpperLeft()->SetColor(clWindow);
        Split->LowerRight()->SetColor(clWindow);
        Standard = MakeBar("Standard", {"New", "Open", "Save"}, {clWhite, clYellow, clBlue});
        Format = MakeBar("Format", {"Cut", "Copy"}, {clRed, clLime});
        f->Show();
        Standard->ManualDock(Split->UpperLeftPane());
        Format->ManualDock(Split->LowerRightPane());
    }

    TTbToolbar* MakeBar(const char* caption, std::initializer_list<const char*> buttons,
                        std::initializer_list<TColor> colours) {
        auto* bar = new TTbToolbar(Form.get());
        bar->SetCaption(caption);
        auto colour = colours.begin();
        for (const char* text : buttons) {
            auto* b = new TTbToolbarButton(Form.get());
            b->SetBounds(0, 0, 64, 24);
            b->SetGlyph(Glyph(*colour++).get());
            b->SetNumGlyphs(2);
            b->SetCaption(text);
            b->SetParent(bar);
        }
        bar->SetBounds(0, 0, 64 * static_cast<int>(buttons.size()) + 12, 31);
        bar->DragKind = dkDock;
        bar->DragMode = dmAutomatic;
        return bar;
    }

    // The window, with the floating one and the drop frame when they show.
    TRect Area() const {
        TRect r = Bounds(Form->Left() - 10, Form->Top() - 40, Form->Width() + 20, Form->Height() + 60);
        auto take = [&r](const TRect& more) {
            r.Right = std::max(r.Right, more.Right + 10);
            r.Bottom = std::max(r.Bottom, more.Bottom + 10);
        };
        if (Standard->Floating()) {
            TControl* host = Standard->Parent();
            take(Bounds(host->Left(), host->Top(), host->Width(), host->Height() + 40));
        }
        TRect frame;
        int width = 0;
        if (DockDropFrame(frame, width)) take(frame);
        return r;
    }
    // Takes the bar by its grabber (docked) or by its body (floating).
    TMouseDrag Take(TPoint& at) {
        TWinControl* site = Standard->HostDockSite();
        if (auto* m = dynamic_cast<TTbPanelDockManager*>(site->DockManager())) {
            const TRect g = m->GrabberRect(Standard);
            at = site->ClientToScreen(Point(g.Left + 70, g.Top + 6));
            return TMouseDrag{site};
        }
        at = Standard->ClientToScreen(Point(Standard->Width() - 5, Standard->Height() / 2));
        return TMouseDrag{Standard};
    }
};

TEST(DockingDemo, ToolbarTravelsBetweenPanesAndItsOwnWindow) {
    TDockDemo demo;
    const bool display = Screen->HasDisplay();
    TTbSplitterPane* left = demo.Split->UpperLeftPane();
    TTbSplitterPane* right = demo.Split->LowerRightPane();
    EXPECT_EQ(demo.Standard->HostDockSite(), left);
    if (display) PhotographArea(demo.Area(), "docking-1-upper-left.png");

    // Into the right pane, below the bar already there: the frame shows
    // where it would land while the mouse holds it.
    TPoint at;
    TMouseDrag drag = demo.Take(at);
    drag.Press(at);
    drag.Move(Point(at.X + 10, at.Y));
    const TPoint onRight = right->ClientToScreen(Point(right->Width() / 2, right->Height() - 30));
    drag.Move(onRight);
    TRect frame;
    int width = 0;
    EXPECT_TRUE(DockDropFrame(frame, width));
    EXPECT_EQ(width, 1);
    if (display) PhotographArea(demo.Area(), "docking-2-dragging.png");
    drag.Release(onRight);
    EXPECT_EQ(demo.Standard->HostDockSite(), right);
    EXPECT_GT(demo.Standard->Top(), demo.Format->Top());
    if (display) PhotographArea(demo.Area(), "docking-3-lower-right.png");

    // Out below the window: it floats.
    drag = demo.Take(at);
    drag.Press(at);
    drag.Move(Point(at.X + 10, at.Y));
    const TPoint below = Point(demo.Form->Left() + 120, demo.Form->Top() + demo.Form->Height() + 80);
    drag.Move(below);
    EXPECT_TRUE(DockDropFrame(frame, width));
    EXPECT_EQ(width, 4);
    if (display) PhotographArea(demo.Area(), "docking-4-dragging-out.png");
    drag.Release(below);
    EXPECT_TRUE(demo.Standard->Floating());
    if (display) PhotographArea(demo.Area(), "docking-5-floating.png");

    // And back into the left pane by its body.
    drag = demo.Take(at);
    drag.Press(at);
    drag.Move(Point(at.X - 10, at.Y));
    drag.Move(ScreenCentre(left));
    drag.Release(ScreenCentre(left));
    EXPECT_EQ(demo.Standard->HostDockSite(), left);
    if (display) {
        PhotographArea(demo.Area(), "docking-6-docked-again.png");
        demo.Form->Hide();
    } else {
        GTEST_SKIP() << "no display: nothing to photograph";
    }
}

}  // namespace
