#include "framework/controls/WinControl.h"

#include <algorithm>

#include "framework/controls/ControlsInternal.h"
#include "framework/controls/DockTree.h"
#include "framework/controls/Docking.h"
#include "framework/controls/Form.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/rtl/Exception.h"

namespace {
// Which of two controls of the same alignment comes first. A control that
// sits higher (alTop), lower (alBottom) and so on keeps that place.
bool InsertBefore(TControl* c1, TControl* c2, TAlign align) {
    switch (align) {
    case alTop: return c1->Top() < c2->Top();
    case alBottom: return c1->Top() + c1->Height() >= c2->Top() + c2->Height();
    case alLeft: return c1->Left() < c2->Left();
    case alRight: return c1->Left() + c1->Width() >= c2->Left() + c2->Width();
    default: return false;
    }
}
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    Destroying();
    // The controls placed on a window go with it, whoever owns them.
    while (!FControls.empty()) {
        TControl* c = FControls.back();
        RemoveControl(c);
        delete c;
    }
    TWinControl::DestroyHandle();
}

HWND TWinControl::Handle() {
    HandleNeeded();
    return velmor_ws::BridgeHandle(FBridge);
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError(RtlConsts::SListIndexError, {index});
    return FControls[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(TControl* control) const {
    for (TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& p, bool allowDisabled) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (c->Visible() && (c->Enabled() || allowDisabled) && c->BoundsRect().Contains(p)) return c;
    }
    return nullptr;
}

// --- tab order and focus ------------------------------------------------------------

int TWinControl::TabOrder() const {
    if (!FParent) return -1;
    const auto& list = FParent->FTabList;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int v) {
    if (!FParent) return;
    auto& list = FParent->FTabList;
    const int current = TabOrder();
    if (current < 0) return;
    const int count = static_cast<int>(list.size());
    if (v < 0 || v >= count) v = count - 1;
    if (v == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + v, this);
    FParent->UpdateTabChain();
}

void TWinControl::SetTabStop(bool v) {
    if (v == FTabStop) return;
    FTabStop = v;
    if (FWidget) ApplyTabStop();
}

void TWinControl::ApplyTabStop() { velmor_ws::ApplyTabStop(FWidget, FTabStop, FPlainFocus); }

void TWinControl::UpdateTabChain() {
    QWidget* previous = nullptr;
    for (TWinControl* c : FTabList) {
        QWidget* w = c->WidgetIfAllocated();
        if (!w) continue;
        if (previous) velmor_ws::ChainTabOrder(previous, w);
        previous = w;
    }
}

bool TWinControl::CanFocus() const {
    const TForm* form = GetParentForm(const_cast<TWinControl*>(this));
    if (!form || !form->Visible() || !form->Enabled()) return false;
    for (const TControl* c = this; c && c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    TForm* form = GetParentForm(this);
    if (form && form != this) form->SetActiveControl(this);
    velmor_ws::SetFocus(Widget());
}

bool TWinControl::Focused() const {
    return FWidget && velmor_ws::IsFocused(FWidget);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// --- alignment -------------------------------------------------------------------

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0) --FAlignLevel;
    if (FAlignLevel == 0 && FAlignPending) Realign();
}

void TWinControl::AlignControl(TControl* control) {
    if (FAlignLevel > 0) {
        FAlignPending = true;
        return;
    }
    // The one guard: moving children re-enters through their SetBounds and
    // their OnResize handlers. A request made meanwhile is not dropped (that
    // would leave children overlapping) but runs as another pass once this
    // one is done; a layout that never settles stops after a few passes.
    if (FInAlign) {
        FAlignPending = true;
        return;
    }
    FInAlign = true;
    struct TReset {
        bool& Flag;
        ~TReset() { Flag = false; }
    } reset{FInAlign};
    constexpr int kMaxPasses = 8;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        FAlignPending = false;
        TRect r = ClientRect();
        AlignControls(pass == 0 ? control : nullptr, r);
        ResetDockBounds();
        if (!FAlignPending) break;
    }
    FAlignPending = false;
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
    AdjustClientRect(rect);
    auto doAlign = [&](TAlign align) {
        std::vector<TControl*> list;
        if (control && control->FParent == this && control->Align() == align && control->Visible())
            list.push_back(control);
        for (TControl* c : FControls) {
            if (c == control || c->Align() != align || !c->Visible()) continue;
            size_t j = 0;
            while (j < list.size() && !InsertBefore(c, list[j], align)) ++j;
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
        }
        for (TControl* c : list) {
            const int w = std::max(0, rect.Right - rect.Left);
            const int h = std::max(0, rect.Bottom - rect.Top);
            switch (align) {
            case alTop:
                c->SetBoundsFromAligner(rect.Left, rect.Top, w, c->Height());
                rect.Top += c->Height();
                break;
            case alBottom:
                c->SetBoundsFromAligner(rect.Left, rect.Bottom - c->Height(), w, c->Height());
                rect.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBoundsFromAligner(rect.Left, rect.Top, c->Width(), h);
                rect.Left += c->Width();
                break;
            case alRight:
                c->SetBoundsFromAligner(rect.Right - c->Width(), rect.Top, c->Width(), h);
                rect.Right -= c->Width();
                break;
            case alClient:
                c->SetBoundsFromAligner(rect.Left, rect.Top, w, h);
                break;
            default:
                break;
            }
        }
    };
    doAlign(alTop);
    doAlign(alBottom);
    doAlign(alLeft);
    doAlign(alRight);
    doAlign(alClient);
    const TRect client = ClientRect();
    for (TControl* c : std::vector<TControl*>(FControls))
        if (c->Align() == alNone && c->Anchors() != DefaultAnchors) c->AnchorsAlign(client);
}

