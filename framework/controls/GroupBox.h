#pragma once
#include "framework/controls/WinControl.h"

// A frame with a caption around other controls.
class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* owner);
    String ClassName() const override { return "TGroupBox"; }

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyText() override;
    void AdjustClientRect(TRect& rect) override;
};
