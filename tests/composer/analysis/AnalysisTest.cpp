// The Update step's checks: the tag analysis report and its verdicts, the
// length check, the plain listing of the tags and Copy Tags.
#include "composer/mainwindow/MainWindowTestSupport.h"

#include "composer/engine/TagAnalysis.h"
#include "framework/classes/Strings.h"
#include "framework/controls/Clipboard.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Memo.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/TabSheet.h"
#include "framework/rtl/StrUtils.h"
#include "gridkit/grid/GkColumnGrid.h"
#include "toolbars/TbToolbarButton.h"

namespace {

// Where the report puts its lines (0-based): the keywords verdict follows
// the heading, the value and the nine lines that describe the check.
constexpr int kKeywordsVerdict = 14;
constexpr int kDescriptionVerdict = 30;

std::vector<String> ReportOf(const TMetaFields& f, const TRuleBase& rules) {
    std::vector<String> report;
    TTagAnalysis::Report(f, rules, report);
    return report;
}

int IndexOf(const std::vector<String>& lines, const String& line) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == line) return static_cast<int>(i);
    return -1;
}

struct LengthCase {
    int Length;
    const char* Limit;
    bool Effective;
};

class LengthVerdict : public ::testing::TestWithParam<LengthCase> {};

TEST_P(LengthVerdict, HalfTheLimitUpToTheLimitIsEffective) {
    const LengthCase& c = GetParam();
    TMetaFields f;
    f.Keywords = String(static_cast<size_t>(c.Length), 'k');
    f.Description = String(static_cast<size_t>(c.Length), 'd');
    TRuleBase rules;
    rules.Keywords = c.Limit;
    rules.Description = c.Limit;
    const std::vector<String> r = ReportOf(f, rules);
    ASSERT_EQ(r[kKeywordsVerdict - 12], "1) Keywords Meta Tag value");
    EXPECT_EQ(r[kKeywordsVerdict], c.Effective ? " REPORT: You are using the Keywords tag effectively"
                                               : " Warning, You are not using the Keywords tag effectively");
    EXPECT_EQ(r[kKeywordsVerdict + 1], " You are using: " + IntToStr(c.Length) + " Characters");
    EXPECT_EQ(r[kKeywordsVerdict + 2], String(" You can use up to ") + c.Limit + " Characters");
    ASSERT_EQ(r[kDescriptionVerdict - 12], "2) Description tag value");
    EXPECT_EQ(r[kDescriptionVerdict], c.Effective ? " You are using the Description tag effectively"
                                                  : " Warning, You are not using the Description tag effectively");
}

INSTANTIATE_TEST_SUITE_P(Limits, LengthVerdict,
                         ::testing::Values(LengthCase{499, "1000", false}, LengthCase{500, "1000", true},
                                           LengthCase{1000, "1000", true}, LengthCase{1001, "1000", false},
                                           LengthCase{500, "1001", false}, LengthCase{501, "1001", true},
                                           LengthCase{0, "0", true}));

TEST(TagAnalysis, LengthsCountCharactersAndLineBreaksAsTwo) {
    EXPECT_EQ(TTagAnalysis::TextLength("caf\xC3\xA9"), 4);
    EXPECT_EQ(TTagAnalysis::TextLength("a\r\nb"), 4);
}

const char* kFindability = " This tag increases search engine findability";
const char* kLegally = " This tag increases search engine findability and protects you legally";

