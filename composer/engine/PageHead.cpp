#include "composer/engine/PageHead.h"

#include <algorithm>

#include "composer/engine/PageExceptions.h"
#include "framework/rtl/FileUtils.h"

using namespace PageText;

namespace {

// What a byte of head text is, for the reshaping: text between tags, part of
// a tag, or protected (inside a quoted attribute value or the title's text),
// which the reshaping must leave exactly as it is.
enum : unsigned char { kText = 0, kTag = 1, kProtected = 2 };

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

bool StartsWithNoCase(const String& s, size_t at, const char* what) {
    for (size_t k = 0; what[k]; ++k)
        if (at + k >= s.size() || Upper(s[at + k]) != Upper(what[k])) return false;
    return true;
}

std::vector<unsigned char> Classify(const String& s) {
    const size_t n = s.size();
    std::vector<unsigned char> cls(n, kText);
    size_t i = 0;
    while (i < n) {
        if (s[i] != '<') {
            ++i;
            continue;
        }
        if (StartsWithNoCase(s, i, "<!--")) {
            // Quotes in a comment are prose, not attribute values.
            const size_t e = s.find("-->", i + 4);
            i = (e == String::npos) ? n : e + 3;
            continue;
        }
        if (StartsWithNoCase(s, i, "<title>")) {
            const int e = FindNoCase(s, "</title>", i + 7);
            std::fill(cls.begin() + i, cls.begin() + i + 7, kTag);
            if (e >= 0) {
                // The title's text, and the ">" that opens it so that even an
                // empty title stays one element.
                std::fill(cls.begin() + i + 6, cls.begin() + e, kProtected);
            }
            i = (e >= 0) ? static_cast<size_t>(e) : i + 7;
            continue;
        }
        // A tag: quotes open a value only right behind an "=".
        cls[i++] = kTag;
        char lastSolid = '<';
        while (i < n) {
            const char c = s[i];
            if (c == '>') {
                cls[i++] = kTag;
                break;
            }
            if ((c == '"' || c == '\'') && lastSolid == '=') {
                cls[i] = kTag;
                const size_t e = s.find(c, i + 1);
                const size_t stop = (e == String::npos) ? n : e;
                std::fill(cls.begin() + i + 1, cls.begin() + stop, kProtected);
                if (e == String::npos) {
                    i = n;
                    break;
                }
                cls[e] = kTag;
                i = e + 1;
                lastSolid = c;
                continue;
            }
            cls[i] = kTag;
            if (!IsBlank(c)) lastSolid = c;
            ++i;
        }
    }
    return cls;
}

void ReplaceRange(TPageBuffer& b, int start, int length, const String& with) {
    b.SetSel(start, length);
    b.SetSelText(with);
}

}  // namespace

int TPageHead::HeadSectionEnd(const String& page, const String& pagePath) {
    int body = FindNoCase(page, "<BODY");
    if (body < 0) body = FindNoCase(page, "<FRAMESET");
    if (body < 0) throw EInvalidHTMLFile(pagePath, HeadTexts::SMissingBodyTag);
    const int h = FindNoCase(page, "</HEAD>");
    if (h < 0 || h + 7 > body) throw EInvalidHTMLFile(pagePath, HeadTexts::SMissingHeadEndTag);
    return h + 7;
}

String TPageHead::LineBreakOf(const String& page) {
    const size_t p = page.find_first_of("\r\n");
    if (p == String::npos) return "\r\n";
    if (page[p] == '\n') return "\n";
    return (p + 1 < page.size() && page[p + 1] == '\n') ? "\r\n" : "\r";
}

void TPageHead::ExtractHeadSection() {
    const int end = HeadSectionEnd(Buffer.Text(), PagePath);
    Buffer.SetText(Buffer.Text().substr(0, end));
}

void TPageHead::SetCRLFLineBreaks() {
    const String& t = Buffer.Text();
    String r;
    r.reserve(t.size() + t.size() / 16);
    for (size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '\r' || c == '\n') {
            const char pair = (c == '\r') ? '\n' : '\r';
            if (i + 1 < t.size() && t[i + 1] == pair) ++i;
            r += "\r\n";
        } else {
            r += c;
        }
    }
    Buffer.SetText(r);
}

