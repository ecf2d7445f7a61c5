#include "framework/inet/FtpConnection.h"

#include <curl/curl.h>
#include <fnmatch.h>

#include <cctype>
#include <cstring>
#include <ctime>

#include "framework/inet/CurlTransfer.h"
#include "framework/inet/FtpFile.h"
#include "framework/inet/FtpFind.h"
#include "framework/inet/InetErrors.h"
#include "framework/inet/InetSession.h"

struct TFtpCallbacks {
    static size_t Reply(char* data, size_t size, size_t count, void* user) {
        static_cast<TFtpConnection*>(user)->ReplyLine(data, size * count);
        return size * count;
    }
};

namespace {
// A name as a URL path: kept as written except for what a URL would read
// as something else.
String EscapeName(const String& name) {
    String out;
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c <= 0x20 || c >= 0x7F || c == '%' || c == '?' || c == '#') {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out;
}

int MonthOf(const String& name) {
    static const char* const months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                         "jul", "aug", "sep", "oct", "nov", "dec"};
    for (int i = 0; i < 12; ++i) {
        if (name.size() >= 3 && std::tolower(static_cast<unsigned char>(name[0])) == months[i][0] &&
            std::tolower(static_cast<unsigned char>(name[1])) == months[i][1] &&
            std::tolower(static_cast<unsigned char>(name[2])) == months[i][2])
            return i + 1;
    }
    return 0;
}

bool AllDigits(const String& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// Splits off `count` blank-separated words; the rest of the line, from the
// next word on, is left in `rest`.
std::vector<String> Words(const String& line, int count, String& rest) {
    std::vector<String> words;
    std::size_t pos = 0;
    while (static_cast<int>(words.size()) < count) {
        while (pos < line.size() && line[pos] == ' ') ++pos;
        if (pos >= line.size()) break;
        const std::size_t end = line.find(' ', pos);
        words.push_back(line.substr(pos, end == String::npos ? String::npos : end - pos));
        pos = end == String::npos ? line.size() : end;
    }
    while (pos < line.size() && line[pos] == ' ') ++pos;
    rest = line.substr(std::min(pos, line.size()));
    return words;
}

bool ParseUnixLine(const String& line, TFtpFindData& d) {
    String name;
    const auto w = Words(line, 8, name);
    if (w.size() < 8 || name.empty() || w[0].size() < 10) return false;
    const int month = MonthOf(w[5]);
    if (!AllDigits(w[4]) || month == 0 || !AllDigits(w[6])) return false;
    d.Directory = w[0][0] == 'd';
    if (w[0][0] == 'l') {
        const std::size_t arrow = name.find(" -> ");
        if (arrow != String::npos) name.erase(arrow);
    }
    d.Name = name;
    d.Size = std::strtoull(w[4].c_str(), nullptr, 10);
    d.Month = month;
    d.Day = std::atoi(w[6].c_str());
    const String& t = w[7];
    if (t.find(':') != String::npos) {
        d.Hour = std::atoi(t.c_str());
        d.Minute = std::atoi(t.c_str() + t.find(':') + 1);
        // A time instead of a year: within the last half year.
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        d.Year = local.tm_year + 1900;
        if (month > local.tm_mon + 1 + 1) --d.Year;
    } else {
        d.Year = std::atoi(t.c_str());
    }
    return true;
}

bool ParseDosLine(const String& line, TFtpFindData& d) {
    String name;
    const auto w = Words(line, 3, name);
    if (w.size() < 3 || name.empty() || w[0].size() < 8 || w[0][2] != '-') return false;
    d.Month = std::atoi(w[0].c_str());
    d.Day = std::atoi(w[0].c_str() + 3);
    d.Year = std::atoi(w[0].c_str() + 6);
    if (d.Year < 100) d.Year += d.Year < 70 ? 2000 : 1900;
    d.Hour = std::atoi(w[1].c_str());
    const std::size_t colon = w[1].find(':');
    d.Minute = colon == String::npos ? 0 : std::atoi(w[1].c_str() + colon + 1);
    if (w[1].find("PM") != String::npos && d.Hour < 12) d.Hour += 12;
    if (w[1].find("AM") != String::npos && d.Hour == 12) d.Hour = 0;
    d.Directory = w[2] == "<DIR>";
    d.Size = d.Directory ? 0 : std::strtoull(w[2].c_str(), nullptr, 10);
    d.Name = name;
    return true;
}

bool Wildcard(const String& pattern) { return pattern.find_first_of("*?") != String::npos; }
bool MatchesAll(const String& pattern) { return pattern.empty() || pattern == "*" || pattern == "*.*"; }
}  // namespace

