#include "composer/engine/PageEncoding.h"

#include <cstring>
#include <unordered_map>
#include <vector>

#include "framework/rtl/StrUtils.h"
#include "framework/system/Charset.h"


namespace {

struct TNamedReference {
    const char* Name;
    char32_t First;
    char32_t Second;
};

const TNamedReference kNamedReferences[] = {
#include "composer/engine/NamedReferences.inc"
};

const std::unordered_map<String, const TNamedReference*>& NamedReferences() {
    static const auto* map = [] {
        auto* m = new std::unordered_map<String, const TNamedReference*>();
        for (const TNamedReference& r : kNamedReferences) m->emplace(r.Name, &r);
        return m;
    }();
    return *map;
}

// A numeric reference to one of these code points means the Windows-1252
// character of that byte, as browsers read it.
const char16_t kC1AsWindows1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// A numeric reference at `at` (just behind "&#"); false when there is none.
bool NumericReference(const String& s, size_t at, String& out, size_t& end) {
    const bool hex = at < s.size() && (s[at] == 'x' || s[at] == 'X');
    size_t p = hex ? at + 1 : at;
    const size_t digits = p;
    unsigned long long value = 0;
    while (p < s.size() && (hex ? IsHex(s[p]) : (s[p] >= '0' && s[p] <= '9'))) {
        const char c = s[p];
        const int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        if (value <= 0x10FFFF) value = value * (hex ? 16 : 10) + static_cast<unsigned>(d);
        ++p;
    }
    if (p == digits) return false;
    if (p < s.size() && s[p] == ';') ++p;
    char32_t c = static_cast<char32_t>(value);
    if (value == 0 || value > 0x10FFFF) c = 0xFFFD;
    if (c >= 0x80 && c <= 0x9F) c = kC1AsWindows1252[c - 0x80];
    AppendUtf8(out, c);
    end = p;
    return true;
}

// The longest named reference at `at` (just behind "&").
bool NamedReference(const String& s, size_t at, bool attribute, String& out, size_t& end) {
    size_t run = at;
    while (run < s.size() && run - at < 32 && IsAlnum(s[run])) ++run;
    const auto& names = NamedReferences();
    for (size_t k = run; k > at; --k) {
        const TNamedReference* found = nullptr;
        size_t stop = k;
        if (k == run && k < s.size() && s[k] == ';') {
            const auto it = names.find(s.substr(at, k + 1 - at));
            if (it != names.end()) found = it->second, stop = k + 1;
        }
        if (!found) {
            const auto it = names.find(s.substr(at, k - at));
            if (it != names.end()) found = it->second;
        }
        if (!found) continue;
        if (attribute && s[stop - 1] != ';' && stop < s.size() && (IsAlnum(s[stop]) || s[stop] == '='))
            return false;
        AppendUtf8(out, found->First);
        if (found->Second) AppendUtf8(out, found->Second);
        end = stop;
        return true;
    }
    return false;
}

struct TLabelGroup {
    const char* Charset;  // what the page is read in
    const char* Labels;   // separated by blanks
    const char* WriteCharset = nullptr;  // what new text is written in, when not the same
};

// The labels browsers know and the encoding each names, with the name the
// framework converts it by. A label not here names nothing: browsers ignore
// it, and so does the engine. UTF-16 labels in a page mean UTF-8, as a META
// declaration is read; the labels that name no readable encoding at all
// ("replacement") are left out, so those pages count as undeclared.
const TLabelGroup kLabels[] = {
    {"UTF-8", "unicode-1-1-utf-8 unicode11utf8 unicode20utf8 utf-8 utf8 x-unicode20utf8 "
              "utf-16 utf-16le utf-16be unicode csunicode iso-10646-ucs-2 ucs-2 unicodefeff "
              "unicodefffe"},
    {"IBM866", "866 cp866 csibm866 ibm866"},
    {"ISO-8859-2", "csisolatin2 iso-8859-2 iso-ir-101 iso8859-2 iso88592 iso_8859-2 iso_8859-2:1987 l2 latin2"},
    {"ISO-8859-3", "csisolatin3 iso-8859-3 iso-ir-109 iso8859-3 iso88593 iso_8859-3 iso_8859-3:1988 l3 latin3"},
    {"ISO-8859-4", "csisolatin4 iso-8859-4 iso-ir-110 iso8859-4 iso88594 iso_8859-4 iso_8859-4:1988 l4 latin4"},
    {"ISO-8859-5", "csisolatincyrillic cyrillic iso-8859-5 iso-ir-144 iso8859-5 iso88595 iso_8859-5 "
                   "iso_8859-5:1988"},
    {"ISO-8859-6", "arabic asmo-708 csiso88596e csiso88596i csisolatinarabic ecma-114 iso-8859-6 iso-8859-6-e "
                   "iso-8859-6-i iso-ir-127 iso8859-6 iso88596 iso_8859-6 iso_8859-6:1987"},
    {"ISO-8859-7", "csisolatingreek ecma-118 elot_928 greek greek8 iso-8859-7 iso-ir-126 iso8859-7 iso88597 "
                   "iso_8859-7 iso_8859-7:1987 sun_eu_greek"},
    {"ISO-8859-8", "csiso88598e csisolatinhebrew hebrew iso-8859-8 iso-8859-8-e iso-ir-138 iso8859-8 iso88598 "
                   "iso_8859-8 iso_8859-8:1988 visual csiso88598i iso-8859-8-i logical"},
    {"ISO-8859-10", "csisolatin6 iso-8859-10 iso-ir-157 iso8859-10 iso885910 l6 latin6"},
    {"ISO-8859-13", "iso-8859-13 iso8859-13 iso885913"},
    {"ISO-8859-14", "iso-8859-14 iso8859-14 iso885914"},
    {"ISO-8859-15", "csisolatin9 iso-8859-15 iso8859-15 iso885915 iso_8859-15 l9"},
    {"ISO-8859-16", "iso-8859-16"},
    {"KOI8-R", "cskoi8r koi koi8 koi8-r koi8_r"},
    {"KOI8-RU", "koi8-ru koi8-u"},
    {"MACINTOSH", "csmacintosh mac macintosh x-mac-roman"},
    {"WINDOWS-874", "dos-874 iso-8859-11 iso8859-11 iso885911 tis-620 windows-874"},
    {"CP1250", "cp1250 windows-1250 x-cp1250"},
    {"CP1251", "cp1251 windows-1251 x-cp1251"},
    {"windows-1252", "ansi_x3.4-1968 ascii cp1252 cp819 csisolatin1 ibm819 iso-8859-1 iso-ir-100 "
                     "iso8859-1 iso88591 iso_8859-1 iso_8859-1:1987 l1 latin1 us-ascii "
                     "windows-1252 x-cp1252 x-user-defined"},
    {"CP1253", "cp1253 windows-1253 x-cp1253"},
    {"CP1254", "cp1254 csisolatin5 iso-8859-9 iso-ir-148 iso8859-9 iso88599 iso_8859-9 "
               "iso_8859-9:1989 l5 latin5 windows-1254 x-cp1254"},
    {"CP1255", "cp1255 windows-1255 x-cp1255"},
    {"CP1256", "cp1256 windows-1256 x-cp1256"},
    {"CP1257", "cp1257 windows-1257 x-cp1257"},
    {"CP1258", "cp1258 windows-1258 x-cp1258"},
    {"MAC-CYRILLIC", "x-mac-cyrillic x-mac-ukrainian"},
    // Browsers read GBK with the GB18030 decoder but write no four-byte
    // sequence into it.
    {"GB18030", "chinese csgb2312 csiso58gb231280 gb2312 gb_2312 gb_2312-80 gbk iso-ir-58 x-gbk", "GBK"},
    {"GB18030", "gb18030"},
    {"BIG5-HKSCS", "big5 big5-hkscs cn-big5 csbig5 x-x-big5"},
    {"EUC-JP", "cseucpkdfmtjapanese euc-jp x-euc-jp"},
    {"ISO-2022-JP", "csiso2022jp iso-2022-jp"},
    {"CP932", "csshiftjis ms932 ms_kanji shift-jis shift_jis sjis windows-31j x-sjis"},
    {"CP949", "cseuckr csksc56011987 euc-kr iso-ir-149 korean ks_c_5601-1987 ks_c_5601-1989 "
              "ksc5601 ksc_5601 windows-949"},
};

bool LabelIn(const char* labels, const String& label) {
    const size_t n = std::strlen(labels);
    for (size_t p = 0; p < n;) {
        size_t e = p;
        while (e < n && labels[e] != ' ') ++e;
        if (label.size() == e - p && label.compare(0, String::npos, labels + p, e - p) == 0) return true;
        p = e + 1;
    }
    return false;
}

// A character as a numeric reference, which reads the same in any encoding.
String AsReference(char32_t c) { return "&#" + std::to_string(static_cast<unsigned long>(c)) + ";"; }

const TLabelGroup* GroupOfLabel(const String& label) {
    const String l = LowerCase(Trim(label));
    if (l.empty()) return nullptr;
    for (const TLabelGroup& g : kLabels)
        if (LabelIn(g.Labels, l)) return &g;
    return nullptr;
}

}  // namespace