void TPageHead::SetUpHeadBlock(int& headStart, int& headEnd) {
    // Blanks before the closing tag go; the tag keeps its own letter case so
    // an XHTML page stays well-formed.
    for (int p = Buffer.Find(" </HEAD>"); p >= 0; p = Buffer.Find(" </HEAD>"))
        ReplaceRange(Buffer, p, 1, "");

    if (Buffer.IndexOfLine("<HEAD>") >= 0) {
        headStart = Buffer.Find("<HEAD>") + 6;
    } else {
        int p = Buffer.Find("<HEAD>");
        if (p < 0) throw EInvalidHTMLFile(PagePath, HeadTexts::SMissingHeadTag);
        String tag = Buffer.Text().substr(p, 6);
        ReplaceRange(Buffer, p, 6, tag + "\r\n");
        if (Buffer.IndexOfLine("<HEAD>") < 0) {
            p = Buffer.Find("<HEAD>");
            tag = Buffer.Text().substr(p, 6);
            ReplaceRange(Buffer, p, 6, "\r\n" + tag);
        }
        headStart = Buffer.SelStart();
    }

    headEnd = Buffer.Find("</HEAD>", headStart);
    if (headEnd < 0) throw EInvalidHTMLFile(PagePath, HeadTexts::SMissingHeadEndTag);
    if (Buffer.IndexOfLine("</HEAD>") < 0) {
        const String tag = Buffer.Text().substr(headEnd, 7);
        ReplaceRange(Buffer, headEnd, 7, "\r\n" + tag + "\r\n");
    }

    struct Block {
        const char* open;
        const char* close;
        const char* missing;
    };
    const Block blocks[] = {{"<script", "</script>", HeadTexts::SMissingScriptEnd},
                            {"<style", "</style>", HeadTexts::SMissingStyleEnd}};
    for (const Block& b : blocks) {
        headEnd = Buffer.Find("</HEAD>", headStart);
        const int openLen = static_cast<int>(String(b.open).size());
        const int closeLen = static_cast<int>(String(b.close).size());
        const int p = Buffer.Find(b.open, headStart, headEnd - headStart);
        if (p < 0) continue;
        ReplaceRange(Buffer, p, openLen, "\r\n" + Buffer.Text().substr(p, openLen));
        const int caret = Buffer.SelStart();
        headEnd = Buffer.Find("</HEAD>", headStart);
        const int q = Buffer.Find(b.close, caret, headEnd - caret);
        if (q < 0) throw EInvalidHTMLFile(PagePath, b.missing);
        ReplaceRange(Buffer, q, closeLen, "\r\n" + Buffer.Text().substr(q, closeLen) + "\r\n");
    }
    headEnd = Buffer.Find("</HEAD>", headStart);
}

void TPageHead::FormatTitleLine(int& headStart, int& headEnd) {
    // A page without a title is left without one: the placeholder the reader
    // shows is never put into a page.
    const int t = Buffer.Find("<title>", headStart, headEnd + 1 - headStart);
    if (t < 0) return;
    const int c = Buffer.Find("</title>", t, headEnd + 1 - t);
    if (c < 0) return;
    if (Buffer.Find("<", t + 1, c - t - 1) >= 0)
        throw EInvalidMetaTag(HeadTexts::STitleImproperlyEnded);
    String element;
    for (char ch : Buffer.Text().substr(t, c + 8 - t)) {
        if (ch == '\r') continue;
        element += (ch == '\n') ? ' ' : ch;
    }
    // Only break where the element does not already stand alone, so running
    // this again (the reader does) leaves the head as it is.
    const String& text = Buffer.Text();
    const bool breakBefore = t > 0 && text[t - 1] != '\n';
    const bool breakAfter = c + 8 < static_cast<int>(text.size()) && text[c + 8] != '\r';
    ReplaceRange(Buffer, t, c + 8 - t,
                 (breakBefore ? "\r\n" : "") + element + (breakAfter ? "\r\n" : ""));
    headEnd = Buffer.Find("</HEAD>", headStart);
}

