#include "toolbars/TbToolbarButtonActionLink.h"

#include "framework/controls/CustomAction.h"
#include "toolbars/TbToolbarButton.h"

TTbToolbarButtonActionLink::TTbToolbarButtonActionLink(TTbToolbarButton* button)
    : TControlActionLink(button), FButton(button) {}

bool TTbToolbarButtonActionLink::IsCheckedLinked() const {
    return TControlActionLink::IsCheckedLinked() && CustomAction()->Checked() == FButton->Down();
}

void TTbToolbarButtonActionLink::SetChecked(bool v) {
    if (IsCheckedLinked()) FButton->SetDown(v);
}
