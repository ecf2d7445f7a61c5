#include "framework/testkit/FtpLoopbackServer.h"

#include "framework/testkit/LoopbackSockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>

using velmor_internal::ConnectLoopback;
using velmor_internal::ListenLoopback;
using velmor_internal::SendAll;

namespace {
String Parent(const String& path) {
    const std::size_t slash = path.rfind('/');
    return slash == 0 || slash == String::npos ? String("/") : path.substr(0, slash);
}

String BaseName(const String& path) { return path.substr(path.rfind('/') + 1); }

}  // namespace

struct TFtpLoopbackServer::TSession {
    int Control = -1;
    String Cwd = "/";
    bool LoggedIn = false;
    String User;
    String RenameFrom;
    int PassiveListen = -1;
    Word ActivePort = 0;

    // The data connection the last PASV/EPSV/PORT/EPRT prepared.
    int OpenData() {
        int fd = -1;
        if (PassiveListen >= 0) {
            pollfd p{PassiveListen, POLLIN, 0};
            if (::poll(&p, 1, 10000) > 0) fd = ::accept4(PassiveListen, nullptr, nullptr, SOCK_CLOEXEC);
            ::close(PassiveListen);
            PassiveListen = -1;
        } else if (ActivePort) {
            fd = ConnectLoopback(ActivePort);
            ActivePort = 0;
        }
        return fd;
    }
};

TFtpLoopbackServer::TFtpLoopbackServer(const String& user, const String& password)
    : FUser(user), FPassword(password) {
    FDirs.insert("/");
    StartListening(4);
}

TFtpLoopbackServer::~TFtpLoopbackServer() { StopListening(); }

void TFtpLoopbackServer::AddFile(const String& path, const String& content) {
    std::lock_guard<std::mutex> lock(FLock);
    for (String dir = Parent(path); FDirs.insert(dir).second && dir != "/"; dir = Parent(dir)) {
    }
    FFiles[path] = content;
}

void TFtpLoopbackServer::AddDir(const String& path) {
    std::lock_guard<std::mutex> lock(FLock);
    for (String dir = path; FDirs.insert(dir).second && dir != "/"; dir = Parent(dir)) {
    }
}

bool TFtpLoopbackServer::HasFile(const String& path) const {
    std::lock_guard<std::mutex> lock(FLock);
    return FFiles.count(path) != 0;
}

bool TFtpLoopbackServer::HasDir(const String& path) const {
    std::lock_guard<std::mutex> lock(FLock);
    return FDirs.count(path) != 0;
}

String TFtpLoopbackServer::FileContent(const String& path) const {
    std::lock_guard<std::mutex> lock(FLock);
    auto it = FFiles.find(path);
    return it == FFiles.end() ? String() : it->second;
}

void TFtpLoopbackServer::HoldFile(const String& path, std::size_t bytes) {
    std::lock_guard<std::mutex> lock(FLock);
    FHeld[path] = bytes;
}

void TFtpLoopbackServer::Release() {
    {
        std::lock_guard<std::mutex> lock(FLock);
        FReleased = true;
    }
    FChanged.notify_all();
}

std::vector<String> TFtpLoopbackServer::Commands() const {
    std::lock_guard<std::mutex> lock(FLock);
    return FCommands;
}

String TFtpLoopbackServer::Resolve(const String& cwd, const String& arg) const {
    const String joined = arg.empty() ? cwd : arg[0] == '/' ? arg : (cwd == "/" ? "/" + arg : cwd + "/" + arg);
    std::vector<String> parts;
    std::size_t pos = 0;
    while (pos <= joined.size()) {
        std::size_t end = joined.find('/', pos);
        if (end == String::npos) end = joined.size();
        const String part = joined.substr(pos, end - pos);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        pos = end + 1;
    }
    String out;
    for (const String& p : parts) out += "/" + p;
    return out.empty() ? String("/") : out;
}

String TFtpLoopbackServer::Listing(const String& dir, const String&) const {
    String out;
    for (const String& d : FDirs)
        if (d != "/" && Parent(d) == dir) out += "drwxr-xr-x 2 owner group 0 Jan 02 2020 " + BaseName(d) + "\r\n";
    for (const auto& [path, content] : FFiles)
        if (Parent(path) == dir)
            out += "-rw-r--r-- 1 owner group " + std::to_string(content.size()) + " Mar 05 2021 " +
                   BaseName(path) + "\r\n";
    return out;
}

