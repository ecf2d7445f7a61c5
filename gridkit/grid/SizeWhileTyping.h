#pragma once
// Whether a cell grows while its text is typed. Plain settings.
#include "framework/classes/Persistent.h"

class TSizeWhileTyping : public TPersistent {
public:
    String ClassName() const override { return "TSizeWhileTyping"; }
    void Assign(TPersistent* source) override;

    bool Height = false;
    bool Width = false;
};
