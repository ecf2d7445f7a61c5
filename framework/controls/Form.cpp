#include "framework/controls/Form.h"

#include <algorithm>
#include <cstring>

#include "framework/controls/Application.h"
#include "framework/controls/ControlsInternal.h"
#include "framework/controls/DialogKeys.h"
#include "framework/controls/FormFrame.h"
#include "framework/controls/Menus.h"
#include "framework/controls/ModalSeam.h"
#include "framework/controls/qt/WsApplication.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/controls/qt/WsForms.h"
#include "framework/controls/qt/WsScreen.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Region.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/Exception.h"

TForm* GetParentForm(TControl* control) {
    TControl* c = control;
    while (c && c->Parent()) c = c->Parent();
    return dynamic_cast<TForm*>(c);
}

bool SetWindowRgn(HWND wnd, const TRegion* region, bool) {
    auto* form = dynamic_cast<TForm*>(FindControl(wnd));
    if (!form) return false;
    form->SetWindowRgn(region);
    return true;
}

TForm::TForm(TComponent* owner) : TWinControl(owner), FCanvas(new TCanvas) {
    FVisible = false;
    FColor = clBtnFace;
    FParentColor = false;
    FParentFont = false;
    FWidth = 320;
    FHeight = 240;
    velmor_internal::ScreenAddForm(this);
    velmor_internal::EnsureDialogKeys();  // F1 opens a window's help
}

TForm::~TForm() {
    Destroying();
    if (FCreated && OnDestroy) GuardedCall([this] { OnDestroy(this); });
    velmor_internal::ScreenRemoveForm(this);
    if (Application) Application->FormDestroyed(this);
}

void TForm::AfterConstruction() {
    if (FCreated) return;
    FCreated = true;
    if (OnCreate) OnCreate(this);
}

// --- properties -------------------------------------------------------------

void TForm::SetBorderStyle(TFormBorderStyle v) {
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    UpdateDrawnFrameSize();
    if (FWidget) ApplyWindowFlags();
}

void TForm::SetBorderIcons(TBorderIcons v) {
    if (v == FBorderIcons) return;
    FBorderIcons = v;
    if (FWidget) ApplyWindowFlags();
    InvalidateFrame();
}

void TForm::SetFormStyle(TFormStyle v) {
    if (v == FFormStyle) return;
    FFormStyle = v;
    if (FWidget) ApplyWindowFlags();
}

void TForm::SetWindowState(TWindowState v) {
    if (v == FWindowState) return;
    FWindowState = v;
    if (FWidget && FVisible) ApplyVisible();
}

void TForm::SetActiveControl(TWinControl* v) {
    if (v == FActiveControl) return;
    if (v && GetParentForm(v) != this) throw EInvalidOperation("Invalid active control");
    FActiveControl = v;
    if (v && FWidget && velmor_ws::IsVisible(FWidget) && v->CanFocus() && !v->Focused())
        velmor_ws::SetFocus(v->Widget());
}

bool TForm::LearnFrame() {
    // A frame the program draws is known from the start.
    if (!FWidget || FDrawnFrame) return false;
    // Keep the client size, grow the outer one.
    const TSize frame = velmor_ws::WindowFrameSize(FWidget);
    const int fw = frame.cx;
    const int fh = frame.cy;
    if (fw == FFrameW && fh == FFrameH) return false;
    FWidth += fw - FFrameW;
    FHeight += fh - FFrameH;
    FFrameW = fw;
    FFrameH = fh;
    return true;
}

int TForm::FrameWidth() const { return FFrameW; }
int TForm::FrameHeight() const { return FFrameH; }

TRect TForm::ClientRect() const {
    return Rect(0, 0, std::max(0, FWidth - FFrameW), std::max(0, FHeight - FFrameH - FMenuH));
}

TPoint TForm::ClientOrigin() const {
    if (FClient) return velmor_ws::MapToScreen(FClient, Point(0, 0));
    return Point(FLeft + FFrameW / 2, FTop + FFrameH - FFrameW / 2 + FMenuH);
}

QWidget* TForm::ClientWidget() {
    Widget();
    return FClient ? FClient : FWidget;
}

