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
    for (const TMarkupToken& t : head.Bounds.Tokens) {
        if (t.Kind != tkStartTag || t.Name != "meta") continue;
        TMetaTag tag;
        const String bytes = page.substr(t.Start, t.TagEnd - t.Start);
        if (!TPageHead::ReadMetaTag(bytes, head.Encoding, tag) || !SameText(tag.Name, "keywords"))
            continue;
        const String merged = TKeywordCounter::MergeKeywords(tag.Content, chosen);
        if (merged == tag.Content) return before;
        const String line = TagPrefix + TPageEncoding::EscapeAttribute(merged) + TagSuffix;
        before.replace(t.Start, t.TagEnd - t.Start, head.Encoding.Bytes(TTagWriter::WithEnding(line, tag.SelfClosed)));
        return before;
    }
    const String line = TagPrefix + TPageEncoding::EscapeAttribute(TKeywordCounter::MergeKeywords(String(), chosen)) +
                        TagSuffix;
    before.insert(head.Bounds.OpenEnd, head.LineBreak + head.Encoding.Bytes(TTagWriter::WithEnding(line, head.Xhtml)));
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
