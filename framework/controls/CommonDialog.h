#pragma once
#include "framework/classes/Component.h"
#include "framework/controls/Controls.h"

// The base of the platform dialogs (files, font, colour). Execute shows the
// dialog and answers true when the user confirmed it. With a modal handler
// set (a test), the dialog is not shown: a stand-in form goes through the
// modal seam instead, and whoever answers it fills in the dialog's result.
class TCommonDialog : public TComponent {
public:
    explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
    String ClassName() const override { return "TCommonDialog"; }

    virtual bool Execute() = 0;

    int HelpContext = 0;
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    // Runs the stand-in through the modal seam; true when answered mrOk.
    bool ExecuteStandIn(const String& caption, const String& text);
    void DoShow() {
        if (OnShow) OnShow(this);
    }
    void DoClose() {
        if (OnClose) OnClose(this);
    }
};
