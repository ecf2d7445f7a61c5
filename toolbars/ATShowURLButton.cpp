#include "toolbars/ATShowURLButton.h"

#include "framework/controls/CustomEdit.h"
#include "toolbars/ATCommon.h"

TATShowURLButton::TATShowURLButton(TComponent* owner) : TBitBtn(owner) {
    SetBounds(Left(), Top(), 75, 25);
    SetTabStop(true);
    SetCaption("Show");
}

void TATShowURLButton::SetAssociate(TCustomEdit* v) {
    if (v == FAssociate) return;
    if (FAssociate) FAssociate->RemoveFreeNotification(this);
    FAssociate = v;
    if (v) v->FreeNotification(this);
}

void TATShowURLButton::Notification(TComponent* component, TOperation operation) {
    TBitBtn::Notification(component, operation);
    if (operation == opRemove && component == FAssociate) FAssociate = nullptr;
}

void TATShowURLButton::Click() {
    TBitBtn::Click();
    // An associated edit speaks for the button even when it is empty.
    const String address = FAssociate ? FAssociate->Text() : URL;
    FClicked = true;
    if (address.empty()) return;
    if (!OpenURL(address) && OnOpenFailed) OnOpenFailed(this, address);
}
