#include "toolbars/TbSplitter.h"

#include <algorithm>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Pen.h"
#include "toolbars/TbCommon.h"
#include "toolbars/TbCursors.h"
#include "toolbars/TbPaneData.h"
#include "toolbars/TbSplitterDragBar.h"
#include "toolbars/TbSplitterPane.h"
#include "framework/controls/Form.h"

namespace {

int PercentOf(int percent, int avail) { return RoundHalfEven(percent / 100.0 * avail); }

}  // namespace

TTbSplitter::TTbSplitter(TComponent* owner) : TTbCustomPanel(owner) {
    ControlStyle = csCaptureMouse | csOpaque;
    FWidth = 200;
    FHeight = 100;
    SetBorderOuter(TFrameStyle::fsNone);
    for (int i = 0; i < 2; ++i) {
        FPanes[i] = new TTbSplitterPane(this, this);
        FPanes[i]->SetParent(this);
        FPaneData[i] = std::make_unique<TTbPaneData>(FPanes[i]);
    }
    ForwardDockEvents(FPanes[0], &TTbSplitter::OnULGetSiteInfo, &TTbSplitter::OnULDockOver,
                      &TTbSplitter::OnULDockDrop, &TTbSplitter::OnULUnDock);
    ForwardDockEvents(FPanes[1], &TTbSplitter::OnLRGetSiteInfo, &TTbSplitter::OnLRDockOver,
                      &TTbSplitter::OnLRDockDrop, &TTbSplitter::OnLRUnDock);
    UpdatePanes();
}

void TTbSplitter::ForwardDockEvents(TTbSplitterPane* pane, TGetSiteInfoEvent TTbSplitter::*getSiteInfo,
                                    TDockOverEvent TTbSplitter::*dockOver, TDockDropEvent TTbSplitter::*dockDrop,
                                    TUnDockEvent TTbSplitter::*unDock) {
    pane->OnGetSiteInfo = [this, getSiteInfo](TObject* sender, TControl* client, TRect& influence, TPoint pos,
                                              bool& canDock) {
        if (this->*getSiteInfo) (this->*getSiteInfo)(sender, client, influence, pos, canDock);
    };
    pane->OnDockOver = [this, dockOver](TObject* sender, TDragDockObject* source, int x, int y, TDragState state,
                                        bool& accept) {
        if (this->*dockOver) (this->*dockOver)(sender, source, x, y, state, accept);
    };
    pane->OnDockDrop = [this, dockDrop](TObject* sender, TDragDockObject* source, int x, int y) {
        if (this->*dockDrop) (this->*dockDrop)(sender, source, x, y);
    };
    pane->OnUnDock = [this, unDock](TObject* sender, TControl* client, TWinControl* target, bool& allow) {
        if (this->*unDock) (this->*unDock)(sender, client, target, allow);
    };
}

TTbSplitter::~TTbSplitter() { Destroying(); }

TControl* TTbSplitter::DragBar() const { return FDragBar; }

TTbPaneData* TTbSplitter::GetPaneData(int index) const {
    return index == 2 ? FPaneData[1].get() : FPaneData[0].get();
}

void TTbSplitter::SetPaneData(int index, TTbPaneData* value) { GetPaneData(index)->Assign(value); }

// --- position ---------------------------------------------------------------------

int TTbSplitter::GetBorderThickness() const {
    int t = BorderWidth();
    const int edges = FrameStyleWidth(BorderOuter(), BevelWidth()) + FrameStyleWidth(BorderInner(), BevelWidth());
    if (BorderSides() & sdLeft) t += edges;
    if (BorderSides() & sdTop) t += edges;
    return t;
}

void TTbSplitter::AdjustPosition(int& pos) const {
    if (FPanes[0]->Visible() && FPanes[1]->Visible()) {
        int lo = FMarginMin, hi = FMarginMax;
        if (FHotSpotClosed && HotSpotIgnoreMargins) lo = hi = 0;
        const int extra = FSplitterStyle == TSplitterStyle::ssStandard ? 0 : 4;
        pos = std::max(pos, lo);
        pos = std::min(pos, Extent() - hi - FSplitterWidth - 2 * GetBorderThickness() - extra);
    }
    // However small the splitter gets, the bar never goes before its start.
    pos = std::max(pos, 0);
}

