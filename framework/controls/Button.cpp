#include "framework/controls/Button.h"

#include <QPointer>
#include <QPushButton>
#include <QShortcut>

#include "framework/controls/Form.h"
#include "framework/messages/MessageQueue.h"

struct TButton::Impl {
    QPointer<QShortcut> Escape;
};

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    // The toolkit button reports its own clicks (mouse and keyboard alike);
    // counting the mouse here as well would click twice.
    ControlStyle &= ~csClickEvents;
    FWidth = 75;
    FHeight = 25;
    SetTabStop(true);
}

TButton::~TButton() { delete FImpl; }

void TButton::SetDefault(bool v) {
    if (v == FDefault) return;
    FDefault = v;
    if (FWidget) static_cast<QPushButton*>(FWidget)->setDefault(v);
}

void TButton::SetCancel(bool v) {
    if (v == FCancel) return;
    FCancel = v;
    if (FWidget) ApplyShortcuts();
}

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
    ApplyShortcuts();
}

void TButton::ApplyShortcuts() {
    if (!FImpl) FImpl = new Impl;
    if (FCancel && !FImpl->Escape) {
        FImpl->Escape = new QShortcut(QKeySequence(Qt::Key_Escape), FWidget);
        FImpl->Escape->setContext(Qt::WindowShortcut);
        QObject::connect(FImpl->Escape.data(), &QShortcut::activated, [this] {
            GuardedCall([this] {
                if (Visible() && Enabled()) Click();
            });
        });
    } else if (!FCancel && FImpl->Escape) {
        delete FImpl->Escape.data();
    }
}

void TButton::ApplyText() { static_cast<QPushButton*>(FWidget)->setText(QString::fromStdString(FText)); }
