#include "framework/inet/CurlTransfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "framework/inet/InetErrors.h"
#include "framework/inet/InetSession.h"

void CurlGlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_ALL); });
}

namespace {
std::mutex ShareLocks[CURL_LOCK_DATA_LAST];

void LockShare(CURL*, curl_lock_data data, curl_lock_access, void*) { ShareLocks[data].lock(); }
void UnlockShare(CURL*, curl_lock_data data, void*) { ShareLocks[data].unlock(); }

size_t OnWrite(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<TCurlTransfer*>(user);
    if (t->Cancelled && t->Cancelled()) return 0;
    if (t->In.size() >= TCurlTransfer::InHigh) return CURL_WRITEFUNC_PAUSE;
    t->In.append(data, size * count);
    return size * count;
}

size_t OnRead(char* buffer, size_t size, size_t count, void* user) {
    auto* t = static_cast<TCurlTransfer*>(user);
    if (t->Cancelled && t->Cancelled()) return CURL_READFUNC_ABORT;
    if (t->Out.empty()) {
        if (t->OutEof) return 0;
        t->OutWanted = true;
        return CURL_READFUNC_PAUSE;
    }
    const size_t n = std::min(size * count, t->Out.size());
    std::memcpy(buffer, t->Out.data(), n);
    t->Out.erase(0, n);
    return n;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* t = static_cast<TCurlTransfer*>(user);
    return t->Cancelled && t->Cancelled() ? 1 : 0;
}

bool Contains(const char* text, const char* part) { return text && std::strstr(text, part); }
}  // namespace

void* CurlCookieShare() {
    static CURLSH* share = [] {
        CurlGlobalInit();
        CURLSH* s = curl_share_init();
        curl_share_setopt(s, CURLSHOPT_LOCKFUNC, LockShare);
        curl_share_setopt(s, CURLSHOPT_UNLOCKFUNC, UnlockShare);
        curl_share_setopt(s, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
        return s;
    }();
    return share;
}

DWORD MapCurlError(int code, const char* detail) {
    switch (static_cast<CURLcode>(code)) {
        case CURLE_OK: return 0;
        case CURLE_UNSUPPORTED_PROTOCOL: return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
        case CURLE_URL_MALFORMAT: return ERROR_INTERNET_INVALID_URL;
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_RESOLVE_HOST: return ERROR_INTERNET_NAME_NOT_RESOLVED;
        case CURLE_COULDNT_CONNECT: return ERROR_INTERNET_CANNOT_CONNECT;
        case CURLE_OPERATION_TIMEDOUT: return ERROR_INTERNET_TIMEOUT;
        case CURLE_ABORTED_BY_CALLBACK: return ERROR_INTERNET_OPERATION_CANCELLED;
        case CURLE_TOO_MANY_REDIRECTS: return ERROR_HTTP_REDIRECT_FAILED;
        case CURLE_GOT_NOTHING:
        case CURLE_PARTIAL_FILE:
        case CURLE_RECV_ERROR: return ERROR_INTERNET_CONNECTION_RESET;
        case CURLE_SEND_ERROR: return ERROR_INTERNET_CONNECTION_ABORTED;
        case CURLE_WEIRD_SERVER_REPLY:
            // A length that is no number cannot be held to: the body is
            // treated as one that ended early.
            if (Contains(detail, "Content-Length")) return ERROR_INTERNET_CONNECTION_RESET;
            return ERROR_HTTP_INVALID_SERVER_RESPONSE;
        case CURLE_LOGIN_DENIED: return ERROR_INTERNET_LOGIN_FAILURE;
        case CURLE_OUT_OF_MEMORY: return ERROR_INTERNET_OUT_OF_HANDLES;
        case CURLE_PEER_FAILED_VERIFICATION:
            // The transport words the reason only; the numbers the kit
            // reports tell a wrong name and a stale date from a stranger.
            if (Contains(detail, "subject name") || Contains(detail, "does not match"))
                return ERROR_INTERNET_SEC_CERT_CN_INVALID;
            if (Contains(detail, "expired") || Contains(detail, "not yet valid"))
                return ERROR_INTERNET_SEC_CERT_DATE_INVALID;
            return ERROR_INTERNET_INVALID_CA;
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_ISSUER_ERROR: return ERROR_INTERNET_INVALID_CA;
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_INVALIDCERTSTATUS: return ERROR_INTERNET_SEC_INVALID_CERT;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CIPHER:
        case CURLE_USE_SSL_FAILED: return ERROR_INTERNET_SECURITY_CHANNEL_ERROR;
        case CURLE_REMOTE_ACCESS_DENIED:
        case CURLE_FTP_WEIRD_PASS_REPLY:
        case CURLE_FTP_WEIRD_PASV_REPLY:
        case CURLE_FTP_WEIRD_227_FORMAT:
        case CURLE_FTP_CANT_GET_HOST:
        case CURLE_FTP_COULDNT_SET_TYPE:
        case CURLE_FTP_COULDNT_RETR_FILE:
        case CURLE_QUOTE_ERROR:
        case CURLE_UPLOAD_FAILED:
        case CURLE_FTP_PORT_FAILED:
        case CURLE_FTP_COULDNT_USE_REST:
        case CURLE_REMOTE_FILE_NOT_FOUND:
        case CURLE_FTP_ACCEPT_FAILED:
        case CURLE_FTP_PRET_FAILED:
            // A server's refusal: its reply text is the explanation.
            return ERROR_INTERNET_EXTENDED_ERROR;
        default: return ERROR_INTERNET_INTERNAL_ERROR;
    }
}

void ApplySessionLimits(void* handle, const TInetSession& session) {
    CURL* easy = static_cast<CURL*>(handle);
    if (session.ConnectTimeoutMs)
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(session.ConnectTimeoutMs));
    if (session.ReceiveTimeoutMs) {
        // The transport counts in whole seconds and in bytes a second: so
        // many bytes in so many seconds is their quotient, rounded up.
        const long seconds = static_cast<long>((session.ReceiveTimeoutMs + 999) / 1000);
        const long bytes = static_cast<long>(std::max<DWORD>(session.LowSpeedBytes, 1));
        curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, (bytes + seconds - 1) / seconds);
        curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, seconds);
    }
}

