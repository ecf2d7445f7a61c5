#pragma once
// Where a download goes on its way to the local file: a file replacement
// of the framework's (an unnamed file in the target's folder), which takes
// the local file's place only when the transfer has succeeded. A failed,
// refused, stopped or killed transfer thus leaves the file the user had
// before whole, and never a piece of the new one, under any name.
#include <memory>

#include "framework/rtl/Types.h"

class TFileReplacement;

class LocalFileWriter {
public:
    LocalFileWriter();
    ~LocalFileWriter();
    LocalFileWriter(const LocalFileWriter&) = delete;
    LocalFileWriter& operator=(const LocalFileWriter&) = delete;

    // Starts the new file in the target's folder; false when it cannot be
    // made (a missing folder, no right to write there).
    bool Open(const String& target);
    bool IsOpen() const { return FFile != nullptr; }
    bool Write(const void* data, std::size_t size);
    // Puts the new file in place of the old one, keeping the old one's
    // permissions. False (and the old file untouched) when that fails.
    bool Commit();
    // Drops what was written.
    void Discard();

private:
    bool Flush();
    std::unique_ptr<TFileReplacement> FFile;
    // Chunks come in a few kilobytes at a time: they are gathered into
    // large writes.
    String FPending;
    static constexpr std::size_t WriteSize = 1 << 20;
};
