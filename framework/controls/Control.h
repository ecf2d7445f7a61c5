#pragma once
#include <memory>

#include "framework/classes/Component.h"
#include "framework/controls/Controls.h"
#include "framework/graphics/Color.h"

class TFont;
class TCanvas;
class TSizeConstraints;
class TControlBridge;
class TBasicAction;
class TControlActionLink;
class QWidget;

// The base of everything visible. A control keeps its whole state here and
// mirrors it into its toolkit widget, which is made only when the control
// is placed on a parent that has one (or, for a form, when it is shown).
// So properties set before a window shows stay, and logic can be tested
// without looking at pixels.
//
// Toolkit events reach the control as messages through WindowProc, which
// any code may replace (keep the old one, call it for what you do not
// handle, put it back to unhook). The default procedure, WndProc, turns the
// messages into the virtual methods below and those into the On events.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    String ClassName() const override { return "TControl"; }

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    // Position relative to the parent's client area; the size obeys
    // Constraints.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // The area children and painting use, in the control's own coordinates.
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int v);
    void SetClientHeight(int v);
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(const TPoint& p) const;
    TPoint ScreenToClient(const TPoint& p) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign v);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors v);
    TSizeConstraints* Constraints() const { return FConstraints.get(); }

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible here and on every parent up to a shown window.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool v);

    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);

    // Caption and Text are one value, as in the classic framework.
    String Caption() const { return GetText(); }
    void SetCaption(const String& v) { SetText(v); }
    String Text() const { return GetText(); }
    void SetText(const String& v);

    // Right-to-left languages: BiDiMode follows the parent's while
    // ParentBiDiMode is on; setting it turns ParentBiDiMode off.
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode v);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool v);
    // Content placed from the right (bdRightToLeft only).
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    // Text read from the right (every mode but bdLeftToRight).
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }

    // An action drives the control's caption, enabled state, hint,
    // visibility and help context, and a click executes it (unless the
    // control has an OnClick of its own). Removing the action leaves those
    // values as they are.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* v);
    TControlActionLink* ActionLink() const { return FActionLink.get(); }

    const String& Hint() const { return FHint; }
    void SetHint(const String& v);
    // With ParentShowHint the parent's answer counts.
    bool ShowHint() const;
    void SetShowHint(bool v);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool v);
    // A control whose hints depend on the point (a calendar's days) is
    // asked through CM_HINTSHOW wherever the mouse rests on it, whatever
    // its Hint and ShowHint hold; its answer decides.
    virtual bool HintsByPosition() const { return false; }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor v);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* v) { FPopupMenu = v; }
    int HelpContext = 0;
    TControlStyle ControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;

    // Repainting: Invalidate asks for it, Update does what is pending now,
    // Repaint and Refresh do both.
    void Invalidate();
    // Asks for part of the control (own coordinates) to be repainted.
    void Invalidate(const TRect& r);
    void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();
    // Draws the control (and what lies on it) onto a canvas, the way it
    // shows on screen, with its top-left corner at (x, y).
    void PaintTo(TCanvas* canvas, int x, int y);

    // Mouse messages keep coming to this control while the capture is on.
    bool MouseCapture() const;
    void SetMouseCapture(bool v);

    // Sends a message straight through WindowProc.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    TWndMethod WindowProc;

    // Fires OnClick; code may call it to act as if clicked.
    virtual void Click();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;
    TContextPopupEvent OnContextPopup;

    // Docking (framework/controls/Docking.h). HostDockSite is the site the
    // control is docked on, or its floating window; nullptr for a control
    // that was placed the ordinary way.
    TDragKind DragKind = dkDrag;
    TDragMode DragMode = dmManual;
    TWinControl* HostDockSite() const { return FHostDockSite; }
    bool Floating() const;
    // The size the control floats at; until set, the size it had before it
    // was first docked (or its size now).
    int UndockWidth() const { return FUndockWidth > 0 ? FUndockWidth : FWidth; }
    void SetUndockWidth(int v) { FUndockWidth = v; }
    int UndockHeight() const { return FUndockHeight > 0 ? FUndockHeight : FHeight; }
    void SetUndockHeight(int v) { FUndockHeight = v; }
    // Starts dragging a dkDock control; unless immediate, the drag shows
    // only after the mouse moved `threshold` pixels (-1: the usual five).
    void BeginDrag(bool immediate, int threshold = -1);
    // Ends this control's drag: dropped where it is shown, or cancelled.
    void EndDrag(bool drop);
    bool Dragging() const;
    // Docks the control on a site (nullptr floats it), next to dropControl
    // (or the site) on side controlSide. False when the old site refused.
    bool ManualDock(TWinControl* newDockSite, TControl* dropControl = nullptr, TAlign controlSide = alNone);
    // Floats the control in a window of its own whose client area is
    // screenPos. False when the old site refused.
    bool ManualFloat(const TRect& screenPos);
    TStartDockEvent OnStartDock;
    TEndDragEvent OnEndDock;

    // Framework-internal: the toolkit widget, made when asked for.
    QWidget* Widget();
    QWidget* WidgetIfAllocated() const { return FWidget; }
    bool WidgetAllocated() const { return FWidget != nullptr; }
    // Framework-internal: the widget children sit on and client points are
    // measured in. A form's lies below its menu bar; for the rest it is the
    // widget itself.
    virtual QWidget* ClientWidget() { return Widget(); }
    // Whether the control fills its own background.
    virtual bool IsOpaque() const { return (ControlStyle & csOpaque) != 0; }

