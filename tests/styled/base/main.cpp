// The styled base tests need the toolkit's event loop and the framework's
// application object, made as the program makes them. The program also
// runs itself again as a second copy of "the program" for the
// two-process tests.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "framework/controls/Application.h"

int main(int argc, char** argv) {
    const int child = RunChildModeIfAsked(argc, argv);
    if (child >= 0) return child;
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(nullptr);
    Application->Initialize(argc, argv);
    Application->SetTitle("Velmor tests");
    const int rc = RUN_ALL_TESTS();
    RemoveRunFiles();
    return rc;
}
