#pragma once
#include "framework/controls/ControlActionLink.h"

class TTbToolbarButton;

// A toolbar button follows its action's Checked only while it still shows
// the action's current state.
class TTbToolbarButtonActionLink : public TControlActionLink {
public:
    explicit TTbToolbarButtonActionLink(TTbToolbarButton* button);
    bool IsCheckedLinked() const override;
    void SetChecked(bool v) override;

private:
    TTbToolbarButton* FButton;
};