void TTbSplitter::ApplyPosition(int v, bool keepPercent) {
    if (v == FPosition && !FResizing) return;
    AdjustPosition(v);
    bool allow = true;
    if (OnChanging) OnChanging(this, v, allow);
    if (!allow) return;
    const bool changed = v != FPosition;
    FPosition = v;
    // A resize never rewrites the share the splitter keeps; only a drag or
    // a position set on purpose does.
    if (!keepPercent && !(FResizing && FUsePercent) && Avail() > 0)
        FPercent = RoundHalfEven(static_cast<double>(v) / Avail() * 100.0);
    UpdatePanes();
    UpdateFixedSize();
    if (changed && OnChange) OnChange(this);
}

void TTbSplitter::SetPosition(int v) {
    if (v == FPosition) return;
    ApplyPosition(v, false);
    if (!HasState(csLoading)) SetPreferredPosition(FPosition);
}

void TTbSplitter::MovePosition(int pos) {
    if (pos == FPosition) return;
    ApplyPosition(pos, false);
    SetPreferredPosition(FPosition);
}

void TTbSplitter::UpdateFixedSize() { FFixedSize = FFixedPane == fpUpperLeft ? FPosition : Extent() - FPosition; }

void TTbSplitter::SetPreferredPosition(int pos) { FPreferred = FFixedPane == fpUpperLeft ? pos : Extent() - pos; }

namespace {

// Whether the control and every parent up to `top` is visible.
bool ShowsWithin(TControl* control, TControl* top) {
    for (TControl* c = control; c; c = c->Parent()) {
        if (!c->Visible()) return false;
        if (c == top) return true;
    }
    return false;
}

}  // namespace

void TTbSplitter::PaneVisibilityChanged() {
    if (HasState(csDestroying)) return;
    UpdatePanes();
    // The window's active control may sit in a pane that is hidden now (or
    // was hidden when it became active). Left there it cannot take the
    // focus back when the window is activated, so the splitter holds it.
    // A control that still shows keeps it: showing a pane must not pull the
    // caret away from where the user is typing.
    TForm* form = GetParentForm(this);
    if (!form || HasState(csLoading)) return;
    TWinControl* active = form->ActiveControl();
    if (active && active != this && ContainsControl(active) && !ShowsWithin(active, this))
        form->SetActiveControl(this);
}

void TTbSplitter::ApplyPercentMargins() {
    const int a = Avail();
    if (a <= 0) return;
    FMarginMin = PercentOf(FPercentMin, a);
    FMarginMax = a - PercentOf(FPercentMax, a);
}

void TTbSplitter::SetPercent(int v) {
    if (v == FPercent) return;
    FPercent = v;
    if (HasState(csLoading)) return;
    FUsePercent = true;
    FFixedPane = fpUpperLeft;
    if (Avail() <= 0) return;
    ApplyPercentMargins();
    ApplyPosition(PercentOf(v, Avail()), true);
    SetPreferredPosition(FPosition);
}

void TTbSplitter::SetUsePercent(bool v) {
    if (v == FUsePercent) return;
    FUsePercent = v;
    if (v) {
        FFixedPane = fpUpperLeft;
        if (!HasState(csLoading)) ApplyPercentMargins();
    }
}

void TTbSplitter::SetPercentMin(int v) {
    v = std::max(v, 0);
    if (v == FPercentMin) return;
    FPercentMin = v;
    if (FUsePercent && !HasState(csLoading)) ApplyPercentMargins();
}

void TTbSplitter::SetPercentMax(int v) {
    v = std::min(v, 100);
    if (v == FPercentMax) return;
    FPercentMax = v;
    if (FUsePercent && !HasState(csLoading)) ApplyPercentMargins();
}

void TTbSplitter::SetMarginMin(int v) {
    v = std::min(std::max(v, 0), std::max(Extent() - FMarginMax, 0));
    FMarginMin = v;
}

