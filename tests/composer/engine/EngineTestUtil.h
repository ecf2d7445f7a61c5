#pragma once
// Small helpers shared by the engine's tests: a scratch folder per test and
// whole-file reading and writing without the program's safe-write path.
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "composer/engine/PageBuffer.h"
#include "composer/engine/PageHead.h"

namespace enginetest {

class TempDir {
public:
    TempDir() {
        static int counter = 0;
        static const unsigned run = std::random_device{}();
        Path = std::filesystem::temp_directory_path() /
               ("velmor-engine-" + std::to_string(run) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(Path);
        std::filesystem::create_directories(Path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(Path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(Path, ec);
    }
    std::string File(const std::string& name) const { return (Path / name).string(); }
    std::filesystem::path Path;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteAll(const std::string& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << data;
}

// The head as the reader and writer see it after normalisation.
inline std::vector<std::string> NormalisedLines(const std::string& page) {
    TPageHead head;
    head.PagePath = "page.html";
    head.Buffer.SetText(page);
    head.ExtractHeadSection();
    head.SetCRLFLineBreaks();
    head.SetUpMetaLines();
    return head.Buffer.Lines();
}

}  // namespace enginetest
