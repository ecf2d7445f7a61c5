#include "framework/controls/CheckBox.h"

#include <QCheckBox>

#include "framework/messages/MessageQueue.h"

namespace {
// The classic box answers a click anywhere in its rectangle, not only on
// the square and the caption's letters.
class TWholeCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
}  // namespace

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    ControlStyle &= ~csClickEvents;  // the state change clicks, not the mouse
    FWidth = 97;
    FHeight = 17;
    SetTabStop(true);
}

void TCheckBox::SetState(TCheckBoxState v) {
    if (v == FState) return;
    FState = v;
    if (FWidget) ApplyState();
    Click();
}

void TCheckBox::SetAllowGrayed(bool v) {
    if (v == FAllowGrayed) return;
    FAllowGrayed = v;
    if (FWidget) static_cast<QCheckBox*>(FWidget)->setTristate(v);
}

void TCheckBox::Toggle() {
    // Clicking goes unchecked, checked, grayed (when allowed), unchecked.
    switch (FState) {
    case cbUnchecked: SetState(cbChecked); break;
    case cbChecked: SetState(FAllowGrayed ? cbGrayed : cbUnchecked); break;
    case cbGrayed: SetState(cbUnchecked); break;
    }
}

QWidget* TCheckBox::CreateWidget(QWidget* parent) {
    auto* b = new TWholeCheckBox(parent);
    b->setFocusPolicy(Qt::StrongFocus);
    // The classic box fills its own background: what lies under it does
    // not show through.
    b->setAutoFillBackground(true);
    QObject::connect(b, &QCheckBox::clicked, [this] {
        GuardedCall([this] {
            if (FPushing) return;
            Toggle();
            ApplyState();  // the toolkit's own cycle may differ
        });
    });
    return b;
}

void TCheckBox::InitWidget() {
    TWinControl::InitWidget();
    static_cast<QCheckBox*>(FWidget)->setTristate(FAllowGrayed);
    ApplyState();
}

void TCheckBox::ApplyState() {
    FPushing = true;
    static_cast<QCheckBox*>(FWidget)->setCheckState(FState == cbChecked  ? Qt::Checked
                                                    : FState == cbGrayed ? Qt::PartiallyChecked
                                                                         : Qt::Unchecked);
    FPushing = false;
}

void TCheckBox::ApplyText() { static_cast<QCheckBox*>(FWidget)->setText(QString::fromStdString(FText)); }
