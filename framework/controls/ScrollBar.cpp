#include "framework/controls/ScrollBar.h"

#include <QScrollBar>
#include <algorithm>

#include "framework/messages/MessageQueue.h"

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
    auto* s = new QScrollBar(parent);
    QObject::connect(s, &QScrollBar::actionTriggered, [this, s](int action) {
        GuardedCall([this, s, action] {
            if (FPushing) return;
            TScrollCode code = scPosition;
            switch (action) {
            case QAbstractSlider::SliderSingleStepAdd: code = scLineDown; break;
            case QAbstractSlider::SliderSingleStepSub: code = scLineUp; break;
            case QAbstractSlider::SliderPageStepAdd: code = scPageDown; break;
            case QAbstractSlider::SliderPageStepSub: code = scPageUp; break;
            case QAbstractSlider::SliderToMinimum: code = scTop; break;
            case QAbstractSlider::SliderToMaximum: code = scBottom; break;
            case QAbstractSlider::SliderMove: code = scTrack; break;
            default: break;
            }
            Scroll(code, s->sliderPosition());
            // The toolkit moves on by itself; it must land where we did.
            s->setSliderPosition(FPosition);
        });
    });
    return s;
}

void TScrollBar::InitWidget() {
    TWinControl::InitWidget();
    Push();
}

void TScrollBar::Push() {
    auto* s = static_cast<QScrollBar*>(FWidget);
    FPushing = true;
    s->setOrientation(FKind == sbVertical ? Qt::Vertical : Qt::Horizontal);
    // The classic Max includes the last page; the toolkit's does not.
    s->setRange(FMin, std::max(FMin, FMax - std::max(0, FPageSize - 1)));
    s->setPageStep(std::max(1, FPageSize > 0 ? FPageSize : LargeChange));
    s->setSingleStep(std::max(1, SmallChange));
    s->setValue(FPosition);
    FPushing = false;
}
