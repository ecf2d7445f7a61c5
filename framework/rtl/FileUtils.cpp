#include "framework/rtl/FileUtils.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "framework/rtl/Exception.h"
#include "framework/rtl/FileReplacement.h"
#include "framework/rtl/Pieces.h"
#include "framework/rtl/StrUtils.h"

bool FileExists(const String& path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const String& path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(const String& path) { return unlink(path.c_str()) == 0; }

bool RenameFile(const String& oldName, const String& newName) {
    return rename(oldName.c_str(), newName.c_str()) == 0;
}

bool CreateDir(const String& dir) { return mkdir(dir.c_str(), 0777) == 0; }

bool ForceDirectories(const String& dir) {
    if (dir.empty()) return false;
    String d = ExcludeTrailingPathDelimiter(dir);
    if (d.empty() || DirectoryExists(d)) return true;
    String parent = ExtractFileDir(d);
    if (!parent.empty() && parent != d && !ForceDirectories(parent)) return false;
    return CreateDir(d) || DirectoryExists(d);
}

bool RemoveDir(const String& dir) { return rmdir(dir.c_str()) == 0; }

String GetCurrentDir() {
    char buf[PATH_MAX];
    if (!getcwd(buf, sizeof buf)) return String();
    return String(buf);
}

bool SetCurrentDir(const String& dir) { return chdir(dir.c_str()) == 0; }

Int64 FileSize(const String& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return -1;
    return static_cast<Int64>(st.st_size);
}

String ExtractFilePath(const String& path) {
    int i = LastDelimiter("/", path);
    return Copy(path, 1, i);
}

String ExtractFileDir(const String& path) {
    int i = LastDelimiter("/", path);
    if (i > 1 && path[static_cast<size_t>(i - 1)] == '/' && !IsDelimiter("/", path, i - 1)) --i;
    return Copy(path, 1, i);
}

String ExtractFileName(const String& path) {
    int i = LastDelimiter("/", path);
    return Copy(path, i + 1, INT_MAX);
}

String ExtractFileExt(const String& path) {
    int i = LastDelimiter("./", path);
    if (i > 0 && path[static_cast<size_t>(i - 1)] == '.') return Copy(path, i, INT_MAX);
    return String();
}

String ChangeFileExt(const String& path, const String& ext) {
    int i = LastDelimiter("./", path);
    if (i == 0 || path[static_cast<size_t>(i - 1)] != '.') return path + ext;
    return Copy(path, 1, i - 1) + ext;
}

String IncludeTrailingPathDelimiter(const String& path) {
    if (!path.empty() && path.back() == '/') return path;
    return path + '/';
}

String ExcludeTrailingPathDelimiter(const String& path) {
    if (!path.empty() && path.back() == '/') return path.substr(0, path.size() - 1);
    return path;
}

String ExpandFileName(const String& path) {
    if (path.empty()) return GetCurrentDir();
    String full = path[0] == '/' ? path : IncludeTrailingPathDelimiter(GetCurrentDir()) + path;
    const bool trailing = full.size() > 1 && full.back() == '/';
    std::vector<String> parts;
    size_t i = 0;
    while (i <= full.size()) {
        size_t j = full.find('/', i);
        if (j == String::npos) j = full.size();
        String comp = full.substr(i, j - i);
        if (comp.empty() || comp == ".") {
        } else if (comp == "..") {
            if (!parts.empty()) parts.pop_back();
        } else {
            parts.push_back(comp);
        }
        i = j + 1;
    }
    String r;
    for (const String& p : parts) r += "/" + p;
    if (r.empty()) return "/";
    if (trailing) r += '/';
    return r;
}

String NormalizePath(const String& path) {
    String r(path);
    std::replace(r.begin(), r.end(), '\\', '/');
    return r;
}

String PathJoin(const String& a, const String& b) {
    String x = NormalizePath(a);
    String y = NormalizePath(b);
    if (x.empty()) return y;
    if (y.empty()) return x;
    size_t e = x.size();
    while (e > 1 && x[e - 1] == '/') --e;  // keep a lone root "/"
    x.resize(e);
    size_t s = 0;
    while (s < y.size() && y[s] == '/') ++s;
    y.erase(0, s);
    if (x.back() == '/') return x + y;
    return x + '/' + y;
}

String PathJoin(std::initializer_list<String> parts) {
    String r;
    bool first = true;
    for (const String& p : parts) {
        if (first) {
            r = NormalizePath(p);
            first = false;
        } else {
            r = PathJoin(r, p);
        }
    }
    return r;
}

namespace {
bool PathPresent(const String& p) {
    struct stat st;
    return lstat(p.c_str(), &st) == 0;
}

std::vector<String> SortedEntries(const String& dir) {
    std::vector<String> names;
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return names;
    while (dirent* e = readdir(d)) {
        if (strcmp(e->d_name, ".") == 0 || strcmp(e->d_name, "..") == 0) continue;
        names.emplace_back(e->d_name);
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}
}  // namespace

String FindPathNoCase(const String& path) {
    if (path.empty()) return String();
    if (PathPresent(path)) return path;
    String result = path[0] == '/' ? "/" : "";
    size_t i = 0;
    const size_t n = path.size();
    bool any = false;
    while (i < n) {
        size_t j = path.find('/', i);
        if (j == String::npos) j = n;
        String comp = path.substr(i, j - i);
        i = j + 1;
        if (comp.empty()) continue;
        String base = result;
        if (any) base += '/';
        String candidate = base + comp;
        if (comp == "." || comp == ".." || PathPresent(candidate)) {
            result = candidate;
            any = true;
            continue;
        }
        String found;
        for (const String& name : SortedEntries(result.empty() ? "." : result)) {
            if (SameText(name, comp)) {
                found = name;
                break;
            }
        }
        if (found.empty()) return String();
        result = base + found;
        any = true;
    }
    if (path.size() > 1 && path.back() == '/' && result.back() != '/') result += '/';
    return PathPresent(result) ? result : String();
}

std::vector<String> ListFilesByExt(const String& dir, const String& ext) {
    String want = ext;
    if (!want.empty() && want[0] == '.') want.erase(0, 1);
    const bool all = ext.empty() || ext == "*" || ext == ".*";
    std::vector<String> result;
    String base = dir.empty() ? String(".") : dir;
    DIR* d = opendir(base.c_str());
    if (!d) return result;
    while (dirent* e = readdir(d)) {
        String name(e->d_name);
        if (name == "." || name == "..") continue;
        bool regular = false;
        if (e->d_type == DT_REG) {
            regular = true;
        } else if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            regular = FileExists(IncludeTrailingPathDelimiter(base) + name);
        }
        if (!regular) continue;
        if (!all) {
            String fe = ExtractFileExt(name);
            if (fe.empty() || !SameText(fe.substr(1), want)) continue;
        }
        result.push_back(name);
    }
    closedir(d);
    std::sort(result.begin(), result.end());
    return result;
}

namespace {

// An open file to be read whole, closed when done.
struct TReadFile {
    int Fd = -1;
    struct stat St {};
    explicit TReadFile(const String& path) {
        // Errors name the file by its full path, as the file stream's do.
        Fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (Fd < 0) throw EFOpenError(RtlConsts::SFOpenErrorEx, {ExpandFileName(path), String(strerror(errno))});
        if (fstat(Fd, &St) == 0 && S_ISDIR(St.st_mode)) {
            close(Fd);
            throw EFOpenError(RtlConsts::SFOpenErrorEx, {ExpandFileName(path), String(strerror(EISDIR))});
        }
    }
    ~TReadFile() { close(Fd); }
    TReadFile(const TReadFile&) = delete;
    TReadFile& operator=(const TReadFile&) = delete;
};

[[noreturn]] void ThrowReadError(const String& path, int err) {
    throw EReadError(String("Cannot read file \"") + ExpandFileName(path) + "\". " + strerror(err));
}

// Appends what the file holds from where it stands to its end.
void ReadRest(const TReadFile& file, const String& path, String& data) {
    char buf[65536];
    while (true) {
        const ssize_t r = read(file.Fd, buf, sizeof buf);
        if (r < 0) {
            if (errno == EINTR) continue;
            ThrowReadError(path, errno);
        }
        if (r == 0) break;
        data.append(buf, static_cast<size_t>(r));
    }
}

// Files from this size up are read in pieces of kReadPieceBytes.
constexpr size_t kReadInPiecesBytes = size_t{1} << 20;
constexpr size_t kReadPieceBytes = size_t{1} << 18;

}  // namespace

String ReadFileToString(const String& path) {
    const TReadFile file(path);
    String data;
    if (file.St.st_size > 0) data.reserve(static_cast<size_t>(file.St.st_size));
    ReadRest(file, path, data);
    return data;
}

String ReadFileToStringInPieces(const String& path) {
    const TReadFile file(path);
    const size_t size = S_ISREG(file.St.st_mode) && file.St.st_size > 0 ? static_cast<size_t>(file.St.st_size) : 0;
    String data;
    if (size < kReadInPiecesBytes) {
        if (size > 0) data.reserve(size);
        ReadRest(file, path, data);
        return data;
    }
    data.resize(size);
    std::atomic<int> error{0};
    std::atomic<bool> ended{false};
    RunPieces((size + kReadPieceBytes - 1) / kReadPieceBytes, [&](size_t k) {
        size_t at = k * kReadPieceBytes;
        const size_t end = std::min(size, at + kReadPieceBytes);
        while (at < end) {
            const ssize_t r = pread(file.Fd, data.data() + at, end - at, static_cast<off_t>(at));
            if (r < 0 && errno == EINTR) continue;
            if (r < 0) {
                int none = 0;
                error.compare_exchange_strong(none, errno);
                return;
            }
            if (r == 0) {
                ended = true;
                return;
            }
            at += static_cast<size_t>(r);
        }
    });
    if (error) ThrowReadError(path, error);
    if (ended) {
        // The file became shorter while it was read: read it again, whole.
        data.clear();
        if (lseek(file.Fd, 0, SEEK_SET) < 0) ThrowReadError(path, errno);
        ReadRest(file, path, data);
        return data;
    }
    // A file that grew meanwhile is read to its new end.
    if (lseek(file.Fd, static_cast<off_t>(size), SEEK_SET) < 0) ThrowReadError(path, errno);
    ReadRest(file, path, data);
    return data;
}

void CheckWritableTarget(const String& path) {
    // The effective user is the one whose open would be refused.
    if (faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0) return;
    const int err = errno;
    if (err == ENOENT) return;  // nothing there yet, or a link to nothing
    throw EFileCreateFailure(path, String(strerror(err)));
}

void SafeWriteFile(const String& path, const String& data) {
    CheckWritableTarget(path);
    TFileReplacement replacement(path);
    replacement.Write(data);
    replacement.Commit();
}