void TFtpLoopbackServer::ServeConnection(int fd) {
    TSession s;
    s.Control = fd;
    auto reply = [fd](const String& text) { return SendAll(fd, text + "\r\n"); };
    reply("220 Velmor test server ready");
    String buffer;
    char chunk[4096];
    for (;;) {
        std::size_t eol;
        while ((eol = buffer.find("\r\n")) == String::npos) {
            const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
            if (n <= 0) goto done;
            buffer.append(chunk, static_cast<std::size_t>(n));
        }
        const String line = buffer.substr(0, eol);
        buffer.erase(0, eol + 2);
        {
            std::lock_guard<std::mutex> lock(FLock);
            FCommands.push_back(line);
        }
        const std::size_t space = line.find(' ');
        String cmd = line.substr(0, space);
        for (char& c : cmd) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const String arg = space == String::npos ? String() : line.substr(space + 1);

        if (cmd == "USER") {
            s.User = arg;
            reply("331 Password required for " + arg + ".");
            continue;
        }
        if (cmd == "PASS") {
            s.LoggedIn = s.User == FUser && arg == FPassword;
            reply(s.LoggedIn ? "230 User logged in." : "530 Login incorrect.");
            continue;
        }
        if (cmd == "QUIT") {
            reply("221 Goodbye.");
            break;
        }
        if (!s.LoggedIn) {
            reply("530 Please login with USER and PASS.");
            continue;
        }
        std::unique_lock<std::mutex> lock(FLock);
        if (cmd == "PWD") {
            reply("257 \"" + s.Cwd + "\" is the current directory.");
        } else if (cmd == "CWD") {
            const String target = Resolve(s.Cwd, arg);
            if (FDirs.count(target)) {
                s.Cwd = target;
                reply("250 Directory changed to " + target + ".");
            } else {
                reply("550 " + arg + ": No such directory.");
            }
        } else if (cmd == "TYPE") {
            reply("200 Type set to " + arg + ".");
        } else if (cmd == "SIZE") {
            const auto it = FFiles.find(Resolve(s.Cwd, arg));
            if (it == FFiles.end())
                reply("550 " + arg + ": No such file.");
            else
                reply("213 " + std::to_string(it->second.size()));
        } else if (cmd == "MDTM") {
            reply("550 Not available.");
        } else if (cmd == "PASV" || cmd == "EPSV") {
            if (s.PassiveListen >= 0) ::close(s.PassiveListen);
            Word port = 0;
            s.PassiveListen = ListenLoopback(port, 4);
            if (cmd == "EPSV")
                reply("229 Entering Extended Passive Mode (|||" + std::to_string(port) + "|)");
            else
                reply("227 Entering Passive Mode (127,0,0,1," + std::to_string(port >> 8) + "," +
                      std::to_string(port & 255) + ")");
        } else if (cmd == "PORT" || cmd == "EPRT") {
            unsigned p1 = 0, p2 = 0, port = 0;
            if (cmd == "PORT") {
                unsigned a, b, c, d;
                if (std::sscanf(arg.c_str(), "%u,%u,%u,%u,%u,%u", &a, &b, &c, &d, &p1, &p2) == 6)
                    port = p1 * 256 + p2;
            } else {
                // |proto|address|port|
                const std::size_t last = arg.find_last_of('|', arg.size() - 2);
                if (last != String::npos) port = static_cast<unsigned>(std::atoi(arg.c_str() + last + 1));
            }
            s.ActivePort = static_cast<Word>(port);
            reply(port ? "200 Command okay." : "501 Bad address.");
        } else if (cmd == "LIST" || cmd == "NLST") {
            String dir = s.Cwd;
            String listArg;
            if (!arg.empty() && arg[0] != '-') listArg = arg;
            if (!listArg.empty()) dir = Resolve(s.Cwd, listArg);
            String text;
            if (FDirs.count(dir)) {
                text = Listing(dir, listArg);
            } else if (FFiles.count(dir)) {
                text = "-rw-r--r-- 1 owner group " + std::to_string(FFiles[dir].size()) + " Mar 05 2021 " +
                       BaseName(dir) + "\r\n";
            }
            lock.unlock();
            reply("150 Here comes the directory listing.");
            const int data = s.OpenData();
            if (data < 0) {
                reply("425 Can't open data connection.");
                continue;
            }
            SendAll(data, text);
            ::close(data);
            reply("226 Directory send OK.");
        } else if (cmd == "RETR") {
            const String path = Resolve(s.Cwd, arg);
            if (!FFiles.count(path)) {
                reply("550 " + arg + ": No such file.");
                continue;
            }
            const String content = FFiles[path];
            const auto held = FHeld.find(path);
            const bool hold = held != FHeld.end();
            const std::size_t first = hold ? std::min(held->second, content.size()) : content.size();
            lock.unlock();
            reply("150 Opening BINARY mode data connection for " + arg + ".");
            const int data = s.OpenData();
            if (data < 0) {
                reply("425 Can't open data connection.");
                continue;
            }
            {
                std::lock_guard<std::mutex> l(FLock);
                FOpen.push_back(data);
            }
            bool ok = SendAll(data, content.substr(0, first));
            if (hold) {
                std::unique_lock<std::mutex> l(FLock);
                FChanged.wait(l, [this] { return FStopping || FReleased; });
                ok = ok && !FStopping;
            }
            if (ok) ok = SendAll(data, content.substr(first));
            {
                std::lock_guard<std::mutex> l(FLock);
                FOpen.erase(std::remove(FOpen.begin(), FOpen.end(), data), FOpen.end());
            }
            ::close(data);
            reply(ok ? "226 Transfer complete." : "426 Connection closed; transfer aborted.");
        } else if (cmd == "STOR") {
            const String path = Resolve(s.Cwd, arg);
            if (!FDirs.count(Parent(path))) {
                reply("553 " + arg + ": No such directory.");
                continue;
            }
            lock.unlock();
            reply("150 Ok to send data.");
            const int data = s.OpenData();
            if (data < 0) {
                reply("425 Can't open data connection.");
                continue;
            }
            String content;
            for (;;) {
                const ssize_t n = ::recv(data, chunk, sizeof chunk, 0);
                if (n <= 0) break;
                content.append(chunk, static_cast<std::size_t>(n));
            }
            ::close(data);
            {
                std::lock_guard<std::mutex> l(FLock);
                FFiles[path] = content;
            }
            reply("226 Transfer complete.");
        } else if (cmd == "DELE") {
            const String path = Resolve(s.Cwd, arg);
            if (FFiles.erase(path))
                reply("250 File deleted.");
            else
                reply("550 " + arg + ": No such file.");
        } else if (cmd == "RNFR") {
            const String path = Resolve(s.Cwd, arg);
            if (FFiles.count(path) || FDirs.count(path)) {
                s.RenameFrom = path;
                reply("350 Ready for RNTO.");
            } else {
                reply("550 " + arg + ": No such file or directory.");
            }
        } else if (cmd == "RNTO") {
            const String to = Resolve(s.Cwd, arg);
            if (s.RenameFrom.empty()) {
                reply("503 Bad sequence of commands.");
            } else if (FFiles.count(s.RenameFrom)) {
                FFiles[to] = FFiles[s.RenameFrom];
                FFiles.erase(s.RenameFrom);
                reply("250 Rename successful.");
            } else {
                FDirs.erase(s.RenameFrom);
                FDirs.insert(to);
                reply("250 Rename successful.");
            }
            s.RenameFrom.clear();
        } else if (cmd == "MKD") {
            const String path = Resolve(s.Cwd, arg);
            if (FDirs.count(path) || FFiles.count(path) || !FDirs.count(Parent(path))) {
                reply("550 " + arg + ": Cannot create directory.");
            } else {
                FDirs.insert(path);
                reply("257 \"" + path + "\" created.");
            }
        } else if (cmd == "RMD") {
            const String path = Resolve(s.Cwd, arg);
            const bool empty = std::none_of(FFiles.begin(), FFiles.end(), [&](const auto& f) { return Parent(f.first) == path; }) &&
                               std::none_of(FDirs.begin(), FDirs.end(), [&](const String& d) { return d != "/" && d != path && Parent(d) == path; });
            if (!FDirs.count(path) || path == "/") {
                reply("550 " + arg + ": No such directory.");
            } else if (!empty) {
                reply("550 " + arg + ": Directory not empty.");
            } else {
                FDirs.erase(path);
                reply("250 Directory removed.");
            }
        } else if (cmd == "NOOP") {
            reply("200 NOOP ok.");
        } else if (cmd == "SYST") {
            reply("215 UNIX Type: L8");
        } else {
            reply("502 Command not implemented.");
        }
    }
done:
    if (s.PassiveListen >= 0) ::close(s.PassiveListen);
    std::lock_guard<std::mutex> lock(FLock);
    FOpen.erase(std::remove(FOpen.begin(), FOpen.end(), fd), FOpen.end());
    ::close(fd);
}
