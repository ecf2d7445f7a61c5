#pragma once
#include "framework/classes/Stream.h"

enum : Word {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

// A stream over a file. fmCreate creates or truncates (EFCreateError), the
// open modes need an existing file (EFOpenError). Share modes are accepted
// and not enforced.
class TFileStream : public TStream {
public:
    TFileStream(const String& fileName, Word mode);
    ~TFileStream() override;
    Int64 Read(void* buffer, Int64 count) override;
    Int64 Write(const void* buffer, Int64 count) override;
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    void SetSize(Int64 size) override;
    const String& FileName() const { return FFileName; }

private:
    String FFileName;
    int FHandle = -1;
};