TEST(TagAnalysis, RuleVerdictsFollowFlagAndValue) {
    struct Case {
        const char* Heading;
        int Skip;  // lines from the heading to the verdict
        String TRuleBase::*Flag;
        String TMetaFields::*Field;
        const char* FlagValue;
        const char* Value;
        std::vector<String> Verdict;
    };
    const Case cases[] = {
        {"5) Robots value", 6, &TRuleBase::Robots, &TMetaFields::Robots, "0", "ALL",
         {" Warning, You have selected not to verify the Robots tag.", kFindability, ""}},
        {"5) Robots value", 6, &TRuleBase::Robots, &TMetaFields::Robots, "1", "",
         {" Warning, You are not using the Robots tag effectively", kFindability,
          " Use this tag for effectiveness in web site promotion", ""}},
        {"5) Robots value", 6, &TRuleBase::Robots, &TMetaFields::Robots, "1", " x",
         {" Report: You are using the Robots tag effectively", kFindability, ""}},
        {"6) Revisit tag value", 7, &TRuleBase::Revisit, &TMetaFields::Revisit, "", "30 Days",
         {" Warning, You have selected not to verify the Revisit tag.", kFindability, ""}},
        {"6) Revisit tag value", 7, &TRuleBase::Revisit, &TMetaFields::Revisit, "1", "",
         {" Warning, You are not using the REVISIT tag effectively", kFindability,
          " Use this tag to tell the web crawler when to come back to update your listing", ""}},
        {"6) Revisit tag value", 7, &TRuleBase::Revisit, &TMetaFields::Revisit, "1", "30 Days",
         {" REPORT: You are using the REVISIT tag effectively", kFindability, ""}},
        {"9) Copyright tag value", 8, &TRuleBase::Copyright, &TMetaFields::Copyright, "1 ", "(c)",
         {" Warning, You have selected not to verify the Copyright tag.", kFindability, ""}},
        {"9) Copyright tag value", 8, &TRuleBase::Copyright, &TMetaFields::Copyright, "1", "",
         {" Warning, You are not using the COPYRIGHT tag effectively", kLegally, ""}},
        {"9) Copyright tag value", 8, &TRuleBase::Copyright, &TMetaFields::Copyright, "1", "(c)",
         {" REPORT: You are using the Copyright tag effectively", kLegally, ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(String(c.Heading) + " flag '" + c.FlagValue + "' value '" + c.Value + "'");
        TMetaFields f;
        f.*c.Field = c.Value;
        TRuleBase rules;
        rules.*c.Flag = c.FlagValue;
        const std::vector<String> r = ReportOf(f, rules);
        const int at = IndexOf(r, c.Heading);
        ASSERT_GE(at, 0);
        EXPECT_EQ(r[static_cast<size_t>(at) + 1], c.Value);
        const std::vector<String> verdict(r.begin() + at + c.Skip, r.begin() + at + c.Skip + c.Verdict.size());
        EXPECT_EQ(verdict, c.Verdict);
    }
}

TEST(TagAnalysis, ReportFramesAndEnds) {
    TMetaFields f;
    f.Author = "Ann";
    f.Pragma = "TRUE";
    f.Title = "not reported";
    const std::vector<String> r = ReportOf(f, TRuleBase());
    EXPECT_EQ(r[0], "META DATA VALUES AND RULE VERIFICATION");
    EXPECT_EQ(r[1], String(90, '-'));
    EXPECT_EQ(r[IndexOf(r, "10) Author tag value") + 1], "Ann");
    EXPECT_EQ(r[r.size() - 2], "15) Pragma tag value");
    EXPECT_EQ(r.back(), "pragma = pragma is used");
    EXPECT_EQ(IndexOf(r, "not reported"), -1);
    f.Pragma = "true";
    EXPECT_EQ(ReportOf(f, TRuleBase()).back(), "pragma = pragma is not used");
}

TEST(TagAnalysis, LengthCheckMessage) {
    const String intro =
        "This check validates your keyword and description values against what is set in the Tag "
        "Analysis Settings feature.To access these settings select Tag Analysis Settings from the "
        "Special menu\n\r\n\r";
    TMetaFields f;
    f.Keywords = "abc";
    f.Description = "abcd";
    TRuleBase rules;
    rules.Keywords = "3";
    rules.Description = "4";
    EXPECT_EQ(TTagAnalysis::LengthCheckMessage(f, rules),
              intro + "Description length is OK\n\r\n\rKeyword length is OK");
    rules.Keywords = "2";
    rules.Description = "03";
    EXPECT_EQ(TTagAnalysis::LengthCheckMessage(f, rules),
              intro + "Error: Description length is greater than 03\n\r\n\r"
                      "Error: Keyword length is greater than 2");
}

TEST(TagAnalysis, ListingUsesThePlainEndAndItsOwnTagNames) {
    TMetaFields f;
    f.Title = "Home";
    f.Generator = "ed";
    f.Pragma = "TRUE";
    f.Classification = "Web";
    f.Keywords = "a, b";
    f.BulletinText = "news";
    f.Subject = "say \"hi\"";
    f.CustomRows = {{" DC.Title ", " Report "}, {"DC.Creator", " "}, {"", "x"}};
    TTagSettings s;
    s.usexhtml = "1";
    s.tokens = "1";
    s.clasname = "classification";
    s.catstr = "Subject";
    const std::vector<String> expected = {
        "<title>Home</title>",
        "<meta name=\"generator\" content=\"ed\">",
        "<meta http-equiv=\"pragma\" content=\"no-cache\">",
        "<meta name=\"classification\" content=\"Web\">",
        "<meta name=\"keywords\" content=\"a, b\">",
        "<meta http-equiv=\"bulletin-text\" content=\"news\">",
        "<meta name=\"subject\" content=\"say &quot;hi&quot;\">",
        "<meta name=\"dc.title\" content=\"Report\">",
    };
    EXPECT_EQ(TTagAnalysis::TagListing(f, s), expected);
}

using AnalysisWindow = MainWindowTest;

TEST_F(AnalysisWindow, ReportReplacesTheComposedLinesAndCopyTagsCopiesIt) {
    TForm1* f = Create();
    f->edit22->SetText("alpha, beta");
    f->TbToolbarButton20->Click();
    EXPECT_EQ(f->PageControl1->ActivePage(), f->TabSheet5);
    EXPECT_TRUE(f->TagLines->WordWrap());
    EXPECT_EQ(f->TagLines->Lines()->Strings(0), "META DATA VALUES AND RULE VERIFICATION");
    EXPECT_EQ(f->TagLines->Lines()->Strings(3), "alpha, beta");
    // The seeded rule base: limits 1000 and 200.
    EXPECT_EQ(f->TagLines->Lines()->Strings(kKeywordsVerdict + 2), " You can use up to 1000 Characters");
    f->copytg->Click();
    EXPECT_EQ(Clipboard()->AsText(), f->TagLines->Text());

    f->TbToolbarButton21->Click();
    EXPECT_FALSE(f->TagLines->WordWrap());
    EXPECT_GE(f->TagLines->Lines()->IndexOf("<meta name=\"keywords\" content=\"alpha, beta\">"), 0);
    f->copytg->Click();
    EXPECT_EQ(Clipboard()->AsText(), f->TagLines->Text());
}

TEST_F(AnalysisWindow, ALimitThatIsNoNumberStopsTheReportWithTheConversionError) {
    TForm1* f = Create();
    ComposerSettings.keywords = "many";
    Dialogs.Answer(mrOk).Answer(mrOk);
    f->SpeedButton3Click(f->TbToolbarButton20);
    ASSERT_EQ(ShownTexts().size(), 1u);
    EXPECT_EQ(Dialogs.Shown()[0].Type, mtError);
    EXPECT_NE(ShownTexts()[0].find("many"), String::npos);
    EXPECT_EQ(f->TagLines->Lines()->Count(), kKeywordsVerdict);

    f->ckkeyClick(f->ckkey);
    ASSERT_EQ(ShownTexts().size(), 2u);
    EXPECT_EQ(Dialogs.Shown()[1].Type, mtError);
}

TEST_F(AnalysisWindow, LengthCheckShowsAnInformationBox) {
    TForm1* f = Create();
    f->edit1->SetText(String(201, 'd'));
    Dialogs.Answer(mrOk);
    f->ckkey->Click();
    ASSERT_EQ(ShownTexts().size(), 1u);
    EXPECT_EQ(Dialogs.Shown()[0].Type, mtInformation);
    const String text = ShownTexts()[0];
    EXPECT_NE(text.find("Error: Description length is greater than 200\n\r\n\rKeyword length is OK"), String::npos);
}

}  // namespace
