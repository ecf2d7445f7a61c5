#include "composer/engine/TagAnalysis.h"

#include "composer/engine/MetaFieldTable.h"
#include "composer/engine/PageExceptions.h"
#include "composer/engine/TagComposer.h"
#include "framework/rtl/StrUtils.h"

using namespace AnalysisTexts;

namespace {

// "Missing" as the report means it: sorting before a single blank, so a
// value that starts with a blank is there.
bool Missing(const String& value) { return value < String(" "); }

void Add(std::vector<String>& out, const std::vector<const char*>& lines) {
    for (const char* line : lines) out.emplace_back(line);
}

// The verdict on a length against its limit (stored text, converted here).
void LengthVerdict(std::vector<String>& out, const String& text, const String& limitText,
                   const char* shortOrLong, const char* effective) {
    const int limit = StrToInt(limitText);
    const int length = TTagAnalysis::TextLength(text);
    // Half the limit in floating point: 1001 needs 501 characters.
    const bool enough = static_cast<double>(length) >= static_cast<double>(limit) / 2.0;
    out.emplace_back(enough && length <= limit ? effective : shortOrLong);
    out.push_back(" You are using: " + IntToStr(length) + " Characters");
    out.push_back(" You can use up to " + limitText + " Characters");
}

struct TRuleVerdict {
    std::vector<const char*> NotVerified, Missing, Present;
};

void RuleVerdict(std::vector<String>& out, const String& flag, const String& value, const TRuleVerdict& v) {
    if (flag != "1")
        Add(out, v.NotVerified);
    else if (Missing(value))
        Add(out, v.Missing);
    else
        Add(out, v.Present);
}

// The check that follows a field's value in the report, where it has one.
// False when the field has none. Appends line by line, so a limit that
// fails to convert leaves what came before it.
bool Check(const TMetaFieldRow& row, const TMetaFields& f, const TRuleBase& rules, std::vector<String>& out) {
    const char* findability = " This tag increases search engine findability";
    const char* legally = " This tag increases search engine findability and protects you legally";
    if (row.Value == &TMetaFields::Keywords) {
        Add(out, {"", "[Description of keywords check]",
                  " The keywords check validates that you are using the tag effectively.",
                  " This value is based on the rule base and how many characters you set as",
                  " the required size, in length, for the field. The program confirms that if",
                  " used, you have taken advantage of at least 50% of the allowed text",
                  " based on the Rule Base. In addition to checking this, the analysis checks to",
                  " make sure  that you have not exceeded the allowed amount. This secondary",
                  " check helps prevent the keywords Meta tag from being disqualified.", ""});
        LengthVerdict(out, f.Keywords, rules.Keywords, " Warning, You are not using the Keywords tag effectively",
                      " REPORT: You are using the Keywords tag effectively");
        out.emplace_back("");
    } else if (row.Value == &TMetaFields::Description) {
        Add(out, {"", "[Description of description check]",
                  " The description check validates that you are using that tag effectively.",
                  " This value is based on the rule base and how many characters you set as",
                  " the required size, in length, for the field. The program confirms that if",
                  " used that you have taken advantage of at least 50% of the allowed text",
                  " based on the Rule Base. In addition to checking this we check to make sure",
                  " that you have not exceeded the allowed amount. This secondary check helps",
                  " to prevent the description meta tag from being disqualified.", ""});
        LengthVerdict(out, f.Description, rules.Description,
                      " Warning, You are not using the Description tag effectively",
                      " You are using the Description tag effectively");
        out.emplace_back("");
    } else if (row.Value == &TMetaFields::Robots) {
        Add(out, {"", " The Robots check validates that you are using the tag only if you",
                  " have selected it in the rule base as required.", ""});
        RuleVerdict(out, rules.Robots, f.Robots,
                    {{" Warning, You have selected not to verify the Robots tag.", findability, ""},
                     {" Warning, You are not using the Robots tag effectively", findability,
                      " Use this tag for effectiveness in web site promotion", ""},
                     {" Report: You are using the Robots tag effectively", findability, ""}});
        out.emplace_back("");
    } else if (row.Value == &TMetaFields::Revisit) {
        Add(out, {"", "", " The Revisit check validates that you are using the tag only if you",
                  " have selected it in the rule base as required.", ""});
        RuleVerdict(out, rules.Revisit, f.Revisit,
                    {{" Warning, You have selected not to verify the Revisit tag.", findability, ""},
                     {" Warning, You are not using the REVISIT tag effectively", findability,
                      " Use this tag to tell the web crawler when to come back to update your listing", ""},
                     {" REPORT: You are using the REVISIT tag effectively", findability, ""}});
        out.emplace_back("");
    } else if (row.Value == &TMetaFields::Copyright) {
        Add(out, {"", "", " The Copyright check validates that you are using the tag only if you",
                  " have selected it in the rule base as required.", "", ""});
        RuleVerdict(out, rules.Copyright, f.Copyright,
                    {{" Warning, You have selected not to verify the Copyright tag.", findability, ""},
                     {" Warning, You are not using the COPYRIGHT tag effectively", legally, ""},
                     {" REPORT: You are using the Copyright tag effectively", legally, ""}});
    } else {
        return false;
    }
    return true;
}

}  // namespace

