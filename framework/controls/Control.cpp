#include "framework/controls/Control.h"

#include <algorithm>

#include "framework/controls/ControlActionLink.h"
#include "framework/controls/CustomAction.h"
#include "framework/controls/Docking.h"
#include "framework/controls/DragDrop.h"
#include "framework/controls/FloatingDockForm.h"
#include "framework/controls/ControlsInternal.h"
#include "framework/controls/SizeConstraints.h"
#include "framework/controls/WinControl.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/rtl/Exception.h"
#include "framework/messages/MessageQueue.h"

namespace {
TControl* gCaptureControl = nullptr;

struct TFlagScope {
    bool& Flag;
    bool Old;
    explicit TFlagScope(bool& f) : Flag(f), Old(f) { Flag = true; }
    ~TFlagScope() { Flag = Old; }
};
}  // namespace

TControl* GetCaptureControl() { return gCaptureControl; }

namespace {
TPopupMenuHandler& PopupHandler() {
    static TPopupMenuHandler handler;
    return handler;
}
}  // namespace

TPopupMenuHandler SetPopupMenuHandler(TPopupMenuHandler handler) {
    TPopupMenuHandler old = std::move(PopupHandler());
    PopupHandler() = std::move(handler);
    return old;
}

TShiftState KeyboardShiftState() {
    if (velmor_internal::gKeyShiftOverride >= 0) return velmor_internal::gKeyShiftOverride;
    return velmor_ws::KeyboardShiftState();
}

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (KeyboardShiftState() & ssAlt) s |= ssAlt;
    return s;
}

TControl::TControl(TComponent* owner)
    : TComponent(owner), FFont(new TFont), FConstraints(new TSizeConstraints(this)) {
    // Counting here tells the bridge whether a replaced WindowProc passed
    // the message on or swallowed it.
    WindowProc = [this](TMessage& m) {
        ++FWndProcSeen;
        WndProc(m);
    };
    FFont->OnChange = [this](TObject*) { FontOnChange(); };
    FConstraints->OnChange = [this](TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); };
}

TControl::~TControl() {
    Destroying();
    FActionLink.reset();
    velmor_internal::DropTargetControlGone(this);
    velmor_internal::DockControlGone(this);
    if (gCaptureControl == this) gCaptureControl = nullptr;
    velmor_internal::HintControlGone(this);
    if (FParent) FParent->RemoveControl(this);
    TControl::DestroyHandle();
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (auto* self = dynamic_cast<TWinControl*>(this); self && parent && self->ContainsControl(parent))
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

// --- geometry ---------------------------------------------------------------

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    FConstraints->Apply(width, height);
    if ((width != FWidth || height != FHeight) && !CanResize(width, height)) {
        width = FWidth;
        height = FHeight;
    }
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    const bool sized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (!FAligning) UpdateAnchorRules();
    if (FWidget) ApplyBounds();
    if (sized && !HasState(csLoading)) Resize();
    RequestAlign();
}

void TControl::SetBoundsFromAligner(int left, int top, int width, int height) {
    TFlagScope scope(FAligning);
    SetBounds(left, top, width, height);
}

void TControl::UpdateBoundsFromWidget(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    const bool sized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (sized) Resize();
    RequestAlign();
}

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int v) { SetWidth(FWidth - ClientWidth() + v); }
void TControl::SetClientHeight(int v) { SetHeight(FHeight - ClientHeight() + v); }

TPoint TControl::ClientOrigin() const {
    if (FWidget) return velmor_ws::MapToScreen(FWidget, Point(0, 0));
    if (FParent) {
        const TPoint o = FParent->ClientOrigin();
        return Point(o.X + FLeft, o.Y + FTop);
    }
    return Point(FLeft, FTop);
}

TPoint TControl::ClientToScreen(const TPoint& p) const {
    const TPoint o = ClientOrigin();
    return Point(p.X + o.X, p.Y + o.Y);
}

TPoint TControl::ScreenToClient(const TPoint& p) const {
    const TPoint o = ClientOrigin();
    return Point(p.X - o.X, p.Y - o.Y);
}

