#pragma once
// The sockets under the test servers: a listening socket on 127.0.0.1 with
// a port of the system's choosing, a connection to one, and sending all of
// a text.
#include "framework/rtl/Types.h"

namespace velmor_internal {
// Returns the descriptor (-1 on failure) and the port it listens on.
int ListenLoopback(Word& port, int backlog);
int ConnectLoopback(Word port);
bool SendAll(int fd, const String& data);
}  // namespace velmor_internal
