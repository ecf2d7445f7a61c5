#pragma once
// The HTTPS client component: TickHTTP's twin that also serves https URLs.
// It offers no proxy setting. Failures raise EickHTTPS.
#include "transfer/components/ickHttpClient.h"

enum TickhttpsActions : Byte {
    ickhttpsIdle = 0,
    ickhttpsGet = 1,
    ickhttpsPost = 2,
    ickhttpsHead = 3,
    ickhttpsResetHeaders = 4,
    ickhttpsPut = 5,
};

class TickHTTPS : public TickHttpClient {
public:
    explicit TickHTTPS(TComponent* owner);
    String ClassName() const override { return "TickHTTPS"; }

    TickhttpsActions Action() const { return ickhttpsIdle; }
    void SetAction(TickhttpsActions value) { RunAction(value); }
};
