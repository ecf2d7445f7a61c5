#pragma once
// What a dock site's layout engine offers the framework. A site with
// DockSite and UseDockManager on makes one (TWinControl::CreateDockManager)
// and hands its docked clients to it: it places them, draws what it puts
// round them and answers the mouse on it. TDockTree is the usual one.
#include "framework/controls/Controls.h"

class TCanvas;

class IDockManager {
public:
    virtual ~IDockManager() = default;
    // Bracket several changes: the layout runs once, at the end.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    // The area a client takes, with what is drawn round it (site client
    // coordinates); empty for a control the manager does not hold.
    virtual void GetControlBounds(TControl* control, TRect& bounds) = 0;
    // A client comes: on side insertAt of dropControl (of the whole site
    // when dropControl is nullptr or not held).
    virtual void InsertControl(TControl* control, TAlign insertAt, TControl* dropControl) = 0;
    virtual void RemoveControl(TControl* control) = 0;
    // Where InsertControl would put a client (dockRect in screen
    // coordinates).
    virtual void PositionDockRect(TControl* client, TControl* dropControl, TAlign dropAlign, TRect& dockRect) = 0;
    // Draws what the manager shows round the clients, after the site
    // painted itself.
    virtual void PaintSite(TCanvas* canvas) = 0;
    // Lays the clients out again (force: even when nothing seems changed).
    virtual void ResetBounds(bool force) = 0;
    // The client whose grabber is at a site client point, with HTCAPTION
    // or HTCLOSE (its close button) in hitTest; nullptr and HTNOWHERE
    // elsewhere.
    virtual TControl* HitTest(const TPoint& mousePos, LRESULT& hitTest) = 0;
};