TRect TWinControl::ClientRect() const { return TControl::ClientRect(); }

void TWinControl::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
}

void TWinControl::Resize() {
    Realign();
    TControl::Resize();
}

// --- keys ------------------------------------------------------------------------

void TWinControl::KeyDown(Word& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(Word& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

namespace {
TShiftState KeyShift(const TMessage& m) {
    TShiftState s = KeyboardShiftState();
    if (m.LParam & KF_ALTDOWN_BIT) s |= ssAlt;
    return s;
}
}  // namespace

bool TWinControl::DoKeyDown(TMessage& m) {
    Word key = static_cast<Word>(m.WParam);
    const TShiftState shift = KeyShift(m);
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        static_cast<TWinControl*>(form)->KeyDown(key, shift);
        if (key == 0) {
            m.WParam = 0;
            return true;
        }
    }
    KeyDown(key, shift);
    m.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& m) {
    Word key = static_cast<Word>(m.WParam);
    const TShiftState shift = KeyShift(m);
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        static_cast<TWinControl*>(form)->KeyUp(key, shift);
        if (key == 0) {
            m.WParam = 0;
            return true;
        }
    }
    KeyUp(key, shift);
    m.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& m) {
    if (m.WParam >= 0x80) return false;  // only ASCII reaches KeyPress
    char key = static_cast<char>(m.WParam);
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        static_cast<TWinControl*>(form)->KeyPress(key);
        if (key == 0) {
            m.WParam = 0;
            return true;
        }
    }
    KeyPress(key);
    m.WParam = static_cast<unsigned char>(key);
    return key == 0;
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (DoKeyDown(m)) m.Result = 1;
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        // The widget finishes the key first (a button clicks on the release
        // of Space), so OnKeyUp sees what the key did.
        if (FBridge && !velmor_ws::RunWidgetDefault(FBridge, m.Msg)) return;
        if (DoKeyUp(m)) m.Result = 1;
        return;
    case WM_CHAR:
    case WM_SYSCHAR:
        if (DoKeyPress(m)) m.Result = 1;
        return;
    case CM_ENTER: {
        TForm* form = GetParentForm(this);
        if (form && form != this) form->SetActiveControl(this);
        DoEnter();
        return;
    }
    case CM_EXIT:
        DoExit();
        return;
    case CM_DIALOGCHAR:
        // An accelerator is offered to the visible, enabled controls in
        // turn, and through them to theirs, until one whose caption
        // underlines it answers.
        for (int i = 0; m.Result == 0 && i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c->Visible() && c->Enabled()) m.Result = c->Perform(m.Msg, m.WParam, m.LParam);
        }
        return;
    default:
        TControl::WndProc(m);
    }
}

// --- children and the widget ----------------------------------------------------

void TWinControl::InsertControl(TControl* c) {
    c->FParent = this;
    FControls.push_back(c);
    if (auto* w = dynamic_cast<TWinControl*>(c)) FTabList.push_back(w);
    c->UpdateAnchorRules();
    c->Perform(CM_PARENTCOLORCHANGED);
    c->Perform(CM_PARENTFONTCHANGED);
    c->Perform(CM_PARENTBIDIMODECHANGED);
    if (FWidget) {
        if (c->FWidget) {
            velmor_ws::SetParentWidget(c->FWidget, ClientWidget());
            c->ApplyBounds();
            c->ApplyVisible();
        } else if (!ChildHandlesWait()) {
            c->CreateHandle();
        }
        UpdateTabChain();
    } else if (c->FWidget) {
        c->DestroyHandle();
    }
    AlignControl(c);
}

