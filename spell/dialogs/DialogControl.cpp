#include "spell/dialogs/DialogControl.h"

#include "framework/controls/Edit.h"
#include "framework/controls/ListBox.h"

void TDialogControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == WordEdit) WordEdit = nullptr;
    if (component == Suggestions) Suggestions = nullptr;
}
