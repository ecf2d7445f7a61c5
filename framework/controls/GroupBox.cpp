#include "framework/controls/GroupBox.h"

#include "framework/controls/qt/WsPanels.h"

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
    ControlStyle |= csAcceptsControls;
    FWidth = 185;
    FHeight = 105;
}

QWidget* TGroupBox::CreateWidget(QWidget* parent) {
    return velmor_ws::CreateGroupBox(parent);
}

void TGroupBox::ApplyText() { velmor_ws::SetGroupBoxTitle(FWidget, FText); }

void TGroupBox::AdjustClientRect(TRect& rect) {
    // Below the caption and inside the frame.
    rect.Left += 2;
    rect.Top += 15;
    rect.Right -= 2;
    rect.Bottom -= 2;
}