String TPageEncoding::CharsetOfLabel(const String& label) {
    const TLabelGroup* g = GroupOfLabel(label);
    return g && CharsetSupported(g->Charset) ? String(g->Charset) : String();
}

String TPageEncoding::CharsetParameter(const String& contentType) {
    const String l = LowerCase(contentType);
    size_t p = l.find("charset");
    while (p != String::npos) {
        size_t q = p + 7;
        while (q < l.size() && static_cast<unsigned char>(l[q]) <= 0x20) ++q;
        if (q < l.size() && l[q] == '=') {
            ++q;
            while (q < l.size() && static_cast<unsigned char>(l[q]) <= 0x20) ++q;
            char quote = 0;
            if (q < l.size() && (l[q] == '"' || l[q] == '\'')) quote = l[q++];
            size_t e = q;
            while (e < l.size() && (quote ? l[e] != quote : (l[e] != ';' && static_cast<unsigned char>(l[e]) > 0x20)))
                ++e;
            return contentType.substr(q, e - q);
        }
        p = l.find("charset", p + 7);
    }
    return String();
}

TPageEncoding TPageEncoding::Detect(const String& pageStart, const String& declared) {
    TPageEncoding e;
    if (pageStart.compare(0, 3, "\xEF\xBB\xBF") == 0) return e;
    const String named = CharsetOfLabel(declared);
    if (!named.empty()) {
        e.Charset = e.WriteCharset = named;
        if (const char* write = GroupOfLabel(declared)->WriteCharset) e.WriteCharset = write;
        if (named == "windows-1252") {
            const String l = LowerCase(Trim(declared));
            if (l == "us-ascii" || l == "ascii" || l == "ansi_x3.4-1968")
                e.WriteCharset = "US-ASCII";
            else if (l != "windows-1252" && l != "cp1252" && l != "x-cp1252")
                e.WriteCharset = "ISO-8859-1";
        }
        return e;
    }
    bool ascii = true;
    for (char c : pageStart)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        e.AsciiOnly = true;
        return e;
    }
    // Bytes cut off in the middle of a character at the end of what was
    // read do not make the page any less UTF-8.
    size_t end = pageStart.size();
    for (size_t k = 0; k < 3 && end > 0; ++k) {
        const unsigned char b = static_cast<unsigned char>(pageStart[end - 1]);
        if (b < 0x80) break;
        --end;
        if (b >= 0xC0) break;
    }
    // Bytes that are no UTF-8 and no declaration: browsers guess, from the
    // bytes or the reader's language, among every legacy encoding. The
    // values are shown as Windows-1252, which keeps every byte; new text
    // beyond ASCII is written as references, which every guess reads alike.
    if (!IsValidUtf8(pageStart.substr(0, end))) {
        e.Charset = e.WriteCharset = "windows-1252";
        e.AsciiOnly = true;
        e.Guessed = true;
    }
    return e;
}

