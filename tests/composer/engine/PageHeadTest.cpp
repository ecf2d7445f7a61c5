// Head extraction and normalisation: the shape every read and write starts
// from, and the promise that attribute values and the title's text survive it.
#include <gtest/gtest.h>

#include "EngineTestUtil.h"
#include "composer/engine/PageExceptions.h"

using enginetest::NormalisedLines;
using Lines = std::vector<std::string>;

struct NormaliseCase {
    const char* name;
    const char* page;
    Lines head;
};

class Normalise : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(Normalise, GivesOneTagPerLineAndKeepsValues) {
    EXPECT_EQ(NormalisedLines(GetParam().page), GetParam().head);
}

INSTANTIATE_TEST_SUITE_P(
    Heads, Normalise,
    ::testing::Values(
        NormaliseCase{"OneLinePage",
                      "<html><head><title>A</title></head><body>x</body></html>",
                      {"<html>", "<head>", "<title>A</title>", "</head>"}},
        NormaliseCase{"TitleOverTwoLines",
                      "<html>\n<head>\n<title>Hello\nWorld</title>\n</head>\n<body></body>",
                      {"<html>", "<head>", "<title>Hello World</title>", "</head>"}},
        NormaliseCase{"EmptyTitleStaysOneElement",
                      "<head><title></title></head><body>",
                      {"<head>", "<title></title>", "</head>"}},
        NormaliseCase{"NoTitleGetsNoPlaceholder",
                      "<html><head><meta name=\"a\" content=\"b\"></head><body>",
                      {"<html>", "<head>", "<meta name=\"a\" content=\"b\">", "</head>"}},
        NormaliseCase{"BlanksSqueezedOutsideValuesOnly",
                      "<head>\n<title>T</title>\n<meta  name = \"a\"  content = \"x = y\">\n"
                      "</head><body>",
                      {"<head>", "<title>T</title>", "<meta name=\"a\"  content=\"x = y\">",
                       "</head>"}},
        NormaliseCase{"TitleTextUntouched",
                      "<head><title> a = b >  c </title><meta name=\"k\" content=\"v\"></head>"
                      "<body>",
                      {"<head>", "<title> a = b >  c </title>", "<meta name=\"k\" content=\"v\">",
                       "</head>"}},
        NormaliseCase{"MetaSplitOverTwoLines",
                      "<head>\n<title>T</title>\n<meta name=\"x\"\ncontent=\"y\">\n</head>\n<body>",
                      {"<head>", "<title>T</title>", "<meta name=\"x\" content=\"y\">", "</head>"}},
        NormaliseCase{"UnquotedAttributesKeptApartWhenJoined",
                      "<head>\n<title>T</title>\n<link rel=stylesheet\n   href=a.css>\n</head><body>",
                      {"<head>", "<title>T</title>", "<link rel=stylesheet href=a.css>",
                       "</head>"}},
        NormaliseCase{"ValueWithTagsAndLineBreakKeepsItsBytes",
                      "<head>\n<meta name=\"x\" content=\"a> <b\nc\">\n</head><body>",
                      {"<head>", "<meta name=\"x\" content=\"a> <b", "c\">", "</head>"}},
        NormaliseCase{"BlanksBeforeClosingHeadGoCaseKept",
                      "<head>\n<title>T</title>\n  </head>\n<body>",
                      {"<head>", "<title>T</title>", "</head>"}},
        NormaliseCase{"XhtmlClosingTagKeepsItsCase",
                      "<HEAD><TITLE>x</TITLE> </Head><BODY>",
                      {"<HEAD>", "<TITLE>x</TITLE>", "</Head>"}},
        NormaliseCase{"PicsLabelsFirstInReverseThenMetaThenOthers",
                      "<head>\n<title>T</title>\n<link rel=\"a\" href=\"b\">\n"
                      "<meta http-equiv=\"PICS-Label\" content='(one)'>\n"
                      "<meta name=\"k\" content=\"v\">\n"
                      "<meta http-equiv=\"PICS-Label\" content='(two)'>\n</head><body>",
                      {"<head>", "<title>T</title>",
                       "<meta http-equiv=\"PICS-Label\" content='(two)'>",
                       "<meta http-equiv=\"PICS-Label\" content='(one)'>",
                       "<meta name=\"k\" content=\"v\">", "<link rel=\"a\" href=\"b\">", "</head>"}},
        NormaliseCase{"ScriptsStayWholeAndTagsAfterThemAreStillShaped",
                      "<head>\n<title>T</title>\n<script src=\"a.js\"></script>\n"
                      "<meta name=\"a\" content=\"1\">\n<script>var x = 1;</script>\n"
                      "<meta  name=\"b\" content=\"2\">\n</head><body>",
                      {"<head>", "<title>T</title>", "<meta name=\"a\" content=\"1\">",
                       "<meta name=\"b\" content=\"2\">", "<script src=\"a.js\"></script>",
                       "<script>var x = 1;</script>", "</head>"}},
        NormaliseCase{"MetaTextInsideScriptStaysInTheScript",
                      "<head>\n<title>T</title>\n<script>\n"
                      "document.write('<meta name=\"k\" content=\"v\">');\n</script>\n"
                      "<meta name=\"a\" content=\"1\">\n</head><body>",
                      {"<head>", "<title>T</title>", "<meta name=\"a\" content=\"1\">", "<script>",
                       "document.write('<meta name=\"k\" content=\"v\">');", "</script>",
                       "</head>"}},
        NormaliseCase{"ApostropheInCommentIsNoQuote",
                      "<head>\n<!-- don't -->\n<title>T</title>\n"
                      "<meta name=\"a\" content=\"1\"><link rel=\"x\" href=\"y\">\n</head><body>",
                      {"<head>", "<title>T</title>", "<meta name=\"a\" content=\"1\">",
                       "<!-- don't -->", "<link rel=\"x\" href=\"y\">", "</head>"}},
        NormaliseCase{"HeadWithAttributes",
                      "<html><head profile=\"http://x/\"\n lang=en><title>A</title></head><body>",
                      {"<html>", "<head profile=\"http://x/\" lang=en>", "<title>A</title>", "</head>"}},
        NormaliseCase{"BodyAndHeadEndInCommentsAndScriptsEndNothing",
                      "<head><!-- <body> </head> --><script>s='</head><body>'</script>"
                      "<style>/* <body> */</style><title>T</title></head>\n<!-- c --><body>",
                      {"<head>", "<title>T</title>", "<!-- <body> </head> -->",
                       "<script>s='</head><body>'</script>", "<style>/* <body> */</style>", "</head>"}},
        NormaliseCase{"CommentsKeepTheirBytesAndTheTagsInThem",
                      "<head>\n<!--[if IE]>\n  <meta  name=\"k\"   content=\"ie\">\n<![endif]-->\n"
                      "<meta name=\"k\" content=\"all\"></head><body>",
                      {"<head>", "<meta name=\"k\" content=\"all\">", "<!--[if IE]>",
                       "  <meta  name=\"k\"   content=\"ie\">", "<![endif]-->", "</head>"}},
        NormaliseCase{"XhtmlEndTagsStayWithTheirTags",
                      "<head><meta name=\"a\" content=\"1\"></meta><link rel=\"x\"/><title>T</title>"
                      "</head><body>",
                      {"<head>", "<title>T</title>", "<meta name=\"a\" content=\"1\"></meta>",
                       "<link rel=\"x\"/>", "</head>"}},
        NormaliseCase{"FramesetPage",
                      "<html><head><title>F</title></head><frameset cols=\"*\"></frameset>",
                      {"<html>", "<head>", "<title>F</title>", "</head>"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct HeadErrorCase {
    const char* name;
    const char* page;
    const char* reason;
};

class HeadError : public ::testing::TestWithParam<HeadErrorCase> {};

TEST_P(HeadError, NamesThePageAndTheReason) {
    try {
        NormalisedLines(GetParam().page);
        FAIL() << "no error raised";
    } catch (const EInvalidHTMLFile& e) {
        EXPECT_EQ(e.Reason, GetParam().reason);
        EXPECT_EQ(e.Message, std::string("The File 'page.html' is not a valid HTML 3.2 File\r(") +
                                 GetParam().reason + ")");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Heads, HeadError,
    ::testing::Values(
        HeadErrorCase{"BodyBeforeAnyHead", "<html><title>A</title><body><head></head>",
                      "Missing '<HEAD>' Tag"},
        HeadErrorCase{"HeadOnlyInAComment", "<html><!-- <head></head> --><body>", "Missing '<HEAD>' Tag"},
        HeadErrorCase{"BodyBeforeTheHeadEnds", "<html><head><title>A</title><body></head>",
                      "Missing '</HEAD>' Tag"},
        HeadErrorCase{"Utf16Page", "\xFF\xFE<\0h\0", "Pages in UTF-16 cannot be read"},
        HeadErrorCase{"NoBodyNoFrameset", "<html><head></head><p>x</p>",
                      "Missing '<BODY> or <FRAMESET>' Tag"},
        HeadErrorCase{"BodyOnlyInACommentAfterTheHead", "<html><head></head></html><!-- <body> -->",
                      "Missing '<BODY> or <FRAMESET>' Tag"},
        // An element never closed takes the body in: there is none after it.
        HeadErrorCase{"UnclosedTextareaTakesTheBodyIn", "<html><head><textarea>x</head><body>",
                      "Missing '<BODY> or <FRAMESET>' Tag"},
        HeadErrorCase{"UnclosedScript", "<html><head><script>x</head><body>",
                      "Invalid Usage in HEAD, Missing '</SCRIPT>' Tag - Cannot Continue!"},
        HeadErrorCase{"UnclosedStyle", "<html><head><style>x</head><body>",
                      "Invalid Usage in HEAD, Missing '</STYLE>' Tag - Cannot Continue!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeadTitle, TagInsideTitleIsRefused) {
    try {
        NormalisedLines("<html><head><title>a <b> c</title></head><body>");
        FAIL() << "no error raised";
    } catch (const EInvalidMetaTag& e) {
        EXPECT_STREQ(e.what(), "Title Tag improperly ended. Another tag starts before '</title>' tag");
    }
}

TEST(HeadShape, NormalisingTwiceChangesNothing) {
    const std::string page =
        "<!DOCTYPE html>\n<html lang=\"en\"><head>\n<meta charset=\"utf-8\">"
        "<META NAME=\"Keywords\"  CONTENT=\"a, b\">\n<title>Home\npage</title>\n"
        "<link rel=\"stylesheet\" href=\"s.css\">\n<script src=\"x.js\">\n</script>\n"
        "<style>\nbody { color: red }\n</style>\n"
        "<meta http-equiv=\"PICS-Label\" content='(x)'>\n</head>\n<body>\n";
    const Lines once = NormalisedLines(page);
    std::string again;
    for (const std::string& l : once) again += l + "\r\n";
    again += "<body>";
    EXPECT_EQ(NormalisedLines(again), once);
}

TEST(HeadShape, PageLineBreakIsItsFirstOne) {
    EXPECT_EQ(TPageHead::LineBreakOf("<html>\n<head>\r\n"), "\n");
    EXPECT_EQ(TPageHead::LineBreakOf("<html>\r\n<head>\n"), "\r\n");
    EXPECT_EQ(TPageHead::LineBreakOf("<html>\r<head>"), "\r");
    EXPECT_EQ(TPageHead::LineBreakOf("<html><head>"), "\r\n");
}

