#pragma once
// The FTP core: a connection to one FTP server driven by its Action
// property, each action on the worker of CoreBase. No component wraps it;
// it offers the kit's flat call interface (FTPCore below) for one that
// would.
#include <atomic>
#include <memory>
#include <mutex>

#include "transfer/core/CoreBase.h"

class TInetSession;
class TFtpConnection;

// Property ids of the FTP core.
enum TFtpProperty : int {
    fpAction = 1,
    fpDestinationName = 2,
    fpLastResponse = 3,
    fpLocalFile = 4,
    fpPassive = 5,
    fpPassword = 6,
    fpProxyBypass = 7,
    fpProxyPassword = 8,
    fpProxyServer = 9,
    fpProxyUser = 10,
    fpReceivedData = 11,
    fpReceivedDataLimit = 12,
    fpRemoteFile = 13,
    fpRemoteHost = 14,
    fpRemotePath = 15,
    fpRemotePort = 16,
    fpSyncEvents = 17,
    fpTimeout = 18,
    fpTransferMode = 19,
    fpUseCache = 20,
    fpUser = 21,
    fpWinInetVersion = 22,
};

// Event ids.
enum TFtpEvent : int {
    feListItem = 1,
    feEndTransfer = 2,
    feError = 3,
    feStatus = 4,
    feStartTransfer = 5,
    feTransfer = 6,
};

// Actions.
enum TFtpAction : Byte {
    faIdle = 0,
    faDisconnect = 1,
    faConnect = 2,
    faClose = 3,
    faGet = 4,
    faPut = 5,
    faDelete = 6,
    faRename = 7,
    faListNames = 8,
    faList = 9,
    faMakeDir = 10,
    faRemoveDir = 11,
    faGetPath = 12,
    faSetPath = 13,
};

namespace FtpTexts {
inline constexpr const char* SInvalidAction = "Invalid Action value";
inline constexpr const char* SBadHost = "The RemoteHost address is invalid";
inline constexpr const char* SBusy = "Busy performing current action.";
inline constexpr const char* SLocalFileError = "Local file error.";
inline constexpr const char* SNoUploadFile = "Please specify a local file for upload.";
inline constexpr const char* SCantOpenLocal = "Can't open LocalFile";
}  // namespace FtpTexts

inline constexpr int crBadHost = 102;
inline constexpr int crNoUploadFile = 145;

class FtpCore : public CoreBase {
public:
    FtpCore(void* owner, TCoreEventCallback callback);

    void Reset() override;
    int ExecuteAction(Byte action) override;
    int HandleEvent(int id, TCoreEventBlock& block) override;
    void DestroyCore() override;

    std::intptr_t GetProperty(int id, int index, std::ptrdiff_t* length);
    int SetProperty(int id, int index, std::intptr_t value, std::ptrdiff_t length);

protected:
    ~FtpCore() override;
    void AbortTransfer() override;
    void KeepChunk(const char* data, std::size_t size) override { FReceivedData.append(data, size); }
    String InternetResponseText() override { return FLastResponse; }

private:
    int Run(Byte action);
    int Connect();
    void Disconnect();
    bool Connected();
    int Download();
    int Upload();
    int List(bool details);
    int OneCall(Byte action);
    // The thread's last error, with the server's reply as the error text.
    int LibraryFailure();
    void Status(int code, const char* text);
    void TakeResponse();
    std::shared_ptr<TFtpConnection> Connection();

    void* FOwner;
    TCoreEventCallback FCallback;

    std::atomic<int> FAction{0};
    String FDestinationName, FLocalFile, FPassword, FRemoteFile, FRemoteHost, FRemotePath, FUser;
    String FProxyBypass, FProxyPassword, FProxyServer, FProxyUser;
    bool FPassive = false;
    bool FUseCache = true;
    int FTransferMode = 0;
    Word FRemotePort = 21;
    DWORD FReceivedDataLimit = 0;
    String FReceivedData;
    String FLastResponse;
    String FVersionText;

    std::mutex FHandleLock;
    std::shared_ptr<TInetSession> FRoot;
    std::shared_ptr<TFtpConnection> FConnection;
};

namespace FTPCore {
FtpCore* CoreCreate(void* owner, TCoreEventCallback callback);
int CoreDestroy(FtpCore* core);
std::intptr_t CoreGetProperty(FtpCore* core, int id, int index, std::ptrdiff_t* length = nullptr);
int CoreSetProperty(FtpCore* core, int id, int index, std::intptr_t value, std::ptrdiff_t length);
const char* CoreGetErrorText(FtpCore* core);
int CoreSetInstance(void* instance);
int CoreCheckProperty(FtpCore* core, int id, int index);
int CoreProcessMessage(FtpCore* core);
}  // namespace FTPCore
