#include "gridkit/GkRtfText.h"

#include <cctype>
#include <vector>

namespace {

void AppendUtf8(String& out, unsigned cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

int Hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool HiddenDestination(const String& word) {
    static const char* const kHidden[] = {"fonttbl", "colortbl", "stylesheet", "info", "pict",
                                          "header", "footer", "headerl", "headerr", "footerl",
                                          "footerr", "listtable", "listoverridetable", "object",
                                          "themedata", "datastore", "latentstyles", "generator"};
    for (const char* h : kHidden)
        if (word == h) return true;
    return false;
}

}  // namespace

String RtfPlainText(const String& rtf) {
    String out;
    // One entry per open group: whether its text is hidden.
    std::vector<bool> hidden{false};
    int skipAfterUnicode = 0;
    const size_t n = rtf.size();
    for (size_t i = 0; i < n;) {
        const char c = rtf[i];
        const bool hide = hidden.back();
        if (c == '{') {
            hidden.push_back(hide);
            ++i;
            continue;
        }
        if (c == '}') {
            if (hidden.size() > 1) hidden.pop_back();
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            if (skipAfterUnicode > 0) --skipAfterUnicode;
            else if (!hide) AppendUtf8(out, static_cast<unsigned char>(c));
            ++i;
            continue;
        }
        // A control word or symbol.
        ++i;
        if (i >= n) break;
        const char s = rtf[i];
        if (!std::isalpha(static_cast<unsigned char>(s))) {
            ++i;
            if (s == '\'' && i + 1 < n && Hex(rtf[i]) >= 0 && Hex(rtf[i + 1]) >= 0) {
                const unsigned byte = static_cast<unsigned>(Hex(rtf[i]) * 16 + Hex(rtf[i + 1]));
                i += 2;
                if (skipAfterUnicode > 0) --skipAfterUnicode;
                else if (!hide) AppendUtf8(out, byte);
            } else if (s == '*') {
                hidden.back() = true;
            } else if (!hide && (s == '\\' || s == '{' || s == '}')) {
                out += s;
            } else if (!hide && s == '~') {
                out += ' ';
            }
            continue;
        }
        String word;
        while (i < n && std::isalpha(static_cast<unsigned char>(rtf[i]))) word += rtf[i++];
        bool hasNumber = false;
        bool negative = false;
        long number = 0;
        if (i < n && rtf[i] == '-') {
            negative = true;
            ++i;
        }
        while (i < n && std::isdigit(static_cast<unsigned char>(rtf[i]))) {
            hasNumber = true;
            if (number < 1000000) number = number * 10 + (rtf[i] - '0');
            ++i;
        }
        if (negative) number = -number;
        if (i < n && rtf[i] == ' ') ++i;  // the delimiter belongs to the word
        if (HiddenDestination(word)) {
            hidden.back() = true;
        } else if (hide) {
            continue;
        } else if (word == "par" || word == "line" || word == "row") {
            out += "\r\n";
        } else if (word == "tab" || word == "cell") {
            out += '\t';
        } else if (word == "u" && hasNumber) {
            AppendUtf8(out, static_cast<unsigned>(number < 0 ? number + 65536 : number));
            skipAfterUnicode = 1;
        } else if (word == "emdash") {
            AppendUtf8(out, 0x2014);
        } else if (word == "endash") {
            AppendUtf8(out, 0x2013);
        } else if (word == "bullet") {
            AppendUtf8(out, 0x2022);
        }
    }
    while (out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0) out.resize(out.size() - 2);
    return out;
}
