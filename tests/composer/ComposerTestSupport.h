#pragma once
// What the composer's test programs share: a scratch folder, a private
// settings store for each test, and small file helpers.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TScratchFolder {
public:
    TScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmor-composer-XXXXXX").string();
        if (char* made = mkdtemp(pattern.data())) FPath = made;
    }
    ~TScratchFolder() {
        std::error_code ec;
        if (!FPath.empty()) std::filesystem::remove_all(FPath, ec);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

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
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// Points the settings store at a file of its own while it lives.
class TPrivateRegistry {
public:
    explicit TPrivateRegistry(const std::string& file) {
        if (const char* old = getenv("VELMOR_REGISTRY")) {
            FHad = true;
            FOld = old;
        }
        setenv("VELMOR_REGISTRY", file.c_str(), 1);
    }
    ~TPrivateRegistry() {
        if (FHad)
            setenv("VELMOR_REGISTRY", FOld.c_str(), 1);
        else
            unsetenv("VELMOR_REGISTRY");
    }
    TPrivateRegistry(const TPrivateRegistry&) = delete;
    TPrivateRegistry& operator=(const TPrivateRegistry&) = delete;

private:
    bool FHad = false;
    std::string FOld;
};
