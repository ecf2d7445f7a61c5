#include "framework/classes/MemoryStream.h"

#include "framework/classes/BufferStreamOps.h"
#include "framework/classes/FileStream.h"
#include "framework/rtl/FileUtils.h"

Int64 TMemoryStream::Read(void* buffer, Int64 count) {
    return velmor_internal::BufferRead(FData, FPosition, buffer, count);
}

Int64 TMemoryStream::Write(const void* buffer, Int64 count) {
    return velmor_internal::BufferWrite(FData, FPosition, buffer, count);
}

Int64 TMemoryStream::Seek(Int64 offset, TSeekOrigin origin) {
    return velmor_internal::BufferSeek(FData, FPosition, offset, origin);
}

void TMemoryStream::SetSize(Int64 size) { velmor_internal::BufferSetSize(FData, FPosition, size); }

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
