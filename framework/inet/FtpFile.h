#pragma once
// A remote file being read or written. Reading ends when Read answers 0
// bytes; writing ends with Finish, which waits for the server to confirm
// the stored file. Letting go of the handle before the end breaks the
// transfer off.
#include <memory>

#include "framework/inet/InetHandle.h"

class TFtpConnection;

class TFtpFile : public TInetHandle {
public:
    ~TFtpFile() override;

    bool Read(void* buffer, DWORD size, DWORD& read);
    bool Write(const void* data, DWORD size, DWORD& written);
    bool Finish();

protected:
    void Wake() override;

private:
    friend class TFtpConnection;
    TFtpFile() = default;
    TFtpConnection& Connection() const;
    bool FWrite = false;
    bool FFinished = false;
};
