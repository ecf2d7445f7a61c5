#include "framework/controls/TabSheet.h"

#include "framework/controls/PageControl.h"
#include "framework/controls/qt/WsControl.h"

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    ControlStyle |= csAcceptsControls;
    FVisible = false;
}

TTabSheet::~TTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* v) {
    if (v == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    SetParent(v);
    if (v) v->InsertPage(this);
}

void TTabSheet::SetTabVisible(bool v) {
    if (v == FTabVisible) return;
    FTabVisible = v;
    if (FPageControl) FPageControl->PageChanged(this);
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    for (int i = 0; i < FPageControl->PageCount(); ++i)
        if (FPageControl->Pages(i) == this) return i;
    return -1;
}

void TTabSheet::SetPageIndex(int v) {
    if (FPageControl) FPageControl->MovePage(this, v);
}

int TTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    int n = 0;
    for (int i = 0; i < FPageControl->PageCount(); ++i) {
        TTabSheet* p = FPageControl->Pages(i);
        if (p == this) return n;
        if (p->TabVisible()) ++n;
    }
    return -1;
}

void TTabSheet::TextChanged() {
    TWinControl::TextChanged();
    if (FPageControl) FPageControl->PageChanged(this);
}

void TTabSheet::DoShow() {
    if (OnShow) OnShow(this);
    DoEnter();
}

void TTabSheet::DoHide() {
    DoExit();
    if (OnHide) OnHide(this);
}

void TTabSheet::InitWidget() {
    FChildHandlesWait = !FVisible;
    TWinControl::InitWidget();
}

void TTabSheet::ApplyVisible() {
    if (FVisible) MakeWaitingHandles();
    TWinControl::ApplyVisible();
}

void TTabSheet::MakeWaitingHandles() {
    if (!FChildHandlesWait || !WidgetIfAllocated()) return;
    FChildHandlesWait = false;
    CreateChildHandles();
    // The widgets of every control on the page, in the order they would
    // have been made with the page.
    std::vector<QWidget*> made;
    auto collect = [&](auto&& self, const TWinControl* parent) -> void {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl* c = parent->Controls(i);
            if (QWidget* w = c->WidgetIfAllocated()) made.push_back(w);
            if (auto* wc = dynamic_cast<const TWinControl*>(c)) self(self, wc);
        }
    };
    collect(collect, this);
    velmor_ws::PlaceInTabOrder(WidgetIfAllocated(), made);
}
