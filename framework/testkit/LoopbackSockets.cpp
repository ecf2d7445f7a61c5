#include "framework/testkit/LoopbackSockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velmor_internal {

int ListenLoopback(Word& port, int backlog) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::listen(fd, backlog);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    return fd;
}

int ConnectLoopback(Word port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool SendAll(int fd, const String& data) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace velmor_internal

TFullListener::TFullListener() {
    FListen = velmor_internal::ListenLoopback(FPort, 0);
    // A backlog of 0 still queues a connection or two; these fill it.
    for (int i = 0; i < 2; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(FPort);
        (void)::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        FQueued.push_back(fd);
    }
}

TFullListener::~TFullListener() {
    for (int fd : FQueued) ::close(fd);
    ::close(FListen);
}

TLoopbackListener::~TLoopbackListener() { StopListening(); }

void TLoopbackListener::StartListening(int backlog) {
    FListen = velmor_internal::ListenLoopback(FPort, backlog);
    if (::pipe2(FWake, O_CLOEXEC) != 0) FWake[0] = FWake[1] = -1;
    FAcceptor = std::thread(&TLoopbackListener::AcceptLoop, this);
}

void TLoopbackListener::StopListening() {
    if (!FAcceptor.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(FLock);
        FStopping = true;
        for (int fd : FOpen) ::shutdown(fd, SHUT_RDWR);
    }
    FChanged.notify_all();
    if (FWake[1] >= 0) (void)!::write(FWake[1], "x", 1);
    FAcceptor.join();
    for (auto& t : FWorkers) t.join();
    FWorkers.clear();
    ::close(FListen);
    if (FWake[0] >= 0) ::close(FWake[0]);
    if (FWake[1] >= 0) ::close(FWake[1]);
    FListen = FWake[0] = FWake[1] = -1;
}

void TLoopbackListener::AcceptLoop() {
    for (;;) {
        pollfd fds[2] = {{FListen, POLLIN, 0}, {FWake[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) continue;
        if (fds[1].revents) return;
        const int fd = ::accept4(FListen, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        std::lock_guard<std::mutex> lock(FLock);
        if (FStopping) {
            ::close(fd);
            return;
        }
        FOpen.push_back(fd);
        FWorkers.emplace_back(&TLoopbackListener::ServeConnection, this, fd);
    }
}
