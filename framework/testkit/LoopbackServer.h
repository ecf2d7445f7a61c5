#pragma once
// A small HTTP server on the loopback interface, for tests: it answers
// each request with a canned response chosen by its target and records
// what it was asked. It speaks HTTP/1.0-style (one request per
// connection) and also takes the absolute targets that a proxy gets.
#include <map>
#include <memory>
#include <vector>

#include "framework/testkit/LoopbackSockets.h"

class TLoopbackServer : public TLoopbackListener {
public:
    struct TRequest {
        String Method;
        String Target;  // as sent: a path, or an absolute URL through a proxy
        String Version;
        std::vector<std::pair<String, String>> Headers;
        String Body;
        // The value of the first header of that name (any letter case), ""
        // when absent; Has tells an empty value from none.
        String Header(const String& name) const;
        bool Has(const String& name) const;
    };

    // The certificate a secure server shows: one for 127.0.0.1 that no
    // authority vouches for, valid from 2000 to 2099; or the same kind of
    // certificate expired (2000 to 2001) or not yet valid (from 2090).
    enum class TCertificate { Valid, Expired, NotYetValid };

    // Ways a server goes wrong, each scripted the same way every time (as
    // the curl project tests its client): the whole table is in one place,
    // LoopbackServer.cpp.
    enum class TMisbehaviour {
        EndlessHeaders,    // header lines that never end
        EndlessBody,       // a body with no length that never ends
        ShortBody,         // 10 of the 1000 bytes announced, then closes
        AbsurdLength,      // a Content-Length past 64 bits, a few bytes, closes
        UnreadableLength,  // a Content-Length that is no number
        Trickle,           // one byte a second of the 1000 announced
        Silent,            // reads the request and never answers
        RedirectLoop,      // sends the client back to the same target
        RedirectToFile,    // sends the client to a file:// URL
    };

    // Starts listening on a free port of 127.0.0.1. A secure server speaks
    // TLS with the given certificate, made afresh for each run of the tests.
    explicit TLoopbackServer(bool secure = false, TCertificate certificate = TCertificate::Valid);
    ~TLoopbackServer() override;

    String HostPort() const;
    // "http://127.0.0.1:<port>" + path ("https://" for a secure server).
    String Url(const String& path) const;

    // The raw response for a target (path with its query, or the path
    // alone); unknown targets get a 404.
    void Serve(const String& target, const String& rawResponse);
    // A response with a status line, the given extra header lines (each
    // ended by CR LF) and a Content-Length that matches the body.
    static String Response(int code, const String& reason, const String& body,
                           const String& headers = String());
    // Sends `head` and then holds the connection open, sending nothing more
    // until Release or the server's end.
    void ServeAndHold(const String& target, const String& head);
    void Release();
    // Answers every request for `target` the misbehaving way. The script
    // runs until it is done, the client lets go or the server ends.
    void Misbehave(const String& target, TMisbehaviour how);

    std::vector<TRequest> Requests() const;
    // Blocks until `count` requests have arrived (or 20 s have passed).
    bool WaitForRequests(std::size_t count) const;

private:
    void ServeConnection(int fd) override;

    bool FSecure = false;
    TCertificate FCertificate = TCertificate::Valid;
    bool FReleased = false;
    std::map<String, String> FRoutes;
    std::map<String, String> FHeld;
    std::map<String, TMisbehaviour> FMisbehaving;
    std::vector<TRequest> FRequests;
};
