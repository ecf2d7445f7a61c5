#include "framework/controls/RtfDocument.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

#include "framework/rtl/StrUtils.h"

namespace velmor_internal {

namespace {

// ---- code pages ------------------------------------------------------------------

int CodePageOfCharset(int charset, int documentCodePage) {
    switch (charset) {
    case 0: return 1252;
    case 2: return 1252;  // symbol fonts: the bytes as they are
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return documentCodePage;
    }
}

class TCodePages {
public:
    ~TCodePages() {
        for (auto& [cp, cd] : FOpen)
            if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    }
    // The bytes in code page cp as UTF-8; a byte that does not decode
    // becomes U+FFFD, an unknown code page reads as Latin-1.
    std::string Decode(int cp, const std::string& bytes) {
        iconv_t cd = Converter(cp);
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            std::string latin;
            for (const char b : bytes) {
                const unsigned char c = static_cast<unsigned char>(b);
                if (c < 0x80) {
                    latin += b;
                } else {
                    latin += static_cast<char>(0xC0 | (c >> 6));
                    latin += static_cast<char>(0x80 | (c & 0x3F));
                }
            }
            return latin;
        }
        std::string out;
        out.resize(bytes.size() * 4 + 8);
        std::string in = bytes;
        char* inp = in.data();
        size_t inLeft = in.size();
        char* outp = out.data();
        size_t outLeft = out.size();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            if (iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) break;  // cannot happen with four bytes per byte
            // A byte that is no character (or a sequence cut short): skip it.
            const char repl[] = "\xEF\xBF\xBD";
            if (outLeft < 3) break;
            std::memcpy(outp, repl, 3);
            outp += 3;
            outLeft -= 3;
            ++inp;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(out.size() - outLeft);
        return out;
    }

private:
    iconv_t Converter(int cp) {
        auto it = FOpen.find(cp);
        if (it != FOpen.end()) return it->second;
        std::string name;
        switch (cp) {
        case 10000: name = "MACINTOSH"; break;
        case 1361: name = "JOHAB"; break;
        case 936: name = "GBK"; break;
        case 950: name = "BIG5"; break;
        default: name = "CP" + std::to_string(cp); break;
        }
        iconv_t cd = iconv_open("UTF-8", name.c_str());
        FOpen[cp] = cd;
        return cd;
    }
    std::map<int, iconv_t> FOpen;
};

// Windows-1252 bytes 0x80..0x9F; 0 where the code page has no character.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

int Cp1252Byte(char16_t u) {
    if (u >= 0xA0 && u <= 0xFF) return u;
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == u && u != 0) return 0x80 + i;
    return -1;
}

// ---- reading ---------------------------------------------------------------------

enum TDest { dNormal, dSkip, dFontTable, dColorTable };

struct TCharState {
    int Font = -1;  // -1: the default font
    int HalfPoints = 24;
    bool Bold = false, Italic = false, Underline = false, Strike = false;
    int Fore = 0, Back = 0;  // colour table indexes, 0 = none
};

using TParaState = TRtfParaFormat;

struct TState {
    TCharState Chr;
    TParaState Para;
    int Uc = 1;
    TDest Dest = dNormal;
};

struct TFontEntry {
    std::string Name;
    int Charset = 1;
};

class TRtfReader {
public:
    TRtfReader(const std::string& src, TRtfSink& sink) : S(src), Sink(sink) {}

    void Run() {
        Sink.Clear();
        Stack.push_back(TState());
        const size_t n = S.size();
        while (I < n) {
            const char c = S[I];
            if (c == '{') {
                ++I;
                OpenGroup();
            } else if (c == '}') {
                ++I;
                CloseGroup();
            } else if (c == '\\') {
                ++I;
                Control();
            } else if (c == '\r' || c == '\n') {
                ++I;
            } else {
                ++I;
                Char(static_cast<unsigned char>(c));
            }
            if (Stack.empty()) break;  // the document's own group closed
        }
        FlushBytes();
        FlushText();
        ApplyPara(Stack.empty() ? LastPara : Top().Para);
        Sink.DropEmptyLastParagraph();
    }

private:
    TState& Top() { return Stack.back(); }

