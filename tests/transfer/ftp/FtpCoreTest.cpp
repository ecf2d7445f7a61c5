// The FTP core against a loopback FTP server: connecting and logging in,
// the one-call actions, listings, downloads and uploads, and the runner's
// busy and stop rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "framework/testkit/FtpLoopbackServer.h"
#include "support/TempDir.h"
#include "transfer/core/ErrorTexts.h"
#include "transfer/core/FtpCore.h"

namespace {

struct Event {
    int Id;
    String A;
    std::intptr_t Flag = 0;
    std::intptr_t Size = 0;
    String Date, Time;
};

// Owns a core the way a component would, and records its events.
class Ftp {
public:
    explicit Ftp(Word port) {
        Core = FTPCore::CoreCreate(this, &Ftp::Callback);
        Set(fpRemoteHost, "127.0.0.1");
        Set(fpRemotePort, port);
        Set(fpPassive, 1);
    }
    ~Ftp() { FTPCore::CoreDestroy(Core); }

    int Set(int id, std::intptr_t value) { return FTPCore::CoreSetProperty(Core, id, 0, value, 0); }
    int Set(int id, const String& text) {
        return FTPCore::CoreSetProperty(Core, id, 0, reinterpret_cast<std::intptr_t>(text.c_str()), 0);
    }
    String Text(int id) const {
        const auto* t = reinterpret_cast<const char*>(FTPCore::CoreGetProperty(Core, id, 0));
        return t ? String(t) : String();
    }
    int Action(Byte action) { return Set(fpAction, action); }
    String Error() const {
        const char* t = FTPCore::CoreGetErrorText(Core);
        return t ? t : "";
    }
    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (const auto& e : Events) ids.push_back(e.Id);
        return ids;
    }

    FtpCore* Core;
    std::vector<Event> Events;
    std::function<void(const Event&)> OnEvent;

private:
    static int Callback(void* owner, int id, int, TCoreEventBlock& block) {
        auto* self = static_cast<Ftp*>(owner);
        Event e{id, "", 0, 0, "", ""};
        if (id == feListItem) {
            e = {id, block.TextAt(0), block.Args[1], block.Args[2], block.TextAt(3), block.TextAt(4)};
        } else if (id == feStatus) {
            e = {id, block.TextAt(1), block.Args[0], 0, "", ""};
        } else if (id == feTransfer) {
            e = {id, String(block.TextAt(1), static_cast<std::size_t>(block.Args[2])), 0, block.Args[0], "", ""};
        }
        self->Events.push_back(e);
        if (self->OnEvent) self->OnEvent(e);
        return 0;
    }
};

class FtpTest : public ::testing::Test {
protected:
    FtpTest() : Server("webmaster", "secret") {
        Server.AddFile("/pub/lists/language.txt", "English\r\nGerman\r\n");
        Server.AddFile("/pub/readme.txt", "read me");
        Server.AddDir("/pub/schemas");
    }
    std::unique_ptr<Ftp> LoggedIn() {
        auto ftp = std::make_unique<Ftp>(Server.Port());
        ftp->Set(fpUser, "webmaster");
        ftp->Set(fpPassword, "secret");
        return ftp;
    }
    TFtpLoopbackServer Server;
    TTempDir Dir;
    const std::thread::id Owner = std::this_thread::get_id();
};

TEST_F(FtpTest, ConnectLogsInAndReportsIt) {
    auto ftp = LoggedIn();
    EXPECT_EQ(ftp->Action(faConnect), 0) << ftp->Error();
    ASSERT_EQ(ftp->Events.size(), 2u);
    EXPECT_EQ(ftp->Events[0].Flag, 20);
    EXPECT_EQ(ftp->Events[0].A, "Connecting to server");
    EXPECT_EQ(ftp->Events[1].A, "Connected to server");
    EXPECT_EQ(ftp->Text(fpRemotePath), "/");

    EXPECT_EQ(ftp->Action(faDisconnect), 0);
    EXPECT_EQ(ftp->Events.back().Flag, 51);
    EXPECT_EQ(ftp->Events.back().A, "Closed the connection to the server.");
}

TEST_F(FtpTest, LoginAndHostFailuresSayWhy) {
    auto ftp = std::make_unique<Ftp>(Server.Port());
    ftp->Set(fpUser, "webmaster");
    ftp->Set(fpPassword, "wrong");
    EXPECT_EQ(ftp->Action(faConnect), 12015);
    EXPECT_EQ(ftp->Error(), "530 Login incorrect.");
    EXPECT_EQ(ftp->Text(fpLastResponse), "530 Login incorrect.");

    Ftp noHost(Server.Port());
    noHost.Set(fpRemoteHost, "");
    EXPECT_EQ(noHost.Action(faDelete), 102);  // connects first, and cannot
    EXPECT_EQ(noHost.Error(), "The RemoteHost address is invalid");

    Word closedPort = 0;
    {
        TFtpLoopbackServer gone("a", "b");
        closedPort = gone.Port();
    }
    Ftp refused(closedPort);
    EXPECT_EQ(refused.Action(faConnect), 12029);
    EXPECT_EQ(refused.Error(), "[12029] Internet Cannot Connect.");
}

