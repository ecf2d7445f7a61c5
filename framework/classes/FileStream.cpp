#include "framework/classes/FileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"

TFileStream::TFileStream(const String& fileName, Word mode) : FFileName(fileName) {
    if ((mode & 0xFF00) == fmCreate) {
        FHandle = open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0)
            throw EFCreateError(RtlConsts::SFCreateErrorEx,
                                {ExpandFileName(fileName), String(strerror(errno))});
        return;
    }
    int flags;
    switch (mode & 3) {
        case fmOpenWrite: flags = O_WRONLY; break;
        case fmOpenReadWrite: flags = O_RDWR; break;
        default: flags = O_RDONLY; break;
    }
    FHandle = open(fileName.c_str(), flags | O_CLOEXEC);
    int err = errno;
    if (FHandle >= 0) {
        // A folder opens read-only on POSIX but is no file to stream.
        struct stat st;
        if (fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) {
            close(FHandle);
            FHandle = -1;
            err = EISDIR;
        }
    }
    if (FHandle < 0)
        throw EFOpenError(RtlConsts::SFOpenErrorEx, {ExpandFileName(fileName), String(strerror(err))});
}

TFileStream::~TFileStream() {
    if (FHandle >= 0) close(FHandle);
}

Int64 TFileStream::Read(void* buffer, Int64 count) {
    if (count <= 0) return 0;
    while (true) {
        ssize_t r = read(FHandle, buffer, static_cast<size_t>(count));
        if (r < 0 && errno == EINTR) continue;
        return r < 0 ? 0 : static_cast<Int64>(r);
    }
}

Int64 TFileStream::Write(const void* buffer, Int64 count) {
    if (count <= 0) return 0;
    while (true) {
        ssize_t w = write(FHandle, buffer, static_cast<size_t>(count));
        if (w < 0 && errno == EINTR) continue;
        return w < 0 ? 0 : static_cast<Int64>(w);
    }
}

Int64 TFileStream::Seek(Int64 offset, TSeekOrigin origin) {
    int whence = origin == soCurrent ? SEEK_CUR : origin == soEnd ? SEEK_END : SEEK_SET;
    off_t r = lseek(FHandle, static_cast<off_t>(offset), whence);
    if (r < 0) r = lseek(FHandle, 0, SEEK_CUR);  // a bad target leaves the position
    return static_cast<Int64>(r);
}

void TFileStream::SetSize(Int64 size) {
    // As the runtime does: the position moves to the new end.
    Seek(size, soBeginning);
    if (ftruncate(FHandle, static_cast<off_t>(size)) != 0)
        throw EWriteError(String("Cannot set the size of \"%s\". %s"), {FFileName, String(strerror(errno))});
}
