#include "framework/controls/RadioButton.h"

#include <QRadioButton>

#include "framework/messages/MessageQueue.h"

namespace {
// Like the classic button, the whole rectangle answers a click.
class TWholeRadioButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
}  // namespace

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
    ControlStyle &= ~csClickEvents;
    FWidth = 113;
    FHeight = 17;
    SetTabStop(true);
}

void TRadioButton::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    if (FWidget) ApplyChecked();
    if (!v) return;
    if (FParent)
        for (int i = 0; i < FParent->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(FParent->Controls(i)); other && other != this)
                other->SetChecked(false);
    Click();
}

QWidget* TRadioButton::CreateWidget(QWidget* parent) {
    auto* b = new TWholeRadioButton(parent);
    // The control decides who is checked; the toolkit only shows it.
    b->setAutoExclusive(false);
    b->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(b, &QRadioButton::clicked, [this] {
        GuardedCall([this] {
            if (FPushing) return;
            SetChecked(true);
            ApplyChecked();
        });
    });
    return b;
}

void TRadioButton::InitWidget() {
    TWinControl::InitWidget();
    ApplyChecked();
}

void TRadioButton::ApplyChecked() {
    FPushing = true;
    static_cast<QRadioButton*>(FWidget)->setChecked(FChecked);
    FPushing = false;
}

void TRadioButton::ApplyText() { static_cast<QRadioButton*>(FWidget)->setText(QString::fromStdString(FText)); }
