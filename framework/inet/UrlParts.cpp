#include "framework/inet/UrlParts.h"

#include <cctype>
#include <cstdio>

#include "framework/inet/InetErrors.h"
#include "framework/rtl/StrUtils.h"

namespace {
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

String Decode(const String& s) {
    String out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            const int hi = HexValue(s[i + 1]);
            const int lo = HexValue(s[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}
}  // namespace

int SchemeNumberOf(const String& scheme) {
    if (SameText(scheme, "http")) return INTERNET_SCHEME_HTTP;
    if (SameText(scheme, "https")) return INTERNET_SCHEME_HTTPS;
    if (SameText(scheme, "ftp")) return INTERNET_SCHEME_FTP;
    return INTERNET_SCHEME_UNKNOWN;
}

Word DefaultPortOf(int schemeNumber) {
    switch (schemeNumber) {
        case INTERNET_SCHEME_HTTP: return 80;
        case INTERNET_SCHEME_HTTPS: return 443;
        case INTERNET_SCHEME_FTP: return 21;
        default: return 0;
    }
}

bool CrackUrl(const String& url, TUrlParts& parts) {
    parts = TUrlParts();
    std::size_t colon = url.find(':');
    bool schemeOk = colon != String::npos && colon > 0;
    for (std::size_t i = 0; schemeOk && i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(url[i]);
        if (!(std::isalnum(c) || c == '+' || c == '-' || c == '.')) schemeOk = false;
    }
    if (!schemeOk) {
        InetSetLastError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
        return false;
    }
    TUrlParts p;
    p.Scheme = url.substr(0, colon);
    p.SchemeNumber = SchemeNumberOf(p.Scheme);
    std::size_t pos = colon + 1;
    if (url.compare(pos, 2, "//") == 0) {
        pos += 2;
        const std::size_t end = url.find_first_of("/?#", pos);
        String authority = url.substr(pos, end == String::npos ? String::npos : end - pos);
        pos = end == String::npos ? url.size() : end;
        const std::size_t at = authority.rfind('@');
        if (at != String::npos) {
            const String info = authority.substr(0, at);
            authority.erase(0, at + 1);
            const std::size_t sep = info.find(':');
            p.UserName = Decode(info.substr(0, sep));
            if (sep != String::npos) p.Password = Decode(info.substr(sep + 1));
        }
        // The port follows the last colon outside an IPv6 literal's brackets.
        std::size_t portSep = authority.rfind(':');
        if (portSep != String::npos && authority.find(']', portSep) != String::npos) portSep = String::npos;
        if (portSep != String::npos) {
            const String digits = authority.substr(portSep + 1);
            authority.erase(portSep);
            if (!digits.empty()) {
                unsigned long value = 0;
                for (char c : digits) {
                    if (!std::isdigit(static_cast<unsigned char>(c)) || value > 65535) {
                        InetSetLastError(ERROR_INTERNET_INVALID_URL);
                        return false;
                    }
                    value = value * 10 + static_cast<unsigned>(c - '0');
                }
                if (value > 65535) {
                    InetSetLastError(ERROR_INTERNET_INVALID_URL);
                    return false;
                }
                p.Port = static_cast<Word>(value);
            }
        }
        p.HostName = authority;
    }
    if (p.Port == 0) p.Port = DefaultPortOf(p.SchemeNumber);
    const std::size_t extra = url.find_first_of("?#", pos);
    p.UrlPath = url.substr(pos, extra == String::npos ? String::npos : extra - pos);
    if (extra != String::npos) p.ExtraInfo = url.substr(extra);
    parts = p;
    return true;
}

String EscapeUrlPath(const String& path) {
    String out;
    out.reserve(path.size());
    for (char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (c <= 0x20 || c >= 0x7F) {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out;
}
