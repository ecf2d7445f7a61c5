#pragma once
// A dialog script whose unanswered boxes fail the running test.
#include <gtest/gtest.h>

#include "framework/controls/DialogScript.h"

class TTestScript : public TDialogScript {
public:
    TTestScript() {
        OnUnanswered = [](const TDialogRecord& r) {
            ADD_FAILURE() << "unanswered " << r.Kind << " \"" << r.Caption << "\": " << r.Text;
        };
    }
};
