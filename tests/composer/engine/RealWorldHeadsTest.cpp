// Heads as real sites write them: each page is given new values, and the
// head must come out in the expected bytes, read back with the same values,
// and not change again when the same values are written once more.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include "EngineTestUtil.h"
#include "composer/engine/TagComposer.h"
#include "composer/engine/TagReader.h"
#include "composer/engine/TagWriter.h"

namespace {

struct HeadCase {
    const char* name;
    const char* page;  // a body follows
    const char* title;
    const char* description;
    const char* keywords;
    bool xhtmlSetting;
    const char* expected;  // the page's head after the write, through "</head>"
};

const char* kBody = "\n<body><p>Text &amp; <b>more</b></p></body></html>\n";

// Values that hold everything that could end a tag or a title early.
const char* kTitle = "Vers\xC3\xA3o <1> & \"2\"";
const char* kDescription = "Say \"hi\" & <b> \xE2\x80\x94 done";

const HeadCase kCases[] = {
    {"QuoteStylesAndAttributeOrder",
     "<html><head><title>T</title>\n<META CONTENT='old d' NAME=Description>\n"
     "<meta content=old name=\"keywords\" lang=en>\n</head>",
     kTitle, kDescription, "a, b", false,
     "<html>\n<head>\n<title>Vers&#227;o &lt;1&gt; &amp; \"2\"</title>\n"
     "<meta name=\"description\" content=\"Say &quot;hi&quot; &amp; &lt;b&gt; &#8212; done\">\n"
     "<meta name=\"keywords\" content=\"a, b\">\n</head>"},
    {"TagOverSeveralLinesWithOtherAttributesBetween",
     "<html><head><title>T</title>\r\n<meta\r\n  name=\"keywords\"\r\n  scheme=\"x\" id=k\r\n  content=\"old\"\r\n/>"
     "\r\n</head>",
     "T", "", "new", false,
     "<html>\r\n<head>\r\n<title>T</title>\r\n<meta name=\"keywords\" content=\"new\"/>\r\n</head>"},
    {"ConditionalCommentsAndScriptTextStayPut",
     "<html><head><title>T</title>\n<!--[if lt IE 9]>\n<meta name=\"keywords\" content=\"ie\">\n"
     "<script src=\"h.js\"></script>\n<![endif]-->\n"
     "<script>document.write('<meta name=\"keywords\" content=\"js\"></head><body>');</script>\n</head>",
     "T", "", "k", false,
     "<html>\n<head>\n<title>T</title>\n<meta name=\"keywords\" content=\"k\">\n"
     "<!--[if lt IE 9]>\n<meta name=\"keywords\" content=\"ie\">\n<script src=\"h.js\"></script>\n<![endif]-->\n"
     "<script>document.write('<meta name=\"keywords\" content=\"js\"></head><body>');</script>\n</head>"},
    {"XhtmlPageGetsSelfClosingTagsAndKeepsExistingEndings",
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
     "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n<html xmlns=\"http://www.w3.org/1999/xhtml\">"
     "<head><title>T</title><meta name=\"description\" content=\"old\"></meta></head>",
     "T", "d & e", "k", false,
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
     "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n<html xmlns=\"http://www.w3.org/1999/xhtml\">\n"
     "<head>\n<title>T</title>\n<meta name=\"description\" content=\"d &amp; e\"></meta>\n"
     "<meta name=\"keywords\" content=\"k\"/>\n</head>"},
    {"Windows1252PageGetsItsOwnBytes",
     "<html><head><meta charset=windows-1252><title>Old</title></head>",
     "\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D", "", "", false,
     "<html>\n<head>\n<title>\x80 \x93q\x94</title>\n<meta charset=windows-1252>\n</head>"},
    {"Iso88591PageGetsItsOwnBytesAndReferencesBeyond",
     "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">"
     "<title>Vers\xE3o</title></head>",
     "Vers\xC3\xA3o", "\xE2\x82\xAC 5 \xE2\x98\xBA", "", false,
     "<html>\n<head>\n<title>Vers\xE3o</title>\n"
     "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">\n"
     "<meta name=\"description\" content=\"&#8364; 5 &#9786;\">\n</head>"},
    {"Utf8PageGetsUtf8",
     "<html><head><meta charset=utf-8><title>Old</title></head>",
     kTitle, "", "", false,
     "<html>\n<head>\n<title>Vers\xC3\xA3o &lt;1&gt; &amp; \"2\"</title>\n<meta charset=utf-8>\n</head>"},
    // Browsers read undeclared Latin bytes as Windows-1252, other readers as
    // ISO-8859-1: what the two read apart is written as references.
    {"UndeclaredLatinPageGetsBytesBothReadersShare",
     "<html><head><title>Jan Pokorn\xFD</title></head>",
     "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x94", "", "", false,
     "<html>\n<head>\n<title>Caf\xE9 &#8364; &#8212;</title>\n</head>"},
    {"UndeclaredAsciiPageGetsReferences",
     "<html><head><title>Old</title></head>",
     "L\xC3\xADnguas", "", "", false,
     "<html>\n<head>\n<title>L&#237;nguas</title>\n</head>"},
    {"UnchangedValuesKeepTheirBytes",
     "<html>\r\n<head>\r\n<title>Caf&eacute; &amp; bar</title>\r\n"
     "<meta name=\"description\" content=\"Caf&#233; &amp; bar\">\r\n</head>",
     "Caf\xC3\xA9 & bar", "Caf\xC3\xA9 & bar", "", false,
     "<html>\r\n<head>\r\n<title>Caf&eacute; &amp; bar</title>\r\n"
     "<meta name=\"description\" content=\"Caf&#233; &amp; bar\">\r\n</head>"},
    {"HeadProfileAndTitleAttributes",
     "<html><head profile=\"http://gmpg.org/xfn/11\"><title lang=\"en\">Old</title></head>",
     "New", "", "", true,
     "<html>\n<head profile=\"http://gmpg.org/xfn/11\">\n<title lang=\"en\">New</title>\n</head>"},
    {"DuplicateTagsOnlyTheFirstIsReplacedNoneAdded",
     "<html><head><title>T</title><meta name=\"keywords\" content=\"one\"><META name=KEYWORDS content=two>"
     "</head>",
     "T", "", "new", true,
     "<html>\n<head>\n<title>T</title>\n<meta name=\"keywords\" content=\"new\">\n"
     "<META name=KEYWORDS content=two>\n</head>"},
};

class RealWorldHead : public ::testing::TestWithParam<HeadCase> {};

}  // namespace

