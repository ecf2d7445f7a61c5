#include "framework/inet/FtpFile.h"

#include <algorithm>
#include <cstring>

#include "framework/inet/CurlTransfer.h"
#include "framework/inet/FtpConnection.h"
#include "framework/inet/InetErrors.h"

TFtpConnection& TFtpFile::Connection() const { return static_cast<TFtpConnection&>(*FParent); }

TFtpFile::~TFtpFile() {
    if (!FFinished) Connection().Finish(false);
}

void TFtpFile::Wake() { Connection().Wake(); }

bool TFtpFile::Read(void* buffer, DWORD size, DWORD& read) {
    read = 0;
    if (!CheckOpen()) return false;
    TFtpConnection& conn = Connection();
    if (FWrite || FFinished || !conn.FTransfer) {
        if (FFinished) return true;
        InetSetLastError(ERROR_INTERNET_INVALID_OPERATION);
        return false;
    }
    TCurlTransfer& t = *conn.FTransfer;
    if (!t.Drive([&t] { return !t.In.empty(); })) return false;
    if (t.In.empty()) {
        const DWORD error = t.Error();
        conn.PublishReply();
        if (error) {
            InetSetLastError(error);
            return false;
        }
        return true;
    }
    read = std::min<DWORD>(size, static_cast<DWORD>(t.In.size()));
    std::memcpy(buffer, t.In.data(), read);
    t.In.Consume(read);
    return true;
}

bool TFtpFile::Write(const void* data, DWORD size, DWORD& written) {
    written = 0;
    if (!CheckOpen()) return false;
    TFtpConnection& conn = Connection();
    if (!FWrite || FFinished || !conn.FTransfer) {
        InetSetLastError(ERROR_INTERNET_INVALID_OPERATION);
        return false;
    }
    TCurlTransfer& t = *conn.FTransfer;
    t.Out.append(static_cast<const char*>(data), size);
    if (!t.Drive([&t] { return t.Out.size() < TCurlTransfer::OutHigh; })) return false;
    if (t.Done) {
        const DWORD error = t.Error();
        conn.PublishReply();
        InetSetLastError(error ? error : ERROR_FTP_DROPPED);
        return false;
    }
    written = size;
    return true;
}

bool TFtpFile::Finish() {
    if (FFinished) return true;
    TFtpConnection& conn = Connection();
    if (!CheckOpen() || !conn.FTransfer) {
        const DWORD error = InetGetLastError();
        FFinished = true;
        conn.Finish(false);
        InetSetLastError(error ? error : ERROR_INVALID_HANDLE);
        return false;
    }
    TCurlTransfer& t = *conn.FTransfer;
    bool ok = true;
    DWORD error = 0;
    if (FWrite) {
        t.OutEof = true;
        ok = t.Drive([] { return false; });
        error = ok ? t.Error() : InetGetLastError();
    } else if (!t.Done) {
        // Reading stopped early: the transfer is broken off.
        ok = true;
    } else {
        error = t.Error();
    }
    FFinished = true;
    conn.Finish(ok && t.Done);
    conn.PublishReply();
    if (!ok || error) {
        InetSetLastError(error ? error : ERROR_INTERNET_OPERATION_CANCELLED);
        return false;
    }
    return true;
}
