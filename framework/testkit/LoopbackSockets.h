#pragma once
// The sockets under the test servers: a listening socket on 127.0.0.1 with
// a port of the system's choosing, a connection to one, and sending all of
// a text; and the listener both servers are built on.
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/rtl/Types.h"

namespace velmor_internal {
// Returns the descriptor (-1 on failure) and the port it listens on.
int ListenLoopback(Word& port, int backlog);
int ConnectLoopback(Word port);
bool SendAll(int fd, const String& data);
}  // namespace velmor_internal

// A loopback port that takes no more connections: it listens but never
// accepts, and its queue is already full, so the system drops every new
// attempt and a client waits as it would for a host that never answers.
class TFullListener {
public:
    TFullListener();
    ~TFullListener();
    TFullListener(const TFullListener&) = delete;
    TFullListener& operator=(const TFullListener&) = delete;
    Word Port() const { return FPort; }

private:
    int FListen = -1;
    std::vector<int> FQueued;
    Word FPort = 0;
};

// Accepts connections on a free loopback port on a thread of its own and
// serves each on a thread of its own. The lock, the condition and the list
// of open descriptors are the server's too: a server waits on FChanged for
// its own reasons, and StopListening wakes every such wait by setting
// FStopping and shutting every descriptor in FOpen. A server's destructor
// calls StopListening before its own members go.
class TLoopbackListener {
public:
    TLoopbackListener(const TLoopbackListener&) = delete;
    TLoopbackListener& operator=(const TLoopbackListener&) = delete;
    Word Port() const { return FPort; }

protected:
    TLoopbackListener() = default;
    virtual ~TLoopbackListener();
    void StartListening(int backlog);
    void StopListening();
    // Runs on the connection's own thread; fd is in FOpen until it returns.
    virtual void ServeConnection(int fd) = 0;

    mutable std::mutex FLock;
    mutable std::condition_variable FChanged;
    bool FStopping = false;
    std::vector<int> FOpen;

private:
    void AcceptLoop();

    int FListen = -1;
    int FWake[2] = {-1, -1};
    Word FPort = 0;
    std::thread FAcceptor;
    std::vector<std::thread> FWorkers;
};
