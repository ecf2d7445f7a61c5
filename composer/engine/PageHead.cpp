#include "composer/engine/PageHead.h"

#include <algorithm>

#include "composer/engine/PageExceptions.h"
#include "framework/rtl/FileReplacement.h"
#include "framework/rtl/StrUtils.h"

namespace {

bool HasLineBreak(const String& s, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
        if (s[i] == '\r' || s[i] == '\n') return true;
    return false;
}

// Every line break (CR LF, CR or LF) of a title's text becomes one blank.
String OneLineText(const String& s) {
    String r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            r += ' ';
        } else {
            r += c;
        }
    }
    return r;
}

// Blanks of the markup go from both ends; any other byte, a NUL or a
// control character among them, stays.
String TrimBlanks(const String& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsMarkupBlank(s[b])) ++b;
    while (e > b && IsMarkupBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

}  // namespace

String TPageHead::LineBreakOf(const String& page) {
    const size_t p = page.find_first_of("\r\n");
    if (p == String::npos) return "\r\n";
    if (page[p] == '\n') return "\n";
    return (p + 1 < page.size() && page[p + 1] == '\n') ? "\r\n" : "\r";
}

void TPageHead::Locate() {
    String reason;
    if (LocateHead(Page, true, Bounds, reason) == hsFailed) throw EInvalidHTMLFile(PagePath, reason);
}

void TPageHead::LoadFromText(const String& page) {
    Page = page;
    Complete = true;
    Locate();
}

void TPageHead::LoadFromSource(TFileSource& source) {
    Page.clear();
    Complete = false;
    size_t want = 64u << 10;
    while (true) {
        const size_t room = MaxHeadBytes - Page.size();
        const size_t got = source.Read(Page, std::min(want, room));
        Complete = got < std::min(want, room) || Page.size() == static_cast<size_t>(source.SizeAtOpen());
        String reason;
        const THeadSearch r = LocateHead(Page, Complete, Bounds, reason);
        if (r == hsFound) return;
        if (r == hsFailed) throw EInvalidHTMLFile(PagePath, reason);
        if (Page.size() >= MaxHeadBytes) throw EInvalidHTMLFile(PagePath, HeadTexts::SHeadTooLarge);
        want = Page.size();  // each read doubles what is there
    }
}

String TPageHead::Squeezed(const TMarkupToken& t) const {
    // Blanks around "=" go, a run of blanks after the tag's name becomes
    // one, and a line break between attributes becomes a blank, so that
    // every tag stands on one line. Names and values are never touched.
    const String& s = Page;
    std::vector<bool> kept(t.TagEnd - t.Start, false);
    auto keep = [&](size_t from, size_t to) {
        for (size_t i = from; i < to && i < t.TagEnd; ++i) kept[i - t.Start] = true;
    };
    keep(t.Start, t.NameEnd);
    for (const TMarkupAttribute& a : t.Attributes) {
        keep(a.NameStart, a.NameEnd);
        if (a.HasValue) keep(a.Quote ? a.ValueStart - 1 : a.ValueStart, a.Quote ? a.ValueEnd + 1 : a.ValueEnd);
    }
    String out;
    out.reserve(t.TagEnd - t.Start);
    for (size_t i = t.Start; i < t.TagEnd;) {
        if (kept[i - t.Start] || !IsMarkupBlank(s[i])) {
            out += s[i++];
            continue;
        }
        size_t j = i;
        while (j < t.TagEnd && !kept[j - t.Start] && IsMarkupBlank(s[j])) ++j;
        const char before = s[i - 1];
        const char after = j < t.TagEnd ? s[j] : '>';
        const bool nearEquals = (before == '=' && !kept[i - 1 - t.Start]) || (after == '=' && !kept[j - t.Start]);
        if (nearEquals) {
            // dropped
        } else if (i == t.NameEnd) {
            if (after != '>') out += ' ';
        } else if (HasLineBreak(s, i, j)) {
            if (after != '>') out += ' ';
        } else {
            out.append(s, i, j - i);
        }
        i = j;
    }
    return out;
}

