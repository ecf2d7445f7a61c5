#pragma once
#include "framework/classes/Stream.h"

// A stream over a String; DataString is the whole content.
class TStringStream : public TStream {
public:
    explicit TStringStream(const String& data = String());
    Int64 Read(void* buffer, Int64 count) override;
    Int64 Write(const void* buffer, Int64 count) override;
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    Int64 Size() override { return static_cast<Int64>(FData.size()); }
    void SetSize(Int64 size) override;
    const String& DataString() const { return FData; }
    String ReadString(int count);
    void WriteString(const String& s);

private:
    String FData;
    Int64 FPosition = 0;
};
