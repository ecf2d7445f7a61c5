// The local channel through which a later copy of the program hands the
// first one a message: what the listener makes of the bytes a sender
// writes, and the socket it keeps (this user's only, taken over from a
// copy that crashed, gone when the listener is).
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "framework/messages/MessageQueue.h"
#include "framework/system/LocalChannel.h"
#include "support/TempDir.h"

namespace {

class LocalChannelTest : public ::testing::Test {
protected:
    TTempDir Dir;
    TEnvOverride Runtime{"XDG_RUNTIME_DIR", Dir.Path().c_str()};
    std::vector<String> Received;
    TLocalChannelServer::TMessageHandler Collect = [this](const String& m) { Received.push_back(m); };

    bool WaitFor(size_t count) {
        return PumpMessagesUntil([&] { return Received.size() >= count; }, 10000);
    }
};

// A sender's socket, connected to the channel `name`.
int Connect(const String& name) {
    const String path = LocalChannelPath(name);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

struct TBytesCase {
    const char* Name;
    std::string Bytes;
    bool CloseAfter;
    std::string Expected;
};

// Each sender writes its bytes (and maybe closes), and a second sender
// writes "next"; the two may be read in either order. A message that came
// late would turn up in the next case.
TEST_F(LocalChannelTest, ListenerTakesTheFirstLineOfEachSender) {
    const TBytesCase cases[] = {
        {"line", "come forward\n", false, "come forward"},
        {"only the first line", "one\ntwo\n", false, "one"},
        {"no line end, then closed", "bare", true, "bare"},
        {"cut to the longest message", std::string(300, 'x'), false, std::string(255, 'x')},
        {"empty line is no message", "\n", false, ""},
        {"closed without a byte", "", true, ""},
    };
    TLocalChannelServer server("channel", Collect);
    ASSERT_TRUE(server.Listening());
    for (const TBytesCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Received.clear();
        const int fd = Connect("channel");
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::send(fd, c.Bytes.data(), c.Bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(c.Bytes.size()));
        if (c.CloseAfter) ::close(fd);
        ASSERT_TRUE(SendLocalChannelMessage("channel", "next"));
        ASSERT_TRUE(WaitFor(c.Expected.empty() ? 1 : 2));
        ProcessMessages();
        std::vector<String> expected;
        if (!c.Expected.empty()) expected.push_back(c.Expected);
        expected.push_back("next");
        std::sort(Received.begin(), Received.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(Received, expected);
        if (!c.CloseAfter) ::close(fd);
    }
}

TEST_F(LocalChannelTest, SocketIsThisUsersTakesOverALeftOneAndGoesWithTheListener) {
    const String path = LocalChannelPath("channel");
    std::ofstream(path) << "left by a copy that crashed";
    {
        TLocalChannelServer server("channel", Collect);
        ASSERT_TRUE(server.Listening());
        EXPECT_EQ(server.PathName(), path);
        struct stat st{};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_TRUE(S_ISSOCK(st.st_mode));
        EXPECT_EQ(st.st_mode & 0777, 0600u);
        ASSERT_TRUE(SendLocalChannelMessage("channel", "multi\nline"));
        ASSERT_TRUE(WaitFor(1));
        EXPECT_EQ(Received, std::vector<String>{"multi line"});
    }
    EXPECT_NE(::access(path.c_str(), F_OK), 0);
    EXPECT_FALSE(SendLocalChannelMessage("channel", "nobody listens"));
}

}  // namespace
