#pragma once
// The texts of the Update step's checks: the tag analysis report against
// the rule base, the length check's message and the plain listing of the
// tags. They work on the field values alone and read no page.
#include <vector>

#include "composer/engine/MetaFields.h"

// The rule base as the settings hold it: the limits as text (a limit that
// is no decimal number raises EConvertError where it is first needed) and
// the three verification flags.
struct TRuleBase {
    String Keywords = "1000";
    String Description = "200";
    String Robots, Revisit, Copyright;
};

class TTagAnalysis {
public:
    // The number of characters of a control's text, as the limits count
    // them: a line break counts two.
    static int TextLength(const String& text);
    // Appends the report line by line, so that when a limit fails to
    // convert, `report` holds what came before the failure.
    static void Report(const TMetaFields& fields, const TRuleBase& rules, std::vector<String>& report);
    static String LengthCheckMessage(const TMetaFields& fields, const TRuleBase& rules);
    // One line per filled field, always closed by the plain end.
    static std::vector<String> TagListing(const TMetaFields& fields, const TTagSettings& settings);
};

namespace AnalysisTexts {
inline constexpr const char* SHeading = "META DATA VALUES AND RULE VERIFICATION";
inline constexpr const char* SLengthIntro =
    "This check validates your keyword and description values against what is set in the Tag "
    "Analysis Settings feature.";
inline constexpr const char* SLengthSettings =
    "To access these settings select Tag Analysis Settings from the Special menu";
inline constexpr const char* SLengthBreak = "\n\r\n\r";
inline constexpr const char* SDescriptionTooLong = "Error: Description length is greater than ";
inline constexpr const char* SDescriptionOK = "Description length is OK";
inline constexpr const char* SKeywordsTooLong = "Error: Keyword length is greater than ";
inline constexpr const char* SKeywordsOK = "Keyword length is OK";
}  // namespace AnalysisTexts