TEST_P(RealWorldHead, WritesTheExpectedHeadAndReadsItBack) {
    const HeadCase& c = GetParam();
    TTempDir dir;
    const std::string path = dir.File("page.html");
    WriteAll(path, std::string(c.page) + kBody);
    TMetaFields f;
    f.Title = c.title;
    f.Description = c.description;
    f.Keywords = c.keywords;
    TTagSettings settings;
    settings.usexhtml = c.xhtmlSetting ? "1" : "0";
    TTagWriter writer;
    writer.TagLineList = TTagComposer::ComposeTagLines(f, settings, {}).TagLineList;
    writer.Title = f.Title;
    writer.WriteTitle = true;
    ASSERT_TRUE(writer.WriteTags(path)) << writer.LastFailure;
    const std::string written = ReadAll(path);
    EXPECT_EQ(written, std::string(c.expected) + kBody);
    if (written.compare(0, 5, "<?xml") == 0) {
        // Still well-formed, as an XML parser that shares nothing with the
        // program sees it.
        xmlDocPtr doc = xmlReadMemory(written.data(), static_cast<int>(written.size()), nullptr, nullptr,
                                      XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NONET);
        EXPECT_NE(doc, nullptr) << "no longer well-formed XML";
        xmlFreeDoc(doc);
    }

    TTagReader reader;
    TMetaFields back;
    ASSERT_TRUE(reader.xread(path, back));
    EXPECT_EQ(back.Title, f.Title);
    EXPECT_EQ(back.Description, f.Description);
    EXPECT_EQ(back.Keywords, f.Keywords);

    ASSERT_TRUE(writer.WriteTags(path));
    EXPECT_EQ(ReadAll(path), written) << "the same values written again changed the page";
}

INSTANTIATE_TEST_SUITE_P(Pages, RealWorldHead, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });
