#include "composer/engine/KeywordsTag.h"

#include "composer/engine/KeywordCounter.h"
#include "composer/engine/PageExceptions.h"
#include "composer/engine/PageHead.h"
#include "composer/engine/TagWriter.h"
#include "framework/rtl/FileReplacement.h"
#include "framework/rtl/StrUtils.h"

String TKeywordsTag::MergedHead(TPageHead& head, const std::vector<String>& chosen) const {
    head.LearnEncoding();
    const String& page = head.Page;
    String before = page.substr(0, head.HeadEnd());
    // The chosen words are the page's own, read from its body: they go back
    // in the bytes they were read from, and the old words keep theirs.
    auto tagBytes = [&](const String& oldContent, const String& merged, bool selfClosed) {
        return head.Encoding.Bytes(TagPrefix) + head.Encoding.ChangedBytes(oldContent, merged, true, true) +
               (selfClosed ? "\"/>" : TagSuffix);
    };
    // A tag before "<head>" is in the head as browsers read it.
    std::vector<const TMarkupToken*> tokens;
    for (const TMarkupToken& t : head.Bounds.BeforeTokens) tokens.push_back(&t);
    for (const TMarkupToken& t : head.Bounds.Tokens) tokens.push_back(&t);
    for (const TMarkupToken* token : tokens) {
        const TMarkupToken& t = *token;
        if (t.Kind != tkStartTag || t.Name != "meta") continue;
        TMetaTag tag;
        const String bytes = page.substr(t.Start, t.TagEnd - t.Start);
        if (!TPageHead::ReadMetaTag(bytes, head.Encoding, tag) || !SameText(tag.Name, "keywords"))
            continue;
        const String merged = TKeywordCounter::MergeKeywords(tag.Content, chosen);
        if (merged == tag.Content) return before;
        // A tag with its own end tag keeps it and ends plain; any other ends
        // the way the page closes its tags.
        const bool endTag = t.End > t.TagEnd || (t.End < page.size() && StartsWithNoCase(page, t.End, "</meta"));
        before.replace(t.Start, t.TagEnd - t.Start,
                       tagBytes(tag.RawContent, merged, !endTag && (tag.SelfClosed || head.Xhtml)));
        return before;
    }
    before.insert(head.Bounds.OpenEnd,
                  head.LineBreak + tagBytes(String(), TKeywordCounter::MergeKeywords(String(), chosen), head.Xhtml));
    return before;
}

String TKeywordsTag::MergeIntoPage(const String& page, const std::vector<String>& chosen) {
    TPageHead head;
    head.PagePath = CurrentPage;
    head.LoadFromText(page);
    return MergedHead(head, chosen) + page.substr(head.HeadEnd());
}

void TKeywordsTag::UpdatePage(const String& path, const std::vector<String>& chosen) {
    CurrentPage = path;
    if (path.empty()) throw ENoFile(HeadTexts::SNoFileToLoad);
    TFileSource source(path);
    TPageHead head;
    head.PagePath = path;
    head.LoadFromSource(source);
    TTagWriter::SavePage(path, MergedHead(head, chosen), source, static_cast<Int64>(head.HeadEnd()));
}