TFtpConnection::TFtpConnection() = default;

TFtpConnection::~TFtpConnection() {
    {
        std::lock_guard<std::mutex> lock(Lock());
        FTransfer.reset();
    }
    if (FEasy) curl_easy_cleanup(static_cast<CURL*>(FEasy));
    if (FMulti) curl_multi_cleanup(static_cast<CURLM*>(FMulti));
    if (FQuote) curl_slist_free_all(static_cast<curl_slist*>(FQuote));
}

TInetSession& TFtpConnection::Session() const { return static_cast<TInetSession&>(*FParent); }

void TFtpConnection::Wake() {
    if (FMulti) curl_multi_wakeup(static_cast<CURLM*>(FMulti));
}

std::shared_ptr<TFtpConnection> TFtpConnection::Connect(const std::shared_ptr<TInetSession>& session,
                                                        const String& host, Word port, const String& user,
                                                        const String& password, bool passive) {
    InetSetLastResponseInfo(String());
    if (!session || session->Closed()) {
        InetSetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (host.empty()) {
        InetSetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    CurlGlobalInit();
    std::shared_ptr<TFtpConnection> conn(new TFtpConnection);
    conn->FHost = host;
    conn->FPort = port ? port : 21;
    conn->FUser = user;
    conn->FPassword = password;
    conn->FPassive = passive;
    conn->FEasy = curl_easy_init();
    conn->FMulti = curl_multi_init();
    if (!conn->FEasy || !conn->FMulti) {
        InetSetLastError(ERROR_INTERNET_OUT_OF_HANDLES);
        return nullptr;
    }
    if (!conn->Attach(session)) {
        InetSetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    conn->Session().Notify(INTERNET_STATUS_CONNECTING_TO_SERVER, host.c_str());
    // Logging in is an exchange with no commands of our own; the server's
    // starting folder is where we are afterwards.
    conn->FCurrent.clear();
    if (!conn->Prepare({}) || !conn->RunToEnd()) return nullptr;
    char* entry = nullptr;
    curl_easy_getinfo(static_cast<CURL*>(conn->FEasy), CURLINFO_FTP_ENTRY_PATH, &entry);
    conn->FCurrent = entry && *entry ? String(entry) : String("/");
    conn->Session().Notify(INTERNET_STATUS_CONNECTED_TO_SERVER, host.c_str());
    return conn;
}

bool TFtpConnection::Busy() {
    if (!CheckOpen()) return true;
    if (FBusy) {
        InetSetLastError(ERROR_FTP_TRANSFER_IN_PROGRESS);
        return true;
    }
    return false;
}

bool TFtpConnection::Prepare(const std::vector<String>& commands) {
    CURL* easy = static_cast<CURL*>(FEasy);
    {
        std::lock_guard<std::mutex> lock(Lock());
        FTransfer.reset();
    }
    curl_easy_reset(easy);
    if (FQuote) curl_slist_free_all(static_cast<curl_slist*>(FQuote));
    curl_slist* quote = nullptr;
    // Every exchange starts in our current folder: the transport may have
    // had to log in afresh, which starts in the server's.
    if (!FCurrent.empty()) quote = curl_slist_append(quote, ("CWD " + FCurrent).c_str());
    for (const String& c : commands) quote = curl_slist_append(quote, c.c_str());
    FQuote = quote;
    if (quote) curl_easy_setopt(easy, CURLOPT_QUOTE, quote);

    const String url = "ftp://" + FHost + ":" + std::to_string(FPort) + "/";
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "ftp");
    if (!FUser.empty()) {
        curl_easy_setopt(easy, CURLOPT_USERNAME, FUser.c_str());
        curl_easy_setopt(easy, CURLOPT_PASSWORD, FPassword.c_str());
    }
    curl_easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    if (!FPassive) curl_easy_setopt(easy, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, TFtpCallbacks::Reply);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    const TInetSession& session = Session();
    if (session.AccessType() == INTERNET_OPEN_TYPE_DIRECT) {
        curl_easy_setopt(easy, CURLOPT_PROXY, "");
    } else if (session.AccessType() == INTERNET_OPEN_TYPE_PROXY) {
        const String proxy = session.ProxyFor("ftp");
        curl_easy_setopt(easy, CURLOPT_PROXY, proxy.empty() ? "" : ("http://" + proxy).c_str());
        curl_easy_setopt(easy, CURLOPT_HTTPPROXYTUNNEL, 1L);
        const String bypass = session.NoProxyList();
        if (!bypass.empty()) curl_easy_setopt(easy, CURLOPT_NOPROXY, bypass.c_str());
    }
    ApplySessionLimits(easy, session);
    FPending.clear();
    std::lock_guard<std::mutex> lock(Lock());
    FTransfer = std::make_unique<TCurlTransfer>(FEasy, FMulti);
    FTransfer->Cancelled = [this] { return Closed(); };
    return true;
}

bool TFtpConnection::Fail(DWORD fallback) {
    DWORD error = FTransfer ? FTransfer->Error() : 0;
    if (!error) error = fallback;
    PublishReply();
    InetSetLastError(error);
    return false;
}

bool TFtpConnection::RunToEnd() {
    TCurlTransfer& t = *FTransfer;
    if (!t.Start()) return false;
    if (!t.Drive([] { return false; })) {
        const DWORD error = InetGetLastError();
        Finish(false);
        PublishReply();
        InetSetLastError(error);
        return false;
    }
    const DWORD error = t.Error();
    Finish(true);
    PublishReply();
    if (error) {
        InetSetLastError(error);
        return false;
    }
    return true;
}

void TFtpConnection::Finish(bool) {
    std::lock_guard<std::mutex> lock(Lock());
    FTransfer.reset();
    FBusy = false;
}

void TFtpConnection::ReplyLine(const char* data, std::size_t size) {
    String line(data, size);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    const bool last = line.size() >= 4 && std::isdigit(static_cast<unsigned char>(line[0])) &&
                      std::isdigit(static_cast<unsigned char>(line[1])) &&
                      std::isdigit(static_cast<unsigned char>(line[2])) && line[3] == ' ';
    if (!last && line.size() == 3 && AllDigits(line)) {
        FReply = FPending + line;
        FPending.clear();
        return;
    }
    if (!last) {
        FPending += line + "\r\n";
        return;
    }
    FReply = FPending + line;
    FPending.clear();
    if (line.compare(0, 3, "257") == 0) FPwdReply = line;
}

void TFtpConnection::PublishReply() { InetSetLastResponseInfo(FReply); }

bool TFtpConnection::Command(const String& command) {
    if (Busy()) return false;
    return Prepare({command}) && RunToEnd();
}

// The folder a 257 reply names: 257 "<folder>", quotes inside doubled.
static bool FolderOfReply(const String& reply, String& folder) {
    const std::size_t open = reply.find('"');
    if (open == String::npos) return false;
    folder.clear();
    for (std::size_t i = open + 1; i < reply.size(); ++i) {
        if (reply[i] == '"') {
            if (i + 1 < reply.size() && reply[i + 1] == '"') {
                folder += '"';
                ++i;
                continue;
            }
            break;
        }
        folder += reply[i];
    }
    return true;
}

bool TFtpConnection::GetCurrentDirectory(String& directory) {
    if (Busy()) return false;
    FPwdReply.clear();
    if (!Prepare({"PWD"}) || !RunToEnd()) return false;
    String folder;
    if (FolderOfReply(FPwdReply, folder)) FCurrent = folder;
    directory = FCurrent;
    return true;
}

bool TFtpConnection::SetCurrentDirectory(const String& directory) {
    if (Busy()) return false;
    FPwdReply.clear();
    if (!Prepare({"CWD " + directory, "PWD"}) || !RunToEnd()) return false;
    String folder;
    if (FolderOfReply(FPwdReply, folder)) FCurrent = folder;
    return true;
}

bool TFtpConnection::DeleteFile(const String& name) { return Command("DELE " + name); }
bool TFtpConnection::CreateDirectory(const String& name) { return Command("MKD " + name); }
bool TFtpConnection::RemoveDirectory(const String& name) { return Command("RMD " + name); }

bool TFtpConnection::RenameFile(const String& from, const String& to) {
    if (Busy()) return false;
    return Prepare({"RNFR " + from, "RNTO " + to}) && RunToEnd();
}

std::shared_ptr<TFtpFind> TFtpConnection::FindFirstFile(const String& pattern, TFtpFindData& data) {
    if (Busy()) return nullptr;
    if (!Prepare({})) return nullptr;
    CURL* easy = static_cast<CURL*>(FEasy);
    curl_easy_setopt(easy, CURLOPT_NOBODY, 0L);
    const bool filter = !MatchesAll(pattern) && Wildcard(pattern);
    const String list = MatchesAll(pattern) || filter ? String("LIST") : "LIST " + pattern;
    curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, list.c_str());
    TCurlTransfer& t = *FTransfer;
    if (!t.Start()) return nullptr;
    if (!t.Drive([] { return false; })) {
        const DWORD error = InetGetLastError();
        Finish(false);
        PublishReply();
        InetSetLastError(error);
        return nullptr;
    }
    const String text = t.In.Text();
    const DWORD error = t.Error();
    Finish(true);
    PublishReply();
    if (error) {
        InetSetLastError(error);
        return nullptr;
    }
    std::shared_ptr<TFtpFind> find(new TFtpFind);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == String::npos) end = text.size();
        String line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        TFtpFindData entry;
        if (!ParseUnixLine(line, entry) && !ParseDosLine(line, entry)) continue;
        if (entry.Name == "." || entry.Name == "..") continue;
        if (filter && fnmatch(pattern.c_str(), entry.Name.c_str(), 0) != 0) continue;
        find->FEntries.push_back(entry);
    }
    if (find->FEntries.empty()) {
        InetSetLastError(ERROR_NO_MORE_FILES);
        return nullptr;
    }
    if (!find->Attach(shared_from_this())) {
        InetSetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    find->FindNext(data);
    return find;
}

