#include "toolbars/ATCommon.h"

#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"

namespace {

bool StartsWithText(const String& s, const char* prefix) {
    const String p(prefix);
    return s.size() >= p.size() && SameText(s.substr(0, p.size()), p);
}

// Percent-encodes what a file address may not carry as it is.
String EncodePath(const String& path) {
    static const char* hex = "0123456789ABCDEF";
    String out;
    for (unsigned char ch : path) {
        const bool plain = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                           String("/-._~").find(static_cast<char>(ch)) != String::npos;
        if (plain) {
            out += static_cast<char>(ch);
        } else {
            out += '%';
            out += hex[ch >> 4];
            out += hex[ch & 15];
        }
    }
    return out;
}

}  // namespace

String OpenableAddress(const String& address) {
    const String a = Trim(address);
    if (a.empty()) return String();
    for (char ch : a)
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) return String();
    for (const char* scheme : {"http://", "https://", "ftp://", "mailto:", "file://"})
        if (StartsWithText(a, scheme)) return a;
    if (StartsWithText(a, "www.")) return "http://" + a;
    if (a.find(':') == String::npos && FileExists(a)) return "file://" + EncodePath(ExpandFileName(a));
    return String();
}

bool OpenURL(const String& address, TShellOpenDone done) {
    const String target = OpenableAddress(address);
    if (target.empty()) return false;
    return ShellOpen(target, std::move(done));
}