void TWinControl::RemoveControl(TControl* c) {
    auto it = std::find(FControls.begin(), FControls.end(), c);
    if (it == FControls.end()) return;
    if (c->HostDockSite() == this) velmor_internal::DockClientLeaving(c);
    FControls.erase(it);
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), c), FTabList.end());
    c->FParent = nullptr;
    // The widget cannot live on without a parent window; the state stays.
    c->DestroyHandle();
    if (!HasState(csDestroying)) Realign();
}

void TWinControl::InitWidget() {
    TControl::InitWidget();
    ApplyTabStop();
    if (!ChildHandlesWait()) CreateChildHandles();
}

void TWinControl::CreateChildHandles() {
    for (TControl* c : std::vector<TControl*>(FControls)) c->CreateHandle();
    UpdateTabChain();
}

void TWinControl::DestroyHandle() {
    for (TControl* c : FControls) c->DestroyHandle();
    TControl::DestroyHandle();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(CM_PARENTFONTCHANGED);
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::ApplyColor() { velmor_ws::ApplyBackColor(FWidget, FColor); }

QWidget* TWinControl::CreateWidget(QWidget* parent) {
    // A plain control takes the focus by a click or Tab only when it is a
    // tab stop: a click on a panel, a toolbar or a button on one leaves
    // the focus where it was.
    FPlainFocus = true;
    return velmor_ws::CreateWindowedWidget(parent, IsOpaque(), FTabStop);
}

TControl* FindControl(HWND wnd) {
    return velmor_ws::ControlOfHandle(wnd);
}

// --- docking (the drag itself is in Docking.cpp) ----------------------------------------

void TWinControl::SetDockSite(bool v) {
    if (v == FDockSite) return;
    FDockSite = v;
    UpdateDockManager();
    velmor_internal::DockSiteChanged(this);
}

void TWinControl::SetUseDockManager(bool v) {
    if (v == FUseDockManager) return;
    FUseDockManager = v;
    UpdateDockManager();
}

void TWinControl::UpdateDockManager() {
    const bool wanted = FDockSite && FUseDockManager && !HasState(csDestroying);
    if (wanted == (FDockManager != nullptr)) return;
    if (wanted) {
        FDockManager = CreateDockManager();
        if (FDockManager) {
            FDockManager->BeginUpdate();
            for (TControl* c : FDockClients) FDockManager->InsertControl(c, alNone, nullptr);
            FDockManager->EndUpdate();
        }
    } else {
        FDockManager.reset();
    }
    Realign();
    Invalidate();
}

void TWinControl::ResetDockBounds() {
    if (FDockSite && FUseDockManager && FDockManager) FDockManager->ResetBounds(false);
}

TControl* TWinControl::DockClients(int index) const {
    if (index < 0 || index >= DockClientCount()) throw EListError(RtlConsts::SListIndexError, {index});
    return FDockClients[static_cast<size_t>(index)];
}

std::unique_ptr<IDockManager> TWinControl::CreateDockManager() { return std::make_unique<TDockTree>(this); }

void TWinControl::GetSiteInfo(TControl* client, TRect& influenceRect, const TPoint& mousePos, bool& canDock) {
    const TRect r = ClientRect();
    const TPoint origin = ClientToScreen(Point(r.Left, r.Top));
    influenceRect = Bounds(origin.X, origin.Y, r.Width(), r.Height());
    canDock = true;
    if (OnGetSiteInfo) OnGetSiteInfo(this, client, influenceRect, mousePos, canDock);
}

TAlign TWinControl::GetDockEdge(const TControl* control, const TPoint& mousePos) {
    return velmor_internal::DockEdgeOf(Rect(0, 0, control->Width(), control->Height()), mousePos);
}

void TWinControl::DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept) {
    if (state != dsDragLeave) PositionDockRect(source);
    if (OnDockOver) OnDockOver(this, source, x, y, state, accept);
}

void TWinControl::PositionDockRect(TDragDockObject* source) {
    TControl* c = source->Control();
    if (FUseDockManager && FDockManager) {
        FDockManager->PositionDockRect(c, source->DropOnControl, source->DropAlign, source->DockRect);
        return;
    }
    // Without a manager the control lands where the mouse holds it.
    source->DockRect = velmor_internal::FloatingRect(source);
}

void TWinControl::DockDrop(TDragDockObject* source, int x, int y) {
    velmor_internal::DockClient(this, source);
    if (OnDockDrop) OnDockDrop(this, source, x, y);
}

bool TWinControl::DoUnDock(TWinControl* newTarget, TControl* client) {
    bool allow = true;
    if (OnUnDock) OnUnDock(this, client, newTarget, allow);
    return allow;
}