TEST_F(FtpTest, FoldersAreChangedMadeAndRemoved) {
    auto ftp = LoggedIn();
    EXPECT_EQ(ftp->Set(fpRemotePath, "/pub"), 0);  // not connected yet: stored only
    ASSERT_EQ(ftp->Action(faConnect), 0);
    EXPECT_EQ(ftp->Set(fpRemotePath, "/pub"), 0) << ftp->Error();
    EXPECT_EQ(ftp->Text(fpRemotePath), "/pub");
    EXPECT_EQ(ftp->Set(fpRemotePath, "lists"), 0);
    EXPECT_EQ(ftp->Text(fpRemotePath), "/pub/lists");
    EXPECT_EQ(ftp->Set(fpRemotePath, "/nowhere"), 12003);
    EXPECT_EQ(ftp->Error(), "550 /nowhere: No such directory.");
    EXPECT_EQ(ftp->Text(fpRemotePath), "/pub/lists");

    ftp->Set(fpRemotePath, "/pub");
    ftp->Set(fpRemoteFile, "new");
    EXPECT_EQ(ftp->Action(faMakeDir), 0);
    EXPECT_TRUE(Server.HasDir("/pub/new"));
    EXPECT_EQ(ftp->Events.back().Flag, 31);
    EXPECT_EQ(ftp->Events.back().A, "Successfully sent the information request to the server.");
    EXPECT_EQ(ftp->Action(faMakeDir), 12003);
    EXPECT_EQ(ftp->Action(faRemoveDir), 0);
    EXPECT_FALSE(Server.HasDir("/pub/new"));
}

TEST_F(FtpTest, FilesAreDeletedAndRenamed) {
    auto ftp = LoggedIn();
    ftp->Set(fpRemotePath, "/pub");
    ftp->Set(fpRemoteFile, "/pub/readme.txt");
    ftp->Set(fpDestinationName, "/pub/README");
    EXPECT_EQ(ftp->Action(faRename), 0) << ftp->Error();  // connects first
    EXPECT_TRUE(Server.HasFile("/pub/README"));
    ftp->Set(fpRemoteFile, "/pub/README");
    EXPECT_EQ(ftp->Action(faDelete), 0);
    EXPECT_FALSE(Server.HasFile("/pub/README"));
    EXPECT_EQ(ftp->Action(faDelete), 12003);
    EXPECT_EQ(ftp->Error(), "550 /pub/README: No such file.");
}

TEST_F(FtpTest, ListingWithDetailsGivesEveryEntry) {
    auto ftp = LoggedIn();
    ftp->Set(fpReceivedDataLimit, 100000);
    ASSERT_EQ(ftp->Action(faConnect), 0);
    ftp->Set(fpRemotePath, "/pub");
    ftp->Events.clear();
    EXPECT_EQ(ftp->Action(faList), 0) << ftp->Error();
    ASSERT_EQ(ftp->Ids(), (std::vector<int>{feStartTransfer, feListItem, feListItem, feListItem, feEndTransfer}));
    std::map<String, Event> items;
    for (const auto& e : ftp->Events)
        if (e.Id == feListItem) items[e.A] = e;
    EXPECT_EQ(items["lists"].Flag, 16);
    EXPECT_EQ(items["schemas"].Flag, 16);
    EXPECT_EQ(items["readme.txt"].Flag, 0);
    EXPECT_EQ(items["readme.txt"].Size, 7);
    EXPECT_EQ(items["readme.txt"].Date, "05/03/2021");
    EXPECT_EQ(items["readme.txt"].Time, "00:00:00");
    std::ptrdiff_t n = 0;
    const auto* data = reinterpret_cast<const char*>(FTPCore::CoreGetProperty(ftp->Core, fpReceivedData, 0, &n));
    EXPECT_NE(String(data, static_cast<std::size_t>(n)).find("readme.txt\t \t7\t05/03/2021\t00:00:00\n"),
              String::npos);

    // Names only, through a pattern.
    ftp->Events.clear();
    ftp->Set(fpRemoteFile, "*.txt");
    EXPECT_EQ(ftp->Action(faListNames), 0);
    ASSERT_EQ(ftp->Ids(), (std::vector<int>{feStartTransfer, feListItem, feEndTransfer}));
    EXPECT_EQ(ftp->Events[1].A, "readme.txt");
    EXPECT_EQ(ftp->Events[1].Date, "");
}

