#include "framework/controls/Docking.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/FloatingDockForm.h"
#include "framework/controls/Mouse.h"
#include "framework/controls/WinControl.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/controls/qt/WsDocking.h"
#include "framework/messages/MessageQueue.h"

// The docking code's way into the controls' protected and private parts.
struct TDockAccess {
    static void StartDock(TControl* c, TDragDockObject*& o) { c->DoStartDock(o); }
    static void EndDock(TControl* c, TObject* target, int x, int y) { c->DoEndDock(target, x, y); }
    static void DockOver(TWinControl* s, TDragDockObject* o, int x, int y, TDragState st, bool& accept) {
        s->DockOver(o, x, y, st, accept);
    }
    static void DockDrop(TWinControl* s, TDragDockObject* o, int x, int y) { s->DockDrop(o, x, y); }
    static bool DoUnDock(TWinControl* s, TWinControl* newTarget, TControl* c) { return s->DoUnDock(newTarget, c); }
    static void PositionDockRect(TWinControl* s, TDragDockObject* o) { s->PositionDockRect(o); }
    static TRect DockArea(TWinControl* s) {
        TRect r = s->ClientRect();
        s->AdjustClientRect(r);
        return r;
    }
    static IDockManager* Manager(TWinControl* s) { return s->FUseDockManager ? s->FDockManager.get() : nullptr; }

    // A control that was placed the ordinary way, or floated, keeps the
    // size it had there for the next time it floats.
    static void RememberUndockSize(TControl* c) {
        if (c->Floating() || (!c->FHostDockSite && c->FUndockWidth <= 0)) c->FUndockWidth = c->FWidth;
        if (c->Floating() || (!c->FHostDockSite && c->FUndockHeight <= 0)) c->FUndockHeight = c->FHeight;
    }
    static void Attach(TWinControl* site, TControl* c) {
        c->FHostDockSite = site;
        site->FDockClients.push_back(c);
    }
    static void Detach(TControl* c) {
        TWinControl* host = c->FHostDockSite;
        if (!host) return;
        c->FHostDockSite = nullptr;
        auto& list = host->FDockClients;
        list.erase(std::remove(list.begin(), list.end(), c), list.end());
        if (host->FDockManager) host->FDockManager->RemoveControl(c);
        // A floating window is there only for its control.
        auto* floating = dynamic_cast<TFloatingDockForm*>(host);
        if (floating && list.empty() && !floating->HasState(csDestroying)) floating->Release();
    }

    static void Dock(TWinControl* site, TDragDockObject* o) {
        TControl* c = o->Control();
        RememberUndockSize(c);
        Detach(c);
        IDockManager* m = Manager(site);
        if (m) m->BeginUpdate();
        c->SetAlign(alNone);
        c->SetParent(site);
        Attach(site, c);
        if (m) {
            m->InsertControl(c, o->DropAlign, o->DropOnControl);
            m->EndUpdate();
        } else {
            const TPoint p = site->ScreenToClient(Point(o->DockRect.Left, o->DockRect.Top));
            c->SetBounds(p.X, p.Y, o->DockRect.Width(), o->DockRect.Height());
        }
    }

    static bool Float(TControl* c, const TRect& r) {
        if (c->Floating()) {
            // Already in a window of its own: the window moves (and sizes),
            // and shows again if it was closed.
            TWinControl* host = c->FHostDockSite;
            host->SetClientWidth(host->ClientWidth() + r.Width() - c->Width());
            host->SetClientHeight(host->ClientHeight() + r.Height() - c->Height());
            BringClientTo(c, Point(r.Left, r.Top));
            if (c->Visible()) host->Show();
            return true;
        }
        TWinControl* old = c->FHostDockSite;
        TComponent* owner = c->Owner() ? c->Owner() : static_cast<TComponent*>(Application);
        auto* host = new TFloatingDockForm(owner);
        if (old && !old->DoUnDock(host, c)) {
            delete host;
            return false;
        }
        RememberUndockSize(c);
        Detach(c);
        host->SetCaption(c->Caption());
        host->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        host->SetClientWidth(r.Width());
        host->SetClientHeight(r.Height());
        c->SetParent(host);
        c->SetAlign(alClient);
        Attach(host, c);
        // The window's frame starts where the drop frame did; its client
        // area has the control's size.
        if (c->Visible()) host->Show();
        return true;
    }

    // Moves the window a floating control sits in, so that the control's
    // top-left corner comes to p (screen). The window is moved by what the
    // toolkit says it is, since its frame may have come after it was placed.
    static void BringClientTo(TControl* c, const TPoint& p) {
        QWidget* w = c->FHostDockSite ? c->FHostDockSite->WidgetIfAllocated() : nullptr;
        if (!w) return;
        const TPoint origin = c->ClientToScreen(Point(0, 0));
        if (origin == p) return;
        velmor_ws::MoveWindowBy(w, p.X - origin.X, p.Y - origin.Y);
    }
};

