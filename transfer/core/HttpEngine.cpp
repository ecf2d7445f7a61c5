#include "transfer/core/HttpEngine.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "framework/inet/HttpConnection.h"
#include "framework/inet/HttpRequest.h"
#include "framework/inet/InetErrors.h"
#include "framework/inet/InetSession.h"
#include "framework/inet/UrlParts.h"
#include "transfer/core/ErrorTexts.h"
#include "transfer/core/LocalFileWriter.h"

namespace {
void* ModuleInstance = nullptr;

constexpr const char* SHttpAgent = "VREK ickHTTP 1.0";
constexpr const char* SHttpsAgent = "VREK ickHTTPS 1.0";

const char* TextOf(std::intptr_t value) { return reinterpret_cast<const char*>(value); }
String StringOf(std::intptr_t value) {
    const char* t = TextOf(value);
    return t ? String(t) : String();
}
std::intptr_t Out(const String& s) { return reinterpret_cast<std::intptr_t>(s.c_str()); }
String Cut(const String& s, std::size_t limit) { return s.size() > limit ? s.substr(0, limit) : s; }

bool IsPlainFormByte(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '*' ||
           c == '-' || c == '.' || c == '@' || c == '_';
}

void EncodeFormText(const String& text, String& target) {
    static const char hex[] = "0123456789ABCDEF";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0) break;
        if (IsPlainFormByte(c)) {
            target += ch;
        } else {
            target += '%';
            target += hex[c >> 4];
            target += hex[c & 15];
        }
    }
}
}  // namespace

HttpEngine::HttpEngine(void* owner, TCoreEventCallback callback, const char* userAgent)
    : FOwner(owner), FCallback(callback), FDefaultAgent(userAgent) {
    FVarNames.resize(MaxFormVars);
    FVarValues.resize(MaxFormVars);
}

HttpEngine::~HttpEngine() = default;

void HttpEngine::Reset() {
    CoreBase::Reset();
    ExtraOpenFlags = 0;
    CloseHandles();
    FKeepAlive = false;
    FUserAgent = FDefaultAgent;
    FHttpVersion = "HTTP/1.0";
    FPort = 80;
    FScheme = INTERNET_SCHEME_HTTP;
    FAllowCookies = true;
    ResetHeaders();
    for (int i = 0; i < MaxFormVars; ++i) {
        FVarNames[i].clear();
        FVarValues[i].clear();
    }
    FVarCount = 0;
    FRebuild = true;
}

void HttpEngine::ResetHeaders() {
    FUrl.clear();
    FSchemeText.clear();
    FHost.clear();
    FPath.clear();
    FExtra.clear();
    FBody.clear();
    FContentType.clear();
    FAccept.clear();
    FFrom.clear();
    FIfModifiedSince.clear();
    FReferer.clear();
    FPragma.clear();
    FRequestHeaders.clear();
    FUploadFile.clear();
    FLocalFile.clear();
    FResponseHeaders.clear();
    FStatusLine.clear();
    FPort = 80;
}

void HttpEngine::RebuildBody() {
    FBody.clear();
    for (int i = 0; i < FVarCount; ++i) {
        if (i > 0) FBody += '&';
        EncodeFormText(FVarNames[i], FBody);
        FBody += '=';
        EncodeFormText(FVarValues[i], FBody);
    }
    FRebuild = false;
}

int HttpEngine::SplitUrl(const char* text) {
    FUrl = text ? text : "";
    FSchemeText.clear();
    FHost.clear();
    FPath.clear();
    FExtra.clear();
    FPort = 80;
    SetErrorText(String());
    TUrlParts parts;
    if (!CrackUrl(FUrl, parts)) return crOK;
    FSchemeText = parts.Scheme;
    FScheme = parts.SchemeNumber;
    FHost = parts.HostName;
    FPort = parts.Port;
    FExtra = parts.ExtraInfo;
    FPath = parts.UrlPath + parts.ExtraInfo;
    // Credentials written in the URL count; a URL without them keeps the
    // ones set before, so setting User, Password and then URL (as callers
    // do) still sends them.
    if (!parts.UserName.empty() || !parts.Password.empty()) {
        FUser = Cut(parts.UserName, MaxCredential);
        FPassword = Cut(parts.Password, MaxCredential);
    }
    return crOK;
}

