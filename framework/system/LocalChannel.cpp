#include "framework/system/LocalChannel.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/messages/MessageQueue.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/ProgramFolder.h"

namespace {

constexpr size_t kMaxMessage = 255;

// Servers made before the toolkit started wait here; the toolkit's start
// arms them, and its end disarms whatever is still listening, so no socket
// notifier outlives the event loop it belongs to.
std::vector<TLocalChannelServer::Impl*>& LiveServers() {
    static auto* v = new std::vector<TLocalChannelServer::Impl*>;
    return *v;
}

void ArmPending();
void DisarmAll();

void EnsureRoutines() {
    static bool added = false;
    if (added) return;
    added = true;
    qAddPreRoutine(ArmPending);
    qAddPostRoutine(DisarmAll);
}

}  // namespace

String LocalChannelPath(const String& name) {
    String safe = name.empty() ? ExtractFileName(ProgramFile()) : name;
    for (char& c : safe)
        if (c == '/' || static_cast<unsigned char>(c) < 0x20) c = '_';
    if (safe.empty() || safe == "." || safe == "..") safe = "velmor";
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && DirectoryExists(runtime)) return PathJoin(runtime, safe + ".sock");
    return PathJoin("/tmp", safe + "." + IntToStr(static_cast<Int64>(getuid())) + ".sock");
}

struct TLocalChannelServer::Impl {
    String Path;
    TMessageHandler Handler;
    QLocalServer* Server = nullptr;

    void Arm() {
        if (Server || !QCoreApplication::instance()) return;
        auto* server = new QLocalServer;
        server->setSocketOptions(QLocalServer::UserAccessOption);
        // We hold the instance guard, so a socket already there was left by
        // a copy that ended without cleaning up.
        QLocalServer::removeServer(QString::fromStdString(Path));
        if (!server->listen(QString::fromStdString(Path))) {
            delete server;
            return;
        }
        QObject::connect(server, &QLocalServer::newConnection, server, [this] { Accept(); });
        Server = server;
    }

    void Disarm() {
        if (!Server) return;
        Server->close();  // removes the socket file
        delete Server;
        Server = nullptr;
    }

    void Accept() {
        while (Server && Server->hasPendingConnections()) {
            QLocalSocket* sock = Server->nextPendingConnection();
            if (!sock) break;
            auto buffer = std::make_shared<QByteArray>();
            auto done = std::make_shared<bool>(false);
            QPointer<QLocalSocket> guard(sock);
            auto take = [this, guard, buffer, done] {
                if (!guard || *done) return;
                buffer->append(guard->readAll());
                const qsizetype eol = buffer->indexOf('\n');
                const bool closed = guard->state() != QLocalSocket::ConnectedState;
                if (eol < 0 && !closed && buffer->size() <= static_cast<qsizetype>(kMaxMessage)) return;
                *done = true;
                QByteArray line = eol >= 0 ? buffer->left(eol) : *buffer;
                if (line.size() > static_cast<qsizetype>(kMaxMessage)) line.truncate(kMaxMessage);
                guard->abort();
                guard->deleteLater();
                if (!line.isEmpty() && Handler) {
                    const String message = line.toStdString();
                    GuardedCall([&] { Handler(message); });
                }
            };
            QObject::connect(sock, &QLocalSocket::readyRead, sock, take);
            QObject::connect(sock, &QLocalSocket::disconnected, sock, take);
            // What arrived with the connection is not announced again.
            if (sock->bytesAvailable() > 0 || sock->state() != QLocalSocket::ConnectedState) take();
        }
    }
};

namespace {
void ArmPending() {
    for (auto* impl : LiveServers()) impl->Arm();
}
void DisarmAll() {
    for (auto* impl : LiveServers()) impl->Disarm();
}
}  // namespace

TLocalChannelServer::TLocalChannelServer(const String& name, TMessageHandler handler)
    : FImpl(new Impl) {
    FImpl->Path = LocalChannelPath(name);
    FImpl->Handler = std::move(handler);
    EnsureRoutines();
    LiveServers().push_back(FImpl.get());
    FImpl->Arm();
}

TLocalChannelServer::~TLocalChannelServer() {
    auto& v = LiveServers();
    v.erase(std::remove(v.begin(), v.end(), FImpl.get()), v.end());
    FImpl->Disarm();
}

bool TLocalChannelServer::Listening() const { return FImpl->Server != nullptr; }

const String& TLocalChannelServer::PathName() const { return FImpl->Path; }

bool SendLocalChannelMessage(const String& name, const String& message) {
    const String path = LocalChannelPath(name);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    // A listener that hangs must not hang us as well.
    timeval tv{2, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    int rc;
    do {
        rc = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return false;
    }
    String line = message.substr(0, kMaxMessage);
    std::replace(line.begin(), line.end(), '\n', ' ');
    line += '\n';
    size_t sent = 0;
    while (sent < line.size()) {
        const ssize_t n = ::send(fd, line.data() + sent, line.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        sent += static_cast<size_t>(n);
    }
    ::close(fd);
    return sent == line.size();
}
