#include "framework/controls/GroupBox.h"

#include <QGroupBox>

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
    ControlStyle |= csAcceptsControls;
    FWidth = 185;
    FHeight = 105;
}

QWidget* TGroupBox::CreateWidget(QWidget* parent) {
    auto* g = new QGroupBox(parent);
    g->setFocusPolicy(Qt::NoFocus);
    return g;
}

void TGroupBox::ApplyText() { static_cast<QGroupBox*>(FWidget)->setTitle(QString::fromStdString(FText)); }

void TGroupBox::AdjustClientRect(TRect& rect) {
    // Below the caption and inside the frame.
    rect.Left += 2;
    rect.Top += 15;
    rect.Right -= 2;
    rect.Bottom -= 2;
}
