#pragma once
#include "framework/controls/OpenDialog.h"

// The save dialog: the open dialog asking for a name to write to.
class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}
    String ClassName() const override { return "TSaveDialog"; }

protected:
    bool IsSaveDialog() const override { return true; }
};
