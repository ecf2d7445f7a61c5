#include "framework/controls/DockTree.h"

#include <algorithm>
#include <cmath>

#include "framework/controls/Docking.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/DrawText.h"

struct TDockTree::TZone {
    TControl* Control = nullptr;  // a leaf holds one client
    bool SideBySide = false;      // a container lays its children left to right, else top down
    std::vector<std::unique_ptr<TZone>> Children;
    TZone* Parent = nullptr;
    double Share = 1.0;  // of the parent's extent, against the other children shown
    TRect Bounds;        // site client coordinates, from the last layout
};

namespace {
bool IsSide(TAlign a) { return a == alLeft || a == alRight || a == alTop || a == alBottom; }

struct TLayScope {
    bool& Flag;
    explicit TLayScope(bool& f) : Flag(f) { Flag = true; }
    ~TLayScope() { Flag = false; }
};
}  // namespace

TDockTree::TDockTree(TWinControl* dockSite) : FDockSite(dockSite) {
    FOldWndProc = dockSite->WindowProc;
    dockSite->WindowProc = [this](TMessage& m) { WindowProc(m); };
}

TDockTree::~TDockTree() {
    if (FDockSite) FDockSite->WindowProc = FOldWndProc;
}

bool TDockTree::GrabbersOnTop() const { return FDockSite->Align() != alTop && FDockSite->Align() != alBottom; }

TRect TDockTree::DockArea() const { return velmor_internal::DockArea(FDockSite); }

void TDockTree::BeginUpdate() { ++FUpdateCount; }

void TDockTree::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) ResetBounds(true);
}

// --- the zones ---------------------------------------------------------------

TDockTree::TZone* TDockTree::FindZone(TZone* zone, const TControl* control) const {
    if (!zone || !control) return nullptr;
    if (zone->Control == control) return zone;
    for (auto& child : zone->Children)
        if (TZone* z = FindZone(child.get(), control)) return z;
    return nullptr;
}

void TDockTree::ForEachLeaf(TZone* zone, const std::function<void(TZone*)>& fn) const {
    if (!zone) return;
    if (zone->Control) {
        fn(zone);
        return;
    }
    for (auto& child : zone->Children) ForEachLeaf(child.get(), fn);
}

bool TDockTree::ZoneShows(const TZone* zone) {
    if (zone->Control) return zone->Control->Visible();
    return std::any_of(zone->Children.begin(), zone->Children.end(),
                       [](const std::unique_ptr<TZone>& c) { return ZoneShows(c.get()); });
}

void TDockTree::InsertControl(TControl* control, TAlign insertAt, TControl* dropControl) {
    if (FindZone(FRoot.get(), control)) RemoveControl(control);
    auto leaf = std::make_unique<TZone>();
    leaf->Control = control;
    if (!FRoot) {
        FRoot = std::move(leaf);
        ResetBounds(true);
        return;
    }
    TZone* target = FindZone(FRoot.get(), dropControl);
    if (!target) target = FRoot.get();
    // Without a side, a client joins the others along the site.
    if (!IsSide(insertAt)) insertAt = GrabbersOnTop() ? alBottom : alRight;
    const bool sideBySide = insertAt == alLeft || insertAt == alRight;
    const bool before = insertAt == alLeft || insertAt == alTop;

    auto slotOf = [this](TZone* z) -> std::unique_ptr<TZone>& {
        if (!z->Parent) return FRoot;
        for (auto& c : z->Parent->Children)
            if (c.get() == z) return c;
        return FRoot;  // not reached: every zone sits in its parent
    };
    if (!target->Control && target->SideBySide == sideBySide) {
        // The whole row (or column) was the target: a new end of it.
        double sum = 0;
        for (auto& c : target->Children) sum += c->Share;
        leaf->Share = sum / static_cast<double>(target->Children.size());
        leaf->Parent = target;
        target->Children.insert(before ? target->Children.begin() : target->Children.end(), std::move(leaf));
    } else if (target->Parent && target->Parent->SideBySide == sideBySide) {
        TZone* parent = target->Parent;
        target->Share /= 2;
        leaf->Share = target->Share;
        leaf->Parent = parent;
        auto it = std::find_if(parent->Children.begin(), parent->Children.end(),
                               [target](const std::unique_ptr<TZone>& c) { return c.get() == target; });
        if (!before) ++it;
        parent->Children.insert(it, std::move(leaf));
    } else {
        // The target's place becomes a row (or column) of the two.
        std::unique_ptr<TZone>& slot = slotOf(target);
        auto box = std::make_unique<TZone>();
        box->SideBySide = sideBySide;
        box->Share = target->Share;
        box->Parent = target->Parent;
        std::unique_ptr<TZone> old = std::move(slot);
        old->Share = 0.5;
        old->Parent = box.get();
        leaf->Share = 0.5;
        leaf->Parent = box.get();
        if (before) {
            box->Children.push_back(std::move(leaf));
            box->Children.push_back(std::move(old));
        } else {
            box->Children.push_back(std::move(old));
            box->Children.push_back(std::move(leaf));
        }
        slot = std::move(box);
    }
    ResetBounds(true);
}

