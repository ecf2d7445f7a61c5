#include "framework/rtl/FileReplacement.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <random>

#include "framework/rtl/FileUtils.h"

namespace {

std::mutex& HookMutex() {
    static std::mutex m;
    return m;
}

TSafeWriteHook& Hook() {
    static TSafeWriteHook hook;
    return hook;
}

// Runs the test hook for a stage; returns why it failed, or "" when it did not.
String HookFailure(const char* stage) {
    TSafeWriteHook h;
    {
        std::lock_guard<std::mutex> lock(HookMutex());
        h = Hook();
    }
    if (!h) return String();
    try {
        h(stage);
    } catch (const std::exception& e) {
        String why = e.what();
        return why.empty() ? String("failure at ") + stage : why;
    } catch (...) {
        return String("failure at ") + stage;
    }
    return String();
}

std::atomic<bool> UnnamedAllowed{true};

mode_t CurrentUmask() {
    // /proc tells without changing it; the umask() dance is the fallback.
    if (FILE* f = fopen("/proc/self/status", "re")) {
        char line[256];
        while (fgets(line, sizeof line, f)) {
            unsigned m;
            if (sscanf(line, "Umask: %o", &m) == 1) {
                fclose(f);
                return static_cast<mode_t>(m);
            }
        }
        fclose(f);
    }
    mode_t m = umask(022);
    umask(m);
    return m;
}

String Reason(int err) { return String(strerror(err)); }

// Temporary names: ".velmor-tmp.<pid>.<random>.<host>".
const char* const kTemporaryPrefix = ".velmor-tmp.";

String HostName() {
    char host[HOST_NAME_MAX + 1] = {};
    if (gethostname(host, sizeof host - 1) != 0 || !host[0]) return "localhost";
    return host;
}

String TemporaryName() {
    static std::mt19937_64 random{std::random_device{}() ^ static_cast<unsigned long long>(getpid())};
    static std::mutex m;
    unsigned long long r;
    {
        std::lock_guard<std::mutex> lock(m);
        r = random();
    }
    char part[64];
    snprintf(part, sizeof part, "%ld.%llx.", static_cast<long>(getpid()), r);
    return kTemporaryPrefix + String(part) + HostName();
}

bool WriteAll(int fd, const char* p, size_t left) {
    while (left > 0) {
        const ssize_t w = write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        left -= static_cast<size_t>(w);
    }
    return true;
}

// Copies [from, to) of `in` to `out` at `at`, inside the system where it
// can; false with errno set on failure.
bool CopyRange(int in, off_t from, off_t to, int out, off_t at) {
    bool kernel = true;
    static char buffer[1 << 16];
    static std::mutex bufferLock;
    while (from < to) {
        if (kernel) {
            off_t src = from, dst = at;
            const ssize_t n = copy_file_range(in, &src, out, &dst, static_cast<size_t>(to - from), 0);
            if (n > 0) {
                from += n;
                at += n;
                continue;
            }
            if (n == 0) {
                errno = EIO;  // the file got shorter under us
                return false;
            }
            if (errno == EINTR) continue;
            if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP && errno != EBADF)
                return false;
            kernel = false;
        }
        std::lock_guard<std::mutex> lock(bufferLock);
        const size_t want = static_cast<size_t>(std::min<off_t>(to - from, static_cast<off_t>(sizeof buffer)));
        const ssize_t r = pread(in, buffer, want, from);
        if (r < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (r == 0) {
            errno = EIO;
            return false;
        }
        for (ssize_t done = 0; done < r;) {
            const ssize_t w = pwrite(out, buffer + done, static_cast<size_t>(r - done), at + done);
            if (w < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            done += w;
        }
        from += r;
        at += r;
    }
    return true;
}

}  // namespace

void SetSafeWriteHook(TSafeWriteHook hook) {
    std::lock_guard<std::mutex> lock(HookMutex());
    Hook() = std::move(hook);
}

void SetUnnamedReplacements(bool allowed) { UnnamedAllowed = allowed; }

EFileOpenFailure::EFileOpenFailure(const String& path, const String& reason)
    : EFOpenError(RtlConsts::SFOpenErrorEx, {ExpandFileName(path), reason}), Reason(reason) {}

EFileCreateFailure::EFileCreateFailure(const String& path, const String& reason)
    : EFCreateError(RtlConsts::SFCreateErrorEx, {ExpandFileName(path), reason}), Reason(reason) {}

EFileWriteFailure::EFileWriteFailure(const String& path, const String& reason)
    : EWriteError(String("Cannot write file \"%s\". %s"), {ExpandFileName(path), reason}), Reason(reason) {}

// ---------------------------------------------------------------------------

TFileSource::TFileSource(const String& path) : FPath(path) {
    // Without O_NONBLOCK opening a pipe would wait for its writer.
    FHandle = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (FHandle < 0) throw EFileOpenFailure(path, Reason(errno));
    struct stat st;
    if (fstat(FHandle, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(FHandle);
        FHandle = -1;
        throw EFileOpenFailure(path, S_ISDIR(st.st_mode) ? Reason(EISDIR) : String(SNotARegularFile));
    }
    FSizeAtOpen = static_cast<Int64>(st.st_size);
    FDevice = static_cast<unsigned long long>(st.st_dev);
    FInode = static_cast<unsigned long long>(st.st_ino);
    FModifiedSeconds = static_cast<long long>(st.st_mtim.tv_sec);
    FModifiedNanoseconds = static_cast<long long>(st.st_mtim.tv_nsec);
    fcntl(FHandle, F_SETFL, fcntl(FHandle, F_GETFL) & ~O_NONBLOCK);
}

TFileSource::~TFileSource() {
    if (FHandle >= 0) close(FHandle);
}

Int64 TFileSource::Size() const {
    struct stat st;
    return fstat(FHandle, &st) == 0 ? static_cast<Int64>(st.st_size) : 0;
}

size_t TFileSource::Read(String& into, size_t count) {
    const size_t old = into.size();
    into.resize(old + count);
    size_t got = 0;
    while (got < count) {
        const ssize_t r = read(FHandle, into.data() + old + got, count - got);
        if (r < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            into.resize(old + got);
            throw EReadError(String("Cannot read file \"") + ExpandFileName(FPath) + "\". " + Reason(err));
        }
        if (r == 0) break;
        got += static_cast<size_t>(r);
        FRead += r;
        // A short read that reaches the size at opening is the end; one
        // short of it (a signal) reads on.
        if (got < count && FRead >= FSizeAtOpen) break;
    }
    into.resize(old + got);
    return got;
}

bool TFileSource::UnchangedAt(const String& path) const {
    struct stat there;
    return stat(path.c_str(), &there) == 0 && static_cast<unsigned long long>(there.st_dev) == FDevice &&
           static_cast<unsigned long long>(there.st_ino) == FInode &&
           static_cast<Int64>(there.st_size) == FSizeAtOpen &&
           static_cast<long long>(there.st_mtim.tv_sec) == FModifiedSeconds &&
           static_cast<long long>(there.st_mtim.tv_nsec) == FModifiedNanoseconds;
}

// ---------------------------------------------------------------------------

namespace {
// The file a replacement of `path` replaces: a link's target, so that the
// link stays; anything else is the path itself.
String ReplacedFile(const String& path, struct stat& old, bool& exists) {
    exists = lstat(path.c_str(), &old) == 0;
    if (!exists || !S_ISLNK(old.st_mode)) return path;
    char buf[PATH_MAX];
    const String target = realpath(path.c_str(), buf) ? String(buf) : path;
    exists = stat(target.c_str(), &old) == 0;
    return target;
}

String FolderOf(const String& file) {
    const String folder = ExtractFileDir(file);
    return folder.empty() ? String(".") : folder;
}
}  // namespace

String ReplacementFolder(const String& path) {
    struct stat old;
    bool exists = false;
    return FolderOf(ReplacedFile(path, old, exists));
}

TFileReplacement::TFileReplacement(const String& path, bool keepReadOnly, bool durable)
    : FShown(path), FDurable(durable) {
    struct stat old;
    FTarget = ReplacedFile(path, old, FHadOld);
    FMode = FHadOld ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
    if (FHadOld) FOwner = old.st_uid, FGroup = old.st_gid;
    if (keepReadOnly && FHadOld && (FMode & 0222) == 0) throw EFileWriteFailure(FShown, Reason(EACCES));
    FFolder = FolderOf(FTarget);

    const String why = HookFailure("create");
    if (!why.empty()) throw EFileCreateFailure(FShown, why);
    // Unnamed files are put in place through /proc/self/fd, asked once.
    static const bool procFds = access("/proc/self/fd", X_OK) == 0;
    if (UnnamedAllowed && procFds) {
        FHandle = open(FFolder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        FUnnamed = FHandle >= 0;
    }
    if (FHandle < 0) {
        FTemporary = PathJoin(FFolder, TemporaryName());
        FHandle = open(FTemporary.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (FHandle < 0) {
            const int err = errno;
            FTemporary.clear();
            throw EFileCreateFailure(FShown, Reason(err));
        }
    }
    const String early = HookFailure("write");
    if (!early.empty()) Fail(early);
}

TFileReplacement::~TFileReplacement() { Discard(); }

void TFileReplacement::Discard() {
    if (FHandle >= 0) close(FHandle);
    FHandle = -1;
    if (!FTemporary.empty()) unlink(FTemporary.c_str());
    FTemporary.clear();
}

void TFileReplacement::Fail(const String& reason) {
    Discard();
    throw EFileWriteFailure(FShown, reason);
}

void TFileReplacement::Write(const String& data) { Write(data.data(), data.size()); }

void TFileReplacement::Write(const char* data, size_t size) {
    if (FHandle < 0) Fail(Reason(EBADF));
    if (!WriteAll(FHandle, data, size)) Fail(Reason(errno));
}

void TFileReplacement::CopyFrom(TFileSource& source, Int64 offset) {
    if (FHandle < 0) Fail(Reason(EBADF));
    const off_t end = static_cast<off_t>(source.Size());
    const off_t base = lseek(FHandle, 0, SEEK_CUR);
    if (base < 0) Fail(Reason(errno));
    const int in = source.Handle();
    off_t from = static_cast<off_t>(offset);
    while (from < end) {
        // Only the stretches that hold data are copied; holes stay holes.
        off_t data = lseek(in, from, SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO) break;  // nothing but a hole up to the end
            data = from;                // no hole support: all of it is data
        }
        if (data >= end) break;
        off_t hole = lseek(in, data, SEEK_HOLE);
        if (hole < 0 || hole > end) hole = end;
        if (!CopyRange(in, data, hole, FHandle, base + (data - offset))) Fail(Reason(errno));
        from = hole;
    }
    const off_t total = base + (end - static_cast<off_t>(offset));
    if (ftruncate(FHandle, total) != 0) Fail(Reason(errno));
    if (lseek(FHandle, total, SEEK_SET) < 0) Fail(Reason(errno));
}

void TFileReplacement::Commit(const std::function<void()>& lastCheck) {
    if (FHandle < 0) Fail(Reason(EBADF));
    fchmod(FHandle, static_cast<mode_t>(FMode));
    if (FHadOld && geteuid() == 0) {
        if (fchown(FHandle, static_cast<uid_t>(FOwner), static_cast<gid_t>(FGroup)) != 0) {
            // Keeping the owner is a courtesy; the content is what counts.
        }
    }
    String why = HookFailure("sync");
    if (!why.empty()) Fail(why);
    if (FDurable && fsync(FHandle) != 0) Fail(Reason(errno));
    if (FUnnamed) {
        // An unnamed file cannot take the place of an existing one in one
        // step: it gets a temporary name for the instant before the rename.
        FTemporary = PathJoin(FFolder, TemporaryName());
        const String self = "/proc/self/fd/" + std::to_string(FHandle);
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, FTemporary.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            const int err = errno;
            FTemporary.clear();
            Fail(Reason(err));
        }
    }
    const int rc = close(FHandle);
    FHandle = -1;
    if (rc != 0) Fail(Reason(errno));
    why = HookFailure("rename");
    if (!why.empty()) Fail(why);
    // The last check comes as late as it can: only the rename follows it.
    if (lastCheck) {
        try {
            lastCheck();
        } catch (...) {
            Discard();
            throw;
        }
    }
    if (rename(FTemporary.c_str(), FTarget.c_str()) != 0) Fail(Reason(errno));
    FTemporary.clear();
    if (!FDurable) return;
    // Make the rename itself durable; a failure here loses nothing.
    const int dir = open(FFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

bool IsReplacementTemporary(const String& fileName) { return fileName.rfind(kTemporaryPrefix, 0) == 0; }

void RemoveStaleReplacements(const String& folder) {
    DIR* d = opendir(folder.empty() ? "." : folder.c_str());
    if (!d) return;
    const String host = HostName();
    const time_t now = time(nullptr);
    while (dirent* e = readdir(d)) {
        const String name = e->d_name;
        if (!IsReplacementTemporary(name)) continue;
        const String path = PathJoin(folder, name);
        struct stat st;
        if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        bool stale = now - st.st_mtime > 60;
        if (!stale) {
            // ".velmor-tmp.<pid>.<random>.<host>"
            const String rest = name.substr(std::char_traits<char>::length(kTemporaryPrefix));
            const size_t dot1 = rest.find('.');
            const size_t dot2 = dot1 == String::npos ? dot1 : rest.find('.', dot1 + 1);
            if (dot2 != String::npos && rest.substr(dot2 + 1) == host) {
                const long pid = std::strtol(rest.c_str(), nullptr, 10);
                stale = pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
            }
        }
        if (stale) unlink(path.c_str());
    }
    closedir(d);
}
