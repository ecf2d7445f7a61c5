// The window tests need the toolkit, made by the application object as the
// program makes it.
#include <gtest/gtest.h>

#include "framework/controls/Application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(nullptr);
    Application->Initialize(argc, argv);
    Application->SetTitle("Velmor");
    return RUN_ALL_TESTS();
}