void TTbSplitter::SetMarginMax(int v) {
    v = std::min(std::max(v, 0), std::max(Extent() - FMarginMin, 0));
    FMarginMax = v;
}

void TTbSplitter::SetFixedPane(TFixedPane v) {
    if (v == FFixedPane) return;
    FFixedPane = v;
    if (v == fpLowerRight) FUsePercent = false;
    SetPreferredPosition(FPosition);
    UpdateFixedSize();
}

void TTbSplitter::SetOrientation(TOrientation v) {
    if (v == FOrientation) return;
    FOrientation = v;
    if (FUsePercent && !HasState(csLoading) && Avail() > 0) {
        ApplyPercentMargins();
        TTbFlagScope resizing(FResizing);
        ApplyPosition(PercentOf(FPercent, Avail()), true);
    } else {
        UpdatePanes();
    }
    Invalidate();
}

void TTbSplitter::SetSplitterWidth(int v) {
    v = std::max(v, 0);
    if (FSplitterStyle != TSplitterStyle::ssStandard) v = std::max(v, 6);
    if (FHotSpotVisible) v = std::max(v, 7);
    if (v == FSplitterWidth) return;
    FSplitterWidth = v;
    UpdatePanes();
    Invalidate();
}

void TTbSplitter::SetSplitterStyle(TSplitterStyle v) {
    if (v == FSplitterStyle) return;
    FSplitterStyle = v;
    SetSplitterWidth(FSplitterWidth);
    Invalidate();
}

void TTbSplitter::SetHotSpotVisible(bool v) {
    if (v == FHotSpotVisible) return;
    FHotSpotVisible = v;
    if (!v) FHotSpotClosed = false;
    SetSplitterWidth(FSplitterWidth);
    UpdateHotSpotRect();
    Invalidate();
}

void TTbSplitter::SetHotSpotHighlight(TColor v) {
    if (v == FHotSpotHighlight) return;
    FHotSpotHighlight = v;
    Invalidate();
}

void TTbSplitter::SetHotSpotDirection(THotSpotDirection v) {
    if (v == FHotSpotDirection) return;
    FHotSpotDirection = v;
    Invalidate();
}

void TTbSplitter::SetHotSpotSizePercent(int v) {
    if (v == FHotSpotSizePercent) return;
    FHotSpotSizePercent = v;
    UpdateHotSpotRect();
    Invalidate();
}

void TTbSplitter::SetSelectedPane(TSelectedPane v) {
    if (v == FSelectedPane) return;
    FSelectedPane = v;
    if (HasState(csDesigning)) {
        (v == spLowerRight ? FPanes[0] : FPanes[1])->BringToFront();
        UpdatePanes();
    }
}

// --- layout ------------------------------------------------------------------------

void TTbSplitter::UpdatePanes() {
    if (HasState(csLoading) || HasState(csDestroying) || FUpdating || !FPanes[0] || !FPanes[1]) return;
    const TRect R = InnerRect();
    // Nothing sensible fits: leave the panes until there is room again.
    if (R.Width() <= 0 || R.Height() <= 0) return;
    TTbFlagScope updating(FUpdating);
    const bool ul = FPanes[0]->Visible(), lr = FPanes[1]->Visible();
    const int W = R.Width(), H = R.Height();
    if (FOrientation == orHorizontal) {
        FPanes[0]->SetBounds(R.Left, R.Top, ul ? (lr ? FPosition : W) : 0, H);
        FBarRect = ul && lr ? Bounds(R.Left + FPosition, R.Top, FSplitterWidth, H) : Bounds(R.Left, R.Top, 0, H);
        if (lr && ul)
            FPanes[1]->SetBounds(R.Left + FPosition + FSplitterWidth, R.Top, W - FPosition - FSplitterWidth, H);
        else
            FPanes[1]->SetBounds(R.Left, R.Top, lr ? W : 0, H);
    } else {
        FPanes[0]->SetBounds(R.Left, R.Top, W, ul ? (lr ? FPosition : H) : 0);
        FBarRect = ul && lr ? Bounds(R.Left, R.Top + FPosition, W, FSplitterWidth) : Bounds(R.Left, R.Top, W, 0);
        if (lr && ul)
            FPanes[1]->SetBounds(R.Left, R.Top + FPosition + FSplitterWidth, W, H - FPosition - FSplitterWidth);
        else
            FPanes[1]->SetBounds(R.Left, R.Top, W, lr ? H : 0);
    }
    UpdateHotSpotRect();
    for (TTbSplitterPane* pane : FPanes)
        for (int i = 0; i < pane->ControlCount(); ++i)
            if (auto* inner = dynamic_cast<TTbSplitter*>(pane->Controls(i))) inner->UpdatePanes();
    Invalidate();
}

