#pragma once
#include <climits>
#include <functional>
#include <memory>
#include <vector>

#include "toolbars/TbCustomPanel.h"

class TTbSplitterDragBar;
class TTbSplitterPane;
class TTbPaneData;

enum TFixedPane { fpUpperLeft, fpLowerRight };
// Scoped: the framework's scroll styles own the short names.
enum class TSplitterStyle { ssStandard, ssGroove, ssBump };
enum TSelectedPane { spUpperLeft, spLowerRight };
enum THotSpotDirection { hsdMin, hsdMax };

using TTbSplitterChangingEvent = std::function<void(TObject* Sender, int NewPos, bool& AllowChange)>;

// Two panes, upper-left and lower-right, divided by a bar the user drags.
// The bar's place is Position pixels from the start; with UsePercent it
// follows Percent whenever the splitter is resized, and Percent itself
// changes only when the bar is dragged or placed on purpose.
class TTbSplitter : public TTbCustomPanel {
public:
    explicit TTbSplitter(TComponent* owner);
    ~TTbSplitter() override;
    String ClassName() const override { return "TTbSplitter"; }

    TTbSplitterPane* UpperLeftPane() const { return FPanes[0]; }
    TTbSplitterPane* LowerRightPane() const { return FPanes[1]; }
    TTbPaneData* UpperLeft() const { return GetPaneData(1); }
    TTbPaneData* LowerRight() const { return GetPaneData(2); }
    virtual TTbPaneData* GetPaneData(int index) const;
    virtual void SetPaneData(int index, TTbPaneData* value);

    TOrientation Orientation() const { return FOrientation; }
    virtual void SetOrientation(TOrientation v);
    int Position() const { return FPosition; }
    virtual void SetPosition(int v);
    // A position the user chose: also remembered as the preferred one.
    virtual void MovePosition(int pos);
    int Percent() const { return FPercent; }
    virtual void SetPercent(int v);
    bool UsePercent() const { return FUsePercent; }
    virtual void SetUsePercent(bool v);
    int PercentMin() const { return FPercentMin; }
    virtual void SetPercentMin(int v);
    int PercentMax() const { return FPercentMax; }
    virtual void SetPercentMax(int v);
    int MarginMin() const { return FMarginMin; }
    virtual void SetMarginMin(int v);
    int MarginMax() const { return FMarginMax; }
    virtual void SetMarginMax(int v);
    TFixedPane FixedPane() const { return FFixedPane; }
    virtual void SetFixedPane(TFixedPane v);
    int SplitterWidth() const { return FSplitterWidth; }
    virtual void SetSplitterWidth(int v);
    TSplitterStyle SplitterStyle() const { return FSplitterStyle; }
    virtual void SetSplitterStyle(TSplitterStyle v);
    bool RealTimeDrag = false;
    bool LockBar = false;
    bool HotSpotVisible() const { return FHotSpotVisible; }
    virtual void SetHotSpotVisible(bool v);
    TColor HotSpotHighlight() const { return FHotSpotHighlight; }
    virtual void SetHotSpotHighlight(TColor v);
    THotSpotDirection HotSpotDirection() const { return FHotSpotDirection; }
    virtual void SetHotSpotDirection(THotSpotDirection v);
    int HotSpotSizePercent() const { return FHotSpotSizePercent; }
    virtual void SetHotSpotSizePercent(int v);
    bool HotSpotIgnoreMargins = true;
    bool HotSpotClosed() const { return FHotSpotClosed; }
    int HotSpotPosition() const { return FHotSpotPosition; }
    // Opens the hot spot without moving the bar.
    virtual void ResetHotSpot() { FHotSpotClosed = false; Invalidate(); }
    TSelectedPane SelectedPane() const { return FSelectedPane; }
    virtual void SetSelectedPane(TSelectedPane v);

    TRect BarRect() const { return FBarRect; }
    TRect HotSpotRect() const { return FHotSpotRect; }
    bool Dragging() const { return FDragging; }
    // The outline shown over the panes while the bar is dragged without
    // RealTimeDrag; null when none shows.
    TControl* DragBar() const;
    // The extent the bar can move along.
    int Extent() const { return FOrientation == orHorizontal ? Width() : Height(); }

