// The HTTP and HTTPS components against servers that misbehave, one
// scripted behaviour a case: each transfer ends with an error that says
// why, within the bounds it was given, and the local file keeps what it
// had, with nothing beside it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "framework/testkit/LoopbackServer.h"
#include "support/TempDir.h"
#include "transfer/components/EickHTTP.h"
#include "transfer/components/EickHTTPS.h"
#include "transfer/components/ickHTTP.h"
#include "transfer/components/ickHTTPS.h"
#include "transfer/core/HttpEngine.h"

extern char** environ;

namespace {

using TMisbehaviour = TLoopbackServer::TMisbehaviour;
using TCertificate = TLoopbackServer::TCertificate;

std::vector<String> FilesIn(const String& dir) {
    std::vector<String> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
    return names;
}

// Bounds short enough for a test: a second of crawling is a time-out.
THttpLimits ShortLimits() {
    THttpLimits limits;
    limits.ConnectMs = 1000;
    limits.LowSpeedBytes = 1024;
    limits.LowSpeedMs = 1000;
    limits.MaxHeaderBytes = 64 * 1024;
    limits.MaxBodyBytes = 1024 * 1024;
    return limits;
}

// Runs a Get and returns the code it failed with (0: it did not fail).
template <class Component, class Error>
int FailureOf(Component& http, Byte action, String& message) {
    try {
        http.SetAction(static_cast<decltype(http.Action())>(action));
    } catch (const Error& e) {
        message = e.what();
        return e.Code;
    }
    return 0;
}

TEST(MisbehavingServer, EveryCaseEndsWithItsErrorAndTheOldFileKept) {
    struct Case {
        const char* Name;
        std::optional<TMisbehaviour> How;  // none: a plain answer
        bool Secure;
        TCertificate Certificate;
        int SecurityFlags;  // 16: the test's own authority is accepted
        int Code;
        const char* Message;
    };
    const Case cases[] = {
        {"endless headers", TMisbehaviour::EndlessHeaders, false, TCertificate::Valid, 0, 12152,
         "12152: [12152] Http Invalid Server Response."},
        {"endless body", TMisbehaviour::EndlessBody, false, TCertificate::Valid, 0, 145,
         "145: The response is larger than allowed."},
        {"short body", TMisbehaviour::ShortBody, false, TCertificate::Valid, 0, 12031,
         "12031: [12031] Internet Connection Reset."},
        {"absurd Content-Length", TMisbehaviour::AbsurdLength, false, TCertificate::Valid, 0, 12031,
         "12031: [12031] Internet Connection Reset."},
        {"unreadable Content-Length", TMisbehaviour::UnreadableLength, false, TCertificate::Valid, 0, 12031,
         "12031: [12031] Internet Connection Reset."},
        {"one byte a second", TMisbehaviour::Trickle, false, TCertificate::Valid, 0, 12002,
         "12002: [12002] Internet Timeout."},
        {"silent", TMisbehaviour::Silent, false, TCertificate::Valid, 0, 12002, "12002: [12002] Internet Timeout."},
        {"silent over TLS", TMisbehaviour::Silent, true, TCertificate::Valid, 16, 12002,
         "12002: [12002] Internet Timeout."},
        {"redirect loop", TMisbehaviour::RedirectLoop, false, TCertificate::Valid, 0, 12156,
         "12156: [12156] Http Redirect Failed."},
        {"redirect to file://", TMisbehaviour::RedirectToFile, false, TCertificate::Valid, 0, 12006,
         "12006: [12006] Internet Unrecognized Scheme."},
        {"TLS self-signed", std::nullopt, true, TCertificate::Valid, 0, 12045,
         "12045: [12045] Invalid Certification Authority."},
        {"TLS expired", std::nullopt, true, TCertificate::Expired, 16, 12037,
         "12037: [12037] The security Certificate has an invalid name - i.e. it's not the same name as the web "
         "site's one. Check the SecurityFlags property."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TLoopbackServer server(c.Secure, c.Certificate);
        if (c.How)
            server.Misbehave("/lists/language.txt", *c.How);
        else
            server.Serve("/lists/language.txt", TLoopbackServer::Response(200, "OK", "new"));
        TTempDir dir;
        WriteAll(dir.File("language.txt"), "the user's own list\n");
        String message;
        int code = 0;
        if (c.Secure) {
            TickHTTPS https(nullptr);
            https.Core()->Limits = ShortLimits();
            HTTPCore::CoreSetProperty(https.Core(), 26, 0, c.SecurityFlags, 0);
            https.SetURL(server.Url("/lists/language.txt"));
            https.SetLocalFile(dir.File("language.txt"));
            code = FailureOf<TickHTTPS, EickHTTPS>(https, ickhttpsGet, message);
        } else {
            TickHTTP http(nullptr);
            http.Core()->Limits = ShortLimits();
            http.SetURL(server.Url("/lists/language.txt"));
            http.SetLocalFile(dir.File("language.txt"));
            code = FailureOf<TickHTTP, EickHTTP>(http, ickhttpGet, message);
        }
        EXPECT_EQ(code, c.Code);
        EXPECT_EQ(message, c.Message);
        EXPECT_EQ(ReadAll(dir.File("language.txt")), "the user's own list\n");
        EXPECT_EQ(FilesIn(dir.Path()), std::vector<String>{"language.txt"});
    }
}

TEST(MisbehavingServer, ContentLengthCountsOnlyAsOneWholeNumber) {
    const std::pair<const char*, int> cases[] = {
        {"10", 0},     {"10, 10", 0},  {"10, 11", 12031}, {"10abc", 12031}, {"-1", 12031},
        {"", 12031},   {"9223372036854775807", 12031},    {"9223372036854775808", 12031},
    };
    for (const auto& [length, code] : cases) {
        SCOPED_TRACE(length);
        TLoopbackServer server;
        server.Serve("/x", "HTTP/1.1 200 OK\r\nContent-Length: " + String(length) +
                               "\r\nConnection: close\r\n\r\n0123456789");
        TTempDir dir;
        TickHTTP http(nullptr);
        http.SetURL(server.Url("/x"));
        http.SetLocalFile(dir.File("x"));
        String message;
        EXPECT_EQ((FailureOf<TickHTTP, EickHTTP>(http, ickhttpGet, message)), code);
        EXPECT_EQ(std::filesystem::exists(dir.File("x")), code == 0);
    }
}

TEST(MisbehavingServer, ConnectionThatIsNeverMadeTimesOut) {
    TFullListener nobody;
    TTempDir dir;
    TickHTTP http(nullptr);
    http.Core()->Limits = ShortLimits();
    http.SetURL("http://127.0.0.1:" + std::to_string(nobody.Port()) + "/x");
    http.SetLocalFile(dir.File("x"));
    String message;
    EXPECT_EQ((FailureOf<TickHTTP, EickHTTP>(http, ickhttpGet, message)), 12002);
    EXPECT_TRUE(FilesIn(dir.Path()).empty());
}

TEST(MisbehavingServer, BodyUpToTheBoundIsTakenAndOneByteMoreIsNot) {
    const THttpLimits limits = ShortLimits();
    const auto size = static_cast<std::size_t>(limits.MaxBodyBytes);
    struct Case {
        const char* Name;
        String Response;
        bool Taken;
    };
    const Case cases[] = {
        {"at the bound", TLoopbackServer::Response(200, "OK", String(size, 'x')), true},
        // Announced: refused before a byte is read.
        {"announced one more", TLoopbackServer::Response(200, "OK", String(size + 1, 'x')), false},
        // Unannounced: refused when the byte past the bound comes.
        {"sent one more", "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + String(size + 1, 'x'), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TLoopbackServer server;
        server.Serve("/big", c.Response);
        TTempDir dir;
        TickHTTP http(nullptr);
        http.Core()->Limits = limits;
        int received = 0;
        http.OnTransfer = [&received](TObject*, int total, const String&) { received = total; };
        http.SetURL(server.Url("/big"));
        http.SetLocalFile(dir.File("big"));
        String message;
        EXPECT_EQ((FailureOf<TickHTTP, EickHTTP>(http, ickhttpGet, message)), c.Taken ? 0 : 145);
        EXPECT_LE(received, static_cast<int>(size));
        EXPECT_EQ(std::filesystem::exists(dir.File("big")), c.Taken);
        if (c.Taken) {
            EXPECT_EQ(std::filesystem::file_size(dir.File("big")), size);
        }
    }
}

// A download killed midway (the helper below, run as a process of its own)
// leaves the file that was there and nothing else.
TEST(MisbehavingServer, DownloadKilledMidwayLeavesNoPartialFile) {
    TLoopbackServer server;
    server.Misbehave("/lists/language.txt", TMisbehaviour::Trickle);
    TTempDir dir;
    WriteAll(dir.File("language.txt"), "the user's own list\n");
    int out[2];
    ASSERT_EQ(pipe2(out, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string url = server.Url("/lists/language.txt");
    const std::string file = dir.File("language.txt");
    const char* argv[] = {self.c_str(), "--fetch", url.c_str(), file.c_str(), nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, self.c_str(), &actions, nullptr, const_cast<char**>(argv), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    // The helper says when the first bytes have gone to its file.
    String said;
    pollfd p{out[0], POLLIN, 0};
    char buf[64];
    while (said.find('\n') == String::npos && poll(&p, 1, 20000) > 0) {
        const ssize_t n = read(out[0], buf, sizeof buf);
        if (n <= 0) break;
        said.append(buf, static_cast<std::size_t>(n));
    }
    close(out[0]);
    EXPECT_EQ(said, "receiving\n");
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(ReadAll(dir.File("language.txt")), "the user's own list\n");
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<String>{"language.txt"});
}

}  // namespace

// The helper: fetches a URL into a file and says "receiving" on its output
// once the first bytes are in. Called from main.
int FetchUntilKilled(const String& url, const String& file) {
    TickHTTP http(nullptr);
    bool told = false;
    http.OnTransfer = [&told](TObject*, int, const String&) {
        if (told) return;
        told = true;
        (void)!write(1, "receiving\n", 10);
    };
    http.SetURL(url);
    http.SetLocalFile(file);
    try {
        http.SetAction(ickhttpGet);
    } catch (const EickHTTP&) {
        return 1;
    }
    return 0;
}
