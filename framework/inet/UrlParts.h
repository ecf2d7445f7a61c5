#pragma once
// Splitting a URL into the parts a request is made of.
#include "framework/rtl/Types.h"

enum TInternetScheme : int {
    INTERNET_SCHEME_UNKNOWN = -1,
    INTERNET_SCHEME_FTP = 1,
    INTERNET_SCHEME_HTTP = 3,
    INTERNET_SCHEME_HTTPS = 4,
};

struct TUrlParts {
    String Scheme;
    int SchemeNumber = INTERNET_SCHEME_UNKNOWN;
    String HostName;
    Word Port = 0;
    String UserName;
    String Password;
    String UrlPath;    // from the first "/" after the host, without the query
    String ExtraInfo;  // "?query" and "#fragment", as written
};

// The scheme's number ("http" 3, "https" 4, "ftp" 1, any letter case), -1
// for one this library does not speak.
int SchemeNumberOf(const String& scheme);
// The port a scheme uses when the URL names none (0 for unknown schemes).
Word DefaultPortOf(int schemeNumber);

// Splits "scheme://[user[:password]@]host[:port][/path][?query][#fragment]".
// The user name and password are %-decoded; path and query stay as written,
// since decoding them would change what the server is asked for (an
// encoded "&" in a query value is not a separator). A scheme this library
// does not speak still splits, with scheme number -1. Fails (false, with
// ERROR_INTERNET_UNRECOGNIZED_SCHEME or ERROR_INTERNET_INVALID_URL as the
// thread's last error) when there is no "scheme:" or the port is not a
// number of 16 bits.
bool CrackUrl(const String& url, TUrlParts& parts);

// The bytes a request line must not carry raw (blanks, control bytes,
// bytes above 126) %-encoded; everything else is left alone.
String EscapeUrlPath(const String& path);
