#pragma once
// Framework-internal: the reading, writing and seeking that every stream
// over a block of memory shares, whatever holds the bytes (a byte vector,
// a String). Writing past the end fills the gap with zeros; positions never
// go below 0; a size below the position pulls the position back.
#include <cstring>

#include "framework/classes/Stream.h"

namespace velmor_internal {

template <class Buffer>
Int64 BufferRead(const Buffer& data, Int64& position, void* buffer, Int64 count) {
    const Int64 size = static_cast<Int64>(data.size());
    if (count <= 0 || position >= size) return 0;
    Int64 n = size - position;
    if (n > count) n = count;
    std::memcpy(buffer, data.data() + position, static_cast<size_t>(n));
    position += n;
    return n;
}

template <class Buffer>
Int64 BufferWrite(Buffer& data, Int64& position, const void* buffer, Int64 count) {
    if (count <= 0) return 0;
    const Int64 end = position + count;
    if (end > static_cast<Int64>(data.size())) data.resize(static_cast<size_t>(end));
    std::memcpy(data.data() + position, buffer, static_cast<size_t>(count));
    position = end;
    return count;
}

template <class Buffer>
Int64 BufferSeek(const Buffer& data, Int64& position, Int64 offset, TSeekOrigin origin) {
    Int64 p;
    switch (origin) {
        case soCurrent: p = position + offset; break;
        case soEnd: p = static_cast<Int64>(data.size()) + offset; break;
        default: p = offset; break;
    }
    if (p < 0) p = 0;
    position = p;
    return position;
}

template <class Buffer>
void BufferSetSize(Buffer& data, Int64& position, Int64 size) {
    if (size < 0) size = 0;
    data.resize(static_cast<size_t>(size));
    if (position > size) position = size;
}

}  // namespace velmor_internal