void TForm::SetMenu(TMainMenu* v) {
    if (v == FMenu) return;
    TMainMenu* old = FMenu;
    FMenu = v;
    if (old) {
        old->RemoveFreeNotification(this);
        if (old->Form() == this) old->SetForm(nullptr);
    }
    if (v) {
        v->FreeNotification(this);
        v->SetForm(this);
    }
    SetMenuHeight(v ? TMainMenu::BarHeight() : 0);
}

void TForm::SetMenuHeight(int h) {
    if (h == FMenuH) return;
    FHeight += h - FMenuH;
    FMenuH = h;
    if (FWidget) ApplyBounds();
}

void TForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == FMenu) {
        FMenu = nullptr;
        if (!HasState(csDestroying)) SetMenuHeight(0);
    }
}

void TForm::SetWindowRgn(const TRegion* region) {
    if (region)
        FWindowRgn = std::make_unique<TRegion>(*region);
    else
        FWindowRgn.reset();
    if (FWidget) ApplyRegion();
}

// --- the frame the program draws ---------------------------------------------

TFormFrameLayout FormFrameLayout(const TForm* form) {
    if (!form || !form->DrawnFrame()) return TFormFrameLayout{};
    return FormFrameLayout(form->BorderStyle(), form->BorderIcons(), form->Width(), form->Height());
}

void TForm::SetDrawnFrame(bool v) {
    if (v == FDrawnFrame) return;
    FDrawnFrame = v;
    if (!v) {
        // The platform's frame is measured again when the window shows.
        FWidth -= FFrameW;
        FHeight -= FFrameH;
        FFrameW = FFrameH = 0;
    }
    UpdateDrawnFrameSize();
    if (FWidget) ApplyWindowFlags();
}

// The outer size stays; the client area is what the frame leaves.
void TForm::UpdateDrawnFrameSize() {
    if (!FDrawnFrame) return;
    const TFormFrameLayout f = FormFrameLayout(FBorderStyle, FBorderIcons, FWidth, FHeight);
    FFrameW = f.FrameWidth();
    FFrameH = f.FrameHeight();
}

void TForm::InvalidateFrame() {
    if (FDrawnFrame && FWidget) velmor_ws::Invalidate(FWidget);
}

void TForm::PaintFrame() {
    if (!FDrawnFrame || !FWidget || FFramePainting) return;
    if (!FFrameCanvas) FFrameCanvas = std::make_unique<TCanvas>();
    velmor_ws::PaintWidget(FWidget, FFrameCanvas.get(), [this] {
        FFrameCanvas->Font()->Assign(Font());
        FFramePainting = true;
        struct TEnd {
            TForm* F;
            ~TEnd() { F->FFramePainting = false; }
        } end{this};
        Perform(WM_NCPAINT, 1, 0);
    });
}