String TPageEncoding::Text(const String& bytes, bool attribute) const {
    return ResolveReferences(DecodeToUtf8(bytes, Charset), attribute);
}

String TPageEncoding::Bytes(const String& text) const {
    if (!AsciiOnly) return EncodeFromUtf8(text, WriteCharset, Charset, AsReference);
    String out;
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = NextUtf8(text, pos);
        if (c < 0x80)
            out += static_cast<char>(c);
        else
            out += AsReference(c);
    }
    return out;
}

String TPageEncoding::ChangedBytes(const String& raw, const String& text, bool attribute, bool fromPage) const {
    auto escaped = [attribute](const String& t) { return attribute ? EscapeAttribute(t) : EscapeText(t); };
    auto newBytes = [&](const String& t) {
        if (!fromPage || !Guessed) return Bytes(escaped(t));
        return EncodeFromUtf8(escaped(t), Charset, Charset, AsReference);
    };
    if (!Guessed) return newBytes(text);
    // The old value in pieces, each a reference or one byte, with the text
    // it reads as.
    struct TPiece {
        size_t Start, End;
        String Text;
        bool Kept;  // goes back as the page's own bytes
    };
    std::vector<TPiece> pieces;
    for (size_t i = 0; i < raw.size();) {
        TPiece p{i, i + 1, String(), true};
        size_t end = i + 1;
        const bool reference = raw[i] == '&' && i + 1 < raw.size() &&
                               (raw[i + 1] == '#' ? NumericReference(raw, i + 2, p.Text, end)
                                                  : NamedReference(raw, i + 1, attribute, p.Text, end));
        if (reference) {
            // One without its ";" could run on into the new text after it.
            p.End = end;
            p.Kept = raw[end - 1] == ';';
        } else {
            p.Text = DecodeToUtf8(raw.substr(i, 1), Charset);
            p.Kept = escaped(String(1, raw[i])).size() == 1;
        }
        pieces.push_back(std::move(p));
        i = pieces.back().End;
    }
    size_t first = 0, from = 0;  // pieces [0, first) and text [0, from) agree
    while (first < pieces.size() && text.compare(from, pieces[first].Text.size(), pieces[first].Text) == 0)
        from += pieces[first++].Text.size();
    size_t last = pieces.size(), to = text.size();  // pieces [last, n) and text [to, n) agree
    while (last > first && to - from >= pieces[last - 1].Text.size() &&
           text.compare(to - pieces[last - 1].Text.size(), pieces[last - 1].Text.size(), pieces[last - 1].Text) == 0)
        to -= pieces[--last].Text.size();
    auto unchanged = [&](size_t a, size_t b) {
        String out;
        for (size_t k = a; k < b; ++k)
            out += pieces[k].Kept ? raw.substr(pieces[k].Start, pieces[k].End - pieces[k].Start)
                                  : newBytes(pieces[k].Text);
        return out;
    };
    return unchanged(0, first) + newBytes(text.substr(from, to - from)) + unchanged(last, pieces.size());
}

String TPageEncoding::ResolveReferences(const String& text, bool attribute) {
    if (text.find('&') == String::npos) return text;
    String out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        size_t end = i + 1;
        const bool resolved = (i + 1 < text.size() && text[i + 1] == '#')
                                  ? NumericReference(text, i + 2, out, end)
                                  : NamedReference(text, i + 1, attribute, out, end);
        if (resolved) {
            i = end;
        } else {
            out += '&';
            ++i;
        }
    }
    return out;
}

String TPageEncoding::EscapeAttribute(const String& text) {
    String out;
    out.reserve(text.size() + 16);
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}

String TPageEncoding::EscapeText(const String& text) {
    String out;
    out.reserve(text.size() + 16);
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}