void TControl::SetAlign(TAlign v) {
    if (v == FAlign) return;
    const TAlign old = FAlign;
    FAlign = v;
    // Anchors follow the sides an alignment sticks to, as the designer sets them.
    static const TAnchors sides[] = {
        DefaultAnchors,                    // alNone
        akLeft | akTop | akRight,          // alTop
        akLeft | akRight | akBottom,       // alBottom
        akLeft | akTop | akBottom,         // alLeft
        akRight | akTop | akBottom,        // alRight
        akLeft | akTop | akRight | akBottom,  // alClient
        DefaultAnchors,                    // alCustom
    };
    if (FAnchors == sides[old]) FAnchors = sides[v];
    RequestAlign();
}

void TControl::SetAnchors(TAnchors v) {
    if (v == FAnchors) return;
    FAnchors = v;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
    if (!FParent) return;
    const TRect pc = FParent->ClientRect();
    FAnchorRules = {FLeft, FTop, FWidth, FHeight, pc.Width(), pc.Height()};
}

void TControl::AnchorsAlign(const TRect& parentClient) {
    const TAnchorRules& r = FAnchorRules;
    const int dw = parentClient.Width() - r.ParentWidth;
    const int dh = parentClient.Height() - r.ParentHeight;
    int left = r.Left, width = r.Width, top = r.Top, height = r.Height;
    if ((FAnchors & akLeft) && (FAnchors & akRight))
        width = r.Width + dw;
    else if (FAnchors & akRight)
        left = r.Left + dw;
    else if (!(FAnchors & akLeft))
        left = r.Left + dw / 2;  // neither side: keeps its place in the middle
    if ((FAnchors & akTop) && (FAnchors & akBottom))
        height = r.Height + dh;
    else if (FAnchors & akBottom)
        top = r.Top + dh;
    else if (!(FAnchors & akTop))
        top = r.Top + dh / 2;
    SetBoundsFromAligner(left, top, width, height);
}

void TControl::RequestAlign() {
    if (FParent && !FAligning) FParent->AlignControl(this);
}

bool TControl::CanResize(int& newWidth, int& newHeight) {
    bool resize = true;
    if (OnCanResize) OnCanResize(this, newWidth, newHeight, resize);
    return resize;
}

// --- properties ---------------------------------------------------------------

void TControl::SetVisible(bool v) {
    if (v == FVisible) return;
    FVisible = v;
    if (FWidget) ApplyVisible();
    Perform(CM_VISIBLECHANGED, v ? 1 : 0);
    RequestAlign();
}

bool TControl::Showing() const {
    if (!FVisible) return false;
    if (FParent) return FParent->Showing();
    return FWidget && velmor_ws::IsVisible(FWidget);
}

