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
        RemoveStaleReplacements(ReplacementFolder(target));
        // Renaming over a file ignores its permissions: a file the user
        // may not write is refused as opening it for writing would be.
        CheckWritableTarget(target);
        // A download can be fetched again: it is not flushed to the disk
        // before it takes the old file's place.
        FFile = std::make_unique<TFileReplacement>(target, false, false);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool LocalFileWriter::Write(const void* data, std::size_t size) {
    if (!FFile) return false;
    FPending.append(static_cast<const char*>(data), size);
    return FPending.size() < WriteSize || Flush();
}

bool LocalFileWriter::Flush() {
    try {
        FFile->Write(FPending);
    } catch (const std::exception&) {
        Discard();
        return false;
    }
    FPending.clear();
    return true;
}

bool LocalFileWriter::Commit() {
    if (!FFile || !Flush()) return false;
    std::unique_ptr<TFileReplacement> file = std::move(FFile);
    try {
        file->Commit();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void LocalFileWriter::Discard() {
    FFile.reset();
    FPending.clear();
}
