#pragma once
// Reads little-endian fields from a file held in memory. Every read is
// checked against the end of the data; a short read raises EReadError
// naming the file, so a truncated or damaged file is never read past its end.
#include <cstddef>

#include "framework/rtl/Types.h"

class TCheckedReader {
public:
    // Reads the whole file; EFOpenError when it cannot be opened.
    explicit TCheckedReader(const String& fileName);
    TCheckedReader(const String& fileName, String data);

    const String& FileName() const { return FFileName; }
    std::size_t Position() const { return FPos; }
    std::size_t Size() const { return FData.size(); }
    std::size_t Remaining() const { return FData.size() - FPos; }
    void Seek(std::size_t pos, const char* what);

    Byte ReadU8(const char* what);
    Word ReadU16(const char* what);
    Cardinal ReadU32(const char* what);
    // `count` raw bytes; the pointer stays valid while the reader lives.
    const Byte* ReadBytes(std::size_t count, const char* what);

    // Raises the reader's "damaged file" error with `detail`.
    [[noreturn]] void Fail(const String& detail) const;

private:
    void Need(std::size_t count, const char* what);
    String FFileName;
    String FData;
    std::size_t FPos = 0;
};
