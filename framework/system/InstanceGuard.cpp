#include "framework/system/InstanceGuard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/ProgramFolder.h"

namespace {

String LockFolderAndName(const String& name) {
    String safe = name;
    for (char& c : safe)
        if (c == '/' || static_cast<unsigned char>(c) < 0x20) c = '_';
    if (safe.empty() || safe == "." || safe == "..") safe = "velmor";

    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && DirectoryExists(runtime))
        return PathJoin(runtime, safe + ".lock");
    // /tmp is shared by every user: the uid keeps one user's copy from
    // being taken for another's.
    return PathJoin("/tmp", safe + "." + IntToStr(static_cast<Int64>(getuid())) + ".lock");
}

}  // namespace

TInstanceGuard::TInstanceGuard(const String& name) {
    String base = name.empty() ? ExtractFileName(ProgramFile()) : name;
    FLockFileName = LockFolderAndName(base);

    // O_NOFOLLOW: a link planted in /tmp must not make us create or lock a
    // file elsewhere. O_CLOEXEC: programs we start must not inherit the lock
    // and keep it after we end.
    int fd;
    do {
        fd = ::open(FLockFileName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return;

    struct stat sb {};
    if (::fstat(fd, &sb) != 0 || !S_ISREG(sb.st_mode) || sb.st_uid != geteuid()) {
        ::close(fd);
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        FHandle = fd;
        return;
    }
    if (errno == EWOULDBLOCK) FPrevInstance = true;
    ::close(fd);
}

TInstanceGuard::~TInstanceGuard() { Release(); }

void TInstanceGuard::Release() {
    if (FHandle < 0) return;
    // Closing the only descriptor of the open file drops the lock. The file
    // is not removed: unlinking a lock file lets two copies lock two files.
    ::close(FHandle);
    FHandle = -1;
}
