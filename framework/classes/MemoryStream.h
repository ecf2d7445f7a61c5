#pragma once
#include <vector>

#include "framework/classes/Stream.h"

class TMemoryStream : public TStream {
public:
    Int64 Read(void* buffer, Int64 count) override;
    Int64 Write(const void* buffer, Int64 count) override;
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    Int64 Size() override { return static_cast<Int64>(FData.size()); }
    void SetSize(Int64 size) override;
    void Clear();
    void* Memory() { return FData.data(); }
    const std::vector<Byte>& Bytes() const { return FData; }
    void LoadFromStream(TStream* stream);
    void LoadFromFile(const String& fileName);
    void SaveToStream(TStream* stream);
    void SaveToFile(const String& fileName);  // written safely

private:
    std::vector<Byte> FData;
    Int64 FPosition = 0;
};
