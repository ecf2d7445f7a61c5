#pragma once
// The HTTP core: every setting a numbered property, one request per action
// on the worker of CoreBase, over the framework's internet library. The
// HTTPS core is this engine with the secure scheme allowed and security
// flags added (HttpsEngine).
#include <memory>
#include <mutex>
#include <vector>

#include "transfer/core/CoreBase.h"

class TInetSession;
class THttpConnection;
class THttpRequest;

// Property ids of the HTTP core.
enum THttpProperty : int {
    hpAccept = 1,
    hpAction = 2,
    hpAllowCookies = 3,
    hpUploadFile = 4,
    hpContentType = 5,
    hpVarCount = 6,
    hpVarName = 7,
    hpVarValue = 8,
    hpFrom = 9,
    hpResponseHeaders = 10,
    hpHttpVersion = 11,
    hpIfModifiedSince = 12,
    hpKeepAlive = 13,
    hpLocalFile = 14,
    hpRequestHeaders = 15,
    hpPassword = 16,
    hpRequestBody = 17,
    hpPragma = 18,
    hpProxyBypass = 19,
    hpProxyPassword = 20,
    hpProxyServer = 21,
    hpProxyUser = 22,
    hpMemoryBody = 23,
    hpMemoryLimit = 24,
    hpReferer = 25,
    hpStatusLine = 26,
    hpRouteEvents = 27,
    hpTimeout = 28,
    hpURL = 29,
    hpObjectPath = 30,
    hpPort = 31,
    hpScheme = 32,
    hpHost = 33,
    hpUseCache = 34,
    hpUser = 35,
    hpUserAgent = 36,
    hpWinInetVersion = 37,
};

// Event ids: the positions of the component's events.
enum THttpEvent : int {
    heEndTransfer = 1,
    heError = 2,
    heHeader = 3,
    heStartTransfer = 4,
    heStatus = 5,
    heTransfer = 6,
};

namespace HttpTexts {
inline constexpr const char* SBadScheme = "Specified URLScheme is invalid.";
inline constexpr const char* SNoServer = "No server specified in URL.";
inline constexpr const char* STooLarge = "value too large";
inline constexpr const char* SVarIndex = "VarIndex out of bounds";
inline constexpr const char* SCantOpenAttached = "Can't open attached file for reading.";
inline constexpr const char* SCantReadAttached = "Can't read from attached file.";
inline constexpr const char* SCantOpenLocal = "Can't open local file for writing.";
inline constexpr const char* SWriteLocal = "Error writing to LocalFile";
inline constexpr const char* SBodyTooLarge = "The response is larger than allowed.";
}  // namespace HttpTexts

// Bounds that keep a misbehaving server from holding a transfer for ever
// or filling the disk; 0 leaves a bound open. A connection not made in
// ConnectMs, or fewer than LowSpeedBytes received in LowSpeedMs (whole
// seconds), fails with 12002; headers past MaxHeaderBytes with 12152; a
// body past MaxBodyBytes with 145 before any more of it is written.
struct THttpLimits {
    DWORD ConnectMs = 0;
    DWORD LowSpeedBytes = 0;
    DWORD LowSpeedMs = 0;
    DWORD MaxHeaderBytes = 0;
    Int64 MaxBodyBytes = 0;
};

class HttpEngine : public CoreBase {
public:
    static constexpr int MaxFormVars = 1024;
    static constexpr int MaxCredential = 128;
    static constexpr std::size_t ReadBlock = 32000;

    HttpEngine(void* owner, TCoreEventCallback callback, const char* userAgent);

    void Reset() override;
    int ExecuteAction(Byte action) override;
    int HandleEvent(int id, TCoreEventBlock& block) override;
    void DestroyCore() override;
    // Whether https URLs are served.
    virtual int SecureSchemeAllowed() const { return 0; }

    // The call interface by property id; `length` receives the byte count
    // of the byte-valued properties when given.
    virtual std::intptr_t GetProperty(int id, int index, std::ptrdiff_t* length);
    virtual int SetProperty(int id, int index, std::intptr_t value, std::ptrdiff_t length);
    int CheckProperty(int id, int index);

