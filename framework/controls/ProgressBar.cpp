#include "framework/controls/ProgressBar.h"

#include <algorithm>

#include "framework/controls/qt/WsPanels.h"

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
    return velmor_ws::CreateProgressBar(parent);
}

void TProgressBar::InitWidget() {
    TWinControl::InitWidget();
    Push();
}

void TProgressBar::Push() {
    velmor_ws::SetProgress(FWidget, FOrientation == pbVertical, FMin, FMax, FPosition);
}
