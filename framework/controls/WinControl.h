#pragma once
#include <memory>
#include <vector>

#include "framework/controls/Control.h"

// A control with a window of its own: it has a handle, can hold focus and
// children, and receives keys. Standard controls wrap a toolkit widget by
// overriding CreateWidget (and the Apply… methods for what they show
// differently); they then get messages, events and alignment for free.
// A wrapper whose widget reports its own clicks (a push button's signal)
// takes csClickEvents out of ControlStyle, or Click would come twice.
// The widget's own signals must reach the control through GuardedCall
// (framework/messages/MessageQueue.h), so an exception in a handler ends in
// Application->HandleException like any other event.
//
// Destroying a windowed control destroys the controls placed on it.
class IDockManager;

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    String ClassName() const override { return "TWinControl"; }

    // The window handle; asking for it makes the widget, so ask on the GUI
    // thread. The handle itself may then be used from any thread.
    HWND Handle();
    bool HandleAllocated() const { return WidgetAllocated(); }
    void HandleNeeded() { Widget(); }

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(TControl* control) const;  // anywhere below
    // The topmost visible child at a client point.
    TControl* ControlAtPos(const TPoint& p, bool allowDisabled = false) const;

    // TabOrder is the position among the parent's windowed children; -1
    // without a parent.
    int TabOrder() const;
    void SetTabOrder(int v);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v);

    virtual void SetFocus();
    bool Focused() const;
    virtual bool CanFocus() const;

    // Layout of the children: DisableAlign/EnableAlign bracket batch
    // changes; Realign lays out now.
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    void Realign() { AlignControl(nullptr); }
    // Lays out with `control` as the one that asked (it wins ties).
    void AlignControl(TControl* control);

    TRect ClientRect() const override;
    void SetBounds(int left, int top, int width, int height) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // Docking (framework/controls/Docking.h). A dock site takes controls
    // dropped on it; with UseDockManager its dock manager lays them out
    // (made when both are on, by CreateDockManager).
    bool DockSite() const { return FDockSite; }
    void SetDockSite(bool v);
    bool UseDockManager() const { return FUseDockManager; }
    void SetUseDockManager(bool v);
    IDockManager* DockManager() const { return FDockManager.get(); }
    // The controls docked here, in the order they came.
    int DockClientCount() const { return static_cast<int>(FDockClients.size()); }
    TControl* DockClients(int index) const;
    // Where a dragged client must be for this site to take it (screen),
    // and whether it may; OnGetSiteInfo has the last word.
    virtual void GetSiteInfo(TControl* client, TRect& influenceRect, const TPoint& mousePos, bool& canDock);
    // The side of the control at a client point that a drop there docks to.
    static TAlign GetDockEdge(const TControl* control, const TPoint& mousePos);
    TGetSiteInfoEvent OnGetSiteInfo;
    TDockOverEvent OnDockOver;
    TDockDropEvent OnDockDrop;
    TUnDockEvent OnUnDock;

protected:
    virtual std::unique_ptr<IDockManager> CreateDockManager();
    // A client is dragged over the site: places Source->DockRect, then asks
    // OnDockOver.
    virtual void DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept);
    // Where the client would land, in Source->DockRect (screen).
    virtual void PositionDockRect(TDragDockObject* source);
    // The client is dropped here: it docks, then OnDockDrop.
    virtual void DockDrop(TDragDockObject* source, int x, int y);
    // A client leaves for newTarget: false keeps it here.
    virtual bool DoUnDock(TWinControl* newTarget, TControl* client);
    void WndProc(TMessage& message) override;
    // The classic alignment: alTop children from the top down in order of
    // their Top, then alBottom from the bottom up, alLeft, alRight, alClient
    // in what is left, and last the anchored alNone children.
    virtual void AlignControls(TControl* control, TRect& rect);
    // Narrows the area the aligner fills (borders, a caption strip).
    virtual void AdjustClientRect(TRect& rect) { (void)rect; }

    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(Word& key, TShiftState shift);
    virtual void KeyUp(Word& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // True when the key was swallowed (the form with KeyPreview sees it first).
    bool DoKeyDown(TMessage& message);
    bool DoKeyUp(TMessage& message);
    bool DoKeyPress(TMessage& message);

    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void DestroyHandle() override;
    void Resize() override;
    void FontChanged() override;
    void ColorChanged() override;
    void ApplyColor() override;
    virtual void ApplyTabStop();
    void UpdateTabChain();
    // Whether the children's widgets wait to be made (a page not shown
    // yet): then neither this widget's making nor a new child makes them.
    virtual bool ChildHandlesWait() const { return false; }
    // Makes every child's widget (those not made yet) and chains their Tab
    // order.
    void CreateChildHandles();

    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    // The widget is the plain one this class makes: a click or Tab gives
    // it the focus exactly when it is a tab stop. A control whose widget
    // has focus rules of its own clears it.
    bool FPlainFocus = false;

private:
    friend class TControl;
    friend struct TDockAccess;
    void ResetDockBounds();
    void UpdateDockManager();
    std::vector<TControl*> FControls;      // z-order, bottom first
    std::vector<TControl*> FDockClients;
    std::unique_ptr<IDockManager> FDockManager;
    bool FDockSite = false;
    bool FUseDockManager = false;
    std::vector<TWinControl*> FTabList;    // windowed children in tab order
    bool FTabStop = false;
    int FAlignLevel = 0;
    bool FAlignPending = false;
    bool FInAlign = false;
};

// The control behind a window handle, if the handle is a control's.
TControl* FindControl(HWND wnd);
