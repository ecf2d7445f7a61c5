#pragma once
// Internal to framework/inet (nothing outside it includes this): one
// libcurl transfer driven in steps, so the body can be pulled and an upload
// pushed in chunks by the caller, and another thread can break it off. The
// libcurl handles are kept as untyped pointers so that its header stays in
// the source files.
#include <functional>

#include "framework/rtl/Types.h"

// Bytes received and not read yet: added at the back, read from the
// front. A read only moves a mark; what is left moves down once the read
// part outgrows it, so reading in small pieces costs no more than the
// bytes read.
class TReceivedBytes {
public:
    std::size_t size() const { return FData.size() - FHead; }
    bool empty() const { return FHead == FData.size(); }
    const char* data() const { return FData.data() + FHead; }
    void append(const char* bytes, std::size_t n) {
        if (FHead > 0 && FHead >= FData.size() - FHead) {
            FData.erase(0, FHead);
            FHead = 0;
        }
        FData.append(bytes, n);
    }
    // Drops the first n bytes (n <= size()).
    void Consume(std::size_t n) {
        FHead += n;
        if (FHead == FData.size()) {
            FData.clear();
            FHead = 0;
        }
    }
    String Text() const { return FData.substr(FHead); }

private:
    String FData;
    std::size_t FHead = 0;
};

class TCurlTransfer {
public:
    // Borrows both handles; the owner keeps them alive longer than this.
    TCurlTransfer(void* easy, void* multi);
    ~TCurlTransfer();
    TCurlTransfer(const TCurlTransfer&) = delete;
    TCurlTransfer& operator=(const TCurlTransfer&) = delete;

    // Hooks the body callbacks up and adds the transfer to the multi handle.
    bool Start();
    // Steps the transfer until `ready` answers true or it ends. False (last
    // error ERROR_INTERNET_OPERATION_CANCELLED) when `Cancelled` turned true.
    bool Drive(const std::function<bool()>& ready);
    // Breaks a Drive that waits for the network; any thread, under the
    // owner's lock.
    void Wake();
    // The result as an internet library error (0 when it ended well or has
    // not ended yet).
    DWORD Error() const;

    std::function<bool()> Cancelled;
    // Body bytes received and not read yet; a full buffer pauses the
    // transfer until the reader catches up.
    TReceivedBytes In;
    // Upload bytes given and not sent yet; the transfer pauses while it has
    // none and the end has not been marked.
    String Out;
    bool OutEof = false;
    bool OutWanted = false;  // the transfer asked for upload bytes and got none
    bool Done = false;
    int Code = 0;  // CURLcode
    // A code a callback chose when it broke the transfer off.
    DWORD AbortError = 0;
    char ErrorBuffer[256] = {};

    static constexpr std::size_t InHigh = 256 * 1024;
    static constexpr std::size_t OutHigh = 64 * 1024;

private:
    void CollectDone();
    void* FEasy;
    void* FMulti;
    bool FAdded = false;
    bool FInPaused = false;
    bool FOutPaused = false;
};

// libcurl's global start-up, once per process.
void CurlGlobalInit();
// The process-wide cookie store that every session shares, as the
// system's internet library keeps one per user.
void* CurlCookieShare();
// A libcurl result as an internet library error.
DWORD MapCurlError(int code, const char* detail);

class TInetSession;
// Puts the session's connect and low-speed limits on a libcurl handle.
void ApplySessionLimits(void* easy, const TInetSession& session);