protected:
    // The default window procedure. Overrides handle their messages and
    // pass the rest on to the inherited one.
    virtual void WndProc(TMessage& message);
    // Messages no one handled end here.
    virtual void DefaultHandler(TMessage& message);

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // True when the wheel was used up.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, const TPoint& mousePos);
    virtual void DblClick();
    // A request for the context menu (right click, the menu key) at a client
    // point; Handled keeps PopupMenu from showing.
    virtual void DoContextPopup(const TPoint& mousePos, bool& handled);
    virtual void Resize();
    virtual bool CanResize(int& newWidth, int& newHeight);

    // Notifications after a property changed (from the CM_ messages).
    virtual void TextChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void EnabledChanged();
    virtual void VisibleChanged();
    // CM_BIDIMODECHANGED: the reading order changed.
    virtual void BiDiModeChanged();

    // A dock drag starts (OnStartDock) and ends (OnEndDock).
    virtual void DoStartDock(TDragDockObject*& dragObject);
    virtual void DoEndDock(TObject* target, int x, int y);

    // The linked action changed (or was just linked, with checkDefaults
    // true: then only values still at their defaults are taken).
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    // The link class a control uses for its action.
    virtual std::unique_ptr<TControlActionLink> CreateActionLink();
    // The link reports a change of its action.
    friend class TControlActionLink;
    void DoActionChange(TObject* sender) { ActionChange(sender, false); }

    virtual String GetText() const { return FText; }
    // WM_PAINT: the default leaves painting to the toolkit widget; controls
    // that paint themselves answer Result 1. LParam is non-zero only inside
    // a real paint event, the one place painting may happen.
    virtual void WMPaint(TMessage& message);

    // Making the widget. CreateWidget returns a new widget as a child of
    // `parent` (nullptr for a window); InitWidget copies the state onto it;
    // WidgetCreated is the place to connect the widget's own signals.
    virtual QWidget* CreateWidget(QWidget* parent);
    virtual void InitWidget();
    virtual void WidgetCreated() {}
    void CreateHandle();
    virtual void DestroyHandle();
    // Mirroring one property into the widget (only called with a widget).
    virtual void ApplyBounds();
    virtual void ApplyText();
    virtual void ApplyColor();
    virtual void ApplyFont();
    virtual void ApplyVisible();
    virtual void ApplyEnabled();
    virtual void ApplyCursor();
    virtual void ApplyHint();

    // Asks the parent to lay its children out again.
    void RequestAlign();
    // Remembers the distances the anchors keep.
    void UpdateAnchorRules();
    // Stores a size the widget reports (user resizing) without echoing it.
    void UpdateBoundsFromWidget(int left, int top, int width, int height);
    // The text a widget changed by itself (typing), with CM_TEXTCHANGED.
    void SetTextFromWidget(const String& text);
    bool ParentEffectiveShowHint() const;

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors = DefaultAnchors;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    bool FParentFont = true;
    String FText;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    TPopupMenu* FPopupMenu = nullptr;
    bool FClicked = false;  // left button went down on us: the release clicks
    QWidget* FWidget = nullptr;
    TControlBridge* FBridge = nullptr;

private:
    friend class TWinControl;
    friend class TControlBridge;
    friend struct TDockAccess;
    void FontOnChange();
    void AnchorsAlign(const TRect& parentClient);
    void SetBoundsFromAligner(int left, int top, int width, int height);

    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TSizeConstraints> FConstraints;
    std::unique_ptr<TControlActionLink> FActionLink;
    bool FFontFromParent = false;   // a parent's font is being copied in
    bool FColorFromParent = false;
    bool FAligning = false;          // bounds come from the parent's aligner
    TWinControl* FHostDockSite = nullptr;
    int FUndockWidth = 0, FUndockHeight = 0;
    unsigned FWndProcSeen = 0;       // tells the bridge a message was passed on
    struct TAnchorRules {
        int Left = 0, Top = 0, Width = 0, Height = 0;
        int ParentWidth = 0, ParentHeight = 0;
    } FAnchorRules;
};

// The control that holds the mouse capture, if any.
TControl* GetCaptureControl();

// Menus are not part of the control base: the menu code registers how a
// control's PopupMenu pops up at a screen point. Returns the old handler.
using TPopupMenuHandler = std::function<void(TPopupMenu* Menu, TControl* Control, const TPoint& ScreenPos)>;
TPopupMenuHandler SetPopupMenuHandler(TPopupMenuHandler handler);
