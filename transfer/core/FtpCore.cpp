#include "transfer/core/FtpCore.h"

#include <cstdio>
#include <fstream>
#include <thread>

#include "framework/inet/FtpConnection.h"
#include "framework/inet/FtpFile.h"
#include "framework/inet/FtpFind.h"
#include "framework/inet/InetErrors.h"
#include "framework/inet/InetSession.h"
#include "transfer/core/ErrorTexts.h"
#include "transfer/core/LocalFileWriter.h"

namespace {
void* ModuleInstance = nullptr;
constexpr const char* SAgent = "VREK ickFTP 1.0";
constexpr std::size_t ChunkSize = 4096;

String StringOf(std::intptr_t value) {
    const auto* t = reinterpret_cast<const char*>(value);
    return t ? String(t) : String();
}
String Cut(const String& s, std::size_t limit) { return s.size() > limit ? s.substr(0, limit) : s; }
std::intptr_t Out(const String& s) { return reinterpret_cast<std::intptr_t>(s.c_str()); }
}  // namespace

FtpCore::FtpCore(void* owner, TCoreEventCallback callback) : FOwner(owner), FCallback(callback) {}

FtpCore::~FtpCore() = default;

void FtpCore::Reset() {
    CoreBase::Reset();
    FAction = 0;
    FDestinationName.clear();
    FLocalFile.clear();
    FPassword.clear();
    FRemoteFile.clear();
    FRemoteHost.clear();
    FRemotePath.clear();
    FUser.clear();
    FProxyBypass.clear();
    FProxyPassword.clear();
    FProxyServer.clear();
    FProxyUser.clear();
    FPassive = false;
    FUseCache = true;
    FTransferMode = 0;
    FRemotePort = 21;
    FReceivedDataLimit = 0;
    FReceivedData.clear();
}

int FtpCore::HandleEvent(int id, TCoreEventBlock& block) {
    if (!FCallback) return 0;
    static constexpr int counts[] = {0, 5, 0, 2, 2, 0, 2};
    return FCallback(FOwner, id, id >= 1 && id <= 6 ? counts[id] : 0, block);
}

std::shared_ptr<TFtpConnection> FtpCore::Connection() {
    std::lock_guard<std::mutex> lock(FHandleLock);
    return FConnection;
}

bool FtpCore::Connected() {
    const auto conn = Connection();
    return conn && !conn->Closed();
}

void FtpCore::AbortTransfer() {
    std::lock_guard<std::mutex> lock(FHandleLock);
    if (FConnection) FConnection->Close();
    if (FRoot) FRoot->Close();
}

void FtpCore::DestroyCore() {
    Closing = 1;
    CoreBase::DestroyCore();
    if (WorkerRecorded()) return;
    std::lock_guard<std::mutex> lock(FHandleLock);
    if (FConnection) FConnection->Close();
    if (FRoot) FRoot->Close();
    FConnection.reset();
    FRoot.reset();
}

void FtpCore::Status(int code, const char* text) {
    TCoreEventBlock block;
    block.Args[0] = code;
    block.Args[1] = TCoreEventBlock::Text(text);
    SendEvent(feStatus, block);
}

void FtpCore::TakeResponse() { FLastResponse = Cut(InetGetLastResponseInfo(), 2048); }

int FtpCore::LibraryFailure() {
    const int code = static_cast<int>(InetGetLastError());
    TakeResponse();
    SetErrorText(FLastResponse);
    return code;
}

int FtpCore::ExecuteAction(Byte action) {
    ClearErrorText();
    const int result = Run(action);
    FAction = 0;
    return result;
}

int FtpCore::Run(Byte action) {
    if (action == faIdle) return crOK;
    if (FAction != 0 && action != faDisconnect) {
        SetErrorText(FtpTexts::SBusy);
        return crBusy;
    }
    if (!Connected() && action != faConnect && action != faClose) {
        const int connected = Connect();
        if (connected != crOK) return connected;
    }
    if (action > faSetPath) {
        SetErrorText(FtpTexts::SInvalidAction);
        return crNoSuchProperty;
    }
    FAction = action;
    switch (action) {
        case faDisconnect:
        case faClose:
            Disconnect();
            Status(51, "Closed the connection to the server.");
            return crOK;
        case faConnect: return Connected() ? crOK : Connect();
        case faGet: return Download();
        case faPut: return Upload();
        case faListNames: return List(false);
        case faList: return List(true);
        default: return OneCall(action);
    }
}