namespace {

TPoint gLastMouse;
bool gLastMouseKnown = false;
std::vector<TWinControl*> gSites;

// The size a control is dragged at: a floating one as it is, any other at
// the size it would float at.
int DragWidth(TControl* c) { return c->Floating() ? c->Width() : c->UndockWidth(); }
int DragHeight(TControl* c) { return c->Floating() ? c->Height() : c->UndockHeight(); }

}  // namespace

TRect velmor_internal::FloatingRect(TDragDockObject* o) {
    TControl* c = o->Control();
    const int w = DragWidth(c), h = DragHeight(c);
    return Bounds(o->DragPos.X - static_cast<int>(std::lround(w * o->MouseDeltaX)),
                  o->DragPos.Y - static_cast<int>(std::lround(h * o->MouseDeltaY)), w, h);
}

namespace {

// The side of r that p is nearest to, measured in shares of r's width and
// height, so that every side takes a quarter of the area.
TAlign EdgeOf(const TRect& r, const TPoint& p) {
    const double w = std::max(1, r.Width()), h = std::max(1, r.Height());
    const double d[4] = {(p.X - r.Left) / w, (p.Y - r.Top) / h, (r.Right - p.X) / w, (r.Bottom - p.Y) / h};
    static const TAlign sides[4] = {alLeft, alTop, alRight, alBottom};
    return sides[std::min_element(d, d + 4) - d];
}

// --- the frame on the screen ---------------------------------------------------

// A checkered band around the rectangle, no wider than half its shorter
// side.
void ShowFrame(const TRect& r, int width) {
    if (r.IsEmpty()) return;
    velmor_ws::ShowDropFrame(r, std::max(1, std::min(width, std::min(r.Width(), r.Height()) / 2)));
}

void HideFrame() { velmor_ws::HideDropFrame(); }

// --- the drag ------------------------------------------------------------------

struct TDockDrag {
    TControl* Control = nullptr;
    std::unique_ptr<TDragDockObject> Object;
    TPoint Start;
    int Threshold = DockDragThreshold;
    bool Started = false;
    bool Ctrl = false;
    bool Accepted = false;
};

std::unique_ptr<TDockDrag> gDrag;

bool Alive(const TDockDrag* d) { return gDrag.get() == d; }

// Which of two sites that both take the control under the mouse wins: the
// one inside the other, else the smaller.
bool Better(TWinControl* site, const TRect& siteRect, TWinControl* best, const TRect& bestRect) {
    if (best->ContainsControl(site)) return true;
    if (site->ContainsControl(best)) return false;
    return static_cast<long long>(siteRect.Width()) * siteRect.Height() <
           static_cast<long long>(bestRect.Width()) * bestRect.Height();
}

TWinControl* FindTarget(TControl* c, const TPoint& pos) {
    TWinControl* best = nullptr;
    TRect bestRect;
    auto* self = dynamic_cast<TWinControl*>(c);
    for (TWinControl* site : std::vector<TWinControl*>(gSites)) {
        if (!site->DockSite() || !site->Showing()) continue;
        // Never into itself, nor into anything it carries.
        if (self && self->ContainsControl(site)) continue;
        TRect influence;
        bool canDock = true;
        site->GetSiteInfo(c, influence, pos, canDock);
        if (!canDock || !influence.Contains(pos)) continue;
        if (!best || Better(site, influence, best, bestRect)) {
            best = site;
            bestRect = influence;
        }
    }
    return best;
}

// The client of the site under the mouse, and its side (or the site's)
// that the mouse is nearest to.
void PrepareDrop(TWinControl* site, TDragDockObject* o) {
    const TPoint p = site->ScreenToClient(o->DragPos);
    IDockManager* m = TDockAccess::Manager(site);
    o->DropOnControl = nullptr;
    TRect area = TDockAccess::DockArea(site);
    for (int i = site->DockClientCount() - 1; i >= 0; --i) {
        TControl* client = site->DockClients(i);
        if (client == o->Control() || !client->Visible()) continue;
        TRect b = client->BoundsRect();
        if (m) m->GetControlBounds(client, b);
        if (b.Contains(p)) {
            o->DropOnControl = client;
            area = b;
            break;
        }
    }
    o->DropAlign = EdgeOf(area, p);
}

bool Over(TWinControl* site, TDragDockObject* o, TDragState state) {
    if (state != dsDragLeave) PrepareDrop(site, o);
    const TPoint p = site->ScreenToClient(o->DragPos);
    bool accept = true;
    TDockAccess::DockOver(site, o, p.X, p.Y, state, accept);
    return accept;
}

void ReleaseCapture() {
    if (TControl* c = GetCaptureControl()) c->SetMouseCapture(false);
    velmor_ws::ReleaseDragKeys();
}

// The mouse moved (or Ctrl changed): find the site, ask it, show the frame.
void Update() {
    TDockDrag* d = gDrag.get();
    TDragDockObject* o = d->Object.get();
    TWinControl* target = d->Ctrl ? nullptr : FindTarget(d->Control, o->DragPos);
    if (target != o->DragTarget) {
        if (TWinControl* old = o->DragTarget) {
            Over(old, o, dsDragLeave);
            if (!Alive(d)) return;
        }
        o->DragTarget = target;
        d->Accepted = target && Over(target, o, dsDragEnter);
    } else if (target) {
        d->Accepted = Over(target, o, dsDragMove);
    }
    if (!Alive(d)) return;
    o->Floating = !o->DragTarget || !d->Accepted;
    if (o->Floating) o->DockRect = velmor_internal::FloatingRect(o);
    ShowFrame(o->DockRect, o->Floating ? o->FrameWidth : 1);
}

void EndDock(TControl* c, TWinControl* target, const TPoint& pos) {
    const TPoint p = target ? target->ScreenToClient(pos) : pos;
    TDockAccess::EndDock(c, target, p.X, p.Y);
}

void Cancel() {
    std::unique_ptr<TDockDrag> drag = std::move(gDrag);
    HideFrame();
    ReleaseCapture();
    TDragDockObject* o = drag->Object.get();
    o->Cancelling = true;
    if (drag->Started && o->DragTarget) Over(o->DragTarget, o, dsDragLeave);
    EndDock(drag->Control, nullptr, o->DragPos);
}

void Drop(const TPoint& pos) {
    TDockDrag* d = gDrag.get();
    if (d->Started && !(pos == d->Object->DragPos)) {
        d->Object->DragPos = pos;
        Update();
        if (!Alive(d)) return;
    }
    // The drag is over before anyone hears of the drop.
    std::unique_ptr<TDockDrag> drag = std::move(gDrag);
    HideFrame();
    ReleaseCapture();
    TControl* c = drag->Control;
    TDragDockObject* o = drag->Object.get();
    TWinControl* landed = nullptr;
    if (drag->Started) {
        TWinControl* site = o->DragTarget;
        if (site && !o->Floating) {
            TWinControl* old = c->HostDockSite();
            if (old && !TDockAccess::DoUnDock(old, site, c)) {
                Over(site, o, dsDragLeave);
            } else {
                const TPoint p = site->ScreenToClient(o->DragPos);
                TDockAccess::DockDrop(site, o, p.X, p.Y);
                landed = site;
            }
        } else {
            if (site) Over(site, o, dsDragLeave);
            if (TDockAccess::Float(c, o->DockRect)) landed = c->HostDockSite();
        }
    }
    EndDock(c, landed, pos);
}

void Move(const TPoint& pos) {
    TDockDrag* d = gDrag.get();
    d->Object->DragPos = pos;
    if (!d->Started) {
        if (std::abs(pos.X - d->Start.X) < d->Threshold && std::abs(pos.Y - d->Start.Y) < d->Threshold) return;
        d->Started = true;
    }
    Update();
}

// While a drag runs it has the mouse and the keys: nothing else hears of
// them.
void EnsureFilter() {
    velmor_ws::TDockDragInput input;
    input.Running = [] { return gDrag != nullptr; };
    input.MouseMoved = [](const TPoint& p, bool ctrl) {
        gDrag->Ctrl = ctrl;
        GuardedCall([&] { Move(p); });
    };
    input.LeftReleased = [](const TPoint& p) { GuardedCall([&] { Drop(p); }); };
    input.EscapePressed = [] { GuardedCall([] { Cancel(); }); };
    input.CtrlChanged = [](bool pressed) {
        gDrag->Ctrl = pressed;
        if (gDrag->Started) GuardedCall([] { Update(); });
    };
    velmor_ws::WatchDockDragInput(std::move(input));
}

}  // namespace

