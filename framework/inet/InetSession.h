#pragma once
// The root handle: who is asking (the agent name), how the network is
// reached (directly, through a proxy, or as the system is configured) and
// who hears about the progress of every call made through it.
#include <functional>
#include <memory>

#include "framework/inet/InetHandle.h"

inline constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0;
inline constexpr DWORD INTERNET_OPEN_TYPE_DIRECT = 1;
inline constexpr DWORD INTERNET_OPEN_TYPE_PROXY = 3;

// Status numbers of the callback and what their information is: a text
// for 10, 11, 20, 21 (host or address) and 110 (the new location), null
// otherwise.
inline constexpr DWORD INTERNET_STATUS_RESOLVING_NAME = 10;
inline constexpr DWORD INTERNET_STATUS_NAME_RESOLVED = 11;
inline constexpr DWORD INTERNET_STATUS_CONNECTING_TO_SERVER = 20;
inline constexpr DWORD INTERNET_STATUS_CONNECTED_TO_SERVER = 21;
inline constexpr DWORD INTERNET_STATUS_SENDING_REQUEST = 30;
inline constexpr DWORD INTERNET_STATUS_REQUEST_SENT = 31;
inline constexpr DWORD INTERNET_STATUS_RECEIVING_RESPONSE = 40;
inline constexpr DWORD INTERNET_STATUS_RESPONSE_RECEIVED = 41;
inline constexpr DWORD INTERNET_STATUS_CLOSING_CONNECTION = 50;
inline constexpr DWORD INTERNET_STATUS_CONNECTION_CLOSED = 51;
inline constexpr DWORD INTERNET_STATUS_REDIRECT = 110;
inline constexpr DWORD INTERNET_STATUS_INTERMEDIATE_RESPONSE = 120;

// Runs on the thread that makes the call the status belongs to.
using TInetStatusCallback = std::function<void(DWORD status, const void* info)>;

class TInetSession : public TInetHandle {
public:
    // `proxy` is a proxy list ("host:port", or "http=host:port https=..."),
    // `bypass` the hosts reached directly (";" or blank separated, "*" for
    // all, "<local>" for names without a dot). Both count only with
    // INTERNET_OPEN_TYPE_PROXY.
    static std::shared_ptr<TInetSession> Open(const String& agent, DWORD accessType,
                                              const String& proxy, const String& bypass);

    const String& Agent() const { return FAgent; }
    DWORD AccessType() const { return FAccess; }
    // The proxy for a scheme ("http", "https", "ftp"), empty for none.
    String ProxyFor(const String& scheme) const;
    // The bypass list as the transport wants it: comma separated.
    String NoProxyList() const;

    // Set before the first connection; 0 keeps the library's default. A
    // connection not made within ConnectTimeoutMs fails with
    // ERROR_INTERNET_TIMEOUT.
    DWORD ConnectTimeoutMs = 0;
    // A transfer that receives fewer than LowSpeedBytes in ReceiveTimeoutMs
    // fails with ERROR_INTERNET_TIMEOUT; 0 waits as long as the connection
    // lives. The time counts in whole seconds.
    DWORD ReceiveTimeoutMs = 0;
    DWORD LowSpeedBytes = 1;
    // An HTTP response whose header lines pass this many bytes fails with
    // ERROR_HTTP_INVALID_SERVER_RESPONSE; 0 takes any.
    DWORD MaxHeaderBytes = 0;

    // Set before use; null hears nothing.
    void SetStatusCallback(TInetStatusCallback callback) { FStatus = std::move(callback); }
    void Notify(DWORD status, const void* info) const {
        if (FStatus && !Closed()) FStatus(status, info);
    }

private:
    TInetSession() = default;
    String FAgent;
    DWORD FAccess = INTERNET_OPEN_TYPE_PRECONFIG;
    String FProxy;
    String FBypass;
    TInetStatusCallback FStatus;
};

// The transport's version as four numbers, "major.minor.patch.0".
String InetLibraryVersion();
