#pragma once
// Turns the field values into the Tag lines the update run writes: one line
// per filled field in a fixed order, then the custom rows. A pure function of
// the fields, the settings and the token map.
#include <vector>

#include "composer/engine/MetaFields.h"

struct TComposedTags {
    String TitleLine;                // "<title>…</title>", shown only; empty without a title
    std::vector<String> TagLineList; // the lines the writer consumes, in order
    // What the Update step's text box shows: the title line, then the lines.
    std::vector<String> TagLines() const;
};

class TTagComposer {
public:
    // Sets `token` to the token the map holds for `tagName`; leaves it as it
    // is (the caller empties it) when there is none.
    static void LookupToken(const String& tagName, const std::vector<TTokenRow>& tokenMap,
                            String& token);
    // A value as markup that can never end its attribute or split its line:
    // "&", '"', "<" and ">" become references and a line break one blank.
    static String EscapeValue(const String& value);
    // Every line break (CR LF, CR, LF) becomes one blank: a title or value
    // must stay on the one line the writer gives it.
    static String OneLine(const String& value);
    static String TagLine(bool httpEquiv, const String& tagName, const String& value,
                          const String& token, bool xhtml);
    static TComposedTags ComposeTagLines(const TMetaFields& fields, const TTagSettings& settings,
                                         const std::vector<TTokenRow>& tokenMap);

    // The Update step's entry: keeps the keyword snapshot and the composed
    // lines for the window to show and the writer to use.
    void TabSheet5Enter(const TMetaFields& fields, const TTagSettings& settings,
                        const std::vector<TTokenRow>& tokenMap);
    String KeywordsSnapshot;
    std::vector<String> TagLineList;
    std::vector<String> TagLines;
};

namespace TagTexts {
inline constexpr const char* SNameOpening = "<meta name=\"";
inline constexpr const char* SHttpEquivOpening = "<meta http-equiv=\"";
inline constexpr const char* SContentJoin = "\" content=\"";
inline constexpr const char* STokenJoin = "\" z=\"";
inline constexpr const char* SXHTMLEnd = "\"/>";
inline constexpr const char* SPlainEnd = "\">";
}  // namespace TagTexts
