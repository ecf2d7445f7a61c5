#include <gtest/gtest.h>

#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"

namespace {

TEST(ProgramFolderTest, IsTheExecutablesFolderUnlessOverridden) {
    const String exe = ProgramFile();
    EXPECT_EQ(ExtractFileName(exe), "test_framework_system");
    EXPECT_TRUE(FileExists(exe));
    EXPECT_EQ(ProgramFolder(), ExtractFilePath(exe));
    EXPECT_EQ(ProgramFolder().back(), '/');

    SetProgramFolderOverride("/opt/velmor");
    EXPECT_EQ(ProgramFolder(), "/opt/velmor/");
    SetProgramFolderOverride("");
    EXPECT_EQ(ProgramFolder(), ExtractFilePath(exe));
}

}  // namespace
