#include "framework/controls/Dialogs.h"

#include <cstdio>

#include "framework/controls/Application.h"
#include "framework/controls/InputQueryForm.h"
#include "framework/controls/ModalSeam.h"
#include "framework/controls/Screen.h"

TModalResult RunDialogForm(TForm& form) {
    // Off screen with no test answering, a modal loop would wait for ever:
    // the box is logged and cancelled instead.
    if (!ModalHandler() && Screen && !Screen->HasDisplay()) {
        std::fprintf(stderr, "No one to answer %s \"%s\": %s\n", form.ClassName().c_str(), form.Caption().c_str(),
                     form.DialogText().c_str());
        velmor_internal::RecordShownDialog({form.ClassName(), form.Caption(), form.DialogText(), mrCancel});
        return mrCancel;
    }
    return form.ShowModal();
}

int MessageDlgPos(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx, int x, int y) {
    TMessageDlgForm box(nullptr, msg, type, buttons, helpCtx);
    box.HelpContext = helpCtx;
    if (x >= 0 || y >= 0) {
        box.SetPosition(poDesigned);
        box.SetBounds(x >= 0 ? x : box.Left(), y >= 0 ? y : box.Top(), box.Width(), box.Height());
    }
    return RunDialogForm(box);
}

int MessageDlg(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx) {
    return MessageDlgPos(msg, type, buttons, helpCtx, -1, -1);
}

void ShowMessagePos(const String& msg, int x, int y) {
    TMessageDlgForm box(nullptr, msg, mtCustom, mbOK, 0, false);
    if (x >= 0 || y >= 0) {
        box.SetPosition(poDesigned);
        box.SetBounds(x >= 0 ? x : box.Left(), y >= 0 ? y : box.Top(), box.Width(), box.Height());
    }
    RunDialogForm(box);
}

void ShowMessage(const String& msg) { ShowMessagePos(msg, -1, -1); }

bool InputQuery(const String& caption, const String& prompt, String& value) {
    TInputQueryForm form(nullptr, caption, prompt, value);
    if (RunDialogForm(form) != mrOk) return false;
    value = form.Value();
    return true;
}

String InputBox(const String& caption, const String& prompt, const String& defaultValue) {
    String value = defaultValue;
    InputQuery(caption, prompt, value);
    return value;
}