TControl* DragControl() { return gDrag ? gDrag->Control : nullptr; }

void CancelDrag() {
    if (gDrag) Cancel();
}

bool DockDropFrame(TRect& rect, int& width) {
    return velmor_ws::DropFrameShown(rect, width);
}

TPoint velmor_internal::LastMousePos() { return gLastMouseKnown ? gLastMouse : Mouse->CursorPos(); }

bool velmor_internal::DockMouseMessage(TControl* control, TMessage& m) {
    if (m.Msg == WM_MOUSEWHEEL) return false;  // its point is a screen point
    gLastMouse = control->ClientToScreen(PointFromLParam(m.LParam));
    gLastMouseKnown = true;
    const bool press = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK;
    if (!press || control->DragMode != dmAutomatic || control->DragKind != dkDock || gDrag ||
        control->HasState(csDesigning))
        return false;
    BeginDockDrag(control, gLastMouse, false, -1);
    return true;
}

void velmor_internal::BeginDockDrag(TControl* control, const TPoint& screenPos, bool immediate, int threshold) {
    if (gDrag || !control || control->DragKind != dkDock || !velmor_ws::HasToolkit()) return;
    TDragDockObject* made = nullptr;
    TDockAccess::StartDock(control, made);
    auto d = std::make_unique<TDockDrag>();
    d->Control = control;
    d->Object.reset(made ? made : new TDragDockObject(control));
    d->Start = screenPos;
    d->Threshold = threshold < 0 ? DockDragThreshold : threshold;
    d->Started = immediate;
    TDragDockObject* o = d->Object.get();
    o->DragPos = screenPos;
    const TPoint origin = control->ClientToScreen(Point(0, 0));
    o->DockRect = Bounds(origin.X, origin.Y, control->Width(), control->Height());
    if (control->Width() > 0) o->MouseDeltaX = std::clamp((screenPos.X - origin.X) / double(control->Width()), 0.0, 1.0);
    if (control->Height() > 0)
        o->MouseDeltaY = std::clamp((screenPos.Y - origin.Y) / double(control->Height()), 0.0, 1.0);
    gDrag = std::move(d);
    EnsureFilter();
    velmor_ws::GrabDragKeys(control->Widget());
    if (immediate) Update();
}

