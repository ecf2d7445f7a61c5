#pragma once
#include <vector>

#include "framework/controls/WinControl.h"

class TTabSheet;

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Pages with tabs along the top: one page shows at a time. OnChanging may
// refuse a change the user makes; OnChange follows it. Changes made by
// code fire neither, as in the classic control.
class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;
    String ClassName() const override { return "TPageControl"; }

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* v);
    int ActivePageIndex() const;
    void SetActivePageIndex(int v);
    // The active page's position among the visible tabs.
    int TabIndex() const;
    void SetTabIndex(int v);
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    void SelectNextPage(bool goForward, bool checkTabVisible = true);
    bool MultiLine = false;
    int TabHeight() const { return 24; }

    // As a click on the tab at that visible position does: OnChanging,
    // then the change and OnChange.
    void ClickTab(int tabIndex);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    // Framework-internal: sheets join, leave and change.
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void PageChanged(TTabSheet* page);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void DestroyHandle() override;
    void InitWidget() override;
    void AlignControls(TControl* control, TRect& rect) override;
    void AdjustClientRect(TRect& rect) override;
    void ApplyBounds() override;
    void ShowActive(TTabSheet* old);
    void PushTabs();

private:
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    bool FPushing = false;
    QWidget* FTabSurface = nullptr;  // the widget while it exists and reports here
};