void TControl::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    if (FWidget) ApplyEnabled();
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor v) {
    if (v == FColor) return;
    FColor = v;
    if (!FColorFromParent) FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
    if (v == FParentColor) return;
    FParentColor = v;
    if (v && FParent) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetFont(TFont* v) { FFont->Assign(v); }

void TControl::FontOnChange() {
    if (!FFontFromParent) FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool v) {
    if (v == FParentFont) return;
    FParentFont = v;
    if (v && FParent) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetText(const String& v) {
    if (v == GetText()) return;
    FText = v;
    if (FWidget) ApplyText();
    Perform(CM_TEXTCHANGED);
}

void TControl::SetTextFromWidget(const String& text) {
    if (text == FText) return;
    FText = text;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetHint(const String& v) { FHint = v; }

bool TControl::ShowHint() const { return ParentEffectiveShowHint(); }

bool TControl::ParentEffectiveShowHint() const {
    if (FParentShowHint && FParent) return FParent->ShowHint();
    return FShowHint;
}

void TControl::SetShowHint(bool v) {
    FParentShowHint = false;
    if (v == FShowHint) return;
    FShowHint = v;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool v) {
    if (v == FParentShowHint) return;
    FParentShowHint = v;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor v) {
    if (v == FCursor) return;
    FCursor = v;
    if (FWidget) ApplyCursor();
    Perform(CM_CURSORCHANGED);
}

// --- painting and order ---------------------------------------------------------

void TControl::Invalidate() {
    if (FWidget) velmor_ws::Invalidate(FWidget);
}

void TControl::Invalidate(const TRect& r) {
    if (FWidget && !r.IsEmpty()) velmor_ws::Invalidate(FWidget, r);
}

void TControl::Update() {
    if (FWidget) velmor_ws::Repaint(FWidget);
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (FParent) {
        auto& list = FParent->FControls;
        list.erase(std::find(list.begin(), list.end(), this));
        list.push_back(this);
    }
    if (FWidget) velmor_ws::BringToFront(FWidget);
    RequestAlign();
}

void TControl::SendToBack() {
    if (FParent) {
        auto& list = FParent->FControls;
        list.erase(std::find(list.begin(), list.end(), this));
        list.insert(list.begin(), this);
    }
    if (FWidget) velmor_ws::SendToBack(FWidget);
    RequestAlign();
}

void TControl::PaintTo(TCanvas* canvas, int x, int y) {
    if (!canvas || !canvas->Painter()) return;
    velmor_ws::RenderTo(Widget(), canvas, x, y);
}

bool TControl::MouseCapture() const { return gCaptureControl == this; }

void TControl::SetMouseCapture(bool v) {
    if (v == MouseCapture()) return;
    if (v) {
        if (gCaptureControl && gCaptureControl != this) gCaptureControl->SetMouseCapture(false);
        gCaptureControl = this;
        if (FWidget) velmor_ws::GrabMouse(FWidget);
    } else {
        gCaptureControl = nullptr;
        if (FWidget) velmor_ws::ReleaseMouse(FWidget);
    }
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

// --- messages --------------------------------------------------------------------

void TControl::WndProc(TMessage& m) {
    if (m.Msg >= WM_MOUSEMOVE && m.Msg <= WM_MBUTTONDBLCLK && velmor_internal::DockMouseMessage(this, m)) return;
    // The widget's own handling of a button comes first, as the classic
    // handlers call the inherited one first: a check box has toggled and a
    // button has clicked before MouseDown, Click and MouseUp run.
    if (m.Msg >= WM_LBUTTONDOWN && m.Msg <= WM_MBUTTONDBLCLK && FBridge && !velmor_ws::RunWidgetDefault(FBridge, m.Msg))
        return;
    switch (m.Msg) {
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (!(ControlStyle & csDoubleClicks)) {
            // Without double clicks the second press is just a press.
            m.Msg = m.Msg - (WM_LBUTTONDBLCLK - WM_LBUTTONDOWN);
            WndProc(m);
            return;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const bool dbl = m.Msg == WM_LBUTTONDBLCLK || m.Msg == WM_RBUTTONDBLCLK || m.Msg == WM_MBUTTONDBLCLK;
        const TMouseButton button = (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) ? mbLeft
                                    : (m.Msg == WM_RBUTTONDOWN || m.Msg == WM_RBUTTONDBLCLK) ? mbRight
                                                                                              : mbMiddle;
        TShiftState shift = KeysToShiftState(m.WParam);
        if (button == mbLeft) {
            if (ControlStyle & csCaptureMouse) gCaptureControl = this;
            if (dbl) {
                if (ControlStyle & csClickEvents) DblClick();
            } else if (ControlStyle & csClickEvents) {
                FClicked = true;
            }
        }
        if (dbl) shift |= ssDouble;
        MouseDown(button, shift, GetXLParam(m.LParam), GetYLParam(m.LParam));
        return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const TMouseButton button = m.Msg == WM_LBUTTONUP ? mbLeft : m.Msg == WM_RBUTTONUP ? mbRight : mbMiddle;
        const TPoint p = PointFromLParam(m.LParam);
        if (button == mbLeft) {
            if (gCaptureControl == this) SetMouseCapture(false);
            if (FClicked) {
                FClicked = false;
                if (ClientRect().Contains(p)) Click();
            }
        }
        MouseUp(button, KeysToShiftState(m.WParam), p.X, p.Y);
        return;
    }
    case WM_MOUSEMOVE:
        velmor_internal::HintMouseMove(this, PointFromLParam(m.LParam));
        MouseMove(KeysToShiftState(m.WParam), GetXLParam(m.LParam), GetYLParam(m.LParam));
        return;
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<std::int16_t>(HiWord(m.WParam));
        const TShiftState shift = KeysToShiftState(LoWord(m.WParam));
        m.Result = DoMouseWheel(shift, delta, PointFromLParam(m.LParam)) ? 1 : 0;
        return;
    }
    case CM_MOUSEENTER:
        MouseEnter();
        velmor_internal::HintMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        MouseLeave();
        velmor_internal::HintMouseLeave(this);
        return;
    case WM_PAINT:
        WMPaint(m);
        return;
    case WM_SIZE:
        if (FWidget && !velmor_ws::IsWindow(FWidget))
            UpdateBoundsFromWidget(FLeft, FTop, LoWord(m.LParam), HiWord(m.LParam));
        return;
    case WM_MOVE:
        if (FWidget && !velmor_ws::IsWindow(FWidget))
            UpdateBoundsFromWidget(GetXLParam(m.LParam), GetYLParam(m.LParam), FWidth, FHeight);
        return;
    case WM_NCHITTEST:
        m.Result = HTCLIENT;
        return;
    case WM_CONTEXTMENU: {
        // Unhandled (Result 0), the request goes on to the parent.
        const TPoint screen = PointFromLParam(m.LParam);
        bool handled = false;
        DoContextPopup(ScreenToClient(screen), handled);
        if (!handled && FPopupMenu && PopupHandler()) {
            PopupHandler()(FPopupMenu, this, screen);
            handled = true;
        }
        m.Result = handled ? 1 : 0;
        return;
    }
    case WM_CANCELMODE:
        if (gCaptureControl == this) SetMouseCapture(false);
        FClicked = false;
        return;
    case CM_TEXTCHANGED:
        TextChanged();
        return;
    case CM_FONTCHANGED:
        FontChanged();
        return;
    case CM_COLORCHANGED:
        ColorChanged();
        return;
    case CM_ENABLEDCHANGED:
        EnabledChanged();
        return;
    case CM_VISIBLECHANGED:
        VisibleChanged();
        return;
    case CM_PARENTCOLORCHANGED:
        if (FParentColor && FParent) {
            TFlagScope scope(FColorFromParent);
            SetColor(FParent->Color());
        }
        return;
    case CM_PARENTFONTCHANGED:
        if (FParentFont && FParent) {
            TFlagScope scope(FFontFromParent);
            FFont->Assign(FParent->Font());
        }
        return;
    case CM_BIDIMODECHANGED:
        BiDiModeChanged();
        return;
    case CM_PARENTBIDIMODECHANGED:
        if (FParentBiDiMode && FParent && FParent->BiDiMode() != FBiDiMode) {
            FBiDiMode = FParent->BiDiMode();
            Perform(CM_BIDIMODECHANGED);
        }
        return;
    default:
        DefaultHandler(m);
    }
}

void TControl::DefaultHandler(TMessage& m) {
    if (FBridge) m.Result = DefWindowProc(velmor_ws::BridgeHandle(FBridge), m.Msg, m.WParam, m.LParam);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, const TPoint& mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    return handled;
}

void TControl::Click() {
    // The control's own handler wins; without one a linked action runs.
    if (OnClick)
        OnClick(this);
    else if (FActionLink)
        FActionLink->Execute(this);
}

// --- reading order ----------------------------------------------------------------

void TControl::SetBiDiMode(TBiDiMode v) {
    FParentBiDiMode = false;
    if (v == FBiDiMode) return;
    FBiDiMode = v;
    Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool v) {
    if (v == FParentBiDiMode) return;
    FParentBiDiMode = v;
    if (v && FParent) Perform(CM_PARENTBIDIMODECHANGED);
}

void TControl::BiDiModeChanged() {
    Invalidate();
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < self->ControlCount(); ++i) self->Controls(i)->Perform(CM_PARENTBIDIMODECHANGED);
}

// --- actions ------------------------------------------------------------------------

TBasicAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TBasicAction* v) {
    if (!v) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) {
        FActionLink = CreateActionLink();
        FActionLink->OnChange = [this](TObject* sender) { DoActionChange(sender); };
    }
    if (FActionLink->Action() == v) return;
    FActionLink->SetAction(v);
    ActionChange(v, HasState(csLoading));
}