void TPageHead::PositionTitleLine() {
    std::vector<String> lines = Buffer.Lines();
    const int h = TPageBuffer::IndexOfLine(lines, "<HEAD>");
    if (h < 0) return;
    int end = TPageBuffer::IndexOfLine(lines, "</HEAD>");
    if (end < 0) end = static_cast<int>(lines.size());
    for (int i = h + 1; i < end; ++i) {
        if (!ContainsNoCase(lines[i], "<Title>")) continue;
        if (i == h + 1) return;
        String line = lines[i];
        lines.erase(lines.begin() + i);
        lines.insert(lines.begin() + h + 1, line);
        Buffer.SetLines(lines);
        return;
    }
}

std::vector<bool> TPageHead::BlockLines(const std::vector<String>& lines) {
    std::vector<bool> inside(lines.size(), false);
    const char* closer = nullptr;
    for (size_t i = 0; i < lines.size(); ++i) {
        const String& l = lines[i];
        if (closer) {
            inside[i] = true;
            if (ContainsNoCase(l, closer)) closer = nullptr;
            continue;
        }
        int open = FindNoCase(l, "<script");
        if (open >= 0 && FindNoCase(l, "</script>", open) < 0) {
            closer = "</script>";
            continue;
        }
        open = FindNoCase(l, "<style");
        if (open >= 0 && FindNoCase(l, "</style>", open) < 0) closer = "</style>";
    }
    return inside;
}

void TPageHead::PositionLines() {
    std::vector<String> lines = Buffer.Lines();
    const int h = TPageBuffer::IndexOfLine(lines, "<head>");
    if (h < 0) return;
    // The title line right behind the head's opening stays where it is.
    int start = h + 1;
    if (start < static_cast<int>(lines.size()) && ContainsNoCase(lines[start], "<title>")) ++start;
    int end = start;
    while (end < static_cast<int>(lines.size()) && !SameTextAscii(lines[end], "</head>")) ++end;

    const std::vector<String> body(lines.begin() + start, lines.begin() + end);
    const std::vector<bool> inBlock = BlockLines(body);
    std::vector<String> pics, metas, others;
    for (size_t i = 0; i < body.size(); ++i) {
        const String& l = body[i];
        if (l.empty()) continue;
        if (!inBlock[i] && ContainsNoCase(l, "<meta http-equiv=\"PICS-Label\""))
            pics.push_back(l);
        else if (!inBlock[i] && ContainsNoCase(l, "<meta"))
            metas.push_back(l);
        else
            others.push_back(l);
    }
    std::vector<String> result(lines.begin(), lines.begin() + start);
    result.insert(result.end(), pics.rbegin(), pics.rend());
    result.insert(result.end(), metas.begin(), metas.end());
    result.insert(result.end(), others.begin(), others.end());
    result.insert(result.end(), lines.begin() + end, lines.end());
    Buffer.SetLines(result);
}

String TPageHead::JoinHeadLines(const std::vector<String>& pieces) {
    String raw;
    std::vector<size_t> breaks;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i) {
            breaks.push_back(raw.size());
            raw += '\n';
        }
        raw += pieces[i];
    }
    const std::vector<unsigned char> cls = Classify(raw);
    String out;
    std::vector<unsigned char> outCls;
    out.reserve(raw.size());
    auto trimBack = [&] {
        while (!out.empty() && IsBlank(out.back()) && outCls.back() != kProtected) {
            out.pop_back();
            outCls.pop_back();
        }
    };
    size_t i = 0;
    while (i < raw.size() && IsBlank(raw[i]) && cls[i] != kProtected) ++i;
    size_t nextBreak = 0;
    while (i < raw.size()) {
        if (nextBreak < breaks.size() && i == breaks[nextBreak]) {
            ++nextBreak;
            if (cls[i] == kProtected) {
                // A value or title running over a line break keeps its
                // text; the break itself becomes one blank.
                out += ' ';
                outCls.push_back(kProtected);
                ++i;
                continue;
            }
            const size_t brk = i;
            trimBack();
            ++i;
            while (i < raw.size() && IsBlank(raw[i]) && cls[i] != kProtected &&
                   !(nextBreak < breaks.size() && i == breaks[nextBreak]))
                ++i;
            // Inside a tag the break parted two attributes: keep them apart.
            if (!out.empty() && (cls[brk] == kTag || out.back() == '"')) {
                out += ' ';
                outCls.push_back(kTag);
            }
            continue;
        }
        out += raw[i];
        outCls.push_back(cls[i]);
        ++i;
    }
    trimBack();
    return out;
}

