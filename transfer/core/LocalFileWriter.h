#pragma once
// Where a download goes on its way to the local file: a temporary file
// beside it, which replaces the local file only when the transfer has
// succeeded. A failed, refused or stopped transfer thus leaves the file
// the user had before whole, and never a piece of the new one under its
// name.
#include <cstdio>

#include "framework/rtl/Types.h"

class LocalFileWriter {
public:
    LocalFileWriter() = default;
    ~LocalFileWriter() { Discard(); }
    LocalFileWriter(const LocalFileWriter&) = delete;
    LocalFileWriter& operator=(const LocalFileWriter&) = delete;

    // Creates the temporary file in the target's folder; false when it
    // cannot be made (a missing folder, no right to write there).
    bool Open(const String& target);
    bool IsOpen() const { return FFile != nullptr; }
    bool Write(const void* data, std::size_t size);
    // Puts the new file in place of the old one, keeping the old one's
    // permissions. False (and the old file untouched) when that fails.
    bool Commit();
    // Drops what was written.
    void Discard();

private:
    std::FILE* FFile = nullptr;
    String FTarget;
    String FTemp;
};