void TTbSplitter::UpdateHotSpotRect() {
    const bool horizontal = FOrientation == orHorizontal;
    const int length = horizontal ? FBarRect.Height() : FBarRect.Width();
    const int half = RoundHalfEven(FHotSpotSizePercent / 100.0 * length) / 2;
    if (horizontal) {
        const int mid = FBarRect.Top + length / 2;
        FHotSpotRect = Rect(FBarRect.Left, mid - half, FBarRect.Right, mid + half);
    } else {
        const int mid = FBarRect.Left + length / 2;
        FHotSpotRect = Rect(mid - half, FBarRect.Top, mid + half, FBarRect.Bottom);
    }
}

void TTbSplitter::AlignControls(TControl* control, TRect& rect) {
    (void)control;
    (void)rect;
    UpdatePanes();
}

void TTbSplitter::Resize() {
    TTbCustomPanel::Resize();
    if (HasState(csDestroying) || HasState(csLoading)) return;
    // While there is no room the bar keeps its place and its share.
    if (Avail() <= 0) return;
    TTbFlagScope resizing(FResizing);
    if (FFixedPane == fpLowerRight && !FUsePercent) {
        ApplyPosition(Extent() - FFixedSize, false);
        // The lower-right pane was squeezed below the size the user chose:
        // give it back as the room allows.
        if (!FHotSpotClosed && FPreferred > Extent() - FPosition) ApplyPosition(Extent() - FPreferred, false);
    } else if (FUsePercent) {
        ApplyPercentMargins();
        if (!FHotSpotClosed)
            ApplyPosition(PercentOf(FPercent, Avail()), true);
        else
            ApplyPosition(FHotSpotDirection == hsdMax ? Avail() : 0, true);
    } else {
        ApplyPosition(FPosition, false);
        if (!FHotSpotClosed && FPreferred > FPosition) ApplyPosition(FPreferred, false);
    }
}

// --- loading and the stored pane contents -----------------------------------------

void TTbSplitter::ReadUpperLeftControls(const std::vector<String>& names) {
    FPendingNames[0] = std::make_unique<std::vector<String>>(names);
    if (!HasState(csLoading)) ResolvePaneNames();
}

void TTbSplitter::ReadLowerRightControls(const std::vector<String>& names) {
    FPendingNames[1] = std::make_unique<std::vector<String>>(names);
    if (!HasState(csLoading)) ResolvePaneNames();
}

std::vector<String> TTbSplitter::PaneNames(int index) const {
    std::vector<String> names;
    for (int i = 0; i < FPanes[index]->ControlCount(); ++i) names.push_back(FPanes[index]->Controls(i)->Name());
    return names;
}

std::vector<String> TTbSplitter::UpperLeftControlNames() const { return PaneNames(0); }
std::vector<String> TTbSplitter::LowerRightControlNames() const { return PaneNames(1); }

void TTbSplitter::Loaded() {
    TTbCustomPanel::Loaded();
    SetPreferredPosition(FPosition);
    if (FUsePercent && Avail() > 0) {
        ApplyPercentMargins();
        TTbFlagScope resizing(FResizing);
        ApplyPosition(PercentOf(FPercent, Avail()), true);
    }
    UpdatePanes();
    ResolvePaneNames();
}

void TTbSplitter::ReadBarSize(const TRect& bar) {
    FBarRect = bar;
    UpdateHotSpotRect();
}

