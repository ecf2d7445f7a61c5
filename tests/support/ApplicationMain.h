#pragma once
// The main() of a test program whose tests need the toolkit: the
// application object is made as the program makes it, and lives while the
// tests run.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "framework/controls/Application.h"

struct TTestApplicationOptions {
    const char* Title = nullptr;     // nullptr: the application's own default
    bool OffscreenByDefault = false;  // when the environment names no platform
};

inline int RunTestsInApplication(int argc, char** argv, const TTestApplicationOptions& options = {}) {
    if (options.OffscreenByDefault) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(nullptr);
    app.Initialize(argc, argv);
    if (options.Title) app.SetTitle(options.Title);
    return RUN_ALL_TESTS();
}
