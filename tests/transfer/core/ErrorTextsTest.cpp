// How a core's failure is worded: the internet library's table, the kit's
// own codes, and the status texts.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "transfer/core/CoreBase.h"
#include "transfer/core/ErrorTexts.h"

namespace {

TEST(ErrorTable, HoldsTheLibrarysCodesOnce) {
    std::set<int> codes;
    int rows = 0;
    for (const TErrorTableRow* r = ErrorTable; r->Code != 0; ++r, ++rows) {
        codes.insert(r->Code);
        const std::size_t n = std::strlen(r->Text);
        ASSERT_GT(n, 0u) << r->Code;
        EXPECT_EQ(r->Text[n - 1], '.') << r->Code;
    }
    EXPECT_EQ(rows, 76);
    EXPECT_EQ(static_cast<int>(codes.size()), rows);
    auto range = [&](int from, int to) {
        for (int c = from; c <= to; ++c) EXPECT_TRUE(codes.count(c)) << c;
    };
    range(12001, 12034);
    range(12036, 12050);
    range(12052, 12053);
    range(12110, 12112);
    range(12150, 12171);
    EXPECT_FALSE(codes.count(12035));
    EXPECT_FALSE(codes.count(12051));
}

struct TextCase {
    int Code;
    const char* Text;
    int Found;
};

TEST(ErrorTable, ComposesCodeAndText) {
    const TextCase cases[] = {
        {12007, "[12007] Internet Name Not Resolved.", 0},
        {12005, "[12005] Internet Invalid Url.", 0},
        {12029, "[12029] Internet Cannot Connect.", 0},
        {12034, "[12034] Internet Need UI.", 0},
        {12052, "[12052] Internet Https Http Submit Redir.", 0},
        {12111, "[12111] FTP connection dropped.", 0},
        {12150, "[12150] Http Header Not Found.", 0},
        {12171, "[12171] Failed due to security check.", 0},
        {12039,
         "[12039] Not allowed HTTP to HTTPS redirection. Check also the SecurityFlags property.", 0},
        {12035, "[12035] (no description available)", 1},
        {-1, "[65535] (no description available)", 1},
        // Codes are 16 bits wide: 77537 is 12001 + 65536.
        {12001 + 65536, "[12001] Internet Out Of Handles.", 0},
    };
    for (const auto& c : cases) {
        String out;
        EXPECT_EQ(FormatErrorText(c.Code, out), c.Found) << c.Code;
        EXPECT_EQ(out, c.Text);
    }
}

class ServerCore : public CoreBase {
protected:
    String InternetResponseText() override { return "550 No such file\r\n"; }
};

TEST(SetError, ChoosesTheTextOnce) {
    ServerCore core;
    EXPECT_EQ(core.SetError(0), 0);
    EXPECT_EQ(core.ErrorText(), nullptr);

    EXPECT_EQ(core.SetError(12029), 12029);
    EXPECT_STREQ(core.ErrorText(), "[12029] Internet Cannot Connect.");
    // A text already set is what the failure shows.
    core.SetErrorText("No server specified in URL.");
    EXPECT_EQ(core.SetError(152), 152);
    EXPECT_STREQ(core.ErrorText(), "No server specified in URL.");
    // ...except for the two codes whose texts are fixed.
    core.SetErrorText(CoreTexts::STimeout);
    core.SetError(crInterrupted);
    EXPECT_STREQ(core.ErrorText(), "Interrupted.");
    core.SetError(crOutOfMemory);
    EXPECT_STREQ(core.ErrorText(), "Out of memory.");
    // An empty text counts as none.
    core.SetErrorText("");
    core.SetError(12035);
    EXPECT_STREQ(core.ErrorText(), "[12035] (no description available)");
    core.ClearErrorText();
    core.SetError(InternetExtendedError);
    EXPECT_STREQ(core.ErrorText(), "550 No such file\r\n");
    core.ClearErrorText();
    core.SetError(crBusy);
    EXPECT_STREQ(core.ErrorText(), "[143] (no description available)");

    // The parser's plain setter words only 200.
    core.ClearErrorText();
    EXPECT_EQ(core.SetPlainError(-1), -1);
    EXPECT_EQ(core.ErrorText(), nullptr);
    EXPECT_EQ(core.SetPlainError(200), 200);
    EXPECT_STREQ(core.ErrorText(), "Out of memory.");
}

TEST(StatusText, WordsEveryNotification) {
    struct Case {
        DWORD Status;
        const void* Info;
        const char* Text;  // null: no event at all
    };
    const DWORD online = 1, offline = 16, other = 4;
    const Case cases[] = {
        {10, "example.org", "Looking up the IP address example.org"},
        {10, nullptr, "Looking up the IP address"},
        {11, "192.0.2.1", "Successfully found the IP address 192.0.2.1"},
        {20, "192.0.2.1:80", "Connecting to the socket address 192.0.2.1:80"},
        {21, "192.0.2.1:80", "Successfully connected to 192.0.2.1:80"},
        {30, "ignored", "Sending the information request to the server."},
        {31, nullptr, "Successfully sent the information request to the server."},
        {40, nullptr, "Waiting for the server to respond to a request."},
        {41, nullptr, "Successfully received a response from the server."},
        {43, "x", ""},
        {50, nullptr, "Closing the connection to the server."},
        {51, nullptr, "Successfully closed the connection to the server."},
        {60, nullptr, nullptr},
        {70, nullptr, nullptr},
        {100, nullptr, "An asynchronous operation has been completed."},
        {110, "https://b/", "An HTTP request is about to automatically redirect the request to https://b/"},
        {120, nullptr, "Received an intermediate (100 level) status code message from the server."},
        {200, &online, "Online state."},
        {200, &offline, "Offline by user request."},
        {200, &other, "Moved between a secure (HTTPS) and a nonsecure (HTTP) site."},
        {999, nullptr, "Unknown state ?!"},
    };
    for (const auto& c : cases) {
        String text = "unchanged";
        const bool raised = StatusText(c.Status, c.Info, text);
        EXPECT_EQ(raised, c.Text != nullptr) << c.Status;
        if (c.Text) {
            EXPECT_EQ(text, c.Text) << c.Status;
        }
    }
}

}  // namespace
