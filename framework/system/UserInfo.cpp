#include "framework/system/UserInfo.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "framework/rtl/FileUtils.h"

namespace {
// The password entry of the effective user, copied out so nothing keeps
// pointing into the library's static buffer.
bool OwnEntry(String& name, String& home) {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0) size = 16384;
    std::vector<char> buf(static_cast<size_t>(size));
    struct passwd pw {};
    struct passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &pw, buf.data(), buf.size(), &found) != 0 || !found) return false;
    name = found->pw_name ? found->pw_name : "";
    home = found->pw_dir ? found->pw_dir : "";
    return true;
}

String EnvAbsolute(const char* var) {
    const char* v = std::getenv(var);
    return (v && v[0] == '/') ? String(v) : String();
}
}  // namespace

String UserName() {
    String name, home;
    if (OwnEntry(name, home) && !name.empty()) return name;
    // Containers without a password entry for our uid still say who we are.
    for (const char* var : {"USER", "LOGNAME"}) {
        const char* v = std::getenv(var);
        if (v && *v) return v;
    }
    return String();
}

String UserConfigFolder() {
    String folder = EnvAbsolute("XDG_CONFIG_HOME");
    if (folder.empty()) {
        String home = EnvAbsolute("HOME");
        if (home.empty()) {
            String name;
            OwnEntry(name, home);
        }
        folder = PathJoin(home.empty() ? String("/tmp") : home, ".config");
    }
    return IncludeTrailingPathDelimiter(folder);
}

String SystemConfigFolder() { return "/etc/xdg/"; }
