#pragma once
#include "framework/controls/Form.h"

class TCommonDialog;

// What a platform dialog looks like to the modal seam: a form that names
// the dialog it stands for, so a test's answer can fill the dialog in.
class TDialogStandIn : public TForm {
public:
    TDialogStandIn(TCommonDialog* dialog, const String& caption, const String& text);
    String ClassName() const override;
    TCommonDialog* Dialog() const { return FDialog; }
    String DialogText() const override { return FText; }

private:
    TCommonDialog* FDialog;
    String FText;
};
