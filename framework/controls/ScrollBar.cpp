#include "framework/controls/ScrollBar.h"

#include <algorithm>

#include "framework/controls/qt/WsScrollBars.h"

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
    FWidth = 121;
    FHeight = 17;
    SetTabStop(true);
}

void TScrollBar::SetKind(TScrollBarKind v) {
    if (v == FKind) return;
    FKind = v;
    // The classic bar turns its bounds round with its kind.
    SetBounds(FLeft, FTop, FHeight, FWidth);
    if (FWidget) Push();
}

void TScrollBar::SetParams(int position, int min, int max) {
    if (max < min) max = min;
    position = std::clamp(position, min, max);
    const bool changed = position != FPosition;
    FMin = min;
    FMax = max;
    FPosition = position;
    if (FWidget) Push();
    if (changed && OnChange) OnChange(this);
}

void TScrollBar::SetPageSize(int v) {
    FPageSize = std::max(0, v);
    if (FWidget) Push();
}

void TScrollBar::Scroll(TScrollCode code, int pos) {
    int p = pos;
    switch (code) {
    case scLineUp: p = FPosition - SmallChange; break;
    case scLineDown: p = FPosition + SmallChange; break;
    case scPageUp: p = FPosition - LargeChange; break;
    case scPageDown: p = FPosition + LargeChange; break;
    case scTop: p = FMin; break;
    case scBottom: p = FMax; break;
    case scEndScroll: p = FPosition; break;
    default: break;
    }
    p = std::clamp(p, FMin, FMax);
    if (OnScroll) OnScroll(this, code, p);
    SetPosition(p);
}

QWidget* TScrollBar::CreateWidget(QWidget* parent) {
    return velmor_ws::CreateScrollBar(parent, [this](TScrollCode code, int pos) {
        if (FPushing) return;
        Scroll(code, pos);
        // The toolkit moves on by itself; it must land where we did.
        if (FWidget) velmor_ws::SetSliderPosition(FWidget, FPosition);
    });
}

void TScrollBar::InitWidget() {
    TWinControl::InitWidget();
    Push();
}

void TScrollBar::Push() {
    FPushing = true;
    // The classic Max includes the last page; the toolkit's does not.
    velmor_ws::SetScrollBarParams(FWidget, FKind == sbVertical, FMin, std::max(FMin, FMax - std::max(0, FPageSize - 1)),
                                  std::max(1, FPageSize > 0 ? FPageSize : LargeChange), std::max(1, SmallChange),
                                  FPosition);
    FPushing = false;
}
