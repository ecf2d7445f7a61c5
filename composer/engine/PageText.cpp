#include "composer/engine/PageText.h"

#include <algorithm>

#include "framework/rtl/FileUtils.h"

namespace PageText {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool SameTextAscii(const String& a, const String& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

int FindNoCase(const String& s, const String& sub, size_t from) {
    if (sub.empty()) return from <= s.size() ? static_cast<int>(from) : -1;
    if (s.size() < sub.size()) return -1;
    const char first = Upper(sub[0]);
    const char firstLower = (first >= 'A' && first <= 'Z') ? static_cast<char>(first + 32) : first;
    const size_t last = s.size() - sub.size();
    for (size_t i = from; i <= last; ++i) {
        const char c = s[i];
        if (c != first && c != firstLower) continue;
        size_t k = 1;
        while (k < sub.size() && Upper(s[i + k]) == Upper(sub[k])) ++k;
        if (k == sub.size()) return static_cast<int>(i);
    }
    return -1;
}

bool ContainsNoCase(const String& s, const String& sub) { return FindNoCase(s, sub) >= 0; }

String Lower(const String& s) {
    String r = s;
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return r;
}

String TrimBlanks(const String& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 0x20) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 0x20) --e;
    return s.substr(b, e - b);
}

std::vector<String> SplitLines(const String& text) {
    std::vector<String> lines;
    size_t start = 0;
    const size_t n = text.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        lines.emplace_back(text, start, i - start);
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.emplace_back(text, start, n - start);
    return lines;
}

String JoinLines(const std::vector<String>& lines, const String& lineBreak) {
    size_t total = 0;
    for (const String& l : lines) total += l.size() + lineBreak.size();
    String r;
    r.reserve(total);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) r += lineBreak;
        r += lines[i];
    }
    return r;
}

}  // namespace PageText

