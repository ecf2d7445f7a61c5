// libcurl and OpenSSL are opened on first use rather than linked: libcurl
// and the libraries it brings (TLS, Kerberos, LDAP, SSH, IDN...) are about
// two dozen shared objects, OpenSSL's among the largest to relocate, that
// the loader would otherwise map and relocate at every start, before the
// first window, though most sessions never go on line.
//
// Each entry point the framework calls is defined here with its own
// signature and forwards to the function of the opened library. When the
// library cannot be opened, the calls fail the way the library reports a
// failed set-up (no handle, CURLE_FAILED_INIT), so a transfer ends with an
// error instead of the program failing to start. OpenSSL's calls are made
// only from libcurl's TLS callbacks, when libcurl has loaded it already.
#include <curl/curl.h>
#include <dlfcn.h>
#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>

#include <cstdarg>
#include <mutex>

namespace {
struct TCurlEntries {
    CURLcode (*GlobalInit)(long) = nullptr;
    curl_version_info_data* (*VersionInfo)(CURLversion) = nullptr;
    CURL* (*EasyInit)() = nullptr;
    void (*EasyCleanup)(CURL*) = nullptr;
    void (*EasyReset)(CURL*) = nullptr;
    CURLcode (*EasySetopt)(CURL*, CURLoption, ...) = nullptr;
    CURLcode (*EasyGetinfo)(CURL*, CURLINFO, ...) = nullptr;
    CURLcode (*EasyPause)(CURL*, int) = nullptr;
    CURLM* (*MultiInit)() = nullptr;
    CURLMcode (*MultiCleanup)(CURLM*) = nullptr;
    CURLMcode (*MultiAddHandle)(CURLM*, CURL*) = nullptr;
    CURLMcode (*MultiRemoveHandle)(CURLM*, CURL*) = nullptr;
    CURLMcode (*MultiPerform)(CURLM*, int*) = nullptr;
    CURLMcode (*MultiPoll)(CURLM*, struct curl_waitfd*, unsigned int, int, int*) = nullptr;
    CURLMcode (*MultiWakeup)(CURLM*) = nullptr;
    CURLMsg* (*MultiInfoRead)(CURLM*, int*) = nullptr;
    CURLSH* (*ShareInit)() = nullptr;
    CURLSHcode (*ShareSetopt)(CURLSH*, CURLSHoption, ...) = nullptr;
    CURLSHcode (*ShareCleanup)(CURLSH*) = nullptr;
    curl_slist* (*SlistAppend)(curl_slist*, const char*) = nullptr;
    void (*SlistFreeAll)(curl_slist*) = nullptr;
};

template <typename F>
bool Bind(void* library, F& entry, const char* name) {
    entry = reinterpret_cast<F>(dlsym(library, name));
    return entry != nullptr;
}

// Opens `soname` once and binds every entry of `entries` with `bind`; the
// entries, or nullptr when the library or one of them is missing. The
// library stays open for the life of the process.
template <typename T, typename B>
const T* OpenOnce(const char* soname, B bind) {
    static T entries;
    static bool bound = false;
    static std::once_flag once;
    std::call_once(once, [&] {
        void* library = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
        if (!library) return;
        T e;
        bound = bind(library, e);
        if (bound) entries = e;
    });
    return bound ? &entries : nullptr;
}

const TCurlEntries* Curl() {
    return OpenOnce<TCurlEntries>("libcurl.so.4", [](void* library, TCurlEntries& e) {
        return Bind(library, e.GlobalInit, "curl_global_init") &&
               Bind(library, e.VersionInfo, "curl_version_info") &&
               Bind(library, e.EasyInit, "curl_easy_init") &&
               Bind(library, e.EasyCleanup, "curl_easy_cleanup") &&
               Bind(library, e.EasyReset, "curl_easy_reset") &&
               Bind(library, e.EasySetopt, "curl_easy_setopt") &&
               Bind(library, e.EasyGetinfo, "curl_easy_getinfo") &&
               Bind(library, e.EasyPause, "curl_easy_pause") &&
               Bind(library, e.MultiInit, "curl_multi_init") &&
               Bind(library, e.MultiCleanup, "curl_multi_cleanup") &&
               Bind(library, e.MultiAddHandle, "curl_multi_add_handle") &&
               Bind(library, e.MultiRemoveHandle, "curl_multi_remove_handle") &&
               Bind(library, e.MultiPerform, "curl_multi_perform") &&
               Bind(library, e.MultiPoll, "curl_multi_poll") &&
               Bind(library, e.MultiWakeup, "curl_multi_wakeup") &&
               Bind(library, e.MultiInfoRead, "curl_multi_info_read") &&
               Bind(library, e.ShareInit, "curl_share_init") &&
               Bind(library, e.ShareSetopt, "curl_share_setopt") &&
               Bind(library, e.ShareCleanup, "curl_share_cleanup") &&
               Bind(library, e.SlistAppend, "curl_slist_append") &&
               Bind(library, e.SlistFreeAll, "curl_slist_free_all");
    });
}

// OpenSSL's calls, from libssl and the libcrypto it depends on (a handle's
// look-up searches the libraries it brought as well).
struct TTlsEntries {
    int (*GetExNewIndex)(int, long, void*, CRYPTO_EX_new*, CRYPTO_EX_dup*, CRYPTO_EX_free*) = nullptr;
    void* (*StoreGetExData)(const X509_STORE_CTX*, int) = nullptr;
    int (*StoreGetError)(const X509_STORE_CTX*) = nullptr;
    void (*StoreSetError)(X509_STORE_CTX*, int) = nullptr;
    int (*StoreIndex)() = nullptr;
    void* (*ContextGetExData)(const SSL_CTX*, int) = nullptr;
    SSL_CTX* (*ContextOf)(const SSL*) = nullptr;
    int (*ContextSetExData)(SSL_CTX*, int, void*) = nullptr;
    void (*ContextSetVerify)(SSL_CTX*, int, SSL_verify_cb) = nullptr;
};

const TTlsEntries* Tls() {
    return OpenOnce<TTlsEntries>("libssl.so.3", [](void* library, TTlsEntries& e) {
        return Bind(library, e.GetExNewIndex, "CRYPTO_get_ex_new_index") &&
               Bind(library, e.StoreGetExData, "X509_STORE_CTX_get_ex_data") &&
               Bind(library, e.StoreGetError, "X509_STORE_CTX_get_error") &&
               Bind(library, e.StoreSetError, "X509_STORE_CTX_set_error") &&
               Bind(library, e.StoreIndex, "SSL_get_ex_data_X509_STORE_CTX_idx") &&
               Bind(library, e.ContextGetExData, "SSL_CTX_get_ex_data") &&
               Bind(library, e.ContextOf, "SSL_get_SSL_CTX") &&
               Bind(library, e.ContextSetExData, "SSL_CTX_set_ex_data") &&
               Bind(library, e.ContextSetVerify, "SSL_CTX_set_verify");
    });
}
}  // namespace

