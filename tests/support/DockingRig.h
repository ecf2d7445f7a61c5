#pragma once
// What the docking tests share: a mouse drag made of the toolkit's own
// events, and a log of the docking events in the order they came.
#include <string>
#include <vector>

#include "framework/controls/Docking.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/controls/WinControl.h"

// The left button pressed on `pressed`, moved, released: every event goes
// to the widget that was pressed, as the toolkit's mouse grab sends it.
// Points are screen points.
struct TMouseDrag {
    TControl* Pressed;
    void Press(const TPoint& p) {
        const TPoint l = Pressed->ScreenToClient(p);
        SimulateMouseDown(Pressed, mbLeft, l.X, l.Y);
    }
    void Move(const TPoint& p, TShiftState shift = 0) {
        const TPoint l = Pressed->ScreenToClient(p);
        SimulateMouseMove(Pressed, l.X, l.Y, ssLeft | shift);
    }
    void Release(const TPoint& p) {
        const TPoint l = Pressed->ScreenToClient(p);
        SimulateMouseUp(Pressed, mbLeft, l.X, l.Y);
    }
};

inline TPoint ScreenCentre(TControl* c) { return c->ClientToScreen(Point(c->Width() / 2, c->Height() / 2)); }

// "StartDock", "DockOver Right enter", "UnDock Left Right", "DockDrop
// Right", "EndDock Right": each event with the names of the controls it
// carries ("-" for none, the class name for an unnamed one).
struct TDockLog {
    std::vector<std::string> Lines;

    static std::string NameOf(const TObject* o) {
        auto* c = dynamic_cast<const TComponent*>(o);
        if (!c) return "-";
        return c->Name().empty() ? c->ClassName() : c->Name();
    }
    void Watch(TControl* client) {
        client->OnStartDock = [this](TObject*, TDragDockObject*&) { Lines.push_back("StartDock"); };
        client->OnEndDock = [this](TObject*, TObject* target, int, int) {
            Lines.push_back("EndDock " + NameOf(target));
        };
    }
    void WatchSite(TWinControl* site) {
        site->OnDockOver = [this](TObject* s, TDragDockObject*, int, int, TDragState state, bool&) {
            static const char* names[] = {"enter", "leave", "move"};
            Lines.push_back("DockOver " + NameOf(s) + " " + names[state]);
        };
        site->OnDockDrop = [this](TObject* s, TDragDockObject*, int, int) { Lines.push_back("DockDrop " + NameOf(s)); };
        site->OnUnDock = [this](TObject* s, TControl*, TWinControl* target, bool&) {
            Lines.push_back("UnDock " + NameOf(s) + " " + NameOf(target));
        };
    }
    // The lines without the repeated moves over one site.
    std::vector<std::string> WithoutMoves() const {
        std::vector<std::string> out;
        for (const std::string& l : Lines)
            if (l.size() < 5 || l.compare(l.size() - 5, 5, " move") != 0) out.push_back(l);
        return out;
    }
};
