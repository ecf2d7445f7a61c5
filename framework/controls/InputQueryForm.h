#pragma once
#include "framework/controls/Form.h"

class TLabel;
class TEdit;

// The window of InputQuery and InputBox: a prompt, one edit, OK and Cancel.
class TInputQueryForm : public TForm {
public:
    TInputQueryForm(TComponent* owner, const String& caption, const String& prompt, const String& value);
    String ClassName() const override { return "TInputQueryForm"; }

    const String& Prompt() const { return FPrompt; }
    TEdit* Edit() const { return FEdit; }
    String Value() const;
    String DialogText() const override { return FPrompt; }

private:
    String FPrompt;
    TLabel* FLabel = nullptr;
    TEdit* FEdit = nullptr;
};
