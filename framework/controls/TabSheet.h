#pragma once
#include "framework/controls/WinControl.h"

class TPageControl;

// One page of a page control; its Caption is the tab's text. OnShow and
// OnEnter fire when it becomes the active page, OnHide and OnExit when it
// stops being it.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    String ClassName() const override { return "TTabSheet"; }

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* v);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    int PageIndex() const;
    void SetPageIndex(int v);
    // The tab's position among the visible tabs, -1 when hidden.
    int TabIndex() const;
    int ImageIndex = -1;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

    // Framework-internal: the page control's notices.
    void DoShow();
    void DoHide();
    void SetPageControlFromList(TPageControl* v) { FPageControl = v; }

protected:
    void TextChanged() override;
    // A page that is not showing when its window is made makes the windows
    // of its controls when it first shows: a window with many pages opens
    // sooner. Tab still goes through them in their order.
    void InitWidget() override;
    void ApplyVisible() override;
    bool ChildHandlesWait() const override { return FChildHandlesWait; }

private:
    void MakeWaitingHandles();

    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    bool FChildHandlesWait = false;
};