void TDockTree::RemoveControl(TControl* control) {
    TZone* zone = FindZone(FRoot.get(), control);
    if (!zone) return;
    if (FClosePressed == control) FClosePressed = nullptr;
    TZone* parent = zone->Parent;
    if (!parent) {
        FRoot.reset();
        ResetBounds(true);
        return;
    }
    auto& kids = parent->Children;
    auto it = std::find_if(kids.begin(), kids.end(), [zone](const std::unique_ptr<TZone>& c) { return c.get() == zone; });
    const double share = zone->Share;
    const size_t index = static_cast<size_t>(it - kids.begin());
    kids.erase(it);
    // The neighbour before it (or after it, at the start) takes its room.
    kids[index > 0 ? index - 1 : 0]->Share += share;
    if (kids.size() == 1) {
        std::unique_ptr<TZone> only = std::move(kids[0]);
        only->Share = parent->Share;
        only->Parent = parent->Parent;
        if (!parent->Parent) {
            FRoot = std::move(only);
        } else {
            for (auto& c : parent->Parent->Children)
                if (c.get() == parent) {
                    c = std::move(only);  // frees the parent
                    break;
                }
        }
    }
    ResetBounds(true);
}

// --- layout --------------------------------------------------------------------

void TDockTree::ResetBounds(bool force) {
    (void)force;
    if (FUpdateCount > 0 || FLaying || FDockSite->HasState(csDestroying)) return;
    TLayScope laying(FLaying);
    if (FRoot) LayZone(FRoot.get(), DockArea());
    FDockSite->Invalidate();
}

void TDockTree::LayZone(TZone* zone, const TRect& rect) {
    zone->Bounds = rect;
    if (zone->Control) {
        if (!zone->Control->Visible()) return;
        TRect client = rect;
        if (GrabbersOnTop())
            client.Top = std::min(client.Top + FGrabberSize, client.Bottom);
        else
            client.Left = std::min(client.Left + FGrabberSize, client.Right);
        zone->Control->SetBounds(client.Left, client.Top, client.Width(), client.Height());
        return;
    }
    double total = 0;
    for (auto& c : zone->Children)
        if (ZoneShows(c.get())) total += c->Share;
    const int start = zone->SideBySide ? rect.Left : rect.Top;
    const int extent = zone->SideBySide ? rect.Width() : rect.Height();
    double acc = 0;
    int from = start;
    int shown = 0;
    const int count = static_cast<int>(std::count_if(zone->Children.begin(), zone->Children.end(),
                                                     [](const std::unique_ptr<TZone>& c) { return ZoneShows(c.get()); }));
    for (auto& c : zone->Children) {
        if (!ZoneShows(c.get())) {
            c->Bounds = TRect{};
            continue;
        }
        acc += c->Share;
        ++shown;
        // The last one takes what rounding left over.
        const int to = shown == count ? start + extent : start + static_cast<int>(std::lround(extent * acc / total));
        const TRect r = zone->SideBySide ? Rect(from, rect.Top, to, rect.Bottom) : Rect(rect.Left, from, rect.Right, to);
        LayZone(c.get(), r);
        from = to;
    }
}

void TDockTree::GetControlBounds(TControl* control, TRect& bounds) {
    TZone* zone = FindZone(FRoot.get(), control);
    bounds = zone && ZoneShows(zone) ? zone->Bounds : TRect{};
}

