#pragma once
#include "framework/controls/StdCtrlsTypes.h"
#include "framework/controls/WinControl.h"

// A check box. OnClick fires whenever the check changes, by the user or by
// code, as the classic one does. Grayed is reachable by clicking only with
// AllowGrayed.
class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);
    String ClassName() const override { return "TCheckBox"; }

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v);
    TAlignment Alignment = taRightJustify;  // the caption's side

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void ApplyText() override;
    void ApplyState();
    void Toggle();
    // CM_DIALOGCHAR: the underlined letter focuses and toggles it.
    void WndProc(TMessage& message) override;

    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    bool FPushing = false;
};
