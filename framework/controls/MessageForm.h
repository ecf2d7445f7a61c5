#pragma once
#include "framework/controls/Form.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// A plain message box: the message and an OK button, sized to the text.
// The application's error box is one; the message dialogs of the standard
// controls build on it.
class TMessageForm : public TForm {
public:
    TMessageForm(TComponent* owner, const String& caption, const String& message,
                 TMsgDlgType type = mtInformation);
    String ClassName() const override { return "TMessageForm"; }

    const String& Message() const { return FMessage; }
    TMsgDlgType DialogType() const { return FType; }
    String DialogText() const override { return FMessage; }

protected:
    void Paint() override;

private:
    String FMessage;
    TMsgDlgType FType;
    TRect FTextRect;
};
