#include "composer/TagAnalysis.h"

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

}  // namespace

int TTagAnalysis::TextLength(const String& text) {
    int n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

void TTagAnalysis::Report(const TMetaFields& f, const TRuleBase& rules, std::vector<String>& out) {
    const char* findability = " This tag increases search engine findability";
    out.emplace_back(SHeading);
    out.emplace_back(String(90, '-'));

    out.emplace_back("1) Keywords Meta Tag value");
    out.push_back(f.Keywords);
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

    out.emplace_back("2) Description tag value");
    out.push_back(f.Description);
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

    out.emplace_back("3) Generator tag value");
    out.push_back(f.Generator);
    out.emplace_back("");
    out.emplace_back("4) Language tag value");
    out.push_back(f.Language);
    out.emplace_back("");

    out.emplace_back("5) Robots value");
    out.push_back(f.Robots);
    Add(out, {"", " The Robots check validates that you are using the tag only if you",
              " have selected it in the rule base as required.", ""});
    RuleVerdict(out, rules.Robots, f.Robots,
                {{" Warning, You have selected not to verify the Robots tag.", findability, ""},
                 {" Warning, You are not using the Robots tag effectively", findability,
                  " Use this tag for effectiveness in web site promotion", ""},
                 {" Report: You are using the Robots tag effectively", findability, ""}});
    out.emplace_back("");

    out.emplace_back("6) Revisit tag value");
    out.push_back(f.Revisit);
    Add(out, {"", "", " The Revisit check validates that you are using the tag only if you",
              " have selected it in the rule base as required.", ""});
    RuleVerdict(out, rules.Revisit, f.Revisit,
                {{" Warning, You have selected not to verify the Revisit tag.", findability, ""},
                 {" Warning, You are not using the REVISIT tag effectively", findability,
                  " Use this tag to tell the web crawler when to come back to update your listing", ""},
                 {" REPORT: You are using the REVISIT tag effectively", findability, ""}});
    out.emplace_back("");

    out.emplace_back("7) Rating tag value");
    out.push_back(f.Rating);
    out.emplace_back("");
    out.emplace_back("8) Distribution tag value");
    out.push_back(f.Distribution);
    out.emplace_back("");

    const char* legally = " This tag increases search engine findability and protects you legally";
    out.emplace_back("9) Copyright tag value");
    out.push_back(f.Copyright);
    Add(out, {"", "", " The Copyright check validates that you are using the tag only if you",
              " have selected it in the rule base as required.", "", ""});
    RuleVerdict(out, rules.Copyright, f.Copyright,
                {{" Warning, You have selected not to verify the Copyright tag.", findability, ""},
                 {" Warning, You are not using the COPYRIGHT tag effectively", legally, ""},
                 {" REPORT: You are using the Copyright tag effectively", legally, ""}});

    const std::pair<const char*, const String*> plain[] = {
        {"10) Author tag value", &f.Author},        {"11) Bulletin-Date tag value", &f.BulletinDate},
        {"12) Bulletin-Text tag value", &f.BulletinText}, {"13) Expires tag value", &f.Expires},
        {"14) Reply-To tag value", &f.ReplyTo},
    };
    for (const auto& [heading, value] : plain) {
        out.emplace_back(heading);
        out.push_back(*value);
        out.emplace_back("");
    }
    out.emplace_back("15) Pragma tag value");
    out.emplace_back(f.Pragma == "TRUE" ? "pragma = pragma is used" : "pragma = pragma is not used");
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
    add(false, "generator", f.Generator);
    if (f.Pragma == "TRUE") out.emplace_back(SPragmaLine);
    add(false, "revisit-after", f.Revisit);
    add(false, s.clasname, f.Classification);
    add(false, "description", f.Description);
    add(false, "keywords", f.Keywords);
    add(false, "robots", f.Robots);
    add(false, "distribution", f.Distribution);
    add(false, "rating", f.Rating);
    add(false, "copyright", f.Copyright);
    add(false, s.aname, f.Author);
    add(true, "reply-to", f.ReplyTo);
    add(false, s.lname, f.Language);
    add(true, "bulletin-date", f.BulletinDate);
    add(true, "bulletin-text", f.BulletinText);
    add(true, "expires", f.Expires);
    add(false, LowerCase(s.catstr), f.Subject);
    for (const TCustomRow& row : f.CustomRows) {
        const String name = Trim(LowerCase(row.Name));
        const String value = Trim(row.Value);
        if (!name.empty() && !value.empty()) add(false, name, value);
    }
    return out;
}
