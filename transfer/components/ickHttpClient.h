#pragma once
// What TickHTTP and TickHTTPS share: the properties, events and Action
// sequence of the HTTP client over its core. Each of the two publishes it
// under its own name, with its own exception and action type; the secure
// one's core numbers its later properties one higher.
#include <functional>
#include <memory>

#include "transfer/components/ickCore.h"

class HttpEngine;
class TStringList;
struct TCoreEventBlock;

using TickHeaderEvent = std::function<void(TObject* Sender, const String& Field, const String& Value)>;
using TickStatusEvent = std::function<void(TObject* Sender, int StatusCode, const String& Description)>;
using TickErrorEvent = std::function<void(TObject* Sender, int ErrorCode, const String& Description)>;
using TickTransferEvent = std::function<void(TObject* Sender, int BytesTransferred, const String& Text)>;

class TickHttpClient : public TickCore {
public:
    ~TickHttpClient() override;

    String Accept() const;
    void SetAccept(const String& value);
    bool AllowCookies() const;
    void SetAllowCookies(bool value);
    bool KeepAlive() const;
    void SetKeepAlive(bool value);
    String LocalFile() const;
    void SetLocalFile(const String& value);
    String Password() const;
    void SetPassword(const String& value);
    int Timeout() const;
    void SetTimeout(int value);
    String URL() const;
    void SetURL(const String& value);
    bool UseCache() const;
    void SetUseCache(bool value);
    String User() const;
    void SetUser(const String& value);
    String UserAgent() const;
    void SetUserAgent(const String& value);
    String WinInetVersion() const;
    // Read-only: stored windows may write it, and nothing happens.
    void SetWinInetVersion(const String& value) { TickCore::SetWinInetVersion(value); }

    // The response header lines of the last action, and extra request
    // header lines sent with each action.
    TStringList* ResponseHeaders() const { return FResponseHeaders.get(); }
    TStringList* RequestHeaders() const { return FRequestHeaders.get(); }

    TNotifyEvent OnEndTransfer;
    TickErrorEvent OnError;
    TickHeaderEvent OnHeader;
    TNotifyEvent OnStartTransfer;
    TickStatusEvent OnStatus;
    TickTransferEvent OnTransfer;

    // The core, for what the component does not publish (the HTTP core's
    // other settings, the HTTPS core's security flags).
    HttpEngine* Core() const { return FCore; }
    // The core's property id for an HTTP core id.
    int CoreId(int httpId) const;

    std::exception_ptr MakeError(int code, const String& text) override { return FMakeError(code, text); }

protected:
    // The exception of the publishing class, made without the component
    // (which a handler may have freed by the time an action fails).
    using TErrorMaker = std::exception_ptr (*)(int code, const String& text);
    TickHttpClient(TComponent* owner, bool secure, const char* createError, TErrorMaker makeError);
    // Sends RequestHeaders, runs the action and waits for it, then takes
    // the response headers; a failure raises the publishing class's
    // exception and leaves both lists as they were.
    void RunAction(Byte action);
    void SetProxyServerText(const String& value);
    const char* CoreErrorText() const override;

private:
    static int DispatchCoreEvent(void* owner, int id, int argCount, TCoreEventBlock& block);
    int Dispatch(int id, TCoreEventBlock& block);
    void SetProperty(int httpId, std::intptr_t value, std::ptrdiff_t length = 0);
    String TextProperty(int httpId) const;
    std::intptr_t Property(int httpId) const;

    HttpEngine* FCore = nullptr;
    bool FSecure;
    TErrorMaker FMakeError;
    std::unique_ptr<TStringList> FResponseHeaders;
    std::unique_ptr<TStringList> FRequestHeaders;
};
