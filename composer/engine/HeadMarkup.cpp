#include "composer/engine/HeadMarkup.h"

#include "composer/engine/PageExceptions.h"
#include "framework/rtl/StrUtils.h"

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Elements whose content a browser reads as text up to their end tag.
bool IsTextElement(const String& name) {
    for (const char* n : {"script", "style", "title", "textarea", "xmp", "iframe", "noembed", "noframes", "noscript"})
        if (name == n) return true;
    return false;
}

bool IsVoidHeadTag(const String& name) { return name == "meta" || name == "link" || name == "base"; }

String XmlEncoding(const String& s, size_t start, size_t end) {
    const String decl = s.substr(start, end - start);
    const size_t e = decl.find("encoding");
    if (e == String::npos) return String();
    size_t p = e + 8;
    while (p < decl.size() && IsMarkupBlank(decl[p])) ++p;
    if (p >= decl.size() || decl[p] != '=') return String();
    ++p;
    while (p < decl.size() && IsMarkupBlank(decl[p])) ++p;
    if (p >= decl.size() || (decl[p] != '"' && decl[p] != '\'')) return String();
    const size_t q = decl.find(decl[p], p + 1);
    return q == String::npos ? String() : decl.substr(p + 1, q - p - 1);
}

}  // namespace

bool IsMarkupBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool StartsWithNoCase(const String& s, size_t at, const char* what) {
    for (size_t k = 0; what[k]; ++k)
        if (at + k >= s.size() || LoCase(s[at + k]) != LoCase(what[k])) return false;
    return true;
}

const TMarkupAttribute* TMarkupToken::Attribute(const String& text, const char* name) const {
    const size_t n = std::char_traits<char>::length(name);
    for (const TMarkupAttribute& a : Attributes)
        if (a.NameEnd - a.NameStart == n && StartsWithNoCase(text, a.NameStart, name)) return &a;
    return nullptr;
}

String TMarkupToken::Value(const String& text, const char* name) const {
    const TMarkupAttribute* a = Attribute(text, name);
    return a ? text.substr(a->ValueStart, a->ValueEnd - a->ValueStart) : String();
}

bool TMarkupScanner::ScanTag(size_t pos, TMarkupToken& t) {
    const String& s = FText;
    const size_t n = s.size();
    t = TMarkupToken();
    t.Start = pos;
    size_t p = pos + 1;
    t.Kind = tkStartTag;
    if (p < n && s[p] == '/') {
        t.Kind = tkEndTag;
        ++p;
    }
    while (p < n && !IsMarkupBlank(s[p]) && s[p] != '/' && s[p] != '>') t.Name += LoCase(s[p++]);
    t.NameEnd = p;
    while (true) {
        bool slash = false;
        while (p < n && (IsMarkupBlank(s[p]) || s[p] == '/')) {
            slash = s[p] == '/';
            ++p;
        }
        if (p >= n) {
            if (!FComplete) return false;
            t.TagEnd = t.End = t.ContentEnd = n;
            return true;
        }
        if (s[p] == '>') {
            t.SelfClosing = slash;
            t.TagEnd = t.End = t.ContentEnd = p + 1;
            return true;
        }
        TMarkupAttribute a;
        a.NameStart = p++;
        while (p < n && !IsMarkupBlank(s[p]) && s[p] != '/' && s[p] != '>' && s[p] != '=') ++p;
        a.NameEnd = p;
        size_t q = p;
        while (q < n && IsMarkupBlank(s[q])) ++q;
        if (q >= n && !FComplete) return false;
        if (q < n && s[q] == '=') {
            ++q;
            while (q < n && IsMarkupBlank(s[q])) ++q;
            if (q >= n && !FComplete) return false;
            a.HasValue = true;
            if (q < n && (s[q] == '"' || s[q] == '\'')) {
                a.Quote = s[q];
                const size_t close = s.find(a.Quote, q + 1);
                if (close == String::npos && !FComplete) return false;
                a.ValueStart = q + 1;
                a.ValueEnd = close == String::npos ? n : close;
                p = close == String::npos ? n : close + 1;
            } else {
                a.ValueStart = q;
                while (q < n && !IsMarkupBlank(s[q]) && s[q] != '>') ++q;
                a.ValueEnd = q;
                p = q;
            }
        } else {
            a.ValueStart = a.ValueEnd = a.NameEnd;
        }
        t.Attributes.push_back(a);
    }
}

bool TMarkupScanner::FindTextElementEnd(TMarkupToken& t) {
    const String& s = FText;
    const String closer = "</" + t.Name;
    for (size_t p = t.TagEnd; p < s.size(); ++p) {
        if (s[p] != '<' || !StartsWithNoCase(s, p, closer.c_str())) continue;
        const size_t after = p + closer.size();
        if (after >= s.size()) {
            if (!FComplete) return false;
            break;
        }
        if (!IsMarkupBlank(s[after]) && s[after] != '/' && s[after] != '>') continue;
        TMarkupToken end;
        if (!ScanTag(p, end)) return false;
        t.ContentEnd = p;
        t.End = end.End;
        return true;
    }
    if (!FComplete) return false;
    // Never closed: the element's content would run to the end of the page.
    t.ContentEnd = String::npos;
    return true;
}

