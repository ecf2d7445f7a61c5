#pragma once
// Helpers shared by the spell store tests; the scratch folder of each test
// (ScratchDir) comes from support/TempDir.h.
#include <gtest/gtest.h>

#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "support/TempDir.h"

inline std::vector<String> ReadLines(const String& path) {
    std::vector<String> lines = SplitLines(ReadFileToString(path));
    std::erase(lines, String());
    return lines;
}
