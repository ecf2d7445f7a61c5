#include "framework/testkit/LoopbackServer.h"

#include "framework/testkit/LoopbackSockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QByteArray>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <algorithm>
#include <memory>
#include <cctype>
#include <chrono>
#include <cstring>
#include <functional>
#include <optional>

#include "framework/rtl/StrUtils.h"

namespace {
// The secure servers' key and certificates, made once a run: all for
// 127.0.0.1, signed by themselves (no authority vouches for them), with
// dates the client accepts (2000-2099) or must refuse unless told to
// ignore them (2000-2001, expired; from 2090, not yet valid).
struct TTestCredentials {
    String Key;
    String Valid, Expired, NotYetValid;
};

String PemOf(BIO* bio) {
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    return size > 0 ? String(data, static_cast<std::size_t>(size)) : String();
}

String MakeCertificate(EVP_PKEY* key, long serial, const char* name, const char* from, const char* to) {
    X509* x = X509_new();
    X509_set_version(x, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(x), serial);
    ASN1_TIME_set_string_X509(X509_getm_notBefore(x), from);
    ASN1_TIME_set_string_X509(X509_getm_notAfter(x), to);
    X509_NAME* subject = X509_get_subject_name(x);
    X509_NAME_add_entry_by_txt(subject, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(name), -1, -1, 0);
    X509_set_issuer_name(x, subject);
    X509_set_pubkey(x, key);
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, x, x, nullptr, nullptr, 0);
    for (const auto& [nid, value] : {std::pair{NID_subject_alt_name, "IP:127.0.0.1"},
                                     std::pair{NID_basic_constraints, "critical,CA:FALSE"}}) {
        if (X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value)) {
            X509_add_ext(x, ext, -1);
            X509_EXTENSION_free(ext);
        }
    }
    X509_sign(x, key, EVP_sha256());
    BIO* bio = BIO_new(BIO_s_mem());
    PEM_write_bio_X509(bio, x);
    String pem = PemOf(bio);
    BIO_free(bio);
    X509_free(x);
    return pem;
}

const TTestCredentials& Credentials() {
    static const TTestCredentials made = [] {
        TTestCredentials c;
        EVP_PKEY* key = EVP_EC_gen("P-256");
        BIO* bio = BIO_new(BIO_s_mem());
        PEM_write_bio_PrivateKey(bio, key, nullptr, nullptr, 0, nullptr, nullptr);
        c.Key = PemOf(bio);
        BIO_free(bio);
        c.Valid = MakeCertificate(key, 1, "Velmor loopback test", "20000101000000Z", "20991231235959Z");
        c.Expired = MakeCertificate(key, 2, "Velmor loopback test (expired)", "20000101000000Z", "20010101000000Z");
        c.NotYetValid =
            MakeCertificate(key, 3, "Velmor loopback test (not yet valid)", "20900101000000Z", "20991231235959Z");
        EVP_PKEY_free(key);
        return c;
    }();
    return made;
}

// One accepted connection, plain or under TLS.
class TConnection {
public:
    // `certificate`: the PEM text a secure connection shows; null for a
    // plain one.
    TConnection(int fd, const char* certificate) : FFd(fd) {
        if (!certificate) return;
        FTls = std::make_unique<QSslSocket>();
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.setLocalCertificate(QSslCertificate(QByteArray(certificate)));
        config.setPrivateKey(QSslKey(QByteArray::fromStdString(Credentials().Key), QSsl::Ec));
        config.setPeerVerifyMode(QSslSocket::VerifyNone);
        FTls->setSslConfiguration(config);
        // The socket takes the descriptor over, and closes it in the end.
        if (!FTls->setSocketDescriptor(fd)) return;
        FTls->startServerEncryption();
        FOk = FTls->waitForEncrypted(10000);
    }
    ~TConnection() {
        if (!FTls) {
            ::close(FFd);
            return;
        }
        FTls->disconnectFromHost();
        if (FTls->state() != QAbstractSocket::UnconnectedState) FTls->waitForDisconnected(2000);
    }
    bool Ok() const { return FOk; }
    ssize_t Recv(char* buf, std::size_t size) {
        if (!FTls) return ::recv(FFd, buf, size, 0);
        if (!FOk) return 0;
        if (FTls->bytesAvailable() == 0 && !FTls->waitForReadyRead(10000)) return 0;
        return static_cast<ssize_t>(FTls->read(buf, static_cast<qint64>(size)));
    }
    // False once the client has gone.
    bool SendAll(const String& data) {
        if (FTls) {
            if (!FOk) return false;
            FTls->write(data.data(), static_cast<qint64>(data.size()));
            while (FTls->bytesToWrite() > 0)
                if (!FTls->waitForBytesWritten(10000)) return false;
            return FTls->state() == QAbstractSocket::ConnectedState;
        }
        return velmor_internal::SendAll(FFd, data);
    }
    // Tells the client the answer is complete and waits for it to let go,
    // so it reads everything first.
    void Finish() {
        if (FTls) return;
        ::shutdown(FFd, SHUT_WR);
        char buf[1024];
        while (::recv(FFd, buf, sizeof buf, 0) > 0) {
        }
    }

private:
    int FFd;
    bool FOk = true;
    std::unique_ptr<QSslSocket> FTls;
};