String TPageHead::DeclaredCharset() const {
    if (!Bounds.XmlEncoding.empty()) return Bounds.XmlEncoding;
    std::vector<const TMarkupToken*> tokens;
    for (const TMarkupToken& t : Bounds.BeforeTokens) tokens.push_back(&t);
    for (const TMarkupToken& t : Bounds.Tokens) tokens.push_back(&t);
    for (const TMarkupToken* token : tokens) {
        const TMarkupToken& t = *token;
        if (t.Kind != tkStartTag || t.Name != "meta") continue;
        if (t.Attribute(Page, "charset")) return t.Value(Page, "charset");
        if (SameText(Trim(t.Value(Page, "http-equiv")), "content-type")) {
            const String c = TPageEncoding::CharsetParameter(t.Value(Page, "content"));
            if (!c.empty()) return c;
        }
    }
    return String();
}

void TPageHead::LearnEncoding() {
    Encoding = TPageEncoding::Detect(Page, DeclaredCharset());
    Xhtml = Bounds.Xml || Bounds.SelfClosedTags;
    LineBreak = LineBreakOf(Page);
}

void TPageHead::SetUpMetaLines() {
    LearnEncoding();
    // Title and META tags before the head's start tag are head content: they
    // join the head's items, and their lines leave the part before it.
    Prefix.clear();
    size_t from = 0;
    for (const TMarkupToken& t : Bounds.BeforeTokens) {
        size_t start = t.Start, end = t.End;
        size_t lineStart = start;
        while (lineStart > from && (Page[lineStart - 1] == ' ' || Page[lineStart - 1] == '\t')) --lineStart;
        size_t lineEnd = end;
        while (lineEnd < Bounds.OpenStart && (Page[lineEnd] == ' ' || Page[lineEnd] == '\t')) ++lineEnd;
        const bool lineAlone = (lineStart == 0 || Page[lineStart - 1] == '\n' || Page[lineStart - 1] == '\r') &&
                               lineEnd < Bounds.OpenStart && (Page[lineEnd] == '\r' || Page[lineEnd] == '\n');
        if (lineAlone) {
            start = lineStart;
            end = lineEnd + (Page.compare(lineEnd, 2, "\r\n") == 0 ? 2 : 1);
        }
        Prefix += Page.substr(from, start - from);
        from = end;
    }
    Prefix += Page.substr(from, Bounds.OpenStart - from);
    TMarkupScanner scanner(Page, Complete);
    TMarkupToken tag;
    scanner.ScanTag(Bounds.OpenStart, tag);
    OpenTag = Squeezed(tag);
    scanner.ScanTag(Bounds.CloseStart, tag);
    CloseTag = Squeezed(tag);

    Items.clear();
    bool haveTitle = false;
    const TMarkupToken* lastStart = nullptr;  // an element still open right before
    auto add = [&](const TMarkupToken& t) {
        if (t.Kind == tkText) {
            const String text = TrimBlanks(Page.substr(t.Start, t.End - t.Start));
            if (text.empty()) return;
            Items.push_back({THeadItem::irOther, text});
            lastStart = nullptr;
            return;
        }
        if (t.Kind == tkEndTag && lastStart && lastStart->Name == t.Name && lastStart->End == lastStart->TagEnd) {
            // "<meta ...></meta>" as XHTML writes it stays one piece.
            Items.back().Text += Squeezed(t);
            lastStart = nullptr;
            return;
        }
        lastStart = nullptr;
        THeadItem item;
        if (t.Kind == tkComment || t.Kind == tkDeclaration) {
            item.Text = Page.substr(t.Start, t.End - t.Start);
            Items.push_back(std::move(item));
            return;
        }
        item.Text = Squeezed(t);
        if (t.Kind == tkStartTag && t.Name == "title" && !haveTitle) {
            haveTitle = true;
            item.Role = THeadItem::irTitle;
            if (t.End > t.TagEnd) {
                const String text = Page.substr(t.TagEnd, t.ContentEnd - t.TagEnd);
                if (text.find('<') != String::npos) throw EInvalidMetaTag(HeadTexts::STitleImproperlyEnded);
                item.ContentStart = item.Text.size();
                item.Text += OneLineText(text);
                item.ContentEnd = item.Text.size();
            }
        } else if (t.Kind == tkStartTag && t.Name == "meta") {
            const bool pics = SameText(Trim(t.Value(Page, "http-equiv")), "PICS-Label");
            item.Role = pics ? THeadItem::irPicsLabel : THeadItem::irMeta;
        }
        // An element taken whole keeps its content and end tag as they are.
        if (t.End > t.TagEnd && item.Role != THeadItem::irTitle) item.Text += Page.substr(t.TagEnd, t.End - t.TagEnd);
        if (item.Role == THeadItem::irTitle && t.End > t.ContentEnd) item.Text += Page.substr(t.ContentEnd, t.End - t.ContentEnd);
        if (t.Kind == tkStartTag && t.End == t.TagEnd && !t.SelfClosing) lastStart = &t;
        Items.push_back(std::move(item));
    };
    for (const TMarkupToken& t : Bounds.BeforeTokens) add(t);
    lastStart = nullptr;
    for (const TMarkupToken& t : Bounds.Tokens) add(t);
    PositionLines();
    if (OnProcessMessages) OnProcessMessages();
}