    void OpenGroup() {
        FlushBytes();
        SkipLeft = 0;
        if (Stack.size() >= 4096) {
            ++Excess;  // too deep to keep: the group shares its parent's state
            return;
        }
        TState s = Top();
        Stack.push_back(s);
    }

    void CloseGroup() {
        FlushBytes();
        SkipLeft = 0;
        if (Excess > 0) {
            --Excess;
            return;
        }
        if (Top().Dest == dFontTable) CommitFont();
        if (Stack.size() == 1) LastPara = Top().Para;
        Stack.pop_back();
    }

    // A character of the current destination.
    void Char(unsigned char c) {
        TState& st = Top();
        if (SkipLeft > 0) {
            --SkipLeft;
            return;
        }
        switch (st.Dest) {
        case dSkip: return;
        case dFontTable:
            if (c == ';')
                CommitFont();
            else
                FontName += static_cast<char>(c);
            return;
        case dColorTable:
            if (c == ';') CommitColor();
            return;
        case dNormal:
            if (c == '\t') {
                Text(u"\t");
            } else if (c >= 0x80) {
                Bytes += static_cast<char>(c);
            } else if (c >= 0x20) {
                FlushBytes();
                Text(std::u16string(1, static_cast<char16_t>(c)));
            }
            return;
        }
    }