TEST_F(FtpTest, EmptyFolderListsAsStartAndEnd) {
    auto ftp = LoggedIn();
    ASSERT_EQ(ftp->Action(faConnect), 0);
    ftp->Set(fpRemotePath, "/pub/schemas");
    ftp->Events.clear();
    EXPECT_EQ(ftp->Action(faList), 0);
    EXPECT_EQ(ftp->Ids(), (std::vector<int>{feStartTransfer, feEndTransfer}));
}

TEST_F(FtpTest, DownloadReplacesTheLocalFileOnlyWhenWhole) {
    auto ftp = LoggedIn();
    ftp->Set(fpRemoteFile, "/pub/lists/language.txt");
    ftp->Set(fpLocalFile, Dir.File("language.txt"));
    EXPECT_EQ(ftp->Action(faGet), 0) << ftp->Error();
    EXPECT_EQ(ReadAll(Dir.File("language.txt")), "English\r\nGerman\r\n");
    const auto ids = ftp->Ids();
    EXPECT_EQ(std::count(ids.begin(), ids.end(), feStartTransfer), 1);
    EXPECT_EQ(ids.back(), feEndTransfer);

    // Without a local file the data comes through the transfer texts.
    ftp->Set(fpLocalFile, "");
    ftp->Events.clear();
    EXPECT_EQ(ftp->Action(faGet), 0);
    String text;
    for (const auto& e : ftp->Events)
        if (e.Id == feTransfer) text += e.A;
    EXPECT_EQ(text, "English\r\nGerman\r\n");

    ftp->Set(fpLocalFile, Dir.File("language.txt"));
    ftp->Set(fpRemoteFile, "/pub/lists/none.txt");
    EXPECT_EQ(ftp->Action(faGet), 12003);
    EXPECT_EQ(ftp->Error(), "550 /pub/lists/none.txt: No such file.");
    EXPECT_EQ(ReadAll(Dir.File("language.txt")), "English\r\nGerman\r\n");
}

// Many chunks, which the worker reads ahead of their handlers: each still
// reports the running total, and ReceivedData holds exactly the bytes
// reported so far.
TEST_F(FtpTest, EveryChunkIsReportedOnTheOwnersThreadWithTheDataSoFar) {
    String body;
    for (int i = 0; body.size() < 300000; ++i) body += std::to_string(i) + ",";
    Server.AddFile("/numbers.txt", body);
    auto ftp = LoggedIn();
    ftp->Set(fpRemoteFile, "/numbers.txt");
    ftp->Set(fpReceivedDataLimit, 1 << 20);
    String text;
    int wrong = 0;
    ftp->OnEvent = [&](const Event& e) {
        if (e.Id != feTransfer) return;
        text += e.A;
        std::ptrdiff_t kept = -1;
        FTPCore::CoreGetProperty(ftp->Core, fpReceivedData, 0, &kept);
        if (e.Size != static_cast<std::intptr_t>(text.size()) || kept != e.Size ||
            std::this_thread::get_id() != Owner)
            ++wrong;
    };
    EXPECT_EQ(ftp->Action(faGet), 0) << ftp->Error();
    EXPECT_EQ(text, body);
    EXPECT_EQ(wrong, 0);
    std::ptrdiff_t n = 0;
    const auto* data = reinterpret_cast<const char*>(FTPCore::CoreGetProperty(ftp->Core, fpReceivedData, 0, &n));
    EXPECT_EQ(String(data, static_cast<std::size_t>(n)), body);
    EXPECT_EQ(ftp->Events.back().Id, feEndTransfer);
}

TEST_F(FtpTest, DownloadLimitStopsAtTheFirstChunkThatWouldPassIt) {
    String big(6000, 'x');
    Server.AddFile("/big.bin", big);
    auto ftp = LoggedIn();
    ftp->Set(fpRemoteFile, "/big.bin");
    ftp->Set(fpReceivedDataLimit, 10);
    EXPECT_EQ(ftp->Action(faGet), 0);
    EXPECT_EQ(FTPCore::CoreGetProperty(ftp->Core, fpReceivedData, 0), 0);
}

