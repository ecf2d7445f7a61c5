#include "framework/controls/Button.h"

#include <QPushButton>

#include "framework/controls/DialogKeys.h"
#include "framework/controls/Form.h"
#include "framework/messages/MessageQueue.h"

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
    if (FWidget) static_cast<QPushButton*>(FWidget)->setDefault(v);
}

void TButton::SetCancel(bool v) { FCancel = v; }

void TButton::Click() {
    if (FModalResult != mrNone)
        if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TWinControl::Click();
}

QWidget* TButton::CreateWidget(QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setAutoDefault(true);
    b->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(b, &QPushButton::clicked, [this] { GuardedCall([this] { Click(); }); });
    return b;
}

void TButton::InitWidget() {
    TWinControl::InitWidget();
    static_cast<QPushButton*>(FWidget)->setDefault(FDefault);
}

void TButton::ApplyText() { static_cast<QPushButton*>(FWidget)->setText(QString::fromStdString(FText)); }
