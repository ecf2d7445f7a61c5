#include "framework/controls/Form.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QWidget>

#include "framework/controls/Application.h"
#include "framework/controls/ControlBridge.h"
#include "framework/controls/ControlsInternal.h"
#include "framework/controls/DialogKeys.h"
#include "framework/controls/Menus.h"
#include "framework/controls/ModalSeam.h"
#include "framework/controls/ModalWindows.h"
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
    if (FWidget) ApplyWindowFlags();
}

void TForm::SetBorderIcons(TBorderIcons v) {
    if (v == FBorderIcons) return;
    FBorderIcons = v;
    if (FWidget) ApplyWindowFlags();
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
    if (v && FWidget && FWidget->isVisible() && v->CanFocus() && !v->Focused())
        v->Widget()->setFocus(Qt::OtherFocusReason);
}

bool TForm::LearnFrame() {
    if (!FWidget) return false;
    // Keep the client size, grow the outer one.
    const int fw = FWidget->frameGeometry().width() - FWidget->width();
    const int fh = FWidget->frameGeometry().height() - FWidget->height();
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
    if (FClient) {
        const QPoint p = FClient->mapToGlobal(QPoint(0, 0));
        return Point(p.x(), p.y());
    }
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

// --- the window --------------------------------------------------------------

QWidget* TForm::CreateWidget(QWidget*) {
    auto* w = new QWidget(nullptr, Qt::Window);
    w->setAutoFillBackground(true);
    return w;
}

void TForm::InitWidget() {
    // Children and painting go to an inner widget, so that a menu bar can
    // take the top of the window without covering the client area.
    FClient = new QWidget(FWidget);
    FClient->setMouseTracking(true);
    FBridge->Watch(FClient);
    ApplyWindowFlags();
    TWinControl::InitWidget();
    ApplyRegion();
}

void TForm::ApplyWindowFlags() {
    Qt::WindowFlags f;
    switch (FBorderStyle) {
    case bsToolWindow:
    case bsSizeToolWin: f = Qt::Tool; break;
    case bsDialog: f = Qt::Dialog; break;
    default: f = Qt::Window; break;
    }
    if (FBorderStyle == bsNone) {
        f |= Qt::FramelessWindowHint;
    } else {
        f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (FBorderIcons & biSystemMenu) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        const bool plain = FBorderStyle == bsSingle || FBorderStyle == bsSizeable;
        if (plain && (FBorderIcons & biMinimize)) f |= Qt::WindowMinimizeButtonHint;
        if (plain && (FBorderIcons & biMaximize)) f |= Qt::WindowMaximizeButtonHint;
        if (FBorderIcons & biHelp) f |= Qt::WindowContextHelpButtonHint;
    }
    if (FFormStyle == fsStayOnTop) f |= Qt::WindowStaysOnTopHint;
    const bool wasVisible = FWidget->isVisible();
    if (FWidget->windowFlags() != f) {
        FWidget->setWindowFlags(f);  // hides the window
        if (wasVisible) ApplyVisible();
    }
    ApplyBounds();
}

void TForm::DestroyHandle() {
    FClient = nullptr;  // goes with the window
    TWinControl::DestroyHandle();
}

void TForm::LayoutClient() {
    if (!FWidget) return;
    if (FMenu)
        if (QWidget* bar = FMenu->BarWidget()) bar->setGeometry(0, 0, FWidget->width(), FMenuH);
    if (FClient) FClient->setGeometry(0, FMenuH, FWidget->width(), std::max(0, FWidget->height() - FMenuH));
}

void TForm::ApplyBounds() {
    const int cw = std::max(0, FWidth - FFrameW);
    const int ch = std::max(0, FHeight - FFrameH);
    const bool sizeable = FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin;
    if (sizeable) {
        FWidget->setMinimumSize(0, 0);
        FWidget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        FWidget->setFixedSize(cw, ch);
    }
    FWidget->move(FLeft, FTop);
    FWidget->resize(cw, ch);
    LayoutClient();
}

void TForm::ApplyText() { FWidget->setWindowTitle(QString::fromStdString(FText)); }

void TForm::ApplyRegion() {
    if (FWindowRgn) {
        // The outline is in window coordinates; the toolkit masks the
        // client area, which starts inside the frame.
        QRegion r = FWindowRgn->QtRegion();
        r.translate(-FFrameW / 2, -(FFrameH - FFrameW / 2));
        FWidget->setMask(r);
    } else {
        FWidget->clearMask();
    }
}

void TForm::PlaceOnFirstShow() {
    if (FPlaced) return;
    FPlaced = true;
    auto centreOn = [this](const TRect& r) {
        SetBounds(r.Left + (r.Width() - FWidth) / 2, r.Top + (r.Height() - FHeight) / 2, FWidth, FHeight);
    };
    auto screenRect = [] {
        QScreen* s = QGuiApplication::primaryScreen();
        const QRect g = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
        return Bounds(g.x(), g.y(), g.width(), g.height());
    };
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
        FWidget->hide();
        return;
    }
    PlaceOnFirstShow();
    switch (FWindowState) {
    case wsMinimized: FWidget->showMinimized(); break;
    case wsMaximized: FWidget->showMaximized(); break;
    default: FWidget->showNormal(); break;
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
    if (!FWidget || !FWidget->isVisible()) return;
    if (QGuiApplication::platformName() != "offscreen") FWidget->raise();
    FWidget->activateWindow();
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
    const QPointer<QWidget> before = QApplication::activeWindow();
    struct TModalScope {
        TForm* Form;
        ~TModalScope() { Form->FInModal = false; }
    } scope{this};
    // The windows shown now wait until this one is answered; what opens
    // over it meanwhile takes input.
    velmor_internal::TModalWindowsOff others(Widget());

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
    if (before && before->isVisible() && before != FWidget)
        before->activateWindow();
    velmor_internal::RecordShownDialog({ClassName(), Caption(), DialogText(), result});
    return result;
}

// --- messages ---------------------------------------------------------------

void TForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case CM_RELEASE:
        delete this;
        return;
    case CM_ACTIVATE:
        Activate();
        return;
    case CM_DEACTIVATE:
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
            if (m.WParam != SIZE_MINIMIZED)
                UpdateBoundsFromWidget(FLeft, FTop, LoWord(m.LParam) + FFrameW, HiWord(m.LParam) + FFrameH);
            LayoutClient();
        }
        return;
    case WM_MOVE:
        if (!FWidget) return;
        // A window manager tells the frame only after the window shows; the
        // window was placed without it, its client area where the frame
        // should be. It goes where it was put, now with its frame.
        if (FWidget->isVisible() && LearnFrame()) {
            FWidget->move(FLeft, FTop);
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
        FActiveControl->Widget()->setFocus(Qt::ActiveWindowFocusReason);
    if (OnActivate) OnActivate(this);
}

void TForm::Deactivate() {
    FActive = false;
    if (OnDeactivate) OnDeactivate(this);
}