int FtpCore::Connect() {
    if (FRemoteHost.empty()) {
        SetErrorText(FtpTexts::SBadHost);
        return crBadHost;
    }
    std::shared_ptr<TInetSession> root;
    {
        std::lock_guard<std::mutex> lock(FHandleLock);
        root = FRoot;
    }
    if (!root || root->Closed()) {
        DWORD access = INTERNET_OPEN_TYPE_PRECONFIG;
        if (FProxyBypass == "*")
            access = INTERNET_OPEN_TYPE_DIRECT;
        else if (!FProxyServer.empty() || !FProxyBypass.empty())
            access = INTERNET_OPEN_TYPE_PROXY;
        root = TInetSession::Open(SAgent, access, FProxyServer, FProxyBypass);
        if (!root) return LibraryFailure();
        std::lock_guard<std::mutex> lock(FHandleLock);
        FRoot = root;
    }
    if (StopRequested()) root->Close();
    Status(20, "Connecting to server");
    InetSetLastResponseInfo(String());
    auto conn = TFtpConnection::Connect(root, FRemoteHost, FRemotePort, FUser, FPassword, FPassive);
    if (!conn) return LibraryFailure();
    {
        std::lock_guard<std::mutex> lock(FHandleLock);
        FConnection = conn;
    }
    TakeResponse();
    Status(21, "Connected to server");
    return crOK;
}

void FtpCore::Disconnect() {
    std::shared_ptr<TFtpConnection> conn;
    {
        std::lock_guard<std::mutex> lock(FHandleLock);
        conn.swap(FConnection);
    }
    if (conn) {
        conn->Command("QUIT");
        conn->Close();
        TakeResponse();
    }
}

int FtpCore::OneCall(Byte action) {
    const auto conn = Connection();
    if (!conn) return crNoSuchProperty;
    bool ok = false;
    switch (action) {
        case faDelete: ok = conn->DeleteFile(FRemoteFile); break;
        case faRename: ok = conn->RenameFile(FRemoteFile, FDestinationName); break;
        case faMakeDir: ok = conn->CreateDirectory(FRemoteFile); break;
        case faRemoveDir: ok = conn->RemoveDirectory(FRemoteFile); break;
        case faGetPath: {
            String path;
            ok = conn->GetCurrentDirectory(path);
            if (ok) FRemotePath = Cut(path, 2048);
            break;
        }
        case faSetPath: ok = conn->SetCurrentDirectory(FRemotePath); break;
        default: break;
    }
    if (!ok) return LibraryFailure();
    TakeResponse();
    Status(31, "Successfully sent the information request to the server.");
    return crOK;
}

int FtpCore::Download() {
    FReceivedData.clear();
    const auto conn = Connection();
    const DWORD mode = FTransferMode == 1 ? FTP_TRANSFER_TYPE_ASCII : FTP_TRANSFER_TYPE_BINARY;
    auto file = conn->OpenFile(FRemoteFile, false, mode);
    if (!file) return LibraryFailure();
    LocalFileWriter local;
    if (!FLocalFile.empty() && !local.Open(FLocalFile)) {
        SetErrorText(FtpTexts::SCantOpenLocal);
        return crFileOpen;
    }
    // One more byte to end the chunk's text.
    char chunk[ChunkSize + 1];
    // Read once: the handlers of the chunks run while the worker goes on.
    const std::size_t limit = FReceivedDataLimit;
    std::size_t kept = 0;
    std::size_t total = 0;
    bool started = false;
    bool complete = false;
    int result = crOK;
    for (;;) {
        DWORD got = 0;
        if (!file->Read(chunk, ChunkSize, got)) {
            result = static_cast<int>(InetGetLastError());
            break;
        }
        if (got == 0) {
            complete = true;
            break;
        }
        if (!started) {
            started = true;
            TCoreEventBlock start;
            SendEvent(feStartTransfer, start);
        }
        // The chunk goes into ReceivedData (KeepChunk) right before its
        // event.
        if (limit != 0) {
            if (kept + got > limit) break;
            kept += got;
        }
        total += got;
        TCoreEventBlock block;
        block.Args[0] = static_cast<std::intptr_t>(total);
        if (local.IsOpen()) {
            block.Args[1] = TCoreEventBlock::Text("");
            QueueEvent(feTransfer, block, limit ? chunk : nullptr, limit ? got : 0, -1, limit != 0);
            if (!local.Write(chunk, got)) {
                SetErrorText(FtpTexts::SLocalFileError);
                result = crFileIO;
                break;
            }
        } else {
            chunk[got] = 0;
            block.Args[1] = TCoreEventBlock::Text(chunk);
            block.Args[2] = static_cast<std::intptr_t>(got);
            QueueEvent(feTransfer, block, chunk, got, 1, limit != 0);
        }
        std::this_thread::yield();
    }
    // A stop closed the connection under us: no failure of ours.
    if (result != crOK && (StopRequested() || conn->Closed())) result = crOK;
    if (result == crOK && complete && !StopRequested()) {
        file->Finish();
        if (local.IsOpen() && !local.Commit()) {
            SetErrorText(FtpTexts::SLocalFileError);
            result = crFileIO;
        }
    } else {
        // Only a whole file takes the place of the local one.
        local.Discard();
    }
    if (result != crOK && result != crFileIO) SetErrorText(FLastResponse);
    file.reset();
    TakeResponse();
    TCoreEventBlock end;
    SendEvent(feEndTransfer, end);
    return result;
}