    void Control() {
        const size_t n = S.size();
        if (I >= n) return;
        const char c = S[I];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++I;
            Symbol(c);
            return;
        }
        std::string word;
        while (I < n && std::isalpha(static_cast<unsigned char>(S[I])) && word.size() < 32) word += S[I++];
        while (I < n && std::isalpha(static_cast<unsigned char>(S[I]))) ++I;  // overlong: cut
        bool has = false, negative = false;
        long long v = 0;
        if (I < n && S[I] == '-' && I + 1 < n && std::isdigit(static_cast<unsigned char>(S[I + 1]))) {
            negative = true;
            ++I;
        }
        int digits = 0;
        while (I < n && std::isdigit(static_cast<unsigned char>(S[I]))) {
            if (digits++ < 10) v = v * 10 + (S[I] - '0');
            has = true;
            ++I;
        }
        if (I < n && S[I] == ' ') ++I;
        v = std::clamp<long long>(negative ? -v : v, -2147483647LL, 2147483647LL);
        Word(word, has, static_cast<int>(v));
    }

    void Symbol(char c) {
        TState& st = Top();
        if (c == '\'') {
            int hi = I < S.size() ? Hex(S[I]) : -1;
            int lo = I + 1 < S.size() ? Hex(S[I + 1]) : -1;
            if (hi < 0 || lo < 0) {
                I = std::min(S.size(), I + (hi < 0 ? 0 : 1));  // damaged: take what is there
                return;
            }
            I += 2;
            const unsigned char byte = static_cast<unsigned char>(hi * 16 + lo);
            if (SkipLeft > 0) {
                --SkipLeft;
                return;
            }
            if (st.Dest == dNormal)
                Bytes += static_cast<char>(byte);
            else if (st.Dest == dFontTable)
                FontName += static_cast<char>(byte);
            return;
        }
        if (c == '*') {
            st.Dest = dSkip;
            return;
        }
        if (c == '\r' || c == '\n') {  // an escaped line end is a paragraph mark
            Word("par", false, 0);
            return;
        }
        if (SkipLeft > 0) {
            --SkipLeft;
            return;
        }
        if (st.Dest == dFontTable && (c == '\\' || c == '{' || c == '}')) {
            FontName += c;
            return;
        }
        if (st.Dest == dFontTable && (c == '~' || c == '_')) {  // a no-break space or hyphen
            FlushFontBytes();
            FontWide += c == '~' ? u'\u00A0' : u'\u2011';
            return;
        }
        if (st.Dest != dNormal) return;
        switch (c) {
        case '\\':
        case '{':
        case '}': FlushBytes(); Text(std::u16string(1, static_cast<char16_t>(c))); break;
        case '~': FlushBytes(); Text(u"\u00A0"); break;
        case '_': FlushBytes(); Text(u"\u2011"); break;
        case '-': break;  // optional hyphen
        case '\t': FlushBytes(); Text(u"\t"); break;
        default: break;
        }
    }

    static int Hex(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    static bool SkippedDestination(const std::string& w) {
        static const char* const kSkip[] = {
            "stylesheet", "info",      "pict",      "header",     "headerl",   "headerr",  "headerf",
            "footer",     "footerl",   "footerr",   "footerf",    "footnote",  "annotation", "listtable",
            "listoverridetable", "revtbl", "rsidtbl", "filetbl",  "pgdsctbl",  "xe",       "tc",
            "template",   "nonshppict", "pn",       "pntxta",     "pntxtb",    "themedata", "colorschememapping",
            "datastore",  "latentstyles", "generator", "xmlnstbl", "fldinst",  "objdata",  "objclass",
            "bkmkstart",  "bkmkend",   "comment",   "author",     "operator",  "title",    "subject",
            "keywords",   "doccomm",   "company",   "userprops",  "mmathPr",   "blipuid",  "shpinst",
            "sp",         "sn",        "sv",        "atnid",      "atnauthor", "atndate",  "atnref",
            "buptim",     "creatim",   "revtim",    "printim",    "ftnsep",    "ftnsepc",  "ftncn",
            "aftnsep",    "aftnsepc",  "aftncn",    "defchp",     "defpap",    "wgrffmtfilter"};
        for (const char* s : kSkip)
            if (w == s) return true;
        return false;
    }

    void Word(const std::string& w, bool has, int v) {
        TState& st = Top();
        if (w == "bin") {
            // Binary data: its bytes are not RTF, whatever they look like.
            FlushBytes();
            const size_t len = has && v > 0 ? static_cast<size_t>(v) : 0;
            I = std::min(S.size(), I + len);
            return;
        }
        if (st.Dest == dSkip) return;
        if (w == "fonttbl") {
            st.Dest = dFontTable;
            return;
        }
        if (w == "colortbl") {
            st.Dest = dColorTable;
            return;
        }
        if (SkippedDestination(w)) {
            FlushBytes();
            st.Dest = dSkip;
            return;
        }
        if (st.Dest == dFontTable) {
            if (w == "f") {
                if (!FontName.empty() || !FontWide.empty()) CommitFont();
                FontId = has ? v : 0;
                FontCharset = 1;
            } else if (w == "fcharset") {
                FontCharset = v;
            } else if (w == "uc") {
                st.Uc = std::clamp(has ? v : 1, 0, 16);
            } else if (w == "u" && has) {
                // A face name outside the code page (as the writer gives
                // one) is spelled in \u with a fallback to skip.
                FlushFontBytes();
                FontWide += static_cast<char16_t>((v < 0 ? v + 65536 : v) & 0xFFFF);
                SkipLeft = st.Uc;
            }
            return;
        }
        if (st.Dest == dColorTable) {
            if (w == "red") Rgb[0] = std::clamp(v, 0, 255), RgbSet = true;
            else if (w == "green") Rgb[1] = std::clamp(v, 0, 255), RgbSet = true;
            else if (w == "blue") Rgb[2] = std::clamp(v, 0, 255), RgbSet = true;
            return;
        }
        // The fallback after \u is counted in characters; a control word
        // in it counts as one.
        if (SkipLeft > 0 && w != "u") {
            --SkipLeft;
            return;
        }
        TCharState& ch = st.Chr;
        TParaState& pa = st.Para;
        const bool on = !has || v != 0;
        if (w == "ansi") DocCodePage = 1252;
        else if (w == "mac") DocCodePage = 10000;
        else if (w == "pc") DocCodePage = 437;
        else if (w == "pca") DocCodePage = 850;
        else if (w == "ansicpg") DocCodePage = has && v > 0 ? v : DocCodePage;
        else if (w == "deff") DefaultFont = v;
        else if (w == "uc") st.Uc = std::clamp(has ? v : 1, 0, 16);
        else if (w == "u" && has) {
            FlushBytes();
            const int unit = v < 0 ? v + 65536 : v;
            Text(std::u16string(1, static_cast<char16_t>(unit & 0xFFFF)));
            SkipLeft = st.Uc;
        } else if (w == "par" || w == "row" || w == "nestrow" || w == "page" || w == "sect") {
            Paragraph();
        } else if (w == "line") {
            FlushBytes();
            Text(u"\u2028");
        } else if (w == "tab" || w == "cell" || w == "nestcell") {
            FlushBytes();
            Text(u"\t");
        } else if (w == "emdash") Special(0x2014);
        else if (w == "endash") Special(0x2013);
        else if (w == "bullet") Special(0x2022);
        else if (w == "lquote") Special(0x2018);
        else if (w == "rquote") Special(0x2019);
        else if (w == "ldblquote") Special(0x201C);
        else if (w == "rdblquote") Special(0x201D);
        else if (w == "emspace" || w == "enspace" || w == "qmspace") Special(0x0020);
        else if (w == "plain") {
            FlushBytes();
            ch = TCharState();
        } else if (w == "b") Set(ch.Bold, on);
        else if (w == "i") Set(ch.Italic, on);
        else if (w == "strike" || w == "striked") Set(ch.Strike, on);
        else if (w == "ulnone") Set(ch.Underline, false);
        else if (w.size() >= 2 && w[0] == 'u' && w[1] == 'l' && w != "ulc") Set(ch.Underline, on);
        else if (w == "fs") {
            FlushBytes();
            ch.HalfPoints = has && v > 0 ? v : 24;
        } else if (w == "f") {
            FlushBytes();
            ch.Font = v;
        } else if (w == "cf") {
            FlushBytes();
            ch.Fore = v;
        } else if (w == "cb" || w == "highlight" || w == "chcbpat") {
            FlushBytes();
            ch.Back = v;
        } else if (w == "pard") pa = TParaState();
        else if (w == "ql") pa.Align = TRtfAlign::Left;
        else if (w == "qr") pa.Align = TRtfAlign::Right;
        else if (w == "qc") pa.Align = TRtfAlign::Center;
        else if (w == "qj") pa.Align = TRtfAlign::Justify;
        else if (w == "li" || w == "lin") pa.Left = v;
        else if (w == "ri" || w == "rin") pa.Right = v;
        else if (w == "fi") pa.First = v;
        // Every other word is skipped: the text around it still loads.
    }

    void Set(bool& flag, bool v) {
        FlushBytes();
        flag = v;
    }

    void Special(char16_t u) {
        FlushBytes();
        Text(std::u16string(1, u));
    }

    // ---- tables ----

    void CommitFont() {
        if (FontId < 0 && FontName.empty() && FontWide.empty()) return;
        FlushFontBytes();
        // No face has control characters in its name.
        std::erase_if(FontWide, [](char16_t c) { return c < 0x20 || c == 0x7F; });
        std::string name = Utf16ToUtf8(FontWide);
        while (!name.empty() && (name.back() == ' ' || name.back() == ';')) name.pop_back();
        while (!name.empty() && name.front() == ' ') name.erase(name.begin());
        if (FontId >= 0) {
            TFontEntry& e = Fonts[FontId];
            e.Name = name;
            e.Charset = FontCharset;
        }
        FontWide.clear();
        FontId = -1;
        FontCharset = 1;
    }

    // The bytes of a face name so far, in the font's own code page (a CJK
    // face reads as such), join what the name holds as UTF-16.
    void FlushFontBytes() {
        if (FontName.empty()) return;
        FontWide += Utf8ToUtf16(Codes.Decode(CodePageOfCharset(FontCharset, DocCodePage), FontName));
        FontName.clear();
    }

    void CommitColor() {
        if (RgbSet)
            Colors.push_back(RGB(Rgb[0], Rgb[1], Rgb[2]));
        else
            Colors.push_back(std::nullopt);
        Rgb[0] = Rgb[1] = Rgb[2] = 0;
        RgbSet = false;
    }

    // ---- text ----

    int CodePageNow() {
        const int font = Top().Chr.Font >= 0 ? Top().Chr.Font : DefaultFont;
        auto it = Fonts.find(font);
        return it == Fonts.end() ? DocCodePage : CodePageOfCharset(it->second.Charset, DocCodePage);
    }

    void FlushBytes() {
        if (Bytes.empty() || Stack.empty()) return;
        const std::string b = std::move(Bytes);
        Bytes.clear();
        Text(Utf8ToUtf16(Codes.Decode(CodePageNow(), b)));
    }

    TRtfCharFormat FormatNow() {
        const TCharState& ch = Top().Chr;
        TRtfCharFormat f;
        const int font = ch.Font >= 0 ? ch.Font : DefaultFont;
        auto it = Fonts.find(font);
        if (it != Fonts.end() && !it->second.Name.empty()) f.Face = it->second.Name;
        f.HalfPoints = ch.HalfPoints;
        f.Bold = ch.Bold;
        f.Italic = ch.Italic;
        f.Underline = ch.Underline;
        f.Strike = ch.Strike;
        if (ch.Fore > 0 && ch.Fore < static_cast<int>(Colors.size()) && Colors[ch.Fore]) {
            f.HasFore = true;
            f.Fore = *Colors[ch.Fore];
        }
        if (ch.Back > 0 && ch.Back < static_cast<int>(Colors.size()) && Colors[ch.Back]) {
            f.HasBack = true;
            f.Back = *Colors[ch.Back];
        }
        return f;
    }

    void Text(std::u16string s) {
        // Control characters other than the tab are no text (a \u0 or a
        // \'01 of a damaged file); the writer leaves them out as well.
        std::erase_if(s, [](char16_t c) { return c < 0x20 && c != u'\t'; });
        if (s.empty()) return;
        const TRtfCharFormat f = FormatNow();
        if (!Pending.empty() && !(f == RunFormat)) FlushText();
        if (Pending.empty()) RunFormat = f;
        Pending += s;
    }

    void FlushText() {
        if (Pending.empty()) return;
        Sink.InsertText(Pending, RunFormat);
        Pending.clear();
    }

    void ApplyPara(const TParaState& p) { Sink.FormatParagraph(p); }

    void Paragraph() {
        FlushBytes();
        FlushText();
        ApplyPara(Top().Para);
        Sink.NewParagraph(FormatNow());
    }

    const std::string& S;
    TRtfSink& Sink;
    size_t I = 0;
    std::vector<TState> Stack;
    TParaState LastPara;
    int Excess = 0;
    int SkipLeft = 0;
    int DocCodePage = 1252;
    int DefaultFont = 0;
    std::map<int, TFontEntry> Fonts;
    std::vector<std::optional<TColor>> Colors;
    int FontId = -1, FontCharset = 1;
    std::string FontName;     // bytes not yet decoded
    std::u16string FontWide;  // the name so far
    int Rgb[3] = {0, 0, 0};
    bool RgbSet = false;
    std::string Bytes;
    std::u16string Pending;
    TRtfCharFormat RunFormat;
    TCodePages Codes;
};

