#include "framework/inet/HttpRequest.h"

#include <arpa/inet.h>
#include <curl/curl.h>
#include <netinet/in.h>
#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>
#include <sys/socket.h>

#include <cctype>
#include <cstdint>
#include <cstring>

#include "framework/inet/CurlTransfer.h"
#include "framework/inet/HttpConnection.h"
#include "framework/inet/InetErrors.h"
#include "framework/inet/InetSession.h"
#include "framework/inet/UrlParts.h"
#include "framework/rtl/StrUtils.h"

namespace {
String NameOf(const String& line) {
    const std::size_t colon = line.find(':');
    String name = line.substr(0, colon);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

// The certificate checks a request waives, kept with each TLS context the
// transport makes for it.
int WaiverIndex() {
    static const int index = SSL_CTX_get_ex_new_index(0, nullptr, nullptr, nullptr, nullptr);
    return index;
}

// Whether the waivers excuse this fault of the server's certificate: an
// unknown or untrusted authority, or a date the certificate is not valid
// at (expired or not yet valid). Nothing else is ever excused.
bool Waived(DWORD waivers, int fault) {
    switch (fault) {
        case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
        case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
        case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
        case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
        case X509_V_ERR_CERT_UNTRUSTED:
            return (waivers & SECURITY_FLAG_IGNORE_UNKNOWN_CA) != 0;
        case X509_V_ERR_CERT_HAS_EXPIRED:
        case X509_V_ERR_CERT_NOT_YET_VALID:
            return (waivers & SECURITY_FLAG_IGNORE_CERT_DATE_INVALID) != 0;
        default:
            return false;
    }
}

// The TLS library's verdict on each fault it finds in the server's chain.
// A waived fault is cleared, so the verification goes on to the next check
// and its final result stays good.
int VerifyCertificate(int ok, X509_STORE_CTX* store) {
    if (ok) return 1;
    auto* ssl = static_cast<SSL*>(X509_STORE_CTX_get_ex_data(store, SSL_get_ex_data_X509_STORE_CTX_idx()));
    if (!ssl) return 0;
    const auto waivers = static_cast<DWORD>(
        reinterpret_cast<std::uintptr_t>(SSL_CTX_get_ex_data(SSL_get_SSL_CTX(ssl), WaiverIndex())));
    if (!Waived(waivers, X509_STORE_CTX_get_error(store))) return 0;
    X509_STORE_CTX_set_error(store, X509_V_OK);
    return 1;
}

String Trimmed(const String& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r' || s[e - 1] == '\n')) --e;
    return s.substr(b, e - b);
}

// A Content-Length that can be held to: digits only, within 63 bits. A
// list of one number ("10, 10", from a header sent twice) is that number.
bool ReadableLength(const String& value) {
    String first;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t comma = value.find(',', pos);
        const String digits = Trimmed(value.substr(pos, comma == String::npos ? String::npos : comma - pos));
        if (digits.empty() || digits.size() > 19) return false;
        for (char c : digits)
            if (c < '0' || c > '9') return false;
        if (digits.size() == 19 && digits > "9223372036854775807") return false;
        if (!first.empty() && digits != first) return false;
        first = digits;
        if (comma == String::npos) return true;
        pos = comma + 1;
    }
}

}  // namespace

struct THttpRequest::TState {
    CURL* Easy = nullptr;
    CURLM* Multi = nullptr;
    curl_slist* Headers = nullptr;
    std::unique_ptr<TCurlTransfer> Transfer;
    String Body;
    bool Secure = false;         // the scheme of the response being read
    String Location;             // of the response being read
    bool Resolved = false;
    bool Connected = false;
    bool Answered = false;
    std::size_t HeaderBytes = 0;  // of the response being read

    ~TState() { Clear(); }
    void Clear() {
        Transfer.reset();
        if (Easy) curl_easy_cleanup(Easy);
        Easy = nullptr;
        if (Headers) curl_slist_free_all(Headers);
        Headers = nullptr;
    }
};

