#pragma once
// A small FTP server on the loopback interface, for tests: an in-memory
// tree of folders and files, one user, passive (PASV, EPSV) and active
// (PORT, EPRT) data connections, and the commands a client needs to log
// in, move about, list, fetch, store, delete and rename. Every command is
// recorded.
#include <map>
#include <set>
#include <vector>

#include "framework/testkit/LoopbackSockets.h"

class TFtpLoopbackServer : public TLoopbackListener {
public:
    TFtpLoopbackServer(const String& user, const String& password);
    ~TFtpLoopbackServer() override;

    // Paths are absolute ("/pub/a.txt"); folders on the way are made.
    void AddFile(const String& path, const String& content);
    void AddDir(const String& path);
    bool HasFile(const String& path) const;
    bool HasDir(const String& path) const;
    String FileContent(const String& path) const;
    // A RETR of this file sends its first `bytes` and then waits, with the
    // data connection open, until Release or the server's end.
    void HoldFile(const String& path, std::size_t bytes);
    void Release();

    // Every command line received, in order, passwords included.
    std::vector<String> Commands() const;

private:
    struct TSession;
    void ServeConnection(int fd) override;
    String Resolve(const String& cwd, const String& arg) const;
    String Listing(const String& dir, const String& arg) const;

    String FUser, FPassword;
    bool FReleased = false;
    std::map<String, String> FFiles;
    std::set<String> FDirs;
    std::map<String, std::size_t> FHeld;
    std::vector<String> FCommands;
};