int FtpCore::Upload() {
    if (FLocalFile.empty()) {
        SetErrorText(FtpTexts::SNoUploadFile);
        return crNoUploadFile;
    }
    std::ifstream in(FLocalFile, std::ios::binary);
    if (!in) {
        SetErrorText(FtpTexts::SCantOpenLocal);
        return crFileOpen;
    }
    const auto conn = Connection();
    const DWORD mode = FTransferMode == 1 ? FTP_TRANSFER_TYPE_ASCII : FTP_TRANSFER_TYPE_BINARY;
    auto file = conn->OpenFile(FRemoteFile.empty() ? FLocalFile : FRemoteFile, true, mode);
    if (!file) return LibraryFailure();
    TCoreEventBlock start;
    SendEvent(feStartTransfer, start);
    char chunk[ChunkSize];
    std::size_t total = 0;
    int result = crOK;
    while (in) {
        in.read(chunk, sizeof chunk);
        const auto n = static_cast<DWORD>(in.gcount());
        if (in.bad()) {
            SetErrorText(FtpTexts::SLocalFileError);
            result = crFileIO;
            break;
        }
        if (n == 0) break;
        DWORD written = 0;
        if (!file->Write(chunk, n, written)) {
            if (!conn->Closed()) {
                SetErrorText(FtpTexts::SLocalFileError);
                result = crFileIO;
            }
            break;
        }
        total += written;
        TCoreEventBlock block;
        block.Args[0] = static_cast<std::intptr_t>(total);
        block.Args[1] = TCoreEventBlock::Text("");
        SendEvent(feTransfer, block);
    }
    // The server's word on the stored file counts: a refusal at the end
    // (a full disk, say) is a failed upload, not a finished one.
    if (result == crOK && !conn->Closed() && !file->Finish()) result = LibraryFailure();
    file.reset();
    TakeResponse();
    TCoreEventBlock end;
    SendEvent(feEndTransfer, end);
    return result;
}

int FtpCore::List(bool details) {
    FReceivedData.clear();
    const auto conn = Connection();
    TFtpFindData data;
    auto find = conn->FindFirstFile(FRemoteFile.empty() ? String("*.*") : FRemoteFile, data);
    if (!find) {
        const int code = LibraryFailure();
        if (code != static_cast<int>(ERROR_NO_MORE_FILES)) return code;
        ClearErrorText();
        TCoreEventBlock start, end;
        SendEvent(feStartTransfer, start);
        SendEvent(feEndTransfer, end);
        return crOK;
    }
    TCoreEventBlock start;
    SendEvent(feStartTransfer, start);
    int result = crOK;
    do {
        char date[16], time[16];
        std::snprintf(date, sizeof date, "%02d/%02d/%04d", data.Day, data.Month, data.Year);
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", data.Hour, data.Minute, data.Second);
        if (FReceivedDataLimit != 0) {
            char line[64];
            if (details) {
                FReceivedData += data.Name;
                std::snprintf(line, sizeof line, "\t%s\t%lu\t%s\t%s\n", data.Directory ? "d" : " ",
                              static_cast<unsigned long>(data.Size), date, time);
                FReceivedData += line;
            } else {
                FReceivedData += data.Name + "\r\n";
            }
        }
        TCoreEventBlock item;
        item.Args[0] = TCoreEventBlock::Text(data.Name.c_str());
        if (details) {
            item.Args[1] = data.Directory ? 16 : 0;
            item.Args[2] = static_cast<std::intptr_t>(static_cast<std::uint32_t>(data.Size));
            item.Args[3] = TCoreEventBlock::Text(date);
            item.Args[4] = TCoreEventBlock::Text(time);
        } else {
            item.Args[3] = TCoreEventBlock::Text("");
            item.Args[4] = TCoreEventBlock::Text("");
        }
        SendEvent(feListItem, item);
    } while (find->FindNext(data));
    const DWORD last = InetGetLastError();
    TCoreEventBlock end;
    SendEvent(feEndTransfer, end);
    SetErrorText(FLastResponse);
    if (last != ERROR_NO_MORE_FILES) result = static_cast<int>(last);
    return result;
}

// --- properties ---

