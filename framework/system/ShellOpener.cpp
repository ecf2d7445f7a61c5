#include "framework/system/ShellOpener.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"

extern char** environ;

namespace {

struct TOpenerState {
    std::mutex Lock;
    std::condition_variable Reaped;
    int Running = 0;
    TShellOpenHook Hook;
    String Program;
};

TOpenerState& State() {
    static TOpenerState state;
    return state;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Percent-decoding of a file address's path; false on a NUL byte or a
// broken escape, which no honest link contains.
bool DecodePath(const String& s, String& out) {
    out.clear();
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        if (i + 2 >= s.size()) return false;
        int h = HexDigit(s[i + 1]);
        int l = HexDigit(s[i + 2]);
        if (h < 0 || l < 0) return false;
        char c = static_cast<char>(h * 16 + l);
        if (c == '\0') return false;
        out += c;
        i += 2;
    }
    return true;
}

bool AllowedFileAddress(const String& rest) {  // what follows "file:"
    if (rest.compare(0, 2, "//") != 0) return false;
    size_t slash = rest.find('/', 2);
    if (slash == String::npos) return false;
    String host = rest.substr(2, slash - 2);
    if (!host.empty() && !SameText(host, "localhost")) return false;
    String encoded = rest.substr(slash);
    size_t cut = encoded.find_first_of("?#");
    if (cut != String::npos) encoded.resize(cut);
    String path;
    if (!DecodePath(encoded, path)) return false;
    // Handing a launcher or a program to the desktop's opener may run it.
    if (SameText(ExtractFileExt(path), ".desktop")) return false;
    struct stat sb {};
    if (::stat(path.c_str(), &sb) == 0 && S_ISREG(sb.st_mode) &&
        (sb.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)))
        return false;
    return true;
}

void Reap(pid_t pid, const TShellOpenDone& done) {
    int status = 0;
    int rc;
    while ((rc = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    if (done) done(rc == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    TOpenerState& st = State();
    std::lock_guard<std::mutex> g(st.Lock);
    --st.Running;
    st.Reaped.notify_all();
}

// Starts `program` with `argument` as its one argument, no shell between,
// and reaps it in the background. `searchPath`: a bare name is looked up
// in PATH.
bool Spawn(const String& program, const String& argument, bool searchPath, TShellOpenDone done) {
    // The child should not inherit what this process blocked or ignored.
    posix_spawnattr_t attr;
    if (posix_spawnattr_init(&attr) != 0) return false;
    sigset_t none, deflt;
    sigemptyset(&none);
    sigemptyset(&deflt);
    sigaddset(&deflt, SIGPIPE);
    sigaddset(&deflt, SIGINT);
    sigaddset(&deflt, SIGQUIT);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &deflt);
    // Its own process group: a Ctrl+C meant for us does not close the browser.
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                                        POSIX_SPAWN_SETPGROUP);

    String path = program, arg = argument;
    char* argv[] = {path.data(), arg.data(), nullptr};
    pid_t pid = 0;
    int rc = searchPath ? posix_spawnp(&pid, path.c_str(), nullptr, &attr, argv, environ)
                        : posix_spawn(&pid, path.c_str(), nullptr, &attr, argv, environ);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) return false;

    TOpenerState& st = State();
    {
        std::lock_guard<std::mutex> g(st.Lock);
        ++st.Running;
    }
    try {
        std::thread(Reap, pid, done).detach();
    } catch (...) {
        // No thread to spare: wait here rather than leave a zombie behind.
        Reap(pid, done);
    }
    return true;
}

}  // namespace

bool ShellOpenAllowed(const String& address) {
    String a = Trim(address);
    if (a.empty()) return false;
    for (char c : a) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return false;
    }
    size_t colon = a.find(':');
    if (colon == String::npos || colon == 0) return false;
    for (size_t i = 0; i < colon; ++i) {
        char c = a[i];
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                  (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
        if (!ok) return false;
    }
    String scheme = LowerCase(a.substr(0, colon));
    String rest = a.substr(colon + 1);
    if (scheme == "http" || scheme == "https" || scheme == "ftp")
        return rest.size() > 2 && rest.compare(0, 2, "//") == 0 &&
               String("/?#").find(rest[2]) == String::npos;
    if (scheme == "mailto") return !rest.empty();
    if (scheme == "file") return AllowedFileAddress(rest);
    return false;
}

bool ShellOpen(const String& address) { return ShellOpen(address, nullptr); }

bool ShellOpen(const String& address, TShellOpenDone done) {
    if (!ShellOpenAllowed(address)) return false;
    String a = Trim(address);
    TOpenerState& st = State();
    TShellOpenHook hook;
    String program;
    {
        std::lock_guard<std::mutex> g(st.Lock);
        hook = st.Hook;
        program = st.Program.empty() ? String("xdg-open") : st.Program;
    }
    if (hook) return hook(a);

    return Spawn(program, a, true, std::move(done));
}

bool StartProgram(const String& program, const String& argument) {
    if (program.empty()) return false;
    return Spawn(program, argument, false, nullptr);
}

String FileAddress(const String& path, const String& fragment) {
    static const char hex[] = "0123456789ABCDEF";
    String address = "file://";
    for (char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            String("/-._~").find(ch) != String::npos) {
            address += ch;
        } else {
            address += '%';
            address += hex[c >> 4];
            address += hex[c & 15];
        }
    }
    if (!fragment.empty()) address += "#" + fragment;
    return address;
}

void SetShellOpenHook(TShellOpenHook hook) {
    std::lock_guard<std::mutex> g(State().Lock);
    State().Hook = std::move(hook);
}

void SetShellOpenProgram(const String& program) {
    std::lock_guard<std::mutex> g(State().Lock);
    State().Program = program;
}

void WaitForShellOpenChildren() {
    TOpenerState& st = State();
    std::unique_lock<std::mutex> g(st.Lock);
    st.Reaped.wait(g, [&] { return st.Running == 0; });
}
