#include "framework/system/LocalChannel.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
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

namespace {
void CloseFd(int fd) {
    while (::close(fd) != 0 && errno == EINTR) {
    }
}

// A listening socket at `path` that only this user can connect to. It is
// bound in a private directory beside `path`, given its permission there
// and only then moved into place, so nobody else can reach it in between.
// -1 on failure.
int ListenAt(const String& path) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    String dir = ExtractFileDir(path);
    if (dir.empty()) dir = ".";
    String tmpl = PathJoin(dir, ".channel-XXXXXX");
    std::vector<char> buffer(tmpl.begin(), tmpl.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data())) return -1;
    const String privateDir(buffer.data());
    const String staging = PathJoin(privateDir, "s");
    if (staging.size() >= sizeof addr.sun_path || path.size() >= sizeof addr.sun_path) {
        ::rmdir(privateDir.c_str());
        return -1;
    }
    std::memcpy(addr.sun_path, staging.c_str(), staging.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    bool ok = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
              ::chmod(staging.c_str(), S_IRUSR | S_IWUSR) == 0 && ::listen(fd, 50) == 0;
    // We hold the instance guard, so a socket already there was left by a
    // copy that ended without cleaning up: the new one takes its name.
    ok = ok && ::rename(staging.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(staging.c_str());
    ::rmdir(privateDir.c_str());
    if (!ok) {
        if (fd >= 0) CloseFd(fd);
        return -1;
    }
    return fd;
}
}  // namespace

struct TLocalChannelServer::Impl {
    String Path;
    TMessageHandler Handler;
    int Fd = -1;
    QSocketNotifier* Notifier = nullptr;

    // A connection whose line has not all come yet.
    struct TClient {
        int Fd = -1;
        QSocketNotifier* Notifier = nullptr;
        std::string Buffer;
    };
    std::vector<std::unique_ptr<TClient>> Clients;

    ~Impl() { Disarm(); }

    void Arm() {
        if (Notifier || !QCoreApplication::instance()) return;
        const int fd = ListenAt(Path);
        if (fd < 0) return;
        Fd = fd;
        Notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
        QObject::connect(Notifier, &QSocketNotifier::activated, Notifier, [this] { Accept(); });
    }

    void Disarm() {
        while (!Clients.empty()) Drop(Clients.back().get());
        if (!Notifier) return;
        delete Notifier;
        Notifier = nullptr;
        CloseFd(Fd);
        Fd = -1;
        ::unlink(Path.c_str());
    }

    // From inside the client's own notification its notifier goes later.
    void Drop(TClient* client, bool fromItsSignal = false) {
        if (fromItsSignal) {
            client->Notifier->setEnabled(false);
            client->Notifier->deleteLater();
        } else {
            delete client->Notifier;
        }
        CloseFd(client->Fd);
        Clients.erase(std::find_if(Clients.begin(), Clients.end(),
                                   [client](const std::unique_ptr<TClient>& c) { return c.get() == client; }));
    }

    void Accept() {
        while (Fd >= 0) {
            const int fd = ::accept4(Fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd < 0) {
                if (errno == EINTR) continue;
                break;  // nothing more waiting (or the peer gave up already)
            }
            auto client = std::make_unique<TClient>();
            TClient* c = client.get();
            c->Fd = fd;
            c->Notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
            Clients.push_back(std::move(client));
            QObject::connect(c->Notifier, &QSocketNotifier::activated, c->Notifier, [this, c] { Take(c); });
        }
    }

    // Reads what the sender wrote; the message is its first line, or all it
    // sent before closing, cut to the longest message there can be.
    void Take(TClient* c) {
        bool closed = false;
        char chunk[512];
        for (;;) {
            const ssize_t n = ::recv(c->Fd, chunk, sizeof chunk, 0);
            if (n > 0) {
                c->Buffer.append(chunk, static_cast<size_t>(n));
                if (c->Buffer.size() > kMaxMessage) break;
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) closed = true;
            break;
        }
        const size_t eol = c->Buffer.find('\n');
        if (eol == std::string::npos && !closed && c->Buffer.size() <= kMaxMessage) return;
        std::string line = eol != std::string::npos ? c->Buffer.substr(0, eol) : c->Buffer;
        if (line.size() > kMaxMessage) line.resize(kMaxMessage);
        Drop(c, true);
        if (!line.empty() && Handler) {
            const String message = line;
            GuardedCall([&] { Handler(message); });
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

bool TLocalChannelServer::Listening() const { return FImpl->Notifier != nullptr; }

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
