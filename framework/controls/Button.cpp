#include "framework/controls/Button.h"

#include "framework/controls/DialogKeys.h"
#include "framework/controls/Form.h"
#include "framework/controls/Label.h"
#include "framework/controls/qt/WsButtons.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    // The toolkit button reports its own clicks (mouse and keyboard alike);
    // counting the mouse here as well would click twice.
    ControlStyle &= ~csClickEvents;
    FWidth = 75;
    FHeight = 25;
    SetTabStop(true);
    velmor_internal::EnsureDialogKeys();
}

TButton::~TButton() = default;

void TButton::SetDefault(bool v) {
    if (v == FDefault) return;
    FDefault = v;
    if (FWidget) velmor_ws::SetButtonDefault(FWidget, v);
}

void TButton::SetCancel(bool v) { FCancel = v; }

void TButton::Click() {
    if (FModalResult != mrNone)
        if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::WndProc(TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR && IsAccel(m.WParam, Caption()) && CanFocus()) {
        Click();
        m.Result = 1;
        return;
    }
    TWinControl::WndProc(m);
}

QWidget* TButton::CreateWidget(QWidget* parent) {
    return velmor_ws::CreatePushButton(parent, [this] { Click(); });
}

void TButton::InitWidget() {
    TWinControl::InitWidget();
    velmor_ws::SetButtonDefault(FWidget, FDefault);
}

void TButton::ApplyText() { velmor_ws::SetButtonCaption(FWidget, FText); }
