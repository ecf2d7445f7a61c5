#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "support/TempDir.h"
#include "framework/system/InstanceGuard.h"

namespace {

class InstanceGuardTest : public ::testing::Test {
protected:
    TTempDir Dir;
    TEnvOverride Runtime{"XDG_RUNTIME_DIR", Dir.Path().c_str()};
};

// Another copy of the program: a child process that takes the guard, says
// whether it got it, and holds it until told to end or killed.
class THolder {
public:
    explicit THolder(const std::string& name) {
        int report[2], control[2];
        if (pipe(report) != 0 || pipe(control) != 0) return;
        FPid = fork();
        if (FPid == 0) {
            close(report[0]);
            close(control[1]);
            TInstanceGuard guard(name);
            char held = guard.Held() ? 'H' : 'N';
            (void)!write(report[1], &held, 1);
            char c;
            (void)!read(control[0], &c, 1);  // until told, or the parent goes
            _exit(0);  // no destructors: the kernel must free the lock
        }
        close(report[1]);
        close(control[0]);
        FControl = control[1];
        char c = 0;
        if (read(report[0], &c, 1) == 1) FHeld = c == 'H';
        close(report[0]);
    }
    ~THolder() {
        if (FPid > 0) Kill();
    }
    bool Started() const { return FPid > 0; }
    bool Held() const { return FHeld; }
    void Finish() {  // ends normally
        char c = 'x';
        (void)!write(FControl, &c, 1);
        Reap();
    }
    void Kill() {  // ends as a crash would
        kill(FPid, SIGKILL);
        Reap();
    }

private:
    void Reap() {
        int status;
        waitpid(FPid, &status, 0);
        FPid = -1;
        close(FControl);
    }
    pid_t FPid = -1;
    int FControl = -1;
    bool FHeld = false;
};

TEST_F(InstanceGuardTest, SecondProcessSeesTheFirstUntilItEnds) {
    for (bool crash : {false, true}) {
        SCOPED_TRACE(crash ? "holder killed" : "holder exits");
        THolder first("velmor-guard-test");
        ASSERT_TRUE(first.Started());
        ASSERT_TRUE(first.Held());
        {
            TInstanceGuard second("velmor-guard-test");
            EXPECT_TRUE(second.PrevInstance());
            EXPECT_FALSE(second.Held());
            TInstanceGuard unrelated("another-program");
            EXPECT_FALSE(unrelated.PrevInstance()) << "the name is the program's file name";
        }
        if (crash)
            first.Kill();
        else
            first.Finish();
        TInstanceGuard next("velmor-guard-test");
        EXPECT_FALSE(next.PrevInstance());
        EXPECT_TRUE(next.Held());
    }
}

TEST_F(InstanceGuardTest, HeldForTheLifeOfTheGuard) {
    auto guard = std::make_unique<TInstanceGuard>();
    ASSERT_TRUE(guard->Held());
    // Named after the running program's file.
    EXPECT_EQ(guard->LockFileName(), Dir.File("test_framework_system.lock"));
    EXPECT_TRUE(std::filesystem::exists(guard->LockFileName()));
    {
        THolder later("test_framework_system");
        EXPECT_FALSE(later.Held());
    }
    guard.reset();
    THolder after("test_framework_system");
    EXPECT_TRUE(after.Held());
}

TEST_F(InstanceGuardTest, LockFolder) {
    {
        TEnvOverride none("XDG_RUNTIME_DIR", nullptr);
        // Unique, since /tmp is shared with whatever else runs these tests.
        const std::string name = "velmor-guard-folder-" + std::to_string(getpid());
        TInstanceGuard guard(name);
        EXPECT_EQ(guard.LockFileName(), "/tmp/" + name + "." + std::to_string(getuid()) + ".lock");
        EXPECT_TRUE(guard.Held());
        std::filesystem::remove(guard.LockFileName());
    }
    TInstanceGuard odd("../up/and/away");
    EXPECT_EQ(std::filesystem::path(odd.LockFileName()).parent_path(), Dir.Path());
}

TEST_F(InstanceGuardTest, PlantedLinkIsNotFollowed) {
    std::filesystem::create_symlink(Dir.File("elsewhere"), Dir.File("velmor-link.lock"));
    TInstanceGuard guard("velmor-link");
    EXPECT_FALSE(guard.Held());
    EXPECT_FALSE(guard.PrevInstance()) << "no reason to keep the program from starting";
    EXPECT_FALSE(std::filesystem::exists(Dir.File("elsewhere")));
}

}  // namespace
