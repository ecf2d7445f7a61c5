// Widget tests need the toolkit's event loop, made by the application
// object as the program makes it.
#include <gtest/gtest.h>

#include "framework/controls/Application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(nullptr);
    Application->Initialize(argc, argv);
    Application->SetTitle("Velmor tests");
    return RUN_ALL_TESTS();
}
