#pragma once
// A scratch folder per test, removed with everything in it afterwards.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TTempDir {
public:
    TTempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmor-sys-XXXXXX").string();
        char* made = mkdtemp(pattern.data());
        if (made) FPath = made;
    }
    ~TTempDir() {
        std::error_code ec;
        if (!FPath.empty()) std::filesystem::remove_all(FPath, ec);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::string& Path() const { return FPath; }
    std::string File(const std::string& name) const { return FPath + "/" + name; }

private:
    std::string FPath;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void WriteAll(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// Sets an environment variable for the life of the object, then puts the
// old value (or its absence) back.
class TEnvOverride {
public:
    TEnvOverride(const char* name, const char* value) : FName(name) {
        if (const char* old = getenv(name)) {
            FHad = true;
            FOld = old;
        }
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~TEnvOverride() {
        if (FHad)
            setenv(FName.c_str(), FOld.c_str(), 1);
        else
            unsetenv(FName.c_str());
    }
    TEnvOverride(const TEnvOverride&) = delete;
    TEnvOverride& operator=(const TEnvOverride&) = delete;

private:
    std::string FName;
    std::string FOld;
    bool FHad = false;
};
