#include "framework/controls/MessageBox.h"

#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/MessageDlgForm.h"

int MessageBox(HWND, const String& text, const String& caption, UINT type) {
    std::vector<TMsgDlgBtn> order;
    switch (type & 0x0F) {
    case MB_OKCANCEL: order = {mbOK, mbCancel}; break;
    case MB_ABORTRETRYIGNORE: order = {mbAbort, mbRetry, mbIgnore}; break;
    case MB_YESNOCANCEL: order = {mbYes, mbNo, mbCancel}; break;
    case MB_YESNO: order = {mbYes, mbNo}; break;
    case MB_RETRYCANCEL: order = {mbRetry, mbCancel}; break;
    default: order = {mbOK}; break;
    }
    TMsgDlgButtons buttons = 0;
    for (TMsgDlgBtn b : order) buttons |= b;
    const size_t defIndex = (type >> 8) & 0x0F;
    const TMsgDlgBtn def = defIndex < order.size() ? order[defIndex] : order.front();
    TMsgDlgType kind = mtCustom;
    switch (type & 0xF0) {
    case MB_ICONHAND: kind = mtError; break;
    case MB_ICONQUESTION: kind = mtConfirmation; break;
    case MB_ICONEXCLAMATION: kind = mtWarning; break;
    case MB_ICONASTERISK: kind = mtInformation; break;
    default: break;
    }
    TMessageDlgForm box(nullptr, text, kind, buttons, 0, kind != mtCustom, def);
    box.SetCaption(caption);
    const int result = RunDialogForm(box);
    // Closing the box counts as Cancel only where there is one; a Yes/No box
    // closed another way answers No, and an OK box OK.
    if (result == mrCancel && !(buttons & mbCancel)) return (buttons & mbNo) ? IDNO : order.front();
    return result;
}

int ApplicationMessageBox(const String& text, const String& caption, UINT flags) {
    String title = caption;
    if (title.empty() && Application) title = Application->Title();
    return MessageBox(0, text, title, flags);
}
