#pragma once
// What the fuzz targets share. The readers take file names, so each input
// is written to a file of this process's own first. A reader's own
// exception (the framework's Exception and its kin) is the sound way to
// refuse an input; anything else that leaves a reader is a fault, and so
// is a crash, a leak, a slow input or a large allocation (scripts/fuzz sets
// those limits).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/rtl/Exception.h"

namespace fuzz {

// A folder of this process's own, under $TMPDIR (else /tmp), made on first
// use and removed when the process ends.
inline const std::string& WorkFolder() {
    // Kept to the very end: the removal runs after static objects are gone.
    static const std::string* folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        auto* f = new std::string(std::string(tmp && *tmp ? tmp : "/tmp") + "/velmor-fuzz-" +
                                  std::to_string(getpid()));
        std::filesystem::create_directories(*f);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(WorkFolder(), ec);
        });
        return f;
    }();
    return *folder;
}

inline std::string WorkPath(const char* name) { return WorkFolder() + "/" + name; }

// Writes the input to the file `name` of the work folder and returns its
// path; every input of the process rewrites the same file.
inline std::string InputFile(const char* name, const uint8_t* data, size_t size) {
    const std::string path = WorkPath(name);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
    return path;
}

inline std::string Text(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Runs `read`; the reader's own refusal is a fine outcome.
template <class F>
void Refusable(F&& read) {
    try {
        read();
    } catch (const Exception&) {
    }
}

}  // namespace fuzz
