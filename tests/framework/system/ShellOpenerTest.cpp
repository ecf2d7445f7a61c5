#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <filesystem>

#include "support/TempDir.h"
#include "framework/system/ShellOpener.h"

namespace {

class ShellOpenerTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetShellOpenHook([this](const String& a) {
            Opened.push_back(a);
            return true;
        });
    }
    void TearDown() override {
        SetShellOpenHook(nullptr);
        SetShellOpenProgram("");
    }
    std::vector<String> Opened;
    TTempDir Dir;
};

TEST_F(ShellOpenerTest, OpensWebMailAndFileAddresses) {
    WriteAll(Dir.File("page.html"), "<html></html>");
    const std::string page = "file://" + Dir.File("page.html");
    const std::vector<std::pair<String, String>> cases = {
        {"http://example.com", "http://example.com"},
        {"https://example.com/a?b=c#d", "https://example.com/a?b=c#d"},
        {"  HTTP://EXAMPLE.COM/  ", "HTTP://EXAMPLE.COM/"},
        {"ftp://ftp.example.org/pub/list.txt", "ftp://ftp.example.org/pub/list.txt"},
        {"mailto:someone@example.com?subject=Hi", "mailto:someone@example.com?subject=Hi"},
        {page, page},
        {"file://localhost" + Dir.File("page.html"), "file://localhost" + Dir.File("page.html")},
        {"file://" + Dir.Path() + "/", "file://" + Dir.Path() + "/"},
        {"file:///no/such/page.html", "file:///no/such/page.html"},
    };
    for (const auto& [address, passed] : cases) {
        Opened.clear();
        EXPECT_TRUE(ShellOpen(address)) << address;
        EXPECT_EQ(Opened, std::vector<String>{passed}) << address;
    }
}

TEST_F(ShellOpenerTest, RefusesWhatCouldRunSomething) {
    const std::string tool = Dir.File("run me");
    WriteAll(tool, "#!/bin/sh\n");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    WriteAll(Dir.File("launch.desktop"), "[Desktop Entry]\nExec=xterm\n");

    const std::vector<String> refused = {
        "javascript:alert(1)",
        "JavaScript:alert(document.cookie)",
        " javascript:void(0)",
        "vbscript:msgbox",
        "data:text/html,<script>alert(1)</script>",
        "/usr/bin/xterm",
        "calc.exe",
        "C:\\Windows\\system32\\calc.exe",
        "xterm -e sh",
        "ftp:example.com/file",
        "http:example.com",
        "http://",
        "https:///path-only",
        "mailto:",
        "http://example.com/\nsecond line",
        "http://example.com/\x01x",
        "file:relative/page.html",
        "file://otherhost/share/page.html",
        "file://" + Dir.Path() + "/run%20me",  // an executable behind an escape
        "file://" + Dir.File("launch.desktop"),
        "file:///bin/sh%00.html",
        "file:///tmp/broken%2",
        "",
        "   ",
    };
    for (const String& address : refused) {
        EXPECT_FALSE(ShellOpen(address)) << address;
        EXPECT_FALSE(ShellOpenAllowed(address)) << address;
    }
    EXPECT_TRUE(Opened.empty()) << Opened.front();
}

TEST_F(ShellOpenerTest, ReportsTheOpenersFailure) {
    SetShellOpenHook([](const String&) { return false; });
    EXPECT_FALSE(ShellOpen("https://example.com"));

    SetShellOpenHook(nullptr);
    SetShellOpenProgram(Dir.File("no-such-opener"));
    EXPECT_FALSE(ShellOpen("https://example.com"));
}

TEST_F(ShellOpenerTest, StartsTheOpenerWithOneArgumentAndReapsIt) {
    SetShellOpenHook(nullptr);
    SetShellOpenProgram(std::string(VELMOR_FIXTURES) + "/record-open.sh");
    const std::string record = Dir.File("record.txt");
    TEnvOverride env("VELMOR_OPEN_RECORD", record.c_str());

    // Everything a shell would act on must reach the opener untouched.
    const String address = "https://example.com/a b;touch x|$(id)`id`&'\"*";
    ASSERT_TRUE(ShellOpen(address));
    WaitForShellOpenChildren();
    EXPECT_EQ(ReadAll(record), "1\n" + address);
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "a child is left over";
    EXPECT_EQ(errno, ECHILD);
}

}  // namespace
