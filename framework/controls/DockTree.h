#pragma once
#include <memory>
#include <vector>

#include "framework/controls/DockManager.h"

class TWinControl;

// The usual dock manager: the site's area is a tree of zones, each split
// side by side or one above the other, and every client has a zone of its
// own with a grabber strip along it: on top, or at the left when the site
// is aligned alTop or alBottom. Pressing the grabber drags the client
// away; its close button takes the client off the site and hides it.
// A client dropped on another one's side takes half of that one's zone.
class TDockTree : public IDockManager {
public:
    explicit TDockTree(TWinControl* dockSite);
    ~TDockTree() override;
    TDockTree(const TDockTree&) = delete;
    TDockTree& operator=(const TDockTree&) = delete;

    void BeginUpdate() override;
    void EndUpdate() override;
    void GetControlBounds(TControl* control, TRect& bounds) override;
    void InsertControl(TControl* control, TAlign insertAt, TControl* dropControl) override;
    void RemoveControl(TControl* control) override;
    void PositionDockRect(TControl* client, TControl* dropControl, TAlign dropAlign, TRect& dockRect) override;
    void PaintSite(TCanvas* canvas) override;
    void ResetBounds(bool force) override;
    TControl* HitTest(const TPoint& mousePos, LRESULT& hitTest) override;

    TWinControl* DockSite() const { return FDockSite; }
    int GrabberSize() const { return FGrabberSize; }
    // Grabbers run along the top of the zones, unless the site is a bar at
    // the top or the bottom of its parent.
    bool GrabbersOnTop() const;
    // A client's grabber strip and the close button in it (site client
    // coordinates); empty for a control that is not held or not shown.
    TRect GrabberRect(TControl* control) const;
    TRect CloseButtonRect(TControl* control) const;

protected:
    // Draws one client's grabber strip: the classic dock frame, two
    // raised grip lines and a close button.
    virtual void PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& grabber);
    // Where the close button sits in a grabber strip: its last 12 pixels.
    TRect CloseButtonIn(const TRect& grabber) const;
    // Messages of the site pass here first (grabbers, close buttons).
    virtual void WindowProc(TMessage& message);
    // The area the zones share: the site's client area inside its frame.
    TRect DockArea() const;

    int FGrabberSize = 12;

private:
    struct TZone;
    TZone* FindZone(TZone* zone, const TControl* control) const;
    void LayZone(TZone* zone, const TRect& rect);
    void ForEachLeaf(TZone* zone, const std::function<void(TZone*)>& fn) const;
    static bool ZoneShows(const TZone* zone);
    void CloseClient(TControl* control);

    TWinControl* FDockSite;
    TWndMethod FOldWndProc;
    std::unique_ptr<TZone> FRoot;
    int FUpdateCount = 0;
    bool FLaying = false;
    TControl* FClosePressed = nullptr;
};
