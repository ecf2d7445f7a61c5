#include "framework/system/Sound.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

extern char** environ;

namespace {

struct SoundState {
    std::mutex lock;
    TSoundHook hook;
    pid_t player = 0;         // the asynchronous player now running
    String file;              // the file it plays
    std::uint64_t current = 0;  // its sound id, 0 when nothing plays
    std::uint64_t lastId = 0;
    bool hookSound = false;   // the current sound went to the hook
};

void EndAtExit();

// Never destroyed: a reaper thread may still be waiting on a player when
// the program ends.
SoundState& State() {
    static SoundState* state = [] {
        auto* s = new SoundState;
        std::atexit(EndAtExit);
        return s;
    }();
    return *state;
}

// A sound must not outlive the program, nor leave its file behind.
void EndAtExit() {
    SoundState& s = State();
    std::lock_guard<std::mutex> g(s.lock);
    if (s.player > 0) {
        kill(s.player, SIGTERM);
        unlink(s.file.c_str());
        s.player = 0;
        s.current = 0;
    }
}

bool IsExecutable(const String& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

String FindInPath(const char* name) {
    const char* path = std::getenv("PATH");
    String dirs = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == String::npos) end = dirs.size();
        String dir = dirs.substr(start, end - start);
        if (dir.empty()) dir = ".";
        const String candidate = dir + "/" + name;
        if (IsExecutable(candidate)) return candidate;
        start = end + 1;
    }
    return String();
}

bool PathExists(const String& path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0;
}

String RuntimeDir() {
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    return dir && *dir ? String(dir) : String();
}

bool HasAlsaDevice() {
    DIR* d = opendir("/dev/snd");
    if (!d) return false;
    bool found = false;
    while (dirent* e = readdir(d)) {
        if (std::strncmp(e->d_name, "pcmC", 4) == 0) {
            found = true;
            break;
        }
    }
    closedir(d);
    return found;
}

bool HasPipeWire() {
    const char* remote = std::getenv("PIPEWIRE_REMOTE");
    if (remote && *remote) return true;
    const String dir = RuntimeDir();
    return !dir.empty() && PathExists(dir + "/pipewire-0");
}

bool HasPulse() {
    const char* server = std::getenv("PULSE_SERVER");
    if (server && *server) return true;
    const String dir = RuntimeDir();
    return !dir.empty() && PathExists(dir + "/pulse/native");
}

struct Player {
    String path;
    std::vector<String> options;
};

// A player is only worth starting when the server or device it talks to
// exists; otherwise it would fail after the caller was told all is well.
bool ChoosePlayer(Player& player, String& why) {
    struct Candidate {
        const char* name;
        bool (*reachable)();
        std::vector<String> options;
    };
    const Candidate candidates[] = {
        {"pw-play", HasPipeWire, {}},
        {"paplay", HasPulse, {}},
        {"aplay", HasAlsaDevice, {"-q"}},
    };
    bool anyPlayer = false;
    for (const Candidate& c : candidates) {
        const String path = FindInPath(c.name);
        if (path.empty()) continue;
        anyPlayer = true;
        if (!c.reachable()) continue;
        player.path = path;
        player.options = c.options;
        return true;
    }
    why = anyPlayer ? "no sound device" : "no sound player";
    return false;
}

String TempFolder() {
    const char* dir = std::getenv("TMPDIR");
    return dir && *dir ? String(dir) : String("/tmp");
}

bool WriteTempWave(const String& bytes, String& fileName, String& why) {
    String templ = TempFolder() + "/velmor-sound-XXXXXX.wav";
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    const int fd = mkstemps(buf.data(), 4);
    if (fd < 0) {
        why = String("cannot write the sound file: ") + std::strerror(errno);
        return false;
    }
    fileName = buf.data();
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            why = String("cannot write the sound file: ") + std::strerror(errno);
            close(fd);
            unlink(fileName.c_str());
            return false;
        }
        done += static_cast<size_t>(n);
    }
    close(fd);
    return true;
}