void TTbSplitter::ReadHotSpotState(bool closed, int position) {
    FHotSpotClosed = closed;
    FHotSpotPosition = position;
}

void TTbSplitter::ResolvePaneNames() {
    for (int p = 0; p < 2; ++p) {
        if (!FPendingNames[p]) continue;
        for (const String& name : *FPendingNames[p]) {
            auto* c = Owner() ? dynamic_cast<TControl*>(Owner()->FindComponent(name)) : nullptr;
            if (c && c != FPanes[p]) c->SetParent(FPanes[p]);
        }
        FPendingNames[p].reset();
    }
}

// --- mouse --------------------------------------------------------------------------

void TTbSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TTbCustomPanel::MouseDown(button, shift, x, y);
    if (button != mbLeft || !FBarRect.Contains(Point(x, y))) return;
    SetMouseCapture(true);
    FDragging = !LockBar;
    FHotSpotPressed = FHotSpotVisible && FHotSpotRect.Contains(Point(x, y));
    FDragStart = FPosition;
    FPressAt = Along(x, y);
    FLastDrag = FPosition;
    if (FDragging) DrawDragBar(FPosition);
}

void TTbSplitter::MouseMove(TShiftState shift, int x, int y) {
    TTbCustomPanel::MouseMove(shift, x, y);
    const TPoint p = Point(x, y);
    const bool overHot = FHotSpotVisible && FHotSpotRect.Contains(p);
    if (FBarRect.Contains(p) && !LockBar && !overHot)
        SetCursor(FOrientation == orHorizontal ? TbSplitHorzCursor() : TbSplitVertCursor());
    else
        SetCursor(crDefault);
    if (overHot != FOverHotSpot) {
        FOverHotSpot = overHot;
        Invalidate();
    }
    if (!FDragging) return;
    int pos = FDragStart + Along(x, y) - FPressAt;
    AdjustPosition(pos);
    bool allow = true;
    if (OnChanging) OnChanging(this, pos, allow);
    if (!allow || pos == FLastDrag) return;
    FHotSpotClosed = false;
    FHotSpotPressed = false;
    DrawDragBar(FLastDrag);
    DrawDragBar(pos);
    if (RealTimeDrag) {
        ApplyPosition(pos, false);
        SetPreferredPosition(FPosition);
    }
    FLastDrag = pos;
}

void TTbSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && (FDragging || FHotSpotPressed)) {
        const bool dragged = FDragging;
        FDragging = false;
        SetMouseCapture(false);
        if (dragged && !RealTimeDrag) {
            DrawDragBar(FLastDrag);
            EndOutline();
            ApplyPosition(FLastDrag, false);
            SetPreferredPosition(FPosition);
        }
        if (FHotSpotPressed && FHotSpotRect.Contains(Point(x, y))) {
            FHotSpotPressed = false;
            ToggleHotSpot();
            if (OnHotSpotClick) OnHotSpotClick(this);
        }
        FHotSpotPressed = false;
    }
    TTbCustomPanel::MouseUp(button, shift, x, y);
}

void TTbSplitter::ToggleHotSpot() {
    if (!FHotSpotClosed) {
        FHotSpotPosition = FPosition;
        FHotSpotClosed = true;
        // The limits put the bar at the far end or the start.
        ApplyPosition(FHotSpotDirection == hsdMax ? INT_MAX : 0, false);
    } else {
        FHotSpotClosed = false;
        ApplyPosition(FHotSpotPosition, false);
        SetPreferredPosition(FPosition);
    }
    Invalidate();
}

// --- painting -------------------------------------------------------------------------

void TTbSplitter::DrawDragBar(int pos) {
    if (RealTimeDrag) return;
    // Drawing the outline twice at one place takes it away again.
    if (FOutlineAt == pos) {
        FOutlineAt = -1;
        if (FDragBar) FDragBar->SetVisible(false);
        return;
    }
    FOutlineAt = pos;
    const int bt = GetBorderThickness();
    const TRect r = FOrientation == orHorizontal ? Bounds(bt + pos, bt, FBarRect.Width(), FBarRect.Height())
                                                 : Bounds(bt, bt + pos, FBarRect.Width(), FBarRect.Height());
    if (!FDragBar) {
        FDragBar = new TTbSplitterDragBar(nullptr);
        FDragBar->SetVisible(false);
        FDragBar->SetParent(this);
        FDragBar->BringToFront();
    }
    FDragBar->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    FDragBar->SetVisible(true);
}

