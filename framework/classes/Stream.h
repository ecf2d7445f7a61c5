#pragma once
#include "framework/rtl/Types.h"

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };
// Old-style origins, kept for callers that use them.
inline constexpr int soFromBeginning = 0;
inline constexpr int soFromCurrent = 1;
inline constexpr int soFromEnd = 2;

class TStream : public TObject {
public:
    virtual Int64 Read(void* buffer, Int64 count) = 0;          // bytes read
    virtual Int64 Write(const void* buffer, Int64 count) = 0;   // bytes written
    virtual Int64 Seek(Int64 offset, TSeekOrigin origin) = 0;   // new position

    Int64 Position() { return Seek(0, soCurrent); }
    void SetPosition(Int64 pos) { Seek(pos, soBeginning); }
    virtual Int64 Size();
    virtual void SetSize(Int64 size);

    void ReadBuffer(void* buffer, Int64 count);          // EReadError when short
    void WriteBuffer(const void* buffer, Int64 count);   // EWriteError when short
    // Copies `count` bytes from `source` (0: all of it from its start).
    Int64 CopyFrom(TStream* source, Int64 count);

    // Convenience for fixed-size values in the machine's (little-endian) order.
    template <class T>
    void ReadValue(T& v) { ReadBuffer(&v, sizeof(T)); }
    template <class T>
    void WriteValue(const T& v) { WriteBuffer(&v, sizeof(T)); }
};
