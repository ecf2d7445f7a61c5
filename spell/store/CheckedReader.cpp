#include "spell/store/CheckedReader.h"

#include <utility>

#include "framework/classes/FileStream.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/Format.h"

namespace {
String ReadWholeFile(const String& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    const Int64 size = stream.Size();
    String data(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (!data.empty()) stream.ReadBuffer(data.data(), static_cast<Int64>(data.size()));
    return data;
}
}  // namespace

TCheckedReader::TCheckedReader(const String& fileName)
    : FFileName(fileName), FData(ReadWholeFile(fileName)) {}

TCheckedReader::TCheckedReader(const String& fileName, String data)
    : FFileName(fileName), FData(std::move(data)) {}

void TCheckedReader::Fail(const String& detail) const {
    throw EReadError(Format("The file \"%s\" is damaged or truncated: %s", FFileName, detail));
}

void TCheckedReader::Need(std::size_t count, const char* what) {
    if (count > Remaining())
        Fail(Format("%s needs %d bytes at offset %d, but the file ends at %d", String(what),
                    static_cast<Int64>(count), static_cast<Int64>(FPos),
                    static_cast<Int64>(FData.size())));
}

void TCheckedReader::Seek(std::size_t pos, const char* what) {
    if (pos > FData.size())
        Fail(Format("%s lies at offset %d, past the end of the file (%d bytes)", String(what),
                    static_cast<Int64>(pos), static_cast<Int64>(FData.size())));
    FPos = pos;
}

Byte TCheckedReader::ReadU8(const char* what) {
    Need(1, what);
    return static_cast<Byte>(FData[FPos++]);
}

Word TCheckedReader::ReadU16(const char* what) {
    Need(2, what);
    const auto* p = reinterpret_cast<const Byte*>(FData.data() + FPos);
    FPos += 2;
    return static_cast<Word>(p[0] | (p[1] << 8));
}

Cardinal TCheckedReader::ReadU32(const char* what) {
    Need(4, what);
    const auto* p = reinterpret_cast<const Byte*>(FData.data() + FPos);
    FPos += 4;
    return static_cast<Cardinal>(p[0]) | (static_cast<Cardinal>(p[1]) << 8) |
           (static_cast<Cardinal>(p[2]) << 16) | (static_cast<Cardinal>(p[3]) << 24);
}

const Byte* TCheckedReader::ReadBytes(std::size_t count, const char* what) {
    Need(count, what);
    const auto* p = reinterpret_cast<const Byte*>(FData.data() + FPos);
    FPos += count;
    return p;
}
