// The HTTP core's properties through its call interface: form variables,
// URL splitting, the scheme and the errors of writes.
#include <gtest/gtest.h>

#include "framework/classes/StringList.h"
#include "framework/testkit/LoopbackServer.h"
#include "transfer/components/EickHTTP.h"
#include "transfer/components/ickHTTP.h"
#include "transfer/core/ErrorTexts.h"
#include "transfer/core/HttpEngine.h"

namespace {

struct Core {
    HttpEngine* E = HTTPCore::CoreCreate(nullptr, nullptr);
    ~Core() { HTTPCore::CoreDestroy(E); }
    int Set(int id, const char* text, int index = 0) {
        return HTTPCore::CoreSetProperty(E, id, index, reinterpret_cast<std::intptr_t>(text), 0);
    }
    int Set(int id, std::intptr_t value, int index = 0) { return HTTPCore::CoreSetProperty(E, id, index, value, 0); }
    String Text(int id, int index = 0) {
        const auto* t = reinterpret_cast<const char*>(HTTPCore::CoreGetProperty(E, id, index));
        return t ? t : "";
    }
    String Error() {
        const char* t = HTTPCore::CoreGetErrorText(E);
        return t ? t : "";
    }
};

TEST(HttpEngine, FormVariableCountAndIndexesAreChecked) {
    Core c;
    EXPECT_EQ(c.Set(hpVarCount, std::intptr_t{1025}), crTooManyVars);
    EXPECT_EQ(c.Error(), "value too large");
    ASSERT_EQ(c.Set(hpVarCount, std::intptr_t{2}), 0);
    EXPECT_EQ(c.Text(hpContentType), "application/x-www-form-urlencoded");
    for (int index : {0, 3}) {
        EXPECT_EQ(c.Set(hpVarName, "n", index), crVarIndex) << index;
        EXPECT_EQ(c.Error(), "VarIndex out of bounds");
        EXPECT_EQ(HTTPCore::CoreCheckProperty(c.E, hpVarValue, index), crCheckVarIndex);
        EXPECT_EQ(HTTPCore::CoreGetProperty(c.E, hpVarValue, index), 0);
    }
    EXPECT_EQ(HTTPCore::CoreCheckProperty(c.E, hpVarValue, 2), 0);
    c.Set(hpVarName, "we ird", 1);
    c.Set(hpVarValue, "\xE9*-.@_~", 1);
    c.Set(hpVarName, "b", 2);
    std::ptrdiff_t n = 0;
    const auto* body = reinterpret_cast<const char*>(HTTPCore::CoreGetProperty(c.E, hpRequestBody, 0, &n));
    EXPECT_EQ(String(body, static_cast<std::size_t>(n)), "we%20ird=%E9*-.@_%7E&b=");
    // A body written outright replaces the variables.
    const char raw[] = "x\0y";
    HTTPCore::CoreSetProperty(c.E, hpRequestBody, 0, reinterpret_cast<std::intptr_t>(raw), 3);
    EXPECT_EQ(HTTPCore::CoreGetProperty(c.E, hpVarCount, 0), 0);
    body = reinterpret_cast<const char*>(HTTPCore::CoreGetProperty(c.E, hpRequestBody, 0, &n));
    EXPECT_EQ(String(body, static_cast<std::size_t>(n)), String("x\0y", 3));
}

TEST(HttpEngine, UrlIsSplitIntoItsParts) {
    struct Case {
        const char* Url;
        const char* Scheme;
        const char* Host;
        std::intptr_t Port;
        const char* Path;
    };
    const Case cases[] = {
        {"http://example.org/lists/a.txt?x=1%262#top", "http", "example.org", 80, "/lists/a.txt?x=1%262#top"},
        {"HTTPS://Example.org:8443/", "HTTPS", "Example.org", 8443, "/"},
        {"ftp://files.example.org/pub", "ftp", "files.example.org", 21, "/pub"},
        {"http://example.org", "http", "example.org", 80, ""},
        {"no scheme here", "", "", 80, ""},
    };
    for (const Case& k : cases) {
        Core c;
        EXPECT_EQ(c.Set(hpURL, k.Url), 0) << k.Url;
        EXPECT_EQ(c.Text(hpScheme), k.Scheme) << k.Url;
        EXPECT_EQ(c.Text(hpHost), k.Host) << k.Url;
        EXPECT_EQ(HTTPCore::CoreGetProperty(c.E, hpPort, 0), k.Port) << k.Url;
        EXPECT_EQ(c.Text(hpObjectPath), k.Path) << k.Url;
        EXPECT_EQ(c.Text(hpURL), k.Url);
    }
}

TEST(HttpEngine, WritesOfUnknownOrReadOnlyIdsAndBadSchemesFail) {
    Core c;
    for (int id : {int{hpResponseHeaders}, int{hpMemoryBody}, int{hpStatusLine}, int{hpWinInetVersion}, 38, 0, 255})
        EXPECT_EQ(c.Set(id, std::intptr_t{0}), -1) << id;
    EXPECT_EQ(c.Set(hpScheme, "gopher"), crBadScheme);
    EXPECT_EQ(c.Error(), "Specified URLScheme is invalid.");
    EXPECT_EQ(c.Set(hpScheme, "HTTPS"), 0);
    EXPECT_EQ(c.Text(hpHttpVersion), "HTTP/1.0");
    EXPECT_EQ(HTTPCore::CoreGetProperty(c.E, hpAction, 0), 0);
    // Idle with nothing running closes what is open and succeeds.
    EXPECT_EQ(c.Set(hpAction, std::intptr_t{0}), 0);
}

TEST(HttpComponentNoWait, ActionReturnsAtOnceAndIsBusyUntilIdle) {
    TLoopbackServer server;
    server.ServeAndHold("/slow", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n");
    TickHTTP http(nullptr);
    http.SetURL(server.Url("/slow"));
    http.SetTimeout(-1);
    http.SetAction(ickhttpGet);
    try {
        http.SetAction(ickhttpGet);
        ADD_FAILURE() << "not busy";
    } catch (const EickHTTP& e) {
        EXPECT_EQ(e.Code, 143);
    }
    http.SetAction(ickhttpIdle);  // stops and collects the worker
    http.SetTimeout(0);
    server.Serve("/quick", TLoopbackServer::Response(200, "OK", "q", "X-Q: 1\r\n"));
    http.SetURL(server.Url("/quick"));
    http.SetAction(ickhttpGet);
    EXPECT_NE(http.ResponseHeaders()->IndexOf("X-Q: 1"), -1);
}

}  // namespace
