#include "framework/classes/Stream.h"

#include <vector>

#include "framework/rtl/Exception.h"

Int64 TStream::Size() {
    const Int64 pos = Seek(0, soCurrent);
    const Int64 size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(Int64 size) {
    // A stream that cannot change its size ignores the request, as the
    // runtime's base stream does.
    (void)size;
}

void TStream::ReadBuffer(void* buffer, Int64 count) {
    if (count <= 0) return;
    Int64 done = 0;
    auto* p = static_cast<char*>(buffer);
    while (done < count) {
        Int64 r = Read(p + done, count - done);
        if (r <= 0) break;
        done += r;
    }
    if (done != count) throw EReadError(RtlConsts::SReadError);
}

void TStream::WriteBuffer(const void* buffer, Int64 count) {
    if (count <= 0) return;
    Int64 done = 0;
    const auto* p = static_cast<const char*>(buffer);
    while (done < count) {
        Int64 w = Write(p + done, count - done);
        if (w <= 0) break;
        done += w;
    }
    if (done != count) throw EWriteError(RtlConsts::SWriteError);
}

Int64 TStream::CopyFrom(TStream* source, Int64 count) {
    if (count == 0) {
        source->SetPosition(0);
        count = source->Size();
    }
    const Int64 total = count;
    constexpr Int64 kBufSize = 64 * 1024;
    std::vector<char> buf(static_cast<size_t>(count < kBufSize ? (count > 0 ? count : 1) : kBufSize));
    while (count > 0) {
        const Int64 n = count < static_cast<Int64>(buf.size()) ? count : static_cast<Int64>(buf.size());
        source->ReadBuffer(buf.data(), n);
        WriteBuffer(buf.data(), n);
        count -= n;
    }
    return total;
}