TEST_F(FtpTest, UploadStoresTheLocalFile) {
    WriteAll(Dir.File("up.txt"), String(10000, 'u'));
    auto ftp = LoggedIn();
    ftp->Set(fpPassive, 0);  // the server connects back for the data
    ftp->Set(fpLocalFile, Dir.File("up.txt"));
    ftp->Set(fpRemoteFile, "/pub/up.txt");
    EXPECT_EQ(ftp->Action(faPut), 0) << ftp->Error();
    EXPECT_EQ(Server.FileContent("/pub/up.txt"), String(10000, 'u'));
    EXPECT_EQ(ftp->Events.back().Id, feEndTransfer);
    std::intptr_t last = 0;
    for (const auto& e : ftp->Events)
        if (e.Id == feTransfer) last = e.Size;
    EXPECT_EQ(last, 10000);

    ftp->Set(fpLocalFile, "");
    EXPECT_EQ(ftp->Action(faPut), 145);
    EXPECT_EQ(ftp->Error(), "Please specify a local file for upload.");
    ftp->Set(fpLocalFile, Dir.File("missing.txt"));
    EXPECT_EQ(ftp->Action(faPut), 302);
    EXPECT_EQ(ftp->Error(), "Can't open LocalFile");
    ftp->Set(fpLocalFile, Dir.File("up.txt"));
    ftp->Set(fpRemoteFile, "/nowhere/up.txt");
    EXPECT_EQ(ftp->Action(faPut), 12003);
}

TEST_F(FtpTest, PropertiesKeepTheirLimits) {
    Ftp ftp(Server.Port());
    EXPECT_EQ(ftp.Set(fpTransferMode, 5), 0);
    EXPECT_EQ(FTPCore::CoreGetProperty(ftp.Core, fpTransferMode, 0), 0);
    ftp.Set(fpTransferMode, 2);
    EXPECT_EQ(FTPCore::CoreGetProperty(ftp.Core, fpTransferMode, 0), 2);
    ftp.Set(fpUser, String(200, 'u'));
    EXPECT_EQ(ftp.Text(fpUser), String(128, 'u'));
    EXPECT_EQ(ftp.Set(fpLastResponse, "x"), -1);
    EXPECT_EQ(ftp.Set(23, 1), -1);
    EXPECT_EQ(FTPCore::CoreGetProperty(ftp.Core, fpRemotePort, 0), static_cast<std::intptr_t>(Server.Port()));
}

TEST_F(FtpTest, InvalidActionIsRefused) {
    auto ftp = LoggedIn();
    ASSERT_EQ(ftp->Action(faConnect), 0);
    EXPECT_EQ(ftp->Action(14), -1);
    EXPECT_EQ(ftp->Error(), "Invalid Action value");
}

TEST_F(FtpTest, SecondActionDuringATransferIsBusyAndIdleStopsIt) {
    Server.AddFile("/slow.bin", String(100000, 's'));
    Server.HoldFile("/slow.bin", 5000);
    WriteAll(Dir.File("slow.bin"), "old");
    auto ftp = LoggedIn();
    ftp->Set(fpRemoteFile, "/slow.bin");
    ftp->Set(fpLocalFile, Dir.File("slow.bin"));
    int busy = -1, stop = -1;
    String pathWrite;
    ftp->OnEvent = [&](const Event& e) {
        if (e.Id != feTransfer || busy != -1) return;
        busy = ftp->Action(faList);
        EXPECT_EQ(ftp->Set(fpRemotePath, "/x"), crBusy);
        pathWrite = ftp->Error();
        stop = ftp->Action(faIdle);
    };
    EXPECT_EQ(ftp->Action(faGet), crInterrupted);
    EXPECT_EQ(ftp->Error(), "Interrupted.");
    EXPECT_EQ(busy, crBusy);
    EXPECT_EQ(pathWrite, "Busy performing current action.");
    EXPECT_EQ(stop, 0);
    EXPECT_EQ(ReadAll(Dir.File("slow.bin")), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path()), std::filesystem::directory_iterator()), 1);
    // The stop closed the connection: the next action connects afresh.
    Server.Release();
    ftp->Set(fpRemoteFile, "/pub/readme.txt");
    EXPECT_EQ(ftp->Action(faGet), 0) << ftp->Error();
    EXPECT_EQ(ReadAll(Dir.File("slow.bin")), "read me");
}

TEST_F(FtpTest, TimeOutInterruptsAStalledDownload) {
    Server.AddFile("/stall.bin", String(50000, 's'));
    Server.HoldFile("/stall.bin", 100);
    auto ftp = LoggedIn();
    ftp->Set(fpRemoteFile, "/stall.bin");
    ftp->Set(fpTimeout, 1);
    EXPECT_EQ(ftp->Action(faGet), crInterrupted);
    EXPECT_EQ(ftp->Error(), "Interrupted.");
}

TEST_F(FtpTest, WithoutSyncEventsTheWorkerRaisesThem) {
    auto ftp = LoggedIn();
    ftp->Set(fpSyncEvents, 0);
    std::vector<std::thread::id> threads;
    ftp->OnEvent = [&](const Event&) { threads.push_back(std::this_thread::get_id()); };
    EXPECT_EQ(ftp->Action(faConnect), 0);
    ASSERT_FALSE(threads.empty());
    for (const auto& t : threads) EXPECT_NE(t, std::this_thread::get_id());
}

}  // namespace
