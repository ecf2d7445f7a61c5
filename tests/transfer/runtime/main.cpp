// The runner waits by running the message loop, so these tests need the
// application object.
#include <gtest/gtest.h>

#include "framework/controls/Application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(nullptr);
    app.Initialize(argc, argv);
    return RUN_ALL_TESTS();
}
