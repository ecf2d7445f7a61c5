#include "framework/system/Charset.h"

#include <cerrno>
#include <iconv.h>

#include "framework/rtl/StrUtils.h"

namespace {

// Windows-1252 from 0x80 to 0x9F; the five bytes the code page leaves
// undefined stand for the control characters of the same number, as
// browsers read them.
const char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

String Canonical(const String& charset) {
    String r;
    for (char c : charset) {
        if (c == ' ' || c == '\t') continue;
        r += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    }
    return r;
}

bool IsUtf8(const String& canonical) { return canonical == "UTF-8" || canonical == "UTF8"; }

bool IsWindows1252(const String& canonical) {
    return canonical == "WINDOWS-1252" || canonical == "CP1252" || canonical == "ISO-8859-1" ||
           canonical == "LATIN1" || canonical == "US-ASCII" || canonical == "ASCII";
}

String DecodeWindows1252(const String& bytes) {
    String out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) {
        const unsigned char b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            out += ch;
        else if (b < 0xA0)
            AppendUtf8(out, kWindows1252High[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return out;
}

// `highest` 0xFF writes ISO-8859-1 strictly, 0x7F ASCII; anything else
// Windows-1252.
String EncodeWindows1252(const String& text, const TUnmappable& unmappable, char32_t highest = 0) {
    String out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = NextUtf8(text, pos);
        if (highest) {
            if (c <= highest && (c < 0x80 || c >= 0xA0))
                out += static_cast<char>(c);
            else
                out += unmappable(c);
            continue;
        }
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        int found = -1;
        for (int i = 0; i < 32; ++i)
            if (kWindows1252High[i] == c) found = i;
        if (found >= 0)
            out += static_cast<char>(0x80 + found);
        else
            out += unmappable(c);
    }
    return out;
}

String DecodeUtf8(const String& bytes) {
    if (IsValidUtf8(bytes)) return bytes;
    String out;
    out.reserve(bytes.size() + 8);
    for (size_t pos = 0; pos < bytes.size();) AppendUtf8(out, NextUtf8(bytes, pos));
    return out;
}

class TConverter {
public:
    TConverter(const char* to, const char* from) : FHandle(iconv_open(to, from)) {}
    ~TConverter() {
        if (Valid()) iconv_close(FHandle);
    }
    TConverter(const TConverter&) = delete;
    TConverter& operator=(const TConverter&) = delete;
    bool Valid() const { return FHandle != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of [in, in + inLeft) as it can, appending to `out`.
    // Returns 0 when all went, else the errno that stopped it.
    int Convert(const char*& in, size_t& inLeft, String& out) {
        char buffer[4096];
        while (inLeft > 0) {
            char* to = buffer;
            size_t toLeft = sizeof buffer;
            char* from = const_cast<char*>(in);
            const size_t rc = iconv(FHandle, &from, &inLeft, &to, &toLeft);
            const int err = rc == static_cast<size_t>(-1) ? errno : 0;
            in = from;
            out.append(buffer, sizeof buffer - toLeft);
            if (err == E2BIG) continue;
            if (err) return err;
        }
        return 0;
    }
    // Writes what brings a stateful encoding back to its initial state.
    void Reset(String& out) {
        char buffer[64];
        char* to = buffer;
        size_t toLeft = sizeof buffer;
        iconv(FHandle, nullptr, nullptr, &to, &toLeft);
        out.append(buffer, sizeof buffer - toLeft);
    }

private:
    iconv_t FHandle;
};

}  // namespace

bool IsValidUtf8(const String& bytes) {
    char32_t cp;
    for (size_t pos = 0; pos < bytes.size();) {
        const int n = static_cast<unsigned char>(bytes[pos]) < 0x80 ? 1 : Utf8CharAt(bytes, pos, cp);
        if (n == 0) return false;
        pos += static_cast<size_t>(n);
    }
    return true;
}

char32_t NextUtf8(const String& text, size_t& pos) {
    char32_t cp;
    const int n = Utf8CharAt(text, pos, cp);
    if (n == 0) {
        ++pos;
        return 0xFFFD;
    }
    pos += static_cast<size_t>(n);
    return cp;
}

bool CharsetSupported(const String& charset) {
    const String c = Canonical(charset);
    if (c.empty()) return false;
    if (IsUtf8(c) || IsWindows1252(c)) return true;
    return TConverter("UTF-8", c.c_str()).Valid();
}

String DecodeToUtf8(const String& bytes, const String& charset) {
    const String c = Canonical(charset);
    if (IsUtf8(c)) return DecodeUtf8(bytes);
    if (IsWindows1252(c) || c.empty()) return DecodeWindows1252(bytes);
    TConverter converter("UTF-8", c.c_str());
    if (!converter.Valid()) return DecodeWindows1252(bytes);
    String out;
    const char* in = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const int err = converter.Convert(in, left, out);
        if (!err) break;
        // A byte the charset does not know, or a sequence cut off at the end.
        AppendUtf8(out, 0xFFFD);
        ++in;
        --left;
    }
    return out;
}

String EncodeFromUtf8(const String& text, const String& charset, const TUnmappable& unmappable) {
    const String c = Canonical(charset);
    if (IsUtf8(c)) return DecodeUtf8(text);
    // Read the way browsers read them, ISO-8859-1 and ASCII are written as
    // what they strictly are, so that XML parsers read the same.
    if (c == "ISO-8859-1" || c == "LATIN1") return EncodeWindows1252(text, unmappable, 0xFF);
    if (c == "US-ASCII" || c == "ASCII") return EncodeWindows1252(text, unmappable, 0x7F);
    if (IsWindows1252(c) || c.empty()) return EncodeWindows1252(text, unmappable);
    TConverter converter(c.c_str(), "UTF-8");
    if (!converter.Valid()) return EncodeWindows1252(text, unmappable);
    String out;
    const String valid = DecodeUtf8(text);
    const char* in = valid.data();
    size_t left = valid.size();
    while (left > 0) {
        if (!converter.Convert(in, left, out)) break;
        size_t at = static_cast<size_t>(in - valid.data());
        const size_t before = at;
        const char32_t cp = NextUtf8(valid, at);
        converter.Reset(out);
        out += unmappable(cp);
        in += at - before;
        left -= at - before;
    }
    converter.Reset(out);
    return out;
}

String EncodeFromUtf8(const String& text, const String& charset, const String& readCharset,
                      const TUnmappable& unmappable) {
    const String valid = DecodeUtf8(text);
    bool lost = false;
    const TUnmappable fail = [&lost](char32_t) {
        lost = true;
        return String();
    };
    // Most text goes whole; only text holding a character the two
    // charsets do not agree on is taken a character at a time.
    const String whole = EncodeFromUtf8(valid, charset, fail);
    if (!lost && DecodeToUtf8(whole, readCharset) == valid) return whole;
    String out;
    for (size_t pos = 0; pos < valid.size();) {
        const size_t start = pos;
        const char32_t c = NextUtf8(valid, pos);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const String one = valid.substr(start, pos - start);
        lost = false;
        const String bytes = EncodeFromUtf8(one, charset, fail);
        if (!lost && !bytes.empty() && DecodeToUtf8(bytes, readCharset) == one)
            out += bytes;
        else
            out += unmappable(c);
    }
    return out;
}