String TPageHead::SqueezeHeadText(const String& joined) {
    const std::vector<unsigned char> cls = Classify(joined);
    const size_t n = joined.size();
    String out;
    out.reserve(n + n / 8);
    bool lastProtected = false;
    auto endsWithTagName = [&](const char* name) {
        const size_t len = 5;
        return out.size() >= len && StartsWithNoCase(out, out.size() - len, name);
    };
    for (size_t i = 0; i < n; ++i) {
        const char c = joined[i];
        if (cls[i] == kProtected) {
            out += c;
            lastProtected = true;
            continue;
        }
        if (c == ' ') {
            size_t j = i;
            while (j < n && joined[j] == ' ' && cls[j] != kProtected) ++j;
            const bool nextSolid = j < n && cls[j] != kProtected;
            const bool drop = (nextSolid && (joined[j] == '<' || joined[j] == '=')) ||
                              (!out.empty() && out.back() == '=' && !lastProtected);
            if (!drop) {
                if (!lastProtected && (endsWithTagName("<META") || endsWithTagName("<LINK")))
                    out += ' ';
                else
                    out.append(joined, i, j - i);
                lastProtected = false;
            }
            i = j - 1;
            continue;
        }
        if (c == '<' && !out.empty() && out.back() == '>' && !lastProtected) out += "\r\n";
        out += c;
        lastProtected = false;
    }
    return out;
}

void TPageHead::SetUpMetaLines() {
    int headStart = 0, headEnd = 0;
    SetUpHeadBlock(headStart, headEnd);
    FormatTitleLine(headStart, headEnd);
    PositionTitleLine();
    Buffer.SetSel(headStart, 0);

    std::vector<String> lines = Buffer.Lines();
    const int first = TPageBuffer::IndexOfLine(lines, "<head>") + 1;
    const int last = TPageBuffer::IndexOfLine(lines, "</head>") - 1;
    std::vector<String> pieces;
    bool keep = true;
    for (int i = first; i >= 1 && i <= last; ++i) {
        String& line = lines[i];
        if (ContainsNoCase(line, "<SCRIPT") || ContainsNoCase(line, "<STYLE")) keep = false;
        if (SameTextAscii(line, "</SCRIPT>") || SameTextAscii(line, "</STYLE>")) {
            keep = true;
        } else if (keep) {
            pieces.push_back(line);
            line.clear();
        }
    }
    if (first >= 1) {
        lines.insert(lines.begin() + first, SqueezeHeadText(JoinHeadLines(pieces)));
        Buffer.SetLines(lines);
    }
    PositionTitleLine();
    PositionLines();
    if (OnProcessMessages) OnProcessMessages();
}

void TPageHead::ReplaceHeadSection(const String& fileName) {
    String head = Buffer.Text();
    const int h = FindNoCase(head, "</HEAD>");
    if (h >= 0) head.resize(h + 7);
    const String page = ReadFileToString(fileName);
    const int end = HeadSectionEnd(page, fileName);
    // The head was reshaped with CR LF; it goes back with the page's own
    // line breaks so a page never ends up with mixed ones.
    const String lineBreak = LineBreakOf(page);
    if (lineBreak != "\r\n") {
        String converted;
        converted.reserve(head.size());
        for (size_t i = 0; i < head.size(); ++i) {
            if (head[i] == '\r' && i + 1 < head.size() && head[i + 1] == '\n') {
                converted += lineBreak;
                ++i;
            } else {
                converted += head[i];
            }
        }
        head.swap(converted);
    }
    Buffer.SetText(head + page.substr(end));
}