// The transport's callbacks, with access to the request.
struct THttpCallbacks {
    static size_t Header(char* data, size_t size, size_t count, void* user) {
        auto* r = static_cast<THttpRequest*>(user);
        return r->HeaderLine(data, size * count) ? size * count : 0;
    }
    static int ResolverStart(void*, void*, void* user) {
        auto* r = static_cast<THttpRequest*>(user);
        const auto& conn = static_cast<THttpConnection&>(*r->FParent);
        conn.Session().Notify(INTERNET_STATUS_RESOLVING_NAME, conn.Host().c_str());
        return 0;
    }
    static curl_socket_t OpenSocket(void* user, curlsocktype, curl_sockaddr* address) {
        auto* r = static_cast<THttpRequest*>(user);
        auto& session = static_cast<THttpConnection&>(*r->FParent).Session();
        char ip[64] = {};
        if (address->family == AF_INET)
            inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(&address->addr)->sin_addr, ip, sizeof ip);
        else if (address->family == AF_INET6)
            inet_ntop(AF_INET6, &reinterpret_cast<sockaddr_in6*>(&address->addr)->sin6_addr, ip, sizeof ip);
        if (!r->FState->Resolved) {
            r->FState->Resolved = true;
            session.Notify(INTERNET_STATUS_NAME_RESOLVED, ip);
        }
        session.Notify(INTERNET_STATUS_CONNECTING_TO_SERVER, ip);
        return socket(address->family, address->socktype, address->protocol);
    }
    // Every new TLS context verifies through VerifyCertificate, with the
    // request's waivers.
    static CURLcode PrepareTls(CURL*, void* context, void* waivers) {
        auto* ctx = static_cast<SSL_CTX*>(context);
        if (!SSL_CTX_set_ex_data(ctx, WaiverIndex(), waivers)) return CURLE_SSL_CERTPROBLEM;
        SSL_CTX_set_verify(ctx, SSL_VERIFY_PEER, VerifyCertificate);
        return CURLE_OK;
    }
    static int BeforeRequest(void* user, char* ip, char*, int, int) {
        auto* r = static_cast<THttpRequest*>(user);
        auto& session = static_cast<THttpConnection&>(*r->FParent).Session();
        if (!r->FState->Connected) {
            r->FState->Connected = true;
            session.Notify(INTERNET_STATUS_CONNECTED_TO_SERVER, ip);
        }
        session.Notify(INTERNET_STATUS_SENDING_REQUEST, nullptr);
        r->FState->Answered = false;
        return CURL_PREREQFUNC_OK;
    }
};

THttpRequest::~THttpRequest() {
    if (FState) {
        std::lock_guard<std::mutex> lock(Lock());
        FState->Clear();
    }
    if (FState && FState->Multi) curl_multi_cleanup(FState->Multi);
}