TScanResult TMarkupScanner::Next(size_t pos, TMarkupToken& t) {
    const String& s = FText;
    const size_t n = s.size();
    if (pos >= n) return srEnd;
    auto markupAt = [&](size_t p) -> int {  // 1 markup, 0 text, -1 unknown yet
        if (s[p] != '<') return 0;
        if (p + 1 >= n) return FComplete ? 0 : -1;
        const char c = s[p + 1];
        return (IsLetter(c) || c == '/' || c == '!' || c == '?') ? 1 : 0;
    };
    const int m = markupAt(pos);
    if (m < 0) return srNeedMore;
    if (m == 0) {
        t = TMarkupToken();
        t.Kind = tkText;
        t.Start = pos;
        size_t p = pos + 1;
        while (p < n) {
            const int k = markupAt(p);
            if (k != 0) break;
            ++p;
        }
        t.End = t.TagEnd = t.ContentEnd = p;
        return srToken;
    }
    auto until = [&](TMarkupKind kind, size_t end) -> TScanResult {
        if (end == String::npos) {
            if (!FComplete) return srNeedMore;
            end = n;
        }
        t = TMarkupToken();
        t.Kind = kind;
        t.Start = pos;
        t.End = t.TagEnd = t.ContentEnd = end;
        return srToken;
    };
    if (s.compare(pos, 4, "<!--") == 0) {
        if (pos + 4 < n && s[pos + 4] == '>') return until(tkComment, pos + 5);
        if (s.compare(pos + 4, 2, "->") == 0) return until(tkComment, pos + 6);
        const size_t e = s.find("-->", pos + 4);
        return until(tkComment, e == String::npos ? e : e + 3);
    }
    if (n - pos < 4 && !FComplete && String("<!--").compare(0, n - pos, s, pos, n - pos) == 0) return srNeedMore;
    const char c = s[pos + 1];
    if (c == '!' || c == '?') {
        const size_t e = s.find('>', pos + 2);
        return until(tkDeclaration, e == String::npos ? e : e + 1);
    }
    if (c == '/' && (pos + 2 >= n || !IsLetter(s[pos + 2]))) {
        if (pos + 2 >= n && !FComplete) return srNeedMore;
        const size_t e = s.find('>', pos + 2);
        return until(tkDeclaration, e == String::npos ? e : e + 1);
    }
    if (!ScanTag(pos, t)) return srNeedMore;
    if (t.Kind == tkStartTag && IsTextElement(t.Name) && !(t.SelfClosing && Xml)) {
        if (!FindTextElementEnd(t)) return srNeedMore;
        // A title never closed is read as a start tag alone, as the old
        // pages that forgot its end tag meant it.
        if (t.ContentEnd == String::npos && t.Name == "title") t.End = t.ContentEnd = t.TagEnd;
    }
    return srToken;
}

THeadSearch LocateHead(const String& page, bool complete, THeadBounds& b, String& reason) {
    b = THeadBounds();
    if (page.compare(0, 2, "\xFF\xFE") == 0 || page.compare(0, 2, "\xFE\xFF") == 0) {
        reason = HeadTexts::SUtf16Page;
        return hsFailed;
    }
    TMarkupScanner scanner(page, complete);
    enum { before, inside, after } state = before;
    size_t pos = 0;
    while (true) {
        TMarkupToken t;
        const TScanResult r = scanner.Next(pos, t);
        if (r == srNeedMore) return hsNeedMore;
        if (r == srEnd) {
            if (!complete) return hsNeedMore;
            reason = HeadTexts::SMissingBodyTag;
            return hsFailed;
        }
        pos = t.End;
        if (t.ContentEnd == String::npos) {
            // An element never closed takes in the rest of the page, body
            // tag and all.
            reason = t.Name == "style"    ? HeadTexts::SMissingStyleEnd
                     : t.Name == "script" ? HeadTexts::SMissingScriptEnd
                                          : HeadTexts::SMissingBodyTag;
            return hsFailed;
        }
        const bool bodyTag = t.Kind == tkStartTag && (t.Name == "body" || t.Name == "frameset");
        if (state != after && t.Kind == tkStartTag && t.SelfClosing && IsVoidHeadTag(t.Name)) b.SelfClosedTags = true;
        switch (state) {
        case before:
            if (t.Kind == tkDeclaration && page.compare(t.Start, 5, "<?xml") == 0) {
                b.Xml = true;
                b.XmlEncoding = XmlEncoding(page, t.Start, t.End);
            } else if (t.Kind == tkDeclaration && StartsWithNoCase(page, t.Start, "<!doctype") &&
                       page.substr(t.Start, t.End - t.Start).find("XHTML") != String::npos) {
                b.Xml = true;
            } else if (t.Kind == tkStartTag && t.Name == "html" &&
                       t.Value(page, "xmlns") == "http://www.w3.org/1999/xhtml") {
                b.Xml = true;
            }
            scanner.Xml = b.Xml;
            if (t.Kind == tkStartTag && (t.Name == "title" || t.Name == "meta")) {
                b.BeforeTokens.push_back(std::move(t));
            } else if (t.Kind == tkEndTag && t.Name == "meta" && !b.BeforeTokens.empty() &&
                       b.BeforeTokens.back().End == t.Start && b.BeforeTokens.back().Name == "meta" &&
                       !b.BeforeTokens.back().SelfClosing) {
                b.BeforeTokens.back().End = t.End;
            } else if (t.Kind == tkStartTag && t.Name == "head") {
                b.OpenStart = t.Start;
                b.OpenEnd = t.End;
                state = inside;
            } else if (bodyTag) {
                reason = HeadTexts::SMissingHeadTag;
                return hsFailed;
            }
            break;
        case inside:
            if (t.Kind == tkEndTag && t.Name == "head") {
                b.CloseStart = t.Start;
                b.CloseEnd = t.End;
                state = after;
            } else if (bodyTag) {
                reason = HeadTexts::SMissingHeadEndTag;
                return hsFailed;
            } else {
                b.Tokens.push_back(std::move(t));
            }
            break;
        case after:
            // What stands between the head and the body ("</html>", a div,
            // a stray script) stays as it is.
            if (bodyTag) return hsFound;
            break;
        }
    }
}
