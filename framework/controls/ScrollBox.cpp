#include "framework/controls/ScrollBox.h"

#include <algorithm>

#include "framework/controls/ControlScrollBar.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/controls/qt/WsScrollBars.h"

namespace {
constexpr int kBar = 16;
}  // namespace

int TControlScrollBar::Position() const { return FVertical ? FOwner->VertPos() : FOwner->HorzPos(); }

void TControlScrollBar::SetPosition(int v) {
    if (FVertical)
        FOwner->ScrollTo(FOwner->HorzPos(), v);
    else
        FOwner->ScrollTo(v, FOwner->VertPos());
}

void TControlScrollBar::SetRange(int v) {
    FRange = std::max(0, v);
    FOwner->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool v) {
    FVisible = v;
    FOwner->UpdateScrollBars();
}

bool TControlScrollBar::IsScrollBarVisible() const {
    if (!FVisible) return false;
    const TRect r = FOwner->ClientRect();
    return FVertical ? FOwner->ExtentY() > r.Height() : FOwner->ExtentX() > r.Width();
}

TScrollBox::TScrollBox(TComponent* owner)
    : TWinControl(owner), FHorz(new TControlScrollBar(this, false)), FVert(new TControlScrollBar(this, true)) {
    ControlStyle |= csAcceptsControls;
    FWidth = 185;
    FHeight = 41;
    SetTabStop(false);
}

TScrollBox::~TScrollBox() = default;

TRect TScrollBox::ClientRect() const {
    const int b = 2 * BorderWidth();
    return Rect(0, 0, std::max(0, FWidth - b - (FShowV ? kBar : 0)), std::max(0, FHeight - b - (FShowH ? kBar : 0)));
}

TPoint TScrollBox::ClientOrigin() const {
    if (FWidget) return velmor_ws::MapToScreen(velmor_ws::ScrollBoxClient(FWidget), Point(0, 0));
    const TPoint o = TWinControl::ClientOrigin();
    return Point(o.X + BorderWidth(), o.Y + BorderWidth());
}

QWidget* TScrollBox::ClientWidget() {
    Widget();
    return FWidget ? velmor_ws::ScrollBoxClient(FWidget) : nullptr;
}

void TScrollBox::SetBorderStyle(TControlBorderStyle v) {
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    // The client area changes size: the controls realign and the bars
    // follow.
    Realign();
    UpdateScrollBars();
    if (FWidget) velmor_ws::Invalidate(FWidget);
}

int TScrollBox::ExtentX() const {
    int x = FHorz->Range();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible() && c->Align() == alNone) x = std::max(x, c->Left() + c->Width() + FHPos);
    }
    return x;
}

int TScrollBox::ExtentY() const {
    int y = FVert->Range();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible() && c->Align() == alNone) y = std::max(y, c->Top() + c->Height() + FVPos);
    }
    return y;
}

void TScrollBox::ScrollBy(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    FHPos += dx;
    FVPos += dy;
    FInUpdate = true;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Align() == alNone) c->SetBounds(c->Left() - dx, c->Top() - dy, c->Width(), c->Height());
    }
    FInUpdate = false;
    UpdateScrollBars();
}

void TScrollBox::ScrollTo(int x, int y) {
    const TRect r = ClientRect();
    x = std::clamp(x, 0, std::max(0, ExtentX() - r.Width()));
    y = std::clamp(y, 0, std::max(0, ExtentY() - r.Height()));
    ScrollBy(x - FHPos, y - FVPos);
}

void TScrollBox::ScrollInView(TControl* control) {
    if (!control || control->Parent() != this) return;
    const TRect r = ClientRect();
    int dx = 0, dy = 0;
    if (control->Left() < 0) dx = control->Left();
    else if (control->Left() + control->Width() > r.Width()) dx = std::min(control->Left(), control->Left() + control->Width() - r.Width());
    if (control->Top() < 0) dy = control->Top();
    else if (control->Top() + control->Height() > r.Height()) dy = std::min(control->Top(), control->Top() + control->Height() - r.Height());
    ScrollBy(dx, dy);
}

void TScrollBox::UpdateScrollBars() {
    if (FInUpdate) return;
    FInUpdate = true;
    // Two rounds: one bar taking room may call for the other.
    for (int round = 0; round < 2; ++round) {
        const TRect r = ClientRect();
        FShowH = AutoScroll && FHorz->Visible() && ExtentX() > r.Width();
        FShowV = AutoScroll && FVert->Visible() && ExtentY() > r.Height();
    }
    FInUpdate = false;
    // Scrolled past what is there now: come back.
    const TRect r = ClientRect();
    const int maxX = std::max(0, ExtentX() - r.Width()), maxY = std::max(0, ExtentY() - r.Height());
    if (FHPos > maxX || FVPos > maxY) {
        ScrollBy(std::min(FHPos, maxX) - FHPos, std::min(FVPos, maxY) - FVPos);
        return;
    }
    if (!FWidget) return;
    const int b = BorderWidth();
    velmor_ws::TBoxBar h, v;
    h.Visible = FShowH;
    h.Bounds = Bounds(b, FHeight - b - kBar, r.Width(), kBar);
    h.Max = maxX;
    h.PageStep = std::max(1, r.Width());
    h.SingleStep = FHorz->Increment;
    h.Position = FHPos;
    v.Visible = FShowV;
    v.Bounds = Bounds(FWidth - b - kBar, b, kBar, r.Height());
    v.Max = maxY;
    v.PageStep = std::max(1, r.Height());
    v.SingleStep = FVert->Increment;
    v.Position = FVPos;
    velmor_ws::LayoutScrollBox(FWidget, b, Bounds(b, b, r.Width(), r.Height()), h, v);
}

void TScrollBox::AlignControls(TControl* control, TRect& rect) {
    TWinControl::AlignControls(control, rect);
    UpdateScrollBars();
}

QWidget* TScrollBox::CreateWidget(QWidget* parent) {
    return velmor_ws::CreateScrollBox(parent, [this](bool vertical, int pos) {
        if (vertical)
            ScrollTo(FHPos, pos);
        else
            ScrollTo(pos, FVPos);
    });
}

void TScrollBox::InitWidget() {
    // Mouse and paint messages of the client widget are the box's own.
    velmor_ws::WatchInner(FBridge, velmor_ws::ScrollBoxClient(FWidget));
    TWinControl::InitWidget();
    UpdateScrollBars();
}

void TScrollBox::ApplyBounds() {
    TWinControl::ApplyBounds();
    UpdateScrollBars();
}