TCurlTransfer::TCurlTransfer(void* easy, void* multi) : FEasy(easy), FMulti(multi) {}

TCurlTransfer::~TCurlTransfer() {
    if (FAdded) curl_multi_remove_handle(static_cast<CURLM*>(FMulti), static_cast<CURL*>(FEasy));
}

bool TCurlTransfer::Start() {
    CURL* easy = static_cast<CURL*>(FEasy);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnWrite);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_READFUNCTION, OnRead);
    curl_easy_setopt(easy, CURLOPT_READDATA, this);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, ErrorBuffer);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    ErrorBuffer[0] = 0;
    if (curl_multi_add_handle(static_cast<CURLM*>(FMulti), easy) != CURLM_OK) {
        InetSetLastError(ERROR_INTERNET_INTERNAL_ERROR);
        return false;
    }
    FAdded = true;
    return true;
}

void TCurlTransfer::CollectDone() {
    int left = 0;
    while (CURLMsg* msg = curl_multi_info_read(static_cast<CURLM*>(FMulti), &left)) {
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == FEasy) {
            Done = true;
            Code = msg->data.result;
        }
    }
}

bool TCurlTransfer::Drive(const std::function<bool()>& ready) {
    CURL* easy = static_cast<CURL*>(FEasy);
    CURLM* multi = static_cast<CURLM*>(FMulti);
    for (;;) {
        if (Cancelled && Cancelled()) {
            InetSetLastError(ERROR_INTERNET_OPERATION_CANCELLED);
            return false;
        }
        if (Done || ready()) return true;
        // A paused side goes on once there is room, or bytes, again.
        if (FInPaused && In.size() < InHigh / 2) {
            FInPaused = false;
            curl_easy_pause(easy, CURLPAUSE_CONT);
            // Handing over what it held back may have filled us again.
            if (In.size() >= InHigh) FInPaused = true;
        }
        if (OutWanted && (!Out.empty() || OutEof)) {
            OutWanted = false;
            curl_easy_pause(easy, CURLPAUSE_CONT);
        }
        int running = 0;
        curl_multi_perform(multi, &running);
        CollectDone();
        if (In.size() >= InHigh) FInPaused = true;
        if (Done || ready()) continue;
        if (Cancelled && Cancelled()) continue;
        // With nothing to send the transfer waits for us, not the network.
        if (OutWanted && Out.empty() && !OutEof) return true;
        curl_multi_poll(multi, nullptr, 0, 200, nullptr);
    }
}

void TCurlTransfer::Wake() { curl_multi_wakeup(static_cast<CURLM*>(FMulti)); }

DWORD TCurlTransfer::Error() const {
    if (!Done || Code == CURLE_OK) return 0;
    if (AbortError) return AbortError;
    return MapCurlError(Code, ErrorBuffer);
}
