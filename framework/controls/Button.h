#pragma once
#include "framework/controls/WinControl.h"

// A push button. A button with a ModalResult closes its modal form with
// that result when clicked; Cancel makes Esc click it anywhere in its
// window; Default marks the button Enter clicks.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    ~TButton() override;
    String ClassName() const override { return "TButton"; }

    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }

    void Click() override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void ApplyText() override;
    // CM_DIALOGCHAR: the underlined letter clicks it.
    void WndProc(TMessage& message) override;

    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};
