#include "transfer/core/LocalFileWriter.h"

#include <cerrno>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

bool LocalFileWriter::Open(const String& target) {
    Discard();
    const fs::path path(target);
    if (path.filename().empty()) return false;
    static thread_local std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < 20 && !FFile; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        const fs::path temp = path.parent_path() / ("." + path.filename().string() + ".part-" + suffix);
        // "x": never takes over a file that happens to exist.
        FFile = std::fopen(temp.string().c_str(), "wbx");
        if (FFile) FTemp = temp.string();
        else if (errno != EEXIST) break;
    }
    if (!FFile) return false;
    // Chunks come in a few kilobytes at a time: gather them into large
    // writes.
    std::setvbuf(FFile, nullptr, _IOFBF, 1 << 20);
    FTarget = target;
    return true;
}

bool LocalFileWriter::Write(const void* data, std::size_t size) {
    return FFile && std::fwrite(data, 1, size, FFile) == size;
}

bool LocalFileWriter::Commit() {
    if (!FFile) return false;
    const bool flushed = std::fflush(FFile) == 0;
    const bool closed = std::fclose(FFile) == 0;
    FFile = nullptr;
    std::error_code ec;
    if (!flushed || !closed) {
        fs::remove(FTemp, ec);
        FTemp.clear();
        return false;
    }
    const fs::file_status old = fs::status(FTarget, ec);
    if (!ec && fs::exists(old)) fs::permissions(FTemp, old.permissions(), ec);
    ec.clear();
    fs::rename(FTemp, FTarget, ec);
    if (ec) {
        fs::remove(FTemp, ec);
        FTemp.clear();
        return false;
    }
    FTemp.clear();
    return true;
}

void LocalFileWriter::Discard() {
    if (FFile) {
        std::fclose(FFile);
        FFile = nullptr;
    }
    if (!FTemp.empty()) {
        std::error_code ec;
        fs::remove(FTemp, ec);
        FTemp.clear();
    }
}