    // The stored pane contents ("UpperLeftControls", "LowerRightControls"):
    // names read while the window loads are moved into their panes once it
    // has loaded.
    void ReadUpperLeftControls(const std::vector<String>& names);
    void ReadLowerRightControls(const std::vector<String>& names);
    std::vector<String> UpperLeftControlNames() const;
    std::vector<String> LowerRightControlNames() const;
    // The stored bar ("BarSize") and hot spot state ("HotSpotClosed",
    // "HotSpotPosition", stored only while the spot is closed).
    void ReadBarSize(const TRect& bar);
    void ReadHotSpotState(bool closed, int position);
    // Windows saved by earlier versions may carry "PositionMin" and
    // "PositionMax"; nothing uses them any more, so they load and are dropped.
    void ReadPositionMin(int value) { (void)value; }
    void ReadPositionMax(int value) { (void)value; }
    bool StoresHotSpotState() const { return FHotSpotClosed; }

    // Lays the panes and the bar out for the current position.
    virtual void UpdatePanes();
    virtual int GetBorderThickness() const;
    // A pane was shown or hidden: lays the panes out again and keeps the
    // window's active control somewhere that can hold the focus.
    void PaneVisibilityChanged();

    TNotifyEvent OnChange;
    TTbSplitterChangingEvent OnChanging;
    TNotifyEvent OnHotSpotClick;
    // The panes' docking events, passed on as they come (Sender is the
    // pane).
    TGetSiteInfoEvent OnULGetSiteInfo;
    TDockOverEvent OnULDockOver;
    TDockDropEvent OnULDockDrop;
    TUnDockEvent OnULUnDock;
    TGetSiteInfoEvent OnLRGetSiteInfo;
    TDockOverEvent OnLRDockOver;
    TDockDropEvent OnLRDockDrop;
    TUnDockEvent OnLRUnDock;

protected:
    virtual void UpdateFixedSize();
    virtual void DrawDragBar(int pos);
    virtual void UpdateHotSpotRect();
    virtual void DrawHotSpot(bool highlight);
    virtual void DrawSplitterBar();
    virtual void AdjustPosition(int& pos) const;
    virtual void SetPreferredPosition(int pos);

    void Loaded() override;
    void Paint() override;
    void WndProc(TMessage& message) override;
    void Resize() override;
    void AlignControls(TControl* control, TRect& rect) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DrawCaption(TRect rect) override { (void)rect; }

private:
    // Places the bar; Percent follows unless keepPercent.
    void ApplyPosition(int v, bool keepPercent);
    int Avail() const { return Extent() - FSplitterWidth / 2; }
    void ApplyPercentMargins();
    int Along(int x, int y) const { return FOrientation == orHorizontal ? x : y; }
    void ToggleHotSpot();
    std::vector<String> PaneNames(int index) const;
    void ResolvePaneNames();
    void EndOutline();
    void ForwardDockEvents(TTbSplitterPane* pane, TGetSiteInfoEvent TTbSplitter::*getSiteInfo,
                           TDockOverEvent TTbSplitter::*dockOver, TDockDropEvent TTbSplitter::*dockDrop,
                           TUnDockEvent TTbSplitter::*unDock);

    TTbSplitterPane* FPanes[2] = {nullptr, nullptr};
    std::unique_ptr<TTbPaneData> FPaneData[2];
    std::unique_ptr<std::vector<String>> FPendingNames[2];
    TOrientation FOrientation = orHorizontal;
    int FPosition = 100;
    int FPercent = 50;
    bool FUsePercent = false;
    int FPercentMin = 0;
    int FPercentMax = 100;
    int FMarginMin = 0;
    int FMarginMax = 0;
    TFixedPane FFixedPane = fpUpperLeft;
    int FSplitterWidth = 4;
    TSplitterStyle FSplitterStyle = TSplitterStyle::ssStandard;
    bool FHotSpotVisible = false;
    TColor FHotSpotHighlight = clWindow;
    THotSpotDirection FHotSpotDirection = hsdMin;
    int FHotSpotSizePercent = 40;
    bool FHotSpotClosed = false;
    int FHotSpotPosition = 0;
    TSelectedPane FSelectedPane = spUpperLeft;

    TRect FBarRect;
    TRect FHotSpotRect;
    int FPreferred = 100;
    int FFixedSize = 100;
    bool FDragging = false;
    bool FHotSpotPressed = false;
    bool FOverHotSpot = false;
    int FDragStart = 0;
    int FPressAt = 0;
    int FLastDrag = 0;
    int FOutlineAt = -1;  // where the outline bar shows while dragging, -1 none
    TTbSplitterDragBar* FDragBar = nullptr;  // a child of the splitter while it lives
    bool FResizing = false;
    bool FUpdating = false;
};
