// Grids are real widgets: the tests run inside the application object,
// on the offscreen platform unless the environment names another.
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/controls/Application.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(nullptr);
    app.Initialize(argc, argv);
    return RUN_ALL_TESTS();
}
