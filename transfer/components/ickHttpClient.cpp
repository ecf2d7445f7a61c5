#include "transfer/components/ickHttpClient.h"

#include "framework/classes/StringList.h"
#include "transfer/core/ErrorTexts.h"
#include "transfer/core/HttpEngine.h"

TickHttpClient::TickHttpClient(TComponent* owner, bool secure, const char* createError,
                               TErrorMaker makeError)
    : TickCore(owner),
      FSecure(secure),
      FMakeError(makeError),
      FResponseHeaders(std::make_unique<TStringList>()),
      FRequestHeaders(std::make_unique<TStringList>()) {
    FCore = secure ? HTTPCore::HttpsCoreCreate(this, &TickHttpClient::DispatchCoreEvent)
                   : HTTPCore::CoreCreate(this, &TickHttpClient::DispatchCoreEvent);
    if (!FCore) RaiseCoreError(crNoSuchProperty, createError);
}

TickHttpClient::~TickHttpClient() {
    if (FCore) HTTPCore::CoreDestroy(FCore);
    FCore = nullptr;
}

int TickHttpClient::CoreId(int httpId) const { return FSecure && httpId >= hpStatusLine ? httpId + 1 : httpId; }

const char* TickHttpClient::CoreErrorText() const { return HTTPCore::CoreGetErrorText(FCore); }

void TickHttpClient::SetProperty(int httpId, std::intptr_t value, std::ptrdiff_t length) {
    const int result = HTTPCore::CoreSetProperty(FCore, CoreId(httpId), 0, value, length);
    if (result != 0) RaiseCoreError(result);
}

std::intptr_t TickHttpClient::Property(int httpId) const {
    return HTTPCore::CoreGetProperty(FCore, CoreId(httpId), 0);
}

String TickHttpClient::TextProperty(int httpId) const {
    const auto* text = reinterpret_cast<const char*>(Property(httpId));
    return text ? String(text) : String();
}

static std::intptr_t TextArg(const String& s) { return reinterpret_cast<std::intptr_t>(s.c_str()); }

String TickHttpClient::Accept() const { return TextProperty(hpAccept); }
void TickHttpClient::SetAccept(const String& value) { SetProperty(hpAccept, TextArg(value)); }
bool TickHttpClient::AllowCookies() const { return Property(hpAllowCookies) != 0; }
void TickHttpClient::SetAllowCookies(bool value) { SetProperty(hpAllowCookies, value ? 1 : 0); }
bool TickHttpClient::KeepAlive() const { return Property(hpKeepAlive) != 0; }
void TickHttpClient::SetKeepAlive(bool value) { SetProperty(hpKeepAlive, value ? 1 : 0); }
String TickHttpClient::LocalFile() const { return TextProperty(hpLocalFile); }
void TickHttpClient::SetLocalFile(const String& value) { SetProperty(hpLocalFile, TextArg(value)); }
String TickHttpClient::Password() const { return TextProperty(hpPassword); }
void TickHttpClient::SetPassword(const String& value) { SetProperty(hpPassword, TextArg(value)); }
int TickHttpClient::Timeout() const { return static_cast<int>(Property(hpTimeout)); }
void TickHttpClient::SetTimeout(int value) { SetProperty(hpTimeout, static_cast<std::intptr_t>(static_cast<DWORD>(value))); }
String TickHttpClient::URL() const { return TextProperty(hpURL); }
void TickHttpClient::SetURL(const String& value) { SetProperty(hpURL, TextArg(value)); }
bool TickHttpClient::UseCache() const { return Property(hpUseCache) != 0; }
void TickHttpClient::SetUseCache(bool value) { SetProperty(hpUseCache, value ? 1 : 0); }
String TickHttpClient::User() const { return TextProperty(hpUser); }
void TickHttpClient::SetUser(const String& value) { SetProperty(hpUser, TextArg(value)); }
String TickHttpClient::UserAgent() const { return TextProperty(hpUserAgent); }
void TickHttpClient::SetUserAgent(const String& value) { SetProperty(hpUserAgent, TextArg(value)); }
String TickHttpClient::WinInetVersion() const { return TextProperty(hpWinInetVersion); }
void TickHttpClient::SetProxyServerText(const String& value) { SetProperty(hpProxyServer, TextArg(value)); }

void TickHttpClient::RunAction(Byte action) {
    // A transfer started without waiting may still be reading the request
    // headers; this action is refused as busy (or stops it) anyway.
    if (!FCore->WorkerRunning()) {
        const String headers = FRequestHeaders->Text();
        SetProperty(hpRequestHeaders, TextArg(headers), static_cast<std::ptrdiff_t>(headers.size()));
    }
    // A handler run during the wait may free this component, and its core
    // with it; the core stays readable until we are done with it here.
    HttpEngine* core = FCore;
    const TErrorMaker makeError = FMakeError;
    core->AddRef();
    struct Hold {
        HttpEngine* Core;
        ~Hold() { Core->Release(); }
    } hold{core};
    const int result = HTTPCore::CoreSetProperty(core, CoreId(hpAction), 0, action, 0);
    if (core->Closing) {
        // The component is gone: only the failure, if any, can be told.
        if (result != 0) {
            const char* text = HTTPCore::CoreGetErrorText(core);
            std::rethrow_exception(makeError(result, text ? text : ""));
        }
        return;
    }
    if (result != 0) RaiseCoreError(result);
    // An action started without waiting has no results yet, and its worker
    // is still writing them.
    if (core->Timeout == CoreBase::NoWait && action != 0) return;
    const auto* response = reinterpret_cast<const char*>(Property(hpResponseHeaders));
    FResponseHeaders->SetText(response ? response : "");
    const auto* request = reinterpret_cast<const char*>(Property(hpRequestHeaders));
    FRequestHeaders->SetText(request ? request : "");
}

int TickHttpClient::DispatchCoreEvent(void* owner, int id, int, TCoreEventBlock& block) {
    return static_cast<TickHttpClient*>(owner)->Dispatch(id, block);
}

int TickHttpClient::Dispatch(int id, TCoreEventBlock& block) {
    auto* const sender = static_cast<TObject*>(this);
    switch (id) {
        case heEndTransfer:
            if (OnEndTransfer) OnEndTransfer(sender);
            break;
        case heError:
            if (OnError) OnError(sender, static_cast<int>(block.Args[0]), String(block.TextAt(1)));
            break;
        case heHeader:
            if (OnHeader) OnHeader(sender, String(block.TextAt(0)), String(block.TextAt(1)));
            break;
        case heStartTransfer:
            if (OnStartTransfer) OnStartTransfer(sender);
            break;
        case heStatus:
            if (OnStatus) OnStatus(sender, static_cast<int>(block.Args[0]), String(block.TextAt(1)));
            break;
        case heTransfer:
            if (OnTransfer)
                OnTransfer(sender, static_cast<int>(block.Args[0]),
                           String(block.TextAt(1), static_cast<std::size_t>(block.Args[2])));
            break;
        default:
            break;
    }
    return 0;
}
