// Composition of the Tag lines as a function of the fields, the settings and
// the token map.
#include <gtest/gtest.h>

#include "composer/engine/TagComposer.h"

using Lines = std::vector<std::string>;

namespace {

TTagSettings Settings(const char* xhtml = "0", const char* tokens = "0") {
    TTagSettings s;
    s.aname = "author";
    s.clasname = "classification";
    s.lname = "language";
    s.catstr = "subject";
    s.usexhtml = xhtml;
    s.tokens = tokens;
    return s;
}

Lines Compose(const TMetaFields& f, const TTagSettings& s, const std::vector<TTokenRow>& map = {}) {
    return TTagComposer::ComposeTagLines(f, s, map).TagLineList;
}

}  // namespace

TEST(TagComposer, NothingFilledComposesNothing) {
    TMetaFields f;
    f.CustomRows = {{"", "x"}, {"dc.title", ""}, {"  ", "  "}};
    const TComposedTags c = TTagComposer::ComposeTagLines(f, Settings(), {});
    EXPECT_TRUE(c.TagLineList.empty());
    EXPECT_TRUE(c.TagLines().empty());
}

struct EndingCase {
    const char* xhtml;
    const char* tokens;
    std::vector<TTokenRow> map;
    const char* line;
};

class TagLineEnding : public ::testing::TestWithParam<EndingCase> {};

TEST_P(TagLineEnding, FollowsTheFlagsAndTheTokenMap) {
    TMetaFields f;
    f.Generator = "X";
    EXPECT_EQ(Compose(f, Settings(GetParam().xhtml, GetParam().tokens), GetParam().map),
              Lines{GetParam().line});
}

INSTANTIATE_TEST_SUITE_P(
    Flags, TagLineEnding,
    ::testing::Values(
        EndingCase{"0", "0", {}, "<meta name=\"generator\" content=\"X\">"},
        EndingCase{"1", "0", {}, "<meta name=\"generator\" content=\"X\"/>"},
        EndingCase{"true", "0", {}, "<meta name=\"generator\" content=\"X\">"},
        EndingCase{"0", "1", {{" DC.T ", "Generator"}},
                   "<meta name=\"generator\" content=\"X\" z=\"dc.t\"/>"},
        EndingCase{"0", "0", {{" DC.T ", "Generator"}}, "<meta name=\"generator\" content=\"X\">"},
        EndingCase{"0", "1", {{"", "generator"}, {"a", "other"}, {"first", " generator "}, {"second", "generator"}},
                   "<meta name=\"generator\" content=\"X\" z=\"first\"/>"}));

TEST(TagComposer, FieldsComeInTableOrderWithTheirOpenings) {
    TMetaFields f;
    f.Expires = "17";
    f.ReplyTo = "16";
    f.Subject = "15";
    f.Language = "14";
    f.Classification = "13";
    f.Author = "12";
    f.Copyright = "11";
    f.Rating = "10";
    f.Robots = "9";
    f.Keywords = "8";
    f.Description = "7";
    f.Revisit = "6";
    f.Distribution = "5";
    f.BulletinText = "4";
    f.BulletinDate = "3";
    f.Pragma = "TRUE";
    f.Generator = "1";
    f.CustomRows = {{"  DC.Title ", "  x  "}, {"dc.empty", ""}};
    TTagSettings s = Settings();
    s.aname = "Creator";
    EXPECT_EQ(Compose(f, s),
              (Lines{"<meta name=\"generator\" content=\"1\">",
                     "<meta http-equiv=\"pragma\" content=\"no-cache\">",
                     "<meta http-equiv=\"bulletin-date\" content=\"3\">",
                     "<meta name=\"bulletin-text\" content=\"4\">",
                     "<meta name=\"distribution\" content=\"5\">",
                     "<meta name=\"revisit-after\" content=\"6\">",
                     "<meta name=\"description\" content=\"7\">",
                     "<meta name=\"keywords\" content=\"8\">", "<meta name=\"robots\" content=\"9\">",
                     "<meta name=\"rating\" content=\"10\">",
                     "<meta name=\"copyright\" content=\"11\">",
                     "<meta name=\"Creator\" content=\"12\">",
                     "<meta name=\"classification\" content=\"13\">",
                     "<meta name=\"language\" content=\"14\">",
                     "<meta name=\"subject\" content=\"15\">",
                     "<meta http-equiv=\"reply-to\" content=\"16\">",
                     "<meta http-equiv=\"expires\" content=\"17\">",
                     "<meta name=\"dc.title\" content=\"x\">"}));
}

TEST(TagComposer, PragmaOnlyForExactlyTrue) {
    for (const char* v : {"true", "FALSE", "REMOVE", "TRUE "}) {
        TMetaFields f;
        f.Pragma = v;
        EXPECT_TRUE(Compose(f, Settings()).empty()) << v;
    }
    TMetaFields f;
    f.Pragma = "TRUE";
    EXPECT_EQ(Compose(f, Settings("0", "1"), {{"P1", "pragma"}}),
              Lines{"<meta http-equiv=\"pragma\" content=\"no-cache\" z=\"p1\"/>"});
}

TEST(TagComposer, EmptyConfiguredTagNameComposesNoLine) {
    TMetaFields f;
    f.Author = "a";
    f.Classification = "c";
    f.Language = "l";
    f.Subject = "s";
    TTagSettings s = Settings();
    s.aname = s.clasname = s.lname = s.catstr = "";
    EXPECT_TRUE(Compose(f, s).empty());
}

TEST(TagComposer, ValuesCannotLeaveTheirAttributeOrLine) {
    TMetaFields f;
    f.Keywords = "a \"b\"\r\nc\nd\re &amp; <f>";
    f.Description = "  kept as typed  ";
    f.CustomRows = {{"x", "say \"hi\""}};
    EXPECT_EQ(Compose(f, Settings()),
              (Lines{"<meta name=\"description\" content=\"  kept as typed  \">",
                     "<meta name=\"keywords\" content=\"a &quot;b&quot; c d e &amp;amp; &lt;f&gt;\">",
                     "<meta name=\"x\" content=\"say &quot;hi&quot;\">"}));
}

TEST(TagComposer, TitleIsShownButNeverListed) {
    TMetaFields f;
    f.Title = "Home";
    f.Robots = "ALL";
    TTagComposer c;
    c.TagLineList = {"stale"};
    f.Keywords = "k";
    c.TabSheet5Enter(f, Settings(), {});
    EXPECT_EQ(c.TagLineList, (Lines{"<meta name=\"keywords\" content=\"k\">",
                                    "<meta name=\"robots\" content=\"ALL\">"}));
    EXPECT_EQ(c.TagLines, (Lines{"<title>Home</title>", "<meta name=\"keywords\" content=\"k\">",
                                 "<meta name=\"robots\" content=\"ALL\">"}));
    EXPECT_EQ(c.KeywordsSnapshot, "k");
    f.Title = "Title Missing - Velmor";  // what the reader shows for a page without one
    EXPECT_EQ(TTagComposer::ComposeTagLines(f, Settings(), {}).TitleLine, "");
}

TEST(TagComposer, LookupTokenLeavesTheTokenEmptyWithoutAMatch) {
    String token;
    TTagComposer::LookupToken("Keywords", {{"k1", "keywords "}}, token);
    EXPECT_EQ(token, "k1");
    token.clear();
    TTagComposer::LookupToken(" keywords", {{"k1", "keywords"}}, token);  // key is not trimmed
    EXPECT_EQ(token, "");
    TTagComposer::LookupToken("keywords", {}, token);
    EXPECT_EQ(token, "");
}
