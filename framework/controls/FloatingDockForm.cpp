#include "framework/controls/FloatingDockForm.h"

TFloatingDockForm::TFloatingDockForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsSizeToolWin);
    SetBorderIcons(biSystemMenu);
}
