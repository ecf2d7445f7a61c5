#include "transfer/core/ErrorTexts.h"

#include <cstdio>
#include <cstring>

const TErrorTableRow ErrorTable[] = {
    {12001, "Internet Out Of Handles."},
    {12002, "Internet Timeout."},
    {12003, "Internet Extended Error."},
    {12004, "Internet Internal Error."},
    {12005, "Internet Invalid Url."},
    {12006, "Internet Unrecognized Scheme."},
    {12007, "Internet Name Not Resolved."},
    {12008, "Internet Protocol Not Found."},
    {12009, "Internet Invalid Option."},
    {12010, "Internet Bad Option Length."},
    {12011, "Internet Option Not Settable."},
    {12012, "Internet Shutdown."},
    {12013, "Internet Incorrect User Name."},
    {12014, "Internet Incorrect Password."},
    {12015, "Internet Login Failure."},
    {12016, "Internet Invalid Operation."},
    {12017, "Internet Operation Cancelled."},
    {12018, "Internet Incorrect Handle Type."},
    {12019, "Internet Incorrect Handle State."},
    {12020, "Internet Not Proxy Request."},
    {12021, "Internet Registry Value Not Found."},
    {12022, "Internet Bad Registry Parameter."},
    {12023, "Internet No Direct Access."},
    {12024, "Internet No Context."},
    {12025, "Internet No Callback."},
    {12026, "Internet Request Pending."},
    {12027, "Internet Incorrect Format."},
    {12028, "Internet Item Not Found."},
    {12029, "Internet Cannot Connect."},
    {12030, "Internet Connection Aborted."},
    {12031, "Internet Connection Reset."},
    {12032, "Internet Force Retry."},
    {12033, "Internet Invalid Proxy Request."},
    {12034, "Internet Need UI."},
    {12036, "Internet Handle Exists."},
    {12037,
     "The security Certificate has an invalid name - i.e. it's not the same name as the web "
     "site's one. Check the SecurityFlags property."},
    {12038,
     "Internet Security Invalid Certificate Name. Check also the SecurityFlags property."},
    {12039, "Not allowed HTTP to HTTPS redirection. Check also the SecurityFlags property."},
    {12040, "Not allowed HTTPS to HTTP redirection. Check also the SecurityFlags property."},
    {12041, "Internet Mixed Security."},
    {12042, "Internet Chg Post Is Non Secure."},
    {12043, "Internet Post Is Non Secure."},
    {12044, "Internet Client Auth Cert Needed."},
    {12045, "Invalid Certification Authority."},
    {12046, "Internet Client Auth Not Setup."},
    {12047, "Internet Async Thread Failed."},
    {12048, "Internet Redirect Scheme Change."},
    {12049, "Internet Dialog Pending."},
    {12050, "Internet Retry Dialog."},
    {12052, "Internet Https Http Submit Redir."},
    {12053, "Internet Insert Cdrom."},
    {12110, "Ftp Transfer is currently in progress."},
    {12111, "FTP connection dropped."},
    {12112, "The FTP server does not support the passive mode."},
    {12150, "Http Header Not Found."},
    {12151, "Http Downlevel Server."},
    {12152, "Http Invalid Server Response."},
    {12153, "Http Invalid Header."},
    {12154, "Http Invalid Query Request."},
    {12155, "Http Header Already Exists."},
    {12156, "Http Redirect Failed."},
    {12157, "Internet Security Channel Error."},
    {12158, "Internet Unable To Cache File."},
    {12159, "Internet Tcpip Not Installed."},
    {12160, "Http Not Redirected."},
    {12161, "Http Cookie Needs Confirmation."},
    {12162, "Http Cookie Declined."},
    {12163, "Internet Disconnected."},
    {12164, "Internet Server Unreachable."},
    {12165, "Internet Proxy Server Unreachable."},
    {12166, "Internet Bad Auto Proxy Script."},
    {12167, "Internet Unable To Download Script."},
    {12168, "Http Redirect Needs Confirmation."},
    {12169, "Invalid Security Certificate."},
    {12170, "Revoked Security Certificate."},
    {12171, "Failed due to security check."},
    {0, nullptr},
};

int FormatErrorText(int code, String& out) {
    const auto key = static_cast<std::uint16_t>(code);
    const char* text = CoreTexts::SNoDescription;
    int result = 1;
    for (const TErrorTableRow* row = ErrorTable; row->Code != 0; ++row) {
        if (row->Code == key) {
            text = row->Text;
            result = 0;
            break;
        }
    }
    char number[16];
    std::snprintf(number, sizeof number, "[%u] ", static_cast<unsigned>(key));
    out.assign(number);
    out.append(text);
    return result;
}

namespace {
struct TStatusRow {
    DWORD Status;
    const char* Text;
    bool AppendInfo;
};

constexpr TStatusRow StatusRows[] = {
    {10, "Looking up the IP address", true},
    {11, "Successfully found the IP address", true},
    {20, "Connecting to the socket address", true},
    {21, "Successfully connected to", true},
    {30, "Sending the information request to the server.", false},
    {31, "Successfully sent the information request to the server.", false},
    {40, "Waiting for the server to respond to a request.", false},
    {41, "Successfully received a response from the server.", false},
    {43, "", false},
    {50, "Closing the connection to the server.", false},
    {51, "Successfully closed the connection to the server.", false},
    {100, "An asynchronous operation has been completed.", false},
    {110, "An HTTP request is about to automatically redirect the request to", true},
    {120, "Received an intermediate (100 level) status code message from the server.", false},
};

const char* StateChangeText(DWORD state) {
    switch (state) {
        case 1: return "Online state.";
        case 2: return "Offline because no network connection could be established.";
        case 16: return "Offline by user request.";
        case 256: return "No network requests are being made by Wininet.";
        case 512: return "Network requests are being made by Wininet.";
        default: return "Moved between a secure (HTTPS) and a nonsecure (HTTP) site.";
    }
}
}  // namespace

bool StatusText(DWORD status, const void* info, String& out) {
    if (status == 60 || status == 70) return false;  // handle created / closing
    if (status == 200) {
        DWORD state = 0;
        if (info) std::memcpy(&state, info, sizeof state);
        out = StateChangeText(state);
        return true;
    }
    for (const TStatusRow& row : StatusRows) {
        if (row.Status != status) continue;
        out = row.Text;
        if (row.AppendInfo && info) {
            out += ' ';
            out += static_cast<const char*>(info);
        }
        return true;
    }
    out = "Unknown state ?!";
    return true;
}