void HttpEngine::CloseHandles() {
    std::shared_ptr<THttpRequest> request;
    std::shared_ptr<THttpConnection> connect;
    std::shared_ptr<TInetSession> root;
    {
        std::lock_guard<std::mutex> lock(FHandleLock);
        request.swap(FRequest);
        connect.swap(FConnect);
        root.swap(FRoot);
    }
    if (request) request->Close();
    if (connect) connect->Close();
    if (root) root->Close();
}

void HttpEngine::AbortTransfer() {
    // Runs on the waiting thread while the worker may be inside the
    // handles: it only closes them, the worker lets go of them itself.
    std::lock_guard<std::mutex> lock(FHandleLock);
    if (FRequest) FRequest->Close();
    if (FConnect) FConnect->Close();
    if (FRoot) FRoot->Close();
}

int HttpEngine::HandleEvent(int id, TCoreEventBlock& block) {
    if (!FCallback) return 0;
    static constexpr int counts[] = {0, 0, 2, 2, 0, 2, 3};
    return FCallback(FOwner, id, id >= 1 && id <= 6 ? counts[id] : 0, block);
}

void HttpEngine::DestroyCore() {
    Closing = 1;
    CoreBase::DestroyCore();
    // A worker left running (one that ignored the stop) still owns the
    // handles; it closes them as it ends.
    if (!WorkerRecorded()) CloseHandles();
}

int HttpEngine::ExecuteAction(Byte action) {
    ClearErrorText();
    if (FRebuild) RebuildBody();
    switch (action) {
        case 0: CloseHandles(); return crOK;
        case 1: return Request("GET", false, false);
        case 2: return Request("POST", true, false);
        case 3: return Request("HEAD", false, true);
        case 4: ResetHeaders(); return crOK;
        case 5: return Request("PUT", true, false);
        default: return crOK;
    }
}

int HttpEngine::Request(const char* verb, bool sendBody, bool headOnly) {
    FStatusLine.clear();
    FResponseHeaders.clear();
    if (!(FScheme == INTERNET_SCHEME_HTTP || (FScheme == INTERNET_SCHEME_HTTPS && SecureSchemeAllowed()))) {
        SetErrorText(HttpTexts::SBadScheme);
        return crBadScheme;
    }
    if (FHost.empty()) {
        SetErrorText(HttpTexts::SNoServer);
        return crNoServer;
    }
    CloseHandles();
    InetSetLastResponseInfo(String());
    const int result = Transfer(verb, sendBody, headOnly);
    FServerText = InetGetLastResponseInfo();
    CloseHandles();
    return result;
}

int HttpEngine::AddHeader(THttpRequest& request, const String& value, const char* prefix) {
    if (value.empty()) return crOK;
    String line = prefix;
    line += value;
    line += "\r\n";
    return request.AddHeaders(line, HTTP_ADDREQ_FLAG_ADD) ? crOK : static_cast<int>(InetGetLastError());
}