    // The request flags that the security flags of the HTTPS core add.
    DWORD ExtraOpenFlags = 0;
    DWORD SecurityFlags = 0;
    // Set between actions; none by default.
    THttpLimits Limits;

protected:
    ~HttpEngine() override;
    void AbortTransfer() override;
    void KeepChunk(const char* data, std::size_t size) override { FMemoryBody.append(data, size); }
    String InternetResponseText() override { return FServerText; }
    // Writes the URL and takes it apart.
    int SplitUrl(const char* text);

private:
    int Request(const char* verb, bool sendBody, bool headOnly);
    int Transfer(const char* verb, bool sendBody, bool headOnly);
    int SendRequest(THttpRequest& request, const char* data, std::size_t length, bool proxyRetried,
                    bool authorityRetried, bool certificateRetried);
    void ReadResponseHeaders(THttpRequest& request);
    int AddHeader(THttpRequest& request, const String& value, const char* prefix);
    void ResetHeaders();
    void RebuildBody();
    void CloseHandles();
    int Fire(int id, TCoreEventBlock& block) { return SendEvent(id, block); }

    void* FOwner;
    TCoreEventCallback FCallback;
    String FDefaultAgent;

    String FUrl, FSchemeText, FHost, FPath, FExtra;
    int FScheme = 3;
    Word FPort = 80;
    String FUser, FPassword;
    String FProxyServer, FProxyBypass, FProxyUser, FProxyPassword;
    String FAccept, FContentType, FFrom, FIfModifiedSince, FPragma, FReferer, FHttpVersion, FUserAgent;
    String FRequestHeaders, FUploadFile, FLocalFile;
    String FBody;
    int FVarCount = 0;
    std::vector<String> FVarNames, FVarValues;
    bool FRebuild = true;
    bool FAllowCookies = true;
    bool FKeepAlive = false;
    bool FUseCache = true;
    String FResponseHeaders, FStatusLine;
    DWORD FMemoryLimit = 0;
    String FMemoryBody;
    String FVersionText;
    // The server's last words, kept by the worker for the error text.
    String FServerText;

    // Handles of the request under way; the waiting thread closes them to
    // stop it.
    std::mutex FHandleLock;
    std::shared_ptr<TInetSession> FRoot;
    std::shared_ptr<THttpConnection> FConnect;
    std::shared_ptr<THttpRequest> FRequest;
};

// The HTTPS core: https served, security flags at property 26, and the
// HTTP core's properties 26-37 at 27-38.
class HttpsEngine : public HttpEngine {
public:
    HttpsEngine(void* owner, TCoreEventCallback callback, const char* userAgent)
        : HttpEngine(owner, callback, userAgent) {}
    void Reset() override;
    int SecureSchemeAllowed() const override { return 1; }
    std::intptr_t GetProperty(int id, int index, std::ptrdiff_t* length) override;
    int SetProperty(int id, int index, std::intptr_t value, std::ptrdiff_t length) override;
};

// The flat call interface of the HTTP and HTTPS cores, used by their
// components. The HTTPS core is created by HttpsCoreCreate; everything else
// serves both.
namespace HTTPCore {
HttpEngine* CoreCreate(void* owner, TCoreEventCallback callback);
HttpEngine* HttpsCoreCreate(void* owner, TCoreEventCallback callback);
int CoreDestroy(HttpEngine* core);
std::intptr_t CoreGetProperty(HttpEngine* core, int id, int index, std::ptrdiff_t* length = nullptr);
int CoreSetProperty(HttpEngine* core, int id, int index, std::intptr_t value, std::ptrdiff_t length);
const char* CoreGetErrorText(HttpEngine* core);
int CoreSetInstance(void* instance);
int CoreCheckProperty(HttpEngine* core, int id, int index);
int CoreProcessMessage(HttpEngine* core);
}  // namespace HTTPCore
