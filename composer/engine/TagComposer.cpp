#include "composer/engine/TagComposer.h"

#include "composer/engine/MetaFieldTable.h"
#include "composer/engine/PageEncoding.h"
#include "composer/engine/PageExceptions.h"
#include "framework/rtl/StrUtils.h"

using namespace TagTexts;

std::vector<String> TComposedTags::TagLines() const {
    std::vector<String> r;
    if (!TitleLine.empty()) r.push_back(TitleLine);
    r.insert(r.end(), TagLineList.begin(), TagLineList.end());
    return r;
}

void TTagComposer::LookupToken(const String& tagName, const std::vector<TTokenRow>& tokenMap,
                               String& token) {
    const String key = LowerCase(tagName);
    for (const TTokenRow& row : tokenMap) {
        const String t = Trim(LowerCase(row.Token));
        const String tag = Trim(row.Tag);
        if (!t.empty() && !tag.empty() && LowerCase(tag) == key) {
            token = t;
            return;
        }
    }
}

String TTagComposer::OneLine(const String& value) {
    String r;
    r.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
            r += ' ';
        } else {
            r += c;
        }
    }
    return r;
}

String TTagComposer::EscapeValue(const String& value) {
    return TPageEncoding::EscapeAttribute(OneLine(value));
}

String TTagComposer::TagLine(bool httpEquiv, const String& tagName, const String& value,
                             const String& token, bool xhtml) {
    String line = httpEquiv ? SHttpEquivOpening : SNameOpening;
    line += tagName;
    line += SContentJoin;
    line += EscapeValue(value);
    if (!token.empty()) {
        line += STokenJoin;
        line += token;
        line += SXHTMLEnd;
    } else {
        line += xhtml ? SXHTMLEnd : SPlainEnd;
    }
    return line;
}

TComposedTags TTagComposer::ComposeTagLines(const TMetaFields& f, const TTagSettings& settings,
                                            const std::vector<TTokenRow>& tokenMap) {
    TComposedTags r;
    if (!f.Title.empty() && f.Title != HeadTexts::STitleMissing) r.TitleLine = "<title>" + TPageEncoding::EscapeText(OneLine(f.Title)) + "</title>";

    auto add = [&](bool httpEquiv, const String& tagName, const String& value) {
        // A field whose tag name is configured empty has no tag at all.
        if (value.empty() || tagName.empty()) return;
        String token;
        if (settings.UseTokens()) LookupToken(tagName, tokenMap, token);
        r.TagLineList.push_back(TagLine(httpEquiv, tagName, value, token, settings.UseXHTML()));
    };

    for (const TMetaFieldRow* row : MetaFieldsBy(&TMetaFieldRow::ComposePosition))
        add(row->HttpEquiv, row->TagNameWith(settings), row->ContentOf(f));
    for (const TCustomRow& row : f.CustomRows)
        add(false, Trim(LowerCase(row.Name)), Trim(row.Value));
    return r;
}

void TTagComposer::TabSheet5Enter(const TMetaFields& fields, const TTagSettings& settings,
                                  const std::vector<TTokenRow>& tokenMap) {
    KeywordsSnapshot = fields.Keywords;
    const TComposedTags composed = ComposeTagLines(fields, settings, tokenMap);
    TagLineList = composed.TagLineList;
    TagLines = composed.TagLines();
}