int HttpEngine::Transfer(const char* verb, bool sendBody, bool headOnly) {
    DWORD access = INTERNET_OPEN_TYPE_PRECONFIG;
    if (FProxyBypass == "*")
        access = INTERNET_OPEN_TYPE_DIRECT;
    else if (!FProxyServer.empty() || !FProxyBypass.empty())
        access = INTERNET_OPEN_TYPE_PROXY;
    auto root = TInetSession::Open(FUserAgent, access, FProxyServer, FProxyBypass);
    if (!root) return static_cast<int>(InetGetLastError());
    root->SetStatusCallback([this](DWORD status, const void* info) { NotifyStatus(status, info); });
    const THttpLimits limits = Limits;
    root->ConnectTimeoutMs = limits.ConnectMs;
    root->ReceiveTimeoutMs = limits.LowSpeedMs;
    root->LowSpeedBytes = std::max<DWORD>(limits.LowSpeedBytes, 1);
    root->MaxHeaderBytes = limits.MaxHeaderBytes;
    {
        std::lock_guard<std::mutex> lock(FHandleLock);
        FRoot = root;
    }
    // A stop that came before the handle was there finds it closed now.
    if (StopRequested()) root->Close();

    auto connect = THttpConnection::Connect(root, FHost, FPort, FUser, FPassword);
    if (!connect) return static_cast<int>(InetGetLastError());
    {
        std::lock_guard<std::mutex> lock(FHandleLock);
        FConnect = connect;
    }

    const bool secure = FScheme == INTERNET_SCHEME_HTTPS && SecureSchemeAllowed();
    DWORD base = ExtraOpenFlags;
    if (secure)
        base |= INTERNET_FLAG_SECURE;
    else
        base &= ~INTERNET_FLAG_SECURE;
    DWORD flags = base | (FUseCache ? INTERNET_FLAG_RESYNCHRONIZE : INTERNET_FLAG_RELOAD | INTERNET_FLAG_PRAGMA_NOCACHE);
    if (FKeepAlive) flags |= INTERNET_FLAG_KEEP_CONNECTION;
    if (!FAllowCookies) flags |= INTERNET_FLAG_NO_COOKIES;
    flags |= INTERNET_FLAG_NO_UI;
    auto request = THttpRequest::Open(connect, verb, FPath, FHttpVersion, FReferer, FAccept, flags);
    if (!request && InetGetLastError() == ERROR_INVALID_PARAMETER) {
        flags = base | (FUseCache ? INTERNET_FLAG_RESYNCHRONIZE : INTERNET_FLAG_RELOAD) |
                (FAllowCookies ? 0 : INTERNET_FLAG_NO_COOKIES) | INTERNET_FLAG_KEEP_CONNECTION;
        request = THttpRequest::Open(connect, verb, FPath, FHttpVersion, FReferer, FAccept, flags);
    }
    if (!request) return static_cast<int>(InetGetLastError());
    {
        std::lock_guard<std::mutex> lock(FHandleLock);
        FRequest = request;
    }

    int result = AddHeader(*request, FContentType, "Content-Type: ");
    if (result == crOK) result = AddHeader(*request, FFrom, "From: ");
    if (result == crOK) result = AddHeader(*request, FIfModifiedSince, "If-Modified-Since: ");
    if (result == crOK) result = AddHeader(*request, FPragma, "Pragma: ");
    if (result == crOK && !FRequestHeaders.empty() &&
        !request->AddHeaders(FRequestHeaders, HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE))
        result = static_cast<int>(InetGetLastError());
    if (result != crOK) return result;

    if (sendBody && !FUploadFile.empty()) {
        std::ifstream file(FUploadFile, std::ios::binary);
        if (!file) {
            SetErrorText(HttpTexts::SCantOpenAttached);
            return crFileOpen;
        }
        String data = FBody;
        data.append(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (file.bad()) {
            SetErrorText(HttpTexts::SCantReadAttached);
            return crFileIO;
        }
        result = SendRequest(*request, data.data(), data.size(), false, false, false);
    } else if (sendBody) {
        result = SendRequest(*request, FBody.data(), FBody.size(), false, false, false);
    } else {
        result = SendRequest(*request, nullptr, 0, false, false, false);
    }
    if (result != crOK) return result;

    ReadResponseHeaders(*request);
    FMemoryBody.clear();
    TCoreEventBlock start;
    Fire(heStartTransfer, start);

    LocalFileWriter local;
    const auto tooLarge = [&limits](Int64 size) { return limits.MaxBodyBytes > 0 && size > limits.MaxBodyBytes; };
    if (!headOnly && tooLarge(request->ContentLength())) {
        // Announced too large: refused before a byte of it is read.
        SetErrorText(HttpTexts::SBodyTooLarge);
        result = crBodyTooLarge;
    } else if (!headOnly) {
        // Read once: the handlers of the chunks run while the worker goes
        // on (QueueEvent).
        const String localFile = FLocalFile;
        const std::size_t limit = FMemoryLimit;
        std::size_t kept = 0;
        std::vector<char> block;
        std::size_t total = 0;
        for (;;) {
            DWORD available = 0;
            if (!request->QueryDataAvailable(available)) {
                // A stop closes the handles under us: that is no failure of
                // the request, and the runner reports the stop.
                return StopRequested() ? crOK : static_cast<int>(InetGetLastError());
            }
            if (available == 0) break;
            if (limit != 0 && available + kept > limit) {
                result = crOutOfMemory;
                break;
            }
            if (tooLarge(static_cast<Int64>(total + available))) {
                SetErrorText(HttpTexts::SBodyTooLarge);
                result = crBodyTooLarge;
                break;
            }
            if (!localFile.empty() && !local.IsOpen() && !local.Open(localFile)) {
                SetErrorText(HttpTexts::SCantOpenLocal);
                result = crFileOpen;
                break;
            }
            if (block.empty()) block.resize(ReadBlock);
            DWORD got = 0;
            if (!request->Read(block.data(), static_cast<DWORD>(std::min<std::size_t>(ReadBlock, available)), got)) {
                result = StopRequested() ? crOK : static_cast<int>(InetGetLastError());
                break;
            }
            if (local.IsOpen() && !local.Write(block.data(), got)) {
                local.Discard();
                SetErrorText(HttpTexts::SWriteLocal);
                return crFileIO;
            }
            // The chunk goes into the memory body (KeepChunk) right before
            // its event.
            if (limit != 0) kept += got;
            total += got;
            TCoreEventBlock chunk;
            chunk.Args[0] = static_cast<std::intptr_t>(total);
            chunk.Args[1] = reinterpret_cast<std::intptr_t>(block.data());
            chunk.Args[2] = static_cast<std::intptr_t>(got);
            chunk.Results[1] = static_cast<std::intptr_t>(got);
            QueueEvent(heTransfer, chunk, block.data(), got, 1, limit != 0);
        }
    }

    String refusal;
    bool refused = false;
    if (!FStatusLine.empty()) {
        const std::size_t blank = FStatusLine.find(' ');
        refusal = blank == String::npos ? String() : FStatusLine.substr(blank + 1);
        refused = refusal.empty() || refusal[0] != '2';
    }
    // Only a complete, accepted response takes the place of the local
    // file, and it is in place before anyone hears the transfer has ended.
    if (result == crOK && !refused && !StopRequested() && local.IsOpen() && !local.Commit()) {
        SetErrorText(HttpTexts::SWriteLocal);
        result = crFileIO;
    }
    local.Discard();
    TCoreEventBlock end;
    Fire(heEndTransfer, end);
    if (refused) {
        SetErrorText(refusal);
        result = crStatusNotOK;
    }
    return result;
}

int HttpEngine::SendRequest(THttpRequest& request, const char* data, std::size_t length, bool proxyRetried,
                            bool authorityRetried, bool certificateRetried) {
    if (proxyRetried || !FProxyUser.empty() || !FProxyPassword.empty())
        request.SetProxyCredentials(FProxyUser, FProxyPassword);
    if (authorityRetried) request.SetSecurityFlags(request.SecurityFlags() | SECURITY_FLAG_IGNORE_UNKNOWN_CA);
    if (request.Send(data, length)) return crOK;
    const DWORD error = InetGetLastError();
    if (error == ERROR_INTERNET_INVALID_CA && (SecurityFlags & 16) && !authorityRetried)
        return SendRequest(request, data, length, proxyRetried, true, certificateRetried);
    // No client certificates are kept here, so there is none to offer: a
    // server that asks for one gets the failure.
    if ((!FProxyUser.empty() || !FProxyPassword.empty()) && !proxyRetried && request.StatusCode() == 407)
        return SendRequest(request, data, length, true, authorityRetried, certificateRetried);
    InetSetLastError(error);
    return static_cast<int>(error);
}

void HttpEngine::ReadResponseHeaders(THttpRequest& request) {
    const auto& lines = request.RawHeaders();
    if (lines.empty()) return;
    FStatusLine = lines[0];
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const String& line = lines[i];
        if (line.empty()) break;
        FResponseHeaders += line;
        FResponseHeaders += "\r\n";
        const std::size_t colon = line.find(':');
        String field = line.substr(0, colon);
        String value;
        if (colon != String::npos) {
            std::size_t v = colon + 1;
            while (v < line.size() && line[v] == ' ') ++v;
            value = line.substr(v);
        }
        TCoreEventBlock block;
        block.Args[0] = TCoreEventBlock::Text(field.c_str());
        block.Args[1] = TCoreEventBlock::Text(value.c_str());
        Fire(heHeader, block);
    }
}

