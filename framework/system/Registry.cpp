#include "framework/system/Registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <map>
#include <mutex>

#include "framework/classes/Strings.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/IniDocument.h"

using namespace RegistryConsts;

namespace {

const char* const kNewFileHeader =
    "; Velmor settings, kept as the registry keeps them: one [root\\key] section\n"
    "; per key, one name=value line per value. Names and values in double quotes\n"
    "; use backslash escapes (\\\\ \\\" \\n \\r \\t \\xHH).\n"
    "\n";

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
bool IsControl(char c) {
    auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

bool NeedsQuotes(const String& s, bool isName) {
    if (s.empty()) return isName;  // the default value's empty name
    if (IsBlank(s.front()) || IsBlank(s.back()) || s.front() == '"') return true;
    for (char c : s)
        if (IsControl(c)) return true;
    if (isName && (s.find('=') != String::npos || s.front() == '[' || s.front() == ';' ||
                   s.front() == '#'))
        return true;
    return false;
}

String Encode(const String& s, bool isName) {
    if (!NeedsQuotes(s, isName)) return s;
    static const char* hex = "0123456789ABCDEF";
    String out = "\"";
    for (char c : s) {
        auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '"': out += "\\\""; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                // '=' too: the line's first '=' must stay the one that ends the name.
                if (IsControl(c) || c == '=') {
                    out += "\\x";
                    out += hex[u >> 4];
                    out += hex[u & 15];
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

String Decode(const String& s) {
    if (s.size() < 2 || s.front() != '"' || s.back() != '"') return s;
    String out;
    const size_t end = s.size() - 1;
    for (size_t i = 1; i < end; ++i) {
        char c = s[i];
        if (c != '\\' || i + 1 >= end) {
            out += c;
            continue;
        }
        char e = s[++i];
        switch (e) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'x': {
                int h = i + 2 < end ? HexDigit(s[i + 1]) : -1;
                int l = i + 2 < end ? HexDigit(s[i + 2]) : -1;
                if (h >= 0 && l >= 0) {
                    out += static_cast<char>(h * 16 + l);
                    i += 2;
                } else {
                    out += "\\x";  // not an escape someone meant; keep it
                }
                break;
            }
            default: out += e;  // \\ and \" and anything hand-written
        }
    }
    return out;
}

const char* RootName(HKEY root) {
    switch (root) {
        case HKEY_CLASSES_ROOT: return "HKEY_CLASSES_ROOT";
        case HKEY_CURRENT_USER: return "HKEY_CURRENT_USER";
        case HKEY_LOCAL_MACHINE: return "HKEY_LOCAL_MACHINE";
        case HKEY_USERS: return "HKEY_USERS";
        case HKEY_CURRENT_CONFIG: return "HKEY_CURRENT_CONFIG";
        default: return "";
    }
}

std::vector<String> SplitKey(const String& path) {
    std::vector<String> parts;
    size_t pos = 0;
    while (pos <= path.size()) {
        size_t end = path.find('\\', pos);
        if (end == String::npos) end = path.size();
        if (end > pos) parts.push_back(path.substr(pos, end - pos));
        pos = end + 1;
    }
    return parts;
}

String JoinKey(const std::vector<String>& parts, size_t count) {
    String out;
    for (size_t i = 0; i < count && i < parts.size(); ++i) {
        if (i) out += '\\';
        out += parts[i];
    }
    return out;
}

// A key name that the file could not hold as a section header, or that
// would read back as another name.
bool UsablePart(const String& part) {
    if (IsBlank(part.front()) || IsBlank(part.back())) return false;
    for (char c : part)
        if (IsControl(c)) return false;
    return true;
}

bool IsPrefixKey(const String& prefix, const String& section) {
    return section.size() > prefix.size() && section[prefix.size()] == '\\' &&
           SameText(section.substr(0, prefix.size()), prefix);
}

bool KeyExistsIn(const TIniDocument& doc, const String& section) {
    if (SplitKey(section).size() <= 1) return true;  // a root always exists
    for (const String& s : doc.SectionNames())
        if (SameText(s, section) || IsPrefixKey(section, s)) return true;
    return false;
}

// The section name under which a new key is stored: every part that names
// an existing key keeps the spelling it already has, so a key opened under
// another capitalisation does not appear twice in the file.
String CanonicalSection(const TIniDocument& doc, const String& section) {
    std::vector<String> target = SplitKey(section);
    std::vector<bool> fixed(target.size(), false);
    for (const String& s : doc.SectionNames()) {
        std::vector<String> parts = SplitKey(s);
        for (size_t j = 0; j < parts.size() && j < target.size() && SameText(parts[j], target[j]);
             ++j) {
            if (!fixed[j]) {
                target[j] = parts[j];
                fixed[j] = true;
            }
        }
    }
    return JoinKey(target, target.size());
}

// Holds an exclusive lock on a folder while it lives. The folder, not the
// file: a safe write replaces the file, and a lock on the old one would be
// a lock on nothing. Without a folder to lock, writing goes ahead unlocked
// and fails, if it must, on its own.
class TFolderLock {
public:
    explicit TFolderLock(const String& dir) {
        if (dir.empty()) return;
        if (!DirectoryExists(dir)) ForceDirectories(dir);
        FHandle = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (FHandle < 0) return;
        while (::flock(FHandle, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~TFolderLock() {
        if (FHandle >= 0) ::close(FHandle);
    }
    TFolderLock(const TFolderLock&) = delete;
    TFolderLock& operator=(const TFolderLock&) = delete;

private:
    int FHandle = -1;
};

}  // namespace

// One per registry file in the process; every TRegistry on that file shares
// it, so their writes are seen at once, and it re-reads the file when
// another process has changed it.
class TRegistry::TStore {
public:
    explicit TStore(String fileName) : File(std::move(fileName)) {}

    // Brings the document up to date with the file. Call with Lock held.
    void Refresh() {
        if (Loaded && !Doc.ChangedOnDisk(File)) return;
        try {
            Doc.LoadFromFile(File);
            Unreadable = false;
        } catch (const Exception&) {
            // Read as empty, but never write over what we could not read.
            Doc.Clear();
            Unreadable = true;
        }
        Loaded = true;
    }

    // Applies a change and writes the file. When the file cannot be written,
    // the document goes back to match the file and `failure` is raised.
    void Commit(const std::function<void(TIniDocument&)>& change, const String& failure) {
        // Another copy of the program may be saving at the same moment: each
        // writer takes the folder's lock and starts from what is on disk, so
        // neither undoes the other's change. The lambdas re-check what they
        // rely on for this reason.
        TFolderLock folderLock(ExtractFileDir(File));
        Refresh();
        if (Unreadable) throw ERegistryException(failure);
        TIniDocument before = Doc;
        if (Doc.SectionNames().empty() && !FileExists(File)) Doc.Parse(kNewFileHeader);
        change(Doc);
        try {
            CreatePrivately();
            Doc.SaveToFile(File);
        } catch (const Exception&) {
            Doc = before;
            throw ERegistryException(failure);
        }
    }

    // The store holds passwords (the update server's among them), and a
    // rewrite keeps the mode of the file it replaces: so the first one is
    // made readable by its owner only.
    void CreatePrivately() {
        if (FileExists(File)) return;
        String dir = ExtractFileDir(File);
        if (!dir.empty() && !DirectoryExists(dir)) ForceDirectories(dir);
        int fd = ::open(File.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) ::close(fd);
    }

    std::mutex Lock;
    const String File;
    TIniDocument Doc;
    bool Loaded = false;
    bool Unreadable = false;
};

namespace {

std::shared_ptr<TRegistry::TStore> StoreFor(const String& fileName) {
    static std::mutex mapLock;
    static std::map<String, std::shared_ptr<TRegistry::TStore>> stores;
    std::lock_guard<std::mutex> g(mapLock);
    auto& slot = stores[fileName];
    if (!slot) slot = std::make_shared<TRegistry::TStore>(fileName);
    return slot;
}

}  // namespace

String RegistryFileName() {
    const char* env = std::getenv("VELMOR_REGISTRY");
    if (env && *env) return env;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    // Relative values are to be ignored, as the base directory rules say.
    if (xdg && xdg[0] == '/') return PathJoin({xdg, "velmor", "registry.ini"});
    String home;
    if (const char* h = std::getenv("HOME"); h && *h) {
        home = h;
    } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
        home = pw->pw_dir;
    }
    return PathJoin({home, ".config", "velmor", "registry.ini"});
}

TRegistry::TRegistry() : FFileName(RegistryFileName()), FStore(StoreFor(FFileName)) {}

TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(HKEY value) {
    CloseKey();
    FRootKey = value;
}

bool TRegistry::Resolve(const String& key, String& path) const {
    if (!*RootName(FRootKey)) return false;
    std::vector<String> parts;
    if (key.empty() || key[0] != '\\') parts = SplitKey(FCurrentPath);
    for (String& p : SplitKey(key)) {
        if (!UsablePart(p)) return false;
        parts.push_back(std::move(p));
    }
    path = JoinKey(parts, parts.size());
    return true;
}

String TRegistry::SectionOf(const String& path) const {
    String root = RootName(FRootKey);
    return path.empty() ? root : root + "\\" + path;
}

bool TRegistry::OpenKey(const String& key, bool canCreate) {
    String path;
    if (!Resolve(key, path)) return false;
    {
        std::lock_guard<std::mutex> g(FStore->Lock);
        FStore->Refresh();
        String section = SectionOf(path);
        if (!KeyExistsIn(FStore->Doc, section)) {
            if (!canCreate) return false;
            try {
                FStore->Commit(
                    [&](TIniDocument& d) { d.AddSection(CanonicalSection(d, section)); },
                    Format(SRegCreateFailed, key));
            } catch (const ERegistryException&) {
                return false;
            }
        }
    }
    FCurrentPath = path;
    FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key) {
    String path;
    if (!Resolve(key, path)) return false;
    {
        std::lock_guard<std::mutex> g(FStore->Lock);
        FStore->Refresh();
        if (!KeyExistsIn(FStore->Doc, SectionOf(path))) return false;
    }
    FCurrentPath = path;
    FReadOnly = true;
    return true;
}

bool TRegistry::CreateKey(const String& key) {
    String path;
    if (!Resolve(key, path)) throw ERegistryException(SRegCreateFailed, {key});
    std::lock_guard<std::mutex> g(FStore->Lock);
    FStore->Refresh();
    String section = SectionOf(path);
    if (KeyExistsIn(FStore->Doc, section)) return true;
    FStore->Commit([&](TIniDocument& d) { d.AddSection(CanonicalSection(d, section)); },
                   Format(SRegCreateFailed, key));
    return true;
}

void TRegistry::CloseKey() {
    FCurrentPath.clear();
    FReadOnly = false;
}

bool TRegistry::KeyExists(const String& key) {
    String path;
    if (!Resolve(key, path)) return false;
    std::lock_guard<std::mutex> g(FStore->Lock);
    FStore->Refresh();
    return KeyExistsIn(FStore->Doc, SectionOf(path));
}

bool TRegistry::HasSubKeys() {
    std::lock_guard<std::mutex> g(FStore->Lock);
    FStore->Refresh();
    String section = SectionOf(FCurrentPath);
    for (const String& s : FStore->Doc.SectionNames())
        if (IsPrefixKey(section, s)) return true;
    return false;
}

bool TRegistry::DeleteKey(const String& key) {
    String path;
    if (!Resolve(key, path) || path.empty()) return false;  // a root stays
    std::lock_guard<std::mutex> g(FStore->Lock);
    FStore->Refresh();
    String section = SectionOf(path);
    if (!KeyExistsIn(FStore->Doc, section)) return false;
    try {
        FStore->Commit(
            [&](TIniDocument& d) {
                for (const String& s : d.SectionNames())
                    if (SameText(s, section) || IsPrefixKey(section, s)) d.EraseSection(s);
            },
            Format(SRegSetDataFailed, key));
    } catch (const ERegistryException&) {
        return false;
    }
    return true;
}

bool TRegistry::ValueExists(const String& name) {
    std::lock_guard<std::mutex> g(FStore->Lock);
    FStore->Refresh();
    return FStore->Doc.ValueExists(SectionOf(FCurrentPath), Encode(name, true));
}

String TRegistry::ReadString(const String& name) {
    std::lock_guard<std::mutex> g(FStore->Lock);
    FStore->Refresh();
    String raw;
    if (!FStore->Doc.ReadValue(SectionOf(FCurrentPath), Encode(name, true), raw)) return String();
    return Decode(raw);
}

int TRegistry::ReadInteger(const String& name) {
    String raw;
    {
        std::lock_guard<std::mutex> g(FStore->Lock);
        FStore->Refresh();
        if (!FStore->Doc.ReadValue(SectionOf(FCurrentPath), Encode(name, true), raw))
            throw ERegistryException(SInvalidRegType, {name});
    }
    int value = 0;
    if (!TryStrToInt(Decode(raw), value)) throw ERegistryException(SInvalidRegType, {name});
    return value;
}

bool TRegistry::ReadBool(const String& name) { return ReadInteger(name) != 0; }

void TRegistry::WriteRaw(const String& name, const String& value) {
    String failure = Format(SRegSetDataFailed, name);
    if (FReadOnly || !*RootName(FRootKey)) throw ERegistryException(failure);
    std::lock_guard<std::mutex> g(FStore->Lock);
    FStore->Refresh();
    String section = SectionOf(FCurrentPath);
    // A key deleted while open takes no more values, as with a real handle.
    if (!KeyExistsIn(FStore->Doc, section)) throw ERegistryException(failure);
    FStore->Commit(
        [&](TIniDocument& d) {
            d.WriteValue(CanonicalSection(d, section), Encode(name, true), Encode(value, false));
        },
        failure);
}

void TRegistry::WriteString(const String& name, const String& value) { WriteRaw(name, value); }

void TRegistry::WriteInteger(const String& name, int value) { WriteRaw(name, IntToStr(value)); }

void TRegistry::WriteBool(const String& name, bool value) { WriteRaw(name, value ? "1" : "0"); }

bool TRegistry::DeleteValue(const String& name) {
    if (FReadOnly) return false;
    std::lock_guard<std::mutex> g(FStore->Lock);
    FStore->Refresh();
    String section = SectionOf(FCurrentPath), encoded = Encode(name, true);
    if (!FStore->Doc.ValueExists(section, encoded)) return false;
    try {
        FStore->Commit([&](TIniDocument& d) { d.DeleteKey(section, encoded); },
                       Format(SRegSetDataFailed, name));
    } catch (const ERegistryException&) {
        return false;
    }
    return true;
}

void TRegistry::GetValueNames(TStrings* strings) {
    std::vector<String> names;
    {
        std::lock_guard<std::mutex> g(FStore->Lock);
        FStore->Refresh();
        names = FStore->Doc.KeyNames(SectionOf(FCurrentPath));
    }
    strings->BeginUpdate();
    strings->Clear();
    for (const String& n : names) strings->Add(Decode(n));
    strings->EndUpdate();
}

void TRegistry::GetKeyNames(TStrings* strings) {
    std::vector<String> names;
    {
        std::lock_guard<std::mutex> g(FStore->Lock);
        FStore->Refresh();
        String section = SectionOf(FCurrentPath);
        size_t depth = SplitKey(section).size();
        for (const String& s : FStore->Doc.SectionNames()) {
            if (!IsPrefixKey(section, s)) continue;
            // A hand-edited name may end in a '\' that names no subkey.
            const std::vector<String> parts = SplitKey(s);
            if (parts.size() <= depth) continue;
            const String& child = parts[depth];
            bool seen = false;
            for (const String& n : names)
                if (SameText(n, child)) seen = true;
            if (!seen) names.push_back(child);
        }
    }
    strings->BeginUpdate();
    strings->Clear();
    for (const String& n : names) strings->Add(n);
    strings->EndUpdate();
}

int SeedRegistryDefaults(HKEY rootKey, const String& key,
                         const std::vector<std::pair<String, String>>& defaults) {
    TRegistry reg;
    reg.SetRootKey(rootKey);
    if (!*RootName(rootKey)) throw ERegistryException(SRegCreateFailed, {key});
    std::vector<String> parts = SplitKey(key);
    for (const String& p : parts)
        if (!UsablePart(p)) throw ERegistryException(SRegCreateFailed, {key});
    String section = String(RootName(rootKey)) + (parts.empty() ? "" : "\\" + JoinKey(parts, parts.size()));

    auto store = StoreFor(reg.FileName());
    std::lock_guard<std::mutex> g(store->Lock);
    store->Refresh();
    std::vector<std::pair<String, String>> missing;
    for (const auto& [name, value] : defaults) {
        String encoded = Encode(name, true);
        bool known = store->Doc.ValueExists(section, encoded);
        for (const auto& m : missing)
            if (SameText(m.first, encoded)) known = true;
        if (!known) missing.emplace_back(encoded, Encode(value, false));
    }
    if (missing.empty() && KeyExistsIn(store->Doc, section)) return 0;
    int added = 0;
    store->Commit(
        [&](TIniDocument& d) {
            added = 0;
            String s = CanonicalSection(d, section);
            d.AddSection(s);
            for (const auto& [name, value] : missing) {
                if (d.ValueExists(s, name)) continue;
                d.WriteValue(s, name, value);
                ++added;
            }
        },
        Format(SRegCreateFailed, key));
    return added;
}
