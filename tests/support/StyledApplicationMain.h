#pragma once
// The main() of a styled test program whose tests need the toolkit, the
// framework's application object and the styled application object (whose
// timer pool drives buttons and calendars), under a name of this run's own.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <random>
#include <string>

#include "framework/controls/Application.h"
#include "framework/system/InstanceGuard.h"
#include "styled/base/StyApplication.h"

inline int RunStyledTests(int argc, char** argv, const char* what) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    const String name = String("velmor-styled-") + what + "-test-" + std::to_string(std::random_device{}());
    int rc = 0;
    {
        TStyApplication styApp(nullptr, name);
        TApplication app(nullptr);
        app.Initialize(argc, argv);
        rc = RUN_ALL_TESTS();
    }
    // The guard leaves its lock file behind by design; this run's is of no
    // use to anybody.
    std::error_code ec;
    std::filesystem::remove(TInstanceGuard(name).LockFileName(), ec);
    return rc;
}
