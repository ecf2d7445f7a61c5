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
        NormaliseCase{"ValueWithTagsAndLineBreakStaysOneValue",
                      "<head>\n<meta name=\"x\" content=\"a> <b\nc\">\n</head><body>",
                      {"<head>", "<meta name=\"x\" content=\"a> <b c\">", "</head>"}},
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
        NormaliseCase{"SecondScriptBlockOnOneLineStopsJoining",
                      "<head>\n<title>T</title>\n<script src=\"a.js\"></script>\n"
                      "<meta name=\"a\" content=\"1\">\n<script>var x = 1;</script>\n"
                      "<meta  name=\"b\" content=\"2\">\n</head><body>",
                      {"<head>", "<title>T</title>", "<meta name=\"a\" content=\"1\">",
                       "<meta  name=\"b\" content=\"2\">", "<script src=\"a.js\">", "</script>",
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
        HeadErrorCase{"HeadWithAttributes", "<html><head profile=\"x\"><title>A</title></head><body>",
                      "Missing '<HEAD>' Tag"},
        HeadErrorCase{"BodyInsideHeadComment", "<html><head><!-- <body> --></head><body>",
                      "Missing '</HEAD>' Tag"},
        HeadErrorCase{"NoBodyNoFrameset", "<html><head></head><p>x</p>",
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

TEST(HeadShape, EveryLineBreakBecomesCrLf) {
    TPageHead head;
    head.Buffer.SetText("a\rb\n\rc\r\nd\ne\r\n\r\nf");
    head.SetCRLFLineBreaks();
    EXPECT_EQ(head.Buffer.Text(), "a\r\nb\r\nc\r\nd\r\ne\r\n\r\nf");
}

TEST(HeadShape, PageLineBreakIsItsFirstOne) {
    EXPECT_EQ(TPageHead::LineBreakOf("<html>\n<head>\r\n"), "\n");
    EXPECT_EQ(TPageHead::LineBreakOf("<html>\r\n<head>\n"), "\r\n");
    EXPECT_EQ(TPageHead::LineBreakOf("<html>\r<head>"), "\r");
    EXPECT_EQ(TPageHead::LineBreakOf("<html><head>"), "\r\n");
}

TEST(PageBufferFind, MatchMustLieInsideTheRangeAndIgnoresAsciiCase) {
    TPageBuffer b;
    b.SetText("xx<HeAd>yy\xC3\x84</head>");
    EXPECT_EQ(b.Find("<head>"), 2);
    EXPECT_EQ(b.Find("<head>", 0, 7), -1);
    EXPECT_EQ(b.Find("<head>", 0, 8), 2);
    EXPECT_EQ(b.Find("<head>", 3), -1);
    EXPECT_EQ(b.Find("\xC3\xA4"), -1);  // no folding beyond ASCII
    EXPECT_EQ(b.Find("</HEAD>", 5), 12);
    b.SetSel(2, 6);
    b.SetSelText("<h>");
    EXPECT_EQ(b.Text(), "xx<h>yy\xC3\x84</head>");
    EXPECT_EQ(b.SelStart(), 5);
}

TEST(PageBufferLines, LineOperationsWorkOnWholeLines) {
    TPageBuffer b;
    b.SetText("<HEAD>\r\nb\nc\r");
    EXPECT_EQ(b.Lines(), (Lines{"<HEAD>", "b", "c"}));
    EXPECT_EQ(b.IndexOfLine("<head>"), 0);
    EXPECT_EQ(b.IndexOfLine("<hea"), -1);
    b.InsertLine(1, "x\r\ny");
    EXPECT_EQ(b.Lines(), (Lines{"<HEAD>", "x", "y", "b", "c"}));
    b.DeleteLine(0);
    b.SetLine(0, "z");
    EXPECT_EQ(b.Text(), "z\r\ny\r\nb\r\nc\r\n");
}