// The non-client messages of a drawn frame; false for any other message.
bool TForm::FrameMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<char*>(m.LParam);
        const int size = static_cast<int>(m.WParam);
        m.Result = 0;
        if (!buf || size <= 0) return true;
        const size_t n = std::min(FText.size(), static_cast<size_t>(size - 1));
        std::memcpy(buf, FText.data(), n);
        buf[n] = '\0';
        m.Result = static_cast<LRESULT>(n);
        return true;
    }
    case WM_GETTEXTLENGTH:
        m.Result = static_cast<LRESULT>(FText.size());
        return true;
    case WM_SYSCOMMAND:
        switch (m.WParam & 0xFFF0) {
        case SC_CLOSE: Perform(WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: SetWindowState(wsMinimized); break;
        case SC_MAXIMIZE: SetWindowState(wsMaximized); break;
        case SC_RESTORE: SetWindowState(wsNormal); break;
        default: break;
        }
        return true;
    case WM_NCLBUTTONDOWN: {
        // Moving and sizing belong to the window manager where there is
        // one; the answer 1 tells the caller it took the drag.
        m.Result = 0;
        const LRESULT hit = static_cast<LRESULT>(m.WParam);
        if (hit == HTCAPTION) {
            if (velmor_ws::StartSystemMove(FWidget)) m.Result = 1;
        } else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) {
            using namespace velmor_ws;
            static const int edges[] = {weLeft,         weRight,  weTop,           weTop | weLeft,
                                        weTop | weRight, weBottom, weBottom | weLeft, weBottom | weRight};
            if (velmor_ws::StartSystemResize(FWidget, edges[hit - HTLEFT])) m.Result = 1;
        } else if (FDrawnFrame && (hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTHELP)) {
            FFramePressed = hit;
            InvalidateFrame();
        }
        return true;
    }
    default: break;
    }
    if (!FDrawnFrame) return false;
    switch (m.Msg) {
    case WM_NCPAINT: {
        if (TCanvas* c = FrameCanvas()) {
            char text[1024] = {};
            Perform(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
            PaintFormFrame(c, FormFrameLayout(this), text, FFrameActive, FWindowState == wsMaximized,
                           FFramePressed);
        }
        m.Result = 0;
        return true;
    }
    case WM_NCACTIVATE:
        FFrameActive = m.WParam != 0;
        InvalidateFrame();
        m.Result = 1;
        return true;
    case WM_NCHITTEST: {
        const TPoint p = PointFromLParam(m.LParam);
        const TPoint origin = FWidget ? velmor_ws::WindowPos(FWidget) : Point(FLeft, FTop);
        m.Result = FormFrameHitTest(FormFrameLayout(this), Point(p.X - origin.X, p.Y - origin.Y));
        return true;
    }
    case WM_NCLBUTTONUP: {
        const LRESULT pressed = FFramePressed;
        if (!pressed) return true;
        FFramePressed = 0;
        InvalidateFrame();
        if (static_cast<LRESULT>(m.WParam) != pressed) return true;  // released elsewhere
        if (pressed == HTCLOSE) Perform(WM_SYSCOMMAND, SC_CLOSE, m.LParam);
        else if (pressed == HTMINBUTTON) Perform(WM_SYSCOMMAND, SC_MINIMIZE, m.LParam);
        else if (pressed == HTMAXBUTTON)
            Perform(WM_SYSCOMMAND, FWindowState == wsMaximized ? SC_RESTORE : SC_MAXIMIZE, m.LParam);
        else if (pressed == HTHELP) Perform(WM_SYSCOMMAND, SC_CONTEXTHELP, m.LParam);
        return true;
    }
    default: return false;
    }
}

// --- the window --------------------------------------------------------------

QWidget* TForm::CreateWidget(QWidget*) { return velmor_ws::CreateFormWindow(); }

void TForm::InitWidget() {
    // Children and painting go to an inner widget, so that a menu bar can
    // take the top of the window without covering the client area.
    FClient = velmor_ws::CreateFormClient(FWidget, FBridge);
    // A drawn frame paints when the window does: the client area and the
    // menu bar, children of the window, cover the rest.
    FFramePainter = std::make_unique<velmor_ws::TPaintWatch>(FWidget, [this] { PaintFrame(); });
    ApplyWindowFlags();
    TWinControl::InitWidget();
    ApplyRegion();
}

void TForm::ApplyWindowFlags() {
    velmor_ws::TWindowStyle style;
    switch (FBorderStyle) {
    case bsToolWindow:
    case bsSizeToolWin: style.Kind = velmor_ws::TWindowStyle::Tool; break;
    case bsDialog: style.Kind = velmor_ws::TWindowStyle::Dialog; break;
    default: style.Kind = velmor_ws::TWindowStyle::Window; break;
    }
    if (FBorderStyle == bsNone || FDrawnFrame) {
        style.Frameless = true;
    } else {
        style.SystemMenu = (FBorderIcons & biSystemMenu) != 0;
        const bool plain = FBorderStyle == bsSingle || FBorderStyle == bsSizeable;
        style.MinimizeButton = plain && (FBorderIcons & biMinimize);
        style.MaximizeButton = plain && (FBorderIcons & biMaximize);
        style.HelpButton = (FBorderIcons & biHelp) != 0;
    }
    style.StayOnTop = FFormStyle == fsStayOnTop;
    const bool wasVisible = velmor_ws::IsVisible(FWidget);
    if (velmor_ws::SetWindowStyle(FWidget, style) && wasVisible) ApplyVisible();  // a new style hides the window
    ApplyBounds();
}

void TForm::DestroyHandle() {
    FClient = nullptr;  // goes with the window
    TWinControl::DestroyHandle();
}