std::unique_ptr<TControlActionLink> TControl::CreateActionLink() {
    return std::make_unique<TControlActionLink>(this);
}

void TControl::ActionChange(TObject* sender, bool checkDefaults) {
    auto* a = dynamic_cast<TCustomAction*>(sender);
    if (!a) return;
    if (!checkDefaults || Caption().empty() || Caption() == Name()) SetCaption(a->Caption());
    if (!checkDefaults || FEnabled) SetEnabled(a->Enabled());
    if (!checkDefaults || FHint.empty()) SetHint(a->Hint());
    if (!checkDefaults || FVisible) SetVisible(a->Visible());
    if (!checkDefaults || HelpContext == 0) HelpContext = a->HelpContext();
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::DoContextPopup(const TPoint& mousePos, bool& handled) {
    if (OnContextPopup) OnContextPopup(this, mousePos, handled);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::TextChanged() { Invalidate(); }

void TControl::FontChanged() {
    if (FWidget) ApplyFont();
    Invalidate();
}

void TControl::ColorChanged() {
    if (FWidget) ApplyColor();
    Invalidate();
}

void TControl::EnabledChanged() { Invalidate(); }

void TControl::VisibleChanged() {}

void TControl::WMPaint(TMessage& m) { m.Result = 0; }

// --- the widget ------------------------------------------------------------------

QWidget* TControl::Widget() {
    if (!FWidget) CreateHandle();
    return FWidget;
}

QWidget* TControl::CreateWidget(QWidget* parent) { return velmor_ws::CreatePlainWidget(parent); }

void TControl::CreateHandle() {
    if (FWidget) return;
    QWidget* parentWidget = FParent ? FParent->ClientWidget() : nullptr;
    if (FWidget) return;  // the parent made ours while making its own
    QWidget* w = CreateWidget(parentWidget);
    if (parentWidget && velmor_ws::ParentWidget(w) != parentWidget) velmor_ws::SetParentWidget(w, parentWidget);
    FWidget = w;
    FBridge = velmor_ws::AttachBridge(this, w);
    InitWidget();
    WidgetCreated();
    velmor_internal::DropTargetWidgetMade(this);
    ApplyVisible();
}

void TControl::InitWidget() {
    velmor_ws::SetMouseTracking(FWidget, true);
    ApplyBounds();
    ApplyFont();
    ApplyColor();
    ApplyText();
    ApplyEnabled();
    ApplyCursor();
    ApplyHint();
}

void TControl::DestroyHandle() {
    if (!FWidget) return;
    if (gCaptureControl == this) gCaptureControl = nullptr;
    QWidget* w = FWidget;
    TControlBridge* b = FBridge;
    FWidget = nullptr;
    FBridge = nullptr;
    // Somewhere up the stack the toolkit may still be delivering an event,
    // maybe to this very widget: then it goes once that is over.
    velmor_ws::DestroyWidget(w, b);
}

void TControl::ApplyBounds() { velmor_ws::SetGeometry(FWidget, FLeft, FTop, FWidth, FHeight); }

void TControl::ApplyText() { velmor_ws::Invalidate(FWidget); }

void TControl::ApplyColor() {}

void TControl::ApplyFont() { velmor_ws::ApplyFont(FWidget, FFont.get()); }

void TControl::ApplyVisible() { velmor_ws::SetVisible(FWidget, FVisible && FParent != nullptr); }

void TControl::ApplyEnabled() { velmor_ws::SetEnabled(FWidget, FEnabled); }

void TControl::ApplyCursor() { velmor_ws::ApplyCursor(FWidget, FCursor); }

void TControl::ApplyHint() {}

// --- docking (the work is in Docking.cpp) -------------------------------------------

bool TControl::Floating() const { return dynamic_cast<const TFloatingDockForm*>(FHostDockSite) != nullptr; }

void TControl::BeginDrag(bool immediate, int threshold) {
    velmor_internal::BeginDockDrag(this, velmor_internal::LastMousePos(), immediate, threshold);
}

void TControl::EndDrag(bool drop) { velmor_internal::EndDockDrag(this, drop); }

bool TControl::Dragging() const { return DragControl() == this; }

bool TControl::ManualDock(TWinControl* newDockSite, TControl* dropControl, TAlign controlSide) {
    return velmor_internal::ManualDock(this, newDockSite, dropControl, controlSide);
}

bool TControl::ManualFloat(const TRect& screenPos) { return velmor_internal::ManualFloat(this, screenPos); }

void TControl::DoStartDock(TDragDockObject*& dragObject) {
    if (OnStartDock) OnStartDock(this, dragObject);
}

void TControl::DoEndDock(TObject* target, int x, int y) {
    if (OnEndDock) OnEndDock(this, target, x, y);
}