void velmor_internal::EndDockDrag(TControl* control, bool drop) {
    if (!gDrag || gDrag->Control != control) return;
    if (drop)
        Drop(gDrag->Object->DragPos);
    else
        Cancel();
}

bool velmor_internal::ManualDock(TControl* c, TWinControl* site, TControl* dropControl, TAlign side) {
    if (!site) {
        const TPoint o = c->ClientToScreen(Point(0, 0));
        return TDockAccess::Float(c, Bounds(o.X, o.Y, DragWidth(c), DragHeight(c)));
    }
    TDragDockObject obj(c);
    obj.DragTarget = site;
    obj.DropOnControl = dropControl;
    obj.DropAlign = side;
    obj.Floating = false;
    // A site without a manager keeps the control where it stands in it.
    obj.DragPos = site->ClientToScreen(Point(c->Left(), c->Top()));
    TDockAccess::PositionDockRect(site, &obj);
    TWinControl* old = c->HostDockSite();
    if (old && !TDockAccess::DoUnDock(old, site, c)) return false;
    const TPoint p = site->ScreenToClient(Point(obj.DockRect.Left, obj.DockRect.Top));
    TDockAccess::DockDrop(site, &obj, p.X, p.Y);
    return true;
}

bool velmor_internal::ManualFloat(TControl* c, const TRect& screenPos) { return TDockAccess::Float(c, screenPos); }

void velmor_internal::DockClient(TWinControl* site, TDragDockObject* source) { TDockAccess::Dock(site, source); }

void velmor_internal::DockClientLeaving(TControl* control) { TDockAccess::Detach(control); }

void velmor_internal::DockControlGone(TControl* control) {
    if (gDrag) {
        if (gDrag->Control == control) {
            // Nobody is told: the control is going.
            gDrag.reset();
            HideFrame();
            velmor_ws::ReleaseDragKeys();
        } else {
            TDragDockObject* o = gDrag->Object.get();
            if (o->DragTarget == control) o->DragTarget = nullptr;
            if (o->DropOnControl == control) o->DropOnControl = nullptr;
        }
    }
    gSites.erase(std::remove(gSites.begin(), gSites.end(), control), gSites.end());
}

void velmor_internal::DockSiteChanged(TWinControl* site) {
    gSites.erase(std::remove(gSites.begin(), gSites.end(), site), gSites.end());
    if (site->DockSite()) gSites.push_back(site);
}

void velmor_internal::PaintDockSite(TControl* control, TCanvas* canvas) {
    auto* site = dynamic_cast<TWinControl*>(control);
    if (!site || !site->DockSite()) return;
    if (IDockManager* m = TDockAccess::Manager(site)) m->PaintSite(canvas);
}

TRect velmor_internal::DockArea(TWinControl* site) { return TDockAccess::DockArea(site); }

TAlign velmor_internal::DockEdgeOf(const TRect& rect, const TPoint& p) { return EdgeOf(rect, p); }

void velmor_internal::CloseDockClient(TWinControl* site, TControl* client) {
    if (!TDockAccess::DoUnDock(site, nullptr, client)) return;
    client->SetVisible(false);
    client->SetParent(nullptr);
}
