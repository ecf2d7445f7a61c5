#include "composer/engine/KeywordsTag.h"

#include "composer/engine/KeywordCounter.h"
#include "composer/engine/PageBuffer.h"
#include "composer/engine/PageExceptions.h"
#include "composer/engine/PageHead.h"
#include "composer/engine/TagWriter.h"
#include "framework/rtl/FileUtils.h"

using PageText::FindNoCase;

namespace {

// The ">" that closes the tag starting at `start`. A ">" inside a quoted
// value does not close it: replacing the tag only up to there would leave
// the rest of the old value behind in the head. A tag whose quotes never
// close ends at its first ">".
int TagEnd(const String& text, int start) {
    char quote = 0;
    for (size_t i = static_cast<size_t>(start); i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return static_cast<int>(i);
        }
    }
    const size_t plain = text.find('>', static_cast<size_t>(start));
    return plain == String::npos ? -1 : static_cast<int>(plain);
}

}  // namespace

String TKeywordsTag::CutHead(const String& page) const {
    return page.substr(0, static_cast<size_t>(TPageHead::HeadSectionEnd(page, CurrentPage)));
}

String TKeywordsTag::FileKeyWords(const String& head) {
    if (head.empty()) return String();
    const int h = FindNoCase(head, "<HEAD>");
    if (h < 0) throw EInvalidHTMLFile(CurrentPage, HeadTexts::SMissingHeadEndTag);
    HeadContentStart = h + 6;
    KeywordsTagStart = FindNoCase(head, "<meta name=\"keywords\"", static_cast<size_t>(HeadContentStart));
    if (KeywordsTagStart < 0) return String();
    const int g = TagEnd(head, KeywordsTagStart);
    if (g < 0) return String();
    KeywordsTagLength = g + 1 - KeywordsTagStart;
    const String tag =
        head.substr(static_cast<size_t>(KeywordsTagStart), static_cast<size_t>(KeywordsTagLength));
    const int c = FindNoCase(tag, "content");
    if (c < 0) return String();
    const size_t q1 = tag.find('"', static_cast<size_t>(c) + 7);
    if (q1 == String::npos) return String();
    const size_t q2 = tag.find('"', q1 + 1);
    if (q2 == String::npos) return String();
    return tag.substr(q1 + 1, q2 - q1 - 1);
}

void TKeywordsTag::writeKeyWords(String& head, const String& merged) const {
    if (head.empty()) return;
    const String line = TagPrefix + merged + TagSuffix;
    if (KeywordsTagStart >= 0 && KeywordsTagLength >= 0) {
        head.replace(static_cast<size_t>(KeywordsTagStart), static_cast<size_t>(KeywordsTagLength), line);
        return;
    }
    // The page's own line break, so a page keeps one kind throughout.
    head.insert(static_cast<size_t>(HeadContentStart), TPageHead::LineBreakOf(head) + line);
}

String TKeywordsTag::MergeIntoPage(const String& page, const std::vector<String>& chosen) {
    HeadContentStart = -1;
    KeywordsTagStart = -1;
    KeywordsTagLength = -1;
    String head = CutHead(page);
    const size_t oldHeadLength = head.size();
    const String existing = FileKeyWords(head);
    writeKeyWords(head, TKeywordCounter::MergeKeywords(existing, chosen));
    return head + page.substr(oldHeadLength);
}

void TKeywordsTag::UpdatePage(const String& path, const std::vector<String>& chosen) {
    CurrentPage = path;
    if (path.empty()) throw ENoFile(HeadTexts::SNoFileToLoad);
    const String page = ReadFileToString(path);
    TTagWriter::SavePage(path, MergeIntoPage(page, chosen));
}
