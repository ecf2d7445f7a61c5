#include "framework/system/Workbook.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>

#include "framework/system/ProgramFolder.h"
#include "framework/system/WorkbookData.h"

extern char** environ;

namespace {

// Both libraries fail on some damaged files (the fuzz target found them):
// libfreexl overruns a buffer of its own, liborcus loops without end. So a
// workbook is read by a program of its own beside this one, started with
// posix_spawn (no shell, nothing run between the fork and the exec): a
// crash there, or a read that runs past its time, is a file that cannot be
// opened, not the end of the program. The reader hands the workbook back
// through a pipe (framework/system/WorkbookData.h). The libraries are
// linked only into the reader, so the program starts without them.
constexpr const char* ReaderName = "velmor-workbook";

double TimeLimit = 0;  // SetWorkbookTimeLimit's; 0 for the default

std::unique_ptr<TWorkbook> ReadApart(const String& fileName, double seconds) {
    const String reader = ProgramFolder() + ReaderName;
    if (access(reader.c_str(), X_OK) != 0) throw EWorkbookReaderMissing("the workbook reader " + reader + " is missing");
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw EWorkbookError("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attr);
    // The write end becomes the reader's standard output (dup2 clears its
    // close-on-exec flag); every other descriptor of ours closes at the exec.
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    // The reader starts with no signal blocked and SIGPIPE at its default,
    // whatever this process's threads have set.
    sigset_t none, pipeOnly;
    sigemptyset(&none);
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &pipeOnly);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    String name = ReaderName;
    String file = fileName;
    char* argv[] = {name.data(), file.data(), nullptr};
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, reader.c_str(), &actions, &attr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        if (spawned == ENOENT || spawned == EACCES)
            throw EWorkbookReaderMissing("the workbook reader " + reader + " is missing");
        throw EWorkbookError("no process");
    }
    String data;
    char buf[65536];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    bool late = false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fds[0], POLLIN, 0};
        const int ready = left.count() > 0 ? poll(&p, 1, static_cast<int>(left.count())) : 0;
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) {
            late = true;
            kill(pid, SIGKILL);
            break;
        }
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        data.append(buf, static_cast<size_t>(n));
    }
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (late || !WIFEXITED(status) || WEXITSTATUS(status) != 0) throw EWorkbookError("not a workbook");
    return workbook::Deserialize(data);
}

}  // namespace

void SetWorkbookTimeLimit(double seconds) { TimeLimit = seconds; }
bool WorkbookReadsHaveTimeLimit() { return true; }

std::unique_ptr<TWorkbook> OpenWorkbook(const String& fileName) {
    std::streamoff size = 0;
    {
        std::ifstream in(fileName, std::ios::binary | std::ios::ate);
        if (!in) throw EWorkbookError("cannot read " + fileName);
        size = in.tellg();
    }
    // Far more than a sound file of this size takes.
    const double seconds = TimeLimit > 0 ? TimeLimit : 30 + 5 * static_cast<double>(size) / 1e6;
    return ReadApart(fileName, seconds);
}