void TDockTree::PositionDockRect(TControl* client, TControl* dropControl, TAlign dropAlign, TRect& dockRect) {
    TRect r;
    const bool alone = FRoot && FRoot->Control == client;
    if (!FRoot || alone || !ZoneShows(FRoot.get())) {
        r = DockArea();
    } else {
        TZone* target = FindZone(FRoot.get(), dropControl);
        if (!target || !ZoneShows(target)) target = FRoot.get();
        r = target->Bounds;
        if (!IsSide(dropAlign)) dropAlign = GrabbersOnTop() ? alBottom : alRight;
        switch (dropAlign) {
        case alLeft: r.Right = r.Left + r.Width() / 2; break;
        case alRight: r.Left = r.Right - r.Width() / 2; break;
        case alTop: r.Bottom = r.Top + r.Height() / 2; break;
        default: r.Top = r.Bottom - r.Height() / 2; break;
        }
    }
    const TPoint origin = FDockSite->ClientToScreen(Point(r.Left, r.Top));
    dockRect = Bounds(origin.X, origin.Y, r.Width(), r.Height());
}

// --- grabbers --------------------------------------------------------------------

TRect TDockTree::GrabberRect(TControl* control) const {
    TZone* zone = FindZone(FRoot.get(), control);
    if (!zone || !ZoneShows(zone)) return TRect{};
    const TRect& z = zone->Bounds;
    if (GrabbersOnTop()) return Rect(z.Left, z.Top, z.Right, std::min(z.Top + FGrabberSize, z.Bottom));
    return Rect(z.Left, z.Top, std::min(z.Left + FGrabberSize, z.Right), z.Bottom);
}

TRect TDockTree::CloseButtonIn(const TRect& g) const {
    if (GrabbersOnTop()) return Rect(g.Right - 12, g.Top + 1, g.Right - 1, g.Bottom - 1);
    return Rect(g.Left + 1, g.Top + 1, g.Right - 1, g.Top + 12);
}

TRect TDockTree::CloseButtonRect(TControl* control) const {
    const TRect g = GrabberRect(control);
    return g.IsEmpty() ? TRect{} : CloseButtonIn(g);
}

TControl* TDockTree::HitTest(const TPoint& mousePos, LRESULT& hitTest) {
    hitTest = HTNOWHERE;
    TControl* found = nullptr;
    ForEachLeaf(FRoot.get(), [&](TZone* z) {
        if (found || !z->Control->Visible()) return;
        if (!GrabberRect(z->Control).Contains(mousePos)) return;
        found = z->Control;
        hitTest = CloseButtonRect(z->Control).Contains(mousePos) ? HTCLOSE : HTCAPTION;
    });
    return found;
}

void TDockTree::PaintSite(TCanvas* canvas) {
    ForEachLeaf(FRoot.get(), [&](TZone* z) {
        if (z->Control->Visible()) PaintDockFrame(canvas, z->Control, GrabberRect(z->Control));
    });
}

void TDockTree::PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& grabber) {
    (void)control;
    TRect close = CloseButtonIn(grabber);
    TRect button = close;
    DrawFrameControl(canvas, button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    for (int offset : {3, 7}) {
        TRect line = GrabbersOnTop() ? Rect(grabber.Left + 2, grabber.Top + offset, close.Left - 2, grabber.Top + offset + 3)
                                     : Rect(grabber.Left + offset, close.Bottom + 2, grabber.Left + offset + 3,
                                            grabber.Bottom - 2);
        if (!line.IsEmpty()) DrawEdge(canvas, line, BDR_RAISEDINNER, BF_RECT);
    }
}

// --- the mouse on the site -----------------------------------------------------------

void TDockTree::WindowProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const TPoint p = PointFromLParam(m.LParam);
        LRESULT hit = HTNOWHERE;
        if (TControl* c = HitTest(p, hit)) {
            if (hit == HTCLOSE)
                FClosePressed = c;
            else
                velmor_internal::BeginDockDrag(c, FDockSite->ClientToScreen(p), false, -1);
            return;  // the grabber is the manager's, not the site's
        }
        break;
    }
    case WM_LBUTTONUP:
        if (FClosePressed) {
            TControl* pressed = FClosePressed;
            FClosePressed = nullptr;
            LRESULT hit = HTNOWHERE;
            if (HitTest(PointFromLParam(m.LParam), hit) == pressed && hit == HTCLOSE) CloseClient(pressed);
            return;
        }
        break;
    case WM_CANCELMODE:
        FClosePressed = nullptr;
        break;
    default:
        break;
    }
    if (FOldWndProc) FOldWndProc(m);
}

void TDockTree::CloseClient(TControl* control) { velmor_internal::CloseDockClient(FDockSite, control); }
