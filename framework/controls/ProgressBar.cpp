#include "framework/controls/ProgressBar.h"

#include <QProgressBar>
#include <algorithm>

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    FWidth = 150;
    FHeight = 16;
}

void TProgressBar::SetMin(int v) {
    FMin = v;
    if (FMax < FMin) FMax = FMin;
    SetPosition(FPosition);
    if (FWidget) Push();
}

void TProgressBar::SetMax(int v) {
    FMax = v;
    if (FMin > FMax) FMin = FMax;
    SetPosition(FPosition);
    if (FWidget) Push();
}

void TProgressBar::SetPosition(int v) {
    v = std::clamp(v, FMin, FMax);
    if (v == FPosition) return;
    FPosition = v;
    if (FWidget) Push();
}

void TProgressBar::StepIt() {
    int v = FPosition + Step;
    if (v > FMax) v = FMin + (v - FMax - 1) % std::max(1, FMax - FMin + 1);
    FPosition = std::clamp(v, FMin, FMax);
    if (FWidget) Push();
}

void TProgressBar::StepBy(int delta) { SetPosition(FPosition + delta); }

void TProgressBar::SetOrientation(TProgressBarOrientation v) {
    if (v == FOrientation) return;
    FOrientation = v;
    if (FWidget) Push();
}

QWidget* TProgressBar::CreateWidget(QWidget* parent) {
    auto* b = new QProgressBar(parent);
    b->setTextVisible(false);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

void TProgressBar::InitWidget() {
    TWinControl::InitWidget();
    Push();
}

void TProgressBar::Push() {
    auto* b = static_cast<QProgressBar*>(FWidget);
    b->setOrientation(FOrientation == pbVertical ? Qt::Vertical : Qt::Horizontal);
    b->setRange(FMin, FMax);
    b->setValue(FPosition);
}
