#pragma once
#include <memory>

#include "framework/controls/StdCtrlsTypes.h"
#include "framework/controls/WinControl.h"

class TControlScrollBar;

// A box whose controls may reach past its edges: scroll bars appear when
// they do, and scrolling moves the controls, as the classic box does.
class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TComponent* owner);
    ~TScrollBox() override;
    String ClassName() const override { return "TScrollBox"; }

    TControlScrollBar* HorzScrollBar() const { return FHorz.get(); }
    TControlScrollBar* VertScrollBar() const { return FVert.get(); }
    bool AutoScroll = true;
    // bsSingleBorder: a sunken edge round the box, inside its bounds.
    TControlBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TControlBorderStyle v);
    // Moves the view by (dx, dy): the controls move the other way.
    void ScrollBy(int dx, int dy);
    // Scrolls so the control is in view.
    void ScrollInView(TControl* control);

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    QWidget* ClientWidget() override;

    // Framework-internal.
    int HorzPos() const { return FHPos; }
    int VertPos() const { return FVPos; }
    int ExtentX() const;
    int ExtentY() const;
    void ScrollTo(int x, int y);
    void UpdateScrollBars();

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void ApplyBounds() override;
    void AlignControls(TControl* control, TRect& rect) override;

private:
    int BorderWidth() const { return FBorderStyle == bsSingleBorder ? 2 : 0; }
    TControlBorderStyle FBorderStyle = bsSingleBorder;
    std::unique_ptr<TControlScrollBar> FHorz, FVert;
    int FHPos = 0, FVPos = 0;
    bool FInUpdate = false;
    bool FShowH = false, FShowV = false;
    void* FBars = nullptr;
};