void TForm::LayoutClient() {
    if (!FWidget) return;
    // A drawn frame lies inside the window, around the bar and the client.
    const int x = FDrawnFrame ? FFrameW / 2 : 0;
    const int y = FDrawnFrame ? FFrameH - FFrameW / 2 : 0;
    const TSize size = velmor_ws::WindowClientSize(FWidget);
    const int w = std::max(0, size.cx - (FDrawnFrame ? FFrameW : 0));
    const int h = std::max(0, size.cy - (FDrawnFrame ? FFrameH : 0));
    if (FMenu)
        if (QWidget* bar = FMenu->BarWidget()) velmor_ws::SetGeometry(bar, x, y, w, FMenuH);
    if (FClient) velmor_ws::SetGeometry(FClient, x, y + FMenuH, w, std::max(0, h - FMenuH));
}

void TForm::ApplyBounds() {
    // The toolkit's window is the client area plus the menu bar, or with a
    // drawn frame the whole window.
    const int cw = std::max(0, FWidth - (FDrawnFrame ? 0 : FFrameW));
    const int ch = std::max(0, FHeight - (FDrawnFrame ? 0 : FFrameH));
    const bool sizeable = FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin;
    velmor_ws::PlaceWindow(FWidget, FLeft, FTop, cw, ch, sizeable);
    LayoutClient();
}

void TForm::ApplyText() { velmor_ws::SetWindowTitle(FWidget, FText); }

void TForm::ApplyRegion() {
    // The outline is in window coordinates; the toolkit masks the client
    // area, which starts inside the frame.
    if (FWindowRgn && !FDrawnFrame)
        velmor_ws::SetWindowMask(FWidget, FWindowRgn.get(), -FFrameW / 2, -(FFrameH - FFrameW / 2));
    else
        velmor_ws::SetWindowMask(FWidget, FWindowRgn.get(), 0, 0);
}

void TForm::PlaceOnFirstShow() {
    if (FPlaced) return;
    FPlaced = true;
    std::weak_ptr<TForm*> self = FSelf;
    velmor_ws::AfterFirstPaint(Widget(), [self] {
        if (const std::shared_ptr<TForm*> form = self.lock()) (*form)->FPainted = true;
    });
    auto centreOn = [this](const TRect& r) {
        SetBounds(r.Left + (r.Width() - FWidth) / 2, r.Top + (r.Height() - FHeight) / 2, FWidth, FHeight);
    };
    auto screenRect = [] { return velmor_ws::PrimaryScreenRect(true); };
    TForm* over = nullptr;
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        centreOn(screenRect());
        break;
    case poOwnerFormCenter:
        over = dynamic_cast<TForm*>(Owner());
        [[fallthrough]];
    case poMainFormCenter:
        if (!over && Application) over = Application->MainForm();
        if (over && over != this)
            centreOn(over->BoundsRect());
        else
            centreOn(screenRect());
        break;
    default:
        break;
    }
}

void TForm::ApplyVisible() {
    if (!FVisible) {
        velmor_ws::ShowWindowAs(FWidget, velmor_ws::ssHide);
        return;
    }
    PlaceOnFirstShow();
    switch (FWindowState) {
    case wsMinimized: velmor_ws::ShowWindowAs(FWidget, velmor_ws::ssMinimized); break;
    case wsMaximized: velmor_ws::ShowWindowAs(FWidget, velmor_ws::ssMaximized); break;
    default: velmor_ws::ShowWindowAs(FWidget, velmor_ws::ssNormal); break;
    }
}

void TForm::SetVisible(bool v) {
    if (v) AfterConstruction();
    TWinControl::SetVisible(v);
    // A window shows only once it has its widget.
    if (v && !FWidget) CreateHandle();
}

void TForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TForm::BringToFront() {
    velmor_ws::BringWindowToFront(FWidget);
}

// --- closing ---------------------------------------------------------------

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TForm::Close() {
    if (FInModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Hide();
        Application->Terminate();
    } else if (action == caHide) {
        Hide();
    } else if (action == caMinimize) {
        SetWindowState(wsMinimized);
    } else {
        Release();
    }
}

void TForm::Release() {
    if (FReleasing) return;
    FReleasing = true;
    Hide();
    PostMessage(Handle(), CM_RELEASE);
}

bool TForm::CloseModal() {
    if (!CloseQuery()) return false;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return false;
    if (action == caFree) Release();
    return true;
}

