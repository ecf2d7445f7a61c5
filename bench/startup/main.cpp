// How long the program takes from being started to its main window's first
// paint, against the smallest Qt program that shows a window
// (bench_startup_empty_window), on the same platform (QT_QPA_PLATFORM as
// given; bench/run sets offscreen). Each turn starts a fresh process; the
// program runs with VELMOR_QUIT_WHEN_SHOWN set, and both print the steady
// clock's reading at their first paint and end. Both share one scratch
// home, so the program finds the settings its warm-up left, as it does
// when started again. The last line sums it up:
//   startup ms=... empty_window_ms=... ratio_to_empty_window=...
//     one_label_ms=... one_label_ratio_to_empty_window=...
// The ratio is the median of the rounds' ratios, ours over the empty
// window's time: 1 would be no cost beyond Qt's own. For scale, the same
// empty window with one line of text (bench_startup_one_label) is timed
// against the empty one too: one_label_ratio_to_empty_window is the least
// any window with text costs.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/common/SideBySide.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The environment of every turn: ours, with the scratch home and the
// timing mode.
std::vector<std::string> Environment(const fs::path& home) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        const std::string name = v.substr(0, v.find('='));
        if (name != "HOME" && name != "XDG_CONFIG_HOME" && name != "XDG_RUNTIME_DIR" &&
            name != "VELMOR_REGISTRY" && name != "VELMOR_QUIT_WHEN_SHOWN")
            env.push_back(v);
    }
    env.push_back("HOME=" + home.string());
    env.push_back("XDG_CONFIG_HOME=" + (home / ".config").string());
    env.push_back("XDG_RUNTIME_DIR=" + (home / "run").string());
    env.push_back("VELMOR_QUIT_WHEN_SHOWN=1");
    return env;
}

// Starts `program`, reads its output until it ends and returns the seconds
// from the start to the "shown_at_ns=" reading it printed. A program that
// fails, prints no reading or takes over a minute fails the benchmark.
double TimeToShown(const char* program, const std::vector<std::string>& env) {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    std::vector<char*> envp;
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(program), nullptr};
    pid_t pid = 0;
    const long long started = NowNs();
    const int rc = posix_spawn(&pid, program, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        throw std::runtime_error(std::string("cannot start ") + program + ": " + std::strerror(rc));
    }
    std::string text;
    char buf[4096];
    const long long deadline = started + 60'000'000'000LL;
    for (;;) {
        pollfd p{out[0], POLLIN, 0};
        const long long left = (deadline - NowNs()) / 1'000'000;
        if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            close(out[0]);
            throw std::runtime_error(std::string(program) + " did not end within a minute");
        }
        const ssize_t n = read(out[0], buf, sizeof buf);
        if (n <= 0) break;
        text.append(buf, static_cast<size_t>(n));
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(std::string(program) + " failed (status " + std::to_string(status) + ")");
    const auto at = text.find("shown_at_ns=");
    if (at == std::string::npos)
        throw std::runtime_error(std::string(program) + " never said its window was shown");
    const long long shown = std::atoll(text.c_str() + at + std::strlen("shown_at_ns="));
    if (shown <= started) throw std::runtime_error(std::string(program) + " gave a reading before its start");
    return static_cast<double>(shown - started) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 21;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--rounds=", 9) == 0) rounds = std::max(1, std::atoi(argv[i] + 9));
    if (!fs::exists(VELMOR_PROGRAM) || !fs::exists(EMPTY_WINDOW_PROGRAM) || !fs::exists(ONE_LABEL_PROGRAM)) {
        std::fprintf(stderr, "startup: needs %s, %s and %s (a build with -DVELMOR_BENCH=ON)\n", VELMOR_PROGRAM,
                     EMPTY_WINDOW_PROGRAM, ONE_LABEL_PROGRAM);
        return 1;
    }
    char pattern[] = "/tmp/velmor-startup-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("startup: mkdtemp");
        return 1;
    }
    const fs::path home = pattern;
    fs::create_directories(home / ".config");
    fs::create_directories(home / "run");
    fs::permissions(home / "run", fs::perms::owner_all, fs::perm_options::replace);
    const std::vector<std::string> env = Environment(home);
    int status = 0;
    try {
        std::printf("platform=%s rounds=%d\n", std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "",
                    rounds);
        const bench::Pair p = bench::SideBySideTimed(
            rounds, [&] { return TimeToShown(VELMOR_PROGRAM, env); },
            [&] { return TimeToShown(EMPTY_WINDOW_PROGRAM, env); });
        bench::PrintSpread("ratio_to_empty_window", p);
        const bench::Pair label = bench::SideBySideTimed(
            rounds, [&] { return TimeToShown(ONE_LABEL_PROGRAM, env); },
            [&] { return TimeToShown(EMPTY_WINDOW_PROGRAM, env); });
        bench::PrintSpread("one_label_ratio_to_empty_window", label);
        bench::Summary("startup")
            .Add("ms", p.ours * 1e3, 1)
            .Add("empty_window_ms", p.peer * 1e3, 1)
            .Add("ratio_to_empty_window", p.ratio, 3)
            .Add("one_label_ms", label.ours * 1e3, 1)
            .Add("one_label_ratio_to_empty_window", label.ratio, 3)
            .Print();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "startup: %s\n", e.what());
        status = 1;
    }
    std::error_code ec;
    fs::remove_all(home, ec);
    return status;
}