// ---- writing ---------------------------------------------------------------------

struct TWriteState {
    int Font = -1, HalfPoints = -1, Fore = -1, Back = -1;
    bool Bold = false, Italic = false, Underline = false, Strike = false;
};

int IndexOf(std::vector<std::string>& list, const std::string& s) {
    auto it = std::find(list.begin(), list.end(), s);
    if (it != list.end()) return static_cast<int>(it - list.begin());
    list.push_back(s);
    return static_cast<int>(list.size()) - 1;
}

int ColorIndex(std::vector<TColor>& list, bool has, TColor color) {
    if (!has) return 0;
    const TColor c = color & 0xFFFFFF;
    auto it = std::find(list.begin(), list.end(), c);
    if (it != list.end()) return static_cast<int>(it - list.begin()) + 1;
    list.push_back(c);
    return static_cast<int>(list.size());
}

void AppendText(std::string& out, const std::u16string& s) {
    for (const char16_t u : s) {
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == 0x2028) {
            out += "\\line ";
        } else if (u == 0x00A0) {
            out += "\\~";
        } else if (u < 0x20) {
            continue;
        } else if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (const int b = Cp1252Byte(u); b >= 0) {
            static const char* hex = "0123456789abcdef";
            out += "\\'";
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            out += "\\u" + std::to_string(u > 32767 ? static_cast<int>(u) - 65536 : static_cast<int>(u)) + "?";
        }
    }
}

}  // namespace