void TTbSplitter::EndOutline() {
    FOutlineAt = -1;
    // The outline lives only as long as the drag: the splitter keeps no
    // children of its own beside the panes.
    delete FDragBar;
    FDragBar = nullptr;
}

void TTbSplitter::WndProc(TMessage& message) {
    // The drag was taken away (a window came up, the capture went): the bar
    // stays where it was and the outline goes.
    if (message.Msg == WM_CANCELMODE && FDragging) {
        FDragging = false;
        FHotSpotPressed = false;
        EndOutline();
    }
    TTbCustomPanel::WndProc(message);
}

void TTbSplitter::Paint() {
    TTbCustomPanel::Paint();
    DrawSplitterBar();
}

void TTbSplitter::DrawSplitterBar() {
    TCanvas* c = Canvas();
    if (FSplitterStyle != TSplitterStyle::ssStandard && !FBarRect.IsEmpty()) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color());
        c->FillRect(FBarRect);
        const TFrameStyle style = FSplitterStyle == TSplitterStyle::ssGroove ? TFrameStyle::fsStatus : TFrameStyle::fsPopup;
        if (FOrientation == orHorizontal) {
            const int mid = FBarRect.Left + FBarRect.Width() / 2;
            DrawBorder(c, Rect(mid - 3, FBarRect.Top, mid, FBarRect.Bottom), style);
            DrawBorder(c, Rect(mid, FBarRect.Top, mid + 3, FBarRect.Bottom), style);
        } else {
            const int mid = FBarRect.Top + FBarRect.Height() / 2;
            DrawBorder(c, Rect(FBarRect.Left, mid - 3, FBarRect.Right, mid), style);
            DrawBorder(c, Rect(FBarRect.Left, mid, FBarRect.Right, mid + 3), style);
        }
    }
    if (FHotSpotVisible && !FHotSpotRect.IsEmpty()) DrawHotSpot(FOverHotSpot);
}

void TTbSplitter::DrawHotSpot(bool highlight) {
    TCanvas* c = Canvas();
    TRect r = DrawSides(c, FHotSpotRect, clBtnShadow, AllSides, clBtnShadow);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(highlight ? FHotSpotHighlight : clBtnFace);
    c->FillRect(r);
    DrawSides(c, r, clBtnHighlight, sdLeft | sdTop, clBtnHighlight);
    // Arrows toward the side the bar goes to when the spot is clicked.
    const bool towardMin = (FHotSpotDirection == hsdMin) != FHotSpotClosed;
    c->Pen()->SetColor(clHighlight);
    c->Brush()->SetColor(clHighlight);
    const bool vertical = FOrientation == orHorizontal;  // the bar runs up and down
    const int C = vertical ? (FHotSpotRect.Left + FHotSpotRect.Right) / 2 : (FHotSpotRect.Top + FHotSpotRect.Bottom) / 2;
    const int T = vertical ? FHotSpotRect.Top : FHotSpotRect.Left;
    const int B = vertical ? FHotSpotRect.Bottom : FHotSpotRect.Right;
    const int d = towardMin ? 1 : -1;
    auto point = [vertical](int across, int along) { return vertical ? Point(across, along) : Point(along, across); };
    c->Polygon({point(C + d, T + 6), point(C - d, T + 8), point(C + d, T + 10)});
    c->Polygon({point(C + d, B - 6), point(C - d, B - 8), point(C + d, B - 10)});
    const int length = B - T;
    for (int i = 0; i <= (length - 32) / 3; ++i) {
        const TPoint a = point(C, T + 15 + 3 * i), b = point(C + 1, T + 16 + 3 * i);
        c->SetPixels(a.X, a.Y, clHighlightText);
        c->SetPixels(b.X, b.Y, clHighlight);
    }
}