std::shared_ptr<THttpRequest> THttpRequest::Open(const std::shared_ptr<THttpConnection>& connection,
                                                 const String& verb, const String& path,
                                                 const String& version, const String& referer,
                                                 const String& accept, DWORD flags) {
    if (!connection || connection->Closed()) {
        InetSetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    CurlGlobalInit();
    std::shared_ptr<THttpRequest> request(new THttpRequest);
    request->FState = std::make_unique<TState>();
    request->FState->Multi = curl_multi_init();
    if (!request->FState->Multi) {
        InetSetLastError(ERROR_INTERNET_OUT_OF_HANDLES);
        return nullptr;
    }
    request->FVerb = verb.empty() ? String("GET") : verb;
    request->FPath = path.empty() ? String("/") : path;
    request->FVersion = version;
    request->FReferer = referer;
    request->FAccept = accept;
    request->FFlags = flags;
    // A request starts with the certificate checks its open flags waive.
    request->FSecurityFlags =
        flags & (SECURITY_FLAG_IGNORE_CERT_CN_INVALID | SECURITY_FLAG_IGNORE_CERT_DATE_INVALID);
    if (!request->Attach(connection)) {
        InetSetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return request;
}

bool THttpRequest::AddHeaders(const String& lines, DWORD modifiers) {
    if (!CheckOpen()) return false;
    std::size_t pos = 0;
    while (pos <= lines.size()) {
        std::size_t end = lines.find_first_of("\r\n", pos);
        const String line = lines.substr(pos, end == String::npos ? String::npos : end - pos);
        if (!Trimmed(line).empty()) {
            if (line.find(':') == String::npos) {
                InetSetLastError(ERROR_INVALID_PARAMETER);
                return false;
            }
            bool replaced = false;
            if (modifiers & HTTP_ADDREQ_FLAG_REPLACE) {
                for (String& old : FAdded)
                    if (SameText(NameOf(old), NameOf(line))) {
                        old = line;
                        replaced = true;
                        break;
                    }
            }
            if (!replaced) FAdded.push_back(line);
        }
        if (end == String::npos) break;
        pos = end + 1;
    }
    return true;
}

void THttpRequest::SetProxyCredentials(const String& user, const String& password) {
    FProxyUser = user;
    FProxyPassword = password;
}

Int64 THttpRequest::ContentLength() const {
    String value;
    if (!QueryHeader("Content-Length", value)) return -1;
    try {
        return std::stoll(value);
    } catch (...) {
        return -1;
    }
}

bool THttpRequest::QueryHeader(const String& name, String& value) const {
    for (std::size_t i = 1; i < FHeaders.size(); ++i) {
        const std::size_t colon = FHeaders[i].find(':');
        if (colon == String::npos) continue;
        if (SameText(NameOf(FHeaders[i]), name)) {
            value = Trimmed(FHeaders[i].substr(colon + 1));
            return true;
        }
    }
    InetSetLastError(ERROR_HTTP_HEADER_NOT_FOUND);
    return false;
}

bool THttpRequest::HeaderLine(const char* data, std::size_t size) {
    if (Closed()) return false;
    String line(data, size);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    auto& session = static_cast<THttpConnection&>(*FParent).Session();
    const bool statusLine = line.compare(0, 5, "HTTP/") == 0;
    // A server that never ends its headers is cut off at the session's
    // bound, before it costs more memory.
    FState->HeaderBytes = (statusLine ? 0 : FState->HeaderBytes) + size;
    if (session.MaxHeaderBytes && FState->HeaderBytes > session.MaxHeaderBytes) {
        FState->Transfer->AbortError = ERROR_HTTP_INVALID_SERVER_RESPONSE;
        return false;
    }
    if (statusLine) {
        // Each response (an interim one, each redirect) starts afresh.
        if (!FState->Answered) {
            FState->Answered = true;
            session.Notify(INTERNET_STATUS_REQUEST_SENT, nullptr);
            session.Notify(INTERNET_STATUS_RECEIVING_RESPONSE, nullptr);
            session.Notify(INTERNET_STATUS_RESPONSE_RECEIVED, nullptr);
        }
        FHeaders.assign(1, line);
        FState->Location.clear();
        const std::size_t blank = line.find(' ');
        FStatusCode = blank == String::npos ? 0 : std::atoi(line.c_str() + blank + 1);
        return true;
    }
    if (FHeaders.empty()) return true;
    if (!line.empty()) {
        FHeaders.push_back(line);
        const String name = NameOf(line);
        if (SameText(name, "Location")) FState->Location = Trimmed(line.substr(line.find(':') + 1));
        // The transport reads a length past 64 bits as none and would take
        // whatever came before the connection closed as the whole body.
        if (SameText(name, "Content-Length") && !ReadableLength(line.substr(line.find(':') + 1))) {
            FState->Transfer->AbortError = ERROR_INTERNET_CONNECTION_RESET;
            return false;
        }
        return true;
    }
    // The end of one response's headers.
    if (FStatusCode >= 100 && FStatusCode < 200) {
        session.Notify(INTERNET_STATUS_INTERMEDIATE_RESPONSE, nullptr);
        FState->Answered = false;
        return true;
    }
    const bool redirect = FStatusCode >= 300 && FStatusCode < 400 && FStatusCode != 304 &&
                          !FState->Location.empty() && !(FFlags & INTERNET_FLAG_NO_AUTO_REDIRECT);
    if (redirect) {
        TUrlParts target;
        bool secure = FState->Secure;
        if (CrackUrl(FState->Location, target) && target.SchemeNumber != INTERNET_SCHEME_UNKNOWN)
            secure = target.SchemeNumber == INTERNET_SCHEME_HTTPS;
        // Leaving or entering a secure site on the server's say-so is
        // refused unless the request waived that check.
        if (FState->Secure && !secure && !(FFlags & INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP)) {
            FState->Transfer->AbortError = ERROR_INTERNET_HTTPS_TO_HTTP_ON_REDIR;
            return false;
        }
        if (!FState->Secure && secure && !(FFlags & INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS)) {
            FState->Transfer->AbortError = ERROR_INTERNET_HTTP_TO_HTTPS_ON_REDIR;
            return false;
        }
        FState->Secure = secure;
        session.Notify(INTERNET_STATUS_REDIRECT, FState->Location.c_str());
        FState->Answered = false;
        return true;
    }
    FHeadersDone = true;
    return true;
}

bool THttpRequest::Send(const char* data, std::size_t length) {
    if (!CheckOpen()) return false;
    const auto& conn = static_cast<THttpConnection&>(*FParent);
    const TInetSession& session = conn.Session();
    {
        std::lock_guard<std::mutex> lock(Lock());
        FState->Clear();
        FState->Easy = curl_easy_init();
    }
    CURL* easy = FState->Easy;
    if (!easy) {
        InetSetLastError(ERROR_INTERNET_OUT_OF_HANDLES);
        return false;
    }
    FStatusCode = 0;
    FHeaders.clear();
    FHeadersDone = false;
    FSent = true;
    FState->Secure = (FFlags & INTERNET_FLAG_SECURE) != 0;
    FState->Resolved = FState->Connected = FState->Answered = false;
    FState->Body.assign(data ? data : "", data ? length : 0);

    const char* scheme = FState->Secure ? "https" : "http";
    const String url = String(scheme) + "://" + conn.Host() + ":" + std::to_string(conn.Port()) +
                       EscapeUrlPath(FPath);
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    if (!session.Agent().empty()) curl_easy_setopt(easy, CURLOPT_USERAGENT, session.Agent().c_str());
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION,
                     FVersion == "HTTP/1.0" ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    if (!FReferer.empty()) curl_easy_setopt(easy, CURLOPT_REFERER, FReferer.c_str());
    if (!conn.User().empty()) {
        curl_easy_setopt(easy, CURLOPT_USERNAME, conn.User().c_str());
        curl_easy_setopt(easy, CURLOPT_PASSWORD, conn.Password().c_str());
        curl_easy_setopt(easy, CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
    }

    const bool hasBody = !FState->Body.empty() || (FVerb != "GET" && FVerb != "HEAD");
    if (FVerb == "HEAD") {
        curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    } else if (!hasBody) {
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    } else {
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, FState->Body.data());
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(FState->Body.size()));
        if (FVerb != "POST") curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, FVerb.c_str());
    }
    if (FVerb != "GET" && FVerb != "HEAD" && FVerb != "POST" && !hasBody)
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, FVerb.c_str());

    // Headers: the caller's, and nothing the caller did not ask for.
    auto has = [&](const char* name) {
        for (const String& line : FAdded)
            if (SameText(NameOf(line), name)) return true;
        return false;
    };
    curl_slist* headers = nullptr;
    for (const String& line : FAdded) headers = curl_slist_append(headers, line.c_str());
    if (!has("Accept"))
        headers = curl_slist_append(headers, FAccept.empty() ? "Accept:" : ("Accept: " + FAccept).c_str());
    if (hasBody && !has("Content-Type")) headers = curl_slist_append(headers, "Content-Type:");
    headers = curl_slist_append(headers, "Expect:");
    if ((FFlags & INTERNET_FLAG_PRAGMA_NOCACHE) && !has("Pragma"))
        headers = curl_slist_append(headers, "Pragma: no-cache");
    if ((FFlags & INTERNET_FLAG_KEEP_CONNECTION) && !has("Connection"))
        headers = curl_slist_append(headers, "Connection: Keep-Alive");
    FState->Headers = headers;
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);

    if (!(FFlags & INTERNET_FLAG_NO_COOKIES)) {
        curl_easy_setopt(easy, CURLOPT_SHARE, CurlCookieShare());
        curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
    }
    if (!(FFlags & INTERNET_FLAG_NO_AUTO_REDIRECT)) {
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
    }
    switch (session.AccessType()) {
        case INTERNET_OPEN_TYPE_DIRECT: curl_easy_setopt(easy, CURLOPT_PROXY, ""); break;
        case INTERNET_OPEN_TYPE_PROXY: {
            const String proxy = session.ProxyFor(scheme);
            curl_easy_setopt(easy, CURLOPT_PROXY, proxy.empty() ? "" : ("http://" + proxy).c_str());
            const String bypass = session.NoProxyList();
            if (!bypass.empty()) curl_easy_setopt(easy, CURLOPT_NOPROXY, bypass.c_str());
            break;
        }
        default: break;
    }
    if (!FProxyUser.empty()) curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, FProxyUser.c_str());
    if (!FProxyPassword.empty()) curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, FProxyPassword.c_str());
    // The server's certificate is always verified; the waivers excuse only
    // the faults they name (VerifyCertificate). The name is the transport's
    // own check.
    const bool waiving = curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, THttpCallbacks::PrepareTls) == CURLE_OK;
    curl_easy_setopt(easy, CURLOPT_SSL_CTX_DATA,
                     reinterpret_cast<void*>(static_cast<std::uintptr_t>(FSecurityFlags)));
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER,
                     waiving || !(FSecurityFlags & SECURITY_FLAG_IGNORE_UNKNOWN_CA) ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST,
                     (FSecurityFlags & SECURITY_FLAG_IGNORE_CERT_CN_INVALID) ? 0L : 2L);
    ApplySessionLimits(easy, session);

    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, THttpCallbacks::Header);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_RESOLVER_START_FUNCTION, THttpCallbacks::ResolverStart);
    curl_easy_setopt(easy, CURLOPT_RESOLVER_START_DATA, this);
    curl_easy_setopt(easy, CURLOPT_OPENSOCKETFUNCTION, THttpCallbacks::OpenSocket);
    curl_easy_setopt(easy, CURLOPT_OPENSOCKETDATA, this);
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, THttpCallbacks::BeforeRequest);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, this);

    {
        std::lock_guard<std::mutex> lock(Lock());
        FState->Transfer = std::make_unique<TCurlTransfer>(easy, FState->Multi);
        FState->Transfer->Cancelled = [this] { return Closed(); };
    }
    TCurlTransfer& t = *FState->Transfer;
    if (!t.Start()) return false;
    if (!t.Drive([this, &t] { return FHeadersDone || !t.In.empty(); })) return false;
    // Once the headers are in, the request has been answered: whatever
    // befalls the body is the reading's failure, not the sending's.
    if (const DWORD error = t.Error(); error && !FHeadersDone) {
        InetSetLastError(error);
        return false;
    }
    if (FHeaders.empty()) {
        InetSetLastError(ERROR_HTTP_INVALID_SERVER_RESPONSE);
        return false;
    }
    return true;
}

bool THttpRequest::QueryDataAvailable(DWORD& bytes) {
    bytes = 0;
    if (!CheckOpen()) return false;
    if (!FSent || !FState->Transfer) {
        InetSetLastError(ERROR_INTERNET_INVALID_OPERATION);
        return false;
    }
    TCurlTransfer& t = *FState->Transfer;
    if (!t.Drive([&t] { return !t.In.empty(); })) return false;
    if (t.In.empty()) {
        if (const DWORD error = t.Error()) {
            InetSetLastError(error);
            return false;
        }
    }
    bytes = static_cast<DWORD>(t.In.size());
    return true;
}

bool THttpRequest::Read(void* buffer, DWORD size, DWORD& read) {
    read = 0;
    DWORD available = 0;
    if (!QueryDataAvailable(available)) return false;
    TCurlTransfer& t = *FState->Transfer;
    read = std::min<DWORD>(size, available);
    std::memcpy(buffer, t.In.data(), read);
    t.In.Consume(read);
    return true;
}

void THttpRequest::Wake() {
    if (FState && FState->Multi) curl_multi_wakeup(FState->Multi);
}
