#pragma once
// Scratch folders and small file helpers for every test program. Folders
// live under the system's temporary folder and go away with everything in
// them, so a test run never litters the working tree.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <system_error>

// A fresh folder, removed with its contents (read-only parts included,
// which tests make on purpose) when the object goes.
class TTempDir {
public:
    TTempDir() {
        namespace fs = std::filesystem;
        static std::mt19937 random{std::random_device{}()};
        const fs::path base = fs::temp_directory_path();
        for (int attempt = 0; attempt < 100 && FPath.empty(); ++attempt) {
            char suffix[17];
            std::snprintf(suffix, sizeof suffix, "%08x%08x", static_cast<unsigned>(random()),
                          static_cast<unsigned>(random()));
            const fs::path p = base / ("velmor-test-" + std::string(suffix));
            std::error_code ec;
            if (fs::create_directory(p, ec)) FPath = p.string();
        }
    }
    ~TTempDir() {
        namespace fs = std::filesystem;
        if (FPath.empty()) return;
        std::error_code ec;
        fs::permissions(FPath, fs::perms::owner_all, fs::perm_options::add, ec);
        for (auto it = fs::recursive_directory_iterator(FPath, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            if (it->is_directory(ec) && !it->is_symlink(ec))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(FPath, ec);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::string& Path() const { return FPath; }
    std::string File(const std::string& name) const { return FPath + "/" + name; }

private:
    std::string FPath;
};

// The folder of the running test: every call within one test gives the
// same folder (emptied of files again), and it is removed once the next
// test asks for its own or the program ends.
inline std::string ScratchDir() {
    namespace fs = std::filesystem;
    struct TCurrent {
        std::string Test;
        std::unique_ptr<TTempDir> Dir;
    };
    static TCurrent current;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string test = info ? std::string(info->test_suite_name()) + "." + info->name() : std::string();
    if (current.Dir && current.Test == test) {
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(current.Dir->Path(), ec))
            if (e.is_regular_file(ec)) fs::remove(e.path(), ec);
    } else {
        current.Dir.reset();
        current.Dir = std::make_unique<TTempDir>();
        current.Test = test;
    }
    return current.Dir->Path();
}

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Writes the whole file, making the folders on the way.
inline void WriteAll(const std::string& path, const std::string& text) {
    std::error_code ec;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// Sets an environment variable (nullptr: removes it) for the life of the
// object, then puts the old value, or its absence, back.
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
