#include "framework/controls/PageControl.h"

#include <algorithm>

#include "framework/controls/TabSheet.h"
#include "framework/controls/qt/WsTabs.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/Exception.h"

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    ControlStyle |= csAcceptsControls;
    FWidth = 289;
    FHeight = 193;
    SetTabStop(true);
}

TPageControl::~TPageControl() {
    TPageControl::DestroyHandle();
    for (TTabSheet* p : FPages) p->SetPageControlFromList(nullptr);
    FPages.clear();
    FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) throw EListError(RtlConsts::SListIndexError, {index});
    return FPages[static_cast<size_t>(index)];
}

int TPageControl::ActivePageIndex() const {
    for (int i = 0; i < PageCount(); ++i)
        if (FPages[static_cast<size_t>(i)] == FActivePage) return i;
    return -1;
}

void TPageControl::SetActivePageIndex(int v) { SetActivePage(v >= 0 && v < PageCount() ? FPages[static_cast<size_t>(v)] : nullptr); }

void TPageControl::SetActivePage(TTabSheet* v) {
    if (v && v->PageControl() != this) return;
    if (v == FActivePage) return;
    TTabSheet* old = FActivePage;
    FActivePage = v;
    ShowActive(old);
}

void TPageControl::ShowActive(TTabSheet* old) {
    for (TTabSheet* p : FPages) p->SetVisible(p == FActivePage);
    Realign();
    if (FWidget) PushTabs();
    if (old && !HasState(csDestroying)) old->DoHide();
    if (FActivePage) FActivePage->DoShow();
}

int TPageControl::TabIndex() const { return FActivePage ? FActivePage->TabIndex() : -1; }

void TPageControl::SetTabIndex(int v) {
    for (TTabSheet* p : FPages)
        if (p->TabIndex() == v) {
            SetActivePage(p);
            return;
        }
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const {
    if (FPages.empty()) return nullptr;
    const int n = PageCount();
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (FPages[static_cast<size_t>(i)] == current) start = i;
    if (start < 0) start = goForward ? n - 1 : 0;
    int i = start;
    for (int k = 0; k < n; ++k) {
        i = goForward ? (i + 1) % n : (i + n - 1) % n;
        TTabSheet* p = FPages[static_cast<size_t>(i)];
        if (!checkTabVisible || p->TabVisible()) return p;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible) {
    TTabSheet* p = FindNextPage(FActivePage, goForward, checkTabVisible);
    if (!p || p == FActivePage) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (!allow) return;
    SetActivePage(p);
    if (OnChange) OnChange(this);
}

void TPageControl::ClickTab(int tabIndex) {
    TTabSheet* target = nullptr;
    for (TTabSheet* p : FPages)
        if (p->TabIndex() == tabIndex) target = p;
    if (!target || target == FActivePage) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (!allow) {
        if (FWidget) PushTabs();  // the tab bar goes back
        return;
    }
    SetActivePage(target);
    if (OnChange) OnChange(this);
}

void TPageControl::InsertPage(TTabSheet* page) {
    if (std::find(FPages.begin(), FPages.end(), page) != FPages.end()) return;
    FPages.push_back(page);
    page->SetPageControlFromList(this);
    page->SetVisible(false);
    // The first page becomes the active one.
    if (!FActivePage) SetActivePage(page);
    Realign();
    if (FWidget) PushTabs();
}

void TPageControl::RemovePage(TTabSheet* page) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    TTabSheet* next = page == FActivePage ? FindNextPage(page, true, true) : FActivePage;
    FPages.erase(it);
    page->SetPageControlFromList(nullptr);
    if (next == page) next = nullptr;
    if (page == FActivePage) {
        FActivePage = nullptr;
        if (!HasState(csDestroying)) SetActivePage(next);
    }
    if (FWidget && !HasState(csDestroying)) PushTabs();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    FPages.erase(it);
    index = std::clamp(index, 0, PageCount());
    FPages.insert(FPages.begin() + index, page);
    if (FWidget) PushTabs();
}

void TPageControl::PageChanged(TTabSheet* page) {
    // A hidden tab cannot stay the active page.
    if (page == FActivePage && !page->TabVisible()) {
        TTabSheet* next = FindNextPage(page, true, true);
        SetActivePage(next == page ? nullptr : next);
    }
    if (FWidget) PushTabs();
}

void TPageControl::AdjustClientRect(TRect& rect) {
    rect.Top += TabHeight();
    rect.Left += 2;
    rect.Right -= 2;
    rect.Bottom -= 2;
}

void TPageControl::AlignControls(TControl* control, TRect& rect) {
    TRect r = rect;
    AdjustClientRect(r);
    for (TTabSheet* p : FPages) p->SetBounds(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
    TWinControl::AlignControls(control, rect);
}

QWidget* TPageControl::CreateWidget(QWidget* parent) {
    // The widget: a plain surface with a tab bar along its top.
    QWidget* w = velmor_ws::CreatePageSurface(
        parent, TabHeight(),
        [this](int i) {
            GuardedCall([this, i] {
                if (!FPushing) ClickTab(i);
            });
        },
        [this] { FTabSurface = nullptr; });
    FTabSurface = w;
    return w;
}

void TPageControl::DestroyHandle() {
    // The widget may go later, once the event being delivered is done: by
    // then it must no longer report to this control, which may be gone.
    if (QWidget* w = WidgetIfAllocated()) velmor_ws::DetachPageSurface(w);
    FTabSurface = nullptr;
    TWinControl::DestroyHandle();
}

void TPageControl::InitWidget() {
    TWinControl::InitWidget();
    PushTabs();
}

void TPageControl::ApplyBounds() {
    TWinControl::ApplyBounds();
    if (FTabSurface) velmor_ws::PlaceTabBar(FTabSurface, FWidth, TabHeight());
}

void TPageControl::PushTabs() {
    if (!FTabSurface) return;
    std::vector<String> captions;
    for (TTabSheet* p : FPages)
        if (p->TabVisible()) captions.push_back(p->Caption());
    FPushing = true;
    velmor_ws::SetPageTabs(FTabSurface, captions, TabIndex());
    FPushing = false;
}
