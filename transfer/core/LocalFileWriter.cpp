#include "transfer/core/LocalFileWriter.h"

#include "framework/rtl/FileReplacement.h"
#include "framework/rtl/FileUtils.h"

LocalFileWriter::LocalFileWriter() = default;
LocalFileWriter::~LocalFileWriter() = default;

bool LocalFileWriter::Open(const String& target) {
    Discard();
    if (target.empty() || target.back() == '/') return false;
    try {
        // Where the system has no unnamed files, a killed download leaves
        // a named one behind; the next download into the folder clears it.
        RemoveStaleReplacements(ExtractFileDir(target));
        FFile = std::make_unique<TFileReplacement>(target);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool LocalFileWriter::Write(const void* data, std::size_t size) {
    if (!FFile) return false;
    try {
        FFile->Write(static_cast<const char*>(data), size);
    } catch (const std::exception&) {
        FFile.reset();
        return false;
    }
    return true;
}

bool LocalFileWriter::Commit() {
    if (!FFile) return false;
    std::unique_ptr<TFileReplacement> file = std::move(FFile);
    try {
        file->Commit();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void LocalFileWriter::Discard() { FFile.reset(); }