std::shared_ptr<TFtpFile> TFtpConnection::OpenFile(const String& name, bool write, DWORD transferType) {
    if (Busy()) return nullptr;
    if (name.empty()) {
        InetSetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!Prepare({})) return nullptr;
    CURL* easy = static_cast<CURL*>(FEasy);
    const String url = "ftp://" + FHost + ":" + std::to_string(FPort) + "/" + EscapeName(name);
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_NOBODY, 0L);
    if (transferType == FTP_TRANSFER_TYPE_ASCII) curl_easy_setopt(easy, CURLOPT_TRANSFERTEXT, 1L);
    if (write) curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);

    std::shared_ptr<TFtpFile> file(new TFtpFile);
    file->FWrite = write;
    if (!file->Attach(shared_from_this())) {
        InetSetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    TCurlTransfer& t = *FTransfer;
    {
        std::lock_guard<std::mutex> lock(Lock());
        TFtpFile* raw = file.get();
        t.Cancelled = [raw] { return raw->Closed(); };
    }
    FBusy = true;
    if (!t.Start()) {
        Finish(false);
        return nullptr;
    }
    // Open means the server has accepted the file: the first bytes are in
    // (or the file was empty), or it waits for ours.
    const bool ok = t.Drive([&t, write] { return write ? t.OutWanted : !t.In.empty(); });
    const DWORD error = ok ? t.Error() : InetGetLastError();
    if (!ok || error) {
        file->FFinished = true;
        Finish(false);
        PublishReply();
        InetSetLastError(error);
        return nullptr;
    }
    PublishReply();
    return file;
}