// --- properties ---

std::intptr_t HttpEngine::GetProperty(int id, int index, std::ptrdiff_t* length) {
    switch (id) {
        case hpAccept: return Out(FAccept);
        case hpAction: return 0;
        case hpAllowCookies: return FAllowCookies ? 1 : 0;
        case hpUploadFile: return Out(FUploadFile);
        case hpContentType: return Out(FContentType);
        case hpVarCount: return FVarCount;
        case hpVarName:
        case hpVarValue:
            if (index < 1 || index > FVarCount) {
                SetErrorText(HttpTexts::SVarIndex);
                return 0;
            }
            return Out(id == hpVarName ? FVarNames[index - 1] : FVarValues[index - 1]);
        case hpFrom: return Out(FFrom);
        case hpResponseHeaders: return FResponseHeaders.empty() ? 0 : Out(FResponseHeaders);
        case hpHttpVersion: return Out(FHttpVersion);
        case hpIfModifiedSince: return Out(FIfModifiedSince);
        case hpKeepAlive: return FKeepAlive ? 1 : 0;
        case hpLocalFile: return Out(FLocalFile);
        case hpRequestHeaders: return Out(FRequestHeaders);
        case hpPassword: return Out(FPassword);
        case hpRequestBody:
            if (FRebuild) RebuildBody();
            if (length) *length = static_cast<std::ptrdiff_t>(FBody.size());
            return Out(FBody);
        case hpPragma: return Out(FPragma);
        case hpProxyBypass: return Out(FProxyBypass);
        case hpProxyPassword: return Out(FProxyPassword);
        case hpProxyServer: return Out(FProxyServer);
        case hpProxyUser: return Out(FProxyUser);
        case hpMemoryBody:
            if (length) *length = static_cast<std::ptrdiff_t>(FMemoryBody.size());
            return FMemoryBody.empty() ? 0 : Out(FMemoryBody);
        case hpMemoryLimit: return static_cast<std::intptr_t>(FMemoryLimit);
        case hpReferer: return Out(FReferer);
        case hpStatusLine: return Out(FStatusLine);
        case hpRouteEvents: return RouteEvents ? 1 : 0;
        case hpTimeout: return static_cast<std::intptr_t>(static_cast<std::int32_t>(Timeout));
        case hpURL: return Out(FUrl);
        case hpObjectPath: return Out(FPath);
        case hpPort: return FPort;
        case hpScheme: return Out(FSchemeText);
        case hpHost: return Out(FHost);
        case hpUseCache: return FUseCache ? 1 : 0;
        case hpUser: return Out(FUser);
        case hpUserAgent: return Out(FUserAgent);
        case hpWinInetVersion:
            FVersionText = InetLibraryVersion();
            return Out(FVersionText);
        default: return 0;
    }
}

