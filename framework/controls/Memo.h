#pragma once
#include "framework/controls/CustomMemo.h"

// The plain memo.
class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
    String ClassName() const override { return "TMemo"; }
};
