#pragma once
// The HTTP client component: set its properties, then assign Action; the
// assignment returns when the transfer is over, its events having run on
// this thread meanwhile. Failures raise EickHTTP.
#include "transfer/components/ickHttpClient.h"

enum TickhttpActions : Byte {
    ickhttpIdle = 0,
    ickhttpGet = 1,
    ickhttpPost = 2,
    ickhttpHead = 3,
    ickhttpResetHeaders = 4,
    ickhttpPut = 5,
};

class TickHTTP : public TickHttpClient {
public:
    explicit TickHTTP(TComponent* owner);
    String ClassName() const override { return "TickHTTP"; }

    // Always ickhttpIdle: an action is over when its assignment returns.
    TickhttpActions Action() const { return ickhttpIdle; }
    void SetAction(TickhttpActions value) { RunAction(value); }
    // Write-only: a non-empty proxy list makes requests go through it.
    void SetProxyServer(const String& value) { SetProxyServerText(value); }
};