int HttpEngine::SetProperty(int id, int index, std::intptr_t value, std::ptrdiff_t length) {
    int result = crOK;
    switch (id) {
        case hpAccept: FAccept = StringOf(value); break;
        case hpAction: return SetError(RunWorker(static_cast<Byte>(value)));
        case hpAllowCookies: FAllowCookies = value != 0; break;
        case hpUploadFile: FUploadFile = StringOf(value); break;
        case hpContentType: FContentType = StringOf(value); break;
        case hpVarCount:
            if (value < 0 || value > MaxFormVars) {
                SetErrorText(HttpTexts::STooLarge);
                result = crTooManyVars;
                break;
            }
            for (int i = static_cast<int>(value); i < MaxFormVars; ++i) {
                FVarNames[i].clear();
                FVarValues[i].clear();
            }
            FVarCount = static_cast<int>(value);
            FRebuild = true;
            if (FVarCount != 0) FContentType = "application/x-www-form-urlencoded";
            break;
        case hpVarName:
        case hpVarValue:
            if (index < 1 || index > FVarCount) {
                SetErrorText(HttpTexts::SVarIndex);
                result = crVarIndex;
                break;
            }
            (id == hpVarName ? FVarNames : FVarValues)[index - 1] = StringOf(value);
            FRebuild = true;
            break;
        case hpFrom: FFrom = StringOf(value); break;
        case hpHttpVersion: FHttpVersion = StringOf(value); break;
        case hpIfModifiedSince: FIfModifiedSince = StringOf(value); break;
        case hpKeepAlive: FKeepAlive = value != 0; break;
        case hpLocalFile: FLocalFile = StringOf(value); break;
        case hpRequestHeaders:
            if (length > 0 && value)
                FRequestHeaders.assign(TextOf(value), static_cast<std::size_t>(length));
            else
                FRequestHeaders = StringOf(value);
            break;
        case hpPassword: FPassword = Cut(StringOf(value), MaxCredential); break;
        case hpRequestBody:
            for (int i = 0; i < MaxFormVars; ++i) {
                FVarNames[i].clear();
                FVarValues[i].clear();
            }
            FVarCount = 0;
            FRebuild = false;
            if (!value || length == 0)
                FBody.clear();
            else if (length < 0)
                FBody = TextOf(value);
            else
                FBody.assign(TextOf(value), static_cast<std::size_t>(length));
            break;
        case hpPragma: FPragma = StringOf(value); break;
        case hpProxyBypass: FProxyBypass = StringOf(value); break;
        case hpProxyPassword: FProxyPassword = StringOf(value); break;
        case hpProxyServer: FProxyServer = StringOf(value); break;
        case hpProxyUser: FProxyUser = StringOf(value); break;
        case hpMemoryLimit: FMemoryLimit = static_cast<DWORD>(value); break;
        case hpReferer: FReferer = StringOf(value); break;
        case hpRouteEvents: RouteEvents = value != 0; break;
        case hpTimeout: Timeout = static_cast<DWORD>(value); break;
        case hpURL: result = SplitUrl(TextOf(value)); break;
        case hpObjectPath: FPath = StringOf(value); break;
        case hpPort: FPort = static_cast<Word>(value); break;
        case hpScheme: {
            const String scheme = StringOf(value);
            const int number = SchemeNumberOf(scheme);
            if (number == INTERNET_SCHEME_UNKNOWN) {
                SetErrorText(HttpTexts::SBadScheme);
                result = crBadScheme;
                break;
            }
            FScheme = number;
            FSchemeText = scheme;
            break;
        }
        case hpHost: FHost = StringOf(value); break;
        case hpUseCache: FUseCache = value != 0; break;
        case hpUser: FUser = Cut(StringOf(value), MaxCredential); break;
        case hpUserAgent: FUserAgent = StringOf(value); break;
        default: return crNoSuchProperty;
    }
    return SetError(result);
}