extern "C" {

CURLcode curl_global_init(long flags) {
    const TCurlEntries* c = Curl();
    return c ? c->GlobalInit(flags) : CURLE_FAILED_INIT;
}

curl_version_info_data* curl_version_info(CURLversion age) {
    const TCurlEntries* c = Curl();
    return c ? c->VersionInfo(age) : nullptr;
}

CURL* curl_easy_init() {
    const TCurlEntries* c = Curl();
    return c ? c->EasyInit() : nullptr;
}

// The calls below take a handle only the opened library can have made.
void curl_easy_cleanup(CURL* easy) {
    if (const TCurlEntries* c = Curl()) c->EasyCleanup(easy);
}

void curl_easy_reset(CURL* easy) {
    if (const TCurlEntries* c = Curl()) c->EasyReset(easy);
}

// An option's number says the type of its one value, as libcurl itself
// reads it: a long, an object pointer, a function pointer, a curl_off_t or
// (from CURLOPTTYPE_BLOB on) a pointer to a blob.
CURLcode curl_easy_setopt(CURL* easy, CURLoption option, ...) {
    const TCurlEntries* c = Curl();
    if (!c) return CURLE_FAILED_INIT;
    va_list args;
    va_start(args, option);
    CURLcode result;
    if (option < CURLOPTTYPE_OBJECTPOINT) {
        result = c->EasySetopt(easy, option, va_arg(args, long));
    } else if (option < CURLOPTTYPE_FUNCTIONPOINT) {
        result = c->EasySetopt(easy, option, va_arg(args, void*));
    } else if (option < CURLOPTTYPE_OFF_T) {
        result = c->EasySetopt(easy, option, va_arg(args, void (*)()));
    } else if (option < CURLOPTTYPE_BLOB) {
        result = c->EasySetopt(easy, option, va_arg(args, curl_off_t));
    } else {
        result = c->EasySetopt(easy, option, va_arg(args, void*));
    }
    va_end(args);
    return result;
}

// Every piece of information is written through the one pointer given.
CURLcode curl_easy_getinfo(CURL* easy, CURLINFO info, ...) {
    const TCurlEntries* c = Curl();
    if (!c) return CURLE_FAILED_INIT;
    va_list args;
    va_start(args, info);
    void* out = va_arg(args, void*);
    va_end(args);
    return c->EasyGetinfo(easy, info, out);
}

CURLcode curl_easy_pause(CURL* easy, int bitmask) {
    const TCurlEntries* c = Curl();
    return c ? c->EasyPause(easy, bitmask) : CURLE_FAILED_INIT;
}

CURLM* curl_multi_init() {
    const TCurlEntries* c = Curl();
    return c ? c->MultiInit() : nullptr;
}

CURLMcode curl_multi_cleanup(CURLM* multi) {
    const TCurlEntries* c = Curl();
    return c ? c->MultiCleanup(multi) : CURLM_BAD_HANDLE;
}

CURLMcode curl_multi_add_handle(CURLM* multi, CURL* easy) {
    const TCurlEntries* c = Curl();
    return c ? c->MultiAddHandle(multi, easy) : CURLM_BAD_HANDLE;
}

CURLMcode curl_multi_remove_handle(CURLM* multi, CURL* easy) {
    const TCurlEntries* c = Curl();
    return c ? c->MultiRemoveHandle(multi, easy) : CURLM_BAD_HANDLE;
}

CURLMcode curl_multi_perform(CURLM* multi, int* running) {
    const TCurlEntries* c = Curl();
    return c ? c->MultiPerform(multi, running) : CURLM_BAD_HANDLE;
}

CURLMcode curl_multi_poll(CURLM* multi, struct curl_waitfd* extra, unsigned int count, int timeoutMs,
                          int* ready) {
    const TCurlEntries* c = Curl();
    return c ? c->MultiPoll(multi, extra, count, timeoutMs, ready) : CURLM_BAD_HANDLE;
}

CURLMcode curl_multi_wakeup(CURLM* multi) {
    const TCurlEntries* c = Curl();
    return c ? c->MultiWakeup(multi) : CURLM_BAD_HANDLE;
}

CURLMsg* curl_multi_info_read(CURLM* multi, int* left) {
    const TCurlEntries* c = Curl();
    if (!c) {
        if (left) *left = 0;
        return nullptr;
    }
    return c->MultiInfoRead(multi, left);
}

CURLSH* curl_share_init() {
    const TCurlEntries* c = Curl();
    return c ? c->ShareInit() : nullptr;
}

// Sharing or unsharing takes an int, the lock functions a function pointer,
// the user data a pointer.
CURLSHcode curl_share_setopt(CURLSH* share, CURLSHoption option, ...) {
    const TCurlEntries* c = Curl();
    if (!c) return CURLSHE_NOT_BUILT_IN;
    va_list args;
    va_start(args, option);
    CURLSHcode result;
    switch (option) {
        case CURLSHOPT_SHARE:
        case CURLSHOPT_UNSHARE: result = c->ShareSetopt(share, option, va_arg(args, int)); break;
        case CURLSHOPT_LOCKFUNC:
        case CURLSHOPT_UNLOCKFUNC: result = c->ShareSetopt(share, option, va_arg(args, void (*)())); break;
        default: result = c->ShareSetopt(share, option, va_arg(args, void*)); break;
    }
    va_end(args);
    return result;
}

CURLSHcode curl_share_cleanup(CURLSH* share) {
    const TCurlEntries* c = Curl();
    return c ? c->ShareCleanup(share) : CURLSHE_INVALID;
}

curl_slist* curl_slist_append(curl_slist* list, const char* text) {
    const TCurlEntries* c = Curl();
    return c ? c->SlistAppend(list, text) : nullptr;
}

void curl_slist_free_all(curl_slist* list) {
    if (const TCurlEntries* c = Curl()) c->SlistFreeAll(list);
}

// Without OpenSSL nothing can be verified: no index, no data, every
// certificate fails with an unspecified fault.
int CRYPTO_get_ex_new_index(int classIndex, long argl, void* argp, CRYPTO_EX_new* newFunc,
                            CRYPTO_EX_dup* dupFunc, CRYPTO_EX_free* freeFunc) {
    const TTlsEntries* t = Tls();
    return t ? t->GetExNewIndex(classIndex, argl, argp, newFunc, dupFunc, freeFunc) : -1;
}

void* X509_STORE_CTX_get_ex_data(const X509_STORE_CTX* store, int index) {
    const TTlsEntries* t = Tls();
    return t ? t->StoreGetExData(store, index) : nullptr;
}

int X509_STORE_CTX_get_error(const X509_STORE_CTX* store) {
    const TTlsEntries* t = Tls();
    return t ? t->StoreGetError(store) : X509_V_ERR_UNSPECIFIED;
}

void X509_STORE_CTX_set_error(X509_STORE_CTX* store, int fault) {
    if (const TTlsEntries* t = Tls()) t->StoreSetError(store, fault);
}

int SSL_get_ex_data_X509_STORE_CTX_idx() {
    const TTlsEntries* t = Tls();
    return t ? t->StoreIndex() : -1;
}

void* SSL_CTX_get_ex_data(const SSL_CTX* context, int index) {
    const TTlsEntries* t = Tls();
    return t ? t->ContextGetExData(context, index) : nullptr;
}

SSL_CTX* SSL_get_SSL_CTX(const SSL* ssl) {
    const TTlsEntries* t = Tls();
    return t ? t->ContextOf(ssl) : nullptr;
}

int SSL_CTX_set_ex_data(SSL_CTX* context, int index, void* data) {
    const TTlsEntries* t = Tls();
    return t ? t->ContextSetExData(context, index, data) : 0;
}

void SSL_CTX_set_verify(SSL_CTX* context, int mode, SSL_verify_cb verify) {
    if (const TTlsEntries* t = Tls()) t->ContextSetVerify(context, mode, verify);
}

}  // extern "C"
