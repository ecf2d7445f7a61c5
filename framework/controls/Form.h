#pragma once
#include <memory>

#include "framework/controls/WinControl.h"

class TCanvas;
class TMainMenu;
class TRegion;
namespace velmor_ws {
class TPaintWatch;
}

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : int { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = int;
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter,
};
// The form's own style; its values do not clash with the font styles.
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A top-level window. Left/Top/Width/Height are the outer frame; the
// client area is what children fill, below the menu bar when the form has
// one. A form starts hidden.
//
// OnCreate fires from AfterConstruction, which Application->CreateForm
// calls once the derived constructor has run; a form made with `new`
// calls it itself, or gets it on its first Show.
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    String ClassName() const override { return "TForm"; }
    void AfterConstruction();

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle v);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons v);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition v) { FPosition = v; }
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle v);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState v);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* v);

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    bool Modal() const { return FInModal; }
    bool Active() const { return FActive; }

    // The bar sits outside the client area: setting a menu keeps
    // ClientHeight and makes Height grow by the bar's height. A TMainMenu
    // owned by the form sets itself.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* v);

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    QWidget* ClientWidget() override;

    void SetVisible(bool v) override;
    void Show();
    void Hide() { SetVisible(false); }
    // Runs the form until ModalResult is set (or a test answers it).
    // Modal forms may open further modal forms.
    TModalResult ShowModal();
    // Asks OnCloseQuery, then OnClose decides: hide, free, minimise or stay.
    // Closing the main form ends the program. A modal form just answers
    // mrCancel.
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the messages already waiting are handled, so an
    // event handler of the form itself may call it.
    void Release();
    void BringToFront();

    // The window's outline in window coordinates; nullptr restores the
    // rectangle. The form keeps its own copy.
    void SetWindowRgn(const TRegion* region);
    const TRegion* WindowRgn() const { return FWindowRgn.get(); }

    TCanvas* Canvas() const { return FCanvas.get(); }

    // The program draws the frame (border, caption bar and its buttons,
    // FormFrame.h) instead of the window manager, so the frame looks the
    // same everywhere and its size is known before the window shows. The
    // window manager still moves and sizes the window: a press on the
    // caption or a sizing edge hands the drag to it (the toolkit's system
    // move and resize). Off: the platform's frame.
    bool DrawnFrame() const { return FDrawnFrame; }
    void SetDrawnFrame(bool v);
    // While WM_NCPAINT is handled, a canvas on the whole window (window
    // coordinates); nullptr at any other time.
    TCanvas* FrameCanvas() const { return FFramePainting ? FFrameCanvas.get() : nullptr; }
    // Asks for WM_NCPAINT at the next paint.
    void InvalidateFrame();
    // The caption is drawn active (WM_NCACTIVATE).
    bool FrameActive() const { return FFrameActive; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnPaint;

    // What the seam reports for this form: a message box's text.
    virtual String DialogText() const { return String(); }

protected:
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void Paint();
    virtual void DoShow();
    virtual void DoHide();
    virtual void Activate();
    virtual void Deactivate();
    virtual void DoClose(TCloseAction& action);

    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void DestroyHandle() override;
    void WMPaint(TMessage& message) override;
    void ApplyBounds() override;
    void ApplyText() override;
    void ApplyVisible() override;
    void ApplyWindowFlags();
    void ApplyRegion();

private:
    friend class TApplication;
    void PlaceOnFirstShow();
    bool CloseModal();  // false when the form refused to close
    int FrameWidth() const;
    int FrameHeight() const;
    void SetMenuHeight(int h);
    void LayoutClient();
    void UpdateDrawnFrameSize();
    void PaintFrame();
    bool FrameMessage(TMessage& m);

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition FPosition = poDesigned;
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal;
    bool FKeyPreview = false;
    TWinControl* FActiveControl = nullptr;
    TModalResult FModalResult = mrNone;
    bool FInModal = false;
    bool FActive = false;
    bool FPainted = false;  // the window has painted once since it first showed
    bool FCreated = false;
    bool FPlaced = false;
    bool FReleasing = false;
    bool FDrawnFrame = false;
    bool FFrameActive = false;
    bool FFramePainting = false;
    LRESULT FFramePressed = 0;  // the caption button held down
    std::unique_ptr<TCanvas> FFrameCanvas;
    std::unique_ptr<velmor_ws::TPaintWatch> FFramePainter;
    std::unique_ptr<TRegion> FWindowRgn;
    std::unique_ptr<TCanvas> FCanvas;
    // Takes the frame's size from the window system; true when it changed.
    bool LearnFrame();
    int FFrameW = 0;  // outer minus client size, known once the window shows
    int FFrameH = 0;
    TMainMenu* FMenu = nullptr;
    int FMenuH = 0;             // the bar's share of the outer height
    QWidget* FClient = nullptr;  // child of the window, below the bar
    // Lives as long as the form: a handler put off until the window has
    // painted holds it weakly.
    std::shared_ptr<TForm*> FSelf = std::make_shared<TForm*>(this);
};

// The form a control sits on (the control itself for a form).
TForm* GetParentForm(TControl* control);
// Sets a form's outline by its handle, as the classic call does.
bool SetWindowRgn(HWND wnd, const TRegion* region, bool redraw);
