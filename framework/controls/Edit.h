#pragma once
#include "framework/controls/CustomEdit.h"

// A one-line text box.
class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner);
    String ClassName() const override { return "TEdit"; }

    // 0 shows the text; any other character stands in for each one typed.
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char v);

protected:
    void WndProc(TMessage& message) override;
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void ApplyNonClient(int width) override;
    void ApplyAlignment() override;
    void PushTextToWidget() override;
    void PushSelectionToWidget() override;
    void PushReadOnlyToWidget() override;
    void DoEnter() override;

private:
    char FPasswordChar = 0;
};
