#pragma once
// One HTTP request: opened with its verb and path, given its headers, sent
// (which returns once the response headers are in), then read in chunks.
// Every call blocks the calling thread; Close from another thread breaks
// it off.
#include <memory>
#include <vector>

#include "framework/inet/InetHandle.h"

class THttpConnection;

// Request flags.
inline constexpr DWORD INTERNET_FLAG_RELOAD = 0x80000000;
inline constexpr DWORD INTERNET_FLAG_SECURE = 0x00800000;
inline constexpr DWORD INTERNET_FLAG_KEEP_CONNECTION = 0x00400000;
inline constexpr DWORD INTERNET_FLAG_NO_AUTO_REDIRECT = 0x00200000;
inline constexpr DWORD INTERNET_FLAG_NO_COOKIES = 0x00080000;
inline constexpr DWORD INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP = 0x00008000;
inline constexpr DWORD INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS = 0x00004000;
inline constexpr DWORD INTERNET_FLAG_IGNORE_CERT_DATE_INVALID = 0x00002000;
inline constexpr DWORD INTERNET_FLAG_IGNORE_CERT_CN_INVALID = 0x00001000;
inline constexpr DWORD INTERNET_FLAG_RESYNCHRONIZE = 0x00000800;
inline constexpr DWORD INTERNET_FLAG_NO_UI = 0x00000200;
inline constexpr DWORD INTERNET_FLAG_PRAGMA_NOCACHE = 0x00000100;

// Header modifiers.
inline constexpr DWORD HTTP_ADDREQ_FLAG_ADD = 0x20000000;
inline constexpr DWORD HTTP_ADDREQ_FLAG_REPLACE = 0x80000000;

// Security flags of a request.
inline constexpr DWORD SECURITY_FLAG_IGNORE_UNKNOWN_CA = 0x00000100;
inline constexpr DWORD SECURITY_FLAG_IGNORE_CERT_DATE_INVALID = 0x00002000;
inline constexpr DWORD SECURITY_FLAG_IGNORE_CERT_CN_INVALID = 0x00001000;

class THttpRequest : public TInetHandle {
public:
    ~THttpRequest() override;

    // `accept` is the one accepted type (empty: none is sent), `version`
    // "HTTP/1.0" or "HTTP/1.1" (empty: 1.1). Null with the thread's last
    // error when the connection is closed.
    static std::shared_ptr<THttpRequest> Open(const std::shared_ptr<THttpConnection>& connection,
                                              const String& verb, const String& path,
                                              const String& version, const String& referer,
                                              const String& accept, DWORD flags);

    // Adds header lines (CR LF separated). With HTTP_ADDREQ_FLAG_REPLACE a
    // line replaces the one of the same name.
    bool AddHeaders(const String& lines, DWORD modifiers);

    DWORD SecurityFlags() const { return FSecurityFlags; }
    void SetSecurityFlags(DWORD flags) { FSecurityFlags = flags; }
    void SetProxyCredentials(const String& user, const String& password);

    // Sends the request with `data` as its body and waits for the response
    // headers; redirects are followed on the way. May be called again (a
    // retry): the request is made afresh.
    bool Send(const char* data, std::size_t length);

    // After Send: the final response's status code, its header lines with
    // the status line first, and the announced length (-1 when unknown).
    int StatusCode() const { return FStatusCode; }
    const std::vector<String>& RawHeaders() const { return FHeaders; }
    Int64 ContentLength() const;
    // The value of the first header of that name (any letter case).
    bool QueryHeader(const String& name, String& value) const;

    // Waits for body bytes; 0 means the body is complete.
    bool QueryDataAvailable(DWORD& bytes);
    bool Read(void* buffer, DWORD size, DWORD& read);

protected:
    void Wake() override;

private:
    THttpRequest() = default;
    // Called by the transport with each response header line.
    bool HeaderLine(const char* data, std::size_t size);
    friend struct THttpCallbacks;

    struct TState;
    std::unique_ptr<TState> FState;
    String FVerb;
    String FPath;
    String FVersion;
    String FReferer;
    String FAccept;
    DWORD FFlags = 0;
    DWORD FSecurityFlags = 0;
    String FProxyUser;
    String FProxyPassword;
    std::vector<String> FAdded;
    // The response being read.
    int FStatusCode = 0;
    std::vector<String> FHeaders;
    bool FHeadersDone = false;
    bool FSent = false;
};