TModalResult TForm::ShowModal() {
    if (FVisible || !FEnabled || FInModal)
        throw EInvalidOperation("Cannot make a visible window modal");
    AfterConstruction();
    if (Application) Application->CancelHint();
    if (TControl* c = GetCaptureControl()) c->SetMouseCapture(false);
    FInModal = true;
    FModalResult = mrNone;
    struct TModalScope {
        TForm* Form;
        ~TModalScope() { Form->FInModal = false; }
    } scope{this};
    // The windows shown now wait until this one is answered; what opens
    // over it meanwhile takes input.
    velmor_ws::TModalRun run(Widget());

    const TModalHandler handler = ModalHandler();  // a copy: the handler may replace itself
    if (handler) {
        Show();
        handler(this);
        if (FModalResult == mrNone) FModalResult = mrCancel;  // an unanswered test must not hang
        CloseModal();
    } else {
        Show();
        for (;;) {
            if (Application) Application->HandleMessage();
            else WaitMessage(100);
            if (Application && Application->Terminated()) FModalResult = mrCancel;
            if (FModalResult != mrNone) {
                if (CloseModal() || (Application && Application->Terminated())) break;
                FModalResult = mrNone;
            }
        }
    }
    const TModalResult result = FModalResult;
    FInModal = false;
    if (!FReleasing) Hide();
    // The window that was active before gets the activation back, as when
    // the classic modal loop ends.
    run.ReactivatePrevious(FWidget);
    velmor_internal::RecordShownDialog({ClassName(), Caption(), DialogText(), result});
    return result;
}

// --- messages ---------------------------------------------------------------

void TForm::WndProc(TMessage& m) {
    if (FrameMessage(m)) return;
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case CM_RELEASE:
        delete this;
        return;
    case CM_ACTIVATE:
        if (FDrawnFrame) Perform(WM_NCACTIVATE, 1, 0);
        Activate();
        return;
    case CM_DEACTIVATE:
        if (FDrawnFrame) Perform(WM_NCACTIVATE, 0, 0);
        Deactivate();
        return;
    case WM_SHOWWINDOW:
        if (m.WParam) {
            LearnFrame();
            DoShow();
        } else {
            DoHide();
        }
        return;
    case WM_SIZE:
        if (FWidget) {
            FWindowState = m.WParam == SIZE_MINIMIZED   ? wsMinimized
                           : m.WParam == SIZE_MAXIMIZED ? wsMaximized
                                                        : wsNormal;
            if (m.WParam != SIZE_MINIMIZED) {
                const int fw = FDrawnFrame ? 0 : FFrameW, fh = FDrawnFrame ? 0 : FFrameH;
                UpdateBoundsFromWidget(FLeft, FTop, LoWord(m.LParam) + fw, HiWord(m.LParam) + fh);
            }
            LayoutClient();
        }
        return;
    case WM_MOVE:
        if (!FWidget) return;
        // A window manager tells the frame only after the window shows; the
        // window was placed without it, its client area where the frame
        // should be. It goes where it was put, now with its frame.
        if (velmor_ws::IsVisible(FWidget) && LearnFrame()) {
            velmor_ws::MoveWindow(FWidget, FLeft, FTop);
            Resize();
            return;
        }
        UpdateBoundsFromWidget(GetXLParam(m.LParam), GetYLParam(m.LParam), FWidth, FHeight);
        return;
    default:
        TWinControl::WndProc(m);
    }
}

void TForm::WMPaint(TMessage& m) {
    if (!m.LParam || !FWidget) return;
    velmor_internal::PaintClientArea(this, FClient ? FClient : FWidget, FCanvas.get(), [this] { Paint(); });
    m.Result = 1;
}

void TForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TForm::Activate() {
    FActive = true;
    velmor_internal::ScreenFormActivated(this);
    if (FActiveControl && FActiveControl->CanFocus() && !FActiveControl->Focused())
        velmor_ws::FocusOnActivation(FActiveControl->Widget());
    if (!OnActivate) return;
    // A window the window system activates before it has first painted
    // answers once it has: what the handler opens (a dialog) then stands
    // over the drawn window instead of keeping it blank meanwhile.
    if (FWidget && !FPainted) {
        std::weak_ptr<TForm*> self = FSelf;
        velmor_ws::AfterFirstPaint(FWidget, [self] {
            const std::shared_ptr<TForm*> form = self.lock();
            if (!form || (Application && Application->Terminated())) return;
            if ((*form)->FActive && (*form)->OnActivate) (*form)->OnActivate(*form);
        });
        return;
    }
    OnActivate(this);
}

void TForm::Deactivate() {
    FActive = false;
    if (OnDeactivate) OnDeactivate(this);
}
