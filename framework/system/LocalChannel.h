#pragma once
#include <functional>
#include <memory>

#include "framework/rtl/Types.h"

// A named local channel through which a later copy of the program hands a
// short message to the copy that runs first (asking it to come forward).
// The channel is a Unix-domain socket named after `name`, kept where the
// instance guard keeps its lock file: $XDG_RUNTIME_DIR, else /tmp with the
// user id in the name. Only this user can connect.
//
// Only the copy that holds the instance guard may listen: listening takes
// the name over, removing a socket that a crashed copy left behind.
class TLocalChannelServer : public TObject {
public:
    // Called on the GUI thread, once per message, with the text the sender
    // wrote (without the line end). Exceptions go to the dispatch
    // exception handler.
    using TMessageHandler = std::function<void(const String& Message)>;

    // Starts listening at once when the toolkit runs, otherwise as soon as
    // it starts. Senders that come in between wait in the socket's queue
    // only once listening began; before that their send fails.
    TLocalChannelServer(const String& name, TMessageHandler handler);
    ~TLocalChannelServer() override;
    TLocalChannelServer(const TLocalChannelServer&) = delete;
    TLocalChannelServer& operator=(const TLocalChannelServer&) = delete;

    bool Listening() const;
    const String& PathName() const;

    struct Impl;

private:
    std::unique_ptr<Impl> FImpl;
};

// The socket path used for `name` (an empty name means the program's file
// name).
String LocalChannelPath(const String& name);

// Hands `message` (one line, at most 255 bytes) to the listener of `name`.
// Needs no running toolkit. False when nobody listens or the write failed.
bool SendLocalChannelMessage(const String& name, const String& message);