int HttpEngine::CheckProperty(int id, int index) {
    if ((id == hpVarName || id == hpVarValue) && (index < 1 || index > FVarCount)) {
        SetErrorText(HttpTexts::SVarIndex);
        return crCheckVarIndex;
    }
    return 0;
}

// --- the secure core ---

namespace {
constexpr int hpsSecurityFlags = 26;
// The open flag each bit of the security flags stands for.
constexpr DWORD SecurityBits[7][2] = {
    {1, INTERNET_FLAG_IGNORE_CERT_CN_INVALID},   {2, INTERNET_FLAG_IGNORE_CERT_DATE_INVALID},
    {4, INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP},  {8, INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS},
    {16, INTERNET_FLAG_PRAGMA_NOCACHE},          {32, 0x80},
    {64, INTERNET_FLAG_NO_UI},
};

// The HTTP core's id for an id of the HTTPS core (0 for the security flags).
int HttpId(int id) { return id == hpsSecurityFlags ? 0 : id > hpsSecurityFlags ? id - 1 : id; }
}  // namespace

void HttpsEngine::Reset() {
    HttpEngine::Reset();
    SecurityFlags = 0;
    SetProperty(hpsSecurityFlags, 0, 0, 0);
    HttpEngine::SetProperty(hpPort, 0, 443, 0);
}