std::intptr_t FtpCore::GetProperty(int id, int, std::ptrdiff_t* length) {
    switch (id) {
        case fpAction: return FAction;
        case fpDestinationName: return Out(FDestinationName);
        case fpLastResponse: return Out(FLastResponse);
        case fpLocalFile: return Out(FLocalFile);
        case fpPassive: return FPassive ? 1 : 0;
        case fpPassword: return Out(FPassword);
        case fpProxyBypass: return Out(FProxyBypass);
        case fpProxyPassword: return Out(FProxyPassword);
        case fpProxyServer: return Out(FProxyServer);
        case fpProxyUser: return Out(FProxyUser);
        case fpReceivedData:
            if (length) *length = static_cast<std::ptrdiff_t>(FReceivedData.size());
            return FReceivedData.empty() ? 0 : Out(FReceivedData);
        case fpReceivedDataLimit: return static_cast<std::intptr_t>(FReceivedDataLimit);
        case fpRemoteFile: return Out(FRemoteFile);
        case fpRemoteHost: return Out(FRemoteHost);
        case fpRemotePath:
            if (Connected()) SetError(RunWorker(faGetPath));
            return Out(FRemotePath);
        case fpRemotePort: return FRemotePort;
        case fpSyncEvents: return RouteEvents ? 1 : 0;
        case fpTimeout: return static_cast<std::intptr_t>(static_cast<std::int32_t>(Timeout));
        case fpTransferMode: return FTransferMode;
        case fpUseCache: return FUseCache ? 1 : 0;
        case fpUser: return Out(FUser);
        case fpWinInetVersion:
            FVersionText = InetLibraryVersion();
            return Out(FVersionText);
        default: return 0;
    }
}

int FtpCore::SetProperty(int id, int, std::intptr_t value, std::ptrdiff_t) {
    int result = crOK;
    switch (id) {
        case fpAction: return SetError(RunWorker(static_cast<Byte>(value)));
        case fpDestinationName: FDestinationName = Cut(StringOf(value), 260); break;
        case fpLocalFile: FLocalFile = Cut(StringOf(value), 260); break;
        case fpPassive: FPassive = value != 0; break;
        case fpPassword: FPassword = Cut(StringOf(value), 128); break;
        case fpProxyBypass: FProxyBypass = StringOf(value); break;
        case fpProxyPassword: FProxyPassword = StringOf(value); break;
        case fpProxyServer: FProxyServer = StringOf(value); break;
        case fpProxyUser: FProxyUser = StringOf(value); break;
        case fpReceivedDataLimit: FReceivedDataLimit = static_cast<DWORD>(value); break;
        case fpRemoteFile: FRemoteFile = Cut(StringOf(value), 260); break;
        case fpRemoteHost: FRemoteHost = Cut(StringOf(value), 256); break;
        case fpRemotePath:
            if (FAction != 0 || WorkerRecorded()) {
                SetErrorText(FtpTexts::SBusy);
                return SetError(crBusy);
            }
            FRemotePath = Cut(StringOf(value), 2048);
            if (Connected()) return SetError(RunWorker(faSetPath));
            break;
        case fpRemotePort: FRemotePort = static_cast<Word>(value); break;
        case fpSyncEvents: RouteEvents = value != 0; break;
        case fpTimeout: Timeout = static_cast<DWORD>(value); break;
        case fpTransferMode: FTransferMode = value == 1 || value == 2 ? static_cast<int>(value) : 0; break;
        case fpUseCache: FUseCache = value != 0; break;
        case fpUser: FUser = Cut(StringOf(value), 128); break;
        default: result = crNoSuchProperty; break;
    }
    return SetError(result);
}

// --- the call interface ---

namespace FTPCore {

FtpCore* CoreCreate(void* owner, TCoreEventCallback callback) {
    auto* core = new (std::nothrow) FtpCore(owner, callback);
    if (core) core->Reset();
    return core;
}

int CoreDestroy(FtpCore* core) {
    if (core) {
        core->DestroyCore();
        core->Release();
    }
    return 0;
}

std::intptr_t CoreGetProperty(FtpCore* core, int id, int index, std::ptrdiff_t* length) {
    return core ? core->GetProperty(id, index, length) : 0;
}

int CoreSetProperty(FtpCore* core, int id, int index, std::intptr_t value, std::ptrdiff_t length) {
    return core ? core->SetProperty(id, index, value, length) : crNoSuchProperty;
}

const char* CoreGetErrorText(FtpCore* core) { return core ? core->ErrorText() : nullptr; }

int CoreSetInstance(void* instance) {
    ModuleInstance = instance;
    return 0;
}

int CoreCheckProperty(FtpCore*, int, int) { return 0; }

int CoreProcessMessage(FtpCore* core) { return core ? core->ProcessMessage() : 0; }

}  // namespace FTPCore
