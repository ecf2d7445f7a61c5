#pragma once
#include "framework/controls/Form.h"

// The small window a dock client floats in: a tool window whose client area
// the control fills. It goes away by itself once its control has left.
class TFloatingDockForm : public TForm {
public:
    explicit TFloatingDockForm(TComponent* owner);
    String ClassName() const override { return "TFloatingDockForm"; }

    // The control floating in it (nullptr once it has left).
    TControl* Client() const { return DockClientCount() > 0 ? DockClients(0) : nullptr; }
};
