#include "framework/classes/StringStream.h"

#include "framework/classes/BufferStreamOps.h"

TStringStream::TStringStream(const String& data) : FData(data) {}

Int64 TStringStream::Read(void* buffer, Int64 count) {
    return velmor_internal::BufferRead(FData, FPosition, buffer, count);
}

Int64 TStringStream::Write(const void* buffer, Int64 count) {
    return velmor_internal::BufferWrite(FData, FPosition, buffer, count);
}

Int64 TStringStream::Seek(Int64 offset, TSeekOrigin origin) {
    return velmor_internal::BufferSeek(FData, FPosition, offset, origin);
}

void TStringStream::SetSize(Int64 size) { velmor_internal::BufferSetSize(FData, FPosition, size); }

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