// Started through an argument vector, never a shell, so no file name can be
// read as a command.
pid_t StartPlayer(const Player& player, const String& fileName, String& why) {
    std::vector<String> args;
    args.push_back(player.path);
    for (const String& o : player.options) args.push_back(o);
    args.push_back(fileName);
    std::vector<char*> argv;
    for (String& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, player.path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        why = String("cannot start the sound player: ") + std::strerror(rc);
        return 0;
    }
    return pid;
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return status;
}

// Takes the current sound off the books and says how to end it; the caller
// acts outside the lock.
struct Ending {
    pid_t player = 0;
    bool tellHook = false;
    TSoundHook hook;
};

Ending DetachCurrent(SoundState& s) {
    Ending e;
    if (s.current == 0) return e;
    e.player = s.player;
    e.tellHook = s.hookSound;
    e.hook = s.hook;
    s.player = 0;
    s.file.clear();
    s.current = 0;
    s.hookSound = false;
    return e;
}

void Finish(const Ending& e) {
    // The reaper thread of the player collects it and removes its file.
    if (e.player > 0) kill(e.player, SIGTERM);
    if (e.tellHook && e.hook) e.hook("stop", String(), false);
}

void Reap(pid_t pid, String fileName) {
    siginfo_t info;
    // Wait without collecting, so the id cannot be reused while StopSound
    // may still signal it.
    while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
    }
    {
        SoundState& s = State();
        std::lock_guard<std::mutex> g(s.lock);
        if (s.player == pid) {
            s.player = 0;
            s.current = 0;
            s.file.clear();
        }
    }
    WaitFor(pid);
    unlink(fileName.c_str());
}

}  // namespace

bool PlaySoundData(const String& waveBytes, bool async, String* why) {
    SoundState& s = State();
    String reason;
    auto fail = [&](const String& text) {
        if (why) *why = text;
        return false;
    };
    if (waveBytes.empty()) return fail("no sound data");

    TSoundHook hook;
    Ending previous;
    {
        std::lock_guard<std::mutex> g(s.lock);
        hook = s.hook;
        previous = DetachCurrent(s);
    }
    Finish(previous);

    if (hook) {
        if (!hook("play", waveBytes, async)) return fail("the sound was refused");
        if (async) {
            std::lock_guard<std::mutex> g(s.lock);
            s.current = ++s.lastId;
            s.hookSound = true;
        }
        if (why) why->clear();
        return true;
    }

    Player player;
    if (!ChoosePlayer(player, reason)) return fail(reason);
    String fileName;
    if (!WriteTempWave(waveBytes, fileName, reason)) return fail(reason);
    const pid_t pid = StartPlayer(player, fileName, reason);
    if (pid == 0) {
        unlink(fileName.c_str());
        return fail(reason);
    }
    if (!async) {
        const int status = WaitFor(pid);
        unlink(fileName.c_str());
        if (status < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return fail("the sound player failed");
        if (why) why->clear();
        return true;
    }
    {
        std::lock_guard<std::mutex> g(s.lock);
        s.player = pid;
        s.file = fileName;
        s.current = ++s.lastId;
        s.hookSound = false;
    }
    std::thread(Reap, pid, fileName).detach();
    if (why) why->clear();
    return true;
}

void StopSound() {
    SoundState& s = State();
    Ending e;
    {
        std::lock_guard<std::mutex> g(s.lock);
        e = DetachCurrent(s);
    }
    Finish(e);
}

std::uint64_t CurrentSoundId() {
    SoundState& s = State();
    std::lock_guard<std::mutex> g(s.lock);
    return s.current;
}

void SetSoundHook(TSoundHook hook) {
    SoundState& s = State();
    std::lock_guard<std::mutex> g(s.lock);
    s.hook = std::move(hook);
}
