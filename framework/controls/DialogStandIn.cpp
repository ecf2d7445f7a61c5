#include "framework/controls/DialogStandIn.h"

#include "framework/controls/CommonDialog.h"
#include "framework/controls/ModalSeam.h"

TDialogStandIn::TDialogStandIn(TCommonDialog* dialog, const String& caption, const String& text)
    : TForm(nullptr), FDialog(dialog), FText(text) {
    SetCaption(caption);
    SetBorderStyle(bsDialog);
    SetClientWidth(10);
    SetClientHeight(10);
}

// The log names the dialog itself (TOpenDialog…), not the stand-in.
String TDialogStandIn::ClassName() const { return FDialog ? FDialog->ClassName() : "TDialogStandIn"; }

bool TCommonDialog::ExecuteStandIn(const String& caption, const String& text) {
    TDialogStandIn form(this, caption, text);
    return form.ShowModal() == mrOk;
}