// What a misbehaving script may do: send, and wait without holding up the
// server's end.
struct TScript {
    TConnection& Connection;
    String Target;
    std::function<bool(int ms)> Pause;  // false once the server is ending
    bool Send(const String& data) { return Connection.SendAll(data); }
};

using TMisbehaviour = TLoopbackServer::TMisbehaviour;

// Every misbehaviour of the test servers, one row a case.
const struct {
    TMisbehaviour How;
    void (*Run)(TScript& s);
} Misbehaviours[] = {
    {TMisbehaviour::EndlessHeaders,
     [](TScript& s) {
         if (!s.Send("HTTP/1.1 200 OK\r\n")) return;
         const String filler(60, 'h');
         for (long i = 0; s.Send("X-Filler-" + std::to_string(i) + ": " + filler + "\r\n"); ++i) {
         }
     }},
    {TMisbehaviour::EndlessBody,
     [](TScript& s) {
         if (!s.Send("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n")) return;
         const String block(64 * 1024, 'b');
         while (s.Send(block)) {
         }
     }},
    {TMisbehaviour::ShortBody,
     [](TScript& s) { s.Send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\n0123456789"); }},
    {TMisbehaviour::AbsurdLength,
     [](TScript& s) {
         s.Send("HTTP/1.1 200 OK\r\nContent-Length: 184467440737095516160000\r\nConnection: close\r\n\r\n"
                "0123456789");
     }},
    {TMisbehaviour::UnreadableLength,
     [](TScript& s) { s.Send("HTTP/1.1 200 OK\r\nContent-Length: ten\r\nConnection: close\r\n\r\n0123456789"); }},
    {TMisbehaviour::Trickle,
     [](TScript& s) {
         if (!s.Send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\n")) return;
         for (int i = 0; i < 1000 && s.Send("t"); ++i)
             if (!s.Pause(1000)) return;
     }},
    {TMisbehaviour::Silent,
     [](TScript& s) {
         while (s.Pause(60000)) {
         }
     }},
    {TMisbehaviour::RedirectLoop,
     [](TScript& s) {
         s.Send("HTTP/1.1 302 Found\r\nLocation: " + s.Target + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
     }},
    {TMisbehaviour::RedirectToFile,
     [](TScript& s) {
         s.Send("HTTP/1.1 302 Found\r\nLocation: file:///etc/passwd\r\nContent-Length: 0\r\nConnection: "
                "close\r\n\r\n");
     }},
};
}  // namespace

void TLoopbackServer::Misbehave(const String& target, TMisbehaviour how) {
    std::lock_guard<std::mutex> lock(FLock);
    FMisbehaving[target] = how;
}

String TLoopbackServer::TRequest::Header(const String& name) const {
    for (const auto& [n, v] : Headers)
        if (SameText(n, name)) return v;
    return String();
}

bool TLoopbackServer::TRequest::Has(const String& name) const {
    for (const auto& h : Headers)
        if (SameText(h.first, name)) return true;
    return false;
}

TLoopbackServer::TLoopbackServer(bool secure, TCertificate certificate)
    : FSecure(secure), FCertificate(certificate) {
    StartListening(16);
}

TLoopbackServer::~TLoopbackServer() { StopListening(); }

String TLoopbackServer::HostPort() const { return "127.0.0.1:" + std::to_string(Port()); }

String TLoopbackServer::Url(const String& path) const {
    return (FSecure ? "https://" : "http://") + HostPort() + path;
}

void TLoopbackServer::Serve(const String& target, const String& rawResponse) {
    std::lock_guard<std::mutex> lock(FLock);
    FRoutes[target] = rawResponse;
}

void TLoopbackServer::ServeAndHold(const String& target, const String& head) {
    std::lock_guard<std::mutex> lock(FLock);
    FHeld[target] = head;
}

void TLoopbackServer::Release() {
    {
        std::lock_guard<std::mutex> lock(FLock);
        FReleased = true;
    }
    FChanged.notify_all();
}

String TLoopbackServer::Response(int code, const String& reason, const String& body, const String& headers) {
    return "HTTP/1.1 " + std::to_string(code) + " " + reason + "\r\n" + headers +
           "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

std::vector<TLoopbackServer::TRequest> TLoopbackServer::Requests() const {
    std::lock_guard<std::mutex> lock(FLock);
    return FRequests;
}

bool TLoopbackServer::WaitForRequests(std::size_t count) const {
    std::unique_lock<std::mutex> lock(FLock);
    return FChanged.wait_for(lock, std::chrono::seconds(20), [&] { return FRequests.size() >= count; });
}

void TLoopbackServer::ServeConnection(int fd) {
    const char* certificate = !FSecure                                   ? nullptr
                              : FCertificate == TCertificate::Expired     ? Credentials().Expired.c_str()
                              : FCertificate == TCertificate::NotYetValid ? Credentials().NotYetValid.c_str()
                                                                          : Credentials().Valid.c_str();
    auto conn = std::make_unique<TConnection>(fd, certificate);
    String data;
    char buf[8192];
    std::size_t headEnd = String::npos;
    while ((headEnd = data.find("\r\n\r\n")) == String::npos) {
        const ssize_t n = conn->Recv(buf, sizeof buf);
        if (n <= 0) break;
        data.append(buf, static_cast<std::size_t>(n));
        // Not HTTP (a TLS handshake, say): answer as a plain server does,
        // so the client learns it at once instead of waiting for us.
        if (!std::isupper(static_cast<unsigned char>(data[0]))) break;
    }
    TRequest request;
    if (headEnd != String::npos) {
        const String head = data.substr(0, headEnd);
        std::size_t pos = head.find("\r\n");
        const String line = head.substr(0, pos);
        const std::size_t s1 = line.find(' '), s2 = line.rfind(' ');
        request.Method = line.substr(0, s1);
        if (s1 != String::npos && s2 > s1) {
            request.Target = line.substr(s1 + 1, s2 - s1 - 1);
            request.Version = line.substr(s2 + 1);
        }
        while (pos != String::npos && pos < head.size()) {
            const std::size_t next = head.find("\r\n", pos + 2);
            const String h = head.substr(pos + 2, next == String::npos ? String::npos : next - pos - 2);
            pos = next;
            const std::size_t colon = h.find(':');
            if (colon == String::npos) continue;
            std::size_t v = colon + 1;
            while (v < h.size() && h[v] == ' ') ++v;
            request.Headers.emplace_back(h.substr(0, colon), h.substr(v));
        }
        request.Body = data.substr(headEnd + 4);
        const String length = request.Header("Content-Length");
        const std::size_t want = length.empty() ? 0 : std::strtoul(length.c_str(), nullptr, 10);
        while (request.Body.size() < want) {
            const ssize_t n = conn->Recv(buf, sizeof buf);
            if (n <= 0) break;
            request.Body.append(buf, static_cast<std::size_t>(n));
        }
    }
    // A proxy is asked for the whole URL; the route is its path.
    String target = request.Target;
    if (target.compare(0, 7, "http://") == 0) {
        const std::size_t slash = target.find('/', 7);
        target = slash == String::npos ? String("/") : target.substr(slash);
    }
    const String path = target.substr(0, target.find('?'));
    String response;
    bool hold = false;
    std::optional<TMisbehaviour> misbehaviour;
    if (headEnd == String::npos) {
        response = Response(400, "Bad Request", "");
    } else {
        std::lock_guard<std::mutex> lock(FLock);
        FRequests.push_back(request);
        if (auto m = FMisbehaving.find(target); m != FMisbehaving.end()) {
            misbehaviour = m->second;
        } else if (auto m2 = FMisbehaving.find(path); m2 != FMisbehaving.end()) {
            misbehaviour = m2->second;
        } else if (auto it = FHeld.find(target); it != FHeld.end()) {
            response = it->second, hold = true;
        } else if (auto it2 = FHeld.find(path); it2 != FHeld.end()) {
            response = it2->second, hold = true;
        } else if (auto it3 = FRoutes.find(target); it3 != FRoutes.end()) {
            response = it3->second;
        } else if (auto it4 = FRoutes.find(path); it4 != FRoutes.end()) {
            response = it4->second;
        } else {
            response = Response(404, "Not Found", "<html>no such page</html>");
        }
    }
    FChanged.notify_all();
    if (misbehaviour) {
        TScript script{*conn, target, [this](int ms) {
                           std::unique_lock<std::mutex> lock(FLock);
                           return !FChanged.wait_for(lock, std::chrono::milliseconds(ms), [this] { return FStopping; });
                       }};
        for (const auto& row : Misbehaviours)
            if (row.How == *misbehaviour) row.Run(script);
    } else {
        conn->SendAll(response);
    }
    if (hold) {
        std::unique_lock<std::mutex> lock(FLock);
        FChanged.wait(lock, [this] { return FStopping || FReleased; });
    }
    conn->Finish();
    {
        std::lock_guard<std::mutex> lock(FLock);
        FOpen.erase(std::remove(FOpen.begin(), FOpen.end(), fd), FOpen.end());
    }
    conn.reset();
}
