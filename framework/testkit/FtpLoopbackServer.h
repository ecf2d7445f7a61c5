#pragma once
// A small FTP server on the loopback interface, for tests: an in-memory
// tree of folders and files, one user, passive (PASV, EPSV) and active
// (PORT, EPRT) data connections, and the commands a client needs to log
// in, move about, list, fetch, store, delete and rename. Every command is
// recorded.
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "framework/rtl/Types.h"

class TFtpLoopbackServer {
public:
    TFtpLoopbackServer(const String& user, const String& password);
    ~TFtpLoopbackServer();
    TFtpLoopbackServer(const TFtpLoopbackServer&) = delete;
    TFtpLoopbackServer& operator=(const TFtpLoopbackServer&) = delete;

    Word Port() const { return FPort; }

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
    void AcceptLoop();
    void Serve(int fd);
    String Resolve(const String& cwd, const String& arg) const;
    String Listing(const String& dir, const String& arg) const;

    String FUser, FPassword;
    int FListen = -1;
    int FWake[2] = {-1, -1};
    Word FPort = 0;
    std::thread FAcceptor;
    mutable std::mutex FLock;
    std::condition_variable FChanged;
    bool FStopping = false;
    bool FReleased = false;
    std::map<String, String> FFiles;
    std::set<String> FDirs;
    std::map<String, std::size_t> FHeld;
    std::vector<String> FCommands;
    std::vector<std::thread> FWorkers;
    std::vector<int> FOpen;
};