int TTagAnalysis::TextLength(const String& text) {
    int n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

void TTagAnalysis::Report(const TMetaFields& f, const TRuleBase& rules, std::vector<String>& out) {
    out.emplace_back(SHeading);
    out.emplace_back(String(90, '-'));
    const std::vector<const TMetaFieldRow*> rows = MetaFieldsBy(&TMetaFieldRow::ReportPosition);
    for (const TMetaFieldRow* row : rows) {
        out.push_back(IntToStr(row->ReportPosition) + ") " + row->ReportHeading);
        const String& value = f.*row->Value;
        if (row->SwitchedContent)
            out.push_back(String(row->TagName) + " = " + row->TagName +
                          (row->ContentOf(f).empty() ? " is not used" : " is used"));
        else
            out.push_back(value);
        // A field with a check ends its entry with the check's own lines;
        // the others with a blank line, but for the last.
        if (!Check(*row, f, rules, out) && row != rows.back()) out.emplace_back("");
    }
}

String TTagAnalysis::LengthCheckMessage(const TMetaFields& f, const TRuleBase& rules) {
    const bool descriptionOver = TextLength(f.Description) > StrToInt(rules.Description);
    const bool keywordsOver = TextLength(f.Keywords) > StrToInt(rules.Keywords);
    String message = String(SLengthIntro) + SLengthSettings;
    message += SLengthBreak;
    message += descriptionOver ? SDescriptionTooLong + rules.Description : String(SDescriptionOK);
    message += SLengthBreak;
    message += keywordsOver ? SKeywordsTooLong + rules.Keywords : String(SKeywordsOK);
    return message;
}

std::vector<String> TTagAnalysis::TagListing(const TMetaFields& f, const TTagSettings& s) {
    using namespace TagTexts;
    std::vector<String> out;
    // Each value is written as the composer writes it, so a listing that is
    // copied into a page stays one well-formed tag per line.
    auto add = [&out](bool httpEquiv, const String& tagName, const String& value) {
        if (value.empty()) return;
        out.push_back(String(httpEquiv ? SHttpEquivOpening : SNameOpening) + tagName + SContentJoin +
                      TTagComposer::EscapeValue(value) + SPlainEnd);
    };
    // The marker the reader leaves for a page without a title is no title.
    if (!f.Title.empty() && f.Title != HeadTexts::STitleMissing)
        out.push_back("<title>" + TTagComposer::OneLine(f.Title) + "</title>");
    for (const TMetaFieldRow* row : MetaFieldsBy(&TMetaFieldRow::ListingPosition)) {
        const String name = row->TagNameWith(s);
        add(row->Listing == TListingForm::HttpEquiv || row->HttpEquiv,
            row->Listing == TListingForm::LowerCaseName ? LowerCase(name) : name, row->ContentOf(f));
    }
    for (const TCustomRow& row : f.CustomRows) {
        const String name = Trim(LowerCase(row.Name));
        const String value = Trim(row.Value);
        if (!name.empty() && !value.empty()) add(false, name, value);
    }
    return out;
}
