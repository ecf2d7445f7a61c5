#include "framework/rtl/StrUtils.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "framework/rtl/DateTime.h"
#include "framework/rtl/Exception.h"

// --- positions and pieces ---------------------------------------------------

String Copy(const String& s, int index, int count) {
    // As the runtime does: an index before the start counts from the start
    // (the count is not shortened), past the end gives "".
    const int len = static_cast<int>(s.size());
    if (index < 1) index = 1;
    if (index > len || count <= 0) return String();
    if (count > len - index + 1) count = len - index + 1;
    return s.substr(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

int Pos(const String& sub, const String& s) { return PosEx(sub, s, 1); }

int PosEx(const String& sub, const String& s, int offset) {
    if (sub.empty() || s.empty()) return 0;
    if (offset < 1) offset = 1;
    if (offset > static_cast<int>(s.size())) return 0;
    size_t p = s.find(sub, static_cast<size_t>(offset - 1));
    return p == String::npos ? 0 : static_cast<int>(p) + 1;
}

void Delete(String& s, int index, int count) {
    // The runtime leaves the string alone when the index is outside it and
    // shortens a count that runs past the end.
    const int len = static_cast<int>(s.size());
    if (index < 1 || index > len || count <= 0) return;
    if (count > len - index + 1) count = len - index + 1;
    s.erase(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

void Insert(const String& source, String& s, int index) {
    if (source.empty()) return;
    const int len = static_cast<int>(s.size());
    if (index < 1) index = 1;
    if (index > len + 1) index = len + 1;
    s.insert(static_cast<size_t>(index - 1), source);
}

int LastDelimiter(const String& delimiters, const String& s) {
    if (delimiters.empty()) return 0;
    size_t p = s.find_last_of(delimiters);
    return p == String::npos ? 0 : static_cast<int>(p) + 1;
}

bool IsDelimiter(const String& delimiters, const String& s, int index) {
    if (index < 1 || index > static_cast<int>(s.size())) return false;
    return delimiters.find(s[static_cast<size_t>(index - 1)]) != String::npos;
}

String StringOfChar(char c, int count) {
    return count > 0 ? String(static_cast<size_t>(count), c) : String();
}

String LeftStr(const String& s, int count) { return Copy(s, 1, count); }

String RightStr(const String& s, int count) {
    if (count <= 0) return String();
    const int len = static_cast<int>(s.size());
    if (count >= len) return s;
    return s.substr(static_cast<size_t>(len - count));
}

// --- blanks -------------------------------------------------------------------

namespace {
inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
}  // namespace

String Trim(const String& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

String TrimLeft(const String& s) {
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return s.substr(b);
}

String TrimRight(const String& s) {
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) --e;
    return s.substr(0, e);
}

// --- case, ASCII ----------------------------------------------------------------

String UpperCase(const String& s) {
    String r(s);
    for (char& c : r) c = UpCase(c);
    return r;
}

String LowerCase(const String& s) {
    String r(s);
    for (char& c : r) c = LoCase(c);
    return r;
}

int CompareStr(const String& a, const String& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int d = static_cast<unsigned char>(a[i]) - static_cast<unsigned char>(b[i]);
        if (d != 0) return d;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

int CompareText(const String& a, const String& b) {
    // The runtime folds to upper case before comparing, so '_' sorts after
    // the letters.
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int d = static_cast<unsigned char>(UpCase(a[i])) -
                static_cast<unsigned char>(UpCase(b[i]));
        if (d != 0) return d;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameText(const String& a, const String& b) {
    if (a.size() != b.size()) return false;
    return CompareText(a, b) == 0;
}

// --- case, UTF-8 ---------------------------------------------------------------

namespace {
locale_t Utf8Locale() {
    static locale_t loc = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        if (!l) l = newlocale(LC_CTYPE_MASK, "C.utf8", static_cast<locale_t>(0));
        if (!l) l = newlocale(LC_CTYPE_MASK, "en_US.UTF-8", static_cast<locale_t>(0));
        return l;
    }();
    return loc;
}

// Decodes one UTF-8 sequence at s[i]; returns its length, or 0 when the
// bytes there are not valid UTF-8 (they then pass through as they are).
int DecodeUtf8(const String& s, size_t i, char32_t& cp) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int len;
    char32_t v;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if ((c & 0xE0) == 0xC0) {
        len = 2;
        v = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3;
        v = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4;
        v = c & 0x07;
    } else {
        return 0;
    }
    if (i + static_cast<size_t>(len) > s.size()) return 0;
    for (int k = 1; k < len; ++k) {
        const unsigned char cc = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        if ((cc & 0xC0) != 0x80) return 0;
        v = (v << 6) | (cc & 0x3F);
    }
    // Reject overlong forms, surrogates and values past U+10FFFF.
    if ((len == 2 && v < 0x80) || (len == 3 && v < 0x800) || (len == 4 && v < 0x10000) ||
        v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF))
        return 0;
    cp = v;
    return len;
}

void EncodeUtf8(char32_t v, String& out) {
    if (v < 0x80) {
        out += static_cast<char>(v);
    } else if (v < 0x800) {
        out += static_cast<char>(0xC0 | (v >> 6));
        out += static_cast<char>(0x80 | (v & 0x3F));
    } else if (v < 0x10000) {
        out += static_cast<char>(0xE0 | (v >> 12));
        out += static_cast<char>(0x80 | ((v >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (v & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (v >> 18));
        out += static_cast<char>(0x80 | ((v >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((v >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (v & 0x3F));
    }
}

char32_t FoldChar(char32_t cp, bool upper) {
    if (cp < 0x80) {
        char c = static_cast<char>(cp);
        return static_cast<unsigned char>(upper ? UpCase(c) : LoCase(c));
    }
    locale_t loc = Utf8Locale();
    if (!loc) return cp;
    wint_t r = upper ? towupper_l(static_cast<wint_t>(cp), loc)
                     : towlower_l(static_cast<wint_t>(cp), loc);
    return static_cast<char32_t>(r);
}

String FoldUtf8(const String& s, bool upper) {
    String out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        char32_t cp;
        int n = DecodeUtf8(s, i, cp);
        if (n == 0) {
            out += s[i];
            ++i;
            continue;
        }
        EncodeUtf8(FoldChar(cp, upper), out);
        i += static_cast<size_t>(n);
    }
    return out;
}

// Code point order for valid UTF-8; invalid bytes compare by value above
// every code point so that the order stays total.
std::u32string Decode(const String& s, bool lower) {
    std::u32string r;
    r.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        char32_t cp;
        int n = DecodeUtf8(s, i, cp);
        if (n == 0) {
            r += static_cast<char32_t>(0x110000 + static_cast<unsigned char>(s[i]));
            ++i;
            continue;
        }
        r += lower ? FoldChar(cp, false) : cp;
        i += static_cast<size_t>(n);
    }
    return r;
}

int CompareU32(const std::u32string& a, const std::u32string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}
}  // namespace

int Utf8CharAt(const String& s, size_t i, char32_t& cp) { return DecodeUtf8(s, i, cp); }

void AppendUtf8(String& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    EncodeUtf8(cp, out);
}

std::u16string Utf8ToUtf16(const String& s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        char32_t cp = 0;
        const int len = DecodeUtf8(s, i, cp);
        if (len == 0) {
            out += u'\xFFFD';
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += static_cast<size_t>(len);
    }
    return out;
}

String Utf16ToUtf8(const std::u16string& s) {
    String out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[++i] - 0xDC00);
        AppendUtf8(out, cp);  // a lone surrogate becomes U+FFFD
    }
    return out;
}

bool IsLetterOrDigit(char32_t cp) {
    if (cp < 0x80) return (cp >= '0' && cp <= '9') || ((cp | 0x20) >= 'a' && (cp | 0x20) <= 'z');
    locale_t loc = Utf8Locale();
    return loc ? iswalnum_l(static_cast<wint_t>(cp), loc) != 0 : true;
}

String AnsiUpperCase(const String& s) { return FoldUtf8(s, true); }
String AnsiLowerCase(const String& s) { return FoldUtf8(s, false); }

int AnsiCompareStr(const String& a, const String& b) {
    return CompareU32(Decode(a, false), Decode(b, false));
}

int AnsiCompareText(const String& a, const String& b) {
    return CompareU32(Decode(a, true), Decode(b, true));
}

bool AnsiSameText(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }
bool AnsiSameStr(const String& a, const String& b) { return a == b; }
int AnsiPos(const String& sub, const String& s) { return Pos(sub, s); }

// --- numbers ------------------------------------------------------------------

String IntToStr(Int64 v) { return std::to_string(v); }

String IntToHex(Int64 v, int digits) {
    static const char hex[] = "0123456789ABCDEF";
    std::uint64_t u = static_cast<std::uint64_t>(v);
    String r;
    do {
        r.insert(r.begin(), hex[u & 15]);
        u >>= 4;
    } while (u != 0);
    if (digits > static_cast<int>(r.size()))
        r.insert(0, static_cast<size_t>(digits) - r.size(), '0');
    return r;
}

namespace {
// Parses an integer the way the runtime's Val does, plus blanks at both
// ends: [sign] digits | [sign] ("$" | "0x" | "0X") hexdigits. Hex values
// may use the full unsigned range of the type (wrapping as the runtime does).
bool ParseInt(const String& s, Int64& out, bool is64) {
    size_t i = 0, e = s.size();
    while (i < e && IsBlank(s[i])) ++i;
    while (e > i && IsBlank(s[e - 1])) --e;
    if (i >= e) return false;
    bool neg = false;
    if (s[i] == '+' || s[i] == '-') {
        neg = s[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < e && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < e && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= e) return false;
    std::uint64_t v = 0;
    const std::uint64_t limit =
        hex ? (is64 ? std::numeric_limits<std::uint64_t>::max() : 0xFFFFFFFFull)
            : (is64 ? (neg ? 0x8000000000000000ull : 0x7FFFFFFFFFFFFFFFull)
                    : (neg ? 0x80000000ull : 0x7FFFFFFFull));
    for (; i < e; ++i) {
        char c = s[i];
        unsigned d;
        if (c >= '0' && c <= '9')
            d = static_cast<unsigned>(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            d = static_cast<unsigned>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            d = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        const std::uint64_t base = hex ? 16 : 10;
        if (v > (limit - d) / base) return false;
        v = v * base + d;
    }
    // Negation and the hex range wrap in the type's width.
    const std::uint64_t bits = neg ? 0 - v : v;
    out = is64 ? static_cast<Int64>(bits)
               : static_cast<Int64>(static_cast<std::int32_t>(static_cast<std::uint32_t>(bits)));
    return true;
}
}  // namespace

bool TryStrToInt(const String& s, int& value) {
    Int64 v;
    if (!ParseInt(s, v, false)) return false;
    value = static_cast<int>(v);
    return true;
}

bool TryStrToInt64(const String& s, Int64& value) { return ParseInt(s, value, true); }

int StrToInt(const String& s) {
    int v;
    if (!TryStrToInt(s, v)) throw EConvertError(RtlConsts::SInvalidInteger, {s});
    return v;
}

Int64 StrToInt64(const String& s) {
    Int64 v;
    if (!TryStrToInt64(s, v)) throw EConvertError(RtlConsts::SInvalidInteger, {s});
    return v;
}

int StrToIntDef(const String& s, int def) {
    int v;
    return TryStrToInt(s, v) ? v : def;
}

Int64 StrToInt64Def(const String& s, Int64 def) {
    Int64 v;
    return TryStrToInt64(s, v) ? v : def;
}

bool TryStrToFloat(const String& s, double& value) {
    // Locale-independent: only FormatSettings' decimal separator counts, never
    // the C library's idea of the locale.
    const char dec = FormatSettings().DecimalSeparator;
    size_t i = 0, e = s.size();
    while (i < e && IsBlank(s[i])) ++i;
    while (e > i && IsBlank(s[e - 1])) --e;
    if (i >= e) return false;
    String norm;
    if (s[i] == '+' || s[i] == '-') {
        if (s[i] == '-') norm += '-';
        ++i;
    }
    int digits = 0;
    while (i < e && s[i] >= '0' && s[i] <= '9') {
        norm += s[i++];
        ++digits;
    }
    if (i < e && s[i] == dec) {
        norm += '.';
        ++i;
        while (i < e && s[i] >= '0' && s[i] <= '9') {
            norm += s[i++];
            ++digits;
        }
    }
    if (digits == 0) return false;
    if (i < e && (s[i] == 'e' || s[i] == 'E')) {
        norm += 'e';
        ++i;
        if (i < e && (s[i] == '+' || s[i] == '-')) norm += s[i++];
        int ed = 0;
        while (i < e && s[i] >= '0' && s[i] <= '9') {
            norm += s[i++];
            ++ed;
        }
        if (ed == 0) return false;
    }
    if (i != e) return false;
    const char* b = norm.c_str();
    const char* end = b + norm.size();
    bool neg = false;
    if (*b == '-') {
        neg = true;
        ++b;
    }
    double v = 0;
    auto res = std::from_chars(b, end, v, std::chars_format::general);
    if (res.ptr != end) return false;
    if (res.ec == std::errc::result_out_of_range) {
        // from_chars reports both overflow and underflow here; tell them apart
        // by the exponent's sign.
        size_t ep = norm.find('e');
        bool tiny = ep != String::npos && norm[ep + 1] == '-';
        if (!tiny) return false;
        v = 0;
    } else if (res.ec != std::errc()) {
        return false;
    }
    value = neg ? -v : v;
    return true;
}

double StrToFloat(const String& s) {
    double v;
    if (!TryStrToFloat(s, v)) throw EConvertError(RtlConsts::SInvalidFloat, {s});
    return v;
}

double StrToFloatDef(const String& s, double def) {
    double v;
    return TryStrToFloat(s, v) ? v : def;
}

namespace {
// The runtime's TFloatRec: value = 0.Digits * 10^Exponent, Digits without
// trailing zeros, empty for zero.
struct FloatRec {
    bool Negative = false;
    int Exponent = 0;
    String Digits;
};

// Rounds half away from zero on the decimal digits, to at most `precision`
// significant digits and at most `decimals` digits after the point, as the
// runtime's FloatToDecimal does (it starts from 18 digits of the exact value).
FloatRec FloatToDecimal(double v, int precision, int decimals) {
    FloatRec r;
    r.Negative = std::signbit(v);
    if (v == 0) {
        r.Negative = false;
        return r;
    }
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 17);
    String t(buf, res.ptr);
    size_t epos = t.find('e');
    String mant = t.substr(0, epos);
    int exp10 = std::stoi(t.substr(epos + 1));
    String digits;
    for (char c : mant)
        if (c != '.') digits += c;
    int exponent = exp10 + 1;
    int keep = std::min(precision, exponent + decimals);
    if (keep < 0) {
        r.Negative = false;
        return r;
    }
    if (keep < static_cast<int>(digits.size())) {
        bool up = digits[static_cast<size_t>(keep)] >= '5';
        digits.resize(static_cast<size_t>(keep));
        if (up) {
            int k = keep - 1;
            while (k >= 0 && digits[static_cast<size_t>(k)] == '9') {
                digits[static_cast<size_t>(k)] = '0';
                --k;
            }
            if (k >= 0) {
                digits[static_cast<size_t>(k)]++;
            } else {
                digits.insert(digits.begin(), '1');
                ++exponent;
                digits.pop_back();
                if (digits.empty()) digits = "1";
            }
        }
    }
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (digits.empty()) {
        r.Negative = false;
        return r;
    }
    r.Digits = digits;
    r.Exponent = exponent;
    return r;
}

String ExponentPart(int exp, bool plus, int minDigits) {
    String r = "E";
    if (exp < 0)
        r += '-';
    else if (plus)
        r += '+';
    String d = std::to_string(exp < 0 ? -exp : exp);
    if (minDigits > 4) minDigits = 4;
    if (static_cast<int>(d.size()) < minDigits) d.insert(0, static_cast<size_t>(minDigits) - d.size(), '0');
    return r + d;
}

// The digits of a fixed-point rendering, without sign: integer part (with
// thousand separators when asked) and `decimals` digits after the point.
String FixedBody(const FloatRec& fr, int decimals, bool thousands) {
    const TFormatSettings& fs = FormatSettings();
    String intPart;
    if (fr.Exponent <= 0 || fr.Digits.empty()) {
        intPart = "0";
    } else {
        for (int k = 0; k < fr.Exponent; ++k)
            intPart += k < static_cast<int>(fr.Digits.size()) ? fr.Digits[static_cast<size_t>(k)] : '0';
    }
    if (thousands && fs.ThousandSeparator != '\0') {
        String t;
        int n = static_cast<int>(intPart.size());
        for (int k = 0; k < n; ++k) {
            if (k > 0 && (n - k) % 3 == 0) t += fs.ThousandSeparator;
            t += intPart[static_cast<size_t>(k)];
        }
        intPart = t;
    }
    if (decimals <= 0) return intPart;
    String frac;
    for (int k = 0; k < decimals; ++k) {
        int idx = fr.Exponent + k;  // index into Digits
        char c = '0';
        if (!fr.Digits.empty() && idx >= 0 && idx < static_cast<int>(fr.Digits.size()))
            c = fr.Digits[static_cast<size_t>(idx)];
        frac += c;
    }
    return intPart + fs.DecimalSeparator + frac;
}

String GeneralBody(const FloatRec& fr, int precision, int digits) {
    const char dec = FormatSettings().DecimalSeparator;
    if (fr.Digits.empty()) return "0";
    const int nd = static_cast<int>(fr.Digits.size());
    if (fr.Exponent > precision || fr.Exponent < -3) {
        String r(1, fr.Digits[0]);
        if (nd > 1) r += dec + fr.Digits.substr(1);
        return r + ExponentPart(fr.Exponent - 1, false, digits);
    }
    String r;
    if (fr.Exponent <= 0) {
        r = "0";
        r += dec;
        r += String(static_cast<size_t>(-fr.Exponent), '0');
        r += fr.Digits;
        return r;
    }
    if (nd <= fr.Exponent) return fr.Digits + String(static_cast<size_t>(fr.Exponent - nd), '0');
    return fr.Digits.substr(0, static_cast<size_t>(fr.Exponent)) + dec +
           fr.Digits.substr(static_cast<size_t>(fr.Exponent));
}

String CurrencyWrap(const String& body, bool negative) {
    const TFormatSettings& fs = FormatSettings();
    const String& c = fs.CurrencyString;
    if (!negative) {
        switch (fs.CurrencyFormat) {
            case 1: return body + c;
            case 2: return c + " " + body;
            case 3: return body + " " + c;
            default: return c + body;
        }
    }
    switch (fs.NegCurrFormat) {
        case 1: return "-" + c + body;
        case 2: return c + "-" + body;
        case 3: return c + body + "-";
        case 4: return "(" + body + c + ")";
        case 5: return "-" + body + c;
        case 6: return body + "-" + c;
        case 7: return body + c + "-";
        case 8: return "-" + body + " " + c;
        case 9: return "-" + c + " " + body;
        case 10: return body + " " + c + "-";
        case 11: return c + " " + body + "-";
        case 12: return c + " -" + body;
        case 13: return body + "- " + c;
        case 14: return "(" + c + " " + body + ")";
        case 15: return "(" + body + " " + c + ")";
        default: return "(" + c + body + ")";
    }
}
}  // namespace

String FloatToStrF(double v, TFloatFormat format, int precision, int digits) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    if (precision < 1) precision = 1;
    if (precision > 18) precision = 18;
    if (digits < 0) digits = 0;
    if (digits > 18) digits = 18;
    const bool fixedKind = format == ffFixed || format == ffNumber || format == ffCurrency;
    FloatRec fr = FloatToDecimal(v, precision, fixedKind ? digits : 9999);
    const String sign = fr.Negative ? "-" : "";
    switch (format) {
        case ffExponent: {
            const char dec = FormatSettings().DecimalSeparator;
            String d = fr.Digits;
            if (d.size() < static_cast<size_t>(precision)) d.append(static_cast<size_t>(precision) - d.size(), '0');
            String r(1, d[0]);
            if (precision > 1) r += dec + d.substr(1, static_cast<size_t>(precision - 1));
            int e = fr.Digits.empty() ? 0 : fr.Exponent - 1;
            return sign + r + ExponentPart(e, true, digits);
        }
        case ffFixed:
        case ffNumber:
        case ffCurrency:
            if (fr.Exponent > precision) {
                // Too many integer digits for the precision: the runtime
                // falls back to the general format.
                FloatRec g = FloatToDecimal(v, precision, 9999);
                String body = GeneralBody(g, precision, 0);
                if (format == ffCurrency) return CurrencyWrap(body, g.Negative);
                return (g.Negative ? "-" : "") + body;
            }
            if (format == ffCurrency) return CurrencyWrap(FixedBody(fr, digits, true), fr.Negative);
            return sign + FixedBody(fr, digits, format == ffNumber);
        case ffGeneral:
        default:
            return sign + GeneralBody(fr, precision, digits);
    }
}

String FloatToStr(double v) { return FloatToStrF(v, ffGeneral, 15, 0); }

String BoolToStr(bool b, bool useBoolStrs) {
    if (useBoolStrs) return b ? "True" : "False";
    return b ? "-1" : "0";
}

bool StrToBool(const String& s) {
    String t = Trim(s);
    if (SameText(t, "True")) return true;
    if (SameText(t, "False")) return false;
    double d;
    if (TryStrToFloat(t, d)) return d != 0;
    throw EConvertError(RtlConsts::SInvalidBoolean, {s});
}

// --- replacing and quoting ----------------------------------------------------

String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags) {
    if (oldPattern.empty()) return s;
    const bool all = (flags & rfReplaceAll) != 0;
    const bool icase = (flags & rfIgnoreCase) != 0;
    const String hay = icase ? UpperCase(s) : s;
    const String pat = icase ? UpperCase(oldPattern) : oldPattern;
    String out;
    size_t from = 0;
    while (true) {
        size_t p = hay.find(pat, from);
        if (p == String::npos) break;
        out.append(s, from, p - from);
        out += newPattern;
        from = p + pat.size();
        if (!all) break;
    }
    out.append(s, from, String::npos);
    return out;
}

String QuotedStr(const String& s) { return AnsiQuotedStr(s, '\''); }

String AnsiQuotedStr(const String& s, char quote) {
    String r;
    r.reserve(s.size() + 2);
    r += quote;
    for (char c : s) {
        r += c;
        if (c == quote) r += quote;
    }
    r += quote;
    return r;
}

String AnsiDequotedStr(const String& s, char quote) {
    // Only a string that starts and ends with the quote is dequoted (pairs
    // inside become one quote); anything else comes back unchanged.
    if (s.size() < 2 || s.front() != quote) return s;
    String r;
    size_t i = 1;
    while (i < s.size()) {
        if (s[i] == quote) {
            if (i + 1 < s.size() && s[i + 1] == quote) {
                r += quote;
                i += 2;
                continue;
            }
            // Closing quote: it must be the last character.
            if (i + 1 == s.size()) return r;
            return s;
        }
        r += s[i++];
    }
    return s;  // no closing quote
}

String AdjustLineBreaks(const String& s) {
    String r;
    r.reserve(s.size() + s.size() / 16);
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\r') {
            r += "\r\n";
            if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            r += "\r\n";
        } else {
            r += c;
        }
    }
    return r;
}

std::vector<String> SplitLines(const String& s) {
    std::vector<String> r;
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        size_t b = i;
        while (i < n && s[i] != '\r' && s[i] != '\n') ++i;
        r.emplace_back(s, b, i - b);
        if (i < n && s[i] == '\r') ++i;
        if (i < n && s[i] == '\n') ++i;
    }
    return r;
}
