#pragma once
// A logged-in FTP session. One command at a time: while a file or a listing
// is open on it, other calls fail with ERROR_FTP_TRANSFER_IN_PROGRESS.
// A refused command fails with ERROR_INTERNET_EXTENDED_ERROR and leaves the
// server's reply in InetGetLastResponseInfo().
#include <memory>
#include <vector>

#include "framework/inet/InetHandle.h"

class TInetSession;
class TFtpFind;
class TFtpFile;
class TCurlTransfer;
struct TFtpFindData;

inline constexpr DWORD FTP_TRANSFER_TYPE_ASCII = 1;
inline constexpr DWORD FTP_TRANSFER_TYPE_BINARY = 2;

class TFtpConnection : public TInetHandle {
public:
    ~TFtpConnection() override;

    // Connects and logs in (anonymously when `user` is empty). Null with the
    // thread's last error on failure.
    static std::shared_ptr<TFtpConnection> Connect(const std::shared_ptr<TInetSession>& session,
                                                   const String& host, Word port, const String& user,
                                                   const String& password, bool passive);

    bool GetCurrentDirectory(String& directory);
    bool SetCurrentDirectory(const String& directory);
    bool DeleteFile(const String& name);
    bool RenameFile(const String& from, const String& to);
    bool CreateDirectory(const String& name);
    bool RemoveDirectory(const String& name);
    // Any command without a data transfer; its reply is the last response.
    bool Command(const String& command);

    // The entries that match `pattern` ("*.*", "*" or empty for all; "?"
    // and "*" wildcards; otherwise a name, whose entries are listed). Null
    // with ERROR_NO_MORE_FILES when nothing matches.
    std::shared_ptr<TFtpFind> FindFirstFile(const String& pattern, TFtpFindData& data);
    // Opens a remote file for reading or writing (type 0 is binary).
    std::shared_ptr<TFtpFile> OpenFile(const String& name, bool write, DWORD transferType);

    TInetSession& Session() const;

protected:
    void Wake() override;

private:
    friend class TFtpFile;
    friend struct TFtpCallbacks;
    TFtpConnection();
    // Sets up the transport for one exchange with the server; the quoted
    // commands run first, in the current directory.
    bool Prepare(const std::vector<String>& commands);
    // Runs a prepared exchange to its end.
    bool RunToEnd();
    bool Busy();
    void Finish(bool keepConnection);
    void ReplyLine(const char* data, std::size_t size);
    // The reply text for the last response, without its final line end.
    void PublishReply();
    bool Fail(DWORD fallback);

    void* FEasy = nullptr;
    void* FMulti = nullptr;
    void* FQuote = nullptr;
    std::unique_ptr<TCurlTransfer> FTransfer;
    bool FBusy = false;
    String FHost;
    Word FPort = 21;
    String FUser;
    String FPassword;
    bool FPassive = true;
    String FCurrent = "/";
    String FReply;     // the last complete reply
    String FPending;   // lines of a reply still coming
    String FPwdReply;  // the last 257 reply
};
