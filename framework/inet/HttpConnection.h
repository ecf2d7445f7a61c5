#pragma once
// A server that HTTP requests are made to. Nothing goes over the network
// until a request is sent: the connection only remembers where and as whom.
#include <memory>

#include "framework/inet/InetHandle.h"

class TInetSession;

class THttpConnection : public TInetHandle {
public:
    // Null, with the thread's last error, when the session is closed
    // (ERROR_INVALID_HANDLE) or the host is empty (ERROR_INVALID_PARAMETER).
    static std::shared_ptr<THttpConnection> Connect(const std::shared_ptr<TInetSession>& session,
                                                    const String& host, Word port, const String& user,
                                                    const String& password);

    TInetSession& Session() const;
    const String& Host() const { return FHost; }
    Word Port() const { return FPort; }
    const String& User() const { return FUser; }
    const String& Password() const { return FPassword; }

private:
    THttpConnection() = default;
    String FHost;
    Word FPort = 80;
    String FUser;
    String FPassword;
};