void TPageHead::PositionLines() {
    std::vector<THeadItem> title, pics, metas, others;
    for (THeadItem& item : Items) {
        switch (item.Role) {
        case THeadItem::irTitle: title.push_back(std::move(item)); break;
        case THeadItem::irPicsLabel: pics.push_back(std::move(item)); break;
        case THeadItem::irMeta: metas.push_back(std::move(item)); break;
        default: others.push_back(std::move(item)); break;
        }
    }
    Items.clear();
    for (auto& i : title) Items.push_back(std::move(i));
    for (auto it = pics.rbegin(); it != pics.rend(); ++it) Items.push_back(std::move(*it));
    for (auto& i : metas) Items.push_back(std::move(i));
    for (auto& i : others) Items.push_back(std::move(i));
}

String TPageHead::Text() const {
    String out = Prefix;
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += LineBreak;
    out += OpenTag;
    out += LineBreak;
    for (const THeadItem& item : Items) {
        out += item.Text;
        out += LineBreak;
    }
    out += CloseTag;
    return out;
}

THeadItem* TPageHead::Title() {
    for (THeadItem& item : Items)
        if (item.Role == THeadItem::irTitle) return &item;
    return nullptr;
}

String TPageHead::TitleText() {
    const THeadItem* t = Title();
    if (!t) return HeadTexts::STitleMissing;
    if (t->ContentStart == String::npos) return String();
    return Encoding.Text(t->Text.substr(t->ContentStart, t->ContentEnd - t->ContentStart), false);
}

bool TPageHead::ReadMetaTag(const String& text, const TPageEncoding& encoding, TMetaTag& tag) {
    TMarkupScanner scanner(text, true);
    TMarkupToken t;
    if (text.empty() || text[0] != '<' || !scanner.ScanTag(0, t) || t.Kind != tkStartTag || t.Name != "meta")
        return false;
    tag = TMetaTag();
    tag.SelfClosed = t.SelfClosing;
    tag.TagLength = t.TagEnd;
    if (t.Attribute(text, "name")) {
        tag.Name = encoding.Text(t.Value(text, "name"), true);
    } else if (t.Attribute(text, "http-equiv")) {
        tag.HttpEquiv = true;
        tag.Name = encoding.Text(t.Value(text, "http-equiv"), true);
    }
    tag.Name = Trim(tag.Name);
    tag.RawContent = t.Value(text, "content");
    tag.Content = Trim(encoding.Text(tag.RawContent, true));
    tag.Token = encoding.Text(t.Value(text, "z"), true);
    return true;
}