bool ReadRtf(const std::string& rtf, TRtfSink& sink) {
    size_t start = 0;
    while (start < rtf.size() && (rtf[start] == ' ' || rtf[start] == '\r' || rtf[start] == '\n' || rtf[start] == '\t'))
        ++start;
    if (rtf.compare(start, 5, "{\\rtf") != 0) return false;
    TRtfReader reader(rtf, sink);
    reader.Run();
    return true;
}

std::string WriteRtf(const std::vector<TRtfParagraph>& paragraphs) {
    std::vector<std::string> fonts;
    std::vector<TColor> colors;
    std::string body;
    TWriteState w;
    for (const TRtfParagraph& para : paragraphs) {
        const TRtfParaFormat& pf = para.Format;
        body += "\\pard";
        if (pf.Align == TRtfAlign::Right) body += "\\qr";
        else if (pf.Align == TRtfAlign::Center) body += "\\qc";
        else if (pf.Align == TRtfAlign::Justify) body += "\\qj";
        if (pf.Left) body += "\\li" + std::to_string(pf.Left);
        if (pf.Right) body += "\\ri" + std::to_string(pf.Right);
        if (pf.First) body += "\\fi" + std::to_string(pf.First);
        body += ' ';
        for (const TRtfRun& run : para.Runs) {
            const TRtfCharFormat& f = run.Format;
            TWriteState n;
            n.Font = IndexOf(fonts, f.Face);
            n.HalfPoints = f.HalfPoints;
            n.Bold = f.Bold;
            n.Italic = f.Italic;
            n.Underline = f.Underline;
            n.Strike = f.Strike;
            n.Fore = ColorIndex(colors, f.HasFore, f.Fore);
            n.Back = ColorIndex(colors, f.HasBack, f.Back);
            std::string c;
            if (n.Font != w.Font) c += "\\f" + std::to_string(n.Font);
            if (n.HalfPoints != w.HalfPoints) c += "\\fs" + std::to_string(n.HalfPoints);
            if (n.Bold != w.Bold) c += n.Bold ? "\\b" : "\\b0";
            if (n.Italic != w.Italic) c += n.Italic ? "\\i" : "\\i0";
            if (n.Underline != w.Underline) c += n.Underline ? "\\ul" : "\\ulnone";
            if (n.Strike != w.Strike) c += n.Strike ? "\\strike" : "\\strike0";
            if (n.Fore != w.Fore) c += "\\cf" + std::to_string(n.Fore);
            if (n.Back != w.Back) c += "\\cb" + std::to_string(n.Back);
            if (!c.empty()) body += c + ' ';
            w = n;
            AppendText(body, run.Text);
        }
        body += "\\par\r\n";
    }
    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    if (fonts.empty()) fonts.push_back("MS Sans Serif");
    for (size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 ";
        AppendText(out, Utf8ToUtf16(fonts[i]));
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (TColor c : colors)
        out += "\\red" + std::to_string(GetRValue(c)) + "\\green" + std::to_string(GetGValue(c)) + "\\blue" +
               std::to_string(GetBValue(c)) + ";";
    out += "}\r\n\\uc1";
    out += body;
    out += "}\r\n";
    return out;
}

}  // namespace velmor_internal
