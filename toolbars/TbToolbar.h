#pragma once
#include <memory>
#include <vector>

#include "toolbars/TbCustomPanel.h"
#include "toolbars/TbToolbarControlList.h"

class TBitmap;

// A bar along an edge of its parent that lays its controls out in the
// order of its control list, left to right in rows of RowHeight (top to
// bottom in columns when vertical), wrapping when a row is full. The
// children's own Align has no effect on it.
class TTbToolbar : public TTbCustomPanel {
public:
    explicit TTbToolbar(TComponent* owner);
    ~TTbToolbar() override;
    String ClassName() const override { return "TTbToolbar"; }

    // Hides the control's SetAlign: the edge also picks the automatic
    // style and the size.
    TAlign Align() const { return TControl::Align(); }
    virtual void SetAlign(TAlign v);
    bool AutoResize() const { return FAutoResize; }
    virtual void SetAutoResize(bool v);
    bool AutoStyle() const { return FAutoStyle; }
    void SetAutoStyle(bool v);
    // Tiled over the client area when not empty.
    TBitmap* Background() const { return FBackground.get(); }
    virtual void SetBackground(TBitmap* v);
    int Margin() const { return FMargin; }
    virtual void SetMargin(int v);
    int TopMargin() const { return FTopMargin; }
    virtual void SetTopMargin(int v);
    TOrientation Orientation() const { return FOrientation; }
    virtual void SetOrientation(TOrientation v);
    int RowHeight() const { return FRowHeight; }
    virtual void SetRowHeight(int v);
    bool ShowDivider() const { return FShowDivider; }
    virtual void SetShowDivider(bool v);
    bool WrapControls() const { return FWrapControls; }
    virtual void SetWrapControls(bool v);

    void SetBorderInner(TFrameStyle v) override;
    void SetBorderOuter(TFrameStyle v) override;
    void SetBorderSides(TSides v) override;
    void SetFrameSides(TSides v) override;

    TTbToolbarControlList* ToolbarControls() const { return FControls.get(); }
    // The stored layout order ("ToolbarControls"): names read while the
    // window loads are resolved once it has loaded. Written only when the
    // list holds at least one control.
    void ReadToolbarControls(const std::vector<String>& names);
    bool StoresToolbarControls() const;
    std::vector<String> ToolbarControlNames() const;

    // Every toolbar button gets this size and caption display; the rows
    // follow the new size.
    virtual void SetButtonSize(int width, int height, bool showCaptions);
    virtual void PositionControls();
    // AutoResize is looked at again under a new parent.
    void SetParent(TWinControl* parent) override;
    // Rows laid out by the last PositionControls.
    int RowCount() const { return FRows; }

    TNotifyEvent OnVisibleChanged;

protected:
    virtual int GetRowHeight(int row) const;
    virtual void PositionControl(int index, int row, int& offset);
    virtual void AdjustStyle(TAlign align);
    virtual void CheckAutoResize(bool& value);

    void Loaded() override;
    void Paint() override;
    // Controls read from the right sit from the bar's right end.
    void BiDiModeChanged() override;
    // The bar shows no caption.
    void DrawCaption(TRect rect) override { (void)rect; }
    void AlignControls(TControl* control, TRect& rect) override;
    void Notification(TComponent* component, TOperation operation) override;
    void VisibleChanged() override;

    int FCurrentRowHeight = 25;

private:
    void StyleSet(const std::function<void()>& fn);
    // Builds the list from the stored names (or the children), then lays out.
    void ResolveControlList();
    void AfterLayoutChange();

    std::unique_ptr<TTbToolbarControlList> FControls;
    std::unique_ptr<std::vector<String>> FPending;
    std::unique_ptr<TBitmap> FBackground;
    bool FAutoResize = true;
    bool FRequestedAutoResize = true;
    bool FAutoStyle = true;
    int FMargin = 4;
    int FTopMargin = 4;
    TOrientation FOrientation = orHorizontal;
    int FRowHeight = 25;
    bool FShowDivider = true;
    bool FWrapControls = true;
    bool FPositioning = false;
    bool FStyling = false;
    int FRows = 1;
};
