#pragma once
#include "framework/controls/WinControl.h"

// A radio button: checking one unchecks the radio buttons beside it (the
// same parent). OnClick fires when it becomes checked.
class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* owner);
    String ClassName() const override { return "TRadioButton"; }

    bool Checked() const { return FChecked; }
    void SetChecked(bool v);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void ApplyText() override;
    void ApplyChecked();
    // CM_DIALOGCHAR: the underlined letter focuses and checks it.
    void WndProc(TMessage& message) override;

    bool FChecked = false;
    bool FPushing = false;
};
