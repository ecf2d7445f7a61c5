#pragma once
// Helpers shared by the spell store tests: a scratch folder per test and
// small file utilities.
#include <gtest/gtest.h>

#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"

inline String ScratchDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    String name = String(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
        if (c == '/') c = '_';
    const String dir = PathJoin({GetCurrentDir(), "spell_scratch", name});
    if (DirectoryExists(dir))
        for (const String& f : ListFilesByExt(dir, "*")) DeleteFile(PathJoin(dir, f));
    ForceDirectories(dir);
    return dir;
}

inline std::vector<String> ReadLines(const String& path) {
    std::vector<String> lines = SplitLines(ReadFileToString(path));
    std::erase(lines, String());
    return lines;
}
