#include "framework/classes/StringStream.h"

#include <cstring>

TStringStream::TStringStream(const String& data) : FData(data) {}

Int64 TStringStream::Read(void* buffer, Int64 count) {
    const Int64 size = static_cast<Int64>(FData.size());
    if (count <= 0 || FPosition >= size) return 0;
    Int64 n = size - FPosition;
    if (n > count) n = count;
    std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

Int64 TStringStream::Write(const void* buffer, Int64 count) {
    if (count <= 0) return 0;
    const Int64 end = FPosition + count;
    if (end > static_cast<Int64>(FData.size())) FData.resize(static_cast<size_t>(end), '\0');
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

Int64 TStringStream::Seek(Int64 offset, TSeekOrigin origin) {
    Int64 p;
    switch (origin) {
        case soCurrent: p = FPosition + offset; break;
        case soEnd: p = static_cast<Int64>(FData.size()) + offset; break;
        default: p = offset; break;
    }
    if (p < 0) p = 0;
    FPosition = p;
    return FPosition;
}

void TStringStream::SetSize(Int64 size) {
    if (size < 0) size = 0;
    FData.resize(static_cast<size_t>(size), '\0');
    if (FPosition > size) FPosition = size;
}

String TStringStream::ReadString(int count) {
    const Int64 size = static_cast<Int64>(FData.size());
    if (count <= 0 || FPosition >= size) return String();
    Int64 n = size - FPosition;
    if (n > count) n = count;
    String r = FData.substr(static_cast<size_t>(FPosition), static_cast<size_t>(n));
    FPosition += n;
    return r;
}

void TStringStream::WriteString(const String& s) { Write(s.data(), static_cast<Int64>(s.size())); }
