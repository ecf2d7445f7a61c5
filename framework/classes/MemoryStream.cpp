#include "framework/classes/MemoryStream.h"

#include <cstring>

#include "framework/classes/FileStream.h"
#include "framework/rtl/FileUtils.h"

Int64 TMemoryStream::Read(void* buffer, Int64 count) {
    const Int64 size = static_cast<Int64>(FData.size());
    if (count <= 0 || FPosition >= size) return 0;
    Int64 n = size - FPosition;
    if (n > count) n = count;
    std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

Int64 TMemoryStream::Write(const void* buffer, Int64 count) {
    if (count <= 0) return 0;
    const Int64 end = FPosition + count;
    // Writing past the end fills the gap with zeros.
    if (end > static_cast<Int64>(FData.size())) FData.resize(static_cast<size_t>(end));
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

Int64 TMemoryStream::Seek(Int64 offset, TSeekOrigin origin) {
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

void TMemoryStream::SetSize(Int64 size) {
    if (size < 0) size = 0;
    FData.resize(static_cast<size_t>(size));
    if (FPosition > size) FPosition = size;
}

void TMemoryStream::Clear() {
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream) {
    stream->SetPosition(0);
    const Int64 count = stream->Size();
    SetSize(count);
    if (count != 0) stream->ReadBuffer(FData.data(), count);
}

void TMemoryStream::LoadFromFile(const String& fileName) {
    TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&f);
}

void TMemoryStream::SaveToStream(TStream* stream) {
    if (!FData.empty()) stream->WriteBuffer(FData.data(), static_cast<Int64>(FData.size()));
}

void TMemoryStream::SaveToFile(const String& fileName) {
    SafeWriteFile(fileName, String(reinterpret_cast<const char*>(FData.data()), FData.size()));
}
