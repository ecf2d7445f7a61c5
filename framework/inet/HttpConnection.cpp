#include "framework/inet/HttpConnection.h"

#include "framework/inet/InetErrors.h"
#include "framework/inet/InetSession.h"

std::shared_ptr<THttpConnection> THttpConnection::Connect(const std::shared_ptr<TInetSession>& session,
                                                          const String& host, Word port, const String& user,
                                                          const String& password) {
    if (!session || session->Closed()) {
        InetSetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (host.empty()) {
        InetSetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::shared_ptr<THttpConnection> conn(new THttpConnection);
    conn->FHost = host;
    conn->FPort = port;
    conn->FUser = user;
    conn->FPassword = password;
    if (!conn->Attach(session)) {
        InetSetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return conn;
}

TInetSession& THttpConnection::Session() const { return static_cast<TInetSession&>(*FParent); }
