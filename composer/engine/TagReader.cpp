#include "composer/engine/TagReader.h"

#include "composer/engine/PageExceptions.h"

using namespace PageText;
using namespace ReaderTexts;

namespace {

const TTagEntry* FindEntry(const TTagList& list, const String& name) {
    for (const TTagEntry& e : list)
        if (SameTextAscii(e.Name, name)) return &e;
    return nullptr;
}

String ValueOf(const TTagList& list, const String& name) {
    const TTagEntry* e = FindEntry(list, name);
    return e ? e->Value : String();
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

}  // namespace

bool TTagReader::LoadAndNormalise(const String& currentFile) {
    if (currentFile.empty()) {
        if (OnShowMessage) OnShowMessage(SNoFileSelected, mkError);
        return false;
    }
    if (OnProcessMessages) OnProcessMessages();
    Head.Buffer.Clear();
    Head.PagePath = currentFile;
    try {
        Head.Buffer.LoadFromFile(currentFile);
    } catch (const std::exception&) {
        Head.Buffer.Clear();
        if (OnShowMessage) OnShowMessage(SCouldNotLoad, mkPlain);
        return false;
    }
    if (!Head.OnProcessMessages) Head.OnProcessMessages = OnProcessMessages;
    Head.ExtractHeadSection();
    Head.SetCRLFLineBreaks();
    Head.SetUpMetaLines();
    return true;
}

bool TTagReader::xread(const String& currentFile, TMetaFields& fields) {
    auto caption = [this](const String& c) {
        if (OnCaption) OnCaption(c);
    };
    return ReportingPageFaults([&] {
        if (!LoadAndNormalise(currentFile)) return false;
        TTagList list;
        caption(SReadingTitle);
        ReadTitleLine(fields);
        BuildTagList(list, rmKeywordsDescription, fields);
        caption(SReadingKeywords);
        ReadTags(rmKeywordsDescription, list, fields);
        BuildTagList(list, rmOptions, fields);
        caption(SReadingOther);
        ReadTags(rmOptions, list, fields);
        BuildTagList(list, rmCustom, fields);
        caption(SReadingCustom);
        ReadTags(rmCustom, list, fields);
        caption("Velmor - " + currentFile);
        return true;
    });
}

bool TTagReader::ReadCustomTags(const String& currentFile, TMetaFields& fields) {
    return ReportingPageFaults([&] {
        if (!LoadAndNormalise(currentFile)) return false;
        TTagList list;
        BuildTagList(list, rmCustom, fields);
        ReadTags(rmCustom, list, fields);
        return true;
    });
}

bool TTagReader::ReportingPageFaults(const std::function<bool()>& read) {
    try {
        return read();
    } catch (const EInvalidHTMLFile& e) {
        if (OnShowMessage) OnShowMessage(e.Message, mkPlain);
    } catch (const EInvalidMetaTag& e) {
        if (OnShowMessage) OnShowMessage(e.Message, mkPlain);
    } catch (const ENoFile& e) {
        if (OnShowMessage) OnShowMessage(e.Message, mkPlain);
    }
    return false;
}

void TTagReader::BuildTagList(TTagList& list, int mode, const TMetaFields& fields) const {
    list.clear();
    auto add = [&list](const String& name) {
        // A tag name configured empty is not looked for.
        if (!name.empty()) list.push_back({name, String()});
    };
    switch (mode) {
        case rmKeywordsDescription:
            add("Description");
            add("keywords");
            break;
        case rmOptions:
            for (const String& n :
                 {String("generator"), Settings.clasname, String("robots"), String("distribution"),
                  String("rating"), String("copyright"), Settings.aname, Settings.lname,
                  String("revisit-after"), String("reply-to"), Settings.catstr, String("expires"),
                  String("bulletin-text")})
                add(n);
            break;
        case rmCustom:
            for (const TCustomRow& row : fields.CustomRows) add(TrimBlanks(Lower(row.Name)));
            break;
        default:
            break;
    }
}

void TTagReader::ReadTags(int mode, TTagList& list, TMetaFields& fields) {
    const std::vector<String> lines = Head.Buffer.Lines();
    const int h = TPageBuffer::IndexOfLine(lines, "<HEAD>");
    if (h < 0) return;
    // Skip the title line; a page without a title has none to skip.
    int first = h + 1;
    if (first < static_cast<int>(lines.size()) && ContainsNoCase(lines[first], "<title>")) ++first;
    const int end = TPageBuffer::IndexOfLine(lines, "</HEAD>");
    if (end <= first) return;
    const std::vector<bool> inBlock = TPageHead::BlockLines(lines);

    for (size_t k = 0; k < list.size(); ++k) {
        const String key = "\"" + list[k].Name + "\"";
        int found = -1;
        for (int i = first; i < end; ++i)
            if (!inBlock[i] && ContainsNoCase(lines[i], key)) {
                found = i;
                break;
            }
        if (found < 0 || !ContainsNoCase(lines[found], "<META")) continue;
        TParsedMetaTag tag;
        try {
            tag = ParseMetaTag(lines[found], true);
        } catch (const std::exception&) {
            continue;  // one malformed line never stops the others
        }
        int match = -1;
        for (size_t j = 0; j < list.size(); ++j)
            if (SameTextAscii(list[j].Name, tag.TagName)) {
                match = static_cast<int>(j);
                break;
            }
        if (match < 0) continue;
        switch (mode) {
            case rmKeywordsDescription:
                if (SameTextAscii(list[match].Name, "Description"))
                    fields.Description = tag.Content;
                else
                    fields.Keywords = tag.Content;
                break;
            case rmOptions:
                list[match].Value = tag.Content;
                break;
            case rmCustom:
                if (!tag.Content.empty()) list[match].Value = tag.Content;
                break;
            default:
                break;
        }
    }

    if (mode == rmOptions) SetMetaTags(list, fields);
    if (mode == rmCustom)
        for (TCustomRow& row : fields.CustomRows) {
            const String name = TrimBlanks(Lower(row.Name));
            if (!name.empty()) row.Value = ValueOf(list, name);
        }
}

TParsedMetaTag TTagReader::ParseMetaTag(const String& line, bool strip) {
    TParsedMetaTag r;
    String s = TrimBlanks(line);
    const int m = FindNoCase(s, "<META");
    if (m < 0) throw EInvalidMetaTag(HeadTexts::SNotValidMetaTag);
    s.erase(0, std::min(s.size(), static_cast<size_t>(m) + 6));
    s = TrimBlanks(s);
    if (!s.empty() && s[0] == '=') throw Exception(HeadTexts::SNotValidMetaTag);
    const size_t eq = s.find('=');
    if (eq != String::npos) {
        r.AttributeName = TrimBlanks(s.substr(0, eq));
        s.erase(0, eq + 1);
        s = TrimBlanks(s);
    }
    const int c = FindNoCase(s, "CONTENT");
    if (c == 0) throw EInvalidMetaTag(HeadTexts::SNotValidMetaTag);
    if (c > 0) r.TagName = TrimBlanks(s.substr(0, c));
    const size_t eq2 = s.find('=');
    const size_t from = (eq2 == String::npos) ? 0 : eq2 + 1;
    r.Content = (s.size() > from + 1) ? TrimBlanks(s.substr(from, s.size() - 1 - from)) : String();
    if (!strip) return r;

    // Only quotes that are there are taken off: an unquoted name or value is
    // used as written, not shortened by a character at each end.
    String& n = r.TagName;
    if (!n.empty() && IsQuote(n.front())) {
        const char q = n.front();
        n.erase(0, 1);
        if (!n.empty() && n.back() == q) n.pop_back();
        n = TrimBlanks(n);
    }
    String v = r.Content;
    if (v.size() >= 2 && v.back() == '/' && (IsQuote(v[v.size() - 2]) || v[v.size() - 2] == ' '))
        v = TrimBlanks(v.substr(0, v.size() - 1));
    if (!v.empty() && IsQuote(v.front())) {
        // The value ends at its closing quote; a token attribute may follow.
        const size_t e = v.find(v.front(), 1);
        v = v.substr(1, e == String::npos ? String::npos : e - 1);
    } else {
        size_t e = 0;
        while (e < v.size() && static_cast<unsigned char>(v[e]) > 0x20) ++e;
        v.resize(e);
    }
    r.Content = TrimBlanks(v);
    return r;
}

void TTagReader::SetMetaTags(const TTagList& list, TMetaFields& f) const {
    const std::pair<String, String*> targets[] = {
        {"generator", &f.Generator},    {Settings.clasname, &f.Classification},
        {"robots", &f.Robots},          {"distribution", &f.Distribution},
        {"rating", &f.Rating},          {"copyright", &f.Copyright},
        {Settings.aname, &f.Author},    {"revisit-after", &f.Revisit},
        {Settings.lname, &f.Language},  {"reply-to", &f.ReplyTo},
        {Settings.catstr, &f.Subject},  {"expires", &f.Expires},
        {"bulletin-text", &f.BulletinText}};
    for (const auto& [name, field] : targets)
        if (!name.empty()) *field = ValueOf(list, name);
}

void TTagReader::ReadTitleLine(TMetaFields& fields) {
    int h = Head.Buffer.Find("<HEAD>");
    if (h < 0) return;
    int e = Head.Buffer.Find("</HEAD>", h);
    if (e < 0) return;
    Head.FormatTitleLine(h, e);
    const int t = Head.Buffer.Find("<title>", h, e - h);
    if (t < 0) {
        fields.Title = HeadTexts::STitleMissing;
        return;
    }
    const int c = Head.Buffer.Find("</title>", t + 7, e - t - 7);
    const String& text = Head.Buffer.Text();
    if (c >= 0) {
        fields.Title = text.substr(t + 7, c - t - 7);
    } else {
        // An unclosed title: what its line holds.
        const size_t eol = text.find_first_of("\r\n", t + 7);
        fields.Title = text.substr(t + 7, (eol == String::npos ? text.size() : eol) - t - 7);
    }
}

void TTagReader::SaveKeywordSnapshot(const TMetaFields& fields) { KeywordSnapshot = fields.Keywords; }