std::intptr_t HttpsEngine::GetProperty(int id, int index, std::ptrdiff_t* length) {
    if (id == hpsSecurityFlags) return static_cast<std::intptr_t>(SecurityFlags);
    return HttpEngine::GetProperty(HttpId(id), index, length);
}

int HttpsEngine::SetProperty(int id, int index, std::intptr_t value, std::ptrdiff_t length) {
    if (id != hpsSecurityFlags) return HttpEngine::SetProperty(HttpId(id), index, value, length);
    SecurityFlags = static_cast<DWORD>(value);
    for (const auto& bit : SecurityBits) {
        if (SecurityFlags & bit[0])
            ExtraOpenFlags |= bit[1];
        else
            ExtraOpenFlags &= ~bit[1];
    }
    return SetError(crOK);
}

// --- the call interface ---

namespace HTTPCore {

static HttpEngine* Created(HttpEngine* core) {
    if (!core) return nullptr;
    core->Reset();
    // The creation defaults; the empty URL sets the port back to 80.
    core->HttpEngine::SetProperty(hpAccept, 0, Out(String()), 0);
    core->HttpEngine::SetProperty(hpAllowCookies, 0, 1, 0);
    core->HttpEngine::SetProperty(hpKeepAlive, 0, 0, 0);
    core->HttpEngine::SetProperty(hpLocalFile, 0, Out(String()), 0);
    core->HttpEngine::SetProperty(hpPassword, 0, Out(String()), 0);
    core->HttpEngine::SetProperty(hpTimeout, 0, 0, 0);
    core->HttpEngine::SetProperty(hpURL, 0, reinterpret_cast<std::intptr_t>(""), 0);
    core->HttpEngine::SetProperty(hpUseCache, 0, 1, 0);
    core->HttpEngine::SetProperty(hpUser, 0, Out(String()), 0);
    core->ClearErrorText();
    return core;
}

HttpEngine* CoreCreate(void* owner, TCoreEventCallback callback) {
    return Created(new (std::nothrow) HttpEngine(owner, callback, SHttpAgent));
}

HttpEngine* HttpsCoreCreate(void* owner, TCoreEventCallback callback) {
    return Created(new (std::nothrow) HttpsEngine(owner, callback, SHttpsAgent));
}

int CoreDestroy(HttpEngine* core) {
    if (core) {
        core->DestroyCore();
        core->Release();
    }
    return 0;
}

std::intptr_t CoreGetProperty(HttpEngine* core, int id, int index, std::ptrdiff_t* length) {
    return core ? core->GetProperty(id, index, length) : 0;
}

int CoreSetProperty(HttpEngine* core, int id, int index, std::intptr_t value, std::ptrdiff_t length) {
    return core ? core->SetProperty(id, index, value, length) : crNoSuchProperty;
}

const char* CoreGetErrorText(HttpEngine* core) { return core ? core->ErrorText() : nullptr; }

int CoreSetInstance(void* instance) {
    ModuleInstance = instance;
    return 0;
}

int CoreCheckProperty(HttpEngine* core, int id, int index) {
    return core ? core->CheckProperty(id, index) : crCheckVarIndex;
}

int CoreProcessMessage(HttpEngine* core) { return core ? core->ProcessMessage() : 0; }

}  // namespace HTTPCore
